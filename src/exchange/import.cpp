#include "exchange/import.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <memory>

#include "files/file_io.h"
#include "text/cp932.h"
#include "text/utf8.h"

namespace borvik::exchange {
namespace {

using model::LayerRecord;

// Digits, sign and point as ASCII: some files write them full-width.
std::string AsciiNumber(std::string_view text) {
  std::string out;
  for (std::size_t pos = 0; pos < text.size();) {
    const char32_t c = text::DecodeUtf8At(text, pos);
    if (c >= 0xFF10 && c <= 0xFF19) {
      out += static_cast<char>('0' + (c - 0xFF10));
    } else if (c == 0xFF0E) {
      out += '.';
    } else if (c == 0xFF0D || c == 0x2212) {
      out += '-';
    } else if (c == 0xFF0B) {
      out += '+';
    } else {
      text::AppendUtf8(out, c);
    }
  }
  return out;
}

// A number that is the whole text ("001.90", "6", "-3.5"), finite and within
// the float range.
std::optional<float> ParseNumber(std::string_view text) {
  std::string number = AsciiNumber(TrimText(text));
  std::string_view s = number;
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  double value = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (s.empty() || ec != std::errc{} || end != s.data() + s.size() || !std::isfinite(value) ||
      std::fabs(value) > 3.4e38) {
    return std::nullopt;
  }
  return static_cast<float>(value);
}

files::Status LayerRefusal(files::Refusal refusal, const BoreholeLayer& layer, int index,
                           std::string_view element) {
  files::Error e = files::Refused(refusal, layer.line, 0, index);
  e.subject = std::string(element);
  return files::Status::Fail(std::move(e));
}

// The name as the layer file can hold it: a comma becomes a full-width
// comma, a line break a space and a character outside code page 932 "?".
std::string FitLogName(std::string_view name, bool& changed) {
  std::string out;
  for (std::size_t pos = 0; pos < name.size();) {
    const std::size_t start = pos;
    const char32_t c = text::DecodeUtf8At(name, pos);
    const std::string_view one = name.substr(start, pos - start);
    if (c == ',') {
      out += "，";
    } else if (c == '\r' || c == '\n') {
      out += ' ';
    } else if (c == text::kReplacementCharacter || !text::IsCp932Representable(one)) {
      out += '?';
    } else {
      out += one;
      continue;
    }
    changed = true;
  }
  return out;
}

// The layer that holds a depth: the one it lies in, top included; a depth on
// the last bottom belongs to the last layer.
int LayerHolding(const model::LayerTable& layers, float depth) {
  for (int slot = 1; slot <= layers.LayerCount(); ++slot) {
    const LayerRecord layer = layers.Get(slot);
    if (layer.top <= depth && depth < layer.bot) return slot;
  }
  for (int slot = layers.LayerCount(); slot >= 1; --slot) {
    const LayerRecord layer = layers.Get(slot);
    if (layer.top < depth && depth <= layer.bot) return slot;
  }
  return 0;
}

void PlaceSamples(const Borehole& borehole, model::LayerTable& layers, ImportReport& report) {
  for (const BoreholeSample& sample : borehole.samples) {
    const auto drop = [&](SampleDropReason reason) {
      report.samplesDropped.push_back({sample.top, reason, sample.line});
    };
    const std::optional<float> depth = ParseNumber(sample.top);
    if (!depth) {
      drop(SampleDropReason::kNoDepth);
      continue;
    }
    const int slot = LayerHolding(layers, *depth);
    if (slot == 0) {
      drop(SampleDropReason::kOutsideLayers);
      continue;
    }
    LayerRecord layer = layers.Get(slot);
    const auto free = std::find(layer.Sa.begin(), layer.Sa.end(), 0);
    if (free == layer.Sa.end()) {
      drop(SampleDropReason::kLayerFull);
      continue;
    }
    const auto mark = free - layer.Sa.begin();
    layer.Sa[mark] = 1;
    layer.DSa[mark] = *depth;
    layers.Replace(slot, layer);
    ++report.samplesPlaced;
  }
}

void NoteName(ImportReport& report, const std::string& name, const NameMatch& match) {
  const auto known = std::find_if(report.names.begin(), report.names.end(),
                                  [&](const NameOutcome& n) { return n.name == name; });
  if (known != report.names.end()) {
    ++known->layers;
  } else {
    report.names.push_back({name, 1, match});
  }
}

}  // namespace

int ImportReport::FallbackLayers() const {
  int count = 0;
  for (const NameOutcome& n : names) {
    if (IsFallback(n.match.kind)) count += n.layers;
  }
  return count;
}

bool ImportReport::NeedsAttention() const {
  return FallbackLayers() > 0 || !samplesDropped.empty();
}

files::Status ImportExchange(std::string_view bytes, std::string_view fileStem,
                             const NameRules& rules, model::Document& log, ImportReport& report) {
  const DecodedText text = DecodeExchangeText(bytes);
  Borehole borehole;
  if (files::Status read = ReadBorehole(text.utf8, borehole); !read) return read;

  auto imported = std::make_unique<model::Document>();
  imported->Clear();
  ImportReport r;
  r.version = borehole.version;
  r.layerElement = borehole.layerElement;
  r.encoding = text.encoding;
  r.declaredEncoding = text.declared;
  r.notDrawn = borehole.notDrawn;

  r.nameInFile = borehole.name.value_or("");
  r.nameFromFileName = r.nameInFile.empty();
  const std::string fileName =
      text::IsValidUtf8(fileStem) ? std::string(fileStem) : text::Cp932ToUtf8(fileStem);
  imported->header.name = FitLogName(r.nameFromFileName ? fileName : r.nameInFile, r.nameChanged);
  r.logName = imported->header.name;

  r.elevationText = borehole.elevation.value_or("");
  if (r.elevationText.empty()) {
    r.elevationSource = ElevationSource::kMissing;
  } else if (const auto elevation = ParseNumber(r.elevationText)) {
    imported->header.elevation = *elevation;
  } else {
    r.elevationSource = ElevationSource::kNotNumber;
  }

  float top = 0.0f;
  int index = 0;
  for (const BoreholeLayer& element : borehole.layers) {
    ++index;
    if (!element.bottom || element.bottom->empty()) {
      return LayerRefusal(files::Refusal::kLayerWithoutDepth, element, index, r.layerElement);
    }
    const std::optional<float> bottom = ParseNumber(*element.bottom);
    if (!bottom) {
      return LayerRefusal(files::Refusal::kLayerDepthNotNumber, element, index, r.layerElement);
    }
    if (*bottom < 0.0f) {
      return LayerRefusal(files::Refusal::kLayerDepthNegative, element, index, r.layerElement);
    }
    if (*bottom < top) {
      return LayerRefusal(files::Refusal::kLayerDepthBackwards, element, index, r.layerElement);
    }
    const NameMatch match = rules.Match(element.name, borehole.scheme, element.codes);
    NoteName(r, element.name, match);
    LayerRecord layer;
    layer.top = top;
    layer.bot = *bottom;
    layer.int_ = top;
    layer.RF1 = match.codes.RF1;
    layer.RF2 = match.codes.RF2;
    layer.RFe = match.codes.RFe;
    layer.Wea = match.codes.Wea;
    if (!imported->layers.Append(layer)) {
      return files::Status::Fail(files::Refused(files::Refusal::kTooManyLayers, element.line));
    }
    top = *bottom;
  }
  r.layers = imported->layers.LayerCount();
  PlaceSamples(borehole, imported->layers, r);
  if (r.layers > 0) imported->form = imported->layers.Get(r.layers);

  log = *imported;
  report = std::move(r);
  return files::Status::Ok();
}

files::Status ImportExchangeFile(const std::filesystem::path& path, const NameRules& rules,
                                 model::Document& log, ImportReport& report) {
  std::string bytes;
  if (files::Status read = files::ReadWholeFile(path, bytes, files::kMaxExchangeFileBytes); !read) {
    return read;
  }
  return ImportExchange(bytes, path.stem().string(), rules, log, report);
}

bool IsExchangeFileName(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension == ".xml";
}

}  // namespace borvik::exchange
