// JSON text read strictly for the files the engineer keeps: nesting bounded, no key given twice.
#include "project/json_text.h"

#include <set>
#include <utility>
#include <vector>

namespace plintova {

namespace {

using Json = nlohmann::ordered_json;

// How deep lists and objects nest, counted outside strings; stops counting beyond the limit.
std::size_t nestingDepth(const std::string& text) {
  std::size_t depth = 0, deepest = 0;
  bool inString = false, escaped = false;
  for (const char c : text) {
    if (inString) {
      if (escaped) escaped = false;
      else if (c == '\\') escaped = true;
      else if (c == '"') inString = false;
    } else if (c == '"') {
      inString = true;
    } else if (c == '[' || c == '{') {
      if (++depth > deepest && (deepest = depth) > kDeepestJsonNesting) break;
    } else if ((c == ']' || c == '}') && depth > 0) {
      --depth;
    }
  }
  return deepest;
}

// Line and column of the byte `position` (1-based, as the JSON reader counts) of `text`.
std::pair<std::size_t, std::size_t> lineAndColumn(const std::string& text, std::size_t position) {
  std::size_t line = 1, column = 1;
  for (std::size_t i = 0; i + 1 < position && i < text.size(); ++i) {
    if (text[i] == '\n') {
      ++line;
      column = 1;
    } else {
      ++column;
    }
  }
  return {line, column};
}

// Keys seen in every open object, and where the parser stands, so that a key given twice is named
// with its place: "\"groups\" entry 2, \"size\"".
class KeyWatch {
 public:
  struct Twice {
    std::string where;
  };

  bool operator()(int, Json::parse_event_t event, Json& parsed) {
    switch (event) {
      case Json::parse_event_t::object_start:
      case Json::parse_event_t::array_start:
        countEntry();
        frames_.push_back({event == Json::parse_event_t::object_start, {}, {}, 0});
        break;
      case Json::parse_event_t::object_end:
      case Json::parse_event_t::array_end:
        if (!frames_.empty()) frames_.pop_back();
        break;
      case Json::parse_event_t::key:
        if (!frames_.empty()) {
          Frame& f = frames_.back();
          f.key = parsed.get<std::string>();
          if (!f.keys.insert(f.key).second) throw Twice{place()};
        }
        break;
      case Json::parse_event_t::value:
        countEntry();
        break;
    }
    return true;
  }

 private:
  struct Frame {
    bool object = false;
    std::set<std::string> keys;
    std::string key;        // the key whose value is being read (objects)
    std::size_t entries = 0;  // entries begun so far (lists)
  };

  void countEntry() {
    if (!frames_.empty() && !frames_.back().object) ++frames_.back().entries;
  }

  std::string place() const {
    std::string where;
    for (const Frame& f : frames_) {
      if (f.object) where += (where.empty() ? "" : ", ") + Json(f.key).dump();
      else if (!where.empty()) where += " entry " + std::to_string(f.entries);
    }
    return where;
  }

  std::vector<Frame> frames_;
};

}  // namespace

JsonRead readJsonStrictly(const std::string& text) {
  JsonRead out;
  if (const std::size_t depth = nestingDepth(text); depth > kDeepestJsonNesting) {
    out.error = "nests lists and objects more than " + std::to_string(kDeepestJsonNesting) +
                " deep; a project file nests them at most 4 deep";
    return out;
  }
  try {
    out.value = Json::parse(text, KeyWatch{});
  } catch (const KeyWatch::Twice& twice) {
    out.error = "gives the key " + twice.where + " twice; each key may be given once";
  } catch (const nlohmann::json::parse_error& e) {
    const auto [line, column] = lineAndColumn(text, e.byte);
    out.error = "is not valid JSON text (line " + std::to_string(line) + ", column " + std::to_string(column) + ")";
  } catch (const nlohmann::json::exception&) {
    // The reader takes no number beyond the range of a double.
    out.error = "cannot be used: it holds a number too large to read";
  }
  return out;
}

}  // namespace plintova
