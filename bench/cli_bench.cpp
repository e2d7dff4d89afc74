// borvik-cli render from process start to exit, for an empty log and the
// largest logs: what a script that exports pictures waits for.

#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "files/file_io.h"
#include "support/large_logs.h"

extern char** environ;

namespace {

using namespace borvik;
using testing::LogKind;

// A scratch folder for the layer files and pictures, removed at the end.
struct Scratch {
  std::filesystem::path path;
  Scratch() {
    std::string name =
        (std::filesystem::temp_directory_path() / "borvik-cli-bench-XXXXXX").string();
    path = mkdtemp(name.data());
  }
  ~Scratch() { std::filesystem::remove_all(path); }
};

bool Run(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return false;
  int status = 0;
  return waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void BM_CliRender(benchmark::State& state) {
  const auto kind = static_cast<LogKind>(state.range(0));
  const testing::LargeLog log(kind, 1, 0);
  const Scratch scratch;
  const auto in = scratch.path / "log.csv";
  if (!files::WriteFileAtomic(in, log.Csv())) {
    state.SkipWithError("cannot write the layer file");
    return;
  }
  const std::vector<std::string> args{BORVIK_CLI, "render", in.string(),
                                      (scratch.path / "log.png").string(), "--legend"};
  for (auto _ : state) {
    if (!Run(args)) {
      state.SkipWithError("borvik-cli render failed");
      return;
    }
  }
  state.SetLabel(testing::LogName(kind));
}
BENCHMARK(BM_CliRender)
    ->ArgName("log")
    ->Arg(static_cast<int>(LogKind::kEmpty))
    ->Arg(static_cast<int>(LogKind::kCrossing))
    ->Arg(static_cast<int>(LogKind::kMetre))
    ->Arg(static_cast<int>(LogKind::kTenth))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
