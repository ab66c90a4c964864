// A TrueType font's tables read for embedding: a small font of three glyphs made here, whole and with
// each table spoiled in turn. (The subset of a real font is read back by FreeType in the PDF writer's
// test.)
#include "files/truetype_font.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

using namespace plintova;

namespace {

std::string be16(unsigned v) { return {static_cast<char>(v >> 8 & 0xff), static_cast<char>(v & 0xff)}; }

// Three glyphs of 1000 units to the em, two long metrics (advances 500 and 600; the third glyph takes
// the last), short locations over a glyf table of 8 bytes (glyph 1 holds all 8).
std::map<std::string, std::string> smallFont() {
  std::string head(54, '\0');
  head.replace(18, 2, be16(1000));
  head.replace(50, 2, be16(0));
  std::string hhea(36, '\0');
  hhea.replace(4, 2, be16(800));
  hhea.replace(6, 2, be16(0xff38));  // -200
  hhea.replace(34, 2, be16(2));
  std::string maxp(6, '\0');
  maxp.replace(4, 2, be16(3));
  return {{"head", head},
          {"hhea", hhea},
          {"maxp", maxp},
          {"hmtx", be16(500) + be16(0) + be16(600) + be16(0) + be16(0)},
          {"loca", be16(0) + be16(0) + be16(4) + be16(4)},
          {"glyf", std::string(8, '\x01')}};
}

}  // namespace

TEST(TrueTypeFont, ReadsWholeTablesAndRefusesSpoiledOnesWithTheReason) {
  struct Case {
    const char* what;
    const char* table;
    std::string bytes;
    const char* reason;
  };
  const Case cases[] = {
      {"whole", "", "", ""},
      {"no outlines (CFF)", "glyf", "", "the font has no TrueType outlines"},
      {"no locations", "loca", "", "the font has no TrueType outlines"},
      {"header cut short", "head", std::string(40, '\0'), "the font's header tables are cut short"},
      {"units per em 0", "head", std::string(54, '\0'), "the font's units per em are out of range"},
      {"metrics cut short", "hmtx", be16(500), "the font's horizontal metrics are cut short"},
      {"locations cut short", "loca", be16(0) + be16(0), "the font's glyph locations are cut short"},
      {"locations going back", "loca", be16(0) + be16(4) + be16(2) + be16(4), "the font's glyph locations are out of order"},
      {"locations past the outlines", "loca", be16(0) + be16(0) + be16(4) + be16(8),
       "the font's glyph locations are out of order"},
  };
  for (const Case& c : cases) {
    std::map<std::string, std::string> tables = smallFont();
    if (*c.table) tables[c.table] = c.bytes;
    TrueTypeFont font;
    EXPECT_EQ(font.load([&tables](const char* tag) { return tables.count(tag) ? tables.at(tag) : std::string(); }),
              c.reason)
        << c.what;
  }
  std::map<std::string, std::string> tables = smallFont();
  TrueTypeFont font;
  ASSERT_EQ(font.load([&tables](const char* tag) { return tables.count(tag) ? tables.at(tag) : std::string(); }), "");
  EXPECT_EQ(font.glyphCount(), 3u);
  EXPECT_EQ(font.unitsPerEm(), 1000);
  EXPECT_EQ(font.ascent(), 800);
  EXPECT_EQ(font.descent(), -200);
  EXPECT_EQ(font.capHeight(), 800) << "without an OS/2 table, the ascent";
  EXPECT_EQ(font.advance(0), 500);
  EXPECT_EQ(font.advance(1), 600);
  EXPECT_EQ(font.advance(2), 600) << "beyond the long metrics, the last one's advance";
}
