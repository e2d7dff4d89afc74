// The widgets of the main window in the groups and order of the form.

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/radiobut.h>
#include <wx/scrolbar.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "editor/main_window_state.h"
#include "model/codes.h"
#include "ui/gl_picture.h"
#include "ui/ids.h"
#include "ui/main_window.h"
#include "ui/text.h"

namespace borvik::ui {
namespace {

namespace id = editor::control;

constexpr int kGap = 4;

wxStaticText* Label(wxWindow* parent, const char* text) {
  return new wxStaticText(parent, wxID_ANY, Wx(text));
}

// A titled group box whose children are created on its static box.
wxStaticBoxSizer* Group(wxPanel* panel, const char* title, int orient = wxVERTICAL) {
  return new wxStaticBoxSizer(orient, panel, Wx(title));
}

}  // namespace

wxTextCtrl* CBorvikDlg::AddEdit(wxPanel* panel, int id, int width) {
  auto* edit = new wxTextCtrl(panel, id, wxEmptyString, wxDefaultPosition, wxSize(width, -1));
  edits_[id] = edit;
  return edit;
}

wxComboBox* CBorvikDlg::AddList(wxPanel* panel, int id, int width) {
  auto* list = new wxComboBox(panel, id, wxEmptyString, wxDefaultPosition, wxSize(width, -1), 0,
                              nullptr, wxCB_DROPDOWN);
  lists_[id] = list;
  return list;
}

void CBorvikDlg::BuildMenu() {
  // A caption, with its keyboard shortcut after a tab.
  const auto entry = [](const char* caption, const char* keys = nullptr) {
    return keys == nullptr ? Wx(caption) : Wx(caption) + "\t" + keys;
  };
  auto* file = new wxMenu;
  file->Append(MenuId(command::kFileNew), entry("新規作成", "Ctrl+N"));
  file->Append(MenuId(command::kFileLoad), entry("柱状図データの読込", "Ctrl+O"));
  file->Append(MenuId(command::kFileImport), entry("ボーリング交換用データの読込"));
  file->Append(MenuId(command::kFileSaveInPlace), entry("上書き保存", "Ctrl+S"));
  file->Append(MenuId(command::kFileSave), entry("柱状図データの保存", "Ctrl+Shift+S"));
  file->AppendSeparator();
  file->Append(MenuId(command::kFileSaveImage), entry("画像として保存"));
  file->Append(MenuId(command::kFileSavePdf), entry("PDFとして保存"));
  file->Append(MenuId(command::kFileSaveSvg), entry("SVGとして保存"));
  auto* edit = new wxMenu;
  edit->Append(MenuId(command::kEditUndo), entry("元に戻す", "Ctrl+Z"));
  wxMenuItem* redo = edit->Append(MenuId(command::kEditRedo), entry("やり直し", "Ctrl+Y"));
  redo->AddExtraAccel(wxAcceleratorEntry(wxACCEL_CTRL | wxACCEL_SHIFT, 'Z'));
  edit->AppendSeparator();
  edit->Append(MenuId(command::kInsertLayer), entry("層を挿入"));
  edit->Append(MenuId(command::kDeleteLayer), entry("層を削除"));
  edit->AppendSeparator();
  edit->Append(MenuId(command::kLayerList), entry("層の一覧", "Ctrl+L"));
  auto* settings = new wxMenu;
  settings->Append(MenuId(command::kSettingsLoad), Wx("設定の読込"));
  settings->Append(MenuId(command::kSettingsSave), Wx("設定の保存"));
  // GTK has no system menu: the About entry has a menu of its own.
  auto* help = new wxMenu;
  help->Append(MenuId(command::kAbout), Wx("Borvikについて(&A)..."));
  auto* bar = new wxMenuBar;
  bar->Append(file, Wx("ファイル"));
  bar->Append(edit, Wx("編集"));
  bar->Append(settings, Wx("入力設定"));
  bar->Append(help, Wx("ヘルプ"));
  SetMenuBar(bar);
}

wxSizer* CBorvikDlg::BuildViewBar(wxPanel* panel) {
  auto* bar = new wxBoxSizer(wxHORIZONTAL);
  // The captions come from the editor's state.
  for (const int buttonId : {id::kElevationLabels, id::kShowStructures, id::kShowFeatures,
                             id::kShowSamples, id::kShowLegend}) {
    buttons_[buttonId] = new wxButton(panel, buttonId, wxEmptyString);
    bar->Add(buttons_[buttonId], 0, wxRIGHT, kGap);
  }
  bar->AddStretchSpacer();
  bar->Add(Label(panel, "縮尺"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, kGap);
  bar->Add(AddList(panel, id::kScale, 96));
  return bar;
}

wxSizer* CBorvikDlg::BuildHeaderRows(wxPanel* panel) {
  auto* rows = new wxBoxSizer(wxVERTICAL);
  auto* name = new wxBoxSizer(wxHORIZONTAL);
  name->Add(Label(panel, "柱状図名"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, kGap);
  name->Add(AddEdit(panel, id::kName, 150), 0, wxRIGHT, 3 * kGap);
  name->Add(Label(panel, "（孔口）標高"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, kGap);
  name->Add(AddEdit(panel, id::kElevation, 70));
  name->Add(Label(panel, "(m)"), 0, wxALIGN_CENTER_VERTICAL | wxLEFT, kGap);
  rows->Add(name, 0, wxBOTTOM, 2 * kGap);

  auto* nav = new wxBoxSizer(wxHORIZONTAL);
  buttons_[id::kPrevious] = new wxButton(panel, id::kPrevious, Wx("前のデータ"));
  buttons_[id::kNext] = new wxButton(panel, id::kNext, Wx("次のデータ"));
  recordLabel_ = new wxStaticText(panel, id::kRecordLabel, wxEmptyString, wxDefaultPosition,
                                  wxSize(170, -1), wxALIGN_CENTRE_HORIZONTAL);
  nav->Add(buttons_[id::kPrevious]);
  nav->Add(recordLabel_, 0, wxALIGN_CENTER_VERTICAL | wxLEFT | wxRIGHT, 2 * kGap);
  nav->Add(buttons_[id::kNext]);
  rows->Add(nav, 0, wxALIGN_CENTER_HORIZONTAL | wxBOTTOM, 2 * kGap);

  auto* change = new wxBoxSizer(wxHORIZONTAL);
  change->Add(Label(panel, "単層内の岩相変化"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, kGap);
  change->Add(AddList(panel, id::kLithologyChange, 150));
  rows->Add(change, 0, wxBOTTOM, kGap);

  auto* depths = new wxFlexGridSizer(2, 6, kGap, kGap);
  depths->Add(Label(panel, "深度（上）"), 0, wxALIGN_CENTER_VERTICAL);
  depths->Add(AddEdit(panel, id::kTop));
  depths->Add(Label(panel, "(m)"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 2 * kGap);
  depths->Add(Label(panel, "岩相が変化する深度"), 0, wxALIGN_CENTER_VERTICAL);
  depths->Add(AddEdit(panel, id::kInt));
  depths->Add(Label(panel, "(m)"), 0, wxALIGN_CENTER_VERTICAL);
  depths->Add(Label(panel, "深度（下）"), 0, wxALIGN_CENTER_VERTICAL);
  depths->Add(AddEdit(panel, id::kBot));
  depths->Add(Label(panel, "(m)"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 2 * kGap);
  auto* hint = Label(panel, "（岩相変化がない場合指定しない）");
  depths->Add(hint, 0, wxALIGN_CENTER_VERTICAL);
  depths->AddSpacer(0);
  depths->AddSpacer(0);
  rows->Add(depths, 0, wxBOTTOM, kGap);

  auto* base = new wxBoxSizer(wxHORIZONTAL);
  base->Add(Label(panel, "基底の性状／地層境界"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, kGap);
  base->Add(AddList(panel, id::kBase, 110));
  rows->Add(base, 0, wxBOTTOM, kGap);
  return rows;
}

wxSizer* CBorvikDlg::BuildLithologyGroup(wxPanel* panel) {
  auto* group = Group(panel, "岩相");
  wxWindow* box = group->GetStaticBox();
  auto* columns = new wxBoxSizer(wxHORIZONTAL);
  struct Column {
    const char* caption;
    model::LithologyGroup group;
  };
  const Column sediment[] = {{"泥(M)", model::LithologyGroup::Mud},
                             {"砂(S)", model::LithologyGroup::Sand},
                             {"礫(G)", model::LithologyGroup::Gravel},
                             {"火山砕屑物", model::LithologyGroup::Volcaniclastic}};
  for (const Column& c : sediment) {
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(Label(box, c.caption), 0, wxBOTTOM, 2);
    for (const model::SedimentLithology& l : model::kSedimentLithologies) {
      if (l.group != c.group) continue;
      auto* check = new wxCheckBox(box, l.checkBoxId, wxEmptyString);
      checkBoxes_[l.checkBoxId] = check;
      column->Add(check);
    }
    columns->Add(column, 0, wxRIGHT, 2 * kGap);
  }
  auto* bedrock = new wxBoxSizer(wxVERTICAL);
  bedrock->Add(Label(box, "基盤岩（R)"), 0, wxBOTTOM, 2);
  // Slot order: 1087, 1018, 1099, 1019, 1020, 1017. Every box takes its
  // caption from the editor's state; the bedrock ones from the catalogue.
  for (const int boxId : {1087, 1018, 1099, 1019, 1020, 1017}) {
    auto* check = new wxCheckBox(box, boxId, wxEmptyString);
    checkBoxes_[boxId] = check;
    bedrock->Add(check);
  }
  columns->Add(bedrock);
  group->Add(columns);
  group->Add(Label(box, "（注）欠落（コア欠）は岩相を指定しない"), 0, wxTOP, 2);
  return group;
}

wxSizer* CBorvikDlg::BuildRadioGroups(wxPanel* panel) {
  auto* rows = new wxBoxSizer(wxVERTICAL);
  auto radios = [&](const char* title, const auto& buttons, auto& into) {
    auto* group = Group(panel, title, wxHORIZONTAL);
    wxWindow* box = group->GetStaticBox();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
      into[i] = new wxRadioButton(box, buttons[i].id, Wx(buttons[i].caption), wxDefaultPosition,
                                  wxDefaultSize, i == 0 ? wxRB_GROUP : 0);
      group->Add(into[i], 0, wxRIGHT, kGap);
    }
    rows->Add(group, 0, wxEXPAND | wxBOTTOM, kGap);
  };
  radios("岩質", model::kRockQualityButtons, rockQuality_);
  radios("風化状況", model::kWeatheringButtons, weathering_);
  return rows;
}

wxSizer* CBorvikDlg::BuildMarkGroups(wxPanel* panel) {
  auto* rows = new wxBoxSizer(wxVERTICAL);
  auto markRows = [&](const char* title, const char* hint, const char* rowLabel, const auto& depthIds,
                      const auto& kindIds) {
    auto* group = Group(panel, title);
    wxWindow* box = group->GetStaticBox();
    group->Add(Label(box, hint), 0, wxBOTTOM, 2);
    auto* grid = new wxFlexGridSizer(4, 2, kGap);
    for (std::size_t i = 0; i < depthIds.size(); ++i) {
      grid->Add(Label(box, (std::string(rowLabel) + std::to_string(i + 1) + "　深度").c_str()), 0,
                wxALIGN_CENTER_VERTICAL);
      auto* depth = new wxTextCtrl(box, depthIds[i], wxEmptyString, wxDefaultPosition, wxSize(64, -1));
      edits_[depthIds[i]] = depth;
      grid->Add(depth);
      grid->Add(Label(box, "(m)"), 0, wxALIGN_CENTER_VERTICAL);
      auto* kind = new wxComboBox(box, kindIds[i], wxEmptyString, wxDefaultPosition, wxSize(170, -1),
                                  0, nullptr, wxCB_DROPDOWN);
      lists_[kindIds[i]] = kind;
      grid->Add(kind);
    }
    group->Add(grid);
    rows->Add(group, 0, wxEXPAND | wxBOTTOM, kGap);
  };
  markRows("堆積構造", "平行層理や斜交層理などの特徴", "堆積構造", id::kStructureDepths,
           id::kStructureKinds);
  markRows("その他の特徴", "ノジュールや化石などの特徴", "その他", id::kFeatureDepths,
           id::kFeatureKinds);

  auto* samples = Group(panel, "試料採取位置");
  wxWindow* box = samples->GetStaticBox();
  auto* grid = new wxFlexGridSizer(6, kGap, kGap);
  // Samples 1 and 2 on the left, 3 and 4 on the right.
  for (const int i : {0, 2, 1, 3}) {
    const int sampleId = id::kSampleDepths[i];
    grid->Add(Label(box, ("試料" + std::to_string(i + 1) + "　深度").c_str()), 0,
              wxALIGN_CENTER_VERTICAL);
    auto* depth = new wxTextCtrl(box, sampleId, wxEmptyString, wxDefaultPosition, wxSize(64, -1));
    edits_[sampleId] = depth;
    grid->Add(depth);
    grid->Add(Label(box, "(m)"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 2 * kGap);
  }
  samples->Add(grid);
  rows->Add(samples, 0, wxEXPAND | wxBOTTOM, kGap);
  return rows;
}

wxSizer* CBorvikDlg::BuildForm(wxPanel* panel) {
  auto* form = new wxBoxSizer(wxVERTICAL);
  form->Add(BuildHeaderRows(panel), 0, wxEXPAND);
  form->Add(BuildLithologyGroup(panel), 0, wxEXPAND | wxBOTTOM, kGap);
  form->Add(BuildRadioGroups(panel), 0, wxEXPAND);
  form->Add(BuildMarkGroups(panel), 0, wxEXPAND);
  auto* note = Label(panel, "堆積構造，その他の特徴および試料採取位置の入力を取り消す場合は，深度に-1を入力。");
  note->Wrap(420);
  form->Add(note, 0, wxBOTTOM, kGap);
  buttons_[id::kEnter] = new wxButton(panel, id::kEnter, Wx("データ入力"));
  form->Add(buttons_[id::kEnter], 0, wxALIGN_RIGHT);
  return form;
}

void CBorvikDlg::BuildControls() {
  auto* panel = new wxPanel(this);
  // A compact font keeps the whole form beside the 880-pixel picture.
  panel->SetFont(wxFontInfo(9));
  auto* left = new wxBoxSizer(wxVERTICAL);
  left->Add(BuildViewBar(panel), 0, wxEXPAND | wxBOTTOM, kGap);
  picture_ = new GlPicture(panel, [this] { return session_->Scene(); });
  left->Add(picture_);
  scrollBar_ = new wxScrollBar(panel, id::kScrollBar, wxDefaultPosition,
                               wxSize(render::ColumnRenderer::kExportWidth, -1), wxSB_HORIZONTAL);
  left->Add(scrollBar_, 0, wxEXPAND);

  auto* columns = new wxBoxSizer(wxHORIZONTAL);
  columns->Add(left, 0, wxALL, 2 * kGap);
  columns->Add(BuildForm(panel), 0, wxTOP | wxRIGHT | wxBOTTOM, 2 * kGap);
  panel->SetSizer(columns);
  auto* frame = new wxBoxSizer(wxVERTICAL);
  frame->Add(panel, 1, wxEXPAND);
  SetSizerAndFit(frame);
}

}  // namespace borvik::ui
