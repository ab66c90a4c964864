// Uplift, sliding and overturning of a footing under every load case.
#include "design/stability_checks.h"

#include <cmath>
#include <limits>
#include <string>
#include <unordered_map>

#include "design/is456.h"
#include "footing/soil_checks.h"
#include "model/numbers.h"

namespace plintova {

namespace {

const std::string kUpliftClause = "IS 456 cl. 20.1 (uplift)";
const std::string kSlidingClause = "IS 456 cl. 20.2 (sliding)";
const std::string kOverturningClause = "IS 456 cl. 20.1 (overturning)";

// One load case of the footing: the loads of its supports added up, about the footing's centre.
struct CaseLoads {
  int loadCase = 0;
  double fy = 0, fx = 0, fz = 0;
  double mx = 0, mz = 0;  // |MX'| + |FZ| h and |MZ'| + |FX| h of the whole footing
};

std::vector<CaseLoads> casesOf(const Project& p, const StabilityFooting& f) {
  std::vector<CaseLoads> cases;
  struct Signed {
    double mx = 0, mz = 0;
  };
  std::vector<Signed> centre;
  std::unordered_map<int, std::size_t> caseIndex;  // position in `cases` of each load case, in first-seen order
  const double h = p.decisions.options.supportHeight;
  for (std::size_t i = 0; i < f.supports.size(); ++i) {
    const int s = f.supports[i];
    const Eccentricity e = i < f.fromColumns.size() ? f.fromColumns[i] : footingEccentricity(p, s);
    for (const CaseUse& u : soilCases(p, s)) {
      const UndersideLoad l = undersideLoad(p, s, u, 1.0, e);
      const int n = u.loadCase;
      const auto [slot, added] = caseIndex.try_emplace(n, cases.size());
      const std::size_t k = slot->second;
      if (added) {
        cases.push_back({n});
        centre.push_back({});
      }
      cases[k].fy += l.fy;
      // Without horizontal forces in the reactions (a table without fx and fz) none is taken.
      if (p.HorizontalForcesKnown) {
        cases[k].fx += l.fx;
        cases[k].fz += l.fz;
      }
      centre[k].mx += l.mxCentre;
      centre[k].mz += l.mzCentre;
    }
  }
  for (std::size_t k = 0; k < cases.size(); ++k) {
    cases[k].mx = std::fabs(centre[k].mx) + std::fabs(cases[k].fz) * h;
    cases[k].mz = std::fabs(centre[k].mz) + std::fabs(cases[k].fx) * h;
  }
  return cases;
}

// The worst of one kind of check: the largest demand over capacity, the first of equals. Only the
// worst case's check is named, once all cases are seen: a footing has hundreds of cases.
struct Worst {
  double ratio = -1, demand = 0, capacity = 0;
  const char* what = nullptr;  // none until a case is taken
  int loadCase = 0;
  char axis = 0;  // the direction of the worst case, where the check has one
  void take(double d, double c, const char* w, int lc, char ax = 0) {
    const double r = c > 0 ? d / c : (d > 0 || c < 0 ? std::numeric_limits<double>::infinity() : 0.0);
    if (r > ratio) *this = {r, d, c, w, lc, ax};
  }
  std::string name(const std::string& at) const { return what ? what + at + std::to_string(loadCase) : std::string(); }
};

}  // namespace

std::vector<CodeCheck> stabilityChecks(const Project& p, const StabilityFooting& f) {
  const DesignOptions& o = p.decisions.options;
  const double W = footingWeight(o, p.FoundingDepth, f.L, f.B, f.D, f.pedestal, f.pedestals);
  std::string joints;
  for (int s : f.supports) joints += (joints.empty() ? "" : " and ") + numberText(p.FootingTable[s].JointNo);
  const std::string at = (f.supports.size() > 1 ? " at joints " : " at joint ") + joints + ", load case ";
  const bool horizontal = p.HorizontalForcesKnown;
  Worst uplift, sliding, overturning;
  for (const CaseLoads& c : casesOf(p, f)) {
    const int lc = c.loadCase;
    const double N = c.fy <= 0 ? kRestoringWeightFactor * W + c.fy : kRestoringWeightFactor * (W + c.fy);
    uplift.take(o.upliftFactor * std::max(-c.fy, 0.0), kRestoringWeightFactor * W, "uplift", lc);
    const double H = horizontal ? std::hypot(c.fx, c.fz) : 0.0;
    sliding.take(o.slidingFactor * H, o.friction * N, "sliding", lc);
    overturning.take(o.overturningFactor * c.mx, N * f.B / 2, "overturning about the edges parallel to X", lc, 'X');
    overturning.take(o.overturningFactor * c.mz, N * f.L / 2, "overturning about the edges parallel to Z", lc, 'Z');
  }
  std::string slidingName = sliding.name(at), overturningName = overturning.name(at);
  if (!horizontal) {
    slidingName += ": horizontal forces not given, not checked";
    overturningName += " (moments only: horizontal forces not given)";
  }
  using is456::concerning;
  using is456::makeCheck;
  std::vector<int> jointNumbers;
  for (int s : f.supports) jointNumbers.push_back(p.FootingTable[s].JointNo);
  CodeCheck overturningCheck = concerning(makeCheck(CheckKind::Overturning, overturningName, overturning.demand,
                                                    overturning.capacity, "kN m", kOverturningClause),
                                          jointNumbers, overturning.loadCase);
  overturningCheck.axis = overturning.axis;
  return {concerning(makeCheck(CheckKind::Uplift, uplift.name(at), uplift.demand, uplift.capacity, "kN", kUpliftClause),
                     jointNumbers, uplift.loadCase),
          concerning(makeCheck(CheckKind::Sliding, slidingName, sliding.demand, sliding.capacity, "kN", kSlidingClause),
                     jointNumbers, sliding.loadCase),
          overturningCheck};
}

}  // namespace plintova
