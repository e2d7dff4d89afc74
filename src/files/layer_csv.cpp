#include "files/layer_csv.h"

#include <array>
#include <memory>

#include "files/file_io.h"
#include "files/line_ends.h"
#include "files/number_format.h"
#include "text/cp932.h"

namespace borvik::files {
namespace {

using model::LayerRecord;

constexpr std::string_view kLineEnd = "\r\n";

constexpr std::array<std::string_view, kLayerFields> kColumnNames{
    "top",  "bot", "int",  "Str", "Bou",  "RF1", "RF2",  "RFe", "Wea",  "DSe1", "Se1",
    "DSe2", "Se2", "DSe3", "Se3", "DSe4", "Se4", "DEc1", "Ec1", "DEc2", "Ec2",  "DEc3",
    "Ec3",  "DSa1", "Sa1", "DSa2", "Sa2", "DSa3", "Sa3", "DSa4", "Sa4"};

// Visits the 31 values of a layer in column order, so that the writer and
// the reader cannot disagree on it.
template <typename Layer, typename FloatFn, typename IntFn>
void ForEachColumn(Layer& layer, FloatFn onFloat, IntFn onInt) {
  onFloat(layer.top);
  onFloat(layer.bot);
  onFloat(layer.int_);
  onInt(layer.Str);
  onInt(layer.Bou);
  onFloat(layer.RF1);
  onFloat(layer.RF2);
  onInt(layer.RFe);
  onInt(layer.Wea);
  for (int i = 0; i < model::kStructureMarks; ++i) {
    onFloat(layer.DSe[i]);
    onInt(layer.Se[i]);
  }
  for (int i = 0; i < model::kFeatureMarks; ++i) {
    onFloat(layer.DEc[i]);
    onInt(layer.Ec[i]);
  }
  for (int i = 0; i < model::kSampleMarks; ++i) {
    onFloat(layer.DSa[i]);
    onInt(layer.Sa[i]);
  }
}

bool IsBlank(std::string_view line) {
  return line.find_first_not_of(" \t\v\f\r") == std::string_view::npos;
}

// Splits text with LF line ends into lines. A last line without its line
// end counts like any other.
class LineReader {
 public:
  explicit LineReader(std::string_view bytes) : bytes_(bytes) {}

  bool Next(std::string_view& line) {
    if (pos_ >= bytes_.size()) return false;
    std::size_t end = bytes_.find('\n', pos_);
    std::size_t next = end == std::string_view::npos ? bytes_.size() : end + 1;
    if (end == std::string_view::npos) end = bytes_.size();
    line = bytes_.substr(pos_, end - pos_);
    pos_ = next;
    ++number_;
    return true;
  }
  int Number() const { return number_; }

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
  int number_ = 0;
};

Status ParseLayerLine(std::string_view line, int lineNumber, LayerRecord& layer) {
  std::array<std::string_view, kLayerFields> fields;
  int count = 0;
  std::size_t start = 0;
  while (count < kLayerFields) {
    const std::size_t comma = line.find(',', start);
    fields[count++] = line.substr(start, comma == std::string_view::npos ? comma : comma - start);
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  if (count < kLayerFields) {
    return Status::Fail(Refused(Refusal::kTooFewFields, lineNumber, 0, count));
  }
  int column = 0;
  NumberError error = NumberError::None;
  int badColumn = 0;
  ForEachColumn(
      layer,
      [&](float& value) {
        ++column;
        const FloatParse parsed = ParseFloatPrefix(fields[column - 1]);
        if (parsed.error != NumberError::None && error == NumberError::None) {
          error = parsed.error;
          badColumn = column;
        }
        value = parsed.value;
      },
      [&](std::int32_t& value) {
        ++column;
        const IntParse parsed = ParseIntPrefix(fields[column - 1]);
        if (parsed.error != NumberError::None && error == NumberError::None) {
          error = parsed.error;
          badColumn = column;
        }
        value = parsed.value;
      });
  if (error != NumberError::None) {
    return Status::Fail(Refused(
        error == NumberError::OutOfRange ? Refusal::kOutOfRange : Refusal::kNoNumber, lineNumber,
        badColumn));
  }
  return Status::Ok();
}

Status ParseHead(std::string_view line, model::LogHeader& header) {
  const std::size_t comma = line.find(',');
  if (comma == std::string_view::npos) return Status::Fail(Refused(Refusal::kHeadWithoutComma, 1));
  const FloatParse elevation = ParseFloatPrefix(line.substr(comma + 1));
  if (elevation.error != NumberError::None) {
    return Status::Fail(Refused(elevation.error == NumberError::OutOfRange
                                    ? Refusal::kElevationOutOfRange
                                    : Refusal::kElevationNoNumber,
                                1));
  }
  header.name = text::Cp932ToUtf8(line.substr(0, comma));
  header.elevation = elevation.value;
  return Status::Ok();
}

}  // namespace

void WriteCsvHead(std::string& out, const model::LogHeader& header) {
  out += text::Utf8ToCp932(header.name);
  out += ',';
  AppendFloat(out, header.elevation);
  out += ',';
  out += kLineEnd;
  out += kHeaderLine;
  out += kLineEnd;
}

void WriteLayerLine(std::string& out, const LayerRecord& layer) {
  bool first = true;
  auto separate = [&] {
    if (!first) out += ',';
    first = false;
  };
  ForEachColumn(
      layer,
      [&](float value) {
        separate();
        AppendFloat(out, value);
      },
      [&](std::int32_t value) {
        separate();
        AppendInt(out, value);
      });
  out += kLineEnd;
}

std::string FormatLayerFile(const model::LogHeader& header, const model::LayerTable& layers) {
  std::string out;
  out.reserve(static_cast<std::size_t>(layers.LayerCount() + 2) * 128);
  WriteCsvHead(out, header);
  for (int slot = 1; slot <= layers.LayerCount(); ++slot) WriteLayerLine(out, layers.Get(slot));
  return out;
}

std::string_view ColumnName(int column) {
  return column >= 1 && column <= kLayerFields ? kColumnNames[column - 1] : std::string_view{};
}

Status ParseLayerFile(std::string_view bytes, model::Document& log, std::vector<int>* lineNumbers) {
  std::vector<int> numbers;
  auto parsed = std::make_unique<model::Document>();
  parsed->Clear();
  const std::string text = UnifyLineEnds(bytes);
  LineReader reader(text);
  std::string_view line;
  // A file of no bytes at all is the empty log that saving an unstarted log
  // writes.
  if (reader.Next(line)) {
    if (Status head = ParseHead(line, parsed->header); !head) return head;
    reader.Next(line);  // the header line is not examined
  }
  while (reader.Next(line)) {
    if (IsBlank(line)) continue;
    LayerRecord layer;
    if (Status status = ParseLayerLine(line, reader.Number(), layer); !status) return status;
    if (!parsed->layers.Append(layer)) {
      return Status::Fail(Refused(Refusal::kTooManyLayers, reader.Number()));
    }
    parsed->form = layer;
    numbers.push_back(reader.Number());
  }
  log = *parsed;
  if (lineNumbers) *lineNumbers = std::move(numbers);
  return Status::Ok();
}

Status ReadLayerFile(const std::filesystem::path& path, model::Document& log) {
  std::string bytes;
  if (Status read = ReadWholeFile(path, bytes, kMaxLayerFileBytes); !read) return read;
  return ParseLayerFile(bytes, log);
}

}  // namespace borvik::files
