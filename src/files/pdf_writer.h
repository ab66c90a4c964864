// A PDF of vector pages written front to back: filled rectangles, lines and text set as glyphs of
// embedded TrueType subsets. Each page's content is deflated and written as the page ends, so a long
// document is never held whole; the fonts, the page tree and the cross-reference table follow the last
// page.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/truetype_font.h"

namespace plintova {

// Takes the document's bytes in order; returns "" when they were written, else the reason.
using PdfSink = std::function<std::string(std::string_view bytes)>;

struct PdfColour {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const PdfColour& o) const { return r == o.r && g == o.g && b == o.b; }
};

// Nothing is written before the first page ends (or `finish`). Positions and sizes are in the caller's units (`pointsPerUnit` points each) from the page's top-left
// corner, y downwards, as a page layout places things; the writer turns them into the PDF's points from
// the bottom-left corner. The first failure (of the sink or the deflater) is kept; later calls do nothing
// and `finish` returns it.
class PdfWriter {
 public:
  PdfWriter(PdfSink sink, double pageWidthPt, double pageHeightPt, double pointsPerUnit);
  ~PdfWriter();
  PdfWriter(const PdfWriter&) = delete;
  PdfWriter& operator=(const PdfWriter&) = delete;

  // Adds a font the pages may draw with, by its PostScript name; returns its number.
  int addFont(const std::string& name, TrueTypeFont font);

  void beginPage();
  void fill(double x, double y, double w, double h, PdfColour colour);
  // A straight line with square ends, `width` units wide.
  void line(double x1, double y1, double x2, double y2, double width, PdfColour colour);
  // Glyphs of one font, `size` units to the em, glyph k with its pen at (x[k], y[k]) on its baseline and
  // standing for the character chars[k] (0 for none: a glyph that shares its characters with the one
  // before it). The glyphs of one baseline go out as one line of text.
  void glyphs(int font, double size, PdfColour colour, const std::uint32_t* glyphs, const double* x, const double* y,
              const char32_t* chars, std::size_t n);
  // Records that the glyph stands for several characters (a ligature), where glyphs() gives one.
  void mapGlyph(int font, std::uint32_t glyph, std::u32string text);
  void endPage();

  // Writes the fonts, the page tree, the document's title and creator and the cross-reference table.
  // Returns "" or the first failure.
  std::string finish(const std::string& title, const std::string& creator);

  const std::string& failure() const { return failure_; }
  int pageCount() const { return static_cast<int>(pages_.size()); }

 private:
  struct Font;
  struct Deflater;
  int reserve();
  void beginObject(int number);
  void writeObject(int number, std::string_view body);
  void out(std::string_view bytes);
  void writeStream(int number, const std::string& dictionary, std::string_view data);
  void writeFont(const Font& font);
  void endText();
  // Sets the fill ("rg") or stroke ("RG") colour unless it is already `colour`.
  void setColour(std::optional<PdfColour>& current, PdfColour colour, std::string_view op);
  double px(double x) const { return x * scale_; }
  double py(double y) const { return height_ - y * scale_; }

  PdfSink sink_;
  double width_, height_, scale_;
  std::unique_ptr<Deflater> deflater_;
  std::vector<std::unique_ptr<Font>> fonts_;
  std::vector<std::uint64_t> offsets_;  // by object number; 0 while not yet written
  std::vector<int> pages_;              // page objects
  std::uint64_t written_ = 0;
  std::string content_;  // the page being made
  bool inText_ = false;
  int textFont_ = -1;
  double textSize_ = 0, lineWidth_ = -1;
  std::optional<PdfColour> fill_, stroke_;  // as set on the page being made
  std::string failure_;
};

}  // namespace plintova
