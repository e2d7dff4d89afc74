#include "ui/app.h"

#include <gtk/gtk.h>
#include <wx/image.h>

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

bool CBorvikApp::OnInit() {
  if (!wxApp::OnInit()) return false;
  wxInitAllImageHandlers();
  ApplyCompactStyle();
  // One work file per running window, in the working folder when it can be
  // written.
  auto* window = new CBorvikDlg(nullptr, files::WorkFileLease::Acquire());
  window->Show();
  // A log named on the command line (the desktop entry passes the file
  // opened with the program) is loaded as 柱状図データの読込 loads it.
  std::optional<std::filesystem::path> openAtStart;
  if (argc > 1) openAtStart = std::filesystem::path(std::string(argv[1].fn_str()));
  window->AfterShow(openAtStart);
  return true;
}

}  // namespace borvik::ui
