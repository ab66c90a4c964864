// A size group's section worked once: the design deepens it and the checks read it, so the schedule,
// its tooltips and the report show one d per layer and one set of figures.
#include "design/group_section.h"

#include <algorithm>
#include <cmath>

#include "model/numbers.h"

namespace plintova {

using namespace is456;

GroupLoads groupLoads(const SizeGroupRecord& row) {
  GroupLoads l;
  l.B = row.GroupSize;
  l.ax = row.Pedestal.x;
  l.az = row.Pedestal.z;
  l.offset = row.Offset;
  l.qu = row.design.qu;
  return l;
}

GroupSection groupSectionAt(const Project& p, const GroupLoads& l, double D, int16_t dia) {
  const SteelRules rules = steelRules(p.decisions.options);
  const int fck = p.Fck, fe = p.Fe;
  GroupSection s;
  s.D = D;
  s.dOuter = effectiveDepth(D, 0, dia, rules.cover);
  s.dInner = effectiveDepth(D, dia, dia, rules.cover);
  const double d = s.dInner, dMean = (s.dOuter + s.dInner) / 2;
  const double width = l.B * 1000;  // mm: each layer spreads over the whole side
  s.cX = std::max((l.B - l.ax) / 2 + l.offset, 0.0);
  s.cZ = std::max((l.B - l.az) / 2 + l.offset, 0.0);
  s.c = std::max(s.cX, s.cZ);

  // cl. 34.2.3.2: the moment at the pedestal face over the whole width.
  s.Mu = l.qu * l.B * s.c * s.c / 2;
  s.bendingSteel = steelForMoment(fck, fe, s.Mu, width, d);
  const double minimum = minimumSteel(fe, width, D);
  s.Ast = std::max(s.bendingSteel, minimum);
  const double maxSpacing = std::min(3 * d, kMaxSpacing);  // cl. 26.3.3 b
  s.bars = placeBars(s.Ast, width, dia, 2, maxSpacing, rules.step, rules.cover);
  // cl. 34.2.4.3, 26.2.1: at each direction's pedestal face, for the stress the bars carry there (the
  // shorter cantilever's moment needs less steel but leaves less length).
  for (const double c : {s.cX, s.cZ}) {
    const double needed = steelForMoment(fck, fe, l.qu * l.B * c * c / 2, width, d);
    const Anchorage at = anchorageAt(fck, fe, dia, stressRatio(needed, s.bars.area), c * 1000 - rules.cover);
    if (c == s.cX || at.provided - at.required < s.anchorage.provided - s.anchorage.required) s.anchorage = at;
  }

  // cl. 34.2.4.1 a: one-way shear at d from the face, Table 19 with the steel provided.
  s.V1 = l.qu * l.B * std::max(s.c - d / 1000, 0.0);
  s.tv1 = d > 0 ? s.V1 * 1000 / (width * d) : 0;
  s.tc = shearStrength(fck, d > 0 ? 100 * s.bars.area / (width * d) : 0);

  // cl. 34.2.4.1 b, 31.6.3.1: punching on the perimeter d/2 from the pedestal faces, 2 [(ax + d) + (az + d)],
  // with ks = 0.5 + beta_c (at most 1), beta_c the pedestal's short side over its long side.
  const PunchingSection sec =
      punchingSection({-l.B / 2, -l.B / 2, l.B / 2, l.B / 2}, 0, 0, l.ax + dMean / 1000, l.az + dMean / 1000);
  s.V2 = l.qu * (l.B * l.B - sec.area);
  s.tv2 = sec.perimeter > 0 && dMean > 0 ? s.V2 * 1000 / (sec.perimeter * 1000 * dMean) : 0;
  s.tp = punchingStrength(fck, PedestalSides{l.ax, l.az}.aspect());

  const double Mlim = limitingMoment(fck, fe, width, d);
  s.checks = {
      makeCheck(CheckKind::Bending, "bending", s.Mu, Mlim, "kN m", kBendingClause),
      makeCheck(CheckKind::SteelForBending, "steel for bending", s.Mu, momentOfResistance(fck, fe, s.bars.area, width, d), "kN m", kSteelClause),
      makeCheck(CheckKind::OneWayShear, "one-way shear", s.tv1, s.tc, "N/mm2", kOneWayShearClause),
      makeCheck(CheckKind::Punching, "punching", s.tv2, s.tp, "N/mm2", kPunchingClause),
      makeCheck(CheckKind::MinimumSteel, "minimum steel", minimum, s.bars.area, "mm2", kMinSteelClause),
      makeCheck(CheckKind::BarSpacing, "bar spacing", s.bars.spacing, maxSpacing, "mm", kSpacingClause),
      makeCheck(CheckKind::LeastBarSpacing, "least bar spacing", rules.minSpacing, s.bars.spacing, "mm", kLeastSpacingClause),
      makeCheck(CheckKind::EdgeDepth, "edge depth", kMinEdgeDepth, D, "mm", kEdgeDepthClause),
      makeCheck(CheckKind::DevelopmentLength, "development length", s.anchorage.required, s.anchorage.provided, "mm", developmentClause(fck)),
  };
  s.depthFails = !(s.checks[0].ok && s.checks[2].ok && s.checks[3].ok);
  return s;
}

GroupSection chooseGroupSection(const Project& p, const GroupLoads& l, double D, int16_t edited) {
  if (edited > 0) return groupSectionAt(p, l, D, edited);
  const SteelRules rules = steelRules(p.decisions.options);
  std::vector<GroupSection> tried;
  std::vector<BarOption> options;
  for (int16_t dia : rules.diameters) {
    tried.push_back(groupSectionAt(p, l, D, dia));
    options.push_back({dia, tried.back().anchorage.ok(), static_cast<double>(tried.back().bars.spacing)});
  }
  return tried[chooseBarOption(options, rules.minSpacing)];
}

double groupBendingTotalDepth(const Project& p, const GroupLoads& l, int16_t edited) {
  const SteelRules rules = steelRules(p.decisions.options);
  const double dia = edited > 0 ? edited : rules.diameters.front();
  const double c = std::max((l.B - std::min(l.ax, l.az)) / 2 + l.offset, 0.0);
  const double Mu = l.qu * l.B * c * c / 2;
  return startDepth(depthForMoment(p.Fck, p.Fe, Mu, l.B * 1000) + rules.cover + 1.5 * dia);
}

GroupSection designGroupSection(const Project& p, const GroupLoads& l, double start, int16_t edited) {
  double D = start;
  GroupSection s = chooseGroupSection(p, l, D, edited);
  for (int step = 0; step < kMaxDeepenings && s.depthFails; ++step) {
    D += kDeepenStep;
    s = chooseGroupSection(p, l, D, edited);
  }
  return s;
}

void storeGroupSection(const GroupSection& s, SizeGroupRecord& row) {
  // Shown to 0.001 (m, N/mm2, %), 0.01 kN m, whole kN, mm and mm2: the checks compare the figures
  // before this rounding, and their texts print as many digits as the comparison needs.
  DesignQuantities& x = row.design;
  const double B = row.GroupSize;
  row.TotalDepth = static_cast<float>(s.D / 1000);
  row.BarDia = s.bars.dia;
  x.c = roundTo(s.c, 3);
  x.Mu = roundTo(s.Mu, 2);
  x.dOuter = roundTo(s.dOuter / 1000, 4);
  x.dInner = roundTo(s.dInner / 1000, 4);
  x.k = roundTo(s.dInner > 0 ? s.Mu * 1e6 / (B * 1000 * s.dInner * s.dInner) : 0, 3);
  x.pt = roundTo(s.dInner > 0 ? 100 * s.Ast / (B * 1000 * s.dInner) : 0, 3);
  x.Ast = roundTo(s.Ast, 0);
  x.n = s.bars.count;
  x.s = s.bars.spacing;
  x.barsKnown = s.bars.count >= 2 && s.bars.spacing > 0;
  x.V1 = roundTo(s.V1, 0);
  x.tv1 = roundTo(s.tv1, 3);
  x.tc = roundTo(s.tc, 3);
  x.V2 = roundTo(s.V2, 0);
  x.tv2 = roundTo(s.tv2, 3);
  x.tp = roundTo(s.tp, 3);
  x.bent = s.anchorage.bent;
  x.Ld = roundTo(s.anchorage.required, 0);
  x.anchorage = roundTo(s.anchorage.provided, 0);
}

}  // namespace plintova
