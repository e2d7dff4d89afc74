// The GUI tests start the toolkit once and run on its thread.

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/log.h>

#include "ui/app.h"

namespace {

// A toolkit assertion fails the test instead of opening a dialog that
// nobody answers.
void FailOnAssert(const wxString& file, int line, const wxString& func, const wxString& cond,
                  const wxString& msg) {
  ADD_FAILURE() << "wx assertion: " << cond.utf8_str().data() << " " << msg.utf8_str().data()
                << " in " << func.utf8_str().data() << " at " << file.utf8_str().data() << ":"
                << line;
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  wxApp::SetInstance(new wxApp);
  if (!wxEntryStart(argc, argv)) return 2;
  wxSetAssertHandler(FailOnAssert);
  // Log messages go to stderr: a log window would wait for a click at exit.
  delete wxLog::SetActiveTarget(new wxLogStderr);
  wxTheApp->CallOnInit();
  wxInitAllImageHandlers();
  borvik::ui::ApplyCompactStyle();
  const int result = RUN_ALL_TESTS();
  wxEntryCleanup();
  return result;
}
