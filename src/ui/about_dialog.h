#pragma once
// Borvikについて: the icon, "Borvik ver.1.1" and OK.

#include <wx/dialog.h>

namespace borvik::ui {

class CAboutDlg final : public wxDialog {
 public:
  explicit CAboutDlg(wxWindow* parent);
};

}  // namespace borvik::ui
