#pragma once
// Every byte the program reads or writes goes through these calls, so that
// each write is checked to the end (short writes, a full disk, a failed close)
// and a replaced file is either the old one or the complete new one.

#include <filesystem>
#include <string>
#include <string_view>

namespace borvik::files {

struct IoResult {
  bool ok = true;
  int error = 0;  // errno of the first failure

  explicit operator bool() const { return ok; }
  static IoResult Failure(int err) { return {false, err}; }
};

// Reads the whole file. Fails when it cannot be opened or read.
IoResult ReadWholeFile(const std::filesystem::path& path, std::string& bytes);

// Writes the bytes to a temporary file beside the target, flushes it to the
// disk and renames it over the target. On any failure the target is left as
// it was and the temporary file is removed.
IoResult WriteFileAtomic(const std::filesystem::path& path, std::string_view bytes);

// Appends the bytes and flushes them to the disk. On failure the file is cut
// back to its old length, so it never ends in a partial line.
IoResult AppendToFile(const std::filesystem::path& path, std::string_view bytes);

// Removes the file. A file that is already gone is not an error.
IoResult RemoveFile(const std::filesystem::path& path);

// True when the file can be opened for reading.
bool CanOpenForReading(const std::filesystem::path& path);

}  // namespace borvik::files
