// IS 456 checks of the group rows of the schedule and the bearing check of an isolated footing.
#include "design/code_checks.h"

#include <algorithm>
#include <limits>
#include <string>

#include "design/is456.h"
#include "design/soil_pressure.h"
#include "design/stability_checks.h"
#include "model/grades.h"
#include "model/numbers.h"

namespace plintova {

using namespace is456;

CodeCheck isolatedBearingCheck(const Project& p, int s, double L, double B) {
  double worst = -1, pressure = 0, allowable = p.allowable(s, 0);
  int worstCase = 0;
  bool beyond = false;
  for (const CaseUse& u : soilCases(p, s)) {
    const int c = u.position;
    // cl. 34.1: the safe bearing capacity is not exceeded; P = 1.1 FY for footing and soil, the peak of
    // the no-tension pressure where the underside lifts off. A lifted footing presses on no soil: the
    // uplift check takes that case.
    const EdgePressures e = edgePressures(p, s, u, L, B, kSoilCheckLoadFactor);
    if (e.uplift) continue;
    const double allowed = e.unbalanced ? 0.0 : p.allowable(s, c);
    const double ratio = allowed > 0 ? e.max / allowed : (e.max > 0 ? std::numeric_limits<double>::infinity() : 0.0);
    if (ratio > worst) {
      worst = ratio;
      pressure = e.max;
      allowable = allowed;
      worstCase = c;
      beyond = e.unbalanced;
    }
  }
  const std::string name = "bearing at joint " + numberText(p.FootingTable[s].JointNo) + ", load case " +
                           numberText(p.ReactionTable(s, worstCase, 1)) +
                           (beyond ? " (the resultant lies beyond the footing: no contact balances it)" : "");
  return makeCheck(name, pressure, allowable, "kN/m2", kBearingClause);
}

std::vector<CodeCheck> isolatedSoilChecks(const Project& p, int s, double L, double B, double D, double a) {
  std::vector<CodeCheck> checks = {isolatedBearingCheck(p, s, L, B)};
  const FootingRecord& f = p.FootingTable[s];
  if (f.NoTensionCapped) {
    // Sizing keeps the resultant within the middle third up to a 6 m side: beyond it the footing has
    // tension under part of its underside, which the bearing check takes, and is flagged here.
    double worst = 0;
    int worstCase = 0;
    for (const CaseUse& u : soilCases(p, s)) {
      const int c = u.position;
      const UndersideLoad l = undersideLoad(p, s, u);
      if (l.uplift()) continue;
      const double e = (l.mx / B + l.mz / L) / l.P;  // share of the kern: e/(B/6) + e/(L/6) over 6
      if (e > worst) {
        worst = e;
        worstCase = c;
      }
    }
    checks.push_back(makeCheck("resultant within the middle third at joint " + numberText(f.JointNo) + ", load case " +
                                   numberText(p.ReactionTable(s, worstCase, 1)),
                               6 * worst, 1, "", kResultantClause));
  }
  StabilityFooting footing;
  footing.L = L;
  footing.B = B;
  footing.D = D;
  footing.a = a;
  footing.supports = {s};
  const std::vector<CodeCheck> stability = stabilityChecks(p, footing);
  checks.insert(checks.end(), stability.begin(), stability.end());
  return checks;
}

std::vector<CodeCheck> groupRowChecks(const Project& p, int r) {
  if (r < 1 || r > p.DesignGroupCount) return {};
  const SizeGroupRecord& row = p.DesignGroupTable[r];
  std::vector<CodeCheck> checks;
  const double B = row.GroupSize, a = row.PedestalSize;
  for (int k = 1; k <= row.MemberCount; ++k) {
    const int s = row.Members[k];
    if (s < 1 || s > p.FootingCount) continue;
    const std::vector<CodeCheck> soil = isolatedSoilChecks(p, s, B, B, row.TotalDepth, a);
    checks.insert(checks.end(), soil.begin(), soil.end());
  }
  if (!gradeProblem(p.Fck, p.Fe).empty()) return checks;

  const int fck = p.Fck, fe = p.Fe;
  const double qu = row.LoadFactor * row.NetPressure;  // kN/m2, factored, uniform under the footing
  const double D = row.TotalDepth * 1000.0, dia = row.BarDia;
  const double width = B * 1000;                // mm: each layer spreads over the whole side
  const double d = effectiveDepth(D, dia, dia);  // the inner layer, the lesser of the two
  const double dMean = effectiveDepth(D, dia / 2, dia);
  const double c = (B - a) / 2 + row.Offset;  // m, longest cantilever beyond the pedestal face
  const double cPos = std::max(c, 0.0);
  const double As = row.design.barsKnown ? row.design.n * barArea(dia) : 0.0;

  // cl. 34.2.3.2: moment at the pedestal face over the whole width, against Mu,lim (G-1.1 c) and
  // against the bars provided (G-1.1 b).
  const double Mu = qu * B * cPos * cPos / 2;
  checks.push_back(makeCheck("bending", Mu, limitingMoment(fck, fe, width, d), "kN m", kBendingClause));
  checks.push_back(makeCheck("steel for bending", Mu, momentOfResistance(fck, fe, As, width, d), "kN m", kSteelClause));

  // cl. 34.2.4.1 a: one-way shear at d from the face; Table 19 with the steel provided.
  const double V1 = qu * B * std::max(c - d / 1000, 0.0);
  const double pt = d > 0 ? 100 * As / (width * d) : 0;
  checks.push_back(makeCheck("one-way shear", d > 0 ? V1 * 1000 / (width * d) : 0, shearStrength(fck, pt), "N/mm2",
                             kOneWayShearClause));

  // cl. 34.2.4.1 b and 31.6.3.1: punching on the perimeter d/2 from the pedestal faces.
  const PunchingSection sec = punchingSection({-B / 2, -B / 2, B / 2, B / 2}, 0, 0, a + dMean / 1000);
  const double V2 = qu * (B * B - sec.area);
  const double tv2 = sec.perimeter > 0 && dMean > 0 ? V2 * 1000 / (sec.perimeter * 1000 * dMean) : 0;
  checks.push_back(makeCheck("punching", tv2, punchingStrength(fck), "N/mm2", kPunchingClause));

  checks.push_back(makeCheck("minimum steel", minimumSteel(fe, width, D), As, "mm2", kMinSteelClause));
  const double spacing = row.design.barsKnown ? static_cast<double>(row.design.s) : width;
  checks.push_back(makeCheck("bar spacing", spacing, std::min(3 * d, kMaxSpacing), "mm", kSpacingClause));
  checks.push_back(makeCheck("edge depth", kMinEdgeDepth, D, "mm", kEdgeDepthClause));
  // cl. 34.2.4.3: the bars develop their strength between the pedestal face and the end cover.
  checks.push_back(makeCheck("development length", developmentLength(fck, fe, dia), c * 1000 - kCover, "mm",
                             developmentClause(fck)));
  return checks;
}

}  // namespace plintova
