// Edge pressures of an isolated footing under one load case.
#include "design/soil_pressure.h"

#include <cmath>

namespace plintova {

EdgePressures edgePressures(const Project& p, int s, int c, double L, double B, double loadFactor) {
  const double P = loadFactor * p.ReactionTable(s, c, 2);
  const double MX = std::fabs(static_cast<double>(p.ReactionTable(s, c, 3)));
  const double MZ = std::fabs(static_cast<double>(p.ReactionTable(s, c, 4)));
  double mean, bending;
  if (L == B) {
    const double S = L;
    mean = P / (S * S);
    bending = 6 * (MX + MZ) / (S * S * S);
  } else {
    mean = P / (L * B);
    bending = 6 * MX / (L * B * B) + 6 * MZ / (L * L * B);
  }
  return {mean + bending, mean - bending};
}

}  // namespace plintova
