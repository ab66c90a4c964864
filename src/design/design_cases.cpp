// The load cases of a footing's section design with their factors.
#include "design/design_cases.h"

#include "design/is456.h"

namespace plintova {

std::vector<DesignCase> concreteDesignCases(const Project& p, int s) {
  std::vector<DesignCase> cases;
  const int last = p.lastCasePosition(s);
  for (int c = 0; c <= last; ++c) cases.push_back({c, is456::kLoadFactor});
  return cases;
}

}  // namespace plintova
