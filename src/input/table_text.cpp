// The text of one line of a table of reactions.
#include "input/table_text.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace plintova::table_text {

std::string shown(std::string_view t) {
  std::string out = "\"";
  std::size_t shown = 0, i = 0;
  while (i < t.size()) {
    if (shown == 24) {
      out += "...";
      break;
    }
    const auto c = static_cast<unsigned char>(t[i]);
    std::size_t length = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
    for (std::size_t k = 1; k < length; ++k)
      if (i + k >= t.size() || (static_cast<unsigned char>(t[i + k]) & 0xC0) != 0x80) length = 0;
    if (length == 0 || c < 0x20 || c == 0x7F) {
      out += '?';
      ++i;
    } else {
      out.append(t.substr(i, length));
      i += length;
    }
    ++shown;
  }
  return out + "\"";
}

QuoteFault splitFields(std::string_view line, char separator, std::vector<std::string>& out) {
  out.clear();
  const auto blank = [separator](char c) { return c == ' ' || (c == '\t' && separator != '\t'); };
  const std::size_t n = line.size();
  std::size_t i = 0;
  for (;;) {
    while (i < n && blank(line[i])) ++i;
    std::string field;
    if (i < n && line[i] == '"') {
      bool closed = false;
      for (++i; i < n; ++i) {
        if (line[i] != '"') {
          field += line[i];
        } else if (i + 1 < n && line[i + 1] == '"') {
          field += '"';
          ++i;
        } else {
          closed = true;
          ++i;
          break;
        }
      }
      if (!closed) return {static_cast<long long>(out.size()), true};
      while (i < n && blank(line[i])) ++i;
      if (i < n && line[i] != separator) return {static_cast<long long>(out.size()), false};
    } else {
      const std::size_t start = i;
      while (i < n && line[i] != separator) ++i;
      std::size_t end = i;
      while (end > start && blank(line[end - 1])) --end;
      field.assign(line.substr(start, end - start));
    }
    out.push_back(std::move(field));
    if (i >= n) return {};
    ++i;  // the separator
  }
}

std::string_view trimmed(std::string_view t) {
  while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
  while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
  return t;
}

std::string lowerCase(std::string_view t) {
  std::string out(t);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

NumberFault parseNumber(std::string_view t, double& v) {
  t = trimmed(t);
  if (t.empty()) return NumberFault::Missing;
  const auto digits = [&t](std::size_t& i) {
    const std::size_t start = i;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
    return i - start;
  };
  std::size_t i = 0;
  if (t[i] == '+' || t[i] == '-') ++i;
  std::size_t mantissa = digits(i);
  if (i < t.size() && t[i] == '.') mantissa += digits(++i);
  if (mantissa == 0) return NumberFault::NotANumber;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    if (digits(i) == 0) return NumberFault::NotANumber;
  }
  if (i != t.size()) return NumberFault::NotANumber;
  if (t.front() == '+') t.remove_prefix(1);  // from_chars reads no plus sign
  const auto r = std::from_chars(t.data(), t.data() + t.size(), v);
  if (r.ec != std::errc{} || !std::isfinite(v)) return NumberFault::OutOfRange;
  return NumberFault::None;
}

}  // namespace plintova::table_text
