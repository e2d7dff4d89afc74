// The built program started as a user starts it: `borvik FILE.csv` from a
// shell or the desktop entry, on the virtual display.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "support/run_cli.h"
#include "support/temp_dir.h"

namespace borvik::testing {
namespace {

pid_t StartProgram(const std::filesystem::path& folder, const char* file) {
  const pid_t child = fork();
  if (child != 0) return child;
  if (chdir(folder.c_str()) != 0) _exit(126);
  const int err = open("stderr", O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (err < 0 || dup2(err, 2) < 0) _exit(126);
  execl(BORVIK_PROGRAM, "borvik", "--verbose", file, nullptr);
  _exit(127);
}

TEST(Program, OpensTheLogNamedOnItsCommandLine) {
  TempDir folder;
  const std::string example = BORVIK_SOURCE_DIR "/examples/b-1.csv";
  WriteBytes(folder / "log.csv", ReadBytes(example));
  const CliRun normalized = RunCli("normalize '" + example + "' -", folder.Path());
  ASSERT_EQ(normalized.status, 0);

  const pid_t child = StartProgram(folder.Path(), "log.csv");
  ASSERT_GT(child, 0);
  const std::string loaded = "log.csv: 柱状図データ：  8 /   8";
  bool seen = false;
  for (int i = 0; i < 600 && !seen; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    seen = ReadBytes(folder / "stderr").find(loaded) != std::string::npos;
  }
  int status = 0;
  const bool running = waitpid(child, &status, WNOHANG) == 0;
  const std::string workFile = ReadBytes(folder / "temp.csv");
  kill(child, SIGKILL);
  waitpid(child, &status, 0);
  EXPECT_TRUE(running) << "the program ended by itself";
  EXPECT_TRUE(seen) << ReadBytes(folder / "stderr");
  EXPECT_EQ(workFile, normalized.out);
}

TEST(Program, SaysHowToUseItWithoutADisplay) {
  TempDir scratch;
  const std::string command = std::string("env -u DISPLAY ") + BORVIK_PROGRAM + " --help >" +
                              Quote(scratch / "out") + " 2>&1";
  const int raw = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(raw));
  EXPECT_EQ(WEXITSTATUS(raw), 0);
  EXPECT_EQ(ReadBytes(scratch / "out").rfind("使い方: borvik", 0), 0u)
      << ReadBytes(scratch / "out");
}

}  // namespace
}  // namespace borvik::testing
