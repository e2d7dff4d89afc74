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
      workFile_(std::move(workFilePath)),
      lease_(std::move(lease)) {
  // The order of the window's initialisation.
  if (workFile_.Path().empty()) {
    // No folder could take a work file; AfterStart says so.
    workFileInStep_ = false;
  } else {
    NoteWorkFileWrite(workFile_.Create());
  }
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

void Session::OnClose() {
  if (!workFile_.Path().empty()) {
    if (const files::Status removed = workFile_.Delete(); !removed) ShowFailure(platform_, *removed.error);
  }
  // Only now may another window take the name.
  lease_.Release();
}

void Session::AfterStart() {
  if (startNotesShown_) return;
  startNotesShown_ = true;
  if (!render::BuiltInTexturesFound()) platform_.ShowMessage(kBuiltInTexturesMissingMessage);
  if (lease_.FellBack()) {
    if (lease_.Path().empty()) {
      platform_.ShowMessage(kNoWorkFileMessage);
    } else {
      platform_.ShowMessage(std::string(kWorkFileElsewhereHead) + lease_.Path().string() +
                            std::string(kWorkFileElsewhereTail));
    }
  }
  const std::filesystem::path& copy = lease_.RecoveredCopy();
  if (copy.empty()) return;
  if (platform_.AskYesNo(kRecoveryQuestion) && LoadLog(copy)) return;
  platform_.ShowMessage(std::string(kRecoveryKeptHead) + copy.string() +
                        std::string(kRecoveryKeptTail));
}

void Session::NoteWorkFileWrite(const files::Status& status) {
  workFileInStep_ = static_cast<bool>(status);
  if (!status) ShowFailure(platform_, *status.error);
}

void Session::SetRecordLabel() {
  state_.recordLabel = FormatRecordLabel(log_->layers.CurrentLayer(), log_->layers.LayerCount());
}

}  // namespace borvik::editor
