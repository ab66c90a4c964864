// Text primitives of the listing reader: lines over the in-memory listing, number walks, values and
// the words of units.
#include "input/listing_text.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#if defined(__SSE2__)
#include <immintrin.h>
#endif

#include "model/numbers.h"

namespace plintova::listing {

namespace {

std::size_t longestOf(std::initializer_list<std::string_view> markers) {
  std::size_t longest = 0;
  for (std::string_view m : markers) longest = std::max(longest, m.size());
  return longest;
}

// Of the candidate starts in `mask` (bit b: text + b), the first where a marker stands whole, if it
// comes before `found`.
inline const char* firstWhole(const char* text, uint32_t mask, std::string_view m, const char* found) {
  for (; mask != 0; mask &= mask - 1) {
    const char* start = text + __builtin_ctz(mask);
    if (found && start >= found) break;
    if (std::memcmp(start + 1, m.data() + 1, m.size() - 2) == 0) return start;
  }
  return found;
}

// The scans below look at `width` starts at a time: a start is a candidate only where a marker's
// first and last characters stand at their places, which in a listing's text leaves few to compare in
// full. Each stops short of the text's end and tells where (`scanned`), for the caller to finish the
// last starts byte by byte.
// At most this many markers are searched for at once (the callers ask for one to three).
constexpr std::size_t kMostMarkers = 4;

#if defined(__SSE2__)
const char* scan16(const char* text, std::size_t size, std::initializer_list<std::string_view> markers,
                   std::size_t& scanned) {
  const std::size_t longest = longestOf(markers), count = markers.size();
  __m128i first[kMostMarkers], last[kMostMarkers];
  const std::string_view* m = markers.begin();
  for (std::size_t k = 0; k < count; ++k) {
    first[k] = _mm_set1_epi8(m[k].front());
    last[k] = _mm_set1_epi8(m[k].back());
  }
  std::size_t i = 0;
  for (; i + longest - 1 + 16 <= size; i += 16) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
    // Most blocks of a listing's numbers start no marker at all: one compare per marker rules them out.
    __m128i starts = _mm_cmpeq_epi8(a, first[0]);
    for (std::size_t k = 1; k < count; ++k) starts = _mm_or_si128(starts, _mm_cmpeq_epi8(a, first[k]));
    if (_mm_movemask_epi8(starts) == 0) continue;
    const char* found = nullptr;
    for (std::size_t k = 0; k < count; ++k) {
      const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i + m[k].size() - 1));
      const auto mask =
          static_cast<uint32_t>(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, first[k]), _mm_cmpeq_epi8(b, last[k]))));
      if (mask != 0) found = firstWhole(text + i, mask, m[k], found);
    }
    if (found) return found;
  }
  scanned = i;
  return nullptr;
}
#endif

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define PLINTOVA_AVX2_SCAN 1
__attribute__((target("avx2"))) const char* scan32(const char* text, std::size_t size,
                                                  std::initializer_list<std::string_view> markers, std::size_t& scanned) {
  const std::size_t longest = longestOf(markers), count = markers.size();
  __m256i first[kMostMarkers], last[kMostMarkers];
  const std::string_view* m = markers.begin();
  for (std::size_t k = 0; k < count; ++k) {
    first[k] = _mm256_set1_epi8(m[k].front());
    last[k] = _mm256_set1_epi8(m[k].back());
  }
  std::size_t i = 0;
  for (; i + longest - 1 + 32 <= size; i += 32) {
    const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(text + i));
    __m256i starts = _mm256_cmpeq_epi8(a, first[0]);
    for (std::size_t k = 1; k < count; ++k) starts = _mm256_or_si256(starts, _mm256_cmpeq_epi8(a, first[k]));
    if (_mm256_movemask_epi8(starts) == 0) continue;
    const char* found = nullptr;
    for (std::size_t k = 0; k < count; ++k) {
      const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(text + i + m[k].size() - 1));
      const auto mask = static_cast<uint32_t>(
          _mm256_movemask_epi8(_mm256_and_si256(_mm256_cmpeq_epi8(a, first[k]), _mm256_cmpeq_epi8(b, last[k]))));
      if (mask != 0) found = firstWhole(text + i, mask, m[k], found);
    }
    if (found) return found;
  }
  scanned = i;
  return nullptr;
}
const bool kHasAvx2 = __builtin_cpu_supports("avx2");
#endif

}  // namespace

const char* findAnyBytes(const char* text, std::size_t size, std::initializer_list<std::string_view> markers) {
  std::size_t scanned = 0;
  bool vectors = true;
  for (std::string_view m : markers) {
    if (m.empty()) return text;
    vectors = vectors && m.size() >= 2;
  }
  vectors = vectors && markers.size() <= kMostMarkers;
  if (vectors) {
#if defined(PLINTOVA_AVX2_SCAN)
    if (kHasAvx2) {
      if (const char* hit = scan32(text, size, markers, scanned)) return hit;
    } else
#endif
    {
#if defined(__SSE2__)
      if (const char* hit = scan16(text, size, markers, scanned)) return hit;
#endif
    }
  }
  // The starts left (every start on a machine without the vector instructions).
  const char* nearest = nullptr;
  for (std::string_view m : markers) {
    if (size - scanned < m.size()) continue;
    const char* hit = m.size() == 1 ? static_cast<const char*>(std::memchr(text + scanned, m[0], size - scanned))
                                    : static_cast<const char*>(memmem(text + scanned, size - scanned, m.data(), m.size()));
    if (hit && (!nearest || hit < nearest)) nearest = hit;
  }
  return nearest;
}

const char* findBytes(const char* text, std::size_t size, std::string_view marker) {
  if (marker.size() == 1) return static_cast<const char*>(std::memchr(text, marker[0], size));
  return findAnyBytes(text, size, {marker});
}

std::size_t nextNumberStart(std::string_view line, std::size_t i, std::size_t end) {
  end = std::min(end, line.size());
  for (; i < end; ++i)
    if (isNumberChar(line[i])) return i;
  return npos;
}

std::size_t numberEnd(std::string_view line, std::size_t i, std::size_t end) {
  end = std::min(end, line.size());
  while (i < end && isNumberChar(line[i])) ++i;
  return i;
}

std::size_t numberEndWithExponent(std::string_view line, std::size_t i, std::size_t end) {
  end = std::min(end, line.size());
  std::size_t e = numberEnd(line, i, end);
  if (e < end && (line[e] == 'E' || line[e] == 'e' || line[e] == 'D' || line[e] == 'd')) {
    std::size_t j = e + 1;
    if (j < end && (line[j] == '+' || line[j] == '-')) ++j;
    if (j < end && isDigit(line[j])) {
      while (j < end && isDigit(line[j])) ++j;
      return j;
    }
  }
  return e;
}

std::size_t numberEndSplittingMinus(std::string_view line, std::size_t i, std::size_t end) {
  end = std::min(end, line.size());
  const std::size_t start = i;
  while (i < end && isNumberChar(line[i])) {
    if (line[i] == '-' && i > start && isDigit(line[i - 1])) break;
    ++i;
  }
  return i;
}

namespace {

constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                             1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Whether an exponent with at least one digit starts at i (the letter), blanks allowed as the rule
// of a text's numeric value allows them.
bool exponentFollows(std::string_view t, std::size_t i) {
  const std::size_t n = t.size();
  if (i >= n) return false;
  char c = t[i];
  if (c != 'E' && c != 'e' && c != 'D' && c != 'd') return false;
  ++i;
  while (i < n && isBlank(t[i])) ++i;
  if (i < n && (t[i] == '+' || t[i] == '-')) ++i;
  while (i < n && isBlank(t[i])) ++i;
  return i < n && isDigit(t[i]);
}

}  // namespace

double textValue(std::string_view t) {
  // A mantissa of at most 15 significant digits and at most 22 decimals is exact as a double, and so
  // is the power of ten: one division gives the correctly rounded value, as the full rule does.
  const std::size_t n = t.size();
  std::size_t i = 0;
  while (i < n && isBlank(t[i])) ++i;
  bool negative = false;
  if (i < n && (t[i] == '+' || t[i] == '-')) {
    negative = t[i] == '-';
    ++i;
  }
  uint64_t m = 0;
  int significant = 0, decimals = 0;
  bool anyDigit = false, point = false;
  for (;;) {
    while (i < n && isBlank(t[i])) ++i;
    if (i >= n) break;
    char c = t[i];
    if (isDigit(c)) {
      anyDigit = true;
      if (m != 0 || c != '0') {
        if (++significant > 15) return numericValue(t);
      }
      m = m * 10 + static_cast<uint64_t>(c - '0');
      if (point && ++decimals > 22) return numericValue(t);
      ++i;
    } else if (c == '.' && !point) {
      point = true;
      ++i;
    } else {
      break;
    }
  }
  if (!anyDigit || m == 0) return 0.0;
  if (exponentFollows(t, i)) return numericValue(t);
  double v = static_cast<double>(m);
  if (decimals > 0) v /= kPow10[decimals];
  return negative ? -v : v;
}

bool lineValueIsZero(std::string_view t) {
  // Only zero or not matters: a mantissa with a non-zero digit is not zero unless an exponent or a
  // very long run of leading decimal zeros could take it below the smallest double.
  const std::size_t n = t.size();
  std::size_t i = 0;
  while (i < n && isBlank(t[i])) ++i;
  if (i < n && (t[i] == '+' || t[i] == '-')) ++i;
  bool nonZero = false, point = false;
  std::size_t leadingDecimalZeros = 0;
  for (;;) {
    while (i < n && isBlank(t[i])) ++i;
    if (i >= n) break;
    char c = t[i];
    if (isDigit(c)) {
      if (c != '0') nonZero = true;
      else if (!nonZero && point) ++leadingDecimalZeros;
      ++i;
    } else if (c == '.' && !point) {
      point = true;
      ++i;
    } else {
      break;
    }
  }
  if (!nonZero) return true;
  if (leadingDecimalZeros > 300 || exponentFollows(t, i)) return numericValue(t) == 0.0;
  return false;
}

double valueAt(std::string_view line, std::size_t i) {
  // Only the characters a number can be made of (sign, digits with a point, an exponent) are looked
  // at, so that each number of a long line costs its own length, not the rest of the line.
  const std::size_t n = line.size();
  if (i >= n) return 0.0;
  std::size_t e = i;
  if (line[e] == '+' || line[e] == '-') ++e;
  while (e < n && (isDigit(line[e]) || line[e] == '.')) ++e;
  if (e < n && (line[e] == 'E' || line[e] == 'e' || line[e] == 'D' || line[e] == 'd')) {
    ++e;
    if (e < n && (line[e] == '+' || line[e] == '-')) ++e;
    while (e < n && isDigit(line[e])) ++e;
  }
  return textValue(line.substr(i, e - i));
}

double valueAfter(std::string_view line, std::string_view marker) {
  std::size_t pos = line.find(marker);
  if (pos == npos) return 0.0;
  return textValue(line.substr(pos + marker.size()));
}

std::size_t secondNumberStart(std::string_view line, std::size_t end) {
  std::size_t p = nextNumberStart(line, 0, end);
  if (p == npos) return npos;
  return nextNumberStart(line, numberEnd(line, p, end), end);
}

bool isCommentLine(std::string_view line) {
  std::size_t i = 0, n = line.size();
  while (i < n && isBlank(line[i])) ++i;
  while (i < n && isDigit(line[i])) ++i;
  if (i < n && line[i] == '.') ++i;
  while (i < n && isBlank(line[i])) ++i;
  return i < n && line[i] == '*';
}

std::size_t scanEndBeforeContinuation(std::string_view line) {
  std::size_t e = line.size();
  while (e > 0 && isBlank(line[e - 1])) --e;
  if (e >= 2 && line[e - 1] == '-' && isBlank(line[e - 2])) return e - 1;
  return line.size();
}

std::string shortText(std::string_view text) {
  std::string out;
  for (char c : text.substr(0, 24)) out.push_back(c >= ' ' && c < 127 ? c : '?');
  if (text.size() > 24) out += "...";
  return out;
}

namespace {

std::string upperWord(std::string_view word) {
  std::string w(word);
  for (char& c : w)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return w;
}

bool startsWith(std::string_view w, std::string_view prefix) { return w.substr(0, prefix.size()) == prefix; }

bool oneOf(std::string_view w, std::initializer_list<std::string_view> words) {
  return std::find(words.begin(), words.end(), w) != words.end();
}

}  // namespace

LengthUnit lengthUnitOfWord(std::string_view word) {
  const std::string w = upperWord(word);
  // Every word that begins with METE has always meant metres ("METER", "METERS").
  if (w == "M" || startsWith(w, "METE") || oneOf(w, {"METR", "METRE", "METRES"})) return LengthUnit::Metre;
  if (oneOf(w, {"MM", "MMS"}) || startsWith(w, "MILL")) return LengthUnit::Millimetre;
  if (oneOf(w, {"CM", "CMS"}) || startsWith(w, "CENT")) return LengthUnit::Centimetre;
  if (oneOf(w, {"FT", "FEET", "FOOT"})) return LengthUnit::Foot;
  if (oneOf(w, {"IN", "INCH", "INCHES"})) return LengthUnit::Inch;
  return LengthUnit::Unknown;
}

ForceUnit forceUnitOfWord(std::string_view word) {
  const std::string w = upperWord(word);
  if (oneOf(w, {"KN", "KNS"}) || startsWith(w, "KILON")) return ForceUnit::Kilonewton;
  if (w == "N" || startsWith(w, "NEWT")) return ForceUnit::Newton;
  if (oneOf(w, {"KIP", "KIPS"})) return ForceUnit::Kip;
  if (oneOf(w, {"LB", "LBS"}) || startsWith(w, "POUN")) return ForceUnit::PoundForce;
  if (startsWith(w, "MTON")) return ForceUnit::MetricTon;
  if (oneOf(w, {"KG", "KGS"}) || startsWith(w, "KILOG")) return ForceUnit::KilogramForce;
  return ForceUnit::Unknown;
}

double millimetresPer(LengthUnit u) {
  switch (u) {
    case LengthUnit::Metre: return 1000.0;
    case LengthUnit::Millimetre: return 1.0;
    case LengthUnit::Centimetre: return 10.0;
    case LengthUnit::Foot: return 304.8;
    case LengthUnit::Inch: return 25.4;
    case LengthUnit::Unknown: break;
  }
  return 0.0;
}

UnitScale toMetres(LengthUnit u) {
  switch (u) {
    case LengthUnit::Metre: return {1, 1};
    case LengthUnit::Millimetre: return {1, 1000};
    case LengthUnit::Centimetre: return {1, 100};
    case LengthUnit::Foot: return {0.3048, 1};
    case LengthUnit::Inch: return {0.0254, 1};
    case LengthUnit::Unknown: break;
  }
  return {0, 1};
}

UnitScale toKilonewtons(ForceUnit u) {
  // 1 kip = 1000 lbf = 4.4482216 kN; 1 tf (metric ton) = 1000 kgf = 9.80665 kN.
  switch (u) {
    case ForceUnit::Kilonewton: return {1, 1};
    case ForceUnit::Newton: return {1, 1000};
    case ForceUnit::Kip: return {4.4482216, 1};
    case ForceUnit::PoundForce: return {4.4482216, 1000};
    case ForceUnit::MetricTon: return {9.80665, 1};
    case ForceUnit::KilogramForce: return {9.80665, 1000};
    case ForceUnit::Unknown: break;
  }
  return {0, 1};
}

UnitScale toKilonewtonMetres(ForceUnit f, LengthUnit l) {
  const UnitScale force = toKilonewtons(f), length = toMetres(l);
  // The divisors are powers of ten up to 10^6, so their product is exact.
  return {force.times * length.times, force.per * length.per};
}

void LineCursor::load(std::size_t lineStart) {
  // A listing that ends with a line feed has no empty line after it; an empty listing has one empty line.
  if (lineStart == npos || lineStart > text_.size() || (lineStart == text_.size() && lineStart != 0)) {
    start_ = npos;
    next_ = npos;
    line_ = {};
    return;
  }
  start_ = lineStart;
  const void* nl = std::memchr(text_.data() + lineStart, '\n', text_.size() - lineStart);
  std::size_t end = nl ? static_cast<std::size_t>(static_cast<const char*>(nl) - text_.data()) : text_.size();
  next_ = nl ? end + 1 : npos;
  line_ = text_.substr(lineStart, end - lineStart);
  // CR LF ends a line, and so does CR CR LF, what a listing whose line ends were converted twice
  // holds: a carriage return left on the line would hide its continuation mark " -".
  while (!line_.empty() && line_.back() == '\r') line_.remove_suffix(1);
}

bool LineCursor::next() {
  if (start_ == npos) return false;
  load(next_);
  return start_ != npos;
}

std::size_t LineCursor::findLineFrom(std::size_t from, std::string_view marker, bool skipComments,
                                     std::size_t until) const {
  const std::size_t size = std::min(text_.size(), until);
  while (from < size) {
    const char* hit = findBytes(text_.data() + from, size - from, marker);
    if (!hit) return npos;
    std::size_t h = static_cast<std::size_t>(hit - text_.data());
    std::size_t lineStart = h;
    while (lineStart > from && text_[lineStart - 1] != '\n') --lineStart;
    if (!skipComments) return lineStart;
    const void* nl = std::memchr(text_.data() + h, '\n', size - h);
    std::size_t lineEnd = nl ? static_cast<std::size_t>(static_cast<const char*>(nl) - text_.data()) : size;
    if (!isCommentLine(text_.substr(lineStart, lineEnd - lineStart))) return lineStart;
    from = lineEnd + 1;
  }
  return npos;
}

bool LineCursor::findForward(std::string_view marker, bool skipComments) {
  if (start_ == npos) return false;
  std::size_t at = findLineFrom(start_, marker, skipComments);
  load(at);
  return start_ != npos;
}

std::size_t LineCursor::lineNumber() const {
  std::size_t upto = start_ == npos ? text_.size() : start_;
  return 1 + static_cast<std::size_t>(std::count(text_.begin(), text_.begin() + static_cast<std::ptrdiff_t>(upto), '\n'));
}

}  // namespace plintova::listing
