#pragma once
// The real main window in a fresh working folder, with its modal dialogs
// answered from a script (editor::testing::ScriptedPlatform).

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/scripted_platform.h"
#include "support/temp_dir.h"
#include "ui/ids.h"
#include "ui/main_window.h"
#include "ui/text.h"

namespace borvik::testing {

// Lets the toolkit handle what is pending: paints, focus, key events.
inline void Settle(int rounds = 20) {
  for (int i = 0; i < rounds; ++i) {
    wxTheApp->ProcessPendingEvents();
    wxYield();
    wxMilliSleep(5);
  }
}

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(folder_.Path());
    // The built-in textures under the working folder, where a user has them.
    std::filesystem::create_directory_symlink(std::filesystem::path(BORVIK_SOURCE_DIR) / "TEX", "TEX");
    OpenWindow();
  }
  void OpenWindow() {
    window_ = new ui::CBorvikDlg(files::WorkFileLease::Acquire(), &script_);
    window_->Show();
    Settle();
    window_->AfterShow(std::nullopt);
    Settle();
  }
  void TearDown() override {
    if (window_) {
      window_->Close(true);
      Settle();
    }
    std::filesystem::current_path(previous_);
  }

  template <typename T>
  T* Control(int id) {
    auto* control = dynamic_cast<T*>(window_->FindWindow(id));
    EXPECT_NE(control, nullptr) << id;
    return control;
  }
  std::string Text(int id) { return ui::Utf8(Control<wxTextCtrl>(id)->GetValue()); }
  void Type(int id, const std::string& text) { Control<wxTextCtrl>(id)->SetValue(ui::Wx(text)); }
  void Check(int id, bool on = true) { Control<wxCheckBox>(id)->SetValue(on); }
  void Press(int id) {
    wxButton* button = Control<wxButton>(id);
    wxCommandEvent event(wxEVT_BUTTON, id);
    event.SetEventObject(button);
    button->ProcessWindowEvent(event);
    Settle(3);
  }
  void Menu(int command) {
    wxCommandEvent event(wxEVT_MENU, ui::MenuId(command));
    window_->ProcessWindowEvent(event);
    Settle(3);
  }
  std::string Label(int id) { return ui::Utf8(window_->FindWindow(id)->GetLabel()); }

  TempDir folder_;
  editor::testing::ScriptedPlatform script_;
  ui::CBorvikDlg* window_ = nullptr;
  std::filesystem::path previous_;
};

}  // namespace borvik::testing
