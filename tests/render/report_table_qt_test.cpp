// The report's tables: cells measured once, and the widths their columns are given.
#include "render/report_table_qt.h"

#include <gtest/gtest.h>

#include <QImage>

#include "qt_test_app.h"

using namespace plintova::draw::report_pages;

namespace {

// A cell of the given advance and longest word, mm (the widths are asked for at 1 pixel per mm).
MeasuredCell cell(double advance, double longestWord = -1) {
  MeasuredCell c;
  c.text = QStringLiteral("x");
  c.advance = advance;
  c.longestWord = longestWord < 0 ? advance : longestWord;
  return c;
}

}  // namespace

TEST(ReportTable, ColumnWidthsFromTheMeasuredCells) {
  // Each column's natural width is its longest advance + 2 x 1.2 mm padding + 0.3 mm slack, at least
  // 6 mm; its least width the longest word + 2.4 mm, or the natural width for a column up to 30 mm.
  const struct {
    const char* what;
    std::vector<std::vector<MeasuredCell>> rows;
    double room;
    std::vector<double> widths;
  } cases[] = {
      // 20 + 2.7 = 22.7; 30 + 2.7 = 32.7; 1 + 2.7 = 3.7, raised to 6: the table fits, natural widths.
      {"fits", {{cell(20), cell(10), cell(1)}, {cell(5), cell(30), cell(0)}}, 175, {22.7, 32.7, 6}},
      // Natural 22.7, 202.7, 152.7 over 100 mm; least 22.7 (short), 42.4, 32.4, together 97.5.
      // Even shares of 33.3: A fits its natural width; B's longest word needs 42.4, more than the share;
      // C wraps and takes the rest, 100 - 22.7 - 42.4 = 34.9.
      {"shared", {{cell(20), cell(200, 40), cell(150, 30)}}, 100, {22.7, 42.4, 34.9}},
      // Least widths 22.7 and 42.4 (65.1) over 50 mm: each its least width x 50 / 65.1.
      {"squeezed", {{cell(20), cell(200, 40)}}, 50, {22.7 * 50 / 65.1, 42.4 * 50 / 65.1}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::vector<double> w = columnWidths(c.rows, c.widths.size(), c.room, 1);
    ASSERT_EQ(w.size(), c.widths.size());
    for (std::size_t k = 0; k < w.size(); ++k) EXPECT_NEAR(w[k], c.widths[k], 1e-9) << "column " << k;
  }
}

TEST(ReportTable, ACellIsMeasuredByItsLineAndItsLongestWord) {
  plintova::testapp::ensure();
  QImage page(10, 10, QImage::Format_RGB32);
  page.setDotsPerMeterX(23622);  // 600 dpi, as the report's pages
  page.setDotsPerMeterY(23622);
  const Fonts fonts(&page);
  const QFontMetricsF& fm = fonts.metrics(FontRole::Table);
  const struct {
    std::string text;
    QString longest;
    bool breaks;
  } cases[] = {
      {"", "", false},
      {"1224", "1224", false},
      {"bars of 12 mm at 150", "bars", false},
      {"fails  punching", "punching", false},  // runs of blanks are no words
      {"first line\nsecond", "line\nsecond", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const MeasuredCell m = measureCell(fm, c.text);
    EXPECT_EQ(m.text, QString::fromStdString(c.text));
    EXPECT_DOUBLE_EQ(m.advance, fm.horizontalAdvance(m.text));
    EXPECT_DOUBLE_EQ(m.longestWord, c.longest.isEmpty() ? 0 : fm.horizontalAdvance(c.longest));
    EXPECT_EQ(m.breaks, c.breaks);
  }
}
