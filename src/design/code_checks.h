// IS 456 checks of the schedule's group rows, and the bearing check of an isolated footing that the
// rows of hand-resized footings share.
#pragma once

#include <optional>
#include <vector>

#include "model/project.h"

namespace plintova {

// Bearing of isolated footing s at plan size L x B (m, L along X) under every one of its load cases:
// the edge pressure with P = 1.1 FY (kSoilCheckLoadFactor, as every soil check; soil_pressure.h)
// against the case's allowable pressure (SBC or 1.25 SBC, Project::allowable), IS 456 cl. 34.1. The case
// with the largest pressure relative to its allowable one is reported, the first of equals:
// "bearing at joint <J>, load case <N>", kN/m2.
CodeCheck isolatedBearingCheck(const Project& p, int s, double L, double B);

// The soil checks of isolated footing s at plan size L x B, total depth D and its pedestal (m): its bearing,
// the middle third where sizing could not keep the resultant in it (a side capped at 6 m), then uplift,
// sliding and overturning (design/stability_checks.h).
std::vector<CodeCheck> isolatedSoilChecks(const Project& p, int s, double L, double B, double D,
                                          const PedestalSides& pedestal);

// Whether pedestals of the given sides (m) carry the columns of `footings`: in each direction the column's
// side plus the pedestal margin on each side (demand, mm) against the pedestal's side (capacity, mm), the
// direction with less room reported, "pedestal around the column at joint J along X" (or Z); none where no
// column's section is known.
std::optional<CodeCheck> pedestalAroundColumns(const Project& p, const std::vector<int>& footings,
                                               const PedestalSides& pedestal);

// The checks of group row r: its section as the design worked it (design/group_section.h), at its
// total depth and bars, so that every figure is the schedule's. The soil checks of every member footing
// (isolatedSoilChecks), "pedestal around the column at joint J" where a member's column is known, then
// "bending", "steel for bending", "one-way shear", "punching", "minimum steel", "bar spacing", "least bar
// spacing", "edge depth", "development length" (at the stress the bars carry, with their bend where they
// are bent). Empty for a row that does not exist; only the soil checks for grades that cannot be designed with.
std::vector<CodeCheck> groupRowChecks(const Project& p, int r);

}  // namespace plintova
