#include "ui/file_dialog.h"

namespace borvik::ui {

std::string WxFilter(std::string_view filter) {
  std::string wx(filter);
  while (wx.ends_with("|")) wx.pop_back();
  return wx;
}

std::filesystem::path WithDefaultExtension(std::filesystem::path path, std::string_view extension) {
  if (!extension.empty() && path.extension().empty()) path += "." + std::string(extension);
  return path;
}

}  // namespace borvik::ui
