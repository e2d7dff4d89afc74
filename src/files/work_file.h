#pragma once
// The work file: a layer file beside the running program that always holds
// the log being edited, so that entered layers survive until they are saved.

#include <filesystem>

#include "files/error.h"
#include "model/document.h"

namespace borvik::files {

inline constexpr const char* kWorkFileName = "temp.csv";

class WorkFile {
 public:
  explicit WorkFile(std::filesystem::path path = kWorkFileName) : path_(std::move(path)) {}

  const std::filesystem::path& Path() const { return path_; }

  // Creates the file, or truncates it to 0 bytes.
  Status Create() const;

  // Truncates the file and writes the head from the header as it stands.
  Status Start(const model::LogHeader& header) const;

  // Head and one line per layer of the table, replacing the file whole.
  Status Rewrite(const model::LogHeader& header, const model::LayerTable& layers) const;

  // Appends one layer line.
  Status AppendLine(const model::LayerRecord& layer) const;

  // Parses the file into `log` without touching the file.
  Status ReadBack(model::Document& log) const;

  // Removes the file; one that is already gone is not an error.
  Status Delete() const;

 private:
  std::filesystem::path path_;
};

// Stores the form as the next layer of the table and appends its line to the
// work file. A full table refuses the layer (kTableFull) and changes
// nothing. When the work file cannot be written the table keeps the layer and
// the failure is returned: the work file catches up at its next rewrite.
Status AppendLayer(model::Document& log, const WorkFile& workFile);

}  // namespace borvik::files
