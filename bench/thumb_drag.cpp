// Dragging the scroll bar's thumb across the largest log in the real window,
// on the display DISPLAY names (tests/gui/with_xvfb.sh gives a virtual one):
// scroll events arrive as a mouse gives them, 125 a second, back and forth
// across the bar for a few seconds, and the event loop turns between them.
// Prints how many frames were shown per second.
//   tests/gui/with_xvfb.sh build/bench/thumb_drag [SECONDS]

#include <wx/app.h>
#include <wx/init.h>
#include <wx/scrolbar.h>
#include <wx/utils.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "editor/main_window_state.h"
#include "files/file_io.h"
#include "files/work_file_lease.h"
#include "support/large_logs.h"
#include "support/temp_dir.h"
#include "ui/app.h"
#include "ui/gl_picture.h"
#include "ui/main_window.h"

namespace {

using Clock = std::chrono::steady_clock;

void Settle(int rounds) {
  for (int i = 0; i < rounds; ++i) {
    wxTheApp->ProcessPendingEvents();
    wxYield();
    wxMilliSleep(5);
  }
}

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

}  // namespace

int main(int argc, char** argv) {
  using namespace borvik;
  const double seconds = argc > 1 ? std::atof(argv[1]) : 4.0;
  int wxArgc = 1;
  wxApp::SetInstance(new wxApp);
  if (!wxEntryStart(wxArgc, argv)) return 2;
  wxTheApp->CallOnInit();
  ui::ApplyCompactStyle();

  // A working folder of its own, with the built-in textures, and the log.
  const testing::TempDir folder;
  std::filesystem::current_path(folder.Path());
  std::filesystem::create_directory_symlink(std::filesystem::path(BORVIK_SOURCE_DIR) / "TEX",
                                            "TEX");
  const testing::LargeLog log(testing::LogKind::kCrossing, 1, 0);
  if (!files::WriteFileAtomic("log.csv", log.Csv())) return 1;

  auto* window = new ui::CBorvikDlg(files::WorkFileLease::Acquire());
  window->Show();
  Settle(20);
  window->AfterShow(folder / "log.csv");
  window->Run([window] { window->Editor().OnDisplayToggle(editor::control::kShowLegend); });
  Settle(40);
  auto* bar = dynamic_cast<wxScrollBar*>(window->FindWindow(editor::control::kScrollBar));
  if (!bar) return 1;

  const int framesBefore = window->Picture().FramesShown();
  const Clock::time_point start = Clock::now();
  const auto eventGap = std::chrono::milliseconds(8);
  Clock::time_point nextEvent = start;
  int events = 0;
  while (Clock::now() - start < std::chrono::duration<double>(seconds)) {
    if (Clock::now() >= nextEvent) {
      // Back and forth over the bar's whole range, 0 to 50.
      const int step = events % 100;
      const int position = step <= 50 ? step : 100 - step;
      wxScrollEvent event(wxEVT_SCROLL_THUMBTRACK, editor::control::kScrollBar, position,
                          wxHORIZONTAL);
      event.SetEventObject(bar);
      bar->ProcessWindowEvent(event);
      ++events;
      nextEvent += eventGap;
    }
    wxTheApp->ProcessPendingEvents();
    wxYield();
    wxMilliSleep(1);
  }
  const double elapsed = Seconds(Clock::now() - start);
  const int frames = window->Picture().FramesShown() - framesBefore;
  std::printf(
      "thumb drag over %d layers: %d scroll events in %.1f s, %d frames shown, %.1f frames/s\n",
      log.document->layers.LayerCount(), events, elapsed, frames, frames / elapsed);
  window->Close(true);
  Settle(10);
  wxEntryCleanup();
  return 0;
}
