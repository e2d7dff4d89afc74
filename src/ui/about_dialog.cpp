#include "ui/about_dialog.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include "ui/program_icon.h"

namespace borvik::ui {

CAboutDlg::CAboutDlg(wxWindow* parent)
    : wxDialog(parent, 100, wxString::FromUTF8("Borvikについて")) {
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  row->Add(new wxStaticBitmap(this, wxID_ANY, ProgramIcon(48)), 0, wxALL, 16);
  row->Add(new wxStaticText(this, wxID_ANY, "Borvik ver.1.1"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 32);
  sizer->Add(row);
  auto* ok = new wxButton(this, wxID_OK, "OK");
  ok->SetDefault();
  sizer->Add(ok, 0, wxALIGN_RIGHT | wxALL, 12);
  SetSizerAndFit(sizer);
  CentreOnParent();
}

}  // namespace borvik::ui
