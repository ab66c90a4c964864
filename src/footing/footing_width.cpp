// Width of a rectangular isolated footing whose length the engineer chose.
#include "footing/footing_width.h"

#include <cmath>

#include "footing/footing_sizing.h"
#include "footing/soil_checks.h"
#include "model/numbers.h"

namespace plintova {

namespace {

// Added before rounding the width to 0.01 m, so that it rounds up: the adopted width never lets a corner
// pressure exceed its allowable value, while a width within 0.01 mm above a step keeps that step.
constexpr double kWidthRoundingAllowance = 0.00499;

// Positive root of a2 B^2 + a1 B + a0 = 0 with a0 <= 0. With a2 = 0 the linear remainder a1 B + a0 = 0
// is solved; when it has no positive solution either, no width satisfies it and the result is 0.
double positiveRoot(double a2, double a1, double a0) {
  if (a2 > 0.0) return (-a1 + std::sqrt(a1 * a1 - 4.0 * a2 * a0)) / (2.0 * a2);
  if (a1 > 0.0) return -a0 / a1;
  return 0.0;
}

// The narrowest width (whole millimetres) of an L long footing that holds down U and stands against the
// moments (footing_sizing.h, heldDown).
double upliftWidth(const Project& p, double L, double U, double Mx, double Mz, double N0) {
  auto holds = [&](long long mm) { return heldDown(p, L, mm / 1000.0, U, Mx, Mz, N0); };
  if (holds(1)) return 0.001;
  long long lo = 1, hi = 2;
  while (!holds(hi)) {
    lo = hi;
    hi *= 2;
    if (hi > 100000) return hi / 1000.0;
  }
  while (hi - lo > 1) {
    const long long mid = lo + (hi - lo) / 2;
    (holds(mid) ? hi : lo) = mid;
  }
  return hi / 1000.0;
}

}  // namespace

float widthForCase(const Project& p, int s, const CaseUse& u, float L, double P, Prompter& prompter) {
  const UndersideLoad load = undersideLoad(p, s, u);
  const double Mx = load.mx;
  const double Mz = load.mz;
  const double len = L;
  const double q = p.allowable(s, u.position);
  if (!(len > 0.0) || !(q > 0.0)) return 0.0f;

  // Bearing: P/(L B) + 6 Mz/(B L^2) + 6 Mx/(L B^2) <= q, times L B^2.
  const double a0 = -6.0 * Mx;
  const float B1 = static_cast<float>(positiveRoot(q * len, -(P + 6.0 * Mz / len), a0));
  float width = 0.0f;
  if (B1 > 0.0f) width = B1;
  else prompter.message(numberText(B1) + "  Tempy");

  // Uplift: P/(L B) - 6 Mz/(B L^2) - 6 Mx/(L B^2) >= -EarthPressure. At zero founding depth this is
  // the no-tension limit, a linear equation in B.
  const float B2 = static_cast<float>(positiveRoot(static_cast<double>(p.EarthPressure) * len, P - 6.0 * Mz / len, a0));
  if (B2 < 0.0f) prompter.message(numberText(B2));
  if (width < B2) width = B2;
  return width;
}

float WidthForLength(const Project& p, int s, float L, Prompter& prompter) {
  float B = 0.0f;
  for (const CaseUse& u : soilCases(p, s)) {
    const UndersideLoad load = undersideLoad(p, s, u);
    float Bc = 0.0f;
    if (load.uplift()) {
      // Held down by its weight: the narrowest width, in whole millimetres, that does it.
      Bc = static_cast<float>(upliftWidth(p, L, -load.fy, load.mx, load.mz, load.fy));
    } else {
      Bc = widthForCase(p, s, u, L, static_cast<float>(kSoilCheckLoadFactor * load.fy), prompter);
    }
    if (Bc > B) B = Bc;
  }
  // The roots allow the lightest corner down to minus the earth pressure: where the underside then lifts
  // off, the row's bearing check takes the peak of the no-tension pressure and flags what exceeds.
  return roundToSingle(static_cast<double>(B) + kWidthRoundingAllowance, 2);
}

std::string sizeProductText(float L, float B) {
  return numberText(L) + " X " + numberText(B) + " = " + numberText(roundTo(static_cast<double>(L) * B, 2));
}

}  // namespace plintova
