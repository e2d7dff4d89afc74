// borvik-cli render as a script would use it.

#include <gtest/gtest.h>
#include <stb_image.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "support/run_cli.h"
#include "support/temp_dir.h"

namespace {

using borvik::testing::ReadBytes;
using borvik::testing::TempDir;
using borvik::testing::WriteBytes;

int Cli(const std::string& args) {
  // Run from an empty folder: the textures must be found beside the program.
  TempDir cwd;
  return borvik::testing::RunCli(args, cwd.Path()).status;
}

const std::string kExample = "'" BORVIK_SOURCE_DIR "/examples/b-1.csv'";

TEST(RenderCommand, WritesTheExportedPicture) {
  TempDir dir;
  const std::string out = (dir / "b-1.png").string();
  ASSERT_EQ(Cli("render " + kExample + " '" + out + "' --scale 1/200 --legend --elevation "
                "--hide samples --scroll 3"), 0);
  const std::string png = ReadBytes(out);
  int w = 0, h = 0, n = 0;
  ASSERT_EQ(stbi_info_from_memory(reinterpret_cast<const stbi_uc*>(png.data()),
                                  static_cast<int>(png.size()), &w, &h, &n), 1);
  EXPECT_EQ(w, 880);
  EXPECT_EQ(h, 831);
  EXPECT_EQ(n, 3);
}

TEST(RenderCommand, ViewOptionsChangeThePicture) {
  TempDir dir;
  const auto a = dir / "a.png";
  const auto b = dir / "b.png";
  ASSERT_EQ(Cli("render " + kExample + " '" + a.string() + "'"), 0);
  ASSERT_EQ(Cli("render " + kExample + " '" + b.string() + "' --hide structures,features"), 0);
  EXPECT_NE(ReadBytes(a), ReadBytes(b));
  ASSERT_EQ(Cli("render " + kExample + " '" + b.string() + "' --scale 1/100 --scroll 0"), 0);
  EXPECT_EQ(ReadBytes(a), ReadBytes(b));
}

TEST(RenderCommand, RefusesBadArgumentsAndInputs) {
  TempDir dir;
  WriteBytes(dir / "out.png", "previous");
  const std::string out = " '" + (dir / "out.png").string() + "'";
  const struct {
    std::string args;
    int status;
  } cases[] = {
      {"render " + kExample, 2},
      {"render " + kExample + out + " --scale 1/300", 2},
      {"render " + kExample + out + " --scroll 101", 2},
      {"render " + kExample + out + " --scroll -1", 2},
      {"render " + kExample + out + " --hide legend", 2},
      {"render " + kExample + out + " --frobnicate", 2},
      {"render '" + (dir / "missing.csv").string() + "'" + out, 1},
      {"render " + kExample + out + " --settings '" + (dir / "missing.set").string() + "'", 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Cli(c.args), c.status) << c.args;
    EXPECT_EQ(ReadBytes(dir / "out.png"), "previous") << c.args;
  }
}

}  // namespace
