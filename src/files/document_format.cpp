#include "files/document_format.h"

namespace borvik::files {
namespace {

double ShortSideMm(PaperSize size) { return size == PaperSize::kA4 ? 210.0 : 297.0; }
double LongSideMm(PaperSize size) { return size == PaperSize::kA4 ? 297.0 : 420.0; }

}  // namespace

double PaperWidthMm(Paper paper) {
  return paper.landscape ? LongSideMm(paper.size) : ShortSideMm(paper.size);
}

double PaperHeightMm(Paper paper) {
  return paper.landscape ? ShortSideMm(paper.size) : LongSideMm(paper.size);
}

}  // namespace borvik::files
