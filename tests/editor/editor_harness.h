#pragma once
// Driving the editor as a user would: a platform that answers the dialogs
// from a script and keeps every message, and a session in a folder of its
// own.

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "editor/platform.h"
#include "editor/session.h"
#include "files/layer_csv.h"
#include "support/temp_dir.h"

namespace borvik::editor::testing {

class ScriptedPlatform final : public Platform {
 public:
  struct FileDialog {
    bool save = false;
    std::string filter;
    std::string defaultExtension;
  };

  // Answers, taken in order. nullopt cancels a file dialog.
  std::deque<std::optional<std::filesystem::path>> fileAnswers;
  std::deque<bool> overwriteAnswers;
  std::deque<bool> yesNoAnswers;
  files::Status exportResult;
  std::function<void(const std::filesystem::path&)> onExport;

  // What the user saw.
  std::vector<std::string> messages;
  std::vector<FileDialog> fileDialogs;
  int overwriteQuestions = 0;
  std::vector<std::string> questions;
  int redraws = 0;
  std::vector<std::filesystem::path> exports;

  std::vector<std::string> TakeMessages() { return std::exchange(messages, {}); }

  void ShowMessage(std::string_view text) override { messages.emplace_back(text); }

  std::optional<std::filesystem::path> ChooseOpenFile(std::string_view filter,
                                                      std::string_view defaultExtension) override {
    fileDialogs.push_back({false, std::string(filter), std::string(defaultExtension)});
    return Answer();
  }

  std::optional<std::filesystem::path> ChooseSaveFile(std::string_view filter,
                                                      std::string_view defaultExtension) override {
    fileDialogs.push_back({true, std::string(filter), std::string(defaultExtension)});
    std::optional<std::filesystem::path> path = Answer();
    // As the window's dialog does: a typed name without extension gets the
    // default one.
    if (path && !defaultExtension.empty() && !path->has_extension()) {
      *path += "." + std::string(defaultExtension);
    }
    return path;
  }

  bool ConfirmOverwrite() override {
    ++overwriteQuestions;
    if (overwriteAnswers.empty()) {
      ADD_FAILURE() << "unexpected overwrite question";
      return false;
    }
    const bool answer = overwriteAnswers.front();
    overwriteAnswers.pop_front();
    return answer;
  }

  bool AskYesNo(std::string_view question) override {
    questions.emplace_back(question);
    if (yesNoAnswers.empty()) {
      ADD_FAILURE() << "unexpected question: " << question;
      return false;
    }
    const bool answer = yesNoAnswers.front();
    yesNoAnswers.pop_front();
    return answer;
  }

  void Redraw() override { ++redraws; }

  files::Status ExportImage(const std::filesystem::path& path) override {
    exports.push_back(path);
    if (onExport) onExport(path);
    return exportResult;
  }

 private:
  std::optional<std::filesystem::path> Answer() {
    if (fileAnswers.empty()) {
      ADD_FAILURE() << "unexpected file dialog";
      return std::nullopt;
    }
    std::optional<std::filesystem::path> answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
  }
};

// One run of the program: a folder for its work file, the scripted user and
// the editor.
struct Editor {
  borvik::testing::TempDir dir;
  ScriptedPlatform ui;
  std::unique_ptr<Session> session = std::make_unique<Session>(ui, dir / files::kWorkFileName);

  MainWindowState& State() { return session->State(); }
  std::string WorkFile() const { return borvik::testing::ReadBytes(dir / files::kWorkFileName); }

  void TypeHeader(std::string name, std::string elevation) {
    State().name = std::move(name);
    State().elevation = std::move(elevation);
  }
  void TypeDepths(std::string top, std::string bot) {
    State().top = std::move(top);
    State().bot = std::move(bot);
  }
  void Tick(int boxId) {
    CheckBoxState* box = State().CheckBox(boxId);
    ASSERT_NE(box, nullptr) << boxId;
    box->checked = true;
  }
  // A layer of one lithology, typed and entered.
  EntryResult Enter(std::string top, std::string bot, int boxId) {
    TypeDepths(std::move(top), std::move(bot));
    Tick(boxId);
    return session->EnterLayer();
  }
  // Loads a layer file written from the given text.
  void Load(std::string_view name, std::string_view bytes) {
    borvik::testing::WriteBytes(dir / name, bytes);
    ui.fileAnswers.push_back(dir / name);
    session->OnFileLoad();
  }
};

inline constexpr int kClayBox = 1004;
inline constexpr int kSiltBox = 1007;
inline constexpr int kVeryFineSandBox = 1008;
inline constexpr int kFineSandBox = 1009;
inline constexpr int kCoarseSandBox = 1011;
inline constexpr int kGranuleBox = 1013;
inline constexpr int kFineAshBox = 1096;
inline constexpr int kSedimentaryRockBox = 1087;
inline constexpr int kLimestoneBox = 1017;

inline std::string HeaderLine() { return std::string(files::kHeaderLine) + "\r\n"; }

// A layer line with every mark left out: top, bot, int, Str, Bou, RF1, RF2.
inline std::string PlainLine(std::string_view values) {
  std::string line = std::string(values) + ",0,0";
  for (int mark = 0; mark < 11; ++mark) line += ",-1,0";
  return line + "\r\n";
}

}  // namespace borvik::editor::testing
