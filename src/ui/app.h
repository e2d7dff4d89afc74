#pragma once
// CBorvikApp: starts the toolkit and opens the main window.

#include <wx/app.h>

#include <filesystem>
#include <optional>

namespace borvik::ui {

class CBorvikApp : public wxApp {
 public:
  bool OnInit() override;
  // `borvik [--verbose] [FILE.csv]`: a log named on the command line is
  // opened at start (the desktop entry passes the file opened with the
  // program).
  void OnInitCmdLine(wxCmdLineParser& parser) override;
  bool OnCmdLineParsed(wxCmdLineParser& parser) override;

 private:
  std::optional<std::filesystem::path> openAtStart_;
};

// Looks that fit the form into the window at GTK's control sizes.
void ApplyCompactStyle();

}  // namespace borvik::ui
