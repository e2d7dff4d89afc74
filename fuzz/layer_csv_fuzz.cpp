// Any bytes as a layer file: the reader must refuse or accept without
// touching memory it does not own, and what it accepts must write out in a
// form that reads back to the same bytes.

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "files/layer_csv.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace borvik;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  auto log = std::make_unique<model::Document>();
  if (!files::ParseLayerFile(bytes, *log)) return 0;
  const std::string saved = files::FormatLayerFile(log->header, log->layers);
  auto again = std::make_unique<model::Document>();
  // The name may change once (bytes outside the code page become '?'), but
  // a saved file is stable from then on.
  if (!files::ParseLayerFile(saved, *again)) std::abort();
  const std::string resaved = files::FormatLayerFile(again->header, again->layers);
  auto third = std::make_unique<model::Document>();
  if (!files::ParseLayerFile(resaved, *third)) std::abort();
  if (files::FormatLayerFile(third->header, third->layers) != resaved) std::abort();
  if (again->layers.LayerCount() != log->layers.LayerCount()) std::abort();
  return 0;
}
