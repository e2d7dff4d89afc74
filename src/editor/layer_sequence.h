#pragma once
// The layers 1..n of a log as the undo history keeps them: runs of records
// that snapshots share. A step that changes a few layers costs those layers
// and a few runs, not the whole log.

#include <cstddef>
#include <memory>
#include <unordered_set>
#include <vector>

#include "model/layer_table.h"

namespace borvik::editor {

class LayerSequence {
 public:
  // The layers of `table`. The records that `previous` already holds at the
  // start and at the end of the log are shared with it, not copied.
  static LayerSequence Capture(const model::LayerTable& table, const LayerSequence& previous);

  int Count() const { return count_; }
  // True when the table holds exactly these layers, bit for bit.
  bool SameAs(const model::LayerTable& table) const;
  // Empties the table and stores these layers in slots 1..n; the current
  // layer number is then n.
  void RestoreInto(model::LayerTable& table) const;

  // The memory of this sequence: its own list of runs, and the record
  // buffers it refers to that `counted` does not hold yet (which are added
  // to it), so that shared buffers count once.
  std::size_t MemoryBytes(std::unordered_set<const void*>& counted) const;

 private:
  using Buffer = std::vector<model::LayerRecord>;
  struct Run {
    std::shared_ptr<const Buffer> records;
    int offset = 0;
    int count = 0;
  };

  // Adds records [offset, offset + count) of `previous`, merging with the
  // last run where they continue it.
  void AppendFrom(const LayerSequence& previous, int offset, int count);
  void AppendRun(const Run& run);

  std::vector<Run> runs_;
  int count_ = 0;
};

// Layers compared as the files would tell them apart: bit for bit.
bool SameLayer(const model::LayerRecord& a, const model::LayerRecord& b);

}  // namespace borvik::editor
