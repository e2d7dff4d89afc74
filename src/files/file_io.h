#pragma once
// Every byte the program reads or writes goes through these calls, so that
// each write is checked to the end (short writes, a full disk, a failed close)
// and a replaced file is either the old one or the complete new one.

#include <filesystem>
#include <string>
#include <string_view>

#include "files/error.h"

namespace borvik::files {

// How much a file read whole may hold: far more than any file of its kind
// can need, so that a wrong file is refused before it fills the memory.
inline constexpr std::size_t kMaxLayerFileBytes = 16u << 20;  // 999 layers: about 130 KB
inline constexpr std::size_t kMaxSettingsFileBytes = 1u << 20;  // a few KB
inline constexpr std::size_t kMaxTextureFileBytes = 96u << 20;  // 4096 x 4096 stored raw
inline constexpr std::size_t kMaxExchangeFileBytes = 64u << 20;  // real ones: under 100 KB
inline constexpr std::size_t kMaxNameRulesFileBytes = 4u << 20;  // the built-in one: a few KB

// Reads the whole file: kCannotOpen when it cannot be opened or read,
// kNotRegularFile for a folder's device, pipe or socket (refused at once,
// never waited on), kTooLarge beyond maxBytes.
Status ReadWholeFile(const std::filesystem::path& path, std::string& bytes, std::size_t maxBytes);

// What a write does with a target that is a symbolic link: write the file
// it points at (a file the user chose), or refuse it (a file of our own,
// such as the work file, which no one else should redirect).
enum class Links { kFollow, kRefuse };

// Writes the bytes to a temporary file of its own beside the target
// (created exclusively, never through a planted name), flushes it and
// renames it over the target, which keeps its permissions; a target with
// other hard links is overwritten in place once the new content is safe.
// On any failure the target is left as it was and the temporary file is
// removed: kCannotOpen when the temporary file cannot be created,
// kCannotWrite when a later step fails. Two writers of one target leave one
// of their files, whole.
Status WriteFileAtomic(const std::filesystem::path& path, std::string_view bytes,
                       Links links = Links::kFollow);

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
