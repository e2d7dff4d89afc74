#pragma once
// What a boring exchange file holds for a log, as text straight from its
// elements: the header, the layers, the samples and what else is there. The
// elements are found by name for every version (1.10 to 4.00); the numbers
// are read later, by the import.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/name_rules.h"
#include "files/error.h"

namespace borvik::exchange {

inline constexpr std::string_view kRootElement = "ボーリング情報";

struct BoreholeLayer {
  std::optional<std::string> bottom;  // nullopt: no depth element
  std::string name;
  std::vector<std::string> codes;  // the version's soil or rock codes, in file order
  int line = 0;
};

struct BoreholeSample {
  std::string top;  // 試料採取_上端深度 (採取試料_上端深度 in 1.10)
  int line = 0;
};

// Elements of the core data that a log has no place for, with how many of
// each hold something.
struct ElementCount {
  std::string name;
  int count = 0;

  friend bool operator==(const ElementCount&, const ElementCount&) = default;
};

struct Borehole {
  std::string version;  // DTD_version
  std::string layerElement;
  CodeScheme scheme = CodeScheme::kNone;
  std::optional<std::string> name;       // ボーリング名
  std::optional<std::string> elevation;  // 孔口標高
  std::vector<BoreholeLayer> layers;
  std::vector<BoreholeSample> samples;
  std::vector<ElementCount> notDrawn;
};

// Parses UTF-8 XML text. Refuses (kRefusedFile) text that is not well-formed
// XML (kXmlTruncated when it ends inside an element, else kXmlMalformed with
// line and column) and a root other than ボーリング情報 (kNotExchangeFile,
// the root's name as subject).
files::Status ReadBorehole(std::string_view utf8, Borehole& borehole);

// Text without the spaces around it (ideographic ones too).
std::string TrimText(std::string_view text);

}  // namespace borvik::exchange
