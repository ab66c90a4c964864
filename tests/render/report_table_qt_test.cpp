// The report's texts measured and placed from the fonts' tables of glyphs, as shaping would set them; its
// tables' cells measured once, and the widths their columns are given.
#include "render/report_table_qt.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QGlyphRun>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <filesystem>
#include <fstream>
#include <variant>

#include "../command_output.h"
#include "../output/frame1_report_fixture.h"
#include "output/report_content.h"
#include "qt_test_app.h"

using namespace plintova::draw::report_pages;

namespace {

constexpr int kRoles = static_cast<int>(FontRole::Running) + 1;

// A page of the report's resolution (600 dpi) to measure and paint on.
QImage reportPage(int width = 10, int height = 10) {
  plintova::testapp::ensure();
  QImage page(width, height, QImage::Format_RGB32);
  page.setDotsPerMeterX(23622);
  page.setDotsPerMeterY(23622);
  page.fill(Qt::white);
  return page;
}

// Texts of the report's kinds: kerning pairs and ligature candidates, units and signs beyond ASCII; and
// those the table must leave to shaping (a combining mark, a tab, a line break, another script).
const struct {
  QString text;
  bool tabled;
} kTexts[] = {
    {QString(), true},
    {QStringLiteral("AVATAR To Ty LT Wa P. Yo"), true},
    {QStringLiteral("office fluff ffi fl"), false},
    {QStringLiteral("12 bars of 16 mm at 150 c/c; M20, Fe415 (x2)"), true},
    {QStringLiteral("30\u00b0, 1.5 m\u00b2, 2 \u00d7 2 \u2264 200 kN/m\u00b2 \u2022 \u2013"), true},
    {QStringLiteral("\u03c3 = \u03c6\u00b7\u0394"), true},
    {QStringLiteral("e\u0301t\u00e9"), false},
    {QStringLiteral("a\tb"), false},
    {QStringLiteral("line\nnext"), false},
    {QStringLiteral("\u0645\u0631\u062d\u0628\u0627"), false},
};

// Every text of a report: its cells, paragraphs, formulas and headings.
std::vector<std::string> textsOf(const plintova::report::Document& doc) {
  std::vector<std::string> out;
  for (const plintova::report::Section& s : doc.sections) {
    out.push_back(s.heading());
    for (const plintova::report::Block& b : s.blocks) {
      if (const auto* t = std::get_if<plintova::report::Table>(&b)) {
        out.insert(out.end(), t->header.begin(), t->header.end());
        for (const plintova::report::TableRow& r : t->rows) out.insert(out.end(), r.cells.begin(), r.cells.end());
      } else if (const auto* p = std::get_if<plintova::report::Paragraph>(&b)) {
        out.push_back(p->text);
      } else if (const auto* f = std::get_if<plintova::report::Formula>(&b)) {
        out.push_back(plintova::report::equationText(*f));
        out.push_back(f->clause);
      }
    }
  }
  return out;
}

// A cell of the given advance and longest word, mm (the widths are asked for at 1 pixel per mm).
MeasuredCell cell(double advance, double longestWord = -1) {
  MeasuredCell c;
  c.text = QStringLiteral("x");
  c.advance = advance;
  c.longestWord = longestWord < 0 ? advance : longestWord;
  return c;
}

// The text's glyphs from the table as one run placed from the origin, as the report's painter gathers
// them: false (and `run` untouched) if the table cannot place them.
bool glyphRun(const GlyphTable& table, QStringView text, QGlyphRun& run) {
  QList<quint32> indexes;
  QList<QPointF> positions;
  if (!table.appendGlyphs(text, QPointF(0, 0), indexes, positions)) return false;
  run.setRawFont(table.rawFont());
  run.setGlyphIndexes(indexes);
  run.setPositions(positions);
  return true;
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
    const MeasuredCell m = measureCell(fonts.glyphs(FontRole::Table), c.text);
    EXPECT_EQ(m.text, QString::fromStdString(c.text));
    EXPECT_DOUBLE_EQ(m.advance, fm.horizontalAdvance(m.text));
    EXPECT_DOUBLE_EQ(m.longestWord, c.longest.isEmpty() ? 0 : fm.horizontalAdvance(c.longest));
    EXPECT_EQ(m.breaks, c.breaks);
  }
}

TEST(ReportTable, TheGlyphTableMeasuresAsShapingDoes) {
  const QImage page = reportPage();
  const Fonts fonts(&page);
  for (int role = 0; role < kRoles; ++role) {
    const GlyphTable& table = fonts.glyphs(static_cast<FontRole>(role));
    const QFontMetricsF& fm = fonts.metrics(static_cast<FontRole>(role));
    for (const auto& c : kTexts) {
      SCOPED_TRACE(c.text.toStdString() + " in font " + std::to_string(role));
      double a = -1;
      EXPECT_EQ(table.tableAdvance(c.text, a), c.tabled);
      if (c.tabled) {
        EXPECT_EQ(a, fm.horizontalAdvance(c.text));
      }
      EXPECT_EQ(table.advance(c.text), fm.horizontalAdvance(c.text));
    }
  }
}

TEST(ReportTable, EveryTextOfAReportMeasuresAsShapingDoes) {
  const QImage page = reportPage();
  const Fonts fonts(&page);
  auto project = plintova::report_test::designedFrame1(PLINTOVA_EXAMPLES "/FRAME1.ANL");
  ASSERT_NE(project, nullptr);
  const std::vector<std::string> texts = textsOf(plintova::calculationReport(*project, "2025-01-31"));
  ASSERT_GT(texts.size(), 1000u);
  for (FontRole role : {FontRole::Body, FontRole::Bold, FontRole::Italic, FontRole::Table, FontRole::TableBold}) {
    const QFontMetricsF& fm = fonts.metrics(role);
    int tabled = 0;
    for (const std::string& text : texts) {
      const MeasuredCell m = measureCell(fonts.glyphs(role), text);
      double a = 0;
      tabled += fonts.glyphs(role).tableAdvance(m.text, a);
      ASSERT_EQ(m.advance, fm.horizontalAdvance(m.text)) << text;
      double longest = 0;
      for (const QString& word : m.text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        longest = std::max(longest, fm.horizontalAdvance(word));
      ASSERT_EQ(m.longestWord, longest) << text;
    }
    // The fast path is the common one.
    EXPECT_GT(tabled, static_cast<int>(texts.size()) * 9 / 10);
  }
}

// A text drawn as glyphs from the table looks exactly as the painter sets it, and reads back from a PDF
// as the same text.
TEST(ReportTable, GlyphRunsPaintAndReadBackAsTheText) {
  QImage shaped = reportPage(2400, 120 * static_cast<int>(std::size(kTexts)));
  QImage placed = shaped;
  const Fonts fonts(&shaped);
  QPainter byText(&shaped), byGlyphs(&placed);
  byText.setFont(fonts.font(FontRole::Table));
  QString expected;
  QByteArray pdf;
  QBuffer buffer(&pdf);
  ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
  QPdfWriter writer(&buffer);
  writer.setResolution(600);
  writer.setPageSize(QPageSize(QPageSize::A4));
  const Fonts pdfFonts(&writer);
  QPainter onPdf(&writer);
  double y = 100;
  for (const auto& c : kTexts) {
    QGlyphRun run;
    ASSERT_EQ(glyphRun(fonts.glyphs(FontRole::Table), c.text, run), c.tabled) << c.text.toStdString();
    if (!c.tabled || c.text.isEmpty()) continue;
    byText.drawText(QPointF(37.3, y), c.text);
    byGlyphs.drawGlyphRun(QPointF(37.3, y), run);
    ASSERT_TRUE(glyphRun(pdfFonts.glyphs(FontRole::Table), c.text, run));
    onPdf.drawGlyphRun(QPointF(300, y), run);
    expected += c.text + QLatin1Char('\n');
    y += 120;
  }
  byText.end();
  byGlyphs.end();
  onPdf.end();
  EXPECT_TRUE(shaped == placed);
  const std::string file = PLINTOVA_BUILD_DIR "/glyph_runs.pdf";
  std::ofstream(file, std::ios::binary).write(pdf.constData(), pdf.size());
  const std::string read = commandOutput("pdftotext -enc UTF-8 '" + file + "' -");
  std::filesystem::remove(file);
  EXPECT_EQ(QString::fromStdString(read).trimmed(), expected.trimmed());
}
