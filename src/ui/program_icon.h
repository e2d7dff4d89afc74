#pragma once
// The program icon, from the PNGs installed beside the textures.

#include <wx/bitmap.h>
#include <wx/iconbndl.h>

namespace borvik::ui {

wxBitmap ProgramIcon(int size);
wxIconBundle ProgramIcons();

}  // namespace borvik::ui
