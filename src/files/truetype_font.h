// A TrueType font read from its tables: the metrics a PDF's font descriptor and widths need, and a
// subset of its outlines to embed, the glyph numbers kept so that a page's text can name glyphs directly.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace plintova {

class TrueTypeFont {
 public:
  // Returns the bytes of the table with the four-letter tag, empty when the font has none.
  using TableSource = std::function<std::string(const char* tag)>;

  // Reads the tables. Returns "" when the font has TrueType outlines and whole tables, else the reason.
  std::string load(const TableSource& table);

  int unitsPerEm() const { return unitsPerEm_; }
  std::uint32_t glyphCount() const { return glyphCount_; }
  // The glyph's advance in font units (the last long metric's beyond the table's long metrics).
  int advance(std::uint32_t glyph) const;
  int ascent() const { return ascent_; }
  int descent() const { return descent_; }  // negative below the baseline
  int capHeight() const { return capHeight_; }
  double italicAngle() const { return italicAngle_; }  // degrees, negative leaning right
  const std::int16_t* box() const { return box_; }     // xMin, yMin, xMax, yMax over all glyphs

  // A font program holding the outlines of the glyphs marked in `used` (and of the parts composite ones
  // are made of), every other glyph empty; glyph numbers, metrics and hinting programs as they were.
  std::string subset(const std::vector<bool>& used) const;

 private:
  std::string head_, hhea_, maxp_, hmtx_, glyf_, cvt_, fpgm_, prep_;
  std::vector<std::uint32_t> offsets_;  // glyph k's outline in glyf_ is [offsets_[k], offsets_[k + 1])
  int unitsPerEm_ = 1000, ascent_ = 0, descent_ = 0, capHeight_ = 0;
  std::uint32_t glyphCount_ = 0, longMetrics_ = 0;
  double italicAngle_ = 0;
  std::int16_t box_[4] = {0, 0, 0, 0};
};

}  // namespace plintova
