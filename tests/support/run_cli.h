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

inline CliRun RunCli(const std::string& args, const std::filesystem::path& folder) {
  TempDir scratch;
  const std::string command = "cd " + Quote(folder) + " && " + BORVIK_CLI + " " + args + " >" +
                              Quote(scratch / "out") + " 2>" + Quote(scratch / "err");
  const int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadBytes(scratch / "out"),
          ReadBytes(scratch / "err")};
}

}  // namespace borvik::testing
