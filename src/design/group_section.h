// The section of a size group's row worked once: depths of both layers, bars from the diameters of the
// design options, bending, shear, punching and anchorage, the figures the schedule shows and the checks.
#pragma once

#include <cstdint>
#include <vector>

#include "design/is456.h"
#include "model/project.h"

namespace plintova {

// The loads a group row is designed for.
struct GroupLoads {
  double B = 0;       // side of the square footing, m
  double ax = 0, az = 0;  // sides of the pedestal along X and along Z, m
  double offset = 0;  // longest offset of a member footing from its column, m
  double qu = 0;      // factored net upward pressure, kN/m2, uniform under the footing
};

GroupLoads groupLoads(const SizeGroupRecord& row);

// A square footing at total depth D with n bars of one diameter each way, both layers alike. The
// lower layer has d = D - cover - dia/2, the upper (inner) one d = D - cover - 3 dia/2. Each direction
// is a cantilever from its own pedestal face, (B - ax)/2 and (B - az)/2 (plus the offset); the longer
// one carries the larger moment and shear, so it governs bending, one-way shear and the steel, taken at
// the inner layer's d for both layers. Development is worked at each direction's own face for the
// stress the bars carry there, and the direction with less to spare is kept. Punching takes the mean
// of the two layers on the perimeter d/2 from the pedestal's faces, with ks from its sides.
struct GroupSection {
  double D = 0;                    // mm
  double dOuter = 0, dInner = 0;   // mm
  double cX = 0, cZ = 0;           // m, the cantilevers along X and along Z (not rounded)
  double c = 0;                    // m, the longer of the two: it governs
  double Mu = 0;                   // kN m at the governing pedestal face over the whole width
  double bendingSteel = 0;         // mm2 that the moment needs at dInner
  double Ast = 0;                  // mm2 the layer needs: bending or the minimum, the larger
  is456::Bars bars;
  is456::Anchorage anchorage;      // at the pedestal face with less anchorage to spare
  double V1 = 0, tv1 = 0, tc = 0;  // one-way shear at dInner from the face: kN, N/mm2, N/mm2
  double V2 = 0, tv2 = 0, tp = 0;  // punching d/2 from the pedestal: kN, N/mm2, N/mm2
  std::vector<CodeCheck> checks;   // bending ... development length, in the order of the schedule's checks
  // Bending, one-way shear or punching fails: the section needs more depth.
  bool depthFails = false;
};

// The section of `loads` at total depth D (mm) with bars of diameter dia.
GroupSection groupSectionAt(const Project& p, const GroupLoads& loads, double D, int16_t dia);

// The section at D with the engineer's diameter (edited > 0), or the smallest diameter of the design
// options whose spacing is at least the least spacing and whose bars develop (is456::chooseBarOption).
GroupSection chooseGroupSection(const Project& p, const GroupLoads& loads, double D, int16_t edited);

// The total depth bending alone needs (mm): Mu,lim at the inner layer of the smallest (or the edited)
// bars, rounded up to 50 mm, at least 250 mm.
double groupBendingTotalDepth(const Project& p, const GroupLoads& loads, int16_t edited);

// The designed section: from `start` (mm) deepened by 25 mm until bending, one-way shear and punching
// pass (a bounded number of times).
GroupSection designGroupSection(const Project& p, const GroupLoads& loads, double start, int16_t edited);

// Writes the section into the row: TotalDepth, BarDia and the shown quantities.
void storeGroupSection(const GroupSection& s, SizeGroupRecord& row);

}  // namespace plintova
