#pragma once
// What a document export (the whole log as PDF or SVG) is asked for: the
// format and the paper it is printed on.

#include <optional>

namespace borvik::files {

enum class DocumentFormat { kPdf, kSvg };

enum class PaperSize { kA4, kA3 };

struct Paper {
  PaperSize size = PaperSize::kA4;
  bool landscape = false;
  friend bool operator==(const Paper&, const Paper&) = default;
};

// The paper a document asks for. A size left open is the smallest that holds
// a sheet; with neither size nor orientation given, portrait is tried before
// landscape.
struct PaperRequest {
  std::optional<PaperSize> size;
  bool landscape = false;
  friend bool operator==(const PaperRequest&, const PaperRequest&) = default;
};

// Millimetres across and down, as the paper lies.
double PaperWidthMm(Paper paper);
double PaperHeightMm(Paper paper);

}  // namespace borvik::files
