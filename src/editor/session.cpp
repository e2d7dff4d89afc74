#include "editor/session.h"

#include <string>

#include "editor/messages.h"
#include "render/texture_files.h"

namespace borvik::editor {

Session::Session(Platform& platform, std::filesystem::path workFilePath)
    : Session(platform, std::move(workFilePath), files::WorkFileLease()) {}

Session::Session(Platform& platform, files::WorkFileLease lease)
    : Session(platform, lease.Path(), std::move(lease)) {}

Session::Session(Platform& platform, std::filesystem::path workFilePath,
                 files::WorkFileLease&& lease)
    : platform_(platform),
      log_(std::make_unique<model::Document>()),
      drawing_(std::make_unique<render::DrawTable>()),
      catalogue_(settings::CategoryCatalogue::Defaults()),
      work_(std::move(workFilePath), std::move(lease)) {
  // The order of the window's initialisation. Without a work file AfterStart
  // says so.
  if (work_.HasPath()) Report(work_.Create());
  view_.scrollPosition = 0;
  WriteControls();
  drawing_->Clear();
  log_->form.bot = 0.0f;
  state_.lithologyChange.entries.assign(model::kLithologyChangeEntries.begin(),
                                        model::kLithologyChangeEntries.end());
  state_.base.entries.assign(model::kBaseEntries.begin(), model::kBaseEntries.end());
  FillCategoryControls();
  state_.scale.entries.clear();
  for (const model::Scale& scale : model::kScales) state_.scale.entries.emplace_back(scale.name);
  state_.scale.Select(model::kDefaultScaleIndex);
  view_.scaleIndex = model::kDefaultScaleIndex;
  ResetForm();
}

Session::~Session() = default;

void Session::OnClose() { Report(work_.Close()); }

void Session::AfterStart() {
  if (startNotesShown_) return;
  startNotesShown_ = true;
  if (!render::BuiltInTexturesFound()) platform_.ShowMessage(kBuiltInTexturesMissingMessage);
  const files::WorkFileLease& lease = work_.Lease();
  if (lease.FellBack()) {
    if (lease.Path().empty()) {
      platform_.ShowMessage(kNoWorkFileMessage);
    } else {
      platform_.ShowMessage(std::string(kWorkFileElsewhereHead) + lease.Path().string() +
                            std::string(kWorkFileElsewhereTail));
    }
  }
  const std::filesystem::path& copy = lease.RecoveredCopy();
  if (copy.empty()) return;
  const bool open = platform_.AskYesNo(kRecoveryQuestion);
  work_.RecoveryAnswered();
  // The recovered log was never saved: it belongs to no file, and closing
  // the window asks before it is dropped again.
  if (open) {
    const std::unique_ptr<model::Document> recovered = ReadLog(copy);
    if (recovered && ReplaceLog(*recovered, std::nullopt)) return;
  }
  platform_.ShowMessage(std::string(kRecoveryKeptHead) + copy.string() +
                        std::string(kRecoveryKeptTail));
}

void Session::Report(const files::Status& status) {
  if (!status) ShowFailure(platform_, *status.error);
}

void Session::SetRecordLabel() {
  state_.recordLabel = FormatRecordLabel(log_->layers.CurrentLayer(), log_->layers.LayerCount());
}

}  // namespace borvik::editor
