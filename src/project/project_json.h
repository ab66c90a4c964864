// The values of the project file as JSON, for its key table and its version steps: numbers written as the
// program holds them, and every value read with its place named when it is refused.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

namespace plintova::projectjson {

using Json = nlohmann::ordered_json;

// The first value that is missing, of the wrong type or out of range refuses the file: what and where.
struct Refusal {
  std::string what;
};

// A value that cannot be written as a JSON number.
struct NotFinite {};

// The shortest text that reads back to the same single-precision value, as a JSON number: whole values
// as integers ("200", not "200.0"). Throws NotFinite for a value that is not finite.
Json floatJson(float f);

// Where a value sits, for the message: "\"sbc\"", "\"offsets\" entry 2, \"stepX\"". A key of the top
// level has no entry (`entry` empty).
std::string keyName(const std::string& key);
std::string entryName(const std::string& array, std::size_t i);
std::string placeOf(const std::string& entry, const std::string& key);

const Json* member(const Json& object, const char* key);

// The refusal of a value outside its limit: the key, the limit and the value as the file gives it.
[[noreturn]] void refuseValue(const Json& v, const std::string& where, const std::string& range);

double numberIn(const Json& v, const std::string& where, double lo, double hi, const std::string& range);
// A length in metres, single precision, that `allowed` takes (checked as the program holds it).
float lengthOf(const Json& v, const std::string& where, bool (*allowed)(double), const std::string& range);
int wholeIn(const Json& v, const std::string& where, int lo, int hi, const std::string& range);
int jointOf(const Json& v, const std::string& where);
const Json& arrayOf(const Json& v, const std::string& where);
const Json& objectOf(const Json& v, const std::string& where);
bool booleanOf(const Json& v, const std::string& where);
std::string textOf(const Json& v, const std::string& where);

// A pedestal side the schedule's boxes take (whether it fits its footing is the Design's to check).
float pedestalOf(const Json& v, const std::string& where);

}  // namespace plintova::projectjson
