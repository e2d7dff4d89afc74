#pragma once
// Runs borvik-cli as a script would, in a given working folder. Its output
// goes to a scratch folder of its own, so that the working folder holds only
// what the program itself writes.

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/temp_dir.h"

namespace borvik::testing {

struct CliRun {
  int status;
  std::string out;
  std::string err;
};

inline std::string Quote(const std::filesystem::path& path) { return "'" + path.string() + "'"; }

// A shell command run in the folder.
inline CliRun RunCommand(const std::string& command, const std::filesystem::path& folder) {
  TempDir scratch;
  const std::string line = "cd " + Quote(folder) + " && " + command + " >" +
                           Quote(scratch / "out") + " 2>" + Quote(scratch / "err");
  const int raw = std::system(line.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadBytes(scratch / "out"),
          ReadBytes(scratch / "err")};
}

inline CliRun RunCli(const std::string& args, const std::filesystem::path& folder) {
  return RunCommand(std::string(BORVIK_CLI) + " " + args, folder);
}

}  // namespace borvik::testing
