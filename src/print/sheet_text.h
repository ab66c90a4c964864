// Text on the drawing sheet: sizes in paper millimetres from the sheet font's own advance widths.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "draw/primitives.h"

namespace plintova::print {

// Millimetres in one typographic point.
constexpr double kMmPerPoint = 25.4 / 72.0;

// The sheet font (DejaVu Sans) in fractions of its size: ascent and descent of a line, the height of a
// line (ascent + descent, also the spacing of lines) and the height of the capitals.
constexpr double kFontAscent = 0.928;
constexpr double kFontDescent = 0.236;
constexpr double kFontLineHeight = kFontAscent + kFontDescent;
constexpr double kFontCapHeight = 0.729;

// Width of a line of text (UTF-8) in paper millimetres at `points`, from the advance widths of the sheet
// font, regular or bold. Characters the table does not hold count as wide as "M".
double sheetTextWidth(const std::string& line, double points, bool bold = false);

// Sizes of text primitives in paper millimetres with the widths above: the measure the layout uses
// where no device measures for it (the CAD export, tests).
draw::TextMeasure sheetFontMeasure();

// The smallest lettering on a drawing, as the height of its capitals on paper (SP 46: 2.5 mm), and the
// smallest text on the sheet in points that gives it: capitals of 10 pt stand 10 x 0.3528 x 0.729 =
// 2.57 mm. Nothing is printed smaller.
constexpr double kSmallestCapHeight = 2.5;
constexpr double kSmallestText = 10;
static_assert(kSmallestText * kMmPerPoint * kFontCapHeight >= kSmallestCapHeight);

// A text primitive of the sheet at `points`, aligned on (x, z) as given (by default centred on it).
draw::Primitive sheetText(double x, double z, std::string s, double points, draw::Role role, bool bold = false,
                          draw::HAlign h = draw::HAlign::Centre, draw::VAlign v = draw::VAlign::Middle);

// The paper rectangle a text covers.
draw::Rect textRect(const draw::Primitive& p, const draw::TextMeasure& measure);

// True when the two rectangles overlap by more than `gap` would keep apart (touching is no overlap).
bool overlaps(const draw::Rect& a, const draw::Rect& b, double gap = 0);

// Rectangle distance: 0 when they touch or overlap.
double distance(const draw::Rect& a, const draw::Rect& b);

// The occupied places of one drawing: texts and other things labels must keep clear of, kept in cells
// of the paper so that a plan of hundreds of footings is searched in a moment.
class Placer {
 public:
  explicit Placer(double gap = 0.3) : gap_(gap) {}
  bool isFree(const draw::Rect& r) const;
  void take(const draw::Rect& r);
  const std::vector<draw::Rect>& taken() const { return taken_; }
  // The places taken within `reach` of r (their indices into taken()).
  std::vector<std::size_t> near(const draw::Rect& r, double reach) const;

 private:
  static constexpr double kCell = 10;  // mm
  double gap_;
  std::vector<draw::Rect> taken_;
  std::unordered_map<long long, std::vector<std::size_t>> cells_;
  template <class F>
  void forCells(const draw::Rect& r, double reach, F each) const;
};

// Text cut to `width` millimetres at `points`, with "..." at the end when it had to be cut.
std::string fitText(const std::string& s, double width, double points, bool bold, const draw::TextMeasure& measure);

// Words of `s` wrapped into lines no wider than `width` at `points`.
std::vector<std::string> wrapText(const std::string& s, double width, double points, bool bold,
                                  const draw::TextMeasure& measure);

}  // namespace plintova::print
