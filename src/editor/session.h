#pragma once
// The editor: everything the main window does, without the window. One
// Session lives as long as the window. It owns the log being edited, its
// drawing, the catalogue, the view and the work file, and keeps the window's
// controls in a MainWindowState; the handlers below are what the window's
// buttons and menu commands call.
//
// As in the dialog it replaces, the values the editor works on (the form,
// the name and elevation, the radio indices, the scroll position) are kept
// apart from the controls that show them: ReadControls and WriteControls move
// them across, and only the handlers that say so do that.

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "editor/entry_rules.h"
#include "editor/main_window_state.h"
#include "editor/platform.h"
#include "editor/work_copy.h"
#include "files/work_file.h"
#include "files/work_file_lease.h"
#include "model/document.h"
#include "render/draw_table.h"
#include "render/frame.h"
#include "render/legend_usage.h"
#include "render/view_options.h"
#include "settings/category_catalogue.h"

namespace borvik::editor {

enum class EntryMode { Append, Edit };

// What a press of データ入力 came to.
struct EntryResult {
  bool accepted = false;
  std::string refusal;  // the message that refused the layer
};

// Scroll bar events.
enum class ScrollEvent {
  LineLeft,
  LineRight,
  PageLeft,
  PageRight,
  ThumbTrack,     // the thumb being dragged
  ThumbPosition,  // the thumb released
  Other,          // end of scroll, home, end
};

class Session {
 public:
  // Runs the window's initialisation: creates the empty work file at the
  // given path, fills the lists, shows the catalogue, selects 1/100 and
  // resets the form.
  explicit Session(Platform& platform,
                   std::filesystem::path workFilePath = files::kWorkFileName);
  // The same with this window's leased work file (files::WorkFileLease::
  // Acquire, taken before): the session keeps the lease until OnClose.
  Session(Platform& platform, files::WorkFileLease lease);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  MainWindowState& State() { return state_; }
  const MainWindowState& State() const { return state_; }
  const model::Document& Log() const { return *log_; }
  const render::DrawTable& Drawing() const { return *drawing_; }
  const render::LegendUsage& Legend() const { return legend_; }
  const settings::CategoryCatalogue& Catalogue() const { return catalogue_; }
  const render::ViewOptions& View() const { return view_; }
  // What the picture draws now.
  render::Scene Scene() const { return {*drawing_, legend_, catalogue_, log_->header, view_}; }
  EntryMode Mode() const { return mode_; }
  bool WorkFileStarted() const { return work_.Started(); }
  // False after a write of the work file failed, until one succeeds: the
  // file is behind the table then, and the next write replaces it whole.
  bool WorkFileInStep() const { return work_.InStep(); }

  // Once, right after the window is shown: says where the work file went
  // when the working folder could not take it, and offers the log of a run
  // that did not close normally (moved aside by the lease). Yes loads it as
  // 柱状図データの読込 does; the copy stays on disk either way.
  void AfterStart();

  // Form transfer. ReadControls stops at the first box that holds no number
  // (after saying so): that box and every value read after it keep their
  // previous values. Returns whether every box was read.
  bool ReadControls();
  void WriteControls();

  // データ入力: the entry rules (DecideEntry) applied to the form.
  EntryResult EnterLayer();
  void ResetForm();

  // Record navigation.
  void LoadFormFromLayer(int slot);
  void ShowPreviousLayer();
  void ShowNextLayer();

  // View options.
  void OnDisplayToggle(int buttonId);
  void OnScaleChange();
  // The drawing rebuilt from the log's layers; says so when some do not fit.
  void RebuildDrawing();
  void OnScroll(ScrollEvent event, int thumbPosition = 0);

  // ファイル menu. ResetLog returns false when the command that called it
  // must end (the work file could not be removed).
  bool ResetLog();
  void OnFileNew();
  void OnFileLoad();
  // 柱状図データの読込 once the file is chosen. False when the file was
  // refused (said so) or the reset could not be done; the log is then as it
  // was.
  bool LoadLog(const std::filesystem::path& path);
  // ボーリング交換用データの読込: a boring exchange file loaded as
  // 柱状図データの読込 loads a layer file, its report shown when a name fell
  // back or a sample was dropped. ImportLog once the file is chosen, false
  // when the file was refused (said so); the log is then as it was.
  void OnFileImport();
  bool ImportLog(const std::filesystem::path& path);
  void OnFileSave();
  void OnFileSaveImage();
  // PDFとして保存 and SVGとして保存: the whole log at true scale.
  void OnFileSavePdf();
  void OnFileSaveSvg();

  // 入力設定 → 設定の読込.
  void OnSettingsLoad();
  void FillCategoryControls();

  // The window closes: the work file goes, then the lease.
  void OnClose();

 private:
  Session(Platform& platform, std::filesystem::path workFilePath, files::WorkFileLease&& lease);
  // Shows a failure, if it is one.
  void Report(const files::Status& status);
  void RebuildDrawingFrom(const model::LayerTable& layers);
  void ShowLoadFailure(const files::Error& error);
  // The log being edited replaced by a loaded one, as 柱状図データの読込
  // does it: work file rewritten, drawing rebuilt, the last layer shown.
  bool ReplaceLog(const model::Document& loaded);
  bool StartNewLog();
  void SaveDocument(files::DocumentFormat format);
  void SetRecordLabel();
  bool ReadHeaderBoxes();
  // What the form holds for the entry rules.
  EntryForm CurrentEntryForm() const;
  // The form's values and controls as they show a stored layer.
  void ShowInForm(const EntryForm& shown);

  Platform& platform_;
  std::unique_ptr<model::Document> log_;
  std::unique_ptr<render::DrawTable> drawing_;
  render::LegendUsage legend_;
  settings::CategoryCatalogue catalogue_;
  render::ViewOptions view_;
  WorkCopy work_;
  bool startNotesShown_ = false;
  EntryMode mode_ = EntryMode::Append;
  // The radio groups' values, apart from their buttons.
  int rockQualityIndex_ = 0;
  int weatheringIndex_ = 0;
  MainWindowState state_;
};

}  // namespace borvik::editor
