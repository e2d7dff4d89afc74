#include "files/status.h"

#include <cerrno>
#include <cstring>

namespace borvik::files {

std::string DescribeError(int error) {
  switch (error) {
    case ENOENT: return "ファイルまたはフォルダがありません。";
    case EACCES:
    case EPERM: return "アクセスが拒否されました。";
    case ENOSPC: return "ディスクの空き容量が足りません。";
    case EDQUOT: return "ディスクの使用量の上限に達しました。";
    case EROFS: return "書き込みのできない場所です。";
    case EISDIR: return "フォルダです。";
    case EIO: return "入出力エラーが起きました。";
    default: return std::string("エラー: ") + std::strerror(error);
  }
}

}  // namespace borvik::files
