// The README's pictures of the real window (docs/window-*.png,
// docs/layer-list.png and docs/settings-dialog.png), taken on a virtual
// display by tools/screenshots.
// Run from the source folder: the example log and the textures are found
// there.

#include <wx/app.h>
#include <wx/init.h>
#include <wx/utils.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "editor/main_window_state.h"
#include "files/work_file_lease.h"
#include "ui/app.h"
#include "ui/ids.h"
#include "ui/layer_list_window.h"
#include "ui/main_window.h"
#include "ui/settings_window.h"

namespace {

void Settle(int rounds = 40) {
  for (int i = 0; i < rounds; ++i) {
    wxTheApp->ProcessPendingEvents();
    wxYield();
    wxMilliSleep(5);
  }
}

// A rectangle of the screen, as a PNG.
bool Shoot(const wxRect& r, const std::filesystem::path& file) {
  const std::string command = "import -window root -crop " + std::to_string(r.width) + "x" +
                              std::to_string(r.height) + "+" + std::to_string(r.x) + "+" +
                              std::to_string(r.y) + " '" + file.string() + "'";
  if (std::system(command.c_str()) != 0) {
    std::fprintf(stderr, "screenshots: %s failed\n", command.c_str());
    return false;
  }
  return true;
}

bool Shoot(wxWindow* window, const std::filesystem::path& file) {
  window->Raise();
  Settle();
  return Shoot(window->GetScreenRect(), file);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("使い方: borvik-screenshots DOCS-FOLDER\n", stderr);
    return 2;
  }
  const std::filesystem::path docs = std::filesystem::absolute(argv[1]);
  wxApp::SetInstance(new wxApp);
  // The folder is ours, not an option of the toolkit's command line.
  int toolkitArgc = 1;
  if (!wxEntryStart(toolkitArgc, argv)) return 1;
  wxTheApp->CallOnInit();
  borvik::ui::ApplyCompactStyle();
  // The work file goes to a scratch folder, not into the source tree.
  borvik::files::LeaseRequest request;
  request.folder = std::filesystem::temp_directory_path();
  auto* window = new borvik::ui::CBorvikDlg(borvik::files::WorkFileLease::Acquire(request));
  window->Move(0, 0);
  window->Show();
  Settle();
  bool ok = Shoot(window, docs / "window-empty.png");

  window->AfterShow(std::filesystem::path("examples/b-1.csv"));
  wxCommandEvent legend(wxEVT_BUTTON, borvik::editor::control::kShowLegend);
  window->FindWindow(borvik::editor::control::kShowLegend)->ProcessWindowEvent(legend);
  Settle();
  ok = Shoot(window, docs / "window-example.png") && ok;

  // 層の一覧 beside the window, a layer picked in it.
  wxCommandEvent list(wxEVT_MENU, borvik::ui::MenuId(borvik::ui::command::kLayerList));
  window->ProcessWindowEvent(list);
  Settle();
  window->Run([window] { window->Editor().ShowLayer(3); });
  Settle();
  window->Raise();
  window->LayerList()->Raise();
  Settle();
  ok = Shoot(window->GetScreenRect().Union(window->LayerList()->GetScreenRect()),
             docs / "layer-list.png") &&
       ok;
  window->LayerList()->Hide();

  auto* settings = new borvik::ui::CSetting(window, window->EditorPlatform());
  settings->Move(0, 0);
  settings->Show();
  Settle();
  ok = Shoot(settings, docs / "settings-dialog.png") && ok;
  settings->Destroy();
  window->Close(true);
  Settle();
  wxEntryCleanup();
  return ok ? 0 : 1;
}
