// An install into a prefix of its own draws every log from any folder: the
// built-in textures and the import's name rules are found beside the
// program's own prefix, and a program that cannot find them says so.

#include <gtest/gtest.h>
#include <filesystem>
#include <string>

#include "support/run_cli.h"
#include "support/temp_dir.h"

namespace borvik::testing {
namespace {

TEST(Install, AnInstalledProgramFindsItsTexturesFromAnyFolder) {
  TempDir prefix;
  TempDir elsewhere;
  const CliRun install = RunCommand(
      "cmake --install " + Quote(BORVIK_BINARY_DIR) + " --prefix " + Quote(prefix.Path()),
      elsewhere.Path());
  ASSERT_EQ(install.status, 0) << install.err;
  const std::filesystem::path cli = prefix / "bin" / "borvik-cli";
  ASSERT_TRUE(std::filesystem::exists(cli));
  ASSERT_TRUE(std::filesystem::exists(prefix / "share" / "borvik" / "TEX" / "SYSTEM" / "sand.png"));

  const std::string example = Quote(BORVIK_SOURCE_DIR "/examples/b-1.csv");
  const CliRun installed =
      RunCommand(Quote(cli) + " render " + example + " installed.png --legend", elsewhere.Path());
  EXPECT_EQ(installed.status, 0) << installed.err;
  EXPECT_EQ(installed.err, "");
  const CliRun built = RunCommand(
      std::string(BORVIK_CLI) + " render " + example + " built.png --legend", elsewhere.Path());
  ASSERT_EQ(built.status, 0) << built.err;
  EXPECT_TRUE(ReadBytes(elsewhere / "installed.png") == ReadBytes(elsewhere / "built.png"));

  // Moved away from its data, the program still draws and says what is missing.
  TempDir bare;
  std::filesystem::copy_file(cli, bare / "borvik-cli");
  const CliRun lost =
      RunCommand(Quote(bare / "borvik-cli") + " render " + example + " lost.png", bare.Path());
  EXPECT_EQ(lost.status, 0) << lost.err;
  EXPECT_NE(lost.err.find("TEX/SYSTEM"), std::string::npos) << lost.err;

  // The import finds its name rules the same way; without them it refuses.
  const std::string exchange =
      Quote(BORVIK_TEST_DATA "/exchange/real/BOREHOLE_K-NET_BED10121000010001.xml");
  const CliRun imported =
      RunCommand(Quote(cli) + " import " + exchange + " k.csv", elsewhere.Path());
  EXPECT_EQ(imported.status, 0) << imported.err;
  EXPECT_TRUE(std::filesystem::exists(prefix / "share" / "borvik" / "exchange" / "names.csv"));
  const CliRun noRules =
      RunCommand(Quote(bare / "borvik-cli") + " import " + exchange + " k.csv", bare.Path());
  EXPECT_EQ(noRules.status, 1);
  EXPECT_NE(noRules.err.find("岩相の対応表が見つかりません: exchange/names.csv"), std::string::npos)
      << noRules.err;
  EXPECT_FALSE(std::filesystem::exists(bare / "k.csv"));
}

}  // namespace
}  // namespace borvik::testing
