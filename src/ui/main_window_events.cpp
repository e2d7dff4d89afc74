// Every control and menu command routed to its editor handler.

#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/menu.h>
#include <wx/scrolbar.h>

#include <new>

#include "editor/main_window_state.h"
#include "editor/messages.h"
#include "ui/about_dialog.h"
#include "ui/gl_picture.h"
#include "ui/ids.h"
#include "ui/layer_list_window.h"
#include "ui/main_window.h"
#include "ui/settings_window.h"
#include "ui/text.h"

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
  menu(command::kFileSaveInPlace, [this] { session_->OnFileSaveInPlace(); });
  menu(command::kEditUndo, [this] { session_->Undo(); });
  menu(command::kEditRedo, [this] { session_->Redo(); });
  menu(command::kInsertLayer, [this] { session_->InsertLayer(); });
  menu(command::kDeleteLayer, [this] { session_->DeleteLayer(); });
  menu(command::kLayerList, [this] { ShowLayerList(); });
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
  // A name or elevation typed is a change the title shows at once.
  for (const int header : {id::kName, id::kElevation}) {
    const auto typed = [this, header](wxCommandEvent& event) {
      *session_->State().EditBox(header) = Utf8(event.GetString());
      SetTitle(Wx(session_->WindowTitle()));
    };
    Bind(wxEVT_TEXT, typed, header);
  }
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

void CBorvikDlg::ShowLayerList() {
  if (layerList_ == nullptr) {
    const auto pick = [this](int slot) { Run([this, slot] { session_->ShowLayer(slot); }); };
    layerList_ = new LayerListWindow(this, pick);
  }
  layerList_->ShowBeside(this);
  ShowEditorState();
}

void CBorvikDlg::ShowEditorState() {
  SetTitle(Wx(session_->WindowTitle()));
  if (wxMenuBar* bar = GetMenuBar()) {
    bar->Enable(MenuId(command::kEditUndo), session_->CanUndo());
    bar->Enable(MenuId(command::kEditRedo), session_->CanRedo());
    bar->Enable(MenuId(command::kDeleteLayer), session_->CanDeleteLayer());
  }
  if (layerList_ != nullptr && layerList_->IsShown()) {
    layerList_->ShowRows(session_->LayerList(), session_->ShownLayer());
  }
}

void CBorvikDlg::OnClose(wxCloseEvent& event) {
  if (closing_) return;
  // A close the user can take back asks first when the log would be lost.
  if (event.CanVeto()) {
    bool mayClose = true;
    Run([this, &mayClose] { mayClose = session_->QueryClose(); });
    if (!mayClose) {
      event.Veto();
      return;
    }
  }
  closing_ = true;
  // The rendering context goes first, then the work file.
  picture_->ReleaseContext();
  session_->OnClose();
  Destroy();
}

}  // namespace borvik::ui
