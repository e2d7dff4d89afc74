// 入力設定 → 設定の読込, and the catalogue shown in the window's controls.

#include "editor/messages.h"
#include "editor/session.h"
#include "settings/settings_file.h"

namespace borvik::editor {

void Session::FillCategoryControls() {
  for (int slot = 1; slot <= kBedrockBoxes; ++slot) {
    state_.lithology[kSedimentBoxes + slot - 1].caption = catalogue_.bedrock[slot - 1].name;
  }
  // Position 0 of every mark list is the empty entry: no mark.
  for (ListState& list : state_.structureKinds) {
    list.entries.assign(1, std::string());
    for (const settings::CategoryEntry& entry : catalogue_.structures) {
      list.entries.push_back(entry.name);
    }
    list.Select(list.selection);
  }
  for (ListState& list : state_.featureKinds) {
    list.entries.assign(1, std::string());
    for (const settings::CategoryEntry& entry : catalogue_.features) {
      list.entries.push_back(entry.name);
    }
    list.Select(list.selection);
  }
}

void Session::OnSettingsLoad() {
  // The log is discarded before the file is even chosen, as 新規作成 does;
  // undo brings it back.
  if (!RecordStep([this] { return StartNewLog(); })) return;
  for (ListState& list : state_.structureKinds) list.Clear();
  for (ListState& list : state_.featureKinds) list.Clear();
  WriteControls();
  if (const auto path = platform_.ChooseOpenFile(kSettingsLoadFilter, "")) {
    settings::LoadSettingsFile(*path, catalogue_);
  }
  FillCategoryControls();
  ResetForm();
}

}  // namespace borvik::editor
