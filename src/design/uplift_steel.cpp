// Top steel of a footing that its column lifts.
#include "design/uplift_steel.h"

#include <algorithm>
#include <cmath>

#include "design/is456.h"
#include "footing/case_basis.h"
#include "model/grades.h"

namespace plintova {

using namespace is456;

double largestUplift(const Project& p, const std::vector<int>& supports) {
  std::vector<std::pair<int, double>> sums;  // design case, factored FY of all supports
  for (int s : supports)
    for (const CaseUse& u : designCases(p, s)) {
      const double fy = u.factor * p.ReactionTable(s, u.position, 2);
      auto it = std::find_if(sums.begin(), sums.end(), [&u](const auto& e) { return e.first == u.loadCase; });
      if (it == sums.end()) sums.push_back({u.loadCase, fy});
      else it->second += fy;
    }
  double U = 0;
  for (const auto& [n, fy] : sums) U = std::max(U, -fy);
  return U;
}

namespace {

struct Trial {
  Bars bars;
  double d = 0, Ast = 0, Ld = 0, anchorage = 0, minimum = 0;
  bool bent = false;
};

Trial trialOf(const Project& p, double Mu, double width, double cant, double D, int16_t dia) {
  Trial t;
  const SteelRules rules = steelRules(p.decisions.options);
  t.d = effectiveDepth(D, 0, dia, rules.cover);
  const double b = width * 1000;
  t.minimum = minimumSteel(p.Fe, b, D);
  const double bending = steelForMoment(p.Fck, p.Fe, Mu, b, t.d);
  t.Ast = std::max(bending, t.minimum);
  t.bars = placeBars(t.Ast, b, dia, 2, std::min(3 * t.d, kMaxSpacing), rules.step, rules.cover);
  // cl. 26.2.1 at the pedestal face, with a 90 degree bend where the straight bar is too short.
  const Anchorage a = anchorageAt(p.Fck, p.Fe, dia, stressRatio(bending, t.bars.area), cant * 1000 - rules.cover);
  t.Ld = a.required;
  t.anchorage = a.provided;
  t.bent = a.bent;
  return t;
}

}  // namespace

UpliftSteel upliftTopSteel(const Project& p, const std::string& where, double U, double area, double width,
                           double cant, double D) {
  const double c = std::max(cant, 0.0);
  // cl. 34.2.3.2: the moment at the pedestal face of the factored uplift spread over the footing.
  const double Mu = (area > 0 ? U / area : 0) * width * c * c / 2;
  std::vector<Trial> tried;
  std::vector<BarOption> options;
  const SteelRules rules = steelRules(p.decisions.options);
  for (int16_t dia : rules.diameters) {
    tried.push_back(trialOf(p, Mu, width, c, D, dia));
    options.push_back({dia, tried.back().Ld <= tried.back().anchorage, static_cast<double>(tried.back().bars.spacing)});
  }
  const Trial& t = tried[chooseBarOption(options, rules.minSpacing)];
  UpliftSteel out;
  out.layer.where = where;
  out.layer.Ast = t.Ast;
  out.layer.dia = t.bars.dia;
  out.layer.spacing = t.bars.spacing;
  out.layer.bars = t.bars.count;
  out.layer.width = width;
  out.layer.d = static_cast<Single>(t.d);
  out.layer.bent = t.bent;
  const double b = width * 1000;
  // What each check was worked out from, so that the report writes its substitution out.
  const std::vector<CheckTerm> section{{"Mu", Mu, "kN m"}, {"b", b, "mm"}, {"d", t.d, "mm"}};
  std::vector<CheckTerm> provided = section;
  provided.push_back({"As", t.bars.area, "mm2"});
  out.checks = {
      withTerms(makeCheck(CheckKind::Bending, "bending, " + where, Mu, limitingMoment(p.Fck, p.Fe, b, t.d), "kN m", kBendingClause),
                section),
      withTerms(makeCheck(CheckKind::SteelForBending, "steel for bending, " + where, Mu, momentOfResistance(p.Fck, p.Fe, t.bars.area, b, t.d),
                          "kN m", kSteelClause),
                provided),
      withTerms(makeCheck(CheckKind::MinimumSteel, "minimum steel, " + where, t.minimum, t.bars.area, "mm2", kMinSteelClause),
                {{"b", b, "mm"}, {"D", D, "mm"}}),
      withTerms(makeCheck(CheckKind::BarSpacing, "bar spacing, " + where, t.bars.spacing, std::min(3 * t.d, kMaxSpacing), "mm", kSpacingClause),
                {{"d", t.d, "mm"}}),
      withTerms(makeCheck(CheckKind::DevelopmentLength, "development length, " + where, t.Ld, t.anchorage, "mm", developmentClause(p.Fck)),
                {{"phi", static_cast<double>(t.bars.dia), "mm"}}),
  };
  return out;
}

void addGroupTopSteel(const Project& p, SizeGroupRecord& row) {
  row.topSteel.clear();
  double U = 0;
  for (int k = 1; k <= row.MemberCount; ++k) {
    const int s = row.Members[k];
    if (s >= 1 && s <= p.FootingCount) U = std::max(U, largestUplift(p, {s}));
  }
  if (!(U > 0) || !gradeProblem(p.Fck, p.Fe).empty()) return;
  const double B = row.GroupSize;
  const double cant = (B - row.Pedestal.shorter()) / 2 + row.Offset;  // the longer cantilever governs
  const UpliftSteel top = upliftTopSteel(p, "top each way (uplift)", U, B * B, B, cant, row.TotalDepth * 1000.0);
  row.topSteel.push_back(top.layer);
  row.checks.insert(row.checks.end(), top.checks.begin(), top.checks.end());
}

}  // namespace plintova
