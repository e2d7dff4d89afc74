#pragma once
// The log being edited: its header, its layers and the current-layer values.
// The application owns one for the whole run and passes it by reference;
// tests make their own.

#include <string>

#include "model/layer_record.h"
#include "model/layer_table.h"

namespace borvik::model {

struct LogHeader {
  std::string name;        // UTF-8, as typed into 柱状図名
  float elevation = 0.0f;  // collar elevation in metres

  friend bool operator==(const LogHeader&, const LogHeader&) = default;
};

struct Document {
  LogHeader header;
  LayerTable layers;
  LayerForm form;

  // Back to an empty log: no name, elevation 0, no layers, a fresh form.
  void Clear() {
    header = {};
    layers.Clear();
    form = {};
  }
};

}  // namespace borvik::model
