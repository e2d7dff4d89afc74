#pragma once
// CSetting: the settings dialog (設定ファイル入力). The editor's
// SettingsDialog holds its rows and saves them; this window shows them.

#include <wx/dialog.h>

#include <array>

#include "editor/platform.h"
#include "editor/settings_dialog.h"

class wxTextCtrl;

namespace borvik::ui {

class CSetting final : public wxDialog {
 public:
  CSetting(wxWindow* parent, editor::Platform& platform);

 private:
  void OnImport(int row);
  void OnSave();

  editor::SettingsDialog model_;
  std::array<wxTextCtrl*, editor::SettingsDialog::kRows> names_{};
  std::array<wxTextCtrl*, editor::SettingsDialog::kRows> paths_{};
};

}  // namespace borvik::ui
