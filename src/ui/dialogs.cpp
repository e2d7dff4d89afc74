#include "ui/dialogs.h"

#include <wx/filedlg.h>
#include <wx/msgdlg.h>

#include <string>

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

std::string WxFilter(std::string_view filter) {
  std::string wx(filter);
  while (wx.ends_with("|")) wx.pop_back();
  return wx;
}

std::filesystem::path WithDefaultExtension(std::filesystem::path path, std::string_view extension) {
  if (!extension.empty() && path.extension().empty()) path += "." + std::string(extension);
  return path;
}

void WxDialogs::ShowMessage(std::string_view text) {
  wxMessageBox(Wx(text), "Borvik", wxOK | wxICON_WARNING, owner_);
}

std::optional<std::filesystem::path> WxDialogs::ChooseOpenFile(std::string_view filter,
                                                               std::string_view extension) {
  return Choose(owner_, filter, extension, wxFD_OPEN);
}

std::optional<std::filesystem::path> WxDialogs::ChooseSaveFile(std::string_view filter,
                                                               std::string_view extension) {
  // No overwrite prompt of the toolkit's own: the editor asks its question.
  return Choose(owner_, filter, extension, wxFD_SAVE);
}

bool WxDialogs::AskYesNo(std::string_view question) {
  wxMessageDialog dialog(owner_, Wx(question), "Borvik", wxYES_NO | wxICON_QUESTION);
  dialog.SetYesNoLabels(Wx("はい"), Wx("いいえ"));
  return dialog.ShowModal() == wxID_YES;
}

bool WxDialogs::ConfirmOverwrite() {
  OverWrite dialog(owner_);
  return dialog.ShowModal() == wxID_OK;
}

}  // namespace borvik::ui
