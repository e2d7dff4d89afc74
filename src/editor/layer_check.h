#pragma once
// Every layer of a layer file put through data entry, as if the user had
// shown it with the navigation buttons and pressed データ入力 under the
// file's name and elevation. Used by borvik-cli check.

#include <filesystem>
#include <string>
#include <vector>

#include "files/status.h"

namespace borvik::editor {

struct LayerRefusal {
  int line = 0;         // line number in the file, from 1
  std::string message;  // the refusal, its line breaks taken out
};

struct LayerCheck {
  files::Status read;  // why the file could not be checked at all
  std::vector<LayerRefusal> refusals;
};

// scaleIndex selects the scale list (0..3) for the thickness rule. The
// editor's work file lives in a private temporary folder, removed again.
LayerCheck CheckLayerFile(const std::filesystem::path& path, int scaleIndex);

// The line number of each layer line of a layer file, in order: lines from 3
// on that are not blank, as the reader takes them.
std::vector<int> LayerLineNumbers(std::string_view bytes);

}  // namespace borvik::editor
