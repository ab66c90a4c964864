// The loads of a combined footing's schedule row: paired cases, the envelope and the bearing pressure.
#include "design/combined_loads.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "design/is456.h"
#include "footing/no_tension.h"
#include "model/numbers.h"

namespace plintova::combined {

using namespace is456;

std::vector<PairedCase> pairCases(const Project& p, const int member[2], bool alongX,
                                  const std::vector<PairCaseUse>& uses) {
  const int kAlong = alongX ? 4 : 3, kAcross = alongX ? 3 : 4;
  std::vector<PairedCase> cases;
  for (const PairCaseUse& u : uses) {
    PairedCase pc;
    pc.number = u.loadCase;
    pc.factor = u.factor;
    for (int m = 0; m < 2; ++m) {
      const int s = member[m], c = u.position[m];
      if (c < 0) continue;
      pc.pos[m] = c;
      pc.fy[m] = p.ReactionTable(s, c, 2);
      pc.along[m] = p.ReactionTable(s, c, kAlong);
      pc.across[m] = p.ReactionTable(s, c, kAcross);
    }
    cases.push_back(pc);
  }
  return cases;
}

AcrossSide acrossSide(const Geometry& g, int j, int side) {
  AcrossSide s;
  s.tf = side * g.h[j] + g.aAcross / 2;
  s.c = g.B / 2 - s.tf;
  return s;
}

double acrossMoment(const Geometry& g, const AcrossLoad& l, const AcrossSide& s) {
  if (!(s.c > 0)) return 0;
  const double w0 = l.P / g.B, k = 12 * l.M / (g.B * g.B * g.B);
  return (w0 + k * s.tf) * s.c * s.c / 2 + k * s.c * s.c * s.c / 3;
}

double acrossShear(const Geometry& g, const AcrossLoad& l, const AcrossSide& s, double d) {
  if (!(s.c > d)) return 0;
  const double edge = g.B / 2, t = s.tf + d;
  return l.P / g.B * (s.c - d) + 6 * l.M / (g.B * g.B * g.B) * (edge * edge - t * t);
}

Envelope envelopeOf(const Geometry& g, const std::vector<BeamCase>& cases, const std::vector<PairedCase>& paired) {
  Envelope env;
  const double half = g.aAlong / 2;
  const double faces[4] = {g.x[0] - half, g.x[0] + half, g.x[1] - half, g.x[1] + half};
  env.bottomAnchorage = std::numeric_limits<double>::infinity();
  for (int k = 0; k < 4; ++k) {
    env.faces[k] = faces[k];
    env.face[k] = faces[k] > 0 && faces[k] < g.L;
    if (env.face[k]) env.bottomAnchorage = std::min(env.bottomAnchorage, std::min(faces[k], g.L - faces[k]));
  }
  if (!std::isfinite(env.bottomAnchorage)) env.bottomAnchorage = 0;
  const double lo = faces[1], hi = faces[2];
  for (const BeamCase& fc : cases) {
    for (int k = 0; k < 4; ++k)
      if (env.face[k]) env.sag = std::max(env.sag, fc.moment(faces[k]));
    if (lo < hi) {
      double where = lo;
      const double least = fc.leastMoment(lo, hi, where);
      if (-least > env.hog) {
        env.hog = -least;
        env.hogAt = where;
      }
    }
  }
  for (const PairedCase& pc : paired) {
    for (int j = 0; j < 2; ++j) {
      const AcrossLoad l{pc.factor * pc.fy[j], pc.factor * std::fabs(pc.across[j])};
      if (!(l.P > 0)) continue;  // a column that lifts presses nothing across
      env.acrossLoads[j].push_back(l);
      for (int side : {-1, 1}) env.acrossMu[j] = std::max(env.acrossMu[j], acrossMoment(g, l, acrossSide(g, j, side)));
    }
  }
  return env;
}

CasePressure casePressure(const Project& p, const Geometry& g, const PairedCase& pc) {
  CasePressure cp;
  cp.loadCase = pc.number;
  const double f = pc.factor;  // 1 for a service case
  const double P = f * pc.fy[0] + f * pc.fy[1];
  const double xBar = P != 0 ? f * pc.fy[1] / P * g.dist : g.dist / 2;
  cp.fy = P;
  cp.e = (g.L / 2 - g.cant1) - xBar;
  const double along = std::fabs(f * pc.along[0] + f * pc.along[1]) + std::fabs(cp.e * P);
  const double across = std::fabs(f * pc.across[0] + f * pc.across[1]);
  // The peak under the contact: linear while the whole underside presses, else the no-tension pressure;
  // a pair that lifts the footing presses on no soil (the uplift check takes it).
  const PressureUnderFooting contact = pressureUnderFooting(kSoilCheckLoadFactor * P, across, along, g.L, g.B);
  cp.q = P > 0 ? contact.max : 0.0;
  for (int m = 0; m < 2; ++m)
    if (pc.pos[m] >= 0) cp.allowable[m] = p.allowable(g.member[m], pc.pos[m]);
  return cp;
}

CodeCheck bearingCheck(const Geometry& g, const std::vector<CasePressure>& pressures, int m) {
  double worst = -1, pressure = 0, allowable = 0;
  int number = 0;
  for (const CasePressure& cp : pressures) {
    const double allowed = cp.allowable[m];
    if (allowed < 0) continue;
    const double ratio =
        allowed > 0 ? cp.q / allowed : (cp.q > 0 ? std::numeric_limits<double>::infinity() : 0.0);
    if (ratio > worst) {
      worst = ratio;
      pressure = cp.q;
      allowable = allowed;
      number = cp.loadCase;
    }
  }
  return concerning(makeCheck(CheckKind::Bearing, "bearing at joint " + numberText(g.joint[m]) + ", load case " + numberText(number),
                              pressure, allowable, "kN/m2", kBearingClause),
                    {g.joint[m]}, number);
}

}  // namespace plintova::combined
