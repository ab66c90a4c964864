// JSON text read strictly for the files the engineer keeps: nesting bounded, no key given twice.
#pragma once

#include <cstddef>
#include <nlohmann/json.hpp>
#include <string>

namespace plintova {

// Lists and objects nested deeper than this are refused before they are parsed: no file of the program
// nests more than four deep, and a parser walking millions of brackets needs gigabytes.
inline constexpr std::size_t kDeepestJsonNesting = 32;

// The outcome of reading JSON text: the value, or why it cannot be read ("is not valid JSON text (line
// 2, column 16)", "gives the key \"sbc\" twice", ...), worded to follow "The project file NAME ".
struct JsonRead {
  nlohmann::ordered_json value;
  std::string error;
  explicit operator bool() const { return error.empty(); }
};

// Parses `text`, refusing invalid JSON (with the line and column), nesting deeper than
// kDeepestJsonNesting, a number beyond the range of a double, and an object that gives a key twice
// (where the last one would silently win), naming where the key stands.
JsonRead readJsonStrictly(const std::string& text);

}  // namespace plintova
