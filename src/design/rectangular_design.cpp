// Limit-state design of a hand-resized (rectangular) footing's schedule row: pressure, depth, bars in
// both directions with the central band of the short direction, and the IS 456 checks.
#include "design/rectangular_design.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "design/code_checks.h"
#include "design/is456.h"
#include "design/pedestal_design.h"
#include "design/pedestals.h"
#include "design/soil_pressure.h"
#include "design/uplift_steel.h"
#include "model/grades.h"
#include "model/numbers.h"

namespace plintova {

namespace {

using namespace is456;


// The bars that run along one side of the footing.
struct Direction {
  std::string name;   // "along L" or "along B"
  double run = 0;     // m, the side the bars run along
  double across = 0;  // m, the side they are spread over
  double cant = 0;    // m, from the pedestal face to the footing's edge
  double Mu = 0;      // kN m at the pedestal face over the whole of `across`
  bool band = false;  // the steel of the shorter direction of an oblong footing: band and outer strips
};

// One direction's reinforcement with one bar diameter at total depth D (mm).
struct DirectionSteel {
  int16_t dia = 0;
  double d = 0;          // mm, effective depth
  double provided = 0;   // mm2 over the whole width
  double Ld = 0;         // mm, development length
  double anchorage = 0;  // mm available beyond the pedestal face: the cantilever less the end cover
  double closest = 0;    // mm, the closest spacing of its layers
  std::vector<SteelLayer> layers;
  std::vector<double> minimum;  // mm2, the minimum steel of each layer's own gross section
};

SteelLayer layerOf(const std::string& where, double Ast, const Bars& bars, double width, double d) {
  SteelLayer l;
  l.d = d;
  l.where = where;
  l.Ast = Ast;
  l.dia = bars.dia;
  l.spacing = bars.spacing;
  l.bars = bars.count;
  l.width = width;
  return l;
}

// Bars of diameter dia for direction `dir` lying on `below` mm of bars of the other direction.
DirectionSteel steelFor(const Project& p, const Direction& dir, double D, double below, int16_t dia) {
  DirectionSteel st;
  st.dia = dia;
  const SteelRules rules = steelRules(p.decisions.options);
  st.d = effectiveDepth(D, below, dia, rules.cover);
  const double width = dir.across * 1000;
  const double maxSpacing = std::min(3 * st.d, kMaxSpacing);  // cl. 26.3.3 b
  // The whole direction needs the steel for its moment, never less than the minimum (cl. 26.5.2.1).
  const double bending = steelForMoment(p.Fck, p.Fe, dir.Mu, width, st.d);
  const double total = std::max(bending, minimumSteel(p.Fe, width, D));
  auto placeBars = [&rules](double Ast, double w, int16_t bar, int edges, double maxS) {
    return is456::placeBars(Ast, w, bar, edges, maxS, rules.step, rules.cover);
  };
  const std::string where = "bottom " + dir.name;
  const double shortSide = dir.run * 1000, strips = width - shortSide;
  if (dir.band && strips / 2 < maxSpacing) {
    // A nearly square footing: each outer strip is narrower than one bar spacing and cannot hold bars of
    // its own beyond the cover. The bars go evenly over the whole width at the band's density (the band's
    // share 2/(beta + 1) spread over the short side), so that the band still holds its share of
    // cl. 34.3.1 c and the strips hold more than theirs.
    const double beta = dir.across / dir.run;
    const double bandAst = std::max(2 / (beta + 1) * total, minimumSteel(p.Fe, shortSide, D));
    const double evenAst = std::max(total, bandAst * width / shortSide);
    const Bars bars = placeBars(evenAst, width, dia, 2, maxSpacing);
    st.layers.push_back(layerOf(where, evenAst, bars, dir.across, st.d));
    st.minimum.push_back(minimumSteel(p.Fe, width, D));
    st.provided = bars.area;
    st.closest = bars.spacing;
  } else if (!dir.band) {
    const Bars bars = placeBars(total, width, dia, 2, maxSpacing);
    st.layers.push_back(layerOf(where, total, bars, dir.across, st.d));
    st.minimum.push_back(minimumSteel(p.Fe, width, D));
    st.provided = bars.area;
    st.closest = bars.spacing;
  } else {
    // cl. 34.3.1 c: with beta = long side / short side, the band as wide as the short side under the
    // column takes 2/(beta + 1) of the short direction's steel, the rest is spread evenly over the
    // two outer strips. Each part holds at least the minimum steel of its own gross section, so that
    // the thinly reinforced strips do not fall below it.
    const double beta = dir.across / dir.run;
    const double share = 2 / (beta + 1);
    const double bandAst = std::max(share * total, minimumSteel(p.Fe, shortSide, D));
    const double stripAst = std::max((1 - share) * total, minimumSteel(p.Fe, strips, D));
    const Bars band = placeBars(bandAst, shortSide, dia, 0, maxSpacing);
    const Bars strip = placeBars(stripAst / 2, strips / 2, dia, 1, maxSpacing);  // each of the two
    Bars both = strip;
    both.count = static_cast<int16_t>(std::min(2 * strip.count, 32767));
    both.area = 2 * strip.area;
    st.layers.push_back(layerOf(where + ", central band", bandAst, band, dir.run, st.d));
    st.layers.push_back(layerOf(where + ", outer strips", stripAst, both, dir.across - dir.run, st.d));
    st.minimum.push_back(minimumSteel(p.Fe, shortSide, D));
    st.minimum.push_back(minimumSteel(p.Fe, strips, D));
    st.provided = band.area + both.area;
    st.closest = std::min(band.spacing, strip.spacing);
  }
  // cl. 34.2.4.3: the critical section for development is the pedestal face.
  // With a 90 degree bend where the straight bar is too short for the stress it carries there.
  const Anchorage a = anchorageAt(p.Fck, p.Fe, dia, stressRatio(bending, st.provided), dir.cant * 1000 - rules.cover);
  st.Ld = a.required;
  st.anchorage = a.provided;
  for (SteelLayer& l : st.layers) l.bent = a.bent;
  return st;
}

// The diameter of one direction: the engineer's, or the choice among 10, 12, 16 and 20 mm.
DirectionSteel chooseSteel(const Project& p, const Direction& dir, double D, double below, int16_t edited) {
  if (edited > 0) return steelFor(p, dir, D, below, edited);
  std::vector<DirectionSteel> tried;
  std::vector<BarOption> options;
  const SteelRules rules = steelRules(p.decisions.options);
  for (int16_t dia : rules.diameters) {
    tried.push_back(steelFor(p, dir, D, below, dia));
    options.push_back({dia, tried.back().Ld <= tried.back().anchorage, tried.back().closest});
  }
  return tried[chooseBarOption(options, rules.minSpacing)];
}

// The design at total depth D with its checks.
struct Trial {
  DirectionSteel alongL, alongB;
  std::vector<CodeCheck> checks;
  bool depthFails = false;  // bending, one-way shear or punching fails: a deeper footing is needed
};

Trial trialAt(const Project& p, const Direction& dL, const Direction& dB, const PedestalSides& a, double qu, double D,
              int16_t edited, Eccentricity e) {
  Trial t;
  // The bars along the longer side carry the larger cantilever moment, so they lie outermost where
  // their effective depth is the largest; the shorter direction's bars lie on them.
  const bool outerL = dL.run >= dB.run;
  if (outerL) {
    t.alongL = chooseSteel(p, dL, D, 0, edited);
    t.alongB = chooseSteel(p, dB, D, t.alongL.dia, edited);
  } else {
    t.alongB = chooseSteel(p, dB, D, 0, edited);
    t.alongL = chooseSteel(p, dL, D, t.alongB.dia, edited);
  }
  const int fck = p.Fck, fe = p.Fe;
  const std::pair<const Direction*, const DirectionSteel*> dirs[] = {{&dL, &t.alongL}, {&dB, &t.alongB}};
  std::vector<CodeCheck> bending, steel, shear, minimum, spacing, development;
  for (const auto& [dir, st] : dirs) {
    const double width = dir->across * 1000;
    const std::vector<CheckTerm> section{{"Mu", dir->Mu, "kN m"}, {"b", width, "mm"}, {"d", st->d, "mm"}};
    bending.push_back(withTerms(makeCheck(CheckKind::Bending, "bending " + dir->name, dir->Mu, limitingMoment(fck, fe, width, st->d),
                                          "kN m", kBendingClause),
                                section));
    std::vector<CheckTerm> provided = section;
    provided.push_back({"As", st->provided, "mm2"});
    steel.push_back(withTerms(makeCheck(CheckKind::SteelForBending, "steel for bending " + dir->name, dir->Mu,
                                        momentOfResistance(fck, fe, st->provided, width, st->d), "kN m", kSteelClause),
                              provided));
    // cl. 34.2.4.1 a: one-way shear across the whole width at d from the pedestal face.
    const double V = qu * dir->across * std::max(dir->cant - st->d / 1000, 0.0);
    const double pt = 100 * st->provided / (width * st->d);
    shear.push_back(withTerms(makeCheck(CheckKind::OneWayShear, "one-way shear " + dir->name, V * 1000 / (width * st->d),
                                        shearStrength(fck, pt), "N/mm2", kOneWayShearClause),
                              {{"Vu", V, "kN"}, {"b", width, "mm"}, {"d", st->d, "mm"}, {"pt", pt, "%"}}));
    for (std::size_t k = 0; k < st->layers.size(); ++k) {
      const SteelLayer& l = st->layers[k];
      minimum.push_back(withTerms(
          makeCheck(CheckKind::MinimumSteel, "minimum steel, " + l.where, st->minimum[k], l.bars * barArea(l.dia), "mm2", kMinSteelClause),
          {{"b", l.width * 1000, "mm"}, {"D", D, "mm"}}));
      spacing.push_back(withTerms(makeCheck(CheckKind::BarSpacing, "bar spacing, " + l.where, l.spacing, std::min(3 * st->d, kMaxSpacing),
                                            "mm", kSpacingClause),
                                  {{"d", st->d, "mm"}}));
    }
    development.push_back(withTerms(makeCheck(CheckKind::DevelopmentLength, "development length " + dir->name, st->Ld, st->anchorage, "mm",
                                              developmentClause(fck)),
                                    {{"phi", static_cast<double>(st->dia), "mm"}}));
  }
  // cl. 34.2.4.1 b, 31.6.3.1: punching on the perimeter d/2 from the pedestal faces, d the mean of the
  // two layers; a side of the perimeter beyond the footing is cut off; ks from the pedestal's sides.
  const double L = dL.run, B = dB.run;
  const double dMean = (t.alongL.d + t.alongB.d) / 2;
  // The column stands at (-ex, -ez) from the footing's centre.
  const PunchingSection sec = punchingSection({-L / 2, -B / 2, L / 2, B / 2}, -e.ex, -e.ez, a.x + dMean / 1000,
                                              a.z + dMean / 1000);
  const double V2 = qu * (L * B - sec.area);
  const double tv2 = sec.perimeter > 0 ? V2 * 1000 / (sec.perimeter * 1000 * dMean) : 0;
  const CodeCheck punching =
      withTerms(makeCheck(CheckKind::Punching, "punching", tv2, punchingStrength(fck, a.aspect()), "N/mm2", kPunchingClause),
                {{"Vu", V2, "kN"}, {"b0", sec.perimeter * 1000, "mm"}, {"d", dMean, "mm"}});

  for (const auto* list : {&bending, &steel, &shear})
    for (const CodeCheck& c : *list) t.depthFails = t.depthFails || !c.ok;
  t.depthFails = t.depthFails || !punching.ok;
  for (auto* list : {&bending, &steel, &shear}) t.checks.insert(t.checks.end(), list->begin(), list->end());
  t.checks.push_back(punching);
  for (auto* list : {&minimum, &spacing}) t.checks.insert(t.checks.end(), list->begin(), list->end());
  t.checks.push_back(makeCheck(CheckKind::EdgeDepth, "edge depth", kMinEdgeDepth, D, "mm", kEdgeDepthClause));
  t.checks.insert(t.checks.end(), development.begin(), development.end());
  return t;
}

// Net upward pressure of footing s's row: the edge pressure with the reactions as read of the design
// case whose pressure times its load factor is largest, the first of equals governing, then rounded up
// to a whole kN/m2 as the groups' is; the row keeps that case's load factor.
void setNetPressure(const Project& p, int s, FootingRow& row) {
  float q = 0;
  double factored = 0;
  for (const CaseUse& u : designCases(p, s)) {
    const float pressure = static_cast<float>(edgePressures(p, s, u.position, row.L, row.B, 1.0).max);
    if (factored < u.factor * pressure) {
      factored = u.factor * pressure;
      q = pressure;
      row.LoadFactor = u.factor;
      row.GovFooting = s;
      row.GovCase = u.position;
    }
  }
  row.NetPressure = roundToSingle(q + 0.49, 0);
}

}  // namespace

FootingRow designRectangularRow(const Project& p, int s, int number, const RowEdit& edit) {
  FootingRow row;
  row.kind = FootingRow::Kind::Rectangular;
  row.number = number;
  if (s < 1 || s > p.FootingCount) return row;
  row.footings = {s};
  const FootingRecord& f = p.FootingTable[s];
  row.L = f.SizeL;
  row.B = f.SizeB;
  row.Pedestal = editedPedestal(ownPedestal(p, s), edit);
  const int16_t edited = edit.barDia && *edit.barDia > 0 ? *edit.barDia : int16_t{0};
  row.BarDia = edited;

  if (!(row.L > 0) || !(row.B > 0)) return row;
  setNetPressure(p, s, row);
  if (!gradeProblem(p.Fck, p.Fe).empty()) return row;

  const double L = row.L, B = row.B;
  const PedestalSides a = row.Pedestal;  // x along L, z along B
  const double qu = row.LoadFactor * row.NetPressure;
  // A footing off its column: each cantilever is measured to its own edge, the longer one governs.
  const Eccentricity e = footingEccentricity(p, s);
  auto direction = [&](const char* name, double run, double across, double side, double offset) {
    Direction d;
    d.name = name;
    d.run = run;
    d.across = across;
    d.cant = (run - side) / 2 + std::fabs(offset);  // from this direction's own pedestal face
    const double c = std::max(d.cant, 0.0);
    d.Mu = qu * across * c * c / 2;  // cl. 34.2.3.2: at the pedestal face
    d.band = run < across;           // the shorter direction of an oblong footing
    return d;
  };
  const Direction dL = direction("along L", L, B, a.x, e.ex), dB = direction("along B", B, L, a.z, e.ez);

  // The depth the larger moment needs with the smallest bars (or the edited ones) in place: the outer
  // layer's d = D - 50 - dia/2, the inner layer's one bar less.
  const SteelRules rules = steelRules(p.decisions.options);
  const double dia0 = edited > 0 ? edited : rules.diameters.front();
  const double cover = rules.cover;
  const bool outerL = L >= B;
  const double needL = depthForMoment(p.Fck, p.Fe, dL.Mu, B * 1000) + cover + (outerL ? dia0 / 2 : 1.5 * dia0);
  const double needB = depthForMoment(p.Fck, p.Fe, dB.Mu, L * 1000) + cover + (outerL ? 1.5 * dia0 : dia0 / 2);
  double D = startDepth(std::max(needL, needB));
  row.BendingDepth = roundToSingle(D / 1000, 3);
  // An edited depth below what bending needs is raised to it; a deeper one is taken as typed.
  const bool typed = edit.depth && std::isfinite(*edit.depth);
  if (typed) D = std::max(D, roundTo(*edit.depth * 1000.0, 1));

  // Deepened while a section check fails and, unless the engineer typed the depth (then the row is
  // flagged), until the dowels develop within the footing.
  auto mat = [](const Trial& trial) {
    std::vector<SteelLayer> layers = trial.alongL.layers;
    layers.insert(layers.end(), trial.alongB.layers.begin(), trial.alongB.layers.end());
    return bottomMat(layers);
  };
  // The pedestal's reinforcement, bearing and dowels on its own ax x az section.
  const PedestalLoad load = pedestalLoad(p, {s}, a);
  const Dowels dowels = dowelsFor(p, load, a);
  Trial t = trialAt(p, dL, dB, a, qu, D, edited, e);
  for (int k = 0; (t.depthFails || (!typed && !dowelsDeveloped(p, dowels, D, mat(t)))) && k < kMaxDeepenings; ++k) {
    D += kDeepenStep;
    t = trialAt(p, dL, dB, a, qu, D, edited, e);
  }
  row.TotalDepth = roundToSingle(D / 1000, 3);
  row.steel = t.alongL.layers;
  row.steel.insert(row.steel.end(), t.alongB.layers.begin(), t.alongB.layers.end());
  row.checks = isolatedSoilChecks(p, s, L, B, row.TotalDepth, a);
  if (const auto pedestal = pedestalAroundColumns(p, {s}, a)) row.checks.push_back(*pedestal);
  row.checks.insert(row.checks.end(), t.checks.begin(), t.checks.end());
  // A lifted footing: top steel along each side for the weight hanging on its cantilevers.
  if (const double U = largestUplift(p, {s}); U > 0)
    for (const Direction* dir : {&dL, &dB}) {
      const UpliftSteel top = upliftTopSteel(p, "top " + dir->name + " (uplift)", U, L * B, dir->across, dir->cant, D);
      row.steel.push_back(top.layer);
      row.checks.insert(row.checks.end(), top.checks.begin(), top.checks.end());
    }
  PedestalSite site;
  site.sides = a;
  site.D = D;
  site.mat = mat(t);
  site.reach = std::min((L - a.x) / 2 - std::fabs(e.ex), (B - a.z) / 2 - std::fabs(e.ez));
  const PedestalDesign pedestal = designPedestal(p, load, site);
  row.pedestals = {pedestal.steel};
  row.checks.insert(row.checks.end(), pedestal.checks.begin(), pedestal.checks.end());
  return row;
}

}  // namespace plintova
