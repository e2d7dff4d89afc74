#include "render/texture_files.h"

#include <unistd.h>

#include <string>
#include <system_error>

namespace borvik::render {
namespace {

std::filesystem::path ProgramDirectory() {
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::path{} : exe.parent_path();
}

bool IsFile(const std::filesystem::path& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

}  // namespace

std::filesystem::path ResolveTexturePath(std::string_view path) {
  std::string mapped(path);
  for (char& c : mapped) {
    if (c == '\\') c = '/';
  }
  std::filesystem::path relative(mapped);
  if (relative.is_absolute() || mapped.empty()) return relative;
  if (IsFile(relative)) return relative;
  static const std::filesystem::path programDir = ProgramDirectory();
  if (!programDir.empty() && IsFile(programDir / relative)) return programDir / relative;
#ifdef BORVIK_DATA_DIR
  const std::filesystem::path installed = std::filesystem::path(BORVIK_DATA_DIR) / relative;
  if (IsFile(installed)) return installed;
#endif
  return relative;
}

}  // namespace borvik::render
