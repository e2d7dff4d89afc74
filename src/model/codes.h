#pragma once
// What every number of a layer means. Lithology codes are float32 values that
// are at once the lithology's identity and its column width; they are
// compared for exact equality, so every use goes through these constants.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace borvik::model {

using LithologyCode = float;

inline constexpr LithologyCode kNoLithology = 0.0f;
inline constexpr LithologyCode kClay = 0.15f;
inline constexpr LithologyCode kSilt = 0.16f;
inline constexpr LithologyCode kVeryFineSand = 0.18f;
inline constexpr LithologyCode kFineSand = 0.19f;
inline constexpr LithologyCode kMediumSand = 0.20f;
inline constexpr LithologyCode kCoarseSand = 0.21f;
inline constexpr LithologyCode kVeryCoarseSand = 0.22f;
inline constexpr LithologyCode kGranule = 0.24f;
inline constexpr LithologyCode kPebble = 0.25f;
inline constexpr LithologyCode kCobble = 0.26f;
inline constexpr LithologyCode kBoulder = 0.27f;
// The volcaniclastics sit 0.0001 below a clastic code: practically the same
// width, yet a different identity.
inline constexpr LithologyCode kFineAsh = 0.1799f;
inline constexpr LithologyCode kCoarseAsh = 0.2199f;
inline constexpr LithologyCode kLapilli = 0.2499f;
inline constexpr LithologyCode kVolcanicBomb = 0.2699f;
// A bedrock layer has RF1 = kBedrockWidth and RF2 = its bedrock type.
inline constexpr LithologyCode kBedrockWidth = 0.29f;
inline constexpr LithologyCode kSedimentaryRock = 0.31f;
inline constexpr LithologyCode kLimestone = 0.32f;
inline constexpr LithologyCode kVolcanicRock = 0.33f;
inline constexpr LithologyCode kPlutonicRock = 0.34f;
inline constexpr LithologyCode kMetamorphicRock = 0.35f;
inline constexpr LithologyCode kHypabyssalRock = 0.36f;

enum class LithologyGroup { Mud, Sand, Gravel, Volcaniclastic, Bedrock };

struct SedimentLithology {
  LithologyCode code;
  int checkBoxId;
  std::string_view caption;
  LithologyGroup group;
};

// The fifteen sediment and volcaniclastic lithologies with their check boxes.
inline constexpr std::array<SedimentLithology, 15> kSedimentLithologies{{
    {kClay, 1004, "粘土", LithologyGroup::Mud},
    {kSilt, 1007, "シルト", LithologyGroup::Mud},
    {kVeryFineSand, 1008, "極細粒砂", LithologyGroup::Sand},
    {kFineSand, 1009, "細粒砂", LithologyGroup::Sand},
    {kMediumSand, 1010, "中粒砂", LithologyGroup::Sand},
    {kCoarseSand, 1011, "粗粒砂", LithologyGroup::Sand},
    {kVeryCoarseSand, 1012, "極粗粒砂", LithologyGroup::Sand},
    {kGranule, 1013, "細礫", LithologyGroup::Gravel},
    {kPebble, 1014, "中礫", LithologyGroup::Gravel},
    {kCobble, 1015, "大礫", LithologyGroup::Gravel},
    {kBoulder, 1016, "巨礫", LithologyGroup::Gravel},
    {kFineAsh, 1096, "細粒火山灰", LithologyGroup::Volcaniclastic},
    {kCoarseAsh, 1097, "粗粒火山灰", LithologyGroup::Volcaniclastic},
    {kLapilli, 1098, "火山礫", LithologyGroup::Volcaniclastic},
    {kVolcanicBomb, 1029, "火山弾", LithologyGroup::Volcaniclastic},
}};

struct BedrockType {
  LithologyCode code;
  int checkBoxId;
  int catalogueSlot;  // 1..6
};

// The bedrock codes are not in catalogue slot order.
inline constexpr std::array<BedrockType, 6> kBedrockTypes{{
    {kSedimentaryRock, 1087, 1},
    {kLimestone, 1017, 6},
    {kVolcanicRock, 1018, 2},
    {kPlutonicRock, 1019, 4},
    {kMetamorphicRock, 1020, 5},
    {kHypabyssalRock, 1099, 3},
}};

// Catalogue slot 1..6 of a bedrock code, or nullopt for any other code.
constexpr std::optional<int> BedrockSlotForCode(LithologyCode code) {
  for (const BedrockType& type : kBedrockTypes) {
    if (type.code == code) return type.catalogueSlot;
  }
  return std::nullopt;
}

// Str: lithology change within the layer (list 1001).
enum LithologyChange : std::int32_t { kNoChange = 0, kGraded = 1, kInverseGraded = 2 };
inline constexpr std::array<std::string_view, 3> kLithologyChangeEntries{"岩相変化無し", "級化構造",
                                                                       "逆級化構造"};

// Bou: character of the layer's base (list 1003).
enum BaseCode : std::int32_t {
  kBaseSharp = 0,
  kBaseIndistinct = 1,
  kBaseErosional = 2,
  kBaseFault = 3,
  kBaseContinuous = 4,
};
inline constexpr std::array<std::string_view, 5> kBaseEntries{"明瞭", "不明瞭", "侵食面", "断層",
                                                            "連続"};

// RFe: rock quality (radio group 岩質, first button 1068).
enum RockQuality : std::int32_t {
  kQualityNone = 0,
  kQualityLoamy = 1,
  kQualityHumic = 2,
  kQualityOrganic = 3,
  kQualityCalcareous = 4,
};
struct RadioButton {
  int id;
  std::string_view caption;
};
inline constexpr std::array<RadioButton, 5> kRockQualityButtons{{
    {1068, "特になし"},
    {1031, "ローム質"},
    {1021, "腐植質"},
    {1022, "有機質（泥炭）"},
    {1024, "石灰質"},
}};

// Wea: weathering (radio group 風化状況, first button 1069).
enum Weathering : std::int32_t {
  kNotWeathered = 0,
  kReddened = 1,
  kBrowned = 2,
  kMottled = 3,
};
inline constexpr std::array<RadioButton, 4> kWeatheringButtons{{
    {1069, "風化していない"},
    {1050, "赤色（強風化）"},
    {1066, "褐色（風化）"},
    {1067, "マダラ模様"},
}};

// Mark counts per layer and the kinds they refer to.
inline constexpr int kStructureMarks = 4;
inline constexpr int kFeatureMarks = 3;
inline constexpr int kSampleMarks = 4;
inline constexpr int kStructureKinds = 7;
inline constexpr int kFeatureKinds = 9;
inline constexpr float kNoMarkDepth = -1.0f;

// ScaleIndex: list 1088 (縮尺).
struct Scale {
  std::string_view name;
  float thicknessLimit;  // metres; the thickest layer data entry accepts
  int sheetLength;       // metres of depth on one sheet
  float factor;          // drawing scale factor s
};
inline constexpr std::array<Scale, 4> kScales{{
    {"1/50", 12.5f, 13, 2.0f},
    {"1/100", 25.0f, 25, 1.0f},
    {"1/200", 50.0f, 50, 0.5f},
    {"1/400", 100.0f, 100, 0.25f},
}};
inline constexpr int kDefaultScaleIndex = 1;

constexpr bool IsValidScaleIndex(int index) {
  return index >= 0 && index < static_cast<int>(kScales.size());
}

// A scale index where it is valid, else the fallback the caller keeps to:
// data entry and the scale list read a list without selection as 1/50, the
// frame keeps drawing at the scale of the frame before.
constexpr int ScaleIndexOr(int index, int fallback) {
  return IsValidScaleIndex(index) ? index : fallback;
}

// The index of a scale by its name ("1/100"), or nullopt.
constexpr std::optional<int> ScaleIndexByName(std::string_view name) {
  for (std::size_t i = 0; i < kScales.size(); ++i) {
    if (kScales[i].name == name) return static_cast<int>(i);
  }
  return std::nullopt;
}

}  // namespace borvik::model
