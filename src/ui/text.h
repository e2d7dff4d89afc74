#pragma once
// UTF-8 inside the program, wxString at the toolkit's edge.

#include <wx/string.h>

#include <filesystem>
#include <string>
#include <string_view>

namespace borvik::ui {

inline wxString Wx(std::string_view utf8) {
  return wxString::FromUTF8(utf8.data(), utf8.size());
}
inline std::string Utf8(const wxString& text) {
  const wxScopedCharBuffer buffer = text.utf8_str();
  return std::string(buffer.data(), buffer.length());
}
inline std::filesystem::path Path(const wxString& text) {
  return std::filesystem::path(std::string(text.fn_str()));
}

}  // namespace borvik::ui
