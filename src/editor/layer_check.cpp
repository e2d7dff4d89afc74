#include "editor/layer_check.h"

#include <memory>

#include "editor/entry_rules.h"
#include "editor/form_transfer.h"
#include "files/layer_csv.h"

namespace borvik::editor {
namespace {

// A message of two sentences on two lines reads as well on one.
std::string OneLine(std::string_view message) {
  std::string line;
  for (char c : message) {
    if (c != '\n' && c != '\r') line += c;
  }
  return line;
}

// A value as the form reads it back from its box.
float AsTyped(float value) { return ParseNumberBox(FormatNumberBox(value)).value_or(value); }

}  // namespace

LayerCheck CheckLayerFile(std::string_view bytes, int scaleIndex) {
  LayerCheck check;
  auto log = std::make_unique<model::Document>();
  std::vector<int> lines;
  check.read = files::ParseLayerFile(bytes, *log, &lines);
  if (!check.read) return check;
  // The boxes show the file's name and elevation; the elevation as typed.
  model::LogHeader header = log->header;
  header.elevation = AsTyped(header.elevation);
  for (int slot = 1; slot <= log->layers.LayerCount(); ++slot) {
    EntryForm form = FormShowing(log->layers.Get(slot), header, scaleIndex);
    model::LayerForm& v = form.values;
    for (float* depth : {&v.top, &v.bot, &v.int_}) *depth = AsTyped(*depth);
    for (float& depth : v.DSe) depth = AsTyped(depth);
    for (float& depth : v.DEc) depth = AsTyped(depth);
    for (float& depth : v.DSa) depth = AsTyped(depth);
    std::optional<std::string_view> refusal = NameRefusal(header.name);
    if (!refusal) {
      const EntryDecision decision = DecideEntry(form);
      if (decision.refusal) refusal = decision.refusal->message;
    }
    if (refusal) check.refusals.push_back({lines[slot - 1], OneLine(*refusal)});
  }
  return check;
}

}  // namespace borvik::editor
