// Looks up the checks and steel layers of designed rows by name in the row design tests.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/design_rows.h"

namespace plintova::design_test {

inline const CodeCheck& findCheck(const std::vector<CodeCheck>& checks, const std::string& name) {
  for (const CodeCheck& c : checks)
    if (c.name == name) return c;
  static const CodeCheck none = [] {
    CodeCheck c;
    c.name = "missing";
    c.ok = false;
    return c;
  }();
  ADD_FAILURE() << "no check " << name;
  return none;
}

// The check's demand and capacity within `tol`.
inline void expectCheck(const std::vector<CodeCheck>& checks, const std::string& name, double demand,
                        double capacity, double tol) {
  const CodeCheck& c = findCheck(checks, name);
  EXPECT_NEAR(c.demand, demand, tol) << name;
  EXPECT_NEAR(c.capacity, capacity, tol) << name;
}

inline void expectLayer(const FootingRow& row, const std::string& where, int dia, int bars, int spacing) {
  for (const SteelLayer& l : row.steel) {
    if (l.where != where) continue;
    EXPECT_EQ(l.dia, dia) << where;
    EXPECT_EQ(l.bars, bars) << where;
    EXPECT_EQ(l.spacing, spacing) << where;
    return;
  }
  ADD_FAILURE() << "no layer " << where;
}

inline const SteelLayer& findLayer(const FootingRow& row, const std::string& where) {
  for (const SteelLayer& l : row.steel)
    if (l.where == where) return l;
  static const SteelLayer none;
  ADD_FAILURE() << "no layer " << where;
  return none;
}

// The names of the checks that fail.
inline std::vector<std::string> failedChecks(const std::vector<CodeCheck>& checks) {
  std::vector<std::string> names;
  for (const CodeCheck& c : checks)
    if (!c.ok) names.push_back(c.name);
  return names;
}

}  // namespace plintova::design_test
