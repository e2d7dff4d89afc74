// 層を挿入, 層を削除, undo and redo on the largest log the table holds, and
// what the undo history costs in memory. The work file is written (and
// flushed to the disk) by every step, as in the window.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "editor/form_transfer.h"
#include "editor/session.h"
#include "files/file_io.h"
#include "files/layer_csv.h"
#include "support/large_logs.h"

namespace {

using namespace borvik;

// Answers every question with yes and every file dialog with no file.
class QuietPlatform final : public editor::Platform {
 public:
  void ShowMessage(std::string_view) override {}
  std::optional<std::filesystem::path> ChooseOpenFile(std::string_view, std::string_view) override {
    return std::nullopt;
  }
  std::optional<std::filesystem::path> ChooseSaveFile(std::string_view, std::string_view) override {
    return std::nullopt;
  }
  bool ConfirmOverwrite() override { return true; }
  bool AskYesNo(std::string_view) override { return true; }
  editor::YesNoCancel AskYesNoCancel(std::string_view) override {
    return editor::YesNoCancel::kYes;
  }
  void Redraw() override {}
  files::Status ExportImage(const std::filesystem::path&) override { return files::Status::Ok(); }
  files::Status ExportDocument(const std::filesystem::path&, files::DocumentFormat) override {
    return files::Status::Ok();
  }
};

// A window of its own in a scratch folder, with a log loaded.
struct Window {
  explicit Window(int layers) {
    folder = std::filesystem::temp_directory_path() /
             ("borvik-bench-" + std::to_string(::getpid()) + "-" + std::to_string(layers));
    std::filesystem::create_directories(folder);
    files::WriteFileAtomic(folder / "a.csv", testing::AcceptedLogText(layers, 0));
    files::WriteFileAtomic(folder / "b.csv", testing::AcceptedLogText(layers, 1));
    session = std::make_unique<editor::Session>(platform, folder / "temp.csv");
    session->LoadLog(folder / "a.csv");
  }
  ~Window() {
    session.reset();
    std::filesystem::remove_all(folder);
  }
  QuietPlatform platform;
  std::filesystem::path folder;
  std::unique_ptr<editor::Session> session;
};

void BM_DeleteLayer(benchmark::State& state) {
  Window window(model::LayerTable::kMaxLayers);
  editor::Session& s = *window.session;
  for (auto _ : state) {
    state.PauseTiming();
    s.ShowLayer(500);
    state.ResumeTiming();
    s.DeleteLayer();
    state.PauseTiming();
    s.Undo();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_DeleteLayer)->Unit(benchmark::kMillisecond);

// Into a log of 998 layers, so that the table is full afterwards.
void BM_InsertLayer(benchmark::State& state) {
  Window window(model::LayerTable::kMaxLayers - 1);
  editor::Session& s = *window.session;
  for (auto _ : state) {
    state.PauseTiming();
    s.ShowLayer(500);
    state.ResumeTiming();
    if (!s.InsertLayer().accepted) state.SkipWithError("insertion refused");
    state.PauseTiming();
    s.Undo();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_InsertLayer)->Unit(benchmark::kMillisecond);

// One iteration is an undo and a redo.
void BM_UndoThenRedoOfADeletion(benchmark::State& state) {
  Window window(model::LayerTable::kMaxLayers);
  editor::Session& s = *window.session;
  s.ShowLayer(500);
  s.DeleteLayer();
  for (auto _ : state) {
    s.Undo();
    s.Redo();
  }
}
BENCHMARK(BM_UndoThenRedoOfADeletion)->Unit(benchmark::kMillisecond);

// The history's memory after 100 steps of one kind on a 999-layer log:
// bytes in all and per step.
void ReportHistory(benchmark::State& state, const editor::Session& s) {
  const double bytes = static_cast<double>(s.History().MemoryBytes());
  const double steps = static_cast<double>(s.History().UndoSteps());
  state.counters["steps"] = steps;
  state.counters["history_KiB"] = bytes / 1024.0;
  state.counters["per_step_B"] = bytes / steps;
  state.counters["snapshot_B"] = static_cast<double>(sizeof(editor::EditorSnapshot));
}

void BM_HistoryOf100Edits(benchmark::State& state) {
  for (auto _ : state) {
    Window window(model::LayerTable::kMaxLayers);
    editor::Session& s = *window.session;
    std::mt19937 random(1);
    for (int step = 0; step < 100; ++step) {
      const int slot = 1 + static_cast<int>(random() % model::LayerTable::kMaxLayers);
      s.ShowLayer(slot);
      const float bot = s.Log().layers.Get(slot).bot;
      s.State().bot = editor::FormatNumberBox(bot + 0.05f);
      s.EnterLayer();
    }
    state.PauseTiming();
    ReportHistory(state, s);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_HistoryOf100Edits)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_HistoryOf100InsertionsAndDeletions(benchmark::State& state) {
  for (auto _ : state) {
    Window window(model::LayerTable::kMaxLayers - 1);
    editor::Session& s = *window.session;
    std::mt19937 random(2);
    for (int step = 0; step < 100; ++step) {
      const int count = s.Log().layers.LayerCount();
      s.ShowLayer(1 + static_cast<int>(random() % static_cast<unsigned>(count)));
      if (step % 2 == 0) {
        s.InsertLayer();
      } else {
        s.DeleteLayer();
      }
    }
    state.PauseTiming();
    ReportHistory(state, s);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_HistoryOf100InsertionsAndDeletions)->Unit(benchmark::kMillisecond)->Iterations(1);

// The worst case: every step replaces all 999 layers.
void BM_HistoryOf100Loads(benchmark::State& state) {
  for (auto _ : state) {
    Window window(model::LayerTable::kMaxLayers);
    editor::Session& s = *window.session;
    for (int step = 0; step < 100; ++step) {
      s.LoadLog(window.folder / (step % 2 == 0 ? "b.csv" : "a.csv"));
    }
    state.PauseTiming();
    ReportHistory(state, s);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_HistoryOf100Loads)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
