// Limit-state design of the schedule row of a combined footing to IS 456:2000.
#pragma once

#include "model/project.h"

namespace plintova {

// The row of combined footing n (CombinedFootingTable, sized by stepCombinedFooting), mark C<n>,
// with the engineer's edits; L = CfLength along the columns' line, B = CfWidth. The method and every
// assumption are set out in docs/design-rows.md; in short:
//  - the two columns' reactions are paired by load-case number (a case of one member only leaves the
//    other column unloaded); each case is factored by 1.5 and taken with the columns' moments about the
//    axis across the footing in both senses (the listing's sign of a support moment is not relied on);
//  - the footing is rigid: the pressure along it is linear, or triangular where the resultant lies
//    beyond the middle third, and uniform across the width; cases whose load lifts off (sum P <= 0)
//    press nothing and are left out, a resultant beyond an end fails "resultant within the base";
//  - the footing is a beam of width B under that pressure and the column loads as point loads with
//    their couples; the envelope gives the sagging moment at the pedestal faces (bottom steel along L),
//    the hogging moment between the columns (top steel along L), one-way shear at d from the faces and
//    punching around each column, a perimeter cut by the footing's end keeping its remaining sides;
//  - across the width, each column's load (with its own moment across, either sense) spreads over B
//    and bends the cantilever from the pedestal face to the farther edge; its bars lie in a band a + 2d
//    wide under the column, ended by the footing's ends and by the midpoint between the columns; the
//    rest of the length gets the minimum steel across;
//  - the pedestal is the size groups' rule on each column's required size, the larger of the two
//    (an edited pedestal stands for both); depth, bar choice and flags as for a rectangular row.
// Layers, in order: "bottom along L", "top along L" (when the footing hogs), "bottom along B under
// joint <J>" for each column, "bottom along B, elsewhere". Grades that cannot be designed with give
// the row undesigned: size only.
FootingRow designCombinedRow(const Project& p, int n, const RowEdit& edit);

// Where the band of bars across under column j lies along a combined footing L m long, m from its first
// end: a + 2 d wide about the column at x[j] (a the pedestal, m; d the band's effective depth, mm), ended
// by the footing's ends and by the midpoint between the columns.
struct CombinedBand {
  double lo = 0, hi = 0;
  int footingEdges = 0;  // ends of the footing the band reaches
  double width() const { return hi - lo; }
};
CombinedBand combinedBand(double L, double a, const double x[2], int j, double d);

}  // namespace plintova
