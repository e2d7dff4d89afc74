// The controls that change how the log is shown, not the log.

#include <algorithm>

#include "editor/messages.h"
#include "editor/session.h"

namespace borvik::editor {
namespace {

bool* DisplayFlag(render::ViewOptions& view, int buttonId) {
  switch (buttonId) {
    case control::kShowStructures: return &view.showStructures;
    case control::kShowFeatures: return &view.showFeatures;
    case control::kShowSamples: return &view.showSamples;
    case control::kShowLegend: return &view.showLegend;
    case control::kElevationLabels: return &view.elevationLabels;
    default: return nullptr;
  }
}

}  // namespace

void Session::OnDisplayToggle(int buttonId) {
  bool* flag = DisplayFlag(view_, buttonId);
  ButtonState* button = state_.Button(buttonId);
  if (flag == nullptr || button == nullptr) return;
  *flag = !*flag;
  for (const DisplayCaptions& captions : kDisplayCaptions) {
    if (captions.id == buttonId) button->caption = *flag ? captions.on : captions.off;
  }
  platform_.Redraw();
}

void Session::OnScaleChange() {
  // A list without a selection draws as 1/50, as the thickness rule counts
  // it.
  const int selected = state_.scale.selection;
  view_.scaleIndex = model::ScaleIndexOr(selected, 0);
  RebuildDrawing();
  platform_.Redraw();
}

void Session::RebuildDrawing() { RebuildDrawingFrom(log_->layers); }

void Session::RebuildDrawingFrom(const model::LayerTable& layers) {
  if (render::RebuildDrawing(*drawing_, legend_, layers, view_.scaleIndex) > 0) {
    platform_.ShowMessage(kDrawingFullMessage);
  }
}

void Session::OnScroll(ScrollEvent event, int thumbPosition) {
  int& position = view_.scrollPosition;
  switch (event) {
    case ScrollEvent::LineLeft:
      if (position > 0) --position;
      break;
    case ScrollEvent::LineRight:
      if (position < kScrollPositionMax) ++position;
      break;
    case ScrollEvent::PageLeft: position = std::max(0, position - 5); break;
    case ScrollEvent::PageRight: position = std::min(kScrollPositionMax, position + 5); break;
    case ScrollEvent::ThumbTrack:
    case ScrollEvent::ThumbPosition: position = std::clamp(thumbPosition, 0, kScrollBarMax); break;
    case ScrollEvent::Other: break;
  }
  // The bar stops at the end of its range; the view does not.
  state_.scrollBar = std::clamp(position, 0, kScrollBarMax);
  platform_.Redraw();
}

}  // namespace borvik::editor
