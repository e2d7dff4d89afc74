#include "editor/platform.h"

#include <string>

namespace borvik::editor {

void ShowStatus(Platform& platform, const files::Status& status) {
  if (status.detail.empty()) {
    platform.ShowMessage(status.message);
    return;
  }
  platform.ShowMessage(status.message + "\n" + status.detail);
}

}  // namespace borvik::editor
