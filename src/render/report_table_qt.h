// The calculation report's fonts, their texts measured and placed without shaping where they can be, and
// table cells measured once for the page layout (report_layout_qt.cpp).
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QList>
#include <QPointF>
#include <QRawFont>
#include <QString>
#include <QStringView>
#include <array>
#include <climits>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "render/report_page_qt.h"

namespace plintova::draw::report_pages {

// A font's texts set on one line without shaping them: each character's advance and glyph, and the
// kerning of each pair of neighbours, taken once by laying out the character and the pair alone when
// first met, summed and placed along the text. The font's kerning adjusts pairs only, so the sum is the
// advance shaping the whole line gives, and glyphs placed at those advances are where the painter's own
// text layout puts them. What shaping does beyond that is left to it: a character that it may join to
// its neighbours, reorder or take from another font (a mark, a control, a letter of another script, one
// the font lacks) is not in the table, nor a pair that the font sets otherwise than as its two glyphs
// (a ligature, "fi" in most fonts); a text holding either is measured and drawn by shaping it.
class GlyphTable {
 public:
  // `font` resolved for the device the report is measured and painted on.
  GlyphTable(const QFont& font, const QFontMetricsF& metrics);
  const QFontMetricsF& metrics() const { return *metrics_; }
  // The advance of the text on one line, by the table where it can, else by shaping.
  double advance(const QString& text) const;
  // The same by the table only, with the advance of the text's longest run between blanks: false if the
  // text holds a character or a pair outside the table.
  bool tableAdvance(QStringView text, double& advance, double* longestWord = nullptr) const;
  // The text's glyphs, placed on one line from `baseline`, appended to a run of this font's glyphs: false
  // (and the run as it was) if the text holds a character or a pair outside the table.
  bool appendGlyphs(QStringView text, QPointF baseline, QList<quint32>& indexes, QList<QPointF>& positions) const;
  // Whether the table holds every character of the text but its line breaks (its pairs not looked at).
  bool holds(QStringView text) const;
  const QRawFont& rawFont() const { return raw_; }

 private:
  struct Glyph {
    double advance = 0;
    quint32 index = 0;
    signed char state = 0;  // 0 not yet looked at, 1 in the table, -1 left to shaping
  };
  const Glyph& glyph(char16_t c) const;
  // The kerning of a pair of tabled characters in 64ths of a pixel (what the second glyph is moved by
  // from where the first one's advance puts it), or kJoined if the font does not set the pair as the
  // two glyphs.
  static constexpr std::int32_t kJoined = INT32_MIN + 1, kUnknown = INT32_MIN;
  std::int32_t kerning(char16_t a, char16_t b) const;

  QFont font_;
  QRawFont raw_;
  const QFontMetricsF* metrics_;
  mutable std::array<Glyph, 128> ascii_{};
  mutable std::unordered_map<char16_t, Glyph> other_;
  mutable std::vector<std::int32_t> asciiPairs_;  // 128 x 128 when first needed
  mutable std::unordered_map<std::uint32_t, std::int32_t> otherPairs_;
};

// The fonts of the report and their metrics on the page's device, made once per report: a font and its
// metrics cost more to make than most texts cost to measure.
class Fonts {
 public:
  explicit Fonts(const QPaintDevice* device);
  Fonts(const Fonts&) = delete;
  Fonts& operator=(const Fonts&) = delete;
  const QFont& font(FontRole role) const { return fonts_[static_cast<std::size_t>(role)]; }
  const QFontMetricsF& metrics(FontRole role) const { return metrics_[static_cast<std::size_t>(role)]; }
  const GlyphTable& glyphs(FontRole role) const { return tables_[static_cast<std::size_t>(role)]; }

 private:
  std::vector<QFont> fonts_;
  std::vector<QFontMetricsF> metrics_;  // reserved before filled: the tables point into it
  std::vector<GlyphTable> tables_;
};

// A table cell's text measured once: its advance set on one line and that of its longest word. A cell
// whose line fits its column is a line high without being laid out.
struct MeasuredCell {
  QString text;
  double advance = 0;
  double longestWord = 0;
  bool breaks = false;  // holds a line break: always laid out
};

MeasuredCell measureCell(const GlyphTable& glyphs, const std::string& text);

// Space, mm, on either side of a cell's text.
inline constexpr double kCellPad = 1.2;

// Column widths, device pixels, for a table of n columns whose measured rows (the heading first) share
// `room` pixels, `perMm` pixels to the millimetre: each column as wide as its longest text where the
// table fits, else the room beyond the longest words shared out (columns up to 30 mm never wrap).
std::vector<double> columnWidths(const std::vector<std::vector<MeasuredCell>>& rows, std::size_t n, double room,
                                 double perMm);

}  // namespace plintova::draw::report_pages
