// TrueType tables read big-endian as the format stores them, and a subset written with the table
// directory, the long glyph locations and each table's checksum the format asks for.
#include "files/truetype_font.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace plintova {

namespace {

std::uint32_t u16(const std::string& t, std::size_t at) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(t[at]) << 8 | static_cast<unsigned char>(t[at + 1]));
}
std::int16_t s16(const std::string& t, std::size_t at) { return static_cast<std::int16_t>(u16(t, at)); }
std::uint32_t u32(const std::string& t, std::size_t at) { return u16(t, at) << 16 | u16(t, at + 2); }

void put16(std::string& out, std::uint32_t v) {
  out.push_back(static_cast<char>(v >> 8 & 0xff));
  out.push_back(static_cast<char>(v & 0xff));
}
void put32(std::string& out, std::uint32_t v) {
  put16(out, v >> 16);
  put16(out, v & 0xffff);
}
void set16(std::string& t, std::size_t at, std::uint32_t v) {
  t[at] = static_cast<char>(v >> 8 & 0xff);
  t[at + 1] = static_cast<char>(v & 0xff);
}

std::uint32_t checksum(const std::string& t) {
  std::uint32_t sum = 0;
  for (std::size_t k = 0; k < t.size(); k += 4) {
    std::uint32_t word = 0;
    for (std::size_t b = 0; b < 4; ++b)
      word = word << 8 | (k + b < t.size() ? static_cast<unsigned char>(t[k + b]) : 0u);
    sum += word;
  }
  return sum;
}

// Composite glyph component flags.
constexpr std::uint32_t kWordArgs = 0x0001, kScale = 0x0008, kMore = 0x0020, kXYScale = 0x0040,
                        kTwoByTwo = 0x0080;

}  // namespace

std::string TrueTypeFont::load(const TableSource& table) {
  head_ = table("head");
  hhea_ = table("hhea");
  maxp_ = table("maxp");
  hmtx_ = table("hmtx");
  glyf_ = table("glyf");
  cvt_ = table("cvt ");
  fpgm_ = table("fpgm");
  prep_ = table("prep");
  const std::string loca = table("loca");
  if (glyf_.empty() || loca.empty()) return "the font has no TrueType outlines";
  if (head_.size() < 54 || hhea_.size() < 36 || maxp_.size() < 6) return "the font's header tables are cut short";
  unitsPerEm_ = static_cast<int>(u16(head_, 18));
  if (unitsPerEm_ < 16) return "the font's units per em are out of range";
  for (int k = 0; k < 4; ++k) box_[k] = s16(head_, 36 + 2 * k);
  const bool longLocations = s16(head_, 50) == 1;
  ascent_ = s16(hhea_, 4);
  descent_ = s16(hhea_, 6);
  longMetrics_ = u16(hhea_, 34);
  glyphCount_ = u16(maxp_, 4);
  if (longMetrics_ == 0 || longMetrics_ > glyphCount_ || hmtx_.size() < 4 * std::size_t{longMetrics_})
    return "the font's horizontal metrics are cut short";
  if (loca.size() < (glyphCount_ + 1) * std::size_t{longLocations ? 4u : 2u})
    return "the font's glyph locations are cut short";
  offsets_.resize(glyphCount_ + 1);
  for (std::uint32_t k = 0; k <= glyphCount_; ++k) {
    offsets_[k] = longLocations ? u32(loca, 4 * k) : 2 * u16(loca, 2 * k);
    if (offsets_[k] > glyf_.size() || (k > 0 && offsets_[k] < offsets_[k - 1]))
      return "the font's glyph locations are out of order";
  }
  const std::string os2 = table("OS/2");
  capHeight_ = os2.size() >= 90 && u16(os2, 0) >= 2 ? s16(os2, 88) : ascent_;
  const std::string post = table("post");
  if (post.size() >= 8) italicAngle_ = static_cast<std::int32_t>(u32(post, 4)) / 65536.0;
  return {};
}

int TrueTypeFont::advance(std::uint32_t glyph) const {
  if (longMetrics_ == 0) return 0;
  return static_cast<int>(u16(hmtx_, 4 * std::size_t{std::min(glyph, longMetrics_ - 1)}));
}

std::string TrueTypeFont::subset(const std::vector<bool>& used) const {
  // The glyphs to keep: those marked, glyph 0 (the missing glyph), and every composite's parts.
  std::vector<bool> keep(glyphCount_, false);
  std::vector<std::uint32_t> todo;
  auto mark = [&](std::uint32_t g) {
    if (g < glyphCount_ && !keep[g]) keep[g] = true, todo.push_back(g);
  };
  mark(0);
  for (std::uint32_t g = 0; g < used.size() && g < glyphCount_; ++g)
    if (used[g]) mark(g);
  while (!todo.empty()) {
    const std::uint32_t g = todo.back();
    todo.pop_back();
    std::size_t at = offsets_[g];
    const std::size_t end = offsets_[g + 1];
    if (end - at < 10 || s16(glyf_, at) >= 0) continue;  // empty or simple
    at += 10;
    for (std::uint32_t flags = kMore; (flags & kMore) && at + 4 <= end;) {
      flags = u16(glyf_, at);
      mark(u16(glyf_, at + 2));
      at += 4 + ((flags & kWordArgs) ? 4 : 2) + ((flags & kScale) ? 2 : (flags & kXYScale) ? 4 : (flags & kTwoByTwo) ? 8 : 0);
    }
  }

  std::string glyf, loca;
  loca.reserve(4 * (std::size_t{glyphCount_} + 1));
  for (std::uint32_t g = 0; g < glyphCount_; ++g) {
    put32(loca, static_cast<std::uint32_t>(glyf.size()));
    if (!keep[g]) continue;
    glyf.append(glyf_, offsets_[g], offsets_[g + 1] - offsets_[g]);
    glyf.resize((glyf.size() + 3) & ~std::size_t{3}, '\0');
  }
  put32(loca, static_cast<std::uint32_t>(glyf.size()));
  std::string head = head_;
  std::memset(&head[8], 0, 4);  // checkSumAdjustment: not needed by a font embedded in a PDF
  set16(head, 50, 1);          // long glyph locations

  std::vector<std::pair<const char*, const std::string*>> tables = {
      {"cvt ", &cvt_}, {"fpgm", &fpgm_}, {"glyf", &glyf}, {"head", &head}, {"hhea", &hhea_},
      {"hmtx", &hmtx_}, {"loca", &loca}, {"maxp", &maxp_}, {"prep", &prep_}};  // in the order of their tags
  tables.erase(std::remove_if(tables.begin(), tables.end(), [](const auto& t) { return t.second->empty(); }),
               tables.end());
  const auto n = static_cast<std::uint32_t>(tables.size());
  std::uint32_t power = 1, log2 = 0;
  while (power * 2 <= n) power *= 2, ++log2;
  std::string out;
  put32(out, 0x00010000);
  put16(out, n);
  put16(out, power * 16);
  put16(out, log2);
  put16(out, n * 16 - power * 16);
  std::uint32_t offset = 12 + 16 * n;
  for (const auto& [tag, bytes] : tables) {
    out.append(tag, 4);
    put32(out, checksum(*bytes));
    put32(out, offset);
    put32(out, static_cast<std::uint32_t>(bytes->size()));
    offset += static_cast<std::uint32_t>((bytes->size() + 3) & ~std::size_t{3});
  }
  for (const auto& table : tables) {
    out += *table.second;
    out.resize((out.size() + 3) & ~std::size_t{3}, '\0');
  }
  return out;
}

}  // namespace plintova
