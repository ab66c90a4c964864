// Soil pressure under a rigid rectangular footing that the soil holds only in compression: the linear
// (trapezoidal) pressure while the whole underside presses, else the plane of pressure cut off at zero
// that balances the load and both moments.
#pragma once

namespace plintova {

// The pressure under an L x B footing (L along X, B along Z, m) loaded by P kN downward with the moments
// Mz (bending along L) and Mx (bending across, along B) about its centre, kN m, each taken whatever its
// sign (the worst corner is the same for either).
struct PressureUnderFooting {
  double max = 0;        // kN/m2, the peak under the contact
  double min = 0;        // kN/m2, the linear pressure at the lightest corner (negative: tension there)
  bool partial = false;  // part of the underside lifts off: max is the no-tension peak
  bool balanced = true;  // false when P <= 0 or the resultant lies on or beyond an edge: no contact balances it
  double contact = 1;    // the share of the underside that presses, 0..1
};

// Linear pressures while min >= 0. Otherwise the plane q = a0 + a1 x + a2 z cut off at zero is solved
// for equilibrium with P, P ex = Mz and P ez = Mx by Newton's method over the exact integrals of the
// contact polygon (the rectangle clipped by q > 0); its peak lies at a corner. When nothing balances
// (P <= 0, or ex >= L/2 or ez >= B/2), max is the linear peak and `balanced` is false.
PressureUnderFooting pressureUnderFooting(double P, double Mx, double Mz, double L, double B);

// The uniaxial closed form along L (Mx = 0), for a resultant e = Mz / P off the centre:
//   e <= L/6:        P/(B L) (1 + 6 e/L)
//   L/6 < e < L/2:   2 P / (3 B (L/2 - e))
// 0 for e >= L/2 or P <= 0 (no contact balances it).
double uniaxialPeak(double P, double e, double L, double B);

}  // namespace plintova
