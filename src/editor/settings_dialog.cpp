#include "editor/settings_dialog.h"

#include "editor/messages.h"
#include "files/file_io.h"

namespace borvik::editor {
namespace {

struct RowGroup {
  int firstRow;
  int rows;
  std::string_view label;
  std::string_view rowLabel;
};
constexpr std::array<RowGroup, 3> kGroups{{
    {1, settings::kBedrockSlots, "ユーザー定義　基盤岩類", "基盤岩"},
    {1 + settings::kBedrockSlots, settings::kStructureSlots, "ユーザー定義　堆積構造", "堆積構造"},
    {1 + settings::kBedrockSlots + settings::kStructureSlots, settings::kFeatureSlots,
     "ユーザー定義　その他の特徴", "その他"},
}};

const RowGroup& GroupOf(int row) {
  for (const RowGroup& group : kGroups) {
    if (row < group.firstRow + group.rows) return group;
  }
  return kGroups.back();
}

}  // namespace

std::string SettingsDialog::RowLabel(int row) {
  const RowGroup& group = GroupOf(row);
  return std::string(group.rowLabel) + std::to_string(row - group.firstRow + 1);
}

std::string_view SettingsDialog::GroupLabel(int row) { return GroupOf(row).label; }

void SettingsDialog::Import(int row) {
  if (row < 1 || row > kRows) return;
  if (const auto path = platform_.ChooseOpenFile(kTextureFileFilter, "")) {
    rows_[row - 1].texturePath = path->string();
  }
}

bool SettingsDialog::Save() {
  const auto path = platform_.ChooseSaveFile(kSettingsSaveFilter, kSettingsFileExtension);
  if (!path) return false;
  if (files::CanOpenForReading(*path) && !platform_.ConfirmOverwrite()) return false;
  if (const files::Status saved = settings::SaveSettingsFile(*path, rows_); !saved) {
    ShowFailure(platform_, *saved.error);
  }
  return true;
}

}  // namespace borvik::editor
