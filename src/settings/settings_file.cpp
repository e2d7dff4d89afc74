#include "settings/settings_file.h"

#include <optional>

#include "files/file_io.h"
#include "files/line_ends.h"
#include "text/cp932.h"

namespace borvik::settings {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::array<std::string_view, 3> kSections{"rockface", "sedimentarystructure",
                                                    "otherfeature"};
constexpr std::array<int, 3> kSectionRows{kBedrockSlots, kStructureSlots, kFeatureSlots};

// Reads like a text stream's getline: up to a delimiter, which is consumed
// and not kept. A read fails only when it finds nothing at all.
class FieldReader {
 public:
  explicit FieldReader(std::string text) : text_(std::move(text)) {}

  std::optional<std::string_view> ReadUntil(char delimiter) {
    if (pos_ >= text_.size()) return std::nullopt;
    const std::size_t end = text_.find(delimiter, pos_);
    std::string_view field = std::string_view(text_).substr(pos_, end - pos_);
    pos_ = end == std::string::npos ? text_.size() : end + 1;
    return field;
  }

 private:
  std::string text_;
  std::size_t pos_ = 0;
};

// Names go through the code page as well, so a name holds only what a path
// could hold; invalid UTF-8 and characters without a code become '?'.
std::string NameFromFile(std::string_view bytes) {
  return text::Cp932ToUtf8(text::Utf8ToCp932(bytes));
}

}  // namespace

SettingsRows RowsOf(const CategoryCatalogue& catalogue) {
  SettingsRows rows;
  for (int i = 0; i < kCatalogueEntries; ++i) rows[i] = catalogue.At(i);
  return rows;
}

void WriteSettingsFile(std::string& out, const SettingsRows& rows) {
  int row = 0;
  for (std::size_t section = 0; section < kSections.size(); ++section) {
    out += kSections[section];
    out += kLineEnd;
    for (int i = 0; i < kSectionRows[section]; ++i, ++row) {
      out += rows[row].name;
      out += ',';
      out += text::Utf8ToCp932(rows[row].texturePath);
      if (row + 1 < kCatalogueEntries) out += kLineEnd;
    }
  }
}

files::Status SaveSettingsFile(const std::filesystem::path& path, const SettingsRows& rows) {
  std::string text;
  WriteSettingsFile(text, rows);
  return files::WriteFileAtomic(path, text);
}

void ParseSettingsFile(std::string_view bytes, CategoryCatalogue& catalogue) {
  FieldReader reader(files::UnifyLineEnds(bytes));
  // Only the read of the first section line decides whether another pass
  // runs.
  while (reader.ReadUntil('\n')) {
    int row = 0;
    for (std::size_t section = 0; section < kSections.size(); ++section) {
      if (section > 0 && !reader.ReadUntil('\n')) return;
      for (int i = 0; i < kSectionRows[section]; ++i, ++row) {
        // The name runs to the next comma, across line ends if need be.
        const auto name = reader.ReadUntil(',');
        if (!name) return;
        catalogue.At(row).name = NameFromFile(*name);
        const auto path = reader.ReadUntil('\n');
        if (!path) return;
        catalogue.At(row).texturePath = text::Cp932ToUtf8(*path);
      }
    }
  }
}

files::Status LoadSettingsFile(const std::filesystem::path& path, CategoryCatalogue& catalogue) {
  std::string bytes;
  if (files::Status read = files::ReadWholeFile(path, bytes, files::kMaxSettingsFileBytes); !read) return read;
  ParseSettingsFile(bytes, catalogue);
  return files::Status::Ok();
}

}  // namespace borvik::settings
