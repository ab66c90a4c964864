// The loads of a combined footing's schedule row: the two columns' cases paired by load-case number,
// the footing's geometry, the envelope of the factored cases along and across, and the bearing pressure
// of each case, which the row's design (design/combined_design.cpp) works on.
#pragma once

#include <vector>

#include "design/combined_beam.h"
#include "footing/case_basis.h"
#include "model/project.h"

namespace plintova::combined {

// One load case of the pair as read, the two columns' reactions found by its load-case number, with the
// factor the check takes them by (case_basis.h).
struct PairedCase {
  int number = 0;
  double factor = 1;
  int pos[2] = {-1, -1};  // position of the case in each member's reactions; -1: not a case of it
  double fy[2] = {0, 0};
  double along[2] = {0, 0};   // moments bending along the length: MX on a footing along Z, MZ along X
  double across[2] = {0, 0};  // moments bending across the width
};

// The pair's cases the soil checks (soilCases) or the design (designCases) take.
std::vector<PairedCase> pairCases(const Project& p, const int member[2], bool alongX,
                                  const std::vector<PairCaseUse>& uses);

// The footing and its columns, m.
struct Geometry {
  double L = 0, B = 0;
  double aAlong = 0, aAcross = 0;  // the pedestals' sides along the length and across it
  double x[2] = {0, 0};  // columns from the first end
  double h[2] = {0, 0};  // columns' offsets across from the footing's centre line (half the skew)
  double cant1 = 0, dist = 0;
  int member[2] = {0, 0};
  int joint[2] = {0, 0};
};

// One column's load across the width: factored load and the magnitude of its moment across.
struct AcrossLoad {
  double P = 0, M = 0;
};

// cl. 34.2.3.2 across the width: the column load P spread over B with its moment across M as a linear
// variation, pressing up on the cantilever from the pedestal face (t_f from the centre line, on the
// side where M adds) to the edge B/2. With w(t) = P/B + 12 M t / B^3 per metre across and c = B/2 - t_f:
//   moment at the face  = (P/B + 12 M t_f / B^3) c^2 / 2 + 12 M / B^3 c^3 / 3
//   shear at d from it  = P/B (c - d) + 6 M / B^3 ((B/2)^2 - (t_f + d)^2)
struct AcrossSide {
  double tf = 0, c = 0;
};

// The cantilever across on one side (-1 or +1) of column j.
AcrossSide acrossSide(const Geometry& g, int j, int side);
// The moment at the pedestal face, kN m, and the shear at d (m) from it, kN.
double acrossMoment(const Geometry& g, const AcrossLoad& l, const AcrossSide& s);
double acrossShear(const Geometry& g, const AcrossLoad& l, const AcrossSide& s, double d);

// The envelope of the cases that does not depend on the depth.
struct Envelope {
  double sag = 0, hog = 0;            // kN m over the width
  double hogAt = 0;                   // m, where the largest hogging moment lies
  double bottomAnchorage = 0;         // m from the nearest end to the pedestal faces (the least)
  double acrossMu[2] = {0, 0};        // kN m under each column
  std::vector<AcrossLoad> acrossLoads[2];
  double faces[4] = {0, 0, 0, 0};
  bool face[4] = {false, false, false, false};  // the face lies within the footing
};

// The envelope of the factored beam cases along the length and of the paired cases across.
Envelope envelopeOf(const Geometry& g, const std::vector<BeamCase>& cases, const std::vector<PairedCase>& paired);

// The bearing pressure of one paired case (cl. 34.1), as the footing was sized: P = 1.1 FY of both
// columns, the resultant of the loads e off the centre, every moment counted whatever its sign.
CasePressure casePressure(const Project& p, const Geometry& g, const PairedCase& pc);

// Bearing of the footing under one member's cases: the case nearest that member's allowable pressure.
CodeCheck bearingCheck(const Geometry& g, const std::vector<CasePressure>& pressures, int m);

}  // namespace plintova::combined
