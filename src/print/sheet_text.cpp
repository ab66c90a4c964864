// Text on the drawing sheet: sizes in paper millimetres from the sheet font's own advance widths.
#include "print/sheet_text.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "model/utf8.h"

namespace plintova::print {

namespace {

// Advance widths of DejaVu Sans in thousandths of its size, characters 32 to 255 (the control
// characters 127 to 159 hold 0).
constexpr uint16_t kRegular[224] = {
    318, 401, 460, 838, 636, 950, 780, 275, 390, 390, 500, 838, 318, 361, 318, 337,
    636, 636, 636, 636, 636, 636, 636, 636, 636, 636, 337, 337, 838, 838, 838, 531,
    1000, 684, 686, 698, 770, 632, 575, 775, 752, 295, 295, 656, 557, 863, 748, 787,
    603, 787, 695, 635, 611, 732, 684, 989, 685, 611, 685, 390, 337, 390, 838, 500,
    500, 613, 635, 550, 635, 615, 352, 635, 634, 278, 278, 579, 278, 974, 634, 612,
    635, 635, 411, 521, 392, 634, 592, 818, 592, 592, 525, 636, 337, 636, 838, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    318, 401, 636, 636, 636, 636, 337, 500, 500, 1000, 471, 612, 838, 361, 1000, 500,
    500, 838, 401, 401, 500, 636, 636, 318, 500, 401, 471, 612, 969, 969, 969, 531,
    684, 684, 684, 684, 684, 684, 974, 698, 632, 632, 632, 632, 295, 295, 295, 295,
    775, 748, 787, 787, 787, 787, 787, 838, 787, 732, 732, 732, 732, 611, 605, 630,
    613, 613, 613, 613, 613, 613, 982, 550, 615, 615, 615, 615, 278, 278, 278, 278,
    612, 634, 612, 612, 612, 612, 612, 838, 612, 634, 634, 634, 634, 592, 635, 592,
};
// DejaVu Sans Bold.
constexpr uint16_t kBold[224] = {
    348, 456, 521, 838, 696, 1002, 872, 306, 457, 457, 523, 838, 380, 415, 380, 365,
    696, 696, 696, 696, 696, 696, 696, 696, 696, 696, 400, 400, 838, 838, 838, 580,
    1000, 774, 762, 734, 830, 683, 683, 821, 837, 372, 372, 775, 637, 995, 837, 850,
    733, 850, 770, 720, 682, 812, 774, 1103, 771, 724, 725, 457, 365, 457, 838, 500,
    500, 675, 716, 593, 716, 678, 435, 716, 712, 343, 343, 665, 343, 1042, 712, 687,
    716, 716, 493, 595, 478, 712, 652, 924, 645, 652, 582, 712, 365, 712, 838, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    348, 456, 696, 696, 636, 696, 365, 500, 500, 1000, 564, 646, 838, 415, 1000, 500,
    500, 838, 438, 438, 500, 736, 636, 380, 500, 438, 564, 646, 1035, 1035, 1035, 580,
    774, 774, 774, 774, 774, 774, 1085, 734, 683, 683, 683, 683, 372, 372, 372, 372,
    838, 837, 850, 850, 850, 850, 850, 838, 850, 812, 812, 812, 812, 724, 738, 719,
    675, 675, 675, 675, 675, 675, 1048, 593, 678, 678, 678, 678, 343, 343, 343, 343,
    687, 712, 687, 687, 687, 687, 687, 838, 687, 712, 712, 712, 712, 652, 716, 652,
};

}  // namespace

double sheetTextWidth(const std::string& line, double points, bool bold) {
  const uint16_t* table = bold ? kBold : kRegular;
  const uint16_t wide = table['M' - 32];
  double thousandths = 0;
  for (std::size_t i = 0; i < line.size();) {
    const uint32_t c = nextCodePoint(line, i);
    const uint16_t w = c >= 32 && c < 256 ? table[c - 32] : 0;
    thousandths += w > 0 ? w : (c < 32 ? 0 : wide);
  }
  return thousandths / 1000.0 * points * kMmPerPoint;
}

draw::TextMeasure sheetFontMeasure() {
  return [](const draw::Primitive& p) {
    const std::vector<std::string> lines = draw::textLines(p.text);
    double width = 0;
    for (const std::string& l : lines) width = std::max(width, sheetTextWidth(l, p.fontSize, p.bold));
    const double em = p.fontSize * kMmPerPoint;
    const double height = em * kFontLineHeight * static_cast<double>(lines.size());
    return draw::TextSize{width, height, em * kFontAscent};
  };
}

draw::Primitive sheetText(double x, double z, std::string s, double points, draw::Role role, bool bold,
                          draw::HAlign h, draw::VAlign v) {
  draw::Primitive p = draw::text(x, z, std::move(s), h, v, role);
  p.fontSize = std::max(points, kSmallestText);
  p.bold = bold;
  return p;
}

draw::Rect textRect(const draw::Primitive& p, const draw::TextMeasure& measure) {
  return draw::textBounds(p, measure ? measure(p) : draw::TextSize{});
}

bool overlaps(const draw::Rect& a, const draw::Rect& b, double gap) {
  return a.left < b.right + gap && b.left < a.right + gap && a.top < b.bottom + gap && b.top < a.bottom + gap;
}

double distance(const draw::Rect& a, const draw::Rect& b) {
  const double dx = std::max({0.0, b.left - a.right, a.left - b.right});
  const double dz = std::max({0.0, b.top - a.bottom, a.top - b.bottom});
  return std::hypot(dx, dz);
}

template <class F>
void Placer::forCells(const draw::Rect& r, double reach, F each) const {
  const auto cell = [](double v) { return static_cast<long long>(std::floor(v / kCell)); };
  const long long x0 = cell(r.left - reach), x1 = cell(r.right + reach), z0 = cell(r.top - reach), z1 = cell(r.bottom + reach);
  for (long long x = x0; x <= x1; ++x)
    for (long long z = z0; z <= z1; ++z) each(x * 1000003LL + z);
}

void Placer::take(const draw::Rect& r) {
  taken_.push_back(r);
  const std::size_t k = taken_.size() - 1;
  forCells(r, 0, [&](long long key) { cells_[key].push_back(k); });
}

std::vector<std::size_t> Placer::near(const draw::Rect& r, double reach) const {
  std::vector<std::size_t> found;
  forCells(r, reach, [&](long long key) {
    const auto it = cells_.find(key);
    if (it == cells_.end()) return;
    for (std::size_t k : it->second)
      if (distance(r, taken_[k]) <= reach && std::find(found.begin(), found.end(), k) == found.end()) found.push_back(k);
  });
  return found;
}

bool Placer::isFree(const draw::Rect& r) const {
  bool free = true;
  forCells(r, gap_, [&](long long key) {
    if (!free) return;
    const auto it = cells_.find(key);
    if (it == cells_.end()) return;
    for (std::size_t k : it->second)
      if (overlaps(r, taken_[k], gap_)) {
        free = false;
        return;
      }
  });
  return free;
}

namespace {

double widthOf(const std::string& s, double points, bool bold, const draw::TextMeasure& measure) {
  draw::Primitive p = draw::text(0, 0, s);
  p.fontSize = points;
  p.bold = bold;
  return measure ? measure(p).width : 0;
}

// Byte offsets where UTF-8 characters start.
std::vector<std::size_t> characterStarts(const std::string& s) {
  std::vector<std::size_t> starts;
  for (std::size_t i = 0; i < s.size(); ++i)
    if ((static_cast<uint8_t>(s[i]) & 0xC0) != 0x80) starts.push_back(i);
  return starts;
}

}  // namespace

std::string fitText(const std::string& s, double width, double points, bool bold, const draw::TextMeasure& measure) {
  if (widthOf(s, points, bold, measure) <= width) return s;
  const std::vector<std::size_t> starts = characterStarts(s);
  const auto prefix = [&](std::size_t k) { return s.substr(0, k < starts.size() ? starts[k] : s.size()); };
  // The most characters that still fit with the ellipsis.
  std::size_t lo = 0, hi = starts.size();
  while (lo < hi) {
    const std::size_t mid = (lo + hi + 1) / 2;
    if (widthOf(prefix(mid) + "...", points, bold, measure) <= width) lo = mid;
    else hi = mid - 1;
  }
  return prefix(lo) + "...";
}

std::vector<std::string> wrapText(const std::string& s, double width, double points, bool bold,
                                  const draw::TextMeasure& measure) {
  std::vector<std::string> lines;
  std::string line, word;
  auto flushWord = [&] {
    if (word.empty()) return;
    const std::string joined = line.empty() ? word : line + " " + word;
    if (line.empty() || widthOf(joined, points, bold, measure) <= width) {
      line = joined;
    } else {
      lines.push_back(line);
      line = word;
    }
    word.clear();
  };
  for (char c : s) {
    if (c == ' ') flushWord();
    else word += c;
  }
  flushWord();
  if (!line.empty() || lines.empty()) lines.push_back(line);
  return lines;
}

}  // namespace plintova::print
