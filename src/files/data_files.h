#pragma once
// Where the program's own data (built-in textures, icons, import rules) is
// found: the working folder first, then beside the program, then in the
// share/borvik folder of the program's own prefix (an install moved to
// another prefix still finds its data), then in the data folder the build
// was configured for.

#include <filesystem>
#include <optional>
#include <vector>

namespace borvik::files {

std::vector<std::filesystem::path> DataFolders();

// The first of the data folders that holds the file `relative` names.
std::optional<std::filesystem::path> FindDataFile(const std::filesystem::path& relative);

}  // namespace borvik::files
