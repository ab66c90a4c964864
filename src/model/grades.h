// The concrete and steel grades the design can work with.
#pragma once

#include <string>

namespace plintova {

// Why the grades cannot be designed with, or "" when they can: Fck a whole 15, 20, 25, 30, 35, or 40 to
// 100 N/mm2 (above 40 the M40 column of the shear-strength table applies, "M40 and above"), Fe 250, 415,
// 500 or 550 N/mm2 (IS 1786 gives Fe 550 among the high-strength deformed bars). A grade of 0 is one
// that nobody gave.
std::string gradeProblem(int fck, int fe);

// The steel grades the design knows, for the lists that offer them.
inline constexpr int kSteelGrades[] = {250, 415, 500, 550};

// The lowest concrete grade for a footing: concrete buried in non-aggressive soil is in moderate
// exposure (IS 456 Table 3), for which Table 5 asks at least M25 in reinforced concrete.
inline constexpr int kFootingMinimumFck = 25;

// For Fck below that grade, the statement that says so ("" otherwise). The desktop asks the engineer
// to confirm the grade after it; the batch tool reports it among its messages.
std::string exposureGradeNote(int fck);

}  // namespace plintova
