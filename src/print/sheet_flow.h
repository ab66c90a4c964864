// How the blocks beside the plan (schedule, notes, ...) are set on the sheets: in columns within the
// areas the first sheet leaves them, then on sheets of their own.
#pragma once

#include <vector>

#include "draw/primitives.h"
#include "print/sheet_blocks.h"

namespace plintova::print {

// Room under a piece that goes on elsewhere, for the line naming the sheet it goes on to, mm.
constexpr double kContinuedHeight = 6;
// Between blocks and between columns of blocks, mm.
constexpr double kBlockGap = 3;

// Rows [first, last) of block `block` with its top-left corner at (x, z); `continued` after its first piece.
struct BlockPiece {
  std::size_t block = 0, first = 0, last = 0;
  double x = 0, z = 0;
  bool continued = false;
};

// The pieces on each sheet: [0] the first sheet, then one entry per sheet of blocks alone.
struct BlockFlow {
  std::vector<std::vector<BlockPiece>> sheets;
  std::size_t extraSheets() const { return sheets.empty() ? 0 : sheets.size() - 1; }
  // The flow sheet holding the next piece of the piece's block after `piece` on sheet `sheet`, or -1.
  int sheetOfNextPiece(std::size_t sheet, const BlockPiece& piece) const;
};

// Sets the blocks in order, each filling columns top-down within `firstAreas` and then within
// `laterAreas` of as many further sheets as they need. A block goes on over a column or a sheet row by
// row (its heading repeated); a piece that stops short leaves room for the line naming where it goes
// on; a row taller than a whole sheet goes alone. A last sheet left with a single row takes the row
// before it as well, so that no sheet holds one row alone.
BlockFlow flowBlocks(const std::vector<SheetBlock>& blocks, const std::vector<draw::Rect>& firstAreas,
                     const std::vector<draw::Rect>& laterAreas);

}  // namespace plintova::print
