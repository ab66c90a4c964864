// Rounding half to even on exact values, general-format number text and the numeric value of a text.
#include "model/numbers.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace plintova {

double roundTo(double x, int n) {
  if (!std::isfinite(x)) return x;
  if (n < 0) n = 0;
  if (n > 15) n = 15;
  // Beyond 2^53 every double is already a whole number; formatting it would only cost digits.
  if (std::fabs(x) >= 9007199254740992.0) return x;
  // Fixed-point text with n places rounds the exact binary value of x, exact ties to even (as printf's
  // %.*f does). Scaling by 10^n first would turn near-ties into false ties.
  char buf[64];
  const char* end = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, n).ptr;
  double r = 0;
  std::from_chars(buf, end, r);
  return r == 0.0 ? 0.0 : r;  // no negative zero
}

double roundWhole(double x) {
  if (!std::isfinite(x)) return x;
  double r = std::nearbyint(x);  // default rounding mode: nearest, ties to even
  return r == 0.0 ? 0.0 : r;
}

std::optional<int32_t> toInt32(double x) {
  double r = roundWhole(x);
  if (!(r >= -2147483648.0 && r <= 2147483647.0)) return std::nullopt;
  return static_cast<int32_t>(r);
}

std::optional<int16_t> toInt16(double x) {
  double r = roundWhole(x);
  if (!(r >= -32768.0 && r <= 32767.0)) return std::nullopt;
  return static_cast<int16_t>(r);
}

namespace {

// A number's significant digits without trailing zeros (seven at most once accepted), and the decimal
// exponent of the first (value = d.ddd x 10^exponent).
struct SevenDigits {
  char digits[17];
  int count = 0;
  int exponent = 0;
};

// Reads the digits and exponent of to_chars' scientific text ("-1.2345e+07" or "5e-01").
SevenDigits fromScientific(const char* first, const char* last) {
  SevenDigits d;
  const char* e = std::find(first, last, 'e');
  for (const char* c = first; c < e; ++c)
    if (*c >= '0' && *c <= '9' && d.count < 17) d.digits[d.count++] = *c;  // a float's shortest: 9 at most
  std::from_chars(e + (e[1] == '+' ? 2 : 1), last, d.exponent);
  while (d.count > 1 && d.digits[d.count - 1] == '0') --d.count;
  return d;
}

// Whether the shortest text of every float of the binade [2^e, 2^(e+1)) is its value rounded to seven
// significant digits whenever that text has at most seven: so when half the float's spacing is less than
// half a unit of the seventh digit in the binade's lowest decade. (It fails, for instance, for floats
// between 2^-10 and 0.001, whose spacing is wider than 1E-10.)
bool shortestIsSevenDigitsIn(int e) {
  static const auto table = [] {
    std::array<bool, 300> safe{};
    for (int i = 0; i < 300; ++i) {
      const int binade = i - 150;
      const int decade = static_cast<int>(std::floor(binade * 0.30102999566398120));
      safe[i] = std::ldexp(1.0, binade - 24) < 5 * std::pow(10.0, decade - 7);
    }
    return safe;
  }();
  return e >= -150 && e < 150 && table[e + 150];
}

SevenDigits sevenDigits(double v) {
  char buf[64];
  // A value the model holds in single precision: the float's shortest text is usually its seven-digit
  // text already, and much quicker to find.
  const float f = static_cast<float>(v);
  if (f == v && std::fabs(f) >= std::numeric_limits<float>::min() && shortestIsSevenDigitsIn(std::ilogb(f))) {
    const char* end = std::to_chars(buf, buf + sizeof buf, f, std::chars_format::scientific).ptr;
    const SevenDigits d = fromScientific(buf, end);
    if (d.count <= 7) return d;
  }
  // Otherwise the exact value rounded to seven digits, exact ties to even (printf's %.6e).
  const char* end = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 6).ptr;
  return fromScientific(buf, end);
}

}  // namespace

std::string numberText(double v) {
  if (std::isnan(v)) return "NaN";
  if (std::isinf(v)) return v > 0 ? "Infinity" : "-Infinity";
  if (v == 0.0) return "0";
  const SevenDigits d = sevenDigits(v);
  const std::string_view digits(d.digits, static_cast<size_t>(d.count));
  std::string out = v < 0 ? "-" : "";
  if (d.exponent >= 7 || d.exponent < -5) {
    // d.ddd followed by the exponent in at least two digits: "1.5E+07", "1E-06".
    out += digits.front();
    if (d.count > 1) (out += '.') += digits.substr(1);
    out += d.exponent < 0 ? "E-" : "E+";
    const int magnitude = std::abs(d.exponent);
    if (magnitude < 10) out += '0';
    out += std::to_string(magnitude);
  } else if (d.exponent < 0) {
    (out += "0.").append(static_cast<size_t>(-d.exponent - 1), '0') += digits;
  } else if (d.count <= d.exponent + 1) {
    (out += digits).append(static_cast<size_t>(d.exponent + 1 - d.count), '0');
  } else {
    ((out += digits.substr(0, static_cast<size_t>(d.exponent + 1))) += '.') += digits.substr(static_cast<size_t>(d.exponent + 1));
  }
  return out;
}

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

double numericValue(std::string_view t) {
  size_t i = 0, n = t.size();
  auto skipBlanks = [&] {
    while (i < n && isBlank(t[i])) ++i;
  };
  skipBlanks();
  bool negative = false;
  if (i < n && (t[i] == '+' || t[i] == '-')) {
    negative = t[i] == '-';
    ++i;
  }
  // Collect the mantissa digits into a normalised buffer; very long numbers keep their magnitude
  // through the decimal exponent without holding every digit.
  std::string digits;
  long long pointShift = 0;  // decimal places after the point that were collected
  long long dropped = 0;     // integer digits not kept in the buffer
  bool anyDigit = false, seenPoint = false;
  constexpr size_t kMaxDigits = 40;
  for (;;) {
    skipBlanks();
    if (i >= n) break;
    char c = t[i];
    if (c >= '0' && c <= '9') {
      anyDigit = true;
      if (digits.size() < kMaxDigits) {
        if (!(digits.empty() && c == '0')) digits.push_back(c);
        if (seenPoint) ++pointShift;
      } else if (!seenPoint) {
        ++dropped;
      }
      ++i;
    } else if (c == '.' && !seenPoint) {
      seenPoint = true;
      ++i;
    } else {
      break;
    }
  }
  if (!anyDigit) return 0.0;
  long long exponent = 0;
  {
    size_t save = i;
    skipBlanks();
    if (i < n && (t[i] == 'E' || t[i] == 'e' || t[i] == 'D' || t[i] == 'd')) {
      ++i;
      skipBlanks();
      bool expNeg = false;
      if (i < n && (t[i] == '+' || t[i] == '-')) {
        expNeg = t[i] == '-';
        ++i;
      }
      bool expDigit = false;
      long long ev = 0;
      for (;;) {
        skipBlanks();
        if (i < n && t[i] >= '0' && t[i] <= '9') {
          expDigit = true;
          if (ev < 100000) ev = ev * 10 + (t[i] - '0');
          ++i;
        } else {
          break;
        }
      }
      if (expDigit) exponent = expNeg ? -ev : ev;
      else i = save;
    } else {
      i = save;
    }
  }
  if (digits.empty()) return 0.0;
  long long scale = exponent - pointShift + dropped;
  if (scale > 100000) scale = 100000;
  if (scale < -100000) scale = -100000;
  std::string text = digits + "e" + std::to_string(scale);
  double v = std::strtod(text.c_str(), nullptr);
  if (std::isinf(v)) v = std::numeric_limits<double>::max();
  return negative ? -v : v;
}

bool isNumeric(std::string_view t) {
  size_t i = 0, n = t.size();
  while (i < n && isBlank(t[i])) ++i;
  if (i < n && (t[i] == '+' || t[i] == '-')) ++i;
  bool digit = false, point = false;
  while (i < n) {
    if (t[i] >= '0' && t[i] <= '9') {
      digit = true;
    } else if (t[i] == '.' && !point) {
      point = true;
    } else {
      break;
    }
    ++i;
  }
  if (!digit) return false;
  if (i < n && (t[i] == 'E' || t[i] == 'e' || t[i] == 'D' || t[i] == 'd')) {
    ++i;
    if (i < n && (t[i] == '+' || t[i] == '-')) ++i;
    bool expDigit = false;
    while (i < n && t[i] >= '0' && t[i] <= '9') {
      expDigit = true;
      ++i;
    }
    if (!expDigit) return false;
  }
  while (i < n && isBlank(t[i])) ++i;
  return i == n;
}

}  // namespace plintova
