// Uplift, sliding and overturning of a footing under every load case (IS 456 cl. 20.1, 20.2), as checks
// of its schedule row.
#pragma once

#include <vector>

#include "footing/soil_checks.h"
#include "model/project.h"

namespace plintova {

// The footing whose stability is checked: its plan L x B (m, L along X), total depth D, pedestal sides,
// number of pedestals, and the supports it carries (one, or the two of a combined footing, whose loads
// add up case by case by load-case number).
struct StabilityFooting {
  double L = 0, B = 0, D = 0;
  PedestalSides pedestal;
  int pedestals = 1;
  std::vector<int> supports;
  // The footing's centre from each support's column, m (footing/soil_checks.h); missing entries take the
  // support's own footing's eccentricity.
  std::vector<Eccentricity> fromColumns;
};

// For every load case, with W the weight of footing, pedestals and soil on it (footingWeight, unit
// weights and water table of the options) and N = 0.9 W + FY where FY is upward (or zero), 0.9 (W + FY)
// otherwise:
//  - "uplift":      demand factor x U (U = -FY where upward, else 0), capacity 0.9 W, cl. 20.1;
//  - "sliding":     demand factor x sqrt(FX^2 + FZ^2), capacity mu N, cl. 20.2;
//  - "overturning": about the edges parallel to X, demand factor x (|MX'| + |FZ| h), capacity N B/2;
//                   about the edges parallel to Z, factor x (|MZ'| + |FX| h) against N L/2, cl. 20.1;
//                   MX', MZ' the moments about the footing's centre (footing/soil_checks.h), the vertical
//                   loads restoring about the edge through the centre.
// Each check reports the case (and direction) whose demand takes the largest share of its capacity, the
// first of equals: "uplift at joint 5, load case 3", "overturning about the edges parallel to X at joint 5,
// load case 2". Where the reactions give no horizontal forces (a table without fx and fz) the sliding
// check is named "... horizontal forces not given, not checked" and takes none, and overturning takes
// the moments alone. The factors and mu are the options'.
std::vector<CodeCheck> stabilityChecks(const Project& p, const StabilityFooting& f);

}  // namespace plintova
