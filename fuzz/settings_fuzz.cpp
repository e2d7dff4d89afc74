// Any bytes as a settings file: every entry ends up as valid text, and the
// catalogue it gives can be written again.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "settings/settings_file.h"
#include "text/utf8.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace borvik;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  settings::CategoryCatalogue catalogue = settings::CategoryCatalogue::Defaults();
  settings::ParseSettingsFile(bytes, catalogue);
  for (int i = 0; i < settings::kCatalogueEntries; ++i) {
    if (!text::IsValidUtf8(catalogue.At(i).name)) std::abort();
    if (!text::IsValidUtf8(catalogue.At(i).texturePath)) std::abort();
  }
  std::string out;
  settings::WriteSettingsFile(out, settings::RowsOf(catalogue));
  return 0;
}
