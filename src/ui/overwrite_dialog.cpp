#include "ui/overwrite_dialog.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

namespace borvik::ui {

OverWrite::OverWrite(wxWindow* parent)
    : wxDialog(parent, 146, wxEmptyString, wxDefaultPosition, wxDefaultSize, wxBORDER_RAISED) {
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  sizer->Add(new wxStaticText(this, wxID_ANY, wxString::FromUTF8("上書き保存をしますか？")), 0,
             wxALIGN_CENTER | wxALL, 24);
  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  auto* ok = new wxButton(this, wxID_OK, "OK");
  buttons->Add(ok, 0, wxRIGHT, 32);
  buttons->Add(new wxButton(this, wxID_CANCEL, wxString::FromUTF8("キャンセル")));
  sizer->Add(buttons, 0, wxALIGN_CENTER | wxLEFT | wxRIGHT | wxBOTTOM, 16);
  ok->SetDefault();
  SetSizerAndFit(sizer);
  CentreOnParent();
}

}  // namespace borvik::ui
