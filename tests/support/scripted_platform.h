#pragma once
// A platform that answers the editor's dialogs from a script and keeps
// every message, question and redraw: the editor tests drive a Session with
// it, the GUI tests give it to the real window for its dialogs.

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "editor/platform.h"

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
  std::deque<YesNoCancel> yesNoCancelAnswers;
  files::Status exportResult;
  std::function<void(const std::filesystem::path&)> onExport;
  files::Status documentResult;
  std::function<void(const std::filesystem::path&, files::DocumentFormat)> onDocument;

  // What the user saw.
  std::vector<std::string> messages;
  std::vector<FileDialog> fileDialogs;
  int overwriteQuestions = 0;
  std::vector<std::string> questions;
  int redraws = 0;
  std::vector<std::filesystem::path> exports;
  std::vector<std::pair<std::filesystem::path, files::DocumentFormat>> documents;

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

  YesNoCancel AskYesNoCancel(std::string_view question) override {
    questions.emplace_back(question);
    if (yesNoCancelAnswers.empty()) {
      ADD_FAILURE() << "unexpected question: " << question;
      return YesNoCancel::kCancel;
    }
    const YesNoCancel answer = yesNoCancelAnswers.front();
    yesNoCancelAnswers.pop_front();
    return answer;
  }

  void Redraw() override { ++redraws; }

  files::Status ExportImage(const std::filesystem::path& path) override {
    exports.push_back(path);
    if (onExport) onExport(path);
    return exportResult;
  }

  files::Status ExportDocument(const std::filesystem::path& path,
                               files::DocumentFormat format) override {
    documents.emplace_back(path, format);
    if (onDocument) onDocument(path, format);
    return documentResult;
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

}  // namespace borvik::editor::testing
