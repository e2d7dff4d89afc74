#include "ui/app.h"

#include <gtk/gtk.h>
#include <wx/cmdline.h>
#include <wx/image.h>
#include <wx/log.h>

#include "files/work_file_lease.h"
#include "ui/main_window.h"

namespace borvik::ui {

void ApplyCompactStyle() {
  // GTK's default controls are taller than the form has room for.
  static const char kCss[] =
      "entry, button, combobox button, spinbutton { min-height: 20px; padding-top: 1px; "
      "padding-bottom: 1px; }"
      "entry { padding-left: 4px; padding-right: 4px; }"
      "checkbutton, radiobutton { min-height: 0; padding-top: 0; padding-bottom: 0; }"
      "frame > border { padding: 0; }";
  GtkCssProvider* provider = gtk_css_provider_new();
  gtk_css_provider_load_from_data(provider, kCss, -1, nullptr);
  gtk_style_context_add_provider_for_screen(gdk_screen_get_default(), GTK_STYLE_PROVIDER(provider),
                                            GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  g_object_unref(provider);
}

void CBorvikApp::OnInitCmdLine(wxCmdLineParser& parser) {
  wxApp::OnInitCmdLine(parser);
  parser.AddParam("FILE.csv", wxCMD_LINE_VAL_STRING, wxCMD_LINE_PARAM_OPTIONAL);
}

bool CBorvikApp::OnCmdLineParsed(wxCmdLineParser& parser) {
  if (parser.GetParamCount() > 0) {
    openAtStart_ = std::filesystem::path(std::string(parser.GetParam(0).fn_str()));
  }
  return wxApp::OnCmdLineParsed(parser);
}

bool CBorvikApp::OnInit() {
  if (!wxApp::OnInit()) return false;
  // --verbose says on stderr what the window did, not in a log window.
  if (wxLog::GetVerbose()) delete wxLog::SetActiveTarget(new wxLogStderr);
  wxInitAllImageHandlers();
  ApplyCompactStyle();
  // One work file per running window, in the working folder when it can be
  // written.
  auto* window = new CBorvikDlg(files::WorkFileLease::Acquire());
  window->Show();
  // The log named on the command line is loaded as 柱状図データの読込
  // loads it.
  window->AfterShow(openAtStart_);
  return true;
}

}  // namespace borvik::ui
