#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <string>

#include "support/temp_dir.h"

namespace borvik::settings {
namespace {

using borvik::testing::ReadBytes;
using borvik::testing::TempDir;
using borvik::testing::WriteBytes;

std::string Text(const SettingsRows& rows) {
  std::string out;
  WriteSettingsFile(out, rows);
  return out;
}

// A catalogue unlike the defaults in every entry.
CategoryCatalogue Custom() {
  CategoryCatalogue c;
  for (int i = 0; i < kCatalogueEntries; ++i) {
    c.At(i).name = "名前" + std::to_string(i);
    c.At(i).texturePath = "/home/地質/tex" + std::to_string(i) + ".png";
  }
  return c;
}

std::string Replace(std::string s, std::string_view from, std::string_view to) {
  for (std::size_t pos = 0; (pos = s.find(from, pos)) != std::string::npos; pos += to.size()) {
    s.replace(pos, from.size(), to);
  }
  return s;
}

TEST(WriteSettingsFile, WritesTwentyFiveLinesWithoutAFinalLineEnd) {
  const std::string text = Text(RowsOf(CategoryCatalogue::Defaults()));
  EXPECT_TRUE(text.starts_with("rockface\r\n堆積岩類,TEX\\SYSTEM\\sediment.png\r\n火山岩類,"));
  EXPECT_NE(text.find("\r\nsedimentarystructure\r\n平行層理,TEX\\SYSTEM\\parallel.png\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\notherfeature\r\nノジュール,"), std::string::npos);
  EXPECT_TRUE(text.ends_with("人工遺物,TEX\\SYSTEM\\artificial.png"));
  int lineEnds = 0;
  for (std::size_t pos = 0; (pos = text.find("\r\n", pos)) != std::string::npos; pos += 2) ++lineEnds;
  EXPECT_EQ(lineEnds, 24);
}

TEST(WriteSettingsFile, WritesNamesInUtf8AndPathsInCp932) {
  SettingsRows rows{};
  rows[0] = {"砂岩", "C:\\地質\\a.png"};
  const std::string text = Text(rows);
  EXPECT_TRUE(text.starts_with("rockface\r\n砂岩,C:\\\x92\x6E\x8E\xBF\\a.png\r\n"));
  // An empty row is a lone comma.
  EXPECT_NE(text.find("\r\n,\r\n"), std::string::npos);
}

TEST(ParseSettingsFile, ReadsBackWhatWasWritten) {
  const std::string text = Text(RowsOf(Custom()));
  const std::string variants[] = {text, text + "\r\n", Replace(text, "\r\n", "\n"),
                                  Replace(text, "\r\n", "\r"),
                                  Replace(text, "rockface", "anything else"),
                                  "\xEF\xBB\xBF" + text};
  for (const std::string& bytes : variants) {
    CategoryCatalogue c = CategoryCatalogue::Defaults();
    ParseSettingsFile(bytes, c);
    EXPECT_TRUE(c == Custom()) << bytes;
  }
}

TEST(ParseSettingsFile, SecondOfTwoSetsStays) {
  CategoryCatalogue c;
  ParseSettingsFile(Text(RowsOf(Custom())) + "\r\n" + Text(RowsOf(CategoryCatalogue::Defaults())), c);
  EXPECT_TRUE(c == CategoryCatalogue::Defaults());
}

TEST(ParseSettingsFile, CommasAndMissingCommasFollowThePositions) {
  SettingsRows rows = RowsOf(Custom());
  rows[0].name = "a,b";
  rows[1].texturePath = "/x,y/z.png";
  CategoryCatalogue c;
  ParseSettingsFile(Text(rows), c);
  EXPECT_EQ(c.bedrock[0].name, "a");
  EXPECT_EQ(c.bedrock[0].texturePath, "b,/home/地質/tex0.png");
  EXPECT_EQ(c.bedrock[1].texturePath, "/x,y/z.png");
  EXPECT_EQ(c.bedrock[2], Custom().bedrock[2]);

  // A line without a comma lets the name run on to the next comma; the
  // CP932 path it swallows is read as UTF-8, which its bytes are not.
  std::string text = Replace(Text(RowsOf(Custom())), "名前0,", "名前0 ");
  ParseSettingsFile(text, c);
  EXPECT_EQ(c.bedrock[0].name, "名前0 /home/?n?" "?/tex0.png\n名前1");
  EXPECT_EQ(c.bedrock[0].texturePath, "/home/地質/tex1.png");
}

TEST(ParseSettingsFile, NamesPassThroughTheCodePage) {
  SettingsRows rows = RowsOf(Custom());
  rows[0].name = "Ä€한";      // no code in CP932
  rows[1].name = "bad\xFF";   // not UTF-8
  rows[2].name = "〜¥";        // best fit and yen come back as CP932 reads them
  CategoryCatalogue c;
  ParseSettingsFile(Text(rows), c);
  EXPECT_EQ(c.bedrock[0].name, "???");
  EXPECT_EQ(c.bedrock[1].name, "bad?");
  EXPECT_EQ(c.bedrock[2].name, "\uFF5E\\");
}

TEST(ParseSettingsFile, LeavesWhatTheFileDoesNotReachAsItWas) {
  const std::string full = Text(RowsOf(Custom()));
  const CategoryCatalogue before = CategoryCatalogue::Defaults();

  // Ends in the middle of the structures: bedrock read, the rest untouched.
  CategoryCatalogue c = before;
  ParseSettingsFile(full.substr(0, full.find("名前9,")), c);
  for (int i = 0; i < 9; ++i) EXPECT_EQ(c.At(i), Custom().At(i)) << i;
  for (int i = 9; i < kCatalogueEntries; ++i) EXPECT_EQ(c.At(i), before.At(i)) << i;

  // Ends right after a name: that name is read, its path is not.
  c = before;
  ParseSettingsFile(full.substr(0, full.find("名前3") + std::string_view("名前3").size()), c);
  EXPECT_EQ(c.At(3).name, "名前3");
  EXPECT_EQ(c.At(3).texturePath, before.At(3).texturePath);

  // An empty line after a complete set starts no second pass that empties it.
  c = before;
  ParseSettingsFile(full + "\r\n\r\n", c);
  EXPECT_TRUE(c == Custom());

  c = before;
  ParseSettingsFile("", c);
  EXPECT_TRUE(c == before);
}

TEST(SettingsFile, SaveAndLoadThroughTheDisk) {
  TempDir dir;
  const auto path = dir / "地質.set";
  ASSERT_TRUE(SaveSettingsFile(path, RowsOf(Custom())));
  EXPECT_EQ(ReadBytes(path), Text(RowsOf(Custom())));
  CategoryCatalogue c = CategoryCatalogue::Defaults();
  ASSERT_TRUE(LoadSettingsFile(path, c));
  EXPECT_TRUE(c == Custom());

  c = CategoryCatalogue::Defaults();
  EXPECT_FALSE(LoadSettingsFile(dir / "missing.set", c));
  EXPECT_TRUE(c == CategoryCatalogue::Defaults());

  const files::Status failed = SaveSettingsFile(dir / "no-folder" / "x.set", RowsOf(Custom()));
  ASSERT_TRUE(failed.Is(files::ErrorKind::kCannotOpen));
  EXPECT_EQ(failed.error->errnum, ENOENT);
}

}  // namespace
}  // namespace borvik::settings
