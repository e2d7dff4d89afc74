#pragma once
// CBorvikDlg: the one window of the program. The editor (editor::Session)
// does everything; this class lays out the widgets, copies the editor's
// control state to and from them around every event, and is the editor's
// platform: the toolkit's dialogs and the picture.

#include <wx/frame.h>

#include <array>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "editor/platform.h"
#include "editor/session.h"
#include "files/work_file_lease.h"

class wxButton;
class wxCheckBox;
class wxComboBox;
class wxRadioButton;
class wxScrollBar;
class wxStaticText;
class wxTextCtrl;
class wxPanel;
class wxSizer;

namespace borvik::ui {

class GlPicture;
class LayerListWindow;

class CBorvikDlg final : public wxFrame, private editor::Platform {
 public:
  // The lease is this window's work file, held for the window's life.
  // `dialogs`, when given, answers the message boxes, file dialogs and
  // questions in place of the toolkit's (the GUI tests script them); the
  // picture is always the window's own.
  explicit CBorvikDlg(files::WorkFileLease lease, editor::Platform* dialogs = nullptr);

  // After the window is shown: what the user must hear about the work file
  // (a recovered log, a work file elsewhere), then the log given at start.
  void AfterShow(const std::optional<std::filesystem::path>& openAtStart);
  ~CBorvikDlg() override;

  editor::Session& Editor() { return *session_; }
  // What the window lends the editor and its dialogs.
  editor::Platform& EditorPlatform() { return *this; }
  GlPicture& Picture() { return *picture_; }
  // 層の一覧, once it has been opened.
  LayerListWindow* LayerList() { return layerList_; }

  // Runs a handler as an event does: widgets to state, handler, state to
  // widgets.
  void Run(const std::function<void()>& handler);

 private:
  // editor::Platform (main_window_dialogs.cpp)
  void ShowMessage(std::string_view text) override;
  std::optional<std::filesystem::path> ChooseOpenFile(std::string_view filter,
                                                      std::string_view extension) override;
  std::optional<std::filesystem::path> ChooseSaveFile(std::string_view filter,
                                                      std::string_view extension) override;
  bool ConfirmOverwrite() override;
  bool AskYesNo(std::string_view question) override;
  editor::YesNoCancel AskYesNoCancel(std::string_view question) override;
  void Redraw() override;
  files::Status ExportImage(const std::filesystem::path& path) override;
  files::Status ExportDocument(const std::filesystem::path& path,
                               files::DocumentFormat format) override;

  // main_window_layout.cpp
  void BuildMenu();
  void BuildControls();
  wxSizer* BuildViewBar(wxPanel* panel);
  wxSizer* BuildForm(wxPanel* panel);
  wxSizer* BuildHeaderRows(wxPanel* panel);
  wxSizer* BuildLithologyGroup(wxPanel* panel);
  wxSizer* BuildRadioGroups(wxPanel* panel);
  wxSizer* BuildMarkGroups(wxPanel* panel);
  wxTextCtrl* AddEdit(wxPanel* panel, int id, int width = 64);
  wxComboBox* AddList(wxPanel* panel, int id, int width);

  // main_window_events.cpp
  void BindEvents();
  void OnClose(wxCloseEvent& event);
  void OnCharHook(wxKeyEvent& event);
  void OnScrollBar(wxScrollEvent& event);
  void ShowLayerList();
  // The title, the 編集 menu's entries and 層の一覧 as the editor has them.
  void ShowEditorState();

  // main_window_transfer.cpp
  void StateToWidgets();
  void WidgetsToState();

  editor::Platform* scripted_ = nullptr;
  GlPicture* picture_ = nullptr;
  std::map<int, wxTextCtrl*> edits_;
  std::map<int, wxComboBox*> lists_;
  std::map<int, wxCheckBox*> checkBoxes_;
  std::map<int, wxButton*> buttons_;
  std::array<wxRadioButton*, 5> rockQuality_{};
  std::array<wxRadioButton*, 4> weathering_{};
  wxScrollBar* scrollBar_ = nullptr;
  wxStaticText* recordLabel_ = nullptr;
  LayerListWindow* layerList_ = nullptr;
  std::unique_ptr<editor::Session> session_;
  bool closing_ = false;
};

}  // namespace borvik::ui
