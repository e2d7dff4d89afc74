#include "files/line_ends.h"

namespace borvik::files {

std::string UnifyLineEnds(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] != '\r') {
      text += bytes[i];
    } else if (i + 1 >= bytes.size() || bytes[i + 1] != '\n') {
      text += '\n';
    }
  }
  return text;
}

}  // namespace borvik::files
