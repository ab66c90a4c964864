// Width of a rectangular isolated footing whose length the engineer chose.
#pragma once

#include <string>

#include "footing/case_basis.h"
#include "model/project.h"
#include "model/prompter.h"

namespace plintova {

// Width (m, single) for case u of footing s at length L (m, along X) under the vertical load P (kN, the
// case's FY with the soil checks' factor): the larger of the bearing root (corner pressure within the
// allowable pressure) and the uplift root (lightest corner not below minus EarthPressure), with the
// moments about the footing's centre at its underside. 0 when neither root applies.
float widthForCase(const Project& p, int s, const CaseUse& u, float L, double P, Prompter& prompter);

// Largest width over the support's own load cases, rounded up to the next 0.01 m (a width less than
// 0.01 mm above a step keeps that step): widthForCase for the cases that press on the soil (P = 1.1 FY),
// and for those with FY zero or upward the narrowest width, in whole millimetres, whose weight holds the
// footing down and stands it against overturning (heldDown of footing/footing_sizing.h). Where the roots
// leave tension under part of the footing (the lightest corner down to minus EarthPressure), the row's
// bearing check takes the peak of the no-tension pressure and flags it where it exceeds.
float WidthForLength(const Project& p, int s, float L, Prompter& prompter);

// "L X B = A": length, width and their product rounded to two decimals, as the size label shows them.
std::string sizeProductText(float L, float B);

}  // namespace plintova
