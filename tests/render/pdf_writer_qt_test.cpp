// The PDF writer and its TrueType subsets, read back by independent readers: poppler for the pages
// (text, positions, fonts, colours) and FreeType, through Qt, for the subset's outlines.
#include "files/pdf_writer.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QFont>
#include <QPainterPath>
#include <QRawFont>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "../command_output.h"
#include "files/truetype_font.h"
#include "qt_test_app.h"

using namespace plintova;
namespace fs = std::filesystem;

namespace {

constexpr double kPixelSize = 100;  // the font's size in the page's units, 0.12 pt each: 12 pt

QRawFont dejaVu() {
  testapp::ensure();
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(static_cast<int>(kPixelSize));
  return QRawFont::fromFont(font);
}

TrueTypeFont::TableSource tablesOf(const QRawFont& raw) {
  return [raw](const char* tag) {
    const QByteArray bytes = raw.fontTable(tag);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  };
}

quint32 glyphOf(const QRawFont& raw, char32_t c) {
  const QList<quint32> g = raw.glyphIndexesForString(QString::fromUcs4(&c, 1));
  return g.isEmpty() ? 0 : g.front();
}

// A line of text set glyph after glyph at the font's advances from (x, y), `gap` units added before the
// glyph at `gapAt`.
struct Line {
  std::vector<std::uint32_t> glyphs;
  std::vector<double> x, y;
  std::vector<char32_t> chars;
};
Line setLine(const QRawFont& raw, const std::u32string& text, double x, double y, std::size_t gapAt = 0,
             double gap = 0) {
  Line line;
  for (std::size_t k = 0; k < text.size(); ++k) {
    const quint32 g = glyphOf(raw, text[k]);
    if (k == gapAt) x += gap;
    line.glyphs.push_back(g);
    line.x.push_back(x);
    line.y.push_back(y);
    line.chars.push_back(text[k]);
    x += raw.advancesForGlyphIndexes(QList<quint32>{g}).front().x();
  }
  return line;
}

std::string pdfPath(const char* name) {
  return (fs::temp_directory_path() / (std::string("plintova-") + name + "-" + std::to_string(::getpid()) + ".pdf"))
      .string();
}

}  // namespace

// Two A4 pages (1 unit = 0.12 pt, 600 to the inch): a red square, a line, text in Greek and Latin with a
// wide gap inside a line, a ligature glyph standing for two letters and a glyph standing for a letter
// beyond the 16-bit plane. Poppler reads the text back where it was set, finds one embedded subset with
// its Unicode map, and paints the square where it was placed.
TEST(PdfWriter, PagesReadBackWithTheirTextPositionsFontsAndColours) {
  const QRawFont raw = dejaVu();
  ASSERT_TRUE(raw.isValid());
  TrueTypeFont font;
  ASSERT_EQ(font.load(tablesOf(raw)), "");
  const std::string path = pdfPath("writer");
  std::ofstream file(path, std::ios::binary);
  PdfWriter pdf([&file](std::string_view b) { return file.write(b.data(), static_cast<std::streamsize>(b.size())) ? "" : "failed"; },
                595.276, 841.89, 0.12);
  const int f = pdf.addFont("DejaVuSans", std::move(font));

  pdf.beginPage();
  // 1000 to 2000 units across and down: 120 to 240 pt, the square's middle 180 pt from the top.
  pdf.fill(1000, 1000, 1000, 1000, {200, 0, 0});
  pdf.line(500, 3000, 4000, 3000, 5, {0, 0, 0});
  // "Hello" at x = 500 units (60 pt); "Ωμέγα" 2000 units (240 pt) further along the same baseline.
  const Line hello = setLine(raw, U"Hello Ωμέγα", 500, 2500, 6, 2000);
  pdf.glyphs(f, kPixelSize, {0, 0, 0}, hello.glyphs.data(), hello.x.data(), hello.y.data(), hello.chars.data(),
             hello.glyphs.size());
  // A ligature "fi" glyph standing for both letters, and '#' standing for U+1D400 (mathematical bold A).
  const Line marks = setLine(raw, U"\uFB01 #", 500, 3500);
  pdf.mapGlyph(f, marks.glyphs[0], U"fi");
  pdf.mapGlyph(f, marks.glyphs[2], U"\U0001D400");
  std::vector<char32_t> none(marks.glyphs.size(), 0);
  pdf.glyphs(f, kPixelSize, {0, 0, 0}, marks.glyphs.data(), marks.x.data(), marks.y.data(), none.data(),
             marks.glyphs.size());
  pdf.endPage();
  pdf.beginPage();
  const Line two = setLine(raw, U"Page two", 500, 500);
  pdf.glyphs(f, kPixelSize, {90, 90, 90}, two.glyphs.data(), two.x.data(), two.y.data(), two.chars.data(),
             two.glyphs.size());
  pdf.endPage();
  ASSERT_EQ(pdf.finish("Rapport — été", "Plintova"), "");
  file.close();

  const std::string info = commandOutput("pdfinfo '" + path + "' 2>&1");
  EXPECT_NE(info.find("Pages:           2"), std::string::npos) << info;
  EXPECT_NE(info.find("Page size:       595.276 x 841.89 pts (A4)"), std::string::npos) << info;
  EXPECT_NE(info.find("Title:           Rapport — été"), std::string::npos) << info;
  EXPECT_EQ(info.find("Error"), std::string::npos) << info;

  const std::string fonts = commandOutput("pdffonts '" + path + "' 2>&1");
  EXPECT_TRUE(std::regex_search(fonts, std::regex("[A-Z]{6}\\+DejaVuSans +CID TrueType +Identity-H +yes yes yes")))
      << fonts;

  const std::string text = commandOutput("pdftotext -layout '" + path + "' - 2>&1");
  EXPECT_TRUE(std::regex_search(text, std::regex("Hello +Ωμέγα"))) << text;
  EXPECT_NE(text.find("fi \U0001D400"), std::string::npos) << text;
  EXPECT_NE(text.find("Page two"), std::string::npos) << text;

  // Word boxes: "Hello" starts at 60 pt, "Ωμέγα" 240 pt further on than the advances alone put it.
  const std::string boxes = commandOutput("pdftotext -bbox -f 1 -l 1 '" + path + "' - 2>&1");
  std::smatch m;
  ASSERT_TRUE(std::regex_search(boxes, m, std::regex("xMin=\"([0-9.]+)\"[^>]*>Hello<")));
  EXPECT_NEAR(std::stod(m[1]), 60, 0.01);
  const double helloSpace = setLine(raw, U"Hello ", 0, 0).x.back() +
                            raw.advancesForGlyphIndexes(QList<quint32>{glyphOf(raw, U' ')}).front().x();
  ASSERT_TRUE(std::regex_search(boxes, m, std::regex("xMin=\"([0-9.]+)\"[^>]*>Ωμέγα<")));
  EXPECT_NEAR(std::stod(m[1]), (500 + helloSpace + 2000) * 0.12, 0.02);

  // The square's middle (180 pt across and down) is the fill's red at 72 dpi; the page's corner white.
  const std::string ppm = commandOutput("pdftoppm -r 72 -f 1 -l 1 '" + path + "' 2>&1");
  ASSERT_GT(ppm.size(), 1000u);
  const std::size_t header = ppm.find("255\n") + 4;
  const std::size_t width = 595 + 1;  // poppler rounds 595.276 up
  auto pixel = [&](std::size_t x, std::size_t y) {
    const std::size_t at = header + 3 * (y * width + x);
    return std::to_string(static_cast<unsigned char>(ppm[at])) + "," +
           std::to_string(static_cast<unsigned char>(ppm[at + 1])) + "," +
           std::to_string(static_cast<unsigned char>(ppm[at + 2]));
  };
  EXPECT_EQ(pixel(180, 180), "200,0,0");
  EXPECT_EQ(pixel(5, 5), "255,255,255");
  fs::remove(path);
}

TEST(PdfWriter, TheFirstFailureIsKeptAndNothingIsWrittenAfterIt) {
  const QRawFont raw = dejaVu();
  TrueTypeFont font;
  ASSERT_EQ(font.load(tablesOf(raw)), "");
  int calls = 0, afterFailure = 0;
  PdfWriter pdf(
      [&](std::string_view) -> std::string {
        if (calls > 2) ++afterFailure;
        return ++calls == 3 ? "No space left on device" : "";
      },
      595.276, 841.89, 0.12);
  EXPECT_EQ(calls, 0) << "nothing is written before the first page";
  pdf.addFont("DejaVuSans", std::move(font));
  for (int page = 0; page < 3; ++page) {
    pdf.beginPage();
    pdf.fill(0, 0, 10, 10, {0, 0, 0});
    pdf.endPage();
  }
  EXPECT_EQ(pdf.finish("t", "Plintova"), "No space left on device");
  EXPECT_EQ(afterFailure, 0);
}

// The subset read by FreeType: the marked glyphs, and the parts an accented letter is made of although
// only the letter was marked, have the outlines they have in the whole font; an unmarked glyph is empty;
// advances are kept.
TEST(TrueTypeSubset, KeepsTheMarkedOutlinesAndTheirPartsAndEmptiesTheRest) {
  const QRawFont raw = dejaVu();
  TrueTypeFont font;
  ASSERT_EQ(font.load(tablesOf(raw)), "");
  EXPECT_EQ(font.unitsPerEm(), 2048);
  const quint32 a = glyphOf(raw, U'A'), eAcute = glyphOf(raw, U'é'), e = glyphOf(raw, U'e'),
                omega = glyphOf(raw, U'Ω'), z = glyphOf(raw, U'z');
  std::vector<bool> used(font.glyphCount(), false);
  used[a] = used[eAcute] = used[omega] = true;
  const std::string program = font.subset(used);
  const QRawFont sub(QByteArray(program.data(), static_cast<qsizetype>(program.size())), kPixelSize);
  ASSERT_TRUE(sub.isValid());
  for (quint32 g : {a, eAcute, omega}) {
    EXPECT_EQ(sub.pathForGlyph(g), raw.pathForGlyph(g)) << g;
    EXPECT_EQ(sub.advancesForGlyphIndexes(QList<quint32>{g}), raw.advancesForGlyphIndexes(QList<quint32>{g})) << g;
  }
  EXPECT_FALSE(raw.pathForGlyph(z).isEmpty());
  EXPECT_TRUE(sub.pathForGlyph(z).isEmpty());
  // DejaVu builds é from e and an accent: e is kept for it, unmarked.
  EXPECT_FALSE(used[e]);
  EXPECT_EQ(sub.pathForGlyph(e), raw.pathForGlyph(e));
  EXPECT_LT(program.size(), raw.fontTable("glyf").size() / 4);
}
