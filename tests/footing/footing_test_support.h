// Builds small projects in code for the footing tests: supports with their joints and load cases.
#pragma once

#include <memory>
#include <vector>

#include "footing/design_inputs.h"
#include "footing/footing_sizing.h"
#include "model/project.h"

namespace plintova::testing {

struct Case {
  float fy = 0, mx = 0, mz = 0;
};

// A project with SBC and founding depth accepted as the start-up dialog takes them.
inline std::unique_ptr<Project> makeProject(const char* sbc = "200", const char* depth = "1.5") {
  auto p = std::make_unique<Project>();
  acceptDesignInputs(*p, depth, sbc);
  return p;
}

// Adds a support on a new joint at (x, z) with load cases numbered 1, 2, ... and places the footings.
inline int addSupport(Project& p, int joint, int x, int z, const std::vector<Case>& cases) {
  const int j = ++p.JointCount;
  p.JointTable[j][0] = joint;
  p.JointTable[j][1] = x;
  p.JointTable[j][3] = z;
  const int s = p.supportCount() + 1;
  p.ReactionTable(0, 0, 0) = static_cast<float>(s);
  p.ReactionTable(s, 0, 0) = static_cast<float>(joint);
  for (std::size_t c = 0; c < cases.size(); ++c) {
    const auto k = static_cast<long long>(c);
    p.ReactionTable(s, k, 1) = static_cast<float>(c + 1);
    p.ReactionTable(s, k, 2) = cases[c].fy;
    p.ReactionTable(s, k, 3) = cases[c].mx;
    p.ReactionTable(s, k, 4) = cases[c].mz;
  }
  placeFootings(p);
  return s;
}

// Footings with given required sizes (no loads needed), all placed at distinct positions.
inline void addRequiredSizes(Project& p, const std::vector<float>& sizes) {
  for (float size : sizes) {
    const int s = addSupport(p, p.supportCount() + 1, 3000 * (p.supportCount() + 1), 0, {{100, 0, 0}});
    p.FootingTable[s].ReqSize = size;
  }
}

}  // namespace plintova::testing
