// The load cases a footing's concrete is designed for, each with the factor on its reactions.
#pragma once

#include <vector>

#include "model/project.h"

namespace plintova {

struct DesignCase {
  int position = 0;    // load-case position of the support's reactions
  double factor = 0;   // partial safety factor on the reactions as read (IS 456 Table 18)
};

// Every load case of support s, each factored by 1.5 (IS 456 Table 18, dead and imposed loads): the
// one place where the section designs of the size groups take their factored loads.
std::vector<DesignCase> concreteDesignCases(const Project& p, int s);

}  // namespace plintova
