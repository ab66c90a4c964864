// JSON output of the batch tool.
#include "cli/json_writer.h"

#include <cstdio>

#include "model/numbers.h"
#include "model/utf8.h"

namespace plintova::cli {

std::string jsonEscape(const std::string& s) {
  std::string o;
  o.reserve(s.size() + 2);
  o += '"';
  for (std::size_t i = 0; i < s.size(); ++i) {
    // A run of characters that pass as they are goes in at once (most texts are all of one run).
    std::size_t plain = i;
    while (plain < s.size()) {
      const auto c = static_cast<unsigned char>(s[plain]);
      if (c < 0x20 || c >= 0x7f || c == '"' || c == '\\') break;
      ++plain;
    }
    o.append(s, i, plain - i);
    if (plain == s.size()) break;
    i = plain;
    const unsigned char c = static_cast<unsigned char>(s[i]);
    switch (c) {
      case '"': o += "\\\""; break;
      case '\\': o += "\\\\"; break;
      case '\n': o += "\\n"; break;
      case '\r': o += "\\r"; break;
      case '\t': o += "\\t"; break;
      default:
        if (c < 0x80) {  // a control character (printable ones went in with their run)
          char b[8];
          std::snprintf(b, sizeof b, "\\u%04x", c);
          o += b;
        } else {
          // Text is UTF-8 and passes as it is. A byte that is no part of UTF-8 (a file name in another
          // encoding) is written as the text \xHH, so that the name stays recognisable and the output
          // stays valid JSON, rather than being re-encoded as some other character.
          if (const std::size_t n = utf8SequenceAt(s, i); n > 0) {
            o.append(s, i, n);
            i += n - 1;
          } else {
            char b[8];
            std::snprintf(b, sizeof b, "\\\\x%02X", c);
            o += b;
          }
        }
    }
  }
  o += '"';
  return o;
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
