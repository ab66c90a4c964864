// JSON output of the batch tool.
#include "cli/json_writer.h"

#include <cstdio>

#include "model/numbers.h"

namespace plintova::cli {

std::string jsonEscape(const std::string& s) {
  std::string o = "\"";
  for (unsigned char c : s) {
    switch (c) {
      case '"': o += "\\\""; break;
      case '\\': o += "\\\\"; break;
      case '\n': o += "\\n"; break;
      case '\r': o += "\\r"; break;
      case '\t': o += "\\t"; break;
      default:
        if (c < 0x20 || c == 0x7f) {
          char b[8];
          std::snprintf(b, sizeof b, "\\u%04x", c);
          o += b;
        } else if (c >= 0x80) {
          // Listings are not UTF-8; bytes above 0x7F are taken as Latin-1 so the output stays valid JSON.
          o += static_cast<char>(0xC0 | (c >> 6));
          o += static_cast<char>(0x80 | (c & 0x3F));
        } else {
          o += static_cast<char>(c);
        }
    }
  }
  return o + "\"";
}

void JsonWriter::separate() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (!first_.empty()) {
    if (!first_.back()) out_ += ',';
    first_.back() = false;
  }
}

void JsonWriter::beginObject() {
  separate();
  out_ += '{';
  first_.push_back(true);
}
void JsonWriter::endObject() {
  first_.pop_back();
  out_ += '}';
}
void JsonWriter::beginArray() {
  separate();
  out_ += '[';
  first_.push_back(true);
}
void JsonWriter::endArray() {
  first_.pop_back();
  out_ += ']';
}
void JsonWriter::key(const std::string& k) {
  separate();
  out_ += jsonEscape(k);
  out_ += ':';
  afterKey_ = true;
}
void JsonWriter::text(const std::string& v) {
  separate();
  out_ += jsonEscape(v);
}
void JsonWriter::number(double v) {
  separate();
  std::string t = numberText(v);
  // JSON has no exponent mark "E+07" problem, but needs finite numbers.
  if (t == "NaN" || t == "Infinity" || t == "-Infinity") t = "null";
  out_ += t;
}
void JsonWriter::integer(long long v) {
  separate();
  out_ += std::to_string(v);
}
void JsonWriter::boolean(bool v) {
  separate();
  out_ += v ? "true" : "false";
}
void JsonWriter::null() {
  separate();
  out_ += "null";
}

}  // namespace plintova::cli
