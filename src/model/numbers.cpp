// Rounding half to even on exact values, general-format number text and the numeric value of a text.
#include "model/numbers.h"

#include <cfenv>
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
  // glibc's %.*f rounds the exact binary value of x, with exact ties to even under the default
  // rounding mode. Scaling by 10^n first would turn near-ties into false ties.
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", n, x);
  double r = std::strtod(buf, nullptr);
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

void stripZeros(std::string& s) {
  auto dot = s.find('.');
  if (dot == std::string::npos) return;
  while (!s.empty() && s.back() == '0') s.pop_back();
  if (!s.empty() && s.back() == '.') s.pop_back();
}

}  // namespace

std::string numberText(double v) {
  if (std::isnan(v)) return "NaN";
  if (std::isinf(v)) return v > 0 ? "Infinity" : "-Infinity";
  if (v == 0.0) return "0";
  // Seven significant digits, exponent as printed by %e after rounding to those digits.
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.6e", v);
  const char* e = std::strchr(buf, 'e');
  int exponent = e ? std::atoi(e + 1) : 0;
  std::string out;
  if (exponent >= -5 && exponent < 7) {
    int decimals = 6 - exponent;
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    out = buf;
    stripZeros(out);
  } else {
    std::string mant(buf, e ? static_cast<size_t>(e - buf) : std::strlen(buf));
    stripZeros(mant);
    char ebuf[16];
    std::snprintf(ebuf, sizeof ebuf, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
    out = mant + ebuf;
  }
  if (out == "-0") out = "0";
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
