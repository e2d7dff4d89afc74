#pragma once
// How a file operation or an export failed: a kind with the facts that
// explain it. The core never words a failure; editor/messages chooses the
// Japanese text for each kind, for the window and the command line alike.

#include <optional>
#include <string>
#include <utility>

#include "files/document_format.h"

namespace borvik::files {

enum class ErrorKind {
  kCannotOpen,      // opening or reading failed (errnum)
  kNotRegularFile,  // a device, pipe or socket where a file was expected
  kTooLarge,        // far larger than a file of its kind can be (count: the limit in KB)
  kOutOfMemory,     // the memory ran out
  kCannotWrite,     // writing, flushing or replacing the file failed (errnum)
  kCannotDelete,    // the file could not be removed (errnum, subject)
  kRefusedFile,     // the file was read but its content is refused (refusal, line, column)
  kTableFull,       // a 1000th layer
  kImageFailed,     // the picture could not be drawn or encoded
  kPaperTooSmall,   // a sheet of the log does not fit the paper (paper, fits)
  kNoImportRules,   // the import's built-in name rules are missing (subject: the file sought)
};

// Why a layer file's content was refused.
enum class Refusal {
  kNone,
  kTooFewFields,         // count: the fields the line has
  kNoNumber,             // column: a field without a number
  kOutOfRange,           // column: a number out of range for its type
  kHeadWithoutComma,     // line 1 has no comma after the name
  kElevationNoNumber,    // line 1
  kElevationOutOfRange,  // line 1
  kTooManyLayers,        // a 1000th layer line (or layer element)
  // Boring exchange files (subject: the element concerned, count: the layer, from 1).
  kNotExchangeFile,      // the root element (subject) is not ボーリング情報
  kXmlTruncated,         // the file ends inside an element
  kXmlMalformed,         // not well-formed XML at line and column
  kLayerWithoutDepth,    // a layer element with no bottom depth
  kLayerDepthNotNumber,  // a bottom depth that is no number
  kLayerDepthNegative,   // a bottom depth below zero
  kLayerDepthBackwards,  // a bottom depth above the previous layer's
  // Import rule files (subject: the file).
  kBadRule,  // line, column: a field that does not fit its column
};

struct Error {
  ErrorKind kind = ErrorKind::kCannotOpen;
  int errnum = 0;  // errno of the failed call, 0 when none applies
  Refusal refusal = Refusal::kNone;
  int line = 0;    // from 1
  int column = 0;  // from 1
  int count = 0;
  std::string subject;         // the file the message names, when it names one
  std::optional<Paper> paper;  // kPaperTooSmall: the largest paper tried
  std::optional<Paper> fits;   // kPaperTooSmall: a paper that would hold a sheet, if any

  friend bool operator==(const Error&, const Error&) = default;
};

inline Error Failure(ErrorKind kind, int errnum = 0) {
  Error e;
  e.kind = kind;
  e.errnum = errnum;
  return e;
}
inline Error CannotOpen(int errnum) { return Failure(ErrorKind::kCannotOpen, errnum); }
inline Error CannotWrite(int errnum) { return Failure(ErrorKind::kCannotWrite, errnum); }
inline Error Refused(Refusal refusal, int line, int column = 0, int count = 0) {
  Error e = Failure(ErrorKind::kRefusedFile);
  e.refusal = refusal;
  e.line = line;
  e.column = column;
  e.count = count;
  return e;
}

// Success, or the error that ended the operation.
struct Status {
  std::optional<Error> error;

  explicit operator bool() const { return !error.has_value(); }
  bool Is(ErrorKind kind) const { return error && error->kind == kind; }
  static Status Ok() { return {}; }
  static Status Fail(Error e) { return {std::move(e)}; }
};

}  // namespace borvik::files
