#pragma once
// 層の一覧: a window beside the main one that lists every stored layer. The
// rows come from the editor (editor::LayerListRows); picking one asks the
// main window to show that layer.

#include <wx/frame.h>

#include <functional>
#include <optional>
#include <vector>

#include "editor/layer_list.h"

class wxListCtrl;

namespace borvik::ui {

class LayerListWindow final : public wxFrame {
 public:
  // `pick` is called with the slot of a row the user selects.
  LayerListWindow(wxWindow* owner, std::function<void(int)> pick);

  // The rows to show, and the slot whose row is selected (none without).
  void ShowRows(std::vector<editor::LayerListRow> rows, std::optional<int> shown);
  // Beside `owner` where the screen has room, and raised.
  void ShowBeside(wxWindow* owner);

  wxListCtrl& List();
  const std::vector<editor::LayerListRow>& Rows() const { return rows_; }

 private:
  class RowsControl;

  RowsControl* list_ = nullptr;
  std::vector<editor::LayerListRow> rows_;
  std::function<void(int)> pick_;
  // Selections the window makes itself are no picks.
  bool updating_ = false;
};

}  // namespace borvik::ui
