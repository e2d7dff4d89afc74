#pragma once
// Every layer of a layer file put through the entry rules, as if the user
// had shown it with the navigation buttons and pressed データ入力 under the
// file's name and elevation. Used by borvik-cli check; nothing is written.

#include <string>
#include <string_view>
#include <vector>

#include "files/error.h"

namespace borvik::editor {

struct LayerRefusal {
  int line = 0;         // line number in the file, from 1
  std::string message;  // the refusal, its line breaks taken out
};

struct LayerCheck {
  files::Status read;  // why the file could not be checked at all
  std::vector<LayerRefusal> refusals;
};

// scaleIndex selects the scale list (0..3) for the thickness rule.
LayerCheck CheckLayerFile(std::string_view bytes, int scaleIndex);

}  // namespace borvik::editor
