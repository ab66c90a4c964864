// A combined footing as a rigid beam on soil: the contact pressure of one load case along the length,
// and the shear force and bending moment it makes with the two column loads.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "model/design_rows.h"

namespace plintova {

// Soil pressure along the footing, kN per metre of length: p(x) = alpha + beta x on [from, to] and 0
// elsewhere, x in m from the footing's first end (the end beyond the first column).
struct ContactPressure {
  double from = 0, to = 0;
  double alpha = 0, beta = 0;

  double at(double x) const;
  double peak() const;                  // kN/m, the larger of the two ends of the contact
  double forceUpTo(double x) const;     // kN, the pressure's resultant over [0, x]
  double momentAbout(double x) const;   // kN m, the moment of the pressure over [0, x] about x
};

// The pressure under a rigid footing of length L (m) carrying P kN (> 0) whose resultant lies xR m from
// the first end, with e = xR - L/2: linear (trapezoidal) while |e| <= L/6,
//   p(x) = P/L + 12 P e (x - L/2) / L^3;
// beyond it the soil takes no tension and the contact is a triangle of length 3 (L/2 - |e|) from the
// end nearer the resultant, with the peak 2 P / (3 (L/2 - |e|)). Empty when P <= 0 (nothing presses on
// the soil) or the resultant lies on or beyond an end (no contact can balance it).
std::optional<ContactPressure> contactPressure(double P, double xR, double L);

// A column on the footing: its position (m from the first end), its load (kN, downward positive) and
// the couple it applies about the axis across the footing (kN m, positive when it turns the far end,
// x = L, down).
struct ColumnLoad {
  double x = 0, P = 0, C = 0;
};

// One load case of the footing as a beam: the two columns and the contact pressure that balances them.
struct BeamCase {
  double L = 0;
  ContactPressure q;
  ColumnLoad col[2];
  double e = 0;  // m, the resultant's offset from the footing's centre

  // Shear force at x: the pressure over [0, x] less the column loads left of x, kN.
  double shear(double x) const;
  // Bending moment at x, kN m, sagging (tension at the bottom) positive.
  double moment(double x) const;
  // The smallest (most hogging) moment on [lo, hi], a stretch without a column: the moment is convex
  // there (its second derivative is the pressure), so the least lies where the shear changes sign or at
  // an end. `where` receives its position.
  double leastMoment(double lo, double hi, double& where) const;
};

// The case of the two columns on a footing of length L: the resultant (sum P x + sum C) / sum P and its
// contact pressure. Empty as contactPressure is; `e` is then still set when the load presses down.
std::optional<BeamCase> beamCase(double L, const ColumnLoad& first, const ColumnLoad& second, double* e = nullptr);

// The beam for the report's figures: stations every L/80 from the first end, on either side of each column
// (at `columns`, where the shear jumps by its load) and at the faces of its pedestal of side `a`; the
// pressure of case `hardest` (the case that presses hardest, load case `loadCase`); the envelopes of shear
// force and bending moment over `cases`. Empty without cases.
BeamDiagram beamDiagram(double L, const double columns[2], double a, const std::vector<BeamCase>& cases,
                        std::size_t hardest, int loadCase);

}  // namespace plintova
