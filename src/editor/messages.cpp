#include "editor/messages.h"

#include <cerrno>

#include "files/layer_csv.h"

namespace borvik::editor {
namespace {

std::string Line(int line) { return std::to_string(line) + " 行目"; }

std::string RefusalDetail(const files::Error& e) {
  using files::Refusal;
  switch (e.refusal) {
    case Refusal::kTooFewFields:
      return Line(e.line) + ": 値が " + std::to_string(files::kLayerFields) + " 個ありません（" +
             std::to_string(e.count) + " 個）。";
    case Refusal::kNoNumber:
    case Refusal::kOutOfRange:
      return Line(e.line) + " " + std::to_string(e.column) + " 列目（" +
             std::string(files::ColumnName(e.column)) + "）: " +
             (e.refusal == Refusal::kOutOfRange ? "値が範囲外です。" : "数値がありません。");
    case Refusal::kHeadWithoutComma:
      return Line(e.line) + ": 柱状図名と標高を区切るコンマがありません。";
    case Refusal::kElevationNoNumber: return Line(e.line) + ": 標高が数値ではありません。";
    case Refusal::kElevationOutOfRange: return Line(e.line) + ": 標高が範囲外です。";
    case Refusal::kTooManyLayers:
      return Line(e.line) + ": 層の数が上限の " + std::to_string(model::LayerTable::kMaxLayers) +
             " を超えています。";
    case Refusal::kNotExchangeFile:
      return e.subject.empty() ? std::string("ボーリング交換用データではありません。")
                               : "ボーリング交換用データではありません（ルート要素が「" +
                                     e.subject + "」です）。";
    case Refusal::kXmlTruncated:
      return "ファイルが途中で切れています（" + Line(e.line) + "で終わっています）。";
    case Refusal::kXmlMalformed:
      return Line(e.line) + " " + std::to_string(e.column) +
             " 文字目: XML の書式が正しくありません。";
    case Refusal::kLayerWithoutDepth:
    case Refusal::kLayerDepthNotNumber:
    case Refusal::kLayerDepthNegative:
    case Refusal::kLayerDepthBackwards: {
      const std::string layer = Line(e.line) + ": " + std::to_string(e.count) + " 番目の層（" +
                                e.subject + "）の下端深度";
      if (e.refusal == Refusal::kLayerWithoutDepth) return layer + "がありません。";
      if (e.refusal == Refusal::kLayerDepthNotNumber) return layer + "が数値ではありません。";
      if (e.refusal == Refusal::kLayerDepthNegative) return layer + "が負の値です。";
      return layer + "が前の層の下端より浅くなっています。";
    }
    case Refusal::kBadRule: {
      static constexpr std::string_view kColumns[] = {"パターン", "種類", "RF1",
                                                      "RF2",      "RFe",  "Wea"};
      const std::string column = e.column >= 1 && e.column <= 6
                                     ? std::string(kColumns[e.column - 1])
                                     : std::to_string(e.column) + " 列目";
      return e.subject + " の " + Line(e.line) + "（" + column +
             "）: 岩相の対応表の書き方が正しくありません。";
    }
    case Refusal::kNone: break;
  }
  return {};
}

std::string PaperRefusal(const files::Error& e) {
  if (!e.paper || !e.fits) return std::string(kNoPaperFitsMessage);
  return std::string(kPaperTooSmallHead) + PaperName(*e.paper) + std::string(kPaperTooSmallTail) +
         "\n" + PaperName(*e.fits) + std::string(kPaperFitsTail);
}

std::string WithReason(std::string_view message, const std::string& reason) {
  std::string text(message);
  if (!reason.empty()) text += "\n" + reason;
  return text;
}

}  // namespace

std::string PaperName(files::Paper paper) {
  return std::string(paper.size == files::PaperSize::kA4 ? "A4" : "A3") +
         (paper.landscape ? " 横" : " 縦");
}

std::string ErrnoReason(int errnum) {
  switch (errnum) {
    case 0: return {};
    case ENOENT: return "ファイルまたはフォルダがありません。";
    case EACCES:
    case EPERM: return "アクセスが拒否されました。";
    case ENOSPC: return "ディスクの空き容量が不足しています";
    case EDQUOT: return "ディスクの使用量の上限に達しました。";
    case EIO: return "入出力エラーが発生しました";
    case EROFS: return "書き込みのできない場所です。";
    case EISDIR: return "フォルダです。";
    case ENOTDIR: return "途中の名前がフォルダではありません。";
    case ENAMETOOLONG: return "ファイル名が長すぎます。";
    case ELOOP: return "シンボリックリンクが多すぎるか、リンクをたどれない場所です。";
    case EEXIST: return "同じ名前のファイルがすでにあります。";
    case EMFILE:
    case ENFILE: return "開いているファイルが多すぎます。";
    case ENOMEM: return "メモリが足りません。";
    case EFBIG: return "ファイルが大きすぎます。";
    case EOVERFLOW: return "ファイルが大きすぎて扱えません。";
    case EBUSY:
    case ETXTBSY: return "ファイルが使用中です。";
    case EXDEV: return "別のディスクへは移せません。";
    case ENXIO:
    case ENODEV: return "装置がありません。";
    case EMLINK: return "リンクの数が上限に達しました。";
    case ENOTEMPTY: return "フォルダが空ではありません。";
    case EAGAIN: return "ファイルが一時的に使えません。もう一度お試しください。";
    case EINTR: return "操作が中断されました。";
    case EPIPE: return "書き込み先が閉じられました。";
    case ESTALE: return "ネットワーク上のファイルが見つからなくなりました。";
    case EINVAL: return "この場所では使えない操作です。";
    case ENOLCK: return "ファイルをロックできません。";
    case EBADF: return "ファイルが正しく開かれていません。";
    case ENOTSUP: return "このファイルシステムでは使えない操作です。";
    default: return "予期しないエラーが発生しました（エラー番号 " + std::to_string(errnum) + "）。";
  }
}

std::string DescribeFailure(const files::Error& error) {
  using files::ErrorKind;
  switch (error.kind) {
    case ErrorKind::kCannotOpen: return WithReason(kCannotOpenMessage, ErrnoReason(error.errnum));
    case ErrorKind::kNotRegularFile:
      return WithReason(kCannotOpenMessage,
                        "フォルダや装置、名前付きパイプなど、通常のファイルではありません。");
    case ErrorKind::kTooLarge:
      return WithReason(kCannotOpenMessage, "ファイルが大きすぎます（上限 " +
                                                std::to_string(error.count / 1024) + " MB）。");
    case ErrorKind::kOutOfMemory: return std::string(kOutOfMemoryMessage);
    case ErrorKind::kCannotWrite: return WithReason(kCannotWriteMessage, ErrnoReason(error.errnum));
    case ErrorKind::kCannotDelete:
      return WithReason(error.subject + std::string(kCannotDeleteTail), ErrnoReason(error.errnum));
    case ErrorKind::kRefusedFile: return WithReason(kImportFailedMessage, RefusalDetail(error));
    case ErrorKind::kTableFull: return std::string(kTableFullMessage);
    case ErrorKind::kImageFailed: return std::string(kImageFailedMessage);
    case ErrorKind::kPaperTooSmall: return PaperRefusal(error);
    case ErrorKind::kNoImportRules: return std::string(kNoImportRulesHead) + error.subject;
  }
  return std::string(kCannotOpenMessage);
}

std::string ImpossibleCodeMessage(int column, std::string_view value) {
  return std::to_string(column) + " 列目（" + std::string(files::ColumnName(column)) + "）の値 " +
         std::string(value) + " は入力画面で選べない値です。";
}

std::vector<std::string> LoadFailureMessages(const files::Error& error) {
  std::vector<std::string> messages{DescribeFailure(error)};
  if (error.kind != files::ErrorKind::kRefusedFile) messages.emplace_back(kImportFailedMessage);
  return messages;
}

}  // namespace borvik::editor
