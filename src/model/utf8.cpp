// UTF-8 sequences checked against the standard's table of well-formed byte sequences, and decoded.
#include "model/utf8.h"

namespace plintova {

std::size_t utf8SequenceAt(std::string_view s, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char lead = byte(i);
  std::size_t n = 0;
  unsigned char lo = 0x80, hi = 0xBF;  // the range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) n = 2;
  else if (lead == 0xE0) n = 3, lo = 0xA0;
  else if (lead == 0xED) n = 3, hi = 0x9F;
  else if (lead >= 0xE1 && lead <= 0xEF) n = 3;
  else if (lead == 0xF0) n = 4, lo = 0x90;
  else if (lead == 0xF4) n = 4, hi = 0x8F;
  else if (lead >= 0xF1 && lead <= 0xF3) n = 4;
  else return 0;
  if (i + n > s.size() || byte(i + 1) < lo || byte(i + 1) > hi) return 0;
  for (std::size_t k = 2; k < n; ++k)
    if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
  return n;
}

std::uint32_t nextCodePoint(std::string_view s, std::size_t& i) {
  const auto byte = [&](std::size_t k) { return static_cast<std::uint8_t>(s[k]); };
  const std::uint8_t b = byte(i);
  const std::size_t extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
  std::uint32_t c = b & (0x3Fu >> extra);
  for (std::size_t k = 1; k <= extra; ++k) {
    if (i + k >= s.size() || (byte(i + k) & 0xC0) != 0x80) {
      ++i;
      return 0xFFFD;
    }
    c = (c << 6) | (byte(i + k) & 0x3Fu);
  }
  i += extra + 1;
  return extra == 0 ? b : c;
}

}  // namespace plintova
