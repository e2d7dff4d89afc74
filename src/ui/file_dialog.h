#pragma once
// File dialog filters and names as the toolkit takes them.

#include <filesystem>
#include <string>
#include <string_view>

namespace borvik::ui {

// "説明 (*.csv)|*.csv||" as wx writes it: without the final "||".
std::string WxFilter(std::string_view filter);
// The chosen name with the default extension added when it has none.
std::filesystem::path WithDefaultExtension(std::filesystem::path path, std::string_view extension);

}  // namespace borvik::ui
