#pragma once
// The layer file: line 1 the log name (CP932) and the collar elevation, line
// 2 a fixed header, then one line of 31 values per layer, every line ending
// in CR LF.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "files/error.h"
#include "model/document.h"

namespace borvik::files {

inline constexpr std::string_view kHeaderLine =
    "top, bot, int, Str, Bou, RF1, RF2, RFe, Wea, DSe1, Se1, DSe2, Se2, DSe3, Se3, DSe4, Se4, "
    "DEc1, Ec1, DEc2, Ec2, DEc3, Ec3, DSa1, Sa1, DSa2, Sa2, DSa3, Sa3, DSa4, Sa4";
inline constexpr int kLayerFields = 31;

// Appends lines 1 and 2. The name is written in CP932.
void WriteCsvHead(std::string& out, const model::LogHeader& header);

// Appends one layer line with its line end.
void WriteLayerLine(std::string& out, const model::LayerRecord& layer);

// The whole file for a log: head, then slots 1 to the layer count.
std::string FormatLayerFile(const model::LogHeader& header, const model::LayerTable& layers);

// The name of a layer column, 1 to 31 ("top" ... "Sa4").
std::string_view ColumnName(int column);

// Parses a layer file into an empty log: header, layers in slots 1..n, the
// counters of n appended layers and the form holding layer n. The whole file
// is checked before anything is kept: a malformed line (fewer than 31 fields,
// a field without a number, a value out of range or not finite), a malformed
// line 1, or more than 999 layers refuses it (kRefusedFile with the line).
// Blank lines carry nothing and are passed over. `lineNumbers`, when given,
// receives the file line of each layer.
Status ParseLayerFile(std::string_view bytes, model::Document& log,
                      std::vector<int>* lineNumbers = nullptr);

// Reads and parses a file. A file that cannot be opened gives kCannotOpen;
// `log` is only written when the result is ok.
Status ReadLayerFile(const std::filesystem::path& path, model::Document& log);

}  // namespace borvik::files
