// Soil pressures at the edges of an isolated footing under one load case, the one formula behind every
// pressure figure of the workbook, the detail popup and the design's governing pressure.
#pragma once

#include "model/project.h"

namespace plintova {

// Largest and smallest pressure under the footing, kN/m2, unrounded.
struct EdgePressures {
  double max = 0;
  double min = 0;
};

// Edge pressures of footing s under load-case position c at plan size L x B (m, L along X), with
// P = loadFactor x FY (1.1 for every check against an allowable pressure, 1 for the design's net
// pressure). Each moment bends the footing about its own axis and both count whatever their sign:
//   square (L == B):  P / S^2 +- 6 (|MX| + |MZ|) / S^3
//   otherwise:        P / (L B) +- (6 |MX| / (L B^2) + 6 |MZ| / (L^2 B))
// The two forms agree in exact arithmetic; the square one is evaluated as the grouped footings have
// always been, so their figures keep every digit.
EdgePressures edgePressures(const Project& p, int s, int c, double L, double B,
                            double loadFactor = kSoilCheckLoadFactor);

}  // namespace plintova
