#pragma once
// The settings dialog (設定ファイル入力): 22 rows of a name and a texture,
// saved as a settings file. It shows nothing of the catalogue and changes
// nothing in it; the file takes effect when it is loaded with 設定の読込.
// One object is one opening of the dialog: names and chosen textures start
// empty with it and go with it.

#include <array>
#include <string>
#include <string_view>

#include "editor/platform.h"
#include "settings/settings_file.h"

namespace borvik::editor {

class SettingsDialog {
 public:
  static constexpr int kRows = settings::kCatalogueEntries;

  // Row k (1..22): bedrock 1-6, structures 1-7, features 1-9.
  static constexpr int NameBoxId(int row) { return 1100 + row; }
  static constexpr int PathBoxId(int row) { return 1004 + row; }
  static constexpr int ImportButtonId(int row) { return 1039 + row; }
  static constexpr int kSaveButtonId = 1123;
  // "基盤岩1" ... "その他9".
  static std::string RowLabel(int row);
  // The label of the group a row belongs to.
  static std::string_view GroupLabel(int row);

  explicit SettingsDialog(Platform& platform) : platform_(platform) {}

  // The name box of a row, as typed.
  std::string& Name(int row) { return rows_[row - 1].name; }
  // The read-only path box of a row: the texture chosen in this opening.
  const std::string& TexturePath(int row) const { return rows_[row - 1].texturePath; }

  // 取込: a PNG for the row; a cancelled choice leaves the row as it was.
  void Import(int row);

  // 設定ファイル保存. True when the dialog closes (saved, or the file could
  // not be written); false when it stays open (file dialog cancelled, the
  // overwrite declined).
  bool Save();

 private:
  Platform& platform_;
  settings::SettingsRows rows_{};
};

}  // namespace borvik::editor
