// Limit-state design of a combined footing's schedule row: the beam along the columns' line, the bands
// across under each column, and the IS 456 checks.
#include "design/combined_design.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "design/code_checks.h"
#include "design/combined_beam.h"
#include "design/combined_loads.h"
#include "design/is456.h"
#include "design/pedestal_design.h"
#include "design/pedestals.h"
#include "design/rectangular_design.h"
#include "design/stability_checks.h"
#include "footing/case_basis.h"
#include "footing/no_tension.h"
#include "model/grades.h"
#include "model/numbers.h"

namespace plintova {

namespace {

using namespace is456;
using namespace combined;

// Where the band of bars under column j lies along the length for an effective depth dT (mm):
// a + 2 d wide, ended by the footing's ends and by the midpoint between the columns.
using Band = CombinedBand;
Band bandOf(const Geometry& g, int j, double dT) { return combinedBand(g.L, g.aAlong, g.x, j, dT); }

// One layer of bars with one diameter: its bars, effective depth and development.
struct LayerTrial {
  SteelLayer layer;
  double d = 0, provided = 0, minimum = 0, Ld = 0, anchorage = 0, closest = 0;
  Band band;  // the bands across only
};

SteelLayer makeLayer(const std::string& where, double Ast, int16_t dia, int bars, int spacing, double width, double d) {
  SteelLayer l;
  l.d = d;
  l.where = where;
  l.Ast = Ast;
  l.dia = dia;
  l.bars = static_cast<int16_t>(std::clamp(bars, 0, 32767));
  l.spacing = static_cast<int16_t>(std::clamp(spacing, 0, 32767));
  l.width = width;
  return l;
}

// cl. 26.2.1 at the layer's critical face: the length its stress needs against the length there, with a
// 90 degree bend where the straight bar is too short.
void anchor(LayerTrial& t, const Project& p, int16_t dia, double ratio, double available) {
  const Anchorage a = anchorageAt(p.Fck, p.Fe, dia, ratio, available);
  t.Ld = a.required;
  t.anchorage = a.provided;
  t.layer.bent = a.bent;
}

// A full-width layer along L: bending steel for Mu over B, never below the minimum.
LayerTrial alongLayer(const Project& p, const Geometry& g, const std::string& where, double Mu, double D,
                      double below, int16_t dia, double anchorage) {
  LayerTrial t;
  const SteelRules rules = steelRules(p.decisions.options);
  t.d = effectiveDepth(D, below, dia, rules.cover);
  const double width = g.B * 1000;
  t.minimum = minimumSteel(p.Fe, width, D);
  const double bending = steelForMoment(p.Fck, p.Fe, Mu, width, t.d);
  const double Ast = std::max(bending, t.minimum);
  const Bars bars = placeBars(Ast, width, dia, 2, std::min(3 * t.d, kMaxSpacing), rules.step, rules.cover);
  t.layer = makeLayer(where, Ast, dia, bars.count, bars.spacing, g.B, t.d);
  t.provided = bars.area;
  anchor(t, p, dia, stressRatio(bending, bars.area), anchorage * 1000 - rules.cover);
  t.closest = bars.spacing;
  return t;
}

// The band across under column j.
LayerTrial bandLayer(const Project& p, const Geometry& g, const Envelope& env, int j, double D, int16_t dia) {
  LayerTrial t;
  const SteelRules rules = steelRules(p.decisions.options);
  t.d = effectiveDepth(D, 0, dia, rules.cover);
  t.band = bandOf(g, j, t.d);
  const double width = t.band.width() * 1000;
  t.minimum = minimumSteel(p.Fe, width, D);
  const double bending = steelForMoment(p.Fck, p.Fe, env.acrossMu[j], width, t.d);
  const double Ast = std::max(bending, t.minimum);
  const Bars bars = placeBars(Ast, width, dia, t.band.footingEdges, std::min(3 * t.d, kMaxSpacing), rules.step,
                              rules.cover);
  t.layer = makeLayer("bottom along B under joint " + numberText(g.joint[j]), Ast, dia, bars.count, bars.spacing,
                      t.band.width(), t.d);
  t.provided = bars.area;
  // The bars develop on either side of the pedestal: the shorter cantilever across.
  anchor(t, p, dia, stressRatio(bending, bars.area), (g.B / 2 - std::fabs(g.h[j]) - g.aAcross / 2) * 1000 - rules.cover);
  t.closest = bars.spacing;
  return t;
}

// The minimum steel across outside the two bands: one layer over the stretches left, its spacing the
// widest of them.
LayerTrial elsewhereLayer(const Project& p, const Geometry& g, const Band bands[2], double D, int16_t dia) {
  LayerTrial t;
  const SteelRules rules = steelRules(p.decisions.options);
  t.d = effectiveDepth(D, 0, dia, rules.cover);
  const double maxSpacing = std::min(3 * t.d, kMaxSpacing);
  const double stretches[3][2] = {{0, bands[0].lo}, {bands[0].hi, bands[1].lo}, {bands[1].hi, g.L}};
  double Ast = 0, width = 0;
  int count = 0, widest = 0;
  t.closest = std::numeric_limits<double>::infinity();
  for (const auto& st : stretches) {
    const double w = st[1] - st[0];
    if (!(w > 0.001)) continue;  // the bands meet or reach the end
    const double minimum = minimumSteel(p.Fe, w * 1000, D);
    const int edges = (st[0] <= 0 ? 1 : 0) + (st[1] >= g.L ? 1 : 0);
    const Bars bars = placeBars(minimum, w * 1000, dia, edges, maxSpacing, rules.step, rules.cover);
    Ast += minimum;
    width += w;
    count += bars.count;
    t.provided += bars.area;
    widest = std::max<int>(widest, bars.spacing);
    t.closest = std::min<double>(t.closest, bars.spacing);
  }
  if (!std::isfinite(t.closest)) t.closest = 0;
  t.minimum = Ast;
  t.layer = makeLayer("bottom along B, elsewhere", Ast, dia, count, widest, width, t.d);
  t.anchorage = std::numeric_limits<double>::infinity();  // distribution steel: not developed at a face
  return t;
}

// The engineer's diameter, or the choice among the diameters of the design options.
template <class Make>
LayerTrial chooseLayer(const SteelRules& rules, int16_t edited, Make make) {
  if (edited > 0) return make(edited);
  std::vector<LayerTrial> tried;
  std::vector<BarOption> options;
  for (int16_t dia : rules.diameters) {
    tried.push_back(make(dia));
    options.push_back({dia, tried.back().Ld <= tried.back().anchorage, tried.back().closest});
  }
  return tried[chooseBarOption(options, rules.minSpacing)];
}

struct Trial {
  LayerTrial bottom, top, bands[2], elsewhere;
  bool hasTop = false, hasElsewhere = false;
  std::vector<CodeCheck> checks;
  bool depthFails = false;
};

// cl. 34.2.4.1 a along L: at d from each pedestal face, with the d and pt of the layer in tension
// there in that case (the top bars where the section hogs, the bottom bars elsewhere). The section
// whose stress takes the largest part of its strength is reported.
CodeCheck alongShearCheck(int fck, const Geometry& g, const Envelope& env, const std::vector<BeamCase>& cases,
                          const Trial& t) {
  const double wB = g.B * 1000;
  const LayerTrial* alongL[2] = {&t.bottom, t.hasTop ? &t.top : nullptr};
  double worst = -1, tv1 = 0, tc1 = shearStrength(fck, 100 * t.bottom.provided / (wB * t.bottom.d));
  double V1 = 0, d1 = t.bottom.d, pt1 = 100 * t.bottom.provided / (wB * t.bottom.d);
  for (int k = 0; k < 4; ++k) {
    const double toward = k % 2 == 0 ? -1 : 1;  // faces 0 and 2 look toward the first end
    for (int top = 0; top < 2; ++top) {
      const LayerTrial* l = alongL[top];
      if (!l) continue;
      const double x = env.faces[k] + toward * l->d / 1000;
      if (!(x > 0 && x < g.L)) continue;
      const double pt = 100 * l->provided / (wB * l->d);
      const double tc = shearStrength(fck, pt);
      for (const BeamCase& fc : cases) {
        if (t.hasTop && (fc.moment(x) < 0) != (top == 1)) continue;
        const double V = std::fabs(fc.shear(x));
        const double tv = V * 1000 / (wB * l->d);
        if (tv / tc > worst) {
          worst = tv / tc;
          tv1 = tv;
          tc1 = tc;
          V1 = V;
          d1 = l->d;
          pt1 = pt;
        }
      }
    }
  }
  return withTerms(makeCheck(CheckKind::OneWayShear, "one-way shear along L", tv1, tc1, "N/mm2", kOneWayShearClause),
                   {{"Vu", V1, "kN"}, {"b", wB, "mm"}, {"d", d1, "mm"}, {"pt", pt1, "%"}});
}

// cl. 34.2.4.1 b, 31.6.3.1: punching d/2 from the faces of each pedestal, d the mean of the band
// across and the bottom bars along L; the pressure within the perimeter is taken off the column load.
// ks = 0.5 + beta_c (at most 1) with beta_c the pedestal's short side over its long side.
std::vector<CodeCheck> punchingChecks(int fck, const Geometry& g, const std::vector<BeamCase>& cases, const Trial& t) {
  std::vector<CodeCheck> checks;
  const Rect footing{0, -g.B / 2, g.L, g.B / 2};
  const double betaC = PedestalSides{g.aAlong, g.aAcross}.aspect();
  for (int j = 0; j < 2; ++j) {
    const double dp = (t.bands[j].d + t.bottom.d) / 2;
    const double along = g.aAlong + dp / 1000, acrossSide = g.aAcross + dp / 1000;
    const PunchingSection sec = punchingSection(footing, g.x[j], g.h[j], along, acrossSide);
    const double x0 = std::max(0.0, g.x[j] - along / 2), x1 = std::min(g.L, g.x[j] + along / 2);
    const double across =
        std::min(g.B / 2, g.h[j] + acrossSide / 2) - std::max(-g.B / 2, g.h[j] - acrossSide / 2);
    double V = 0;
    for (const BeamCase& fc : cases) {
      const double load = fc.col[j].P;
      if (!(load > 0)) continue;
      const double within = (fc.q.forceUpTo(x1) - fc.q.forceUpTo(x0)) * std::max(across, 0.0) / g.B;
      V = std::max(V, load - within);
    }
    const double tv = sec.perimeter > 0 ? V * 1000 / (sec.perimeter * 1000 * dp) : 0;
    checks.push_back(withTerms(makeCheck(CheckKind::Punching, "punching at joint " + numberText(g.joint[j]), tv, punchingStrength(fck, betaC),
                                           "N/mm2", kPunchingClause),
                                 {{"Vu", V, "kN"}, {"b0", sec.perimeter * 1000, "mm"}, {"d", dp, "mm"}}));
  }
  return checks;
}

Trial trialAt(const Project& p, const Geometry& g, const Envelope& env, const std::vector<BeamCase>& cases,
              double D, int16_t edited) {
  Trial t;
  const int fck = p.Fck, fe = p.Fe;
  const SteelRules rules = steelRules(p.decisions.options);
  // The bars across carry each column's whole load to the edges and lie outermost; the bottom bars
  // along L, mostly the short end cantilevers' and often the minimum, lie on them.
  for (int j = 0; j < 2; ++j) t.bands[j] = chooseLayer(rules, edited, [&](int16_t dia) { return bandLayer(p, g, env, j, D, dia); });
  const Band bands[2] = {t.bands[0].band, t.bands[1].band};
  t.elsewhere = chooseLayer(rules, edited, [&](int16_t dia) { return elsewhereLayer(p, g, bands, D, dia); });
  t.hasElsewhere = t.elsewhere.layer.bars > 0;
  double below = std::max(t.bands[0].layer.dia, t.bands[1].layer.dia);
  if (t.hasElsewhere) below = std::max<double>(below, t.elsewhere.layer.dia);
  t.bottom = chooseLayer(rules, edited, [&](int16_t dia) {
    return alongLayer(p, g, "bottom along L", env.sag, D, below, dia, env.bottomAnchorage);
  });
  t.hasTop = env.hog > 0;
  if (t.hasTop) {
    const double reach = std::min(env.hogAt, g.L - env.hogAt);
    t.top = chooseLayer(rules, edited, [&](int16_t dia) { return alongLayer(p, g, "top along L", env.hog, D, 0, dia, reach); });
  }

  std::vector<CodeCheck> bending, steel, shear, punching, minimum, spacing, development;
  const double wB = g.B * 1000;
  auto bend = [&](const std::string& name, double Mu, const LayerTrial& l, double width) {
    const std::vector<CheckTerm> section{{"Mu", Mu, "kN m"}, {"b", width, "mm"}, {"d", l.d, "mm"}};
    bending.push_back(
        withTerms(makeCheck(CheckKind::Bending, "bending " + name, Mu, limitingMoment(fck, fe, width, l.d), "kN m", kBendingClause), section));
    std::vector<CheckTerm> provided = section;
    provided.push_back({"As", l.provided, "mm2"});
    steel.push_back(withTerms(makeCheck(CheckKind::SteelForBending, "steel for bending " + name, Mu, momentOfResistance(fck, fe, l.provided, width, l.d),
                                        "kN m", kSteelClause),
                              provided));
  };
  if (t.hasTop) bend("along L, hogging", env.hog, t.top, wB);
  bend("along L, sagging", env.sag, t.bottom, wB);
  for (int j = 0; j < 2; ++j)
    bend("along B under joint " + numberText(g.joint[j]), env.acrossMu[j], t.bands[j], t.bands[j].band.width() * 1000);

  shear.push_back(alongShearCheck(fck, g, env, cases, t));
  // Across: the band as the width of a cantilever from the pedestal face, at d from the face.
  for (int j = 0; j < 2; ++j) {
    const LayerTrial& b = t.bands[j];
    const double w = b.band.width() * 1000;
    double V = 0;
    for (const AcrossLoad& l : env.acrossLoads[j])
      for (int side : {-1, 1}) V = std::max(V, acrossShear(g, l, acrossSide(g, j, side), b.d / 1000));
    const double pt = 100 * b.provided / (w * b.d);
    shear.push_back(withTerms(makeCheck(CheckKind::OneWayShear, "one-way shear along B under joint " + numberText(g.joint[j]), V * 1000 / (w * b.d),
                                        shearStrength(fck, pt), "N/mm2", kOneWayShearClause),
                              {{"Vu", V, "kN"}, {"b", w, "mm"}, {"d", b.d, "mm"}, {"pt", pt, "%"}}));
  }

  punching = punchingChecks(fck, g, cases, t);

  std::vector<const LayerTrial*> layers = {&t.bottom};
  if (t.hasTop) layers.push_back(&t.top);
  layers.push_back(&t.bands[0]);
  layers.push_back(&t.bands[1]);
  if (t.hasElsewhere) layers.push_back(&t.elsewhere);
  for (const LayerTrial* l : layers) {
    minimum.push_back(withTerms(makeCheck(CheckKind::MinimumSteel, "minimum steel, " + l->layer.where, l->minimum, l->provided, "mm2",
                                          kMinSteelClause),
                                {{"b", l->layer.width * 1000, "mm"}, {"D", D, "mm"}}));
    spacing.push_back(withTerms(makeCheck(CheckKind::BarSpacing, "bar spacing, " + l->layer.where, l->layer.spacing,
                                          std::min(3 * l->d, kMaxSpacing), "mm", kSpacingClause),
                                {{"d", l->d, "mm"}}));
    if (l != &t.elsewhere)
      development.push_back(withTerms(makeCheck(CheckKind::DevelopmentLength, "development length, " + l->layer.where, l->Ld, l->anchorage, "mm",
                                                developmentClause(fck)),
                                      {{"phi", static_cast<double>(l->layer.dia), "mm"}}));
  }

  for (const auto* list : {&bending, &steel, &shear, &punching})
    for (const CodeCheck& c : *list) t.depthFails = t.depthFails || !c.ok;
  for (auto* list : {&bending, &steel, &shear, &punching, &minimum, &spacing})
    t.checks.insert(t.checks.end(), list->begin(), list->end());
  t.checks.push_back(makeCheck(CheckKind::EdgeDepth, "edge depth", kMinEdgeDepth, D, "mm", kEdgeDepthClause));
  t.checks.insert(t.checks.end(), development.begin(), development.end());
  return t;
}

// The combined footing as its stability checks take it: both columns, the footing's centre from each.
StabilityFooting pairFooting(const Project& p, const CombinedFootingRecord& cf, const FootingRow& row) {
  StabilityFooting f;
  f.L = row.L;
  f.B = row.B;
  f.D = row.TotalDepth;
  f.pedestal = row.Pedestal;
  f.pedestals = 2;
  const double cx = (cf.CfLeft + cf.CfRight) / 2000.0, cz = (cf.CfBottom + cf.CfTop) / 2000.0;
  for (int k = 1; k <= 2; ++k) {
    const FootingRecord& m = p.FootingTable[cf.CfMembers[k]];
    f.supports.push_back(cf.CfMembers[k]);
    f.fromColumns.push_back({cx - m.ColumnX / 1000.0, cz - m.ColumnZ / 1000.0});
  }
  // Along X the stability checks' L lies along X; a footing along Z has its length along Z.
  if (cf.CfAxis == 0) std::swap(f.L, f.B);
  return f;
}

// The footing's geometry from its record and the row's size and pedestal.
void setGeometry(const Project& p, const CombinedFootingRecord& cf, const FootingRow& row, Geometry& g) {
  g.L = row.L;
  g.B = row.B;
  const bool alongX = cf.CfAxis == 1;
  g.aAlong = alongX ? row.Pedestal.x : row.Pedestal.z;
  g.aAcross = alongX ? row.Pedestal.z : row.Pedestal.x;
  g.cant1 = cf.Cant1;
  g.dist = cf.CfDistance / 1000.0;
  g.x[0] = g.cant1;
  g.x[1] = g.cant1 + g.dist;
  g.h[0] = -cf.CfHalfSkew / 1000.0;
  g.h[1] = cf.CfHalfSkew / 1000.0;
  for (int j = 0; j < 2; ++j) g.joint[j] = p.FootingTable[g.member[j]].JointNo;
}

// Every design case factored, with the columns' couples in both senses, as beams along the length; the
// largest offset of a resultant from the centre, and the case that presses hardest.
struct BeamCases {
  std::vector<BeamCase> cases;
  double eMax = 0;
  std::size_t hardest = 0;
  int hardestCase = 0;
};
// Sets the row's net pressure as read (the peak of the factored contact over the width, less the
// factor) of the case whose factored pressure is largest, with that case's factor and position.
BeamCases beamCasesOf(const Geometry& g, const std::vector<PairedCase>& paired, FootingRow& row) {
  BeamCases out;
  float q = 0;
  double factored = 0;
  for (const PairedCase& pc : paired) {
    const bool couples = pc.along[0] != 0 || pc.along[1] != 0;
    for (int sense : {1, -1}) {
      if (sense < 0 && !couples) break;
      const ColumnLoad first{g.x[0], pc.factor * pc.fy[0], sense * pc.factor * pc.along[0]};
      const ColumnLoad second{g.x[1], pc.factor * pc.fy[1], sense * pc.factor * pc.along[1]};
      double e = 0;
      const auto beam = beamCase(g.L, first, second, &e);
      out.eMax = std::max(out.eMax, std::fabs(e));
      if (!beam) continue;
      out.cases.push_back(*beam);
      const float pressure = static_cast<float>(beam->q.peak() / g.B / pc.factor);
      if (factored < pc.factor * pressure) {
        factored = pc.factor * pressure;
        row.LoadFactor = pc.factor;
        q = pressure;
        out.hardest = out.cases.size() - 1;
        out.hardestCase = pc.number;
        const int m = pc.pos[0] >= 0 ? 0 : 1;
        row.GovFooting = g.member[m];
        row.GovCase = pc.pos[m];
      }
    }
  }
  row.NetPressure = roundToSingle(q + 0.49, 0);
  return out;
}

}  // namespace

CombinedBand combinedBand(double L, double a, const double x[2], int j, double d) {
  const double mid = (x[0] + x[1]) / 2, reach = a / 2 + d / 1000;
  CombinedBand b;
  b.lo = std::max(0.0, x[j] - reach);
  b.hi = std::min(L, x[j] + reach);
  if (j == 0) b.hi = std::min(b.hi, mid);
  else b.lo = std::max(b.lo, mid);
  b.footingEdges = (b.lo <= 0 ? 1 : 0) + (b.hi >= L ? 1 : 0);
  return b;
}

FootingRow designCombinedRow(const Project& p, int n, const RowEdit& edit) {
  FootingRow row;
  row.kind = FootingRow::Kind::Combined;
  row.number = n;
  if (n < 1 || n > p.CombinedCount) return row;
  const CombinedFootingRecord& cf = p.CombinedFootingTable[n];
  Geometry g;
  g.member[0] = cf.CfMembers[1];
  g.member[1] = cf.CfMembers[2];
  for (int s : g.member)
    if (cf.CfMemberCount < 2 || s < 1 || s > p.FootingCount) return row;
  row.footings = {g.member[0], g.member[1]};
  row.L = cf.CfLength;
  row.B = cf.CfWidth;
  // One pedestal per row, both columns alike: the envelope of the two footings' own pedestals in each
  // direction, or the edited sides.
  row.Pedestal = editedPedestal(envelope(ownPedestal(p, g.member[0]), ownPedestal(p, g.member[1])), edit);
  const int16_t edited = edit.barDia && *edit.barDia > 0 ? *edit.barDia : int16_t{0};
  row.BarDia = edited;

  setGeometry(p, cf, row, g);
  const bool alongX = cf.CfAxis == 1;
  const int a = g.member[0], b = g.member[1];
  const std::vector<PairedCase> paired = pairCases(p, g.member, alongX, designCases(p, a, b));
  if (!(g.L > 0) || !(g.B > 0)) return row;
  for (const PairedCase& pc : pairCases(p, g.member, alongX, soilCases(p, a, b)))
    row.pressures.push_back(casePressure(p, g, pc));

  const BeamCases beams = beamCasesOf(g, paired, row);
  const std::vector<BeamCase>& cases = beams.cases;
  if (!gradeProblem(p.Fck, p.Fe).empty()) return row;

  const Envelope env = envelopeOf(g, cases, paired);

  // The depth bending needs with the smallest bars (or the edited ones): the band across is a + 2 d
  // wide, so its depth is found by repeated substitution.
  const SteelRules rules = steelRules(p.decisions.options);
  const double dia0 = edited > 0 ? edited : rules.diameters.front();
  const double cover = rules.cover;
  double need = std::max(depthForMoment(p.Fck, p.Fe, env.hog, g.B * 1000) + cover + dia0 / 2,
                         depthForMoment(p.Fck, p.Fe, env.sag, g.B * 1000) + cover + 1.5 * dia0);
  for (int j = 0; j < 2; ++j) {
    double d = 300;
    for (int k = 0; k < 30; ++k) d = depthForMoment(p.Fck, p.Fe, env.acrossMu[j], bandOf(g, j, d).width() * 1000);
    need = std::max(need, d + cover + dia0 / 2);
  }
  double D = startDepth(need);
  row.BendingDepth = roundToSingle(D / 1000, 3);
  const bool typed = edit.depth && std::isfinite(*edit.depth);
  if (typed) D = std::max(D, roundTo(*edit.depth * 1000.0, 1));

  // Deepened while a section check fails and, unless the engineer typed the depth (then the row is
  // flagged), until the dowels develop within the footing.
  auto mat = [](const Trial& trial) {
    std::vector<SteelLayer> layers = {trial.bottom.layer, trial.bands[0].layer, trial.bands[1].layer};
    if (trial.hasElsewhere) layers.push_back(trial.elsewhere.layer);
    return bottomMat(layers);
  };
  // Each column's pedestal, bearing and dowels on the row's ax x az pedestal.
  const PedestalSides& sides = row.Pedestal;
  const PedestalLoad loads[2] = {pedestalLoad(p, {g.member[0]}, sides), pedestalLoad(p, {g.member[1]}, sides)};
  const Dowels dowels[2] = {dowelsFor(p, loads[0], sides), dowelsFor(p, loads[1], sides)};
  auto developed = [&](double depth, double onMat) {
    return dowelsDeveloped(p, dowels[0], depth, onMat) && dowelsDeveloped(p, dowels[1], depth, onMat);
  };
  Trial t = trialAt(p, g, env, cases, D, edited);
  for (int k = 0; (t.depthFails || (!typed && !developed(D, mat(t)))) && k < kMaxDeepenings; ++k) {
    D += kDeepenStep;
    t = trialAt(p, g, env, cases, D, edited);
  }
  row.TotalDepth = roundToSingle(D / 1000, 3);
  row.steel.push_back(t.bottom.layer);
  if (t.hasTop) row.steel.push_back(t.top.layer);
  row.steel.push_back(t.bands[0].layer);
  row.steel.push_back(t.bands[1].layer);
  if (t.hasElsewhere) row.steel.push_back(t.elsewhere.layer);

  row.beam = beamDiagram(g.L, g.x, g.aAlong, cases, beams.hardest, beams.hardestCase);
  for (int m = 0; m < 2; ++m) row.checks.push_back(bearingCheck(g, row.pressures, m));
  row.checks.push_back(makeCheck(CheckKind::Resultant, "resultant within the base", beams.eMax, g.L / 2, "m", kResultantClause));
  const std::vector<CodeCheck> stability = stabilityChecks(p, pairFooting(p, cf, row));
  row.checks.insert(row.checks.end(), stability.begin(), stability.end());
  if (const auto pedestal = pedestalAroundColumns(p, row.footings, row.Pedestal)) row.checks.push_back(*pedestal);
  row.checks.insert(row.checks.end(), t.checks.begin(), t.checks.end());
  // Each column's pedestal and dowels; the frustum under a pedestal reaches the nearest edge or end.
  for (int j = 0; j < 2; ++j) {
    PedestalSite site;
    site.where = "pedestal at joint " + numberText(g.joint[j]);
    site.sides = sides;
    site.D = D;
    site.mat = mat(t);
    site.reach = std::min({g.x[j] - g.aAlong / 2, g.L - g.x[j] - g.aAlong / 2, g.B / 2 - std::fabs(g.h[j]) - g.aAcross / 2});
    const PedestalDesign pedestal =
        designPedestal(p, loads[j], site, ", joint " + numberText(g.joint[j]));
    row.pedestals.push_back(pedestal.steel);
    row.checks.insert(row.checks.end(), pedestal.checks.begin(), pedestal.checks.end());
  }
  return row;
}

}  // namespace plintova
