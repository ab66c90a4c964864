// The calculation report's fonts and their tables of glyphs, its table cells measured once, and the
// widths of a table's columns.
#include "render/report_table_qt.h"

#include <QList>
#include <QTextLayout>
#include <QPointF>
#include <algorithm>
#include <cmath>
#include <utility>

namespace plintova::draw::report_pages {

namespace {

constexpr double kShortColumn = 30;  // mm: a column this narrow never wraps

// Characters whose glyph does not depend on its neighbours: the blank and the printable characters of
// the scripts set letter by letter, none of them a combining mark.
bool setAlone(QChar c) {
  if (c.unicode() == u' ') return true;
  if (c.isSurrogate() || !c.isPrint() || c.isSpace() || c.isMark()) return false;
  switch (c.script()) {
    case QChar::Script_Common:
    case QChar::Script_Latin:
    case QChar::Script_Greek:
    case QChar::Script_Cyrillic: return true;
    default: return false;
  }
}

}  // namespace

GlyphTable::GlyphTable(const QFont& font, const QFontMetricsF& metrics)
    : font_(font), raw_(QRawFont::fromFont(font)), metrics_(&metrics) {}

const GlyphTable::Glyph& GlyphTable::glyph(char16_t c) const {
  Glyph& g = c < ascii_.size() ? ascii_[c] : other_[c];
  if (g.state != 0) return g;
  g.state = -1;
  if (!raw_.isValid() || !setAlone(QChar(c))) return g;
  const QString alone(QChar{c});
  const QList<quint32> index = raw_.glyphIndexesForString(alone);
  if (index.size() != 1 || index.front() == 0) return g;  // the font lacks it: shaping takes another font's
  g.index = index.front();
  g.advance = metrics_->horizontalAdvance(alone);
  g.state = 1;
  return g;
}

std::int32_t GlyphTable::kerning(char16_t a, char16_t b) const {
  std::int32_t* kern;
  if (a < 128 && b < 128) {
    if (asciiPairs_.empty()) asciiPairs_.assign(128 * 128, kUnknown);
    kern = &asciiPairs_[a * 128u + b];
  } else {
    kern = &otherPairs_.try_emplace(static_cast<std::uint32_t>(a) << 16 | b, kUnknown).first->second;
  }
  if (*kern == kUnknown) {
    // The pair laid out as the painter would: the two glyphs of the table, the second one the first's
    // advance on, give or take the kerning.
    const QChar pair[] = {QChar(a), QChar(b)};
    QTextLayout layout(QString(pair, 2), font_);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    const Glyph &first = glyph(a), &second = glyph(b);
    *kern = kJoined;
    if (runs.size() == 1 && runs.front().rawFont() == raw_) {
      const QList<quint32> indexes = runs.front().glyphIndexes();
      const QList<QPointF> at = runs.front().positions();
      if (indexes == QList<quint32>{first.index, second.index} && at.size() == 2 && at[1].y() == at[0].y())
        *kern = static_cast<std::int32_t>(std::lround((at[1].x() - at[0].x() - first.advance) * 64));
    }
  }
  return *kern;
}

bool GlyphTable::tableAdvance(QStringView text, double& advance, double* longestWord) const {
  double line = 0, word = 0, longest = 0;
  char16_t before = 0;
  for (QChar c : text) {
    const Glyph& g = glyph(c.unicode());
    if (g.state < 0) return false;
    const double a = g.advance;
    if (before != 0) {
      const std::int32_t kern = kerning(before, c.unicode());
      if (kern == kJoined) return false;
      // A kerned pair across a blank belongs to the line, not to either word.
      line += kern / 64.0;
      if (before != u' ' && c.unicode() != u' ') word += kern / 64.0;
    }
    before = c.unicode();
    line += a;
    if (c.unicode() != u' ') {
      word += a;
    } else {
      longest = std::max(longest, word);
      word = 0;
    }
  }
  advance = line;
  if (longestWord) *longestWord = std::max(longest, word);
  return true;
}

double GlyphTable::advance(const QString& text) const {
  double a = 0;
  return tableAdvance(text, a) ? a : metrics_->horizontalAdvance(text);
}

bool GlyphTable::appendGlyphs(QStringView text, QPointF baseline, QList<quint32>& indexes,
                              QList<QPointF>& positions) const {
  const qsizetype start = indexes.size();
  double x = baseline.x();
  char16_t before = 0;
  for (QChar c : text) {
    const Glyph& g = glyph(c.unicode());
    std::int32_t kern = 0;
    if (g.state > 0 && before != 0) kern = kerning(before, c.unicode());
    if (g.state < 0 || kern == kJoined) {
      indexes.resize(start);
      positions.resize(start);
      return false;
    }
    x += kern / 64.0;
    before = c.unicode();
    indexes.push_back(g.index);
    positions.push_back(QPointF(x, baseline.y()));
    x += g.advance;
  }
  return true;
}

bool GlyphTable::holds(QStringView text) const {
  for (QChar c : text)
    if (c.unicode() != u'\n' && glyph(c.unicode()).state < 0) return false;
  return true;
}

Fonts::Fonts(const QPaintDevice* device) {
  constexpr int roles = static_cast<int>(FontRole::Running) + 1;
  fonts_.reserve(roles);
  metrics_.reserve(roles);
  tables_.reserve(roles);
  for (int k = 0; k < roles; ++k) {
    fonts_.push_back(fontOf(static_cast<FontRole>(k)));
    metrics_.emplace_back(fonts_.back(), device);
    tables_.emplace_back(QFont(fonts_.back(), device), metrics_.back());
  }
}

MeasuredCell measureCell(const GlyphTable& glyphs, const std::string& text) {
  MeasuredCell m;
  m.text = QString::fromStdString(text);
  // One pass over the characters by the table: the line's advance and its longest run between blanks.
  if (glyphs.tableAdvance(m.text, m.advance, &m.longestWord)) return m;
  const QFontMetricsF& fm = glyphs.metrics();
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
