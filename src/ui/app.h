#pragma once
// CBorvikApp: starts the toolkit and opens the main window.

#include <wx/app.h>

namespace borvik::ui {

class CBorvikApp : public wxApp {
 public:
  bool OnInit() override;
};

// Looks that fit the form into the window at GTK's control sizes.
void ApplyCompactStyle();

}  // namespace borvik::ui
