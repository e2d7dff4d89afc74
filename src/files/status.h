#pragma once
// How a file operation ended. The core shows nothing: the message (one of
// the program's fixed texts) and its detail reach the editor, which shows
// them.

#include <string>

namespace borvik::files {

inline constexpr const char* kCannotOpenMessage = "ファイルを開くことができませんでした";
inline constexpr const char* kImportFailedMessage = "ファイルの取り込みに失敗しました。";
inline constexpr const char* kCannotWriteMessage = "ファイルに書き込むことができませんでした";

struct Status {
  bool ok = true;
  std::string message;  // empty when ok
  std::string detail;   // what exactly went wrong, for the message box

  explicit operator bool() const { return ok; }
  static Status Ok() { return {}; }
  static Status Fail(std::string message, std::string detail = {}) {
    return {false, std::move(message), std::move(detail)};
  }
};

// A short Japanese description of an errno value for message details.
std::string DescribeError(int error);

}  // namespace borvik::files
