// The modal dialogs the editor asks for: the toolkit's, or a script's.

#include <wx/filedlg.h>
#include <wx/msgdlg.h>

#include <string>

#include "ui/file_dialog.h"
#include "ui/main_window.h"
#include "ui/overwrite_dialog.h"
#include "ui/text.h"

namespace borvik::ui {
namespace {

std::optional<std::filesystem::path> Choose(wxWindow* owner, std::string_view filter,
                                            std::string_view extension, long style) {
  wxFileDialog dialog(owner, wxFileSelectorPromptStr, wxEmptyString, wxEmptyString,
                      Wx(WxFilter(filter)), style);
  if (dialog.ShowModal() != wxID_OK) return std::nullopt;
  return WithDefaultExtension(Path(dialog.GetPath()), extension);
}

}  // namespace

void CBorvikDlg::ShowMessage(std::string_view text) {
  if (scripted_) return scripted_->ShowMessage(text);
  wxMessageBox(Wx(text), "Borvik", wxOK | wxICON_WARNING, this);
}

std::optional<std::filesystem::path> CBorvikDlg::ChooseOpenFile(std::string_view filter,
                                                                std::string_view extension) {
  if (scripted_) return scripted_->ChooseOpenFile(filter, extension);
  return Choose(this, filter, extension, wxFD_OPEN);
}

std::optional<std::filesystem::path> CBorvikDlg::ChooseSaveFile(std::string_view filter,
                                                                std::string_view extension) {
  if (scripted_) return scripted_->ChooseSaveFile(filter, extension);
  // No overwrite prompt of the toolkit's own: the editor asks its question.
  return Choose(this, filter, extension, wxFD_SAVE);
}

bool CBorvikDlg::ConfirmOverwrite() {
  if (scripted_) return scripted_->ConfirmOverwrite();
  OverWrite dialog(this);
  return dialog.ShowModal() == wxID_OK;
}

bool CBorvikDlg::AskYesNo(std::string_view question) {
  if (scripted_) return scripted_->AskYesNo(question);
  wxMessageDialog dialog(this, Wx(question), "Borvik", wxYES_NO | wxICON_QUESTION);
  dialog.SetYesNoLabels(Wx("はい"), Wx("いいえ"));
  return dialog.ShowModal() == wxID_YES;
}

editor::YesNoCancel CBorvikDlg::AskYesNoCancel(std::string_view question) {
  if (scripted_) return scripted_->AskYesNoCancel(question);
  wxMessageDialog dialog(this, Wx(question), "Borvik", wxYES_NO | wxCANCEL | wxICON_QUESTION);
  dialog.SetYesNoCancelLabels(Wx("はい"), Wx("いいえ"), Wx("キャンセル"));
  switch (dialog.ShowModal()) {
    case wxID_YES: return editor::YesNoCancel::kYes;
    case wxID_NO: return editor::YesNoCancel::kNo;
    default: return editor::YesNoCancel::kCancel;
  }
}

}  // namespace borvik::ui
