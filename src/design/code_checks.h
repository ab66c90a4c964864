// IS 456 checks of the schedule's group rows, and the bearing check of an isolated footing that the
// rows of hand-resized footings share.
#pragma once

#include <vector>

#include "model/project.h"

namespace plintova {

// Bearing of isolated footing s at plan size L x B (m, L along X) under every one of its load cases:
// the edge pressure with P = 1.1 FY (kSoilCheckLoadFactor, as every soil check; soil_pressure.h)
// against the case's allowable pressure (SBC or 1.25 SBC, Project::allowable), IS 456 cl. 34.1. The case
// with the largest pressure relative to its allowable one is reported, the first of equals:
// "bearing at joint <J>, load case <N>", kN/m2.
CodeCheck isolatedBearingCheck(const Project& p, int s, double L, double B);

// The soil checks of isolated footing s at plan size L x B, total depth D and pedestal a (m): its bearing,
// the middle third where sizing could not keep the resultant in it (a side capped at 6 m), then uplift,
// sliding and overturning (design/stability_checks.h).
std::vector<CodeCheck> isolatedSoilChecks(const Project& p, int s, double L, double B, double D, double a);

// The checks of group row r (1..DesignGroupCount) of the schedule as it stands: the footing that the
// size groups' design built (side GroupSize, pedestal PedestalSize, net pressure NetPressure, total
// depth TotalDepth, n bars of BarDia at spacing s each way) measured against IS 456 with the same rules
// as the rows of hand-resized footings (design/is456.h). They are flags: no number of the row changes.
// Both layers carry the same moment and shear, so the inner layer (d = D - 50 - 1.5 dia) is checked;
// punching uses the mean of the two layers (D - 50 - dia); the cantilever reaches the row's Offset further
// to the farthest edge. In order: the soil checks of every member footing (isolatedSoilChecks), then
// "bending", "steel for bending", "one-way shear", "punching", "minimum steel", "bar spacing", "edge
// depth", "development length". Empty for a row that does not exist; only the soil checks for grades
// that cannot be designed with.
std::vector<CodeCheck> groupRowChecks(const Project& p, int r);

}  // namespace plintova
