#include "editor/platform.h"

#include "editor/messages.h"

namespace borvik::editor {

void ShowFailure(Platform& platform, const files::Error& error) {
  platform.ShowMessage(DescribeFailure(error));
}

}  // namespace borvik::editor
