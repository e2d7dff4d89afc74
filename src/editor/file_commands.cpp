// The ファイル menu: new, load, import, save, the picture saved as an image
// and the whole log as a document.

#include "editor/import_report.h"
#include "editor/messages.h"
#include "editor/session.h"
#include "exchange/import.h"
#include "exchange/name_rules.h"
#include "files/file_io.h"
#include "files/layer_csv.h"

namespace borvik::editor {

bool Session::ResetLog() {
  // A work file that is already gone is no reason to stop.
  if (const files::Status removed = work_.Delete(); !removed) {
    ShowFailure(platform_, *removed.error);
    return false;
  }
  Report(work_.Create());
  ResetForm();
  log_->layers.Clear();
  drawing_->Clear();
  legend_.Reset();
  mode_ = EntryMode::Append;
  log_->header = {};
  // A new log belongs to no file until it is saved.
  document_ = nextDocument_++;
  return true;
}

void Session::OnFileNew() {
  RecordStep([this] { return StartNewLog(); });
}

bool Session::StartNewLog() {
  if (!ResetLog()) return false;
  platform_.Redraw();
  log_->form.top = 0.0f;
  log_->form.bot = 0.0f;
  ResetForm();
  SetRecordLabel();
  WriteControls();
  return true;
}

void Session::OnFileLoad() {
  const auto path = platform_.ChooseOpenFile(kLayerFileFilter, "");
  if (!path) return;
  LoadLog(*path);
}

std::unique_ptr<model::Document> Session::ReadLog(const std::filesystem::path& path) {
  auto loaded = std::make_unique<model::Document>();
  if (const files::Status read = files::ReadLayerFile(path, *loaded); !read) {
    ShowLoadFailure(*read.error);
    return nullptr;
  }
  return loaded;
}

bool Session::LoadLog(const std::filesystem::path& path) {
  // The whole file is read before the log being edited is given up, so a
  // file that fails leaves that log, its work file and the form alone.
  const std::unique_ptr<model::Document> loaded = ReadLog(path);
  return loaded && ReplaceLog(*loaded, path);
}

void Session::OnFileImport() {
  const auto path = platform_.ChooseOpenFile(kExchangeFileFilter, "");
  if (!path) return;
  ImportLog(*path);
}

bool Session::ImportLog(const std::filesystem::path& path) {
  // The rules are read at every import, so an edited rules file counts at
  // once.
  exchange::NameRules rules;
  if (const files::Status loaded = exchange::LoadNameRules(nullptr, rules); !loaded) {
    ShowLoadFailure(*loaded.error);
    return false;
  }
  auto imported = std::make_unique<model::Document>();
  exchange::ImportReport report;
  if (const files::Status read = exchange::ImportExchangeFile(path, rules, *imported, report);
      !read) {
    ShowLoadFailure(*read.error);
    return false;
  }
  // An imported log belongs to no layer file: 上書き保存 asks where.
  if (!ReplaceLog(*imported, std::nullopt)) return false;
  if (report.NeedsAttention()) platform_.ShowMessage(FormatImportReport(report, catalogue_));
  return true;
}

void Session::ShowLoadFailure(const files::Error& error) {
  for (const std::string& message : LoadFailureMessages(error)) platform_.ShowMessage(message);
}

bool Session::ReplaceLog(const model::Document& loaded,
                         const std::optional<std::filesystem::path>& file) {
  return RecordStep([&] {
    if (!ResetLog()) return false;
    log_->header = loaded.header;
    log_->layers = loaded.layers;
    Report(work_.Rewrite(log_->header, log_->layers));
    work_.MarkStarted();
    RebuildDrawing();
    SetRecordLabel();
    if (log_->layers.LayerCount() > 0) {
      LoadFormFromLayer(log_->layers.CurrentLayer());
    } else {
      // A file of no layers leaves the form as 新規作成 does, not showing the
      // empty slot 0.
      log_->form.top = 0.0f;
      log_->form.bot = 0.0f;
    }
    mode_ = EntryMode::Append;
    WriteControls();
    platform_.Redraw();
    if (file) NoteSaved(*file);
    return true;
  });
}

void Session::OnFileSave() {
  const auto path = platform_.ChooseSaveFile(kLayerFileFilter, kLayerFileExtension);
  if (!path) return;
  SaveLog(*path, true);
}

void Session::OnFileSaveInPlace() {
  const std::filesystem::path file = File();
  if (file.empty()) {
    OnFileSave();
    return;
  }
  SaveLog(file, false);
}

bool Session::SaveLog(const std::filesystem::path& path, bool askBeforeReplacing) {
  // The file carries the name and elevation as the boxes hold them now.
  if (!ReadHeaderBoxes()) return false;
  if (const auto refusal = NameRefusal(log_->header.name)) {
    platform_.ShowMessage(*refusal);
    return false;
  }
  if (askBeforeReplacing && files::CanOpenForReading(path) && !platform_.ConfirmOverwrite()) {
    return false;
  }
  // The work file is brought up to date first, then the same bytes replace
  // the target whole.
  const std::string text = files::FormatLayerFile(log_->header, log_->layers);
  Report(work_.Rewrite(log_->header, log_->layers));
  if (const files::Status written = files::WriteFileAtomic(path, text); !written) {
    ShowFailure(platform_, *written.error);
    return false;
  }
  NoteSaved(path);
  return true;
}

void Session::OnFileSaveImage() {
  const auto path = platform_.ChooseSaveFile(kImageFileFilter, kImageFileExtension);
  if (!path) return;
  if (const files::Status exported = platform_.ExportImage(*path); !exported) {
    ShowFailure(platform_, *exported.error);
  }
}

void Session::OnFileSavePdf() { SaveDocument(files::DocumentFormat::kPdf); }
void Session::OnFileSaveSvg() { SaveDocument(files::DocumentFormat::kSvg); }

void Session::SaveDocument(files::DocumentFormat format) {
  const bool pdf = format == files::DocumentFormat::kPdf;
  const auto path = platform_.ChooseSaveFile(pdf ? kPdfFileFilter : kSvgFileFilter,
                                             pdf ? kPdfFileExtension : kSvgFileExtension);
  if (!path) return;
  if (const files::Status exported = platform_.ExportDocument(*path, format); !exported) {
    ShowFailure(platform_, *exported.error);
  }
}

}  // namespace borvik::editor
