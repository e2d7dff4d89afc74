#pragma once
// Text files come with CR LF (as the program writes them), LF (other
// systems) or a lone CR (old Mac and Excel exports); the readers see LF only.

#include <string>
#include <string_view>

namespace borvik::files {

// CR LF and a lone CR become LF.
std::string UnifyLineEnds(std::string_view bytes);

}  // namespace borvik::files
