#include "ui/settings_window.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "ui/text.h"

namespace borvik::ui {

CSetting::CSetting(wxWindow* parent, editor::Platform& platform)
    : wxDialog(parent, 140, Wx("設定ファイル入力")), model_(platform) {
  using Model = editor::SettingsDialog;
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  wxStaticBoxSizer* group = nullptr;
  wxFlexGridSizer* grid = nullptr;
  for (int row = 1; row <= Model::kRows; ++row) {
    if (row == 1 || Model::GroupLabel(row) != Model::GroupLabel(row - 1)) {
      group = new wxStaticBoxSizer(wxVERTICAL, this, Wx(Model::GroupLabel(row)));
      grid = new wxFlexGridSizer(5, 4, 6);
      group->Add(grid);
      sizer->Add(group, 0, wxLEFT | wxRIGHT | wxTOP, 8);
    }
    wxWindow* box = group->GetStaticBox();
    // One label width for all three groups, so that their columns line up.
    auto* label = new wxStaticText(box, wxID_ANY, Wx(Model::RowLabel(row)));
    label->SetMinSize(wxSize(80, -1));
    grid->Add(label, 0, wxALIGN_CENTER_VERTICAL);
    names_[row - 1] = new wxTextCtrl(box, Model::NameBoxId(row), wxEmptyString, wxDefaultPosition,
                                     wxSize(150, -1));
    grid->Add(names_[row - 1]);
    grid->Add(new wxStaticText(box, wxID_ANY, Wx("テクスチャファイル名")), 0, wxALIGN_CENTER_VERTICAL);
    paths_[row - 1] = new wxTextCtrl(box, Model::PathBoxId(row), wxEmptyString, wxDefaultPosition,
                                     wxSize(360, -1), wxTE_READONLY);
    grid->Add(paths_[row - 1]);
    auto* import = new wxButton(box, Model::ImportButtonId(row), Wx("取込"), wxDefaultPosition,
                                wxSize(56, -1));
    import->Bind(wxEVT_BUTTON, [this, row](wxCommandEvent&) { OnImport(row); });
    grid->Add(import, 0, wxRIGHT, 4);
  }
  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  auto* save = new wxButton(this, Model::kSaveButtonId, Wx("設定ファイル保存"));
  save->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnSave(); });
  save->SetDefault();
  buttons->Add(save);
  buttons->AddStretchSpacer();
  buttons->Add(new wxButton(this, wxID_CANCEL, Wx("キャンセル")));
  sizer->Add(buttons, 0, wxEXPAND | wxALL, 8);
  SetSizerAndFit(sizer);
  CentreOnParent();
}

void CSetting::OnImport(int row) {
  model_.Import(row);
  paths_[row - 1]->ChangeValue(Wx(model_.TexturePath(row)));
}

void CSetting::OnSave() {
  for (int row = 1; row <= editor::SettingsDialog::kRows; ++row) {
    model_.Name(row) = Utf8(names_[row - 1]->GetValue());
  }
  if (model_.Save()) EndModal(wxID_OK);
}

}  // namespace borvik::ui
