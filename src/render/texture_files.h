#pragma once
// Built-in texture names, and where a texture path is looked for.

#include <filesystem>
#include <string_view>

namespace borvik::render {

// Built-in patterns, written as the catalogue writes its defaults.
namespace builtin {
inline constexpr std::string_view kSand = R"(TEX\SYSTEM\sand.png)";
inline constexpr std::string_view kFineAsh = R"(TEX\SYSTEM\fash.png)";
inline constexpr std::string_view kCoarseAsh = R"(TEX\SYSTEM\cash.png)";
inline constexpr std::string_view kLoamySand = R"(TEX\SYSTEM\loamysand.png)";
inline constexpr std::string_view kHumicSand = R"(TEX\SYSTEM\humicsand.png)";
inline constexpr std::string_view kOrganicSand = R"(TEX\SYSTEM\organic_sand.png)";
inline constexpr std::string_view kCalcSand = R"(TEX\SYSTEM\calcsand.png)";
inline constexpr std::string_view kGravel = R"(TEX\SYSTEM\gravel.png)";
inline constexpr std::string_view kLapilli = R"(TEX\SYSTEM\lapilli.png)";
inline constexpr std::string_view kBreccia = R"(TEX\SYSTEM\breccia.png)";
inline constexpr std::string_view kHumicGravel = R"(TEX\SYSTEM\humicgravel.png)";
inline constexpr std::string_view kOrganicGravel = R"(TEX\SYSTEM\organic_gravel.png)";
inline constexpr std::string_view kCalcGravel = R"(TEX\SYSTEM\calcgravel.png)";
inline constexpr std::string_view kLoam = R"(TEX\SYSTEM\loam.png)";
inline constexpr std::string_view kHumicMud = R"(TEX\SYSTEM\humicmud.png)";
inline constexpr std::string_view kOrganicMud = R"(TEX\SYSTEM\organic_mud.png)";
inline constexpr std::string_view kCalcMud = R"(TEX\SYSTEM\calcmud.png)";
inline constexpr std::string_view kWhite = R"(TEX\SYSTEM\white.png)";
inline constexpr std::string_view kRockface = R"(TEX\SYSTEM\rockface.png)";
}  // namespace builtin

// The file a texture path names. Backslashes separate folders. A relative
// path is looked for in the data folders (files/data_files.h), the working
// directory first; when none has it, the working-directory path is returned
// (and fails to open).
std::filesystem::path ResolveTexturePath(std::string_view path);

// Whether the built-in textures can be found at all: without them every
// pattern and icon is drawn blank, which the user must hear of.
bool BuiltInTexturesFound();

}  // namespace borvik::render
