#include "exchange/borehole_xml.h"

#include <pugixml.hpp>

#include <algorithm>
#include <array>

#include "text/utf8.h"

namespace borvik::exchange {
namespace {

// Where each version keeps its layers: the element, its bottom depth, its
// name, and the element(s) holding its soil or rock code. 2.00 and 2.01
// name them as 2.10 does.
struct LayerElement {
  std::string_view element;
  std::string_view depth;
  std::string_view name;
  std::string_view code;
  CodeScheme scheme;
};
constexpr std::array<LayerElement, 4> kLayerElements{{
    {"工学的地質区分名現場土質名", "工学的地質区分名現場土質名_下端深度",
     "工学的地質区分名現場土質名_工学的地質区分名現場土質名", "工学的地質区分名現場土質名_岩石",
     CodeScheme::kRockSoil},
    {"岩石土区分", "岩石土区分_下端深度", "岩石土区分_岩石土名", "岩石土区分_岩石",
     CodeScheme::kRockSoil},
    {"土質岩種区分", "土質岩種区分_下端深度", "土質岩種区分_土質岩種区分1",
     "土質岩種区分_分類コード1", CodeScheme::kClassification},
    {"地質区分", "地質区分_深度", "地質区分_地質名称1", "地質区分_地質コード1",
     CodeScheme::kGeology},
}};

struct SampleElement {
  std::string_view element;
  std::string_view top;
};
constexpr std::array<SampleElement, 2> kSampleElements{{
    {"試料採取", "試料採取_上端深度"}, {"採取試料", "採取試料_上端深度"},  // 1.10
}};

bool IsSpaceAt(std::string_view text, std::size_t pos, std::size_t& length) {
  std::size_t next = pos;
  const char32_t c = text::DecodeUtf8At(text, next);
  length = next - pos;
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == 0x3000 || c == 0xA0;
}

// Calls fn for every node inside the element, depth first, without
// recursion: a file may nest elements as deep as it likes.
template <typename Fn>
void ForEachDescendant(const pugi::xml_node& element, Fn fn) {
  pugi::xml_node node = element.first_child();
  while (node) {
    if (fn(node)) return;
    if (node.first_child()) {
      node = node.first_child();
      continue;
    }
    while (node != element && !node.next_sibling()) node = node.parent();
    if (node == element) return;
    node = node.next_sibling();
  }
}

bool IsText(const pugi::xml_node& node) {
  return node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata;
}

// The text directly inside an element.
std::string OwnText(const pugi::xml_node& node) {
  std::string text;
  for (const pugi::xml_node& child : node.children()) {
    if (IsText(child)) text += child.value();
  }
  return TrimText(text);
}

// True when some text lies anywhere inside the element.
bool HoldsText(const pugi::xml_node& element) {
  bool found = false;
  ForEachDescendant(element, [&](const pugi::xml_node& node) {
    found = IsText(node) && !TrimText(node.value()).empty();
    return found;
  });
  return found;
}

// Line numbers from offsets into the text.
class Lines {
 public:
  explicit Lines(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '\n') breaks_.push_back(i);
    }
  }
  int LineOf(std::ptrdiff_t offset) const {
    const auto at = std::lower_bound(breaks_.begin(), breaks_.end(),
                                     static_cast<std::size_t>(std::max<std::ptrdiff_t>(offset, 0)));
    return static_cast<int>(at - breaks_.begin()) + 1;
  }
  int ColumnOf(std::string_view text, std::ptrdiff_t offset) const {
    const int line = LineOf(offset);
    const std::size_t start = line == 1 ? 0 : breaks_[line - 2] + 1;
    const std::size_t end = std::min(static_cast<std::size_t>(offset), text.size());
    int column = 1;
    for (std::size_t pos = start; pos < end;) {
      text::DecodeUtf8At(text, pos);
      ++column;
    }
    return column;
  }

 private:
  std::vector<std::size_t> breaks_;
};

void CountNotDrawn(std::vector<ElementCount>& counts, std::string_view name) {
  const auto known = std::find_if(counts.begin(), counts.end(),
                                  [&](const ElementCount& c) { return c.name == name; });
  if (known != counts.end()) {
    ++known->count;
  } else {
    counts.push_back({std::string(name), 1});
  }
}

}  // namespace

std::string TrimText(std::string_view text) {
  std::size_t start = 0;
  std::size_t length = 0;
  while (start < text.size() && IsSpaceAt(text, start, length)) start += length;
  std::size_t end = start;
  for (std::size_t pos = start; pos < text.size();) {
    const bool space = IsSpaceAt(text, pos, length);
    pos += length;
    if (!space) end = pos;
  }
  return std::string(text.substr(start, end - start));
}

files::Status ReadBorehole(std::string_view utf8, Borehole& borehole) {
  pugi::xml_document document;
  const pugi::xml_parse_result parsed =
      document.load_buffer(utf8.data(), utf8.size(), pugi::parse_default, pugi::encoding_utf8);
  const Lines lines(utf8);
  if (!parsed) {
    if (parsed.status == pugi::status_no_document_element) {
      return files::Status::Fail(files::Refused(files::Refusal::kNotExchangeFile, 1));
    }
    // A file cut short fails at its last character, whatever it was in the
    // middle of.
    const bool cut = static_cast<std::size_t>(parsed.offset) + 1 >= utf8.size();
    const int line = lines.LineOf(parsed.offset);
    return files::Status::Fail(cut ? files::Refused(files::Refusal::kXmlTruncated, line)
                                   : files::Refused(files::Refusal::kXmlMalformed, line,
                                                    lines.ColumnOf(utf8, parsed.offset)));
  }
  const pugi::xml_node root = document.document_element();
  if (std::string_view(root.name()) != kRootElement) {
    files::Error e =
        files::Refused(files::Refusal::kNotExchangeFile, lines.LineOf(root.offset_debug()));
    e.subject = root.name();
    return files::Status::Fail(std::move(e));
  }

  Borehole read;
  read.version = TrimText(root.attribute("DTD_version").value());
  const pugi::xml_node title = root.child("標題情報");
  if (const pugi::xml_node name = title.child("調査基本情報").child("ボーリング名")) {
    read.name = OwnText(name);
  }
  if (const pugi::xml_node elevation = title.child("ボーリング基本情報").child("孔口標高")) {
    read.elevation = OwnText(elevation);
  }

  const pugi::xml_node core = root.child("コア情報");
  const LayerElement* layers = nullptr;
  for (const LayerElement& candidate : kLayerElements) {
    if (core.child(candidate.element.data())) {
      layers = &candidate;
      break;
    }
  }
  if (layers) {
    read.layerElement = std::string(layers->element);
    read.scheme = layers->scheme;
  }
  for (const pugi::xml_node& element : core.children()) {
    if (element.type() != pugi::node_element) continue;
    const std::string_view elementName = element.name();
    if (layers && elementName == layers->element) {
      BoreholeLayer layer;
      layer.line = lines.LineOf(element.offset_debug());
      if (const pugi::xml_node depth = element.child(layers->depth.data())) {
        layer.bottom = OwnText(depth);
      }
      layer.name = OwnText(element.child(layers->name.data()));
      // 3.00 and 4.00 keep their codes deeper down; one layer may have several.
      ForEachDescendant(element, [&](const pugi::xml_node& node) {
        if (node.type() == pugi::node_element && layers->code == node.name()) {
          if (std::string code = OwnText(node); !code.empty())
            layer.codes.push_back(std::move(code));
        }
        return false;
      });
      read.layers.push_back(std::move(layer));
      continue;
    }
    const auto sample =
        std::find_if(kSampleElements.begin(), kSampleElements.end(),
                     [&](const SampleElement& s) { return s.element == elementName; });
    if (sample != kSampleElements.end()) {
      read.samples.push_back(
          {OwnText(element.child(sample->top.data())), lines.LineOf(element.offset_debug())});
      continue;
    }
    if (HoldsText(element)) CountNotDrawn(read.notDrawn, elementName);
  }
  borehole = std::move(read);
  return files::Status::Ok();
}

}  // namespace borvik::exchange
