#include "files/data_files.h"

#include <system_error>

namespace borvik::files {
namespace {

std::filesystem::path ProgramFolder() {
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::path{} : exe.parent_path();
}

}  // namespace

std::vector<std::filesystem::path> DataFolders() {
  static const std::filesystem::path program = ProgramFolder();
  std::vector<std::filesystem::path> folders{"."};
  if (!program.empty()) {
    folders.push_back(program);
    folders.push_back(program.parent_path() / "share" / "borvik");
  }
#ifdef BORVIK_DATA_DIR
  folders.emplace_back(BORVIK_DATA_DIR);
#endif
  return folders;
}

std::optional<std::filesystem::path> FindDataFile(const std::filesystem::path& relative) {
  for (const std::filesystem::path& folder : DataFolders()) {
    const std::filesystem::path candidate = folder == "." ? relative : folder / relative;
    std::error_code ec;
    if (std::filesystem::is_regular_file(candidate, ec)) return candidate;
  }
  return std::nullopt;
}

}  // namespace borvik::files
