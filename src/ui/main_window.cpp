#include "ui/main_window.h"

#include <wx/log.h>
#include <wx/utils.h>

#include <algorithm>

#include "exchange/import.h"
#include "render/vector/document_export.h"
#include "ui/gl_picture.h"
#include "ui/program_icon.h"
#include "ui/text.h"

namespace borvik::ui {

CBorvikDlg::CBorvikDlg(files::WorkFileLease lease, editor::Platform* dialogs)
    : wxFrame(nullptr, 102, "Borvik", wxDefaultPosition, wxDefaultSize,
              wxDEFAULT_FRAME_STYLE & ~(wxRESIZE_BORDER | wxMAXIMIZE_BOX)),
      scripted_(dialogs) {
  SetIcons(ProgramIcons());
  BuildMenu();
  BuildControls();
  // The editor's initialisation: the work file, the lists, the catalogue,
  // the scale and the form.
  session_ = std::make_unique<editor::Session>(static_cast<editor::Platform&>(*this), std::move(lease));
  StateToWidgets();
  BindEvents();
  Fit();
  // The frame is fixed; the size limits hold where a window manager still
  // resizes it, and never cut the form off.
  const wxSize natural = GetSize();
  SetSizeHints(wxSize(500, 250), wxSize(std::max(1400, natural.x), std::max(950, natural.y)));
}

CBorvikDlg::~CBorvikDlg() = default;

void CBorvikDlg::AfterShow(const std::optional<std::filesystem::path>& openAtStart) {
  Run([this, &openAtStart] {
    session_->AfterStart();
    // A boring exchange file named at start is imported.
    if (openAtStart &&
        (exchange::IsExchangeFileName(*openAtStart) ? session_->ImportLog(*openAtStart)
                                                    : session_->LoadLog(*openAtStart))) {
      wxLogVerbose("%s: %s", Wx(openAtStart->string()), Wx(session_->State().recordLabel));
    }
  });
}

void CBorvikDlg::Redraw() {
  if (picture_) picture_->Redraw();
}

files::Status CBorvikDlg::ExportImage(const std::filesystem::path& path) {
  return picture_->ExportImage(path);
}

files::Status CBorvikDlg::ExportDocument(const std::filesystem::path& path,
                                         files::DocumentFormat format) {
  // A long log takes a moment.
  wxBusyCursor busy;
  return render::vector::ExportDocument(session_->Scene(), path, format);
}

}  // namespace borvik::ui
