// The concrete and steel grades the design can work with.
#pragma once

#include <string>

namespace plintova {

// Why the grades cannot be designed with, or "" when they can: Fck a whole 15, 20, 25, 30, 35, or 40 to
// 100 N/mm2 (above 40 the M40 column of the shear-strength table applies, "M40 and above"), Fe 250, 415
// or 500 N/mm2. A grade of 0 is one that nobody gave.
std::string gradeProblem(int fck, int fe);

}  // namespace plintova
