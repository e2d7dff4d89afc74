#pragma once
// A boring exchange file (ボーリング交換用データ) as a log: the name and
// collar elevation of its header, one layer per layer element in file order
// (its bottom the element's bottom depth, its top the previous bottom, 0 for
// the first; int = top, Str 0, Bou 0, no structures or features), its codes
// from the name rules, and each sample as a sample mark of the layer that
// holds its top depth. The report says what became of everything.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/borehole_xml.h"
#include "exchange/exchange_text.h"
#include "exchange/name_rules.h"
#include "files/error.h"
#include "model/document.h"

namespace borvik::exchange {

// One soil or rock name of the file and what its layers became.
struct NameOutcome {
  std::string name;  // as the file writes it
  int layers = 0;
  NameMatch match;
};

enum class SampleDropReason {
  kNoDepth,        // empty, or not a number
  kOutsideLayers,  // no layer holds the depth
  kLayerFull,      // its layer has four samples already
};

struct DroppedSample {
  std::string depth;  // as the file writes it
  SampleDropReason reason = SampleDropReason::kNoDepth;
  int line = 0;
};

enum class ElevationSource { kFile, kMissing, kNotNumber };

struct ImportReport {
  std::string version;       // DTD_version
  std::string layerElement;  // the element the layers came from
  TextEncoding encoding = TextEncoding::kUtf8;
  std::string declaredEncoding;

  std::string logName;            // as the log has it
  std::string nameInFile;         // ボーリング名 as written
  bool nameFromFileName = false;  // ボーリング名 empty or missing
  bool nameChanged = false;       // characters the layer file cannot hold replaced
  ElevationSource elevationSource = ElevationSource::kFile;
  std::string elevationText;  // 孔口標高 as written

  int layers = 0;
  std::vector<NameOutcome> names;  // distinct names, in the order they first appear
  int samplesPlaced = 0;
  std::vector<DroppedSample> samplesDropped;
  std::vector<ElementCount> notDrawn;

  // Layers whose name no rule covered.
  int FallbackLayers() const;
  // Something fell back or was dropped: the window says so.
  bool NeedsAttention() const;
};

// Imports the bytes of a file. `fileStem` names the log when ボーリング名 is
// empty. Refuses (kRefusedFile, `log` and `report` untouched) a text that is
// not well-formed XML, a root other than ボーリング情報, a layer without a
// bottom depth or with one that is not a number, below zero or above the
// previous layer's, and more than 999 layers.
files::Status ImportExchange(std::string_view bytes, std::string_view fileStem,
                             const NameRules& rules, model::Document& log, ImportReport& report);

// Reads and imports a file; kCannotOpen when it cannot be read.
files::Status ImportExchangeFile(const std::filesystem::path& path, const NameRules& rules,
                                 model::Document& log, ImportReport& report);

// True for a path ending in .xml in any case: what the command line takes
// for a boring exchange file.
bool IsExchangeFileName(const std::filesystem::path& path);

}  // namespace borvik::exchange
