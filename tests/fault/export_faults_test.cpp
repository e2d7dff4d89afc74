// The image and document exports against a full or broken disk, through
// borvik-cli render (the same exports 画像として保存, PDFとして保存 and
// SVGとして保存 run) with the fault library preloaded into it: the file
// already there keeps its bytes, nothing is left beside it, the failure is
// reported and the exit status is 1.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <tuple>

#include "fault/fault_control.h"
#include "editor/messages.h"
#include "support/temp_dir.h"

namespace borvik {
namespace {

using testing::Fault;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

struct CliRun {
  int status = -1;
  std::string output;  // stderr and stdout
};

std::string Quoted(const std::filesystem::path& path) { return "'" + path.string() + "'"; }

std::string CallNames(int calls) {
  std::string names;
  if (calls & BORVIK_FAULT_WRITE) names += "write,";
  if (calls & BORVIK_FAULT_SYNC) names += "sync,";
  if (calls & BORVIK_FAULT_CLOSE) names += "close,";
  if (calls & BORVIK_FAULT_RENAME) names += "rename,";
  return names;
}

// borvik-cli render of the example log into `out`, with the fault armed on
// paths containing `faultPath` when one is given.
CliRun Render(const std::filesystem::path& out, const Fault* fault, const char* faultPath) {
  const TempDir cwd;
  std::string command = "cd " + Quoted(cwd.Path()) + " && ";
  if (fault != nullptr) {
    command += "LD_PRELOAD=" + Quoted(BORVIK_FAULT_SHIM) +
               " ASAN_OPTIONS=verify_asan_link_order=0:detect_leaks=0" +
               " BORVIK_FAULT_ERROR=" + std::to_string(fault->error) +
               " BORVIK_FAULT_PATH=" + faultPath +
               " BORVIK_FAULT_AFTER=" + std::to_string(fault->afterBytes) +
               " BORVIK_FAULT_CALLS=" + CallNames(fault->calls) + " ";
  }
  command += Quoted(BORVIK_CLI) + " render " +
             Quoted(std::filesystem::path(BORVIK_SOURCE_DIR) / "examples" / "b-1.csv") + " " +
             Quoted(out) + " 2>&1";
  CliRun run;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.output.append(buffer, n);
  const int raw = ::pclose(pipe);
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return run;
}

// An output format: the file's extension and how its bytes begin.
struct Format {
  const char* extension;
  const char* magic;
};
constexpr Format kFormats[] = {{"png", "\x89PNG\r\n\x1a\n"}, {"pdf", "%PDF-"}, {"svg", "<?xml"}};

class ExportFault : public ::testing::TestWithParam<std::tuple<Fault, Format>> {
 protected:
  const Fault& TheFault() const { return std::get<0>(GetParam()); }
  const Format& TheFormat() const { return std::get<1>(GetParam()); }
  std::string Name(const char* stem) const {
    return std::string(stem) + "." + TheFormat().extension;
  }

  // What an export without faults writes, made once per format.
  std::string Reference() const {
    static std::map<std::string, std::string> made;
    auto& bytes = made[TheFormat().extension];
    if (bytes.empty()) {
      const TempDir dir;
      const CliRun run = Render(dir / Name("reference"), nullptr, nullptr);
      EXPECT_EQ(run.status, 0) << run.output;
      bytes = ReadBytes(dir / Name("reference"));
    }
    return bytes;
  }
};

TEST_P(ExportFault, KeepsTheOldFile) {
  const TempDir dir;
  const auto out = dir / Name("log");
  WriteBytes(out, "the file exported before");

  const CliRun failed = Render(out, &TheFault(), Name("log").c_str());
  EXPECT_EQ(failed.status, 1) << failed.output;
  EXPECT_EQ(failed.output, std::string(editor::kCannotWriteMessage) + "\n" +
                               editor::ErrnoReason(TheFault().error) + "\n");
  EXPECT_EQ(ReadBytes(out), "the file exported before");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);

  // Armed on another file, the library leaves the export alone: it writes
  // the whole file over the old one.
  const CliRun elsewhere = Render(out, &TheFault(), Name("other").c_str());
  ASSERT_EQ(elsewhere.status, 0) << elsewhere.output;
  EXPECT_EQ(ReadBytes(out).rfind(TheFormat().magic, 0), 0u);
  EXPECT_EQ(ReadBytes(out), Reference());
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

INSTANTIATE_TEST_SUITE_P(Faults, ExportFault,
                         ::testing::Combine(::testing::ValuesIn(testing::kFaults),
                                            ::testing::ValuesIn(kFormats)),
                         [](const ::testing::TestParamInfo<std::tuple<Fault, Format>>& info) {
                           return std::string(std::get<0>(info.param).name) + "_" +
                                  std::get<1>(info.param).extension;
                         });

}  // namespace
}  // namespace borvik
