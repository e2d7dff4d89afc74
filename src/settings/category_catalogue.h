#pragma once
// Names and textures of the numbered categories a layer refers to: six
// bedrock types, seven sedimentary structures, nine other features. Layers
// keep only the numbers, so a log drawn under another catalogue shows that
// catalogue's names and pictures.

#include <array>
#include <string>

namespace borvik::settings {

struct CategoryEntry {
  std::string name;         // UTF-8
  std::string texturePath;  // UTF-8; relative defaults use backslashes

  friend bool operator==(const CategoryEntry&, const CategoryEntry&) = default;
};

inline constexpr int kBedrockSlots = 6;
inline constexpr int kStructureSlots = 7;
inline constexpr int kFeatureSlots = 9;
inline constexpr int kCatalogueEntries = kBedrockSlots + kStructureSlots + kFeatureSlots;

struct CategoryCatalogue {
  std::array<CategoryEntry, kBedrockSlots> bedrock;
  std::array<CategoryEntry, kStructureSlots> structures;
  std::array<CategoryEntry, kFeatureSlots> features;

  // The built-in names and textures.
  static CategoryCatalogue Defaults();

  // Entry i of the 22 in file order: bedrock 1-6, structures 1-7, features 1-9.
  CategoryEntry& At(int index);
  const CategoryEntry& At(int index) const;

  friend bool operator==(const CategoryCatalogue&, const CategoryCatalogue&) = default;
};

}  // namespace borvik::settings
