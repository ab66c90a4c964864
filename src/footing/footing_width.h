// Width of a rectangular isolated footing whose length the engineer chose, and the hand resize by a step.
#pragma once

#include <string>

#include "model/project.h"
#include "model/prompter.h"

namespace plintova {

// Width (m, single) for load-case position c of footing s at length L (m, along X), with FactoredLoad
// set by the caller: the larger of the bearing root (corner pressure within the allowable pressure) and
// the uplift root (lightest corner not below minus EarthPressure), with the moments about the footing's
// centre at its underside. 0 when neither root applies.
float WidthForCase(Project& p, int c, int s, float L, Prompter& prompter);

// Largest width over the support's own load cases, rounded up to the next 0.01 m (a width less than
// 0.01 mm above a step keeps that step): WidthForCase for the cases that press on the soil (P = 1.1 FY),
// and for those with FY zero or upward the narrowest width, in whole millimetres, whose weight holds the
// footing down and stands it against overturning (heldDown of footing/footing_sizing.h). Where the roots
// leave tension under part of the footing (the lightest corner down to minus EarthPressure), the row's
// bearing check takes the peak of the no-tension pressure and flags it where it exceeds.
float WidthForLength(Project& p, int s, float L, Prompter& prompter);

// "L X B = A": length, width and their product rounded to two decimals, as the size label shows them.
std::string sizeProductText(float L, float B);

// One wheel notch on footing s (direction < 0 shortens, otherwise lengthens). An isolated, disabled
// or hand-resized footing gets its length changed by 0.05 m, becomes hand-resized (CombNo -1), takes
// the width for that length, and the groups are reassigned; a length that would reach zero is not
// taken. A member of a combined footing resizes its combined footing by 0.1 m instead. Returns the
// size label text of what was resized (empty for an index that is no footing).
std::string resizeFooting(Project& p, int s, int direction, Prompter& prompter);

}  // namespace plintova
