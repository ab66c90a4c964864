// The loads of a load case at a footing's underside, about its centre, the soil pressures they give and
// the weight that holds a footing down: what every soil-pressure, uplift and stability figure starts from.
#pragma once

#include "footing/case_basis.h"
#include "model/design_options.h"
#include "model/project.h"

namespace plintova {

// Where a footing's centre lies from its column, m: (PosX - ColumnX, PosZ - ColumnZ), however the
// offset was set.
struct Eccentricity {
  double ex = 0, ez = 0;
};
Eccentricity footingEccentricity(const Project& p, int s);

// One load case at the underside of footing s, about the footing's centre. With the centre at the
// column plus (ex, ez), the column's load FY (as read) acts at (-ex, -ez) from the centre, so the
// moments about the centre, in the listing's sign convention, are
//   MX' = MX + FY ez        MZ' = MZ - FY ex
// and the horizontal reactions FZ, FX acting h (the support-height option) above the underside add
// |FZ| h and |FX| h whatever their sense. The allowance of 0.1 FY for the weight of footing and soil acts
// at the centre: P = loadFactor x FY adds no moment.
struct UndersideLoad {
  double fy = 0;      // FY as read, kN (negative or zero: the column lifts the footing)
  double P = 0;       // loadFactor x FY, kN
  double mxCentre = 0, mzCentre = 0;  // MX', MZ' (signed), kN m
  double mx = 0, mz = 0;              // |MX'| + |FZ| h and |MZ'| + |FX| h: what the pressures take, kN m
  double fx = 0, fz = 0;              // horizontal reactions, kN
  bool uplift() const { return fy <= 0; }
};
// The case's reactions are taken times its factor (case_basis.h: 1 for a service case as read).
UndersideLoad undersideLoad(const Project& p, int s, const CaseUse& u, double loadFactor, Eccentricity e);
// With the footing's own eccentricity.
UndersideLoad undersideLoad(const Project& p, int s, const CaseUse& u, double loadFactor = kSoilCheckLoadFactor);
// Load-case position c as read (factor 1).
UndersideLoad undersideLoad(const Project& p, int s, int c, double loadFactor = kSoilCheckLoadFactor);


// The weight holding a footing down, kN: the footing L x B x t, `pedestals` pedestals of the given sides
// from its top to the ground (founding depth Df), and the soil on the footing beside them, with the unit
// weights of the options; below the water table every layer weighs its unit weight less 9.81 kN/m3.
double footingWeight(const DesignOptions& o, double Df, double L, double B, double t, const PedestalSides& pedestal,
                     int pedestals = 1);

// Largest and smallest pressure under the footing, kN/m2, unrounded.
struct EdgePressures {
  double max = 0;
  double min = 0;
  bool partial = false;     // the underside would take tension: max is the no-tension peak (footing/no_tension.h)
  bool unbalanced = false;  // P > 0 but its resultant lies on or beyond an edge: no contact balances it
  bool uplift = false;      // FY is zero or upward: the column lifts the footing, which the uplift check covers
};

// Edge pressures of footing s under load-case position c at plan size L x B (m, L along X), with
// P = loadFactor x FY (1.1 for every check against an allowable pressure, 1 for the design's net
// pressure) and the moments about the footing's centre at its underside (footing/soil_checks.h: the
// column's eccentricity and the horizontal forces times the support height), each bending the footing
// about its own axis whatever its sign:
//   square (L == B):  P / S^2 +- 6 (Mx + Mz) / S^3
//   otherwise:        P / (L B) +- (6 Mx / (L B^2) + 6 Mz / (L^2 B))
// The two forms agree in exact arithmetic; the square one is evaluated as the grouped footings have
// always been, so their figures keep every digit. Where the smaller one is negative under a downward
// load, the larger is the peak of the no-tension pressure instead.
EdgePressures edgePressures(const Project& p, int s, const CaseUse& u, double L, double B,
                            double loadFactor = kSoilCheckLoadFactor);
EdgePressures edgePressures(const Project& p, int s, int c, double L, double B,
                            double loadFactor = kSoilCheckLoadFactor);
EdgePressures edgePressuresOf(const UndersideLoad& load, double L, double B);

// The total depth of a footing that sizing assumes for its weight (the design's shallowest, 250 mm) and
// the share of its weight (0.9) that may be counted on, IS 456 cl. 20.1.
constexpr double kFirstFootingDepth = 0.25;
constexpr double kRestoringWeightFactor = 0.9;

}  // namespace plintova
