// The values of the project file as JSON: writing numbers, and reading each value with its place named.
#include "project/project_json.h"

#include <charconv>
#include <cmath>

#include "model/limits.h"
#include "model/project.h"

namespace plintova::projectjson {

Json floatJson(float f) {
  if (!std::isfinite(f)) throw NotFinite{};
  if (f == std::trunc(f) && std::fabs(f) < 1e9f) return Json(static_cast<long long>(f));
  char buf[64];
  const auto end = std::to_chars(buf, buf + sizeof buf, f).ptr;
  double d = 0;
  std::from_chars(buf, end, d);
  // Reading the double back as a float rounds twice; where that could land elsewhere, the exact value.
  if (static_cast<float>(d) != f) d = static_cast<double>(f);
  return Json(d);
}

std::string keyName(const std::string& key) { return "\"" + key + "\""; }

std::string entryName(const std::string& array, std::size_t i) {
  return keyName(array) + " entry " + std::to_string(i + 1);
}

std::string placeOf(const std::string& entry, const std::string& key) {
  return entry.empty() ? keyName(key) : entry + ", " + keyName(key);
}

const Json* member(const Json& object, const char* key) {
  const auto it = object.find(key);
  return it == object.end() ? nullptr : &*it;
}

void refuseValue(const Json& v, const std::string& where, const std::string& range) {
  std::string given = v.dump();
  if (given.size() > 40) given = given.substr(0, 40) + "...";
  throw Refusal{where + " must be " + range + ", not " + given};
}

double numberIn(const Json& v, const std::string& where, double lo, double hi, const std::string& range) {
  const double d = v.is_number() ? v.get<double>() : NAN;
  if (!(d >= lo && d <= hi)) refuseValue(v, where, range);
  return d;
}

float lengthOf(const Json& v, const std::string& where, bool (*allowed)(double), const std::string& range) {
  const float f = v.is_number() ? static_cast<float>(v.get<double>()) : NAN;
  if (!allowed(f)) refuseValue(v, where, range);
  return f;
}

int wholeIn(const Json& v, const std::string& where, int lo, int hi, const std::string& range) {
  const double d = numberIn(v, where, lo, hi, range);
  if (d != std::trunc(d)) refuseValue(v, where, range);
  return static_cast<int>(d);
}

int jointOf(const Json& v, const std::string& where) {
  constexpr int kMaxJoint = cap::kLargestJointNumber;
  return wholeIn(v, where, 1, kMaxJoint, "a joint number from 1 to " + std::to_string(kMaxJoint));
}

const Json& arrayOf(const Json& v, const std::string& where) {
  if (!v.is_array()) throw Refusal{where + " must be a list"};
  return v;
}

const Json& objectOf(const Json& v, const std::string& where) {
  if (!v.is_object()) throw Refusal{where + " must be an object"};
  return v;
}

bool booleanOf(const Json& v, const std::string& where) {
  if (!v.is_boolean()) throw Refusal{where + " must be true or false"};
  return v.get<bool>();
}

std::string textOf(const Json& v, const std::string& where) {
  if (!v.is_string()) throw Refusal{where + " must be a text"};
  return v.get<std::string>();
}

float pedestalOf(const Json& v, const std::string& where) {
  return lengthOf(v, where, [](double side) { return limits::pedestalAllowed(side); }, limits::pedestalRange());
}

}  // namespace plintova::projectjson
