#pragma once
// Every byte the program reads or writes goes through these calls, so that
// each write is checked to the end (short writes, a full disk, a failed close)
// and a replaced file is either the old one or the complete new one.

#include <filesystem>
#include <string>
#include <string_view>

#include "files/error.h"

namespace borvik::files {

// Reads the whole file. kCannotOpen when it cannot be opened or read.
Status ReadWholeFile(const std::filesystem::path& path, std::string& bytes);

// Writes the bytes to a temporary file beside the target, flushes it to the
// disk and renames it over the target. On any failure the target is left as
// it was and the temporary file is removed: kCannotOpen when the temporary
// file cannot be created, kCannotWrite when a later step fails.
Status WriteFileAtomic(const std::filesystem::path& path, std::string_view bytes);

// Appends the bytes and flushes them to the disk. On failure the file is cut
// back to its old length, so it never ends in a partial line.
Status AppendToFile(const std::filesystem::path& path, std::string_view bytes);

// Removes the file. A file that is already gone is not an error; any other
// failure is kCannotDelete naming the file.
Status RemoveFile(const std::filesystem::path& path);

// Flushes a folder's entries (a rename, a new file) to the disk. Best
// effort: some filesystems cannot sync a folder.
void SyncFolder(const std::filesystem::path& folder);

// True when the file can be opened for reading.
bool CanOpenForReading(const std::filesystem::path& path);

}  // namespace borvik::files
