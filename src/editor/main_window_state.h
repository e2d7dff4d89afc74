#pragma once
// The main window as the user sees it, control by control: edit-box texts as
// typed, list entries and selections, check boxes, radio buttons, captions,
// the scroll bar and the record label. The window copies it to and from its
// widgets; tests type into it and read it.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "model/codes.h"

namespace borvik::editor {

// Control ids of the main window.
namespace control {
inline constexpr int kPicture = 1000;
inline constexpr int kScrollBar = 1072;
inline constexpr int kElevationLabels = 1100;
inline constexpr int kShowStructures = 1090;
inline constexpr int kShowFeatures = 1091;
inline constexpr int kShowSamples = 1092;
inline constexpr int kShowLegend = 1093;
inline constexpr int kScale = 1088;
inline constexpr int kName = 1094;
inline constexpr int kElevation = 1095;
inline constexpr int kPrevious = 1081;
inline constexpr int kRecordLabel = 1082;
inline constexpr int kNext = 1083;
inline constexpr int kLithologyChange = 1001;
inline constexpr int kTop = 1002;
inline constexpr int kBot = 1005;
inline constexpr int kInt = 1006;
inline constexpr int kBase = 1003;
inline constexpr std::array<int, model::kStructureMarks> kStructureDepths{1042, 1044, 1046, 1048};
inline constexpr std::array<int, model::kStructureMarks> kStructureKinds{1041, 1043, 1045, 1047};
inline constexpr std::array<int, model::kFeatureMarks> kFeatureDepths{1052, 1054, 1056};
inline constexpr std::array<int, model::kFeatureMarks> kFeatureKinds{1051, 1053, 1055};
inline constexpr std::array<int, model::kSampleMarks> kSampleDepths{1049, 1057, 1058, 1059};
inline constexpr int kEnter = 1040;
}  // namespace control

// A drop-down list: its entries and the selected position.
struct ListState {
  std::vector<std::string> entries;
  int selection = -1;  // -1: nothing selected, or a text typed over the entries

  // Selects a position; one that names no entry leaves nothing selected.
  void Select(int position);
  void Clear() {
    entries.clear();
    selection = -1;
  }
  friend bool operator==(const ListState&, const ListState&) = default;
};

struct CheckBoxState {
  int id = 0;
  std::string caption;
  bool checked = false;
  friend bool operator==(const CheckBoxState&, const CheckBoxState&) = default;
};

struct ButtonState {
  int id = 0;
  std::string caption;
  friend bool operator==(const ButtonState&, const ButtonState&) = default;
};

inline constexpr int kSedimentBoxes = static_cast<int>(model::kSedimentLithologies.size());
inline constexpr int kBedrockBoxes = static_cast<int>(model::kBedrockTypes.size());
inline constexpr int kLithologyBoxes = kSedimentBoxes + kBedrockBoxes;
// The scroll bar's range is 0..50 while the view can move on to 100.
inline constexpr int kScrollBarMax = 50;
inline constexpr int kScrollPositionMax = 100;

inline constexpr std::string_view kInitialRecordLabel = "柱状図データ：0/0";

// Captions of a display button for state 1 and state 0.
struct DisplayCaptions {
  int id;
  std::string_view on;
  std::string_view off;
};
inline constexpr std::array<DisplayCaptions, 5> kDisplayCaptions{{
    {control::kShowStructures, "堆積構造　表示有", "堆積構造　表示無"},
    {control::kShowFeatures, "その他の特徴　表示有", "その他の特徴　表示無"},
    {control::kShowSamples, "試料採取位置　表示有", "試料採取位置　表示無"},
    {control::kShowLegend, "凡例　表示有", "凡例　表示無"},
    {control::kElevationLabels, "深度表示に変更", "標高表示に変更"},
}};

struct MainWindowState {
  // Edit boxes, exactly as typed.
  std::string top;  // 1002
  std::string bot;  // 1005
  std::string int_; // 1006
  std::array<std::string, model::kStructureMarks> structureDepths;
  std::array<std::string, model::kFeatureMarks> featureDepths;
  std::array<std::string, model::kSampleMarks> sampleDepths;
  std::string name;       // 1094
  std::string elevation;  // 1095

  ListState lithologyChange;  // 1001
  ListState base;             // 1003
  ListState scale;            // 1088
  std::array<ListState, model::kStructureMarks> structureKinds;
  std::array<ListState, model::kFeatureMarks> featureKinds;

  // The fifteen sediment boxes in code table order, then the six bedrock
  // boxes by catalogue slot (1087, 1018, 1099, 1019, 1020, 1017).
  std::array<CheckBoxState, kLithologyBoxes> lithology;

  int rockQuality = 0;  // radio index from 1068; -1 with no button set
  int weathering = 0;   // radio index from 1069; -1 with no button set
  int scrollBar = 0;    // the thumb, 0..kScrollBarMax

  // 1090, 1091, 1092, 1093, 1100.
  std::array<ButtonState, kDisplayCaptions.size()> displayButtons;
  std::string recordLabel{kInitialRecordLabel};
  bool nextEnabled = true;

  // The window as its template creates it, before initialisation.
  MainWindowState();

  // Controls by id; nullptr for an id that is no such control.
  std::string* EditBox(int id);
  ListState* List(int id);
  CheckBoxState* CheckBox(int id);
  ButtonState* Button(int id);
  const std::string* EditBox(int id) const { return const_cast<MainWindowState*>(this)->EditBox(id); }
  const ListState* List(int id) const { return const_cast<MainWindowState*>(this)->List(id); }
  const CheckBoxState* CheckBox(int id) const {
    return const_cast<MainWindowState*>(this)->CheckBox(id);
  }
  const ButtonState* Button(int id) const { return const_cast<MainWindowState*>(this)->Button(id); }

  friend bool operator==(const MainWindowState&, const MainWindowState&) = default;
};

// The lithology code of box i of MainWindowState::lithology.
model::LithologyCode LithologyBoxCode(int boxIndex);

// "柱状図データ：%3d / %3d".
std::string FormatRecordLabel(int currentLayer, int layerCount);

}  // namespace borvik::editor
