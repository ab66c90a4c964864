// The engineer's two design inputs, founding depth and safe bearing capacity, checked and stored.
#pragma once

#include <string>

#include "model/project.h"

namespace plintova {

// Takes the depth (m) and SBC (kN/m2) texts as the start-up dialog's OK does: a numeric depth of 0 to
// 6 m sets EarthPressure to 20 kN/m3 times the depth; then a numeric SBC, rounded to a whole number,
// of 50 to 1000 sets CaseSbc (the SBC for the first load case, 1.25 times it for every later one).
// Returns true when both were accepted. A valid depth with an invalid SBC has set EarthPressure.
bool acceptDesignInputs(Project& p, const std::string& depthText, const std::string& sbcText);

}  // namespace plintova
