#include "ui/program_icon.h"

#include <wx/image.h>
#include <wx/log.h>

#include <string>

#include "render/texture_files.h"

namespace borvik::ui {
namespace {

wxString IconFile(int size) {
  const auto path = render::ResolveTexturePath("icons\\borvik-" + std::to_string(size) + ".png");
  return wxString(path.string());
}

}  // namespace

wxBitmap ProgramIcon(int size) {
  // A missing icon is no error worth a message box.
  wxLogNull quiet;
  wxImage image;
  if (!image.LoadFile(IconFile(size), wxBITMAP_TYPE_PNG)) return wxBitmap(size, size);
  return wxBitmap(image);
}

wxIconBundle ProgramIcons() {
  wxLogNull quiet;
  wxIconBundle bundle;
  for (const int size : {16, 32, 48, 64, 128, 256}) {
    wxImage image;
    if (!image.LoadFile(IconFile(size), wxBITMAP_TYPE_PNG)) continue;
    wxIcon icon;
    icon.CopyFromBitmap(wxBitmap(image));
    bundle.AddIcon(icon);
  }
  return bundle;
}

}  // namespace borvik::ui
