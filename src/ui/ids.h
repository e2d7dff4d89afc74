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
inline constexpr int kSettingsLoad = 32792;
inline constexpr int kSettingsSave = 32794;
inline constexpr int kAbout = 16;
}  // namespace command

// The wx id of a menu command.
constexpr int MenuId(int command) { return 20000 + (command & 0x7FF); }

}  // namespace borvik::ui
