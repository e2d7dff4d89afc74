// Every control and menu command routed to its editor handler.

#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/scrolbar.h>

#include <new>

#include "editor/main_window_state.h"
#include "editor/messages.h"
#include "ui/about_dialog.h"
#include "ui/gl_picture.h"
#include "ui/ids.h"
#include "ui/main_window.h"
#include "ui/settings_window.h"

namespace borvik::ui {
namespace {
namespace id = editor::control;
}  // namespace

void CBorvikDlg::Run(const std::function<void()>& handler) {
  WidgetsToState();
  // A command that runs out of memory ends with a word; the log as it
  // stands stays open.
  try {
    handler();
  } catch (const std::bad_alloc&) {
    ShowMessage(editor::kOutOfMemoryMessage);
  }
  StateToWidgets();
}

void CBorvikDlg::BindEvents() {
  auto button = [this](int buttonId, std::function<void()> handler) {
    Bind(wxEVT_BUTTON, [this, handler](wxCommandEvent&) { Run(handler); }, buttonId);
  };
  auto menu = [this](int commandNumber, std::function<void()> handler) {
    Bind(wxEVT_MENU, [this, handler](wxCommandEvent&) { Run(handler); }, MenuId(commandNumber));
  };
  button(id::kEnter, [this] { session_->EnterLayer(); });
  button(id::kPrevious, [this] { session_->ShowPreviousLayer(); });
  button(id::kNext, [this] { session_->ShowNextLayer(); });
  for (const int display : {id::kElevationLabels, id::kShowStructures, id::kShowFeatures,
                            id::kShowSamples, id::kShowLegend}) {
    button(display, [this, display] { session_->OnDisplayToggle(display); });
  }
  Bind(wxEVT_COMBOBOX, [this](wxCommandEvent&) { Run([this] { session_->OnScaleChange(); }); },
       id::kScale);
  Bind(wxEVT_SCROLL_LINEUP, &CBorvikDlg::OnScrollBar, this, id::kScrollBar);
  Bind(wxEVT_SCROLL_LINEDOWN, &CBorvikDlg::OnScrollBar, this, id::kScrollBar);
  Bind(wxEVT_SCROLL_PAGEUP, &CBorvikDlg::OnScrollBar, this, id::kScrollBar);
  Bind(wxEVT_SCROLL_PAGEDOWN, &CBorvikDlg::OnScrollBar, this, id::kScrollBar);
  Bind(wxEVT_SCROLL_THUMBTRACK, &CBorvikDlg::OnScrollBar, this, id::kScrollBar);
  Bind(wxEVT_SCROLL_THUMBRELEASE, &CBorvikDlg::OnScrollBar, this, id::kScrollBar);
  Bind(wxEVT_SCROLL_CHANGED, &CBorvikDlg::OnScrollBar, this, id::kScrollBar);

  menu(command::kFileNew, [this] { session_->OnFileNew(); });
  menu(command::kFileLoad, [this] { session_->OnFileLoad(); });
  menu(command::kFileImport, [this] { session_->OnFileImport(); });
  menu(command::kFileSave, [this] { session_->OnFileSave(); });
  menu(command::kFileSaveImage, [this] { session_->OnFileSaveImage(); });
  menu(command::kFileSavePdf, [this] { session_->OnFileSavePdf(); });
  menu(command::kFileSaveSvg, [this] { session_->OnFileSaveSvg(); });
  menu(command::kSettingsLoad, [this] { session_->OnSettingsLoad(); });
  menu(command::kSettingsSave, [this] {
    CSetting dialog(this, static_cast<editor::Platform&>(*this));
    dialog.ShowModal();
  });
  menu(command::kAbout, [this] {
    CAboutDlg about(this);
    about.ShowModal();
  });
  Bind(wxEVT_CHAR_HOOK, &CBorvikDlg::OnCharHook, this);
  Bind(wxEVT_CLOSE_WINDOW, &CBorvikDlg::OnClose, this);
}

void CBorvikDlg::OnScrollBar(wxScrollEvent& event) {
  editor::ScrollEvent kind = editor::ScrollEvent::Other;
  const wxEventType type = event.GetEventType();
  if (type == wxEVT_SCROLL_LINEUP) kind = editor::ScrollEvent::LineLeft;
  if (type == wxEVT_SCROLL_LINEDOWN) kind = editor::ScrollEvent::LineRight;
  if (type == wxEVT_SCROLL_PAGEUP) kind = editor::ScrollEvent::PageLeft;
  if (type == wxEVT_SCROLL_PAGEDOWN) kind = editor::ScrollEvent::PageRight;
  if (type == wxEVT_SCROLL_THUMBTRACK) kind = editor::ScrollEvent::ThumbTrack;
  if (type == wxEVT_SCROLL_THUMBRELEASE || type == wxEVT_SCROLL_CHANGED) {
    kind = editor::ScrollEvent::ThumbPosition;
  }
  const int position = event.GetPosition();
  Run([this, kind, position] { session_->OnScroll(kind, position); });
}

void CBorvikDlg::OnCharHook(wxKeyEvent& event) {
  // Escape never closes the window. Enter goes to the focused control as an
  // ordinary key: no default button takes it.
  if (event.GetKeyCode() == WXK_ESCAPE) return;
  event.Skip();
}

void CBorvikDlg::OnClose(wxCloseEvent&) {
  if (closing_) return;
  closing_ = true;
  // The rendering context goes first, then the work file.
  picture_->ReleaseContext();
  session_->OnClose();
  Destroy();
}

}  // namespace borvik::ui
