#include "ui/main_window.h"

#include "ui/gl_picture.h"
#include "ui/program_icon.h"
#include "ui/text.h"

namespace borvik::ui {

CBorvikDlg::CBorvikDlg(std::unique_ptr<Dialogs> dialogs, std::filesystem::path workFile)
    : wxFrame(nullptr, 102, "Borvik", wxDefaultPosition, wxDefaultSize,
              wxDEFAULT_FRAME_STYLE & ~(wxRESIZE_BORDER | wxMAXIMIZE_BOX)),
      dialogs_(dialogs ? std::move(dialogs) : std::make_unique<WxDialogs>(this)) {
  SetIcons(ProgramIcons());
  BuildMenu();
  BuildControls();
  // The editor's initialisation: the work file, the lists, the catalogue,
  // the scale and the form.
  session_ = std::make_unique<editor::Session>(static_cast<editor::Platform&>(*this), std::move(workFile));
  StateToWidgets();
  BindEvents();
  Fit();
  SetSizeHints(wxSize(500, 250), wxSize(1400, 950));
}

CBorvikDlg::~CBorvikDlg() = default;

void CBorvikDlg::ShowMessage(std::string_view text) { dialogs_->ShowMessage(text); }

std::optional<std::filesystem::path> CBorvikDlg::ChooseOpenFile(std::string_view filter,
                                                                std::string_view extension) {
  return dialogs_->ChooseOpenFile(filter, extension);
}

std::optional<std::filesystem::path> CBorvikDlg::ChooseSaveFile(std::string_view filter,
                                                                std::string_view extension) {
  return dialogs_->ChooseSaveFile(filter, extension);
}

bool CBorvikDlg::ConfirmOverwrite() { return dialogs_->ConfirmOverwrite(); }

void CBorvikDlg::Redraw() {
  if (picture_) picture_->Redraw();
}

files::Status CBorvikDlg::ExportImage(const std::filesystem::path& path) {
  return picture_->ExportImage(path);
}

}  // namespace borvik::ui
