// The loads of a load case at a footing's underside and the weight that holds a footing down.
#include "footing/soil_checks.h"

#include <algorithm>
#include <cmath>

#include "footing/no_tension.h"

namespace plintova {

namespace {

// Thickness of the layer from depth `top` to `bottom` (m below ground) that lies below the water table.
double submerged(const DesignOptions& o, double top, double bottom) {
  if (!o.waterTableDepth) return 0;
  return std::max(0.0, bottom - std::max(top, *o.waterTableDepth));
}

}  // namespace

Eccentricity footingEccentricity(const Project& p, int s) {
  if (s < 1 || s > p.FootingCount) return {};
  const FootingRecord& f = p.FootingTable[s];
  return {(static_cast<double>(f.PosX) - f.ColumnX) / 1000.0, (static_cast<double>(f.PosZ) - f.ColumnZ) / 1000.0};
}

UndersideLoad undersideLoad(const Project& p, int s, const CaseUse& u, double loadFactor, Eccentricity e) {
  const int c = u.position;
  const double f = u.factor;
  UndersideLoad l;
  l.fy = f * p.ReactionTable(s, c, 2);
  l.P = loadFactor * l.fy;
  l.fx = f * p.ReactionTable(s, c, kReactionFX);
  l.fz = f * p.ReactionTable(s, c, kReactionFZ);
  l.mxCentre = f * p.ReactionTable(s, c, 3) + l.fy * e.ez;
  l.mzCentre = f * p.ReactionTable(s, c, 4) - l.fy * e.ex;
  const double h = p.decisions.options.supportHeight;
  l.mx = std::fabs(l.mxCentre) + std::fabs(l.fz) * h;
  l.mz = std::fabs(l.mzCentre) + std::fabs(l.fx) * h;
  return l;
}

UndersideLoad undersideLoad(const Project& p, int s, const CaseUse& u, double loadFactor) {
  return undersideLoad(p, s, u, loadFactor, footingEccentricity(p, s));
}

UndersideLoad undersideLoad(const Project& p, int s, int c, double loadFactor) {
  return undersideLoad(p, s, CaseUse{c, static_cast<int>(p.ReactionTable(s, c, 1)), 1.0}, loadFactor);
}

EdgePressures edgePressuresOf(const UndersideLoad& load, double L, double B) {
  const double P = load.P, MX = load.mx, MZ = load.mz;
  double mean, bending;
  if (L == B) {
    const double S = L;
    mean = P / (S * S);
    bending = 6 * (MX + MZ) / (S * S * S);
  } else {
    mean = P / (L * B);
    bending = 6 * MX / (L * B * B) + 6 * MZ / (L * L * B);
  }
  EdgePressures e{mean + bending, mean - bending};
  e.uplift = load.uplift();
  if (e.min >= 0 || e.uplift) return e;
  const PressureUnderFooting contact = pressureUnderFooting(P, MX, MZ, L, B);
  e.partial = true;
  if (contact.balanced) e.max = contact.max;
  else e.unbalanced = true;
  return e;
}

EdgePressures edgePressures(const Project& p, int s, const CaseUse& u, double L, double B, double loadFactor) {
  return edgePressuresOf(undersideLoad(p, s, u, loadFactor), L, B);
}

EdgePressures edgePressures(const Project& p, int s, int c, double L, double B, double loadFactor) {
  return edgePressuresOf(undersideLoad(p, s, c, loadFactor), L, B);
}


double footingWeight(const DesignOptions& o, double Df, double L, double B, double t, const PedestalSides& pedestal,
                     int pedestals) {
  const double top = Df - t;               // depth of the footing's top
  const double h = std::max(top, 0.0);     // height of the pedestals and the soil above it
  const double plan = L * B, columns = std::min(pedestals * pedestal.area(), plan);
  const double footing = plan * (o.concreteUnitWeight * t - kWaterUnitWeight * submerged(o, top, Df));
  const double above = kWaterUnitWeight * submerged(o, 0, h);
  const double stubs = columns * (o.concreteUnitWeight * h - above);
  const double soil = (plan - columns) * (o.soilUnitWeight * h - above);
  return footing + stubs + soil;
}

}  // namespace plintova
