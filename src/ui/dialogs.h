#pragma once
// The modal dialogs the editor asks for: message boxes, file choices and the
// overwrite question. The window uses the toolkit's; GUI tests answer them
// from a script while everything else is the real window.

#include <filesystem>
#include <optional>
#include <string_view>

class wxWindow;

namespace borvik::ui {

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual void ShowMessage(std::string_view text) = 0;
  virtual std::optional<std::filesystem::path> ChooseOpenFile(std::string_view filter,
                                                              std::string_view extension) = 0;
  virtual std::optional<std::filesystem::path> ChooseSaveFile(std::string_view filter,
                                                              std::string_view extension) = 0;
  virtual bool ConfirmOverwrite() = 0;
  // A question with はい and いいえ; true for はい.
  virtual bool AskYesNo(std::string_view question) = 0;
};

// The toolkit's dialogs, owned by a window.
class WxDialogs final : public Dialogs {
 public:
  explicit WxDialogs(wxWindow* owner) : owner_(owner) {}
  void ShowMessage(std::string_view text) override;
  std::optional<std::filesystem::path> ChooseOpenFile(std::string_view filter,
                                                      std::string_view extension) override;
  std::optional<std::filesystem::path> ChooseSaveFile(std::string_view filter,
                                                      std::string_view extension) override;
  bool ConfirmOverwrite() override;
  bool AskYesNo(std::string_view question) override;

 private:
  wxWindow* owner_;
};

// "説明 (*.csv)|*.csv||" as wx writes it: without the final "||".
std::string WxFilter(std::string_view filter);
// The chosen name with the default extension added when it has none.
std::filesystem::path WithDefaultExtension(std::filesystem::path path, std::string_view extension);

}  // namespace borvik::ui
