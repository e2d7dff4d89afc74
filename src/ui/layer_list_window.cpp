#include "ui/layer_list_window.h"

#include <wx/display.h>
#include <wx/listctrl.h>
#include <wx/sizer.h>

#include <algorithm>
#include <array>

#include "ui/text.h"

namespace borvik::ui {
namespace {

constexpr std::size_t kColumns = editor::kLayerListColumns.size();
constexpr std::array<int, kColumns> kColumnWidths{44, 76, 76, 260, 80, 110, 110, 70, 90, 44, 60};
// Words read from the left, numbers from the right.
constexpr std::array<bool, kColumns> kTextColumns{false, false, false, true,  true, true,
                                                  true,  false, false, false, true};

}  // namespace

// A list that asks for its texts row by row: a log of 999 layers is shown
// at once, whatever changed in it.
class LayerListWindow::RowsControl final : public wxListCtrl {
 public:
  RowsControl(wxWindow* parent, const std::vector<editor::LayerListRow>& rows)
      : wxListCtrl(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                   wxLC_REPORT | wxLC_VIRTUAL | wxLC_SINGLE_SEL | wxLC_HRULES | wxLC_VRULES),
        rows_(rows) {}

 private:
  wxString OnGetItemText(long item, long column) const override {
    if (item < 0 || item >= static_cast<long>(rows_.size())) return {};
    return Wx(rows_[static_cast<std::size_t>(item)].cells[static_cast<std::size_t>(column)]);
  }

  const std::vector<editor::LayerListRow>& rows_;
};

LayerListWindow::LayerListWindow(wxWindow* owner, std::function<void(int)> pick)
    : wxFrame(owner, wxID_ANY, Wx("層の一覧"), wxDefaultPosition, wxSize(1040, 600),
              wxDEFAULT_FRAME_STYLE | wxFRAME_FLOAT_ON_PARENT),
      pick_(std::move(pick)) {
  list_ = new RowsControl(this, rows_);
  for (std::size_t column = 0; column < editor::kLayerListColumns.size(); ++column) {
    list_->AppendColumn(Wx(editor::kLayerListColumns[column]),
                        kTextColumns[column] ? wxLIST_FORMAT_LEFT : wxLIST_FORMAT_RIGHT,
                        kColumnWidths[column]);
  }
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  sizer->Add(list_, 1, wxEXPAND);
  SetSizer(sizer);

  list_->Bind(wxEVT_LIST_ITEM_SELECTED, [this](wxListEvent& event) {
    if (updating_) return;
    const long item = event.GetIndex();
    if (item >= 0 && item < static_cast<long>(rows_.size())) {
      pick_(rows_[static_cast<std::size_t>(item)].slot);
    }
  });
  // Closing only hides it: 層の一覧 shows it again as it was.
  Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& event) {
    if (!event.CanVeto()) {
      event.Skip();
      return;
    }
    event.Veto();
    Hide();
  });
}

wxListCtrl& LayerListWindow::List() { return *list_; }

void LayerListWindow::ShowRows(std::vector<editor::LayerListRow> rows, std::optional<int> shown) {
  updating_ = true;
  const bool sameRows = rows == rows_;
  rows_ = std::move(rows);
  if (!sameRows) {
    list_->SetItemCount(static_cast<long>(rows_.size()));
    if (!rows_.empty()) list_->RefreshItems(0, static_cast<long>(rows_.size()) - 1);
  }
  const long wanted = shown ? *shown - 1 : -1;
  const long selected = list_->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
  if (selected != wanted) {
    if (selected >= 0) list_->SetItemState(selected, 0, wxLIST_STATE_SELECTED);
    if (wanted >= 0 && wanted < static_cast<long>(rows_.size())) {
      list_->SetItemState(wanted, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                          wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
      list_->EnsureVisible(wanted);
    }
  }
  updating_ = false;
}

void LayerListWindow::ShowBeside(wxWindow* owner) {
  if (!IsShown()) {
    const wxRect main = owner->GetScreenRect();
    const int index = wxDisplay::GetFromWindow(owner);
    const wxRect screen =
        wxDisplay(index == wxNOT_FOUND ? 0u : static_cast<unsigned>(index)).GetClientArea();
    const wxSize size(GetSize().x, std::max(GetSize().y, main.height));
    // To the right of the main window, or as far right as the screen allows.
    int x = main.GetRight() + 1;
    if (x + size.x > screen.GetRight()) x = std::max(screen.x, screen.GetRight() - size.x);
    SetSize(x, main.y, size.x, std::min(size.y, screen.height));
    Show();
  }
  Raise();
}

}  // namespace borvik::ui
