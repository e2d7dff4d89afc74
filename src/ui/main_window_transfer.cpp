// The editor's control state copied to the widgets and back.

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/radiobut.h>
#include <wx/scrolbar.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "editor/main_window_state.h"
#include "ui/main_window.h"
#include "ui/text.h"

namespace borvik::ui {
namespace {

void ListToWidget(const editor::ListState& list, wxComboBox* box) {
  wxArrayString entries;
  for (const std::string& entry : list.entries) entries.Add(Wx(entry));
  if (box->GetStrings() != entries) box->Set(entries);
  if (list.selection >= 0 && list.selection < static_cast<int>(entries.size())) {
    if (box->GetSelection() != list.selection) box->SetSelection(list.selection);
  } else if (box->GetSelection() != wxNOT_FOUND) {
    box->SetValue(wxEmptyString);
  }
}

// An edited text that names an entry selects it; any other text selects
// nothing.
int WidgetSelection(const wxComboBox* box) {
  const int selection = box->GetSelection();
  if (selection != wxNOT_FOUND) return selection;
  const int typed = box->FindString(box->GetValue(), true);
  return typed == wxNOT_FOUND ? -1 : typed;
}

void SetText(wxTextCtrl* edit, const std::string& text) {
  const wxString value = Wx(text);
  // ChangeValue keeps the caret and sends no event when nothing changed.
  if (edit->GetValue() != value) edit->ChangeValue(value);
}

}  // namespace

void CBorvikDlg::StateToWidgets() {
  editor::MainWindowState& s = session_->State();
  for (auto& [controlId, edit] : edits_) {
    if (const std::string* text = s.EditBox(controlId)) SetText(edit, *text);
  }
  for (auto& [controlId, box] : lists_) {
    if (const editor::ListState* list = s.List(controlId)) ListToWidget(*list, box);
  }
  for (auto& [controlId, check] : checkBoxes_) {
    if (const editor::CheckBoxState* state = s.CheckBox(controlId)) {
      if (check->GetLabel() != Wx(state->caption)) check->SetLabel(Wx(state->caption));
      check->SetValue(state->checked);
    }
  }
  for (auto& [controlId, button] : buttons_) {
    if (const editor::ButtonState* state = s.Button(controlId)) button->SetLabel(Wx(state->caption));
  }
  if (s.rockQuality >= 0 && s.rockQuality < static_cast<int>(rockQuality_.size())) {
    rockQuality_[s.rockQuality]->SetValue(true);
  }
  if (s.weathering >= 0 && s.weathering < static_cast<int>(weathering_.size())) {
    weathering_[s.weathering]->SetValue(true);
  }
  scrollBar_->SetScrollbar(s.scrollBar, 1, editor::kScrollBarMax + 1, 10);
  recordLabel_->SetLabel(Wx(s.recordLabel));
  buttons_[editor::control::kNext]->Enable(s.nextEnabled);
  ShowEditorState();
}

void CBorvikDlg::WidgetsToState() {
  editor::MainWindowState& s = session_->State();
  for (auto& [controlId, edit] : edits_) {
    if (std::string* text = s.EditBox(controlId)) *text = Utf8(edit->GetValue());
  }
  for (auto& [controlId, box] : lists_) {
    if (editor::ListState* list = s.List(controlId)) list->selection = WidgetSelection(box);
  }
  for (auto& [controlId, check] : checkBoxes_) {
    if (editor::CheckBoxState* state = s.CheckBox(controlId)) state->checked = check->GetValue();
  }
  s.rockQuality = -1;
  for (std::size_t i = 0; i < rockQuality_.size(); ++i) {
    if (rockQuality_[i]->GetValue()) s.rockQuality = static_cast<int>(i);
  }
  s.weathering = -1;
  for (std::size_t i = 0; i < weathering_.size(); ++i) {
    if (weathering_[i]->GetValue()) s.weathering = static_cast<int>(i);
  }
  s.scrollBar = scrollBar_->GetThumbPosition();
}

}  // namespace borvik::ui
