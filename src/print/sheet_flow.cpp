// The blocks beside the plan set in columns within the areas of the sheets.
#include "print/sheet_flow.h"

#include <algorithm>

namespace plintova::print {

using draw::Rect;

namespace {

class Flow {
 public:
  Flow(const std::vector<Rect>& first, const std::vector<Rect>& later) : first_(first), later_(later) {
    result_.sheets.emplace_back();
    enter(0);
  }

  void add(const SheetBlock& b, std::size_t index) {
    std::size_t next = 0;
    bool continued = false;
    if (b.ownSheets && areas_ == &first_) enter(first_.size());
    // A block that a sheet of its own holds whole is not split: it goes on where it fits whole, on
    // this sheet or the next.
    if (!b.rows.empty() && fitsWholeOnASheet(b)) {
      const auto wholeHere = [&] { return b.width <= area().right - x_ + 0.01 && rowsHere(b, 0) == b.rows.size(); };
      const std::size_t sheet = result_.sheets.size();
      while (!wholeHere() && result_.sheets.size() == sheet) advance();
    }
    do {
      const std::size_t n = findRoom(b, next);
      const bool more = next + n < b.rows.size();
      result_.sheets.back().push_back({index, next, next + n, x_, z_, continued});
      z_ += b.height(next, next + n) + (more ? kContinuedHeight : 0) + kBlockGap;
      column_ = std::max(column_, b.width);
      next += n;
      continued = true;
    } while (next < b.rows.size());
  }

  BlockFlow result() && { return std::move(result_); }

 private:
  const std::vector<Rect>& first_;
  const std::vector<Rect>& later_;
  const std::vector<Rect>* areas_ = nullptr;
  std::size_t area_ = 0;
  double x_ = 0, z_ = 0, column_ = 0;
  BlockFlow result_;

  const Rect& area() const { return (*areas_)[area_]; }

  bool fitsWholeOnASheet(const SheetBlock& b) const {
    const Rect& a = later_.front();
    return b.width <= a.right - a.left + 0.01 && b.height(0, b.rows.size()) <= a.bottom - a.top;
  }

  // Into area k of the current sheet, or onto a new sheet when the sheet has no more areas.
  void enter(std::size_t k) {
    if (!areas_) areas_ = &first_;
    if (k >= areas_->size()) {
      result_.sheets.emplace_back();
      areas_ = &later_;
      k = 0;
    }
    area_ = k;
    x_ = area().left;
    z_ = area().top;
    column_ = 0;
  }

  // The next column of the area, or the next area when nothing stands in this column.
  void advance() {
    if (column_ > 0) {
      x_ += column_ + kBlockGap;
      z_ = area().top;
      column_ = 0;
      if (x_ < area().right) return;
    }
    enter(area_ + 1);
  }

  bool freshSheet() const {
    return areas_ == &later_ && area_ == 0 && x_ == area().left && z_ == area().top;
  }

  // Rows from `first` that fit below the cursor, leaving room to say where the rest goes on.
  std::size_t rowsHere(const SheetBlock& b, std::size_t first) const {
    auto count = [&](double room) {
      std::size_t n = 0;
      for (std::size_t r = first; r < b.rows.size() && b.rows[r] <= room; ++r, ++n) room -= b.rows[r];
      return n;
    };
    const double room = area().bottom - z_ - b.head;
    if (room < 0) return 0;
    const std::size_t n = count(room);
    return first + n < b.rows.size() ? count(room - kContinuedHeight) : n;
  }

  // Moves the cursor to where the block's next piece fits and returns the rows it holds.
  std::size_t findRoom(const SheetBlock& b, std::size_t first) {
    for (int guard = 0; guard < 100000; ++guard) {
      const bool fresh = areas_ == &later_ && freshSheet();
      if (fresh || b.width <= area().right - x_ + 0.01) {
        const std::size_t n = rowsHere(b, first);
        if (n > 0 || (b.rows.empty() && area().bottom - z_ >= b.head)) return n;
        if (fresh) return std::min<std::size_t>(1, b.rows.size() - first);  // taller than a sheet: alone
      }
      advance();
    }
    return std::min<std::size_t>(1, b.rows.size() - first);
  }
};

// A last sheet holding one row alone takes the row before it from the block's previous piece.
void noLoneRow(BlockFlow& flow) {
  if (flow.sheets.size() < 2) return;
  std::vector<BlockPiece>& last = flow.sheets.back();
  if (last.size() != 1 || last.front().last - last.front().first != 1 || !last.front().continued) return;
  for (auto sheet = flow.sheets.rbegin() + 1; sheet != flow.sheets.rend(); ++sheet)
    for (auto piece = sheet->rbegin(); piece != sheet->rend(); ++piece)
      if (piece->block == last.front().block) {
        if (piece->last - piece->first < 2) return;
        --piece->last;
        --last.front().first;
        return;
      }
}

}  // namespace

int BlockFlow::sheetOfNextPiece(std::size_t sheet, const BlockPiece& piece) const {
  for (std::size_t s = sheet; s < sheets.size(); ++s)
    for (const BlockPiece& p : sheets[s])
      if (p.block == piece.block && p.first == piece.last && p.first > piece.first) return static_cast<int>(s);
  return -1;
}

BlockFlow flowBlocks(const std::vector<SheetBlock>& blocks, const std::vector<Rect>& firstAreas,
                     const std::vector<Rect>& laterAreas) {
  Flow flow(firstAreas, laterAreas);
  for (std::size_t k = 0; k < blocks.size(); ++k) flow.add(blocks[k], k);
  BlockFlow result = std::move(flow).result();
  noLoneRow(result);
  return result;
}

}  // namespace plintova::print
