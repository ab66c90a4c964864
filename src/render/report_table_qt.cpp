// The calculation report's fonts, its table cells measured once, and the widths of a table's columns.
#include "render/report_table_qt.h"

#include <algorithm>

namespace plintova::draw::report_pages {

namespace {

constexpr double kShortColumn = 30;  // mm: a column this narrow never wraps

}  // namespace

Fonts::Fonts(const QPaintDevice* device) {
  constexpr int roles = static_cast<int>(FontRole::Running) + 1;
  fonts_.reserve(roles);
  metrics_.reserve(roles);
  for (int k = 0; k < roles; ++k) {
    fonts_.push_back(fontOf(static_cast<FontRole>(k)));
    metrics_.emplace_back(fonts_.back(), device);
  }
}

MeasuredCell measureCell(const QFontMetricsF& fm, const std::string& text) {
  MeasuredCell m;
  m.text = QString::fromStdString(text);
  m.advance = fm.horizontalAdvance(m.text);
  m.breaks = m.text.contains(QLatin1Char('\n'));
  if (!m.text.contains(QLatin1Char(' ')) && !m.breaks) {
    m.longestWord = m.text.isEmpty() ? 0 : m.advance;
    return m;
  }
  for (const QString& word : m.text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
    m.longestWord = std::max(m.longestWord, fm.horizontalAdvance(word));
  return m;
}

std::vector<double> columnWidths(const std::vector<std::vector<MeasuredCell>>& rows, std::size_t n, double room,
                                 double perMm) {
  const auto mm = [perMm](double v) { return v * perMm; };
  std::vector<double> natural(n, 0), least(n, 0);
  const double pad = 2 * mm(kCellPad);
  for (const std::vector<MeasuredCell>& row : rows)
    for (std::size_t k = 0; k < n; ++k) {
      // A little over the measured advance: a cell exactly as wide as its text may wrap its last word.
      natural[k] = std::max(natural[k], row[k].advance + pad + mm(0.3));
      if (row[k].longestWord > 0) least[k] = std::max(least[k], row[k].longestWord + pad);
    }
  double sumNatural = 0, sumLeast = 0;
  for (std::size_t k = 0; k < n; ++k) {
    natural[k] = std::max(natural[k], mm(6));
    // Short columns (numbers, marks, sizes) keep their texts on one line; long ones wrap.
    least[k] = natural[k] <= mm(kShortColumn) ? natural[k] : std::min(std::max(least[k], mm(6)), natural[k]);
    sumNatural += natural[k];
    sumLeast += least[k];
  }
  std::vector<double> w(n);
  if (sumNatural <= room) return natural;
  if (sumLeast >= room) {
    for (std::size_t k = 0; k < n; ++k) w[k] = least[k] * room / sumLeast;
    return w;
  }
  // The room shared out evenly: a column narrower than its share keeps its natural width, one whose
  // longest word needs more than its share gets that; the wide columns left share the rest and wrap.
  std::vector<bool> open(n, true);
  w = natural;
  for (bool settled = false; !settled;) {
    settled = true;
    double used = 0;
    int count = 0;
    for (std::size_t k = 0; k < n; ++k) {
      if (open[k]) ++count;
      else used += w[k];
    }
    if (count == 0) break;
    const double cap = (room - used) / count;
    for (std::size_t k = 0; k < n; ++k) {
      if (!open[k] || (natural[k] > cap && least[k] < cap)) continue;
      w[k] = natural[k] <= cap ? natural[k] : least[k];
      open[k] = false;
      settled = false;
    }
    if (settled)
      for (std::size_t k = 0; k < n; ++k)
        if (open[k]) w[k] = cap;
  }
  return w;
}

}  // namespace plintova::draw::report_pages
