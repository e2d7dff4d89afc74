// The crash half of the GUI tests: the real window enters three layers in
// the folder it is given, writes "ready" there, and waits to be killed.

#include <unistd.h>
#include <wx/app.h>
#include <wx/checkbox.h>
#include <wx/init.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include <fstream>

#include "editor/main_window_state.h"
#include "files/work_file_lease.h"
#include "ui/app.h"
#include "ui/main_window.h"
#include "ui/text.h"

namespace {

void Settle(int rounds) {
  for (int i = 0; i < rounds; ++i) {
    wxTheApp->ProcessPendingEvents();
    wxYield();
    wxMilliSleep(5);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 || ::chdir(argv[1]) != 0) return 2;
  wxApp::SetInstance(new wxApp);
  // The folder is ours, not an option of the toolkit's command line.
  int toolkitArgc = 1;
  if (!wxEntryStart(toolkitArgc, argv)) return 2;
  wxTheApp->CallOnInit();
  borvik::ui::ApplyCompactStyle();
  namespace id = borvik::editor::control;
  auto* window = new borvik::ui::CBorvikDlg(borvik::files::WorkFileLease::Acquire());
  window->Show();
  Settle(20);
  auto type = [&](int controlId, const char* text) {
    dynamic_cast<wxTextCtrl*>(window->FindWindow(controlId))->SetValue(borvik::ui::Wx(text));
  };
  type(id::kName, "B-9 事故");
  type(id::kElevation, "3.5");
  for (const char* bottom : {"1.5", "4", "7.25"}) {
    type(id::kBot, bottom);
    dynamic_cast<wxCheckBox*>(window->FindWindow(1010))->SetValue(true);
    wxCommandEvent press(wxEVT_BUTTON, id::kEnter);
    window->FindWindow(id::kEnter)->ProcessWindowEvent(press);
    Settle(3);
  }
  std::ofstream("ready").flush();
  for (;;) Settle(1);
}
