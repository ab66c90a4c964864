// A code check in words: what was compared with what, and how it came out.
#include "design/check_text.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "model/numbers.h"

namespace plintova {

namespace {

struct Symbols {
  const char* demand;
  const char* capacity;
};

// What a check compares, by the kind its name begins with.
Symbols symbolsOf(std::string_view name) {
  static const struct {
    std::string_view kind;
    Symbols symbols;
  } kinds[] = {
      {"bearing", {"p", "allowable"}},       {"steel for bending", {"Mu", "Mu,r"}},
      {"bending", {"Mu", "Mu,lim"}},         {"one-way shear", {"τv", "τc"}},
      {"punching", {"τv", "τp"}},            {"minimum steel", {"As,min", "As"}},
      {"bar spacing", {"s", "s,max"}},       {"edge depth", {"D,min", "D"}},
      {"development length", {"Ld", "available"}}, {"resultant", {"e", "L/2"}},
  };
  for (const auto& k : kinds)
    if (name.substr(0, k.kind.size()) == k.kind) return k.symbols;
  return {"demand", "capacity"};
}

std::string unitText(const std::string& unit) {
  if (unit == "N/mm2") return "N/mm²";
  if (unit == "kN/m2") return "kN/m²";
  if (unit == "mm2") return "mm²";
  if (unit == "kN m") return "kN·m";
  return unit;
}

// v to `significant` significant digits, never rounding inside its whole part.
double toSignificant(double v, int significant) {
  if (v == 0 || !std::isfinite(v)) return v;
  const int whole = static_cast<int>(std::floor(std::log10(std::fabs(v)))) + 1;
  return roundTo(v, std::clamp(significant - whole, 0, 15));
}

}  // namespace

std::string checkRelationText(const CodeCheck& c) {
  // As few digits as say the truth: three at least, more while the rounded figures would not show it.
  double demand = c.demand, capacity = c.capacity;
  for (int digits = 3; digits <= 15; ++digits) {
    demand = toSignificant(c.demand, digits);
    capacity = toSignificant(c.capacity, digits);
    if ((demand <= capacity) == c.ok) break;
  }
  const Symbols s = symbolsOf(c.name);
  const std::string unit = c.unit.empty() ? "" : " " + unitText(c.unit);
  return std::string(s.demand) + " " + numberText(demand) + unit + (c.ok ? " ≤ " : " > ") + s.capacity + " " +
         numberText(capacity) + unit;
}

std::string checkLineText(const CodeCheck& c) {
  return c.name + (c.ok ? " OK: " : " FAILS: ") + checkRelationText(c) + (c.clause.empty() ? "" : " (" + c.clause + ")");
}

std::string checksText(const std::vector<CodeCheck>& checks) {
  std::string text;
  for (bool failed : {true, false})
    for (const CodeCheck& c : checks)
      if (c.ok != failed) text += (text.empty() ? "" : "\n") + checkLineText(c);
  return text;
}

}  // namespace plintova
