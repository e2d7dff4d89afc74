#include "editor/layer_check.h"

#include <unistd.h>

#include <memory>
#include <system_error>

#include "editor/form_transfer.h"
#include "editor/session.h"
#include "files/file_io.h"
#include "files/layer_csv.h"

namespace borvik::editor {
namespace {

// Nobody to answer: messages are dropped, dialogs cancelled.
class SilentPlatform final : public Platform {
 public:
  void ShowMessage(std::string_view) override {}
  std::optional<std::filesystem::path> ChooseOpenFile(std::string_view, std::string_view) override {
    return std::nullopt;
  }
  std::optional<std::filesystem::path> ChooseSaveFile(std::string_view, std::string_view) override {
    return std::nullopt;
  }
  bool ConfirmOverwrite() override { return false; }
  bool AskYesNo(std::string_view) override { return false; }
  void Redraw() override {}
  files::Status ExportImage(const std::filesystem::path&) override { return files::Status::Ok(); }
};

// A folder of our own for the session's work file, so that checking never
// leaves a temp.csv in the user's folder.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::error_code error;
    std::string pattern =
        (std::filesystem::temp_directory_path(error) / "borvik-check-XXXXXX").string();
    if (!error && ::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~ScratchFolder() {
    if (path_.empty()) return;
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // Without a folder of our own the work file goes nowhere (a path that
  // cannot be created) rather than into the working folder; the check does
  // not depend on it.
  std::filesystem::path WorkFile() const {
    return path_.empty() ? std::filesystem::path("/dev/null") / files::kWorkFileName
                         : path_ / files::kWorkFileName;
  }

 private:
  std::filesystem::path path_;
};

std::string OneLine(std::string message) {
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) message.pop_back();
  // A message of two sentences on two lines reads as well on one.
  std::string line;
  for (char c : message) {
    if (c != '\n' && c != '\r') line += c;
  }
  return line;
}

bool IsBlank(std::string_view line) {
  return line.find_first_not_of(" \t\v\f\r") == std::string_view::npos;
}

}  // namespace

std::vector<int> LayerLineNumbers(std::string_view bytes) {
  std::vector<int> numbers;
  std::size_t pos = 0;
  int number = 0;
  while (pos < bytes.size()) {
    std::size_t end = bytes.find('\n', pos);
    if (end == std::string_view::npos) end = bytes.size();
    const std::string_view line = bytes.substr(pos, end - pos);
    pos = end + 1;
    ++number;
    if (number >= 3 && !IsBlank(line)) numbers.push_back(number);
  }
  return numbers;
}

LayerCheck CheckLayerFile(const std::filesystem::path& path, int scaleIndex) {
  LayerCheck check;
  std::string bytes;
  if (const files::IoResult io = files::ReadWholeFile(path, bytes); !io) {
    check.read = files::Status::Fail(files::kCannotOpenMessage, files::DescribeError(io.error));
    return check;
  }
  auto log = std::make_unique<model::Document>();
  check.read = files::ParseLayerFile(bytes, *log);
  if (!check.read) return check;
  const std::vector<int> lines = LayerLineNumbers(bytes);

  ScratchFolder folder;
  SilentPlatform platform;
  Session session(platform, folder.WorkFile());
  MainWindowState& state = session.State();
  state.scale.Select(scaleIndex);
  session.OnScaleChange();
  for (int slot = 1; slot <= log->layers.LayerCount(); ++slot) {
    // Shown as navigation shows a stored layer, then entered as a new one.
    session.ResetForm();
    session.LoadFormFromRecord(log->layers.Get(slot));
    session.WriteControls();
    state.name = log->header.name;
    state.elevation = FormatNumberBox(log->header.elevation);
    const EntryResult entry = session.EnterLayer();
    if (!entry.accepted) {
      const int line = slot - 1 < static_cast<int>(lines.size()) ? lines[slot - 1] : slot + 2;
      check.refusals.push_back({line, OneLine(entry.refusal)});
    }
  }
  return check;
}

}  // namespace borvik::editor
