#include "editor/layer_sequence.h"

#include <algorithm>
#include <cstring>

namespace borvik::editor {
namespace {

// Beyond this many runs a sequence is copied into one buffer again: a long
// history of scattered edits must not make every later capture slow.
constexpr std::size_t kMaxRuns = 64;

// A shared_ptr's control block beside its object.
constexpr std::size_t kControlBlockBytes = 16;

static_assert(sizeof(model::LayerRecord) == 31 * 4, "a layer record has no padding");

}  // namespace

bool SameLayer(const model::LayerRecord& a, const model::LayerRecord& b) {
  // -0 and 0 are written differently; compare what a file would hold.
  return std::memcmp(&a, &b, sizeof a) == 0;
}

void LayerSequence::AppendRun(const Run& run) {
  if (run.count == 0) return;
  if (!runs_.empty()) {
    Run& last = runs_.back();
    if (last.records == run.records && last.offset + last.count == run.offset) {
      last.count += run.count;
      count_ += run.count;
      return;
    }
  }
  runs_.push_back(run);
  count_ += run.count;
}

void LayerSequence::AppendFrom(const LayerSequence& previous, int offset, int count) {
  int start = 0;  // index of the run's first record in `previous`
  for (const Run& run : previous.runs_) {
    const int end = start + run.count;
    const int from = std::max(offset, start);
    const int to = std::min(offset + count, end);
    if (from < to) AppendRun({run.records, run.offset + (from - start), to - from});
    start = end;
    if (start >= offset + count) break;
  }
}

LayerSequence LayerSequence::Capture(const model::LayerTable& table,
                                     const LayerSequence& previous) {
  const int n = table.LayerCount();
  const int m = previous.count_;
  // The layers both share at the start, then at the end.
  int prefix = 0;
  for (const Run& run : previous.runs_) {
    int i = 0;
    while (i < run.count && prefix < n &&
           SameLayer((*run.records)[static_cast<std::size_t>(run.offset + i)],
                     table.Get(prefix + 1))) {
      ++i;
      ++prefix;
    }
    if (i < run.count) break;
  }
  int suffix = 0;
  const int room = std::min(n, m) - prefix;
  for (auto run = previous.runs_.rbegin(); run != previous.runs_.rend() && suffix < room; ++run) {
    int i = run->count - 1;
    while (i >= 0 && suffix < room &&
           SameLayer((*run->records)[static_cast<std::size_t>(run->offset + i)],
                     table.Get(n - suffix))) {
      --i;
      ++suffix;
    }
    if (i >= 0) break;
  }

  LayerSequence sequence;
  sequence.AppendFrom(previous, 0, prefix);
  if (const int changed = n - prefix - suffix; changed > 0) {
    auto fresh = std::make_shared<Buffer>();
    fresh->reserve(static_cast<std::size_t>(changed));
    for (int slot = prefix + 1; slot <= n - suffix; ++slot) fresh->push_back(table.Get(slot));
    sequence.AppendRun({std::move(fresh), 0, changed});
  }
  sequence.AppendFrom(previous, m - suffix, suffix);

  if (sequence.runs_.size() > kMaxRuns) {
    auto whole = std::make_shared<Buffer>();
    whole->reserve(static_cast<std::size_t>(n));
    for (int slot = 1; slot <= n; ++slot) whole->push_back(table.Get(slot));
    sequence.runs_.clear();
    sequence.count_ = 0;
    sequence.AppendRun({std::move(whole), 0, n});
  }
  sequence.runs_.shrink_to_fit();
  return sequence;
}

bool LayerSequence::SameAs(const model::LayerTable& table) const {
  if (table.LayerCount() != count_) return false;
  int slot = 1;
  for (const Run& run : runs_) {
    for (int i = 0; i < run.count; ++i, ++slot) {
      if (!SameLayer((*run.records)[static_cast<std::size_t>(run.offset + i)], table.Get(slot))) {
        return false;
      }
    }
  }
  return true;
}

void LayerSequence::RestoreInto(model::LayerTable& table) const {
  table.Clear();
  for (const Run& run : runs_) {
    for (int i = 0; i < run.count; ++i) {
      table.Append((*run.records)[static_cast<std::size_t>(run.offset + i)]);
    }
  }
}

std::size_t LayerSequence::MemoryBytes(std::unordered_set<const void*>& counted) const {
  std::size_t bytes = runs_.capacity() * sizeof(Run);
  for (const Run& run : runs_) {
    if (counted.insert(run.records.get()).second) {
      bytes += kControlBlockBytes + sizeof(Buffer) +
               run.records->capacity() * sizeof(model::LayerRecord);
    }
  }
  return bytes;
}

}  // namespace borvik::editor
