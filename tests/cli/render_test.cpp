// borvik-cli render as a script would use it.

#include <gtest/gtest.h>
#include <stb_image.h>
#include <sys/wait.h>

#include <cstdlib>
#include <regex>
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

TEST(RenderCommand, TimesFurtherFramesWithoutChangingThePicture) {
  TempDir dir;
  const auto plain = dir / "plain.png";
  const auto timed = dir / "timed.png";
  TempDir cwd;
  ASSERT_EQ(borvik::testing::RunCli("render " + kExample + " '" + plain.string() + "' --legend",
                                    cwd.Path())
                .status,
            0);
  const auto run = borvik::testing::RunCli(
      "render " + kExample + " '" + timed.string() + "' --legend --frames 3", cwd.Path());
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(std::regex_match(
      run.err, std::regex("frames: 3, median [0-9]+\\.[0-9] ms, worst [0-9]+\\.[0-9] ms\n")))
      << run.err;
  EXPECT_TRUE(ReadBytes(plain) == ReadBytes(timed));
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
      {"render " + kExample + out + " --frames 0", 2},
      {"render " + kExample + out + " --frames 1e3", 2},
      {"render " + kExample + out + " --frames", 2},
      {"render " + kExample + out + " --frobnicate", 2},
      {"render '" + (dir / "missing.csv").string() + "'" + out, 1},
      {"render " + kExample + out + " --settings '" + (dir / "missing.set").string() + "'", 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Cli(c.args), c.status) << c.args;
    EXPECT_EQ(ReadBytes(dir / "out.png"), "previous") << c.args;
  }
}

// A settings file may name any file as a texture. Whatever it really holds
// (another image format, a file that would make a decoder loop or read past
// its buffer, a picture of 16000 x 16000 pixels), the picture comes out as
// it does for a texture that is not there.
TEST(RenderCommand, TexturesThatAreNoPngDrawAsMissingOnes) {
  TempDir dir;
  WriteBytes(dir / "rock.csv",
             "R-1,10,\r\nh\r\n0,20,0,0,0,0.29,0.31,0,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0,-1,0\r\n");
  const std::string ihdr16000 = std::string("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR\0\0\x3E\x80\0\0\x3E\x80", 24) +
                                std::string("\x08\x02\0\0\0", 5) + std::string(4000, '\0');
  WriteBytes(dir / "pgm16.png", "P5\n4 4\n65535\n" + std::string(8, '\xff'));
  WriteBytes(dir / "radiance.png", "#?RADIANCE\nFORMAT=32-bit_rle_rgbe\n\n-Y 1 +X 1\n\x02\x02\x80");
  WriteBytes(dir / "bomb.png", ihdr16000);
  const auto settingsNaming = [&](const std::string& texture) {
    std::string text = "rockface\r\n泥岩," + texture + "\r\n";
    for (int i = 2; i <= 6; ++i) text += "r" + std::to_string(i) + ",\r\n";
    text += "sedimentarystructure\r\n";
    for (int i = 1; i <= 7; ++i) text += "s" + std::to_string(i) + ",\r\n";
    text += "otherfeature\r\n";
    for (int i = 1; i <= 9; ++i) text += "f" + std::to_string(i) + (i < 9 ? ",\r\n" : ",");
    const std::string name = "naming-" + texture + ".set";
    WriteBytes(dir / name, text);
    return name;
  };
  const auto render = [&](const std::string& texture) {
    const std::string out = "out-" + texture + ".png";
    const auto run = borvik::testing::RunCli(
        "render rock.csv " + out + " --settings " + settingsNaming(texture), dir.Path());
    EXPECT_EQ(run.status, 0) << texture << run.err;
    return ReadBytes(dir / out);
  };
  const std::string missing = render("missing.png");
  for (const char* texture : {"pgm16.png", "radiance.png", "bomb.png"}) {
    EXPECT_TRUE(render(texture) == missing) << texture;
  }
}

// A layer file's whole log as a document: the format by the extension,
// the same bytes from the same log.
TEST(RenderCommand, WritesTheWholeLogAsPdfOrSvg) {
  TempDir dir;
  const struct {
    const char* name;
    const char* magic;
  } outputs[] = {{"b-1.pdf", "%PDF-"}, {"B-1.PDF", "%PDF-"}, {"b-1.svg", "<?xml"}};
  for (const auto& output : outputs) {
    const std::string out = " '" + (dir / output.name).string() + "'";
    ASSERT_EQ(Cli("render " + kExample + out + " --legend --elevation"), 0) << output.name;
    const std::string first = ReadBytes(dir / output.name);
    EXPECT_EQ(first.rfind(output.magic, 0), 0u) << output.name;
    ASSERT_EQ(Cli("render " + kExample + out + " --legend --elevation --scroll 40"), 0);
    EXPECT_EQ(ReadBytes(dir / output.name), first) << output.name;
  }
}

TEST(RenderCommand, PaperForThePdf) {
  TempDir dir;
  const std::string out = (dir / "b-1.pdf").string();
  const struct {
    std::string options;
    std::string size;  // as pdfinfo gives it
  } cases[] = {
      {"", "595.276 x 841.89 pts (A4)"},
      {"--paper A3", "841.89 x 1190.55 pts (A3)"},
      {"--paper a3 --landscape", "1190.55 x 841.89 pts"},
      {"--landscape", "1190.55 x 841.89 pts"},  // A4 across is too low for a sheet
      {"--scale 1/50", "841.89 x 1190.55 pts (A3)"},
      {"--scale 1/400 --landscape --paper A3", "1190.55 x 841.89 pts"},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(Cli("render " + kExample + " '" + out + "' " + c.options), 0) << c.options;
    const auto info = borvik::testing::RunCommand("pdfinfo '" + out + "'", dir.Path());
    EXPECT_NE(info.out.find("Page size:       " + c.size), std::string::npos)
        << c.options << "\n" << info.out;
  }
}

TEST(RenderCommand, RefusesWhatNoPaperOrFormatTakes) {
  TempDir dir;
  for (const char* name : {"out.pdf", "out.svg", "out.png"}) WriteBytes(dir / name, "previous");
  const auto path = [&dir](const char* name) { return " '" + (dir / name).string() + "'"; };
  const struct {
    std::string args;
    int status;
    std::string message;  // the end of stderr
  } cases[] = {
      {"render " + kExample + path("out.pdf") + " --paper A5", 2,
       "--paper の値が正しくありません: A5\n"},
      {"render " + kExample + path("out.svg") + " --paper A4", 2,
       "--paper と --landscape は PDF にだけ使えます\n"},
      {"render " + kExample + path("out.png") + " --landscape", 2,
       "--paper と --landscape は PDF にだけ使えます\n"},
      {"render " + kExample + path("out.pdf") + " --paper A4 --landscape", 1,
       "1 枚分の柱状図が A4 横 の用紙に収まりません。\nA4 縦 の用紙なら収まります。\n"},
      {"render " + kExample + path("out.pdf") + " --scale 1/50 --paper A4", 1,
       "1 枚分の柱状図が A4 縦 の用紙に収まりません。\nA3 縦 の用紙なら収まります。\n"},
      {"render " + kExample + path("out.pdf") + " --scale 1/50 --landscape", 1,
       "1 枚分の柱状図が A3 横 の用紙に収まりません。\nA3 縦 の用紙なら収まります。\n"},
      {"render '" + (dir / "missing.csv").string() + "'" + path("out.svg"), 1,
       "ファイルの取り込みに失敗しました。\n"},
      {"render " + kExample + " '" + (dir / "no" / "out.pdf").string() + "'", 1,
       "ファイルまたはフォルダがありません。\n"},
  };
  for (const auto& c : cases) {
    TempDir cwd;
    const auto run = borvik::testing::RunCli(c.args, cwd.Path());
    EXPECT_EQ(run.status, c.status) << c.args << "\n" << run.err;
    EXPECT_TRUE(run.err.ends_with(c.message)) << c.args << "\n" << run.err;
    for (const char* name : {"out.pdf", "out.svg", "out.png"}) {
      EXPECT_EQ(ReadBytes(dir / name), "previous") << c.args;
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 3) << c.args;
  }
}

}  // namespace
