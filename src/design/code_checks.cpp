// IS 456 checks of the group rows of the schedule and the bearing check of an isolated footing.
#include "design/code_checks.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <string>

#include "design/group_section.h"
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
  return concerning(makeCheck(CheckKind::Bearing, name, pressure, allowable, "kN/m2", kBearingClause),
                    {p.FootingTable[s].JointNo}, static_cast<int>(p.ReactionTable(s, worstCase, 1)));
}

std::vector<CodeCheck> isolatedSoilChecks(const Project& p, int s, double L, double B, double D,
                                          const PedestalSides& pedestal) {
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
    const int loadCase = static_cast<int>(p.ReactionTable(s, worstCase, 1));
    checks.push_back(concerning(makeCheck(CheckKind::Resultant,
                                          "resultant within the middle third at joint " + numberText(f.JointNo) +
                                              ", load case " + numberText(loadCase),
                                          6 * worst, 1, "", kResultantClause),
                                {f.JointNo}, loadCase));
  }
  StabilityFooting footing;
  footing.L = L;
  footing.B = B;
  footing.D = D;
  footing.pedestal = pedestal;
  footing.supports = {s};
  const std::vector<CodeCheck> stability = stabilityChecks(p, footing);
  checks.insert(checks.end(), stability.begin(), stability.end());
  return checks;
}

std::optional<CodeCheck> pedestalAroundColumns(const Project& p, const std::vector<int>& footings,
                                               const PedestalSides& pedestal) {
  // The column stands on the pedestal with the margin of the design options on every side, in each plan
  // direction with its own side: the direction and column with the least room (side less need) report.
  std::optional<CodeCheck> worst;
  double leastRoom = 0;
  for (int s : footings) {
    if (s < 1 || s > p.FootingCount) continue;
    const PedestalSides need = columnPedestal(p, s);
    if (!need.known()) continue;
    const struct { char axis; double need, side; } sides[] = {{'X', need.x, pedestal.x}, {'Z', need.z, pedestal.z}};
    for (const auto& d : sides) {
      const double room = roundTo((d.side - d.need) * 1000, 1);
      if (worst && !(room < leastRoom)) continue;
      leastRoom = room;
      worst = concerning(makeCheck(CheckKind::PedestalFit,
                                   "pedestal around the column at joint " + std::to_string(p.FootingTable[s].JointNo) +
                                       " along " + d.axis,
                                   roundTo(d.need * 1000, 1), roundTo(d.side * 1000, 1), "mm",
                                   "column plus the pedestal margin on each side"),
                         {p.FootingTable[s].JointNo}, 0);
      worst->axis = d.axis;
    }
  }
  return worst;
}

std::vector<CodeCheck> groupRowChecks(const Project& p, int r) {
  if (r < 1 || r > p.DesignGroupCount) return {};
  const SizeGroupRecord& row = p.DesignGroupTable[r];
  std::vector<CodeCheck> checks;
  const double B = row.GroupSize;
  const PedestalSides a = row.Pedestal;
  for (int k = 1; k <= row.MemberCount; ++k) {
    const int s = row.Members[k];
    if (s < 1 || s > p.FootingCount) continue;
    const std::vector<CodeCheck> soil = isolatedSoilChecks(p, s, B, B, row.TotalDepth, a);
    checks.insert(checks.end(), soil.begin(), soil.end());
  }
  // The members one by one: the table grows in blocks, so its records are not one array.
  std::vector<int> members;
  for (int k = 1; k <= row.MemberCount; ++k) members.push_back(row.Members[k]);
  if (const auto pedestal = pedestalAroundColumns(p, members, a)) checks.push_back(*pedestal);
  if (!gradeProblem(p.Fck, p.Fe).empty()) return checks;

  // The section as the design worked it: the same depths, bars and figures the schedule shows.
  const GroupSection section = groupSectionAt(p, groupLoads(row), roundTo(row.TotalDepth * 1000.0, 0), row.BarDia);
  checks.insert(checks.end(), section.checks.begin(), section.checks.end());
  return checks;
}

}  // namespace plintova
