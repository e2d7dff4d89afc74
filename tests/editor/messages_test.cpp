// The words of every kind of failure, as the window and the command line
// show them.

#include "editor/messages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cerrno>

namespace borvik::editor {
namespace {

using files::ErrorKind;
using files::Refusal;

TEST(DescribeFailure, WordsEveryKind) {
  files::Error deleted = files::Failure(ErrorKind::kCannotDelete, EBUSY);
  deleted.subject = "temp.csv";
  files::Error large = files::Failure(ErrorKind::kTooLarge);
  large.count = 16 * 1024;
  const struct {
    files::Error error;
    std::string words;
  } cases[] = {
      {files::CannotOpen(ENOENT),
       "ファイルを開くことができませんでした\nファイルまたはフォルダがありません。"},
      {files::CannotOpen(0), "ファイルを開くことができませんでした"},
      {files::CannotWrite(ENOSPC),
       "ファイルに書き込むことができませんでした\nディスクの空き容量が不足しています"},
      {files::CannotWrite(EIO),
       "ファイルに書き込むことができませんでした\n入出力エラーが発生しました"},
      {files::CannotWrite(12345),
       "ファイルに書き込むことができませんでした\n予期しないエラーが発生しました（エラー番号 "
       "12345）。"},
      {deleted, "temp.csv を削除できませんでした。\nファイルが使用中です。"},
      {files::Refused(Refusal::kTooFewFields, 4, 0, 30),
       "ファイルの取り込みに失敗しました。\n4 行目: 値が 31 個ありません（30 個）。"},
      {files::Refused(Refusal::kOutOfRange, 3, 5),
       "ファイルの取り込みに失敗しました。\n3 行目 5 列目（Bou）: 値が範囲外です。"},
      {files::Refused(Refusal::kNoNumber, 3, 31),
       "ファイルの取り込みに失敗しました。\n3 行目 31 列目（Sa4）: 数値がありません。"},
      {files::Refused(Refusal::kHeadWithoutComma, 1),
       "ファイルの取り込みに失敗しました。\n1 行目: 柱状図名と標高を区切るコンマがありません。"},
      {files::Refused(Refusal::kTooManyLayers, 1002),
       "ファイルの取り込みに失敗しました。\n1002 行目: 層の数が上限の 999 を超えています。"},
      {files::Failure(ErrorKind::kTableFull), std::string(kTableFullMessage)},
      {files::Failure(ErrorKind::kImageFailed), "画像を作成できませんでした。"},
      {files::Failure(ErrorKind::kNotRegularFile),
       "ファイルを開くことができませんでした\nフォルダや装置、名前付きパイプなど、通常のファイルで"
       "はありません。"},
      {large, "ファイルを開くことができませんでした\nファイルが大きすぎます（上限 16 MB）。"},
      {files::Failure(ErrorKind::kOutOfMemory),
       "メモリが足りないため、処理を続けられませんでした。"},
  };
  for (const auto& c : cases) EXPECT_EQ(DescribeFailure(c.error), c.words);
}

// Every errno a file operation can meet has Japanese words of its own.
TEST(ErrnoReason, NoFileErrorIsLeftInEnglish) {
  for (const int errnum :
       {ENOENT,    EACCES,       EPERM,   ENOSPC, EDQUOT, EIO,    EROFS,  EISDIR,
        ENOTDIR,   ENAMETOOLONG, ELOOP,   EEXIST, EMFILE, ENFILE, ENOMEM, EFBIG,
        EOVERFLOW, EBUSY,        ETXTBSY, EXDEV,  ENXIO,  ENODEV, EMLINK, ENOTEMPTY,
        EAGAIN,    EINTR,        EPIPE,   ESTALE, EINVAL, ENOLCK, EBADF,  ENOTSUP}) {
    const std::string reason = ErrnoReason(errnum);
    EXPECT_FALSE(reason.empty()) << errnum;
    EXPECT_EQ(reason.find("エラー番号"), std::string::npos) << errnum;
    for (const char c : reason)
      EXPECT_FALSE(c >= 'A' && c <= 'z' && c != 'M' && c != 'B') << errnum;
  }
}

TEST(LoadFailureMessages, AFileThatCannotBeReadIsAlsoAnImportThatFailed) {
  EXPECT_EQ(LoadFailureMessages(files::CannotOpen(ENOENT)),
            (std::vector<std::string>{
                "ファイルを開くことができませんでした\nファイルまたはフォルダがありません。",
                std::string(kImportFailedMessage)}));
  EXPECT_EQ(LoadFailureMessages(files::Refused(Refusal::kNoNumber, 3, 1)),
            (std::vector<std::string>{
                "ファイルの取り込みに失敗しました。\n3 行目 1 列目（top）: 数値がありません。"}));
}

}  // namespace
}  // namespace borvik::editor
