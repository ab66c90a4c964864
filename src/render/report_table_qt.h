// The calculation report's fonts and table cells measured once for the page layout (report_layout_qt.cpp).
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QString>
#include <string>
#include <vector>

#include "render/report_page_qt.h"

namespace plintova::draw::report_pages {

// The fonts of the report and their metrics on the page's device, made once per report: a font and its
// metrics cost more to make than most texts cost to measure.
class Fonts {
 public:
  explicit Fonts(const QPaintDevice* device);
  const QFont& font(FontRole role) const { return fonts_[static_cast<std::size_t>(role)]; }
  const QFontMetricsF& metrics(FontRole role) const { return metrics_[static_cast<std::size_t>(role)]; }

 private:
  std::vector<QFont> fonts_;
  std::vector<QFontMetricsF> metrics_;
};

// A table cell's text measured once: its advance set on one line and that of its longest word. A cell
// whose line fits its column is a line high without being laid out.
struct MeasuredCell {
  QString text;
  double advance = 0;
  double longestWord = 0;
  bool breaks = false;  // holds a line break: always laid out
};

MeasuredCell measureCell(const QFontMetricsF& metrics, const std::string& text);

// Space, mm, on either side of a cell's text.
inline constexpr double kCellPad = 1.2;

// Column widths, device pixels, for a table of n columns whose measured rows (the heading first) share
// `room` pixels, `perMm` pixels to the millimetre: each column as wide as its longest text where the
// table fits, else the room beyond the longest words shared out (columns up to 30 mm never wrap).
std::vector<double> columnWidths(const std::vector<std::vector<MeasuredCell>>& rows, std::size_t n, double room,
                                 double perMm);

}  // namespace plintova::draw::report_pages
