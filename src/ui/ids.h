#pragma once
// Menu commands and their wx ids. The command numbers stay as named
// constants; wx asserts on menu ids of 0x7FFF and above, so each gets an id
// below that.

namespace borvik::ui {

namespace command {
inline constexpr int kFileNew = 32774;
inline constexpr int kFileLoad = 32775;
inline constexpr int kFileImport = 32777;
inline constexpr int kFileSave = 32776;
inline constexpr int kFileSaveImage = 32780;
inline constexpr int kFileSavePdf = 32781;
inline constexpr int kFileSaveSvg = 32782;
inline constexpr int kEditUndo = 32783;
inline constexpr int kEditRedo = 32784;
inline constexpr int kInsertLayer = 32785;
inline constexpr int kDeleteLayer = 32786;
inline constexpr int kLayerList = 32787;
inline constexpr int kFileSaveInPlace = 32788;
inline constexpr int kSettingsLoad = 32792;
inline constexpr int kSettingsSave = 32794;
inline constexpr int kAbout = 16;
}  // namespace command

// The wx id of a menu command. The menu's commands start at 0x8000; the
// system command (About, 16) gets a range of its own, so that no command
// number shares its id with it (32784 & 0x7FF is 16 too).
constexpr int MenuId(int command) {
  return command >= 0x8000 ? 20000 + (command - 0x8000) : 21000 + command;
}

static_assert(MenuId(command::kEditRedo) != MenuId(command::kAbout));
static_assert(MenuId(command::kSettingsSave) < 0x7FFF && MenuId(command::kAbout) < 0x7FFF);

}  // namespace borvik::ui
