#include "render/texture_files.h"

#include <string>

#include "files/data_files.h"

namespace borvik::render {

std::filesystem::path ResolveTexturePath(std::string_view path) {
  std::string mapped(path);
  for (char& c : mapped) {
    if (c == '\\') c = '/';
  }
  std::filesystem::path relative(mapped);
  if (relative.is_absolute() || mapped.empty()) return relative;
  return files::FindDataFile(relative).value_or(relative);
}

bool BuiltInTexturesFound() { return files::FindDataFile("TEX/SYSTEM/white.png").has_value(); }

}  // namespace borvik::render
