#pragma once
// What the editor needs from the platform: message boxes, file dialogs, the
// overwrite, yes/no and yes/no/cancel questions, redrawing, the image and
// document exports. The main
// window implements it with the toolkit; tests implement it with a script.
// This is the one place where failures become message boxes.

#include <filesystem>
#include <optional>
#include <string_view>

#include "files/document_format.h"
#include "files/error.h"

namespace borvik::editor {

enum class YesNoCancel { kYes, kNo, kCancel };

class Platform {
 public:
  virtual ~Platform() = default;

  // A modal box with an OK button, a warning icon and the title "Borvik".
  virtual void ShowMessage(std::string_view text) = 0;

  // File dialogs. `filter` is written "説明 (*.csv)|*.csv||"; a toolkit that
  // wants "説明 (*.csv)|*.csv" drops the final "||". When `defaultExtension`
  // is not empty it is added to a typed name that has none. nullopt when the
  // user cancels; otherwise the full path.
  virtual std::optional<std::filesystem::path> ChooseOpenFile(std::string_view filter,
                                                              std::string_view defaultExtension) = 0;
  virtual std::optional<std::filesystem::path> ChooseSaveFile(std::string_view filter,
                                                              std::string_view defaultExtension) = 0;

  // The question "上書き保存をしますか？" with OK and キャンセル; true for OK.
  virtual bool ConfirmOverwrite() = 0;

  // A modal question with はい and いいえ, titled "Borvik"; true for はい.
  // Closing the box any other way answers いいえ.
  virtual bool AskYesNo(std::string_view question) = 0;

  // A modal question with はい, いいえ and キャンセル, titled "Borvik".
  // Closing the box any other way answers キャンセル.
  virtual YesNoCancel AskYesNoCancel(std::string_view question) = 0;

  // The picture shows the editor's current scene (Session::Scene()).
  virtual void Redraw() = 0;

  // Draws the current scene offscreen at 880 x 831 and writes it as PNG.
  virtual files::Status ExportImage(const std::filesystem::path& path) = 0;

  // Writes the whole log of the current scene as a PDF (on the paper that
  // holds a sheet) or an SVG document at true scale.
  virtual files::Status ExportDocument(const std::filesystem::path& path,
                                       files::DocumentFormat format) = 0;
};

// A failure as one message box, in the words of the messages table.
void ShowFailure(Platform& platform, const files::Error& error);

}  // namespace borvik::editor
