#pragma once
// The settings file (*.set): 25 lines carrying the 22 names and texture
// paths of the catalogue by position. Names are UTF-8, paths CP932.

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

#include "files/error.h"
#include "settings/category_catalogue.h"

namespace borvik::settings {

// The 22 rows in file order: bedrock 1-6, structures 1-7, features 1-9.
using SettingsRows = std::array<CategoryEntry, kCatalogueEntries>;

SettingsRows RowsOf(const CategoryCatalogue& catalogue);

// Appends the file text: section lines, one "name,path" line per row, CR LF
// after every line but the last.
void WriteSettingsFile(std::string& out, const SettingsRows& rows);

// Writes the file, replacing the target whole or not at all.
files::Status SaveSettingsFile(const std::filesystem::path& path, const SettingsRows& rows);

// Reads settings text into the catalogue, one pass per complete set, so a
// file with two sets leaves the second. Section lines are not compared. Each
// name and path is assigned as it is read; whatever the text ends before is
// left as it was.
void ParseSettingsFile(std::string_view bytes, CategoryCatalogue& catalogue);

// Reads the file into the catalogue; kCannotOpen, with the catalogue
// unchanged, when the file cannot be opened.
files::Status LoadSettingsFile(const std::filesystem::path& path, CategoryCatalogue& catalogue);

}  // namespace borvik::settings
