#include "editor/session.h"

#include "editor/messages.h"

namespace borvik::editor {

Session::Session(Platform& platform, std::filesystem::path workFilePath)
    : platform_(platform),
      log_(std::make_unique<model::Document>()),
      drawing_(std::make_unique<render::DrawTable>()),
      catalogue_(settings::CategoryCatalogue::Defaults()),
      workFile_(std::move(workFilePath)) {
  // The order of the window's initialisation.
  WriteControls();
  if (const files::Status created = workFile_.Create(); !created) ShowStatus(platform_, created);
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
  if (const files::Status removed = workFile_.Delete(); !removed) ShowStatus(platform_, removed);
}

bool Session::Refuse(std::string_view message) {
  refusal_ = message;
  platform_.ShowMessage(message);
  return false;
}

void Session::SetRecordLabel() {
  state_.recordLabel = FormatRecordLabel(log_->layers.CurrentLayer(), log_->layers.LayerCount());
}

}  // namespace borvik::editor
