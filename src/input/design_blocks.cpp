// Column and beam design blocks of the listing: member number, length and the two section dimensions.
#include "input/listing_passes.h"

namespace plintova::listing {

namespace {

// The block's line that carries "LENGTH:": the first one after the block's heading. Returns false at
// the end of the listing.
bool findLengthLine(LineCursor& cur) { return cur.next() && cur.findForward("LENGTH:"); }

std::size_t posAfter(std::string_view line, std::string_view marker) {
  std::size_t at = line.find(marker);
  return at == npos ? line.size() : at + marker.size();
}

}  // namespace

void readColumnBlocks(Project& p, LineCursor& cur) {
  long long count = 0;
  while (cur.findForward(kColumnMarker)) {
    ++count;
    int32_t member = 0, length = 0, dim1 = 0, dim2 = 0;
    {
      std::string_view line = cur.line();
      member = wholeValue(valueAfter(line, kColumnMarker), cur, line, posAfter(line, kColumnMarker));
    }
    bool more = findLengthLine(cur);
    if (more) {
      // "LENGTH:  3000.0 mm  CROSS SECTION:  300.0 mm X  450.0 mm": rounded to whole millimetres.
      std::string_view line = cur.line();
      length = wholeValue(valueAfter(line, "LENGTH:"), cur, line, posAfter(line, "LENGTH:"));
      dim1 = wholeValue(valueAfter(line, "CROSS SECTION:"), cur, line, posAfter(line, "CROSS SECTION:"));
      dim2 = wholeValue(valueAfter(line, "X"), cur, line, posAfter(line, "X"));
    }
    if (count <= cap::kColumnBlocks) {
      auto& row = p.ColumnSectionTable[count];
      row[1] = member;
      row[2] = length;
      row[3] = dim1;
      row[4] = dim2;
    }
    if (!more || !cur.next()) break;
  }
  if (count > cap::kColumnBlocks) refuseCapacity(count, "column design blocks", cap::kColumnBlocks);
  p.ColumnSectionCount = static_cast<int32_t>(count);
}

void readBeamBlocks(Project& p, std::string_view text, Prompter& prompter) {
  LineCursor cur(text);
  long long count = 0;
  while (cur.findForward(kBeamMarker)) {
    ++count;
    float member = 0, length = 0, dim1 = 0, dim2 = 0;
    {
      std::string_view line = cur.line();
      member = singleValue(valueAfter(line, kBeamMarker), cur, line, posAfter(line, kBeamMarker));
      if (member == 0) prompter.message(std::string(line));
    }
    bool more = findLengthLine(cur);
    if (more) {
      // "LENGTH:  5000.0 mm   SIZE:  230.0 mm X  450.0 mm": kept as printed, in single precision.
      std::string_view line = cur.line();
      length = singleValue(valueAfter(line, "LENGTH:"), cur, line, posAfter(line, "LENGTH:"));
      dim1 = singleValue(valueAfter(line, "SIZE:"), cur, line, posAfter(line, "SIZE:"));
      dim2 = singleValue(valueAfter(line, "X"), cur, line, posAfter(line, "X"));
    }
    if (count <= cap::kBeamBlocks) {
      auto& row = p.BeamSectionTable[count];
      row[1] = member;
      row[2] = length;
      row[3] = dim1;
      row[4] = dim2;
    }
    if (!more || !cur.next()) break;
  }
  if (count > cap::kBeamBlocks) refuseCapacity(count, "beam design blocks", cap::kBeamBlocks);
  p.BeamSectionCount = static_cast<int32_t>(count);
}

}  // namespace plintova::listing
