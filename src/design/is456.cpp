// IS 456:2000 rules shared by the row designs and the checks: section strength, bond, bars, punching.
#include "design/is456.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <utility>

#include "design/shear_table.h"
#include "model/numbers.h"

namespace plintova::is456 {

namespace {

constexpr double kTolerance = 1e-9;

// Whole-number ceiling that ignores the last bits of a quotient meant to be whole (2.0000000001 -> 2).
double ceilWhole(double x) { return std::ceil(x - kTolerance); }

int16_t toCount(double n) {
  if (!(n >= 0)) return 0;
  return static_cast<int16_t>(std::min(n, static_cast<double>(std::numeric_limits<int16_t>::max())));
}

}  // namespace

double xuMaxRatio(int fe) {
  // The note to cl. 38.1 gives the three grades of the code; any other follows from the strains.
  if (fe == 250) return 0.53;
  if (fe == 415) return 0.48;
  if (fe == 500) return 0.46;
  if (fe <= 0) return 0;
  return kConcreteStrain / (kConcreteStrain + 0.002 + 0.87 * fe / kSteelModulus);
}

double limitingMomentFactor(int fe) {
  // Annex G-1.1 c, as the code's commentaries table it for its three grades.
  if (fe == 250) return 0.148;
  if (fe == 415) return 0.138;
  if (fe == 500) return 0.133;
  const double x = xuMaxRatio(fe);
  return roundTo(0.36 * x * (1 - 0.416 * x), 3);
}

double limitingMoment(int fck, int fe, double b, double d) {
  if (!(d > 0) || !(b > 0)) return 0;
  return limitingMomentFactor(fe) * fck * b * d * d / 1e6;
}

double depthForMoment(int fck, int fe, double Mu, double b) {
  if (!(Mu > 0) || !(b > 0)) return 0;
  return std::sqrt(Mu * 1e6 / (limitingMomentFactor(fe) * fck * b));
}

double steelForMoment(int fck, int fe, double Mu, double b, double d) {
  if (!(Mu > 0) || !(b > 0) || !(d > 0)) return 0;
  const double k = Mu * 1e6 / (b * d * d);  // N/mm2
  double t = 1 - 4.6 * k / fck;
  if (t < 0) t = 0;
  const double pt = (1 - std::sqrt(t)) * fck / (2.0 * fe) * 100;
  return pt / 100 * b * d;
}

double momentOfResistance(int fck, int fe, double Ast, double b, double d) {
  if (!(Ast > 0) || !(b > 0) || !(d > 0)) return 0;
  const double limit = limitingMoment(fck, fe, b, d);
  const double As = std::min(Ast, steelForMoment(fck, fe, limit, b, d));
  const double M = 0.87 * fe * As * d * (1 - As * fe / (b * d * fck)) / 1e6;
  return std::min(M, limit);
}

double minimumSteel(int fe, double b, double D) {
  const double fraction = fe <= 250 ? 0.0015 : 0.0012;
  return fraction * std::max(b, 0.0) * std::max(D, 0.0);
}

double shearStrength(int fck, double pt) {
  // The table's last row reads "3.00 and above"; its interpolation ends just below 3.00.
  float p = static_cast<float>(std::min(pt, static_cast<double>(std::nextafter(3.0f, 0.0f))));
  return shearStrengthForGrade(fck, p);
}

double punchingStrength(int fck, double betaC) {
  const double ks = std::min(0.5 + betaC, 1.0);
  return ks * 0.25 * std::sqrt(static_cast<double>(fck));
}

double bondStress(int fck, int fe) {
  // cl. 26.2.1.1 for plain bars; the table starts at M20, and M15 takes 1.0 N/mm2 (the figure the
  // 1978 edition gave it).
  double tau = 1.0;
  if (fck >= 40) tau = 1.9;
  else if (fck >= 35) tau = 1.7;
  else if (fck >= 30) tau = 1.5;
  else if (fck >= 25) tau = 1.4;
  else if (fck >= 20) tau = 1.2;
  // Fe 250 is mild steel in plain bars; the stronger grades are deformed bars (cl. 26.2.1.1: +60 %).
  return fe > 250 ? tau * 1.6 : tau;
}

double developmentLength(int fck, int fe, double dia) { return dia * 0.87 * fe / (4 * bondStress(fck, fe)); }

double stressRatio(double needed, double provided) {
  if (!(provided > 0)) return 1;
  return std::clamp(needed / provided, 0.0, 1.0);
}

Anchorage anchorageAt(int fck, int fe, double dia, double ratio, double available) {
  Anchorage a;
  const double full = developmentLength(fck, fe, dia);
  a.required = std::max({full * std::clamp(ratio, 0.0, 1.0), 0.3 * full, 10 * dia, 100.0});
  a.provided = std::max(available, 0.0);
  if (a.provided < a.required && available > 0) {
    a.bent = true;
    a.provided += 8 * dia;  // cl. 26.2.2.1 b: a 90 degree bend with its 4 dia extension counts 8 dia
  }
  return a;
}

SteelRules steelRules(const DesignOptions& o) {
  SteelRules r;
  r.cover = o.cover;
  r.minSpacing = o.minBarSpacing;
  r.step = o.spacingStep > 0 ? o.spacingStep : 1;
  r.diameters.clear();
  for (int d : o.barDiameters) r.diameters.push_back(static_cast<int16_t>(d));
  if (r.diameters.empty()) r.diameters = {10, 12, 16, 20, 25};
  return r;
}

std::string developmentClause(int fck) {
  std::string clause = "IS 456 cl. 34.2.4.3, 26.2.1, 26.2.1.1";
  if (fck < 20) clause += " (tau_bd 1.0 N/mm2 taken for M15, below the table)";
  return clause;
}

double barArea(double dia) { return std::numbers::pi / 4 * dia * dia; }

double effectiveDepth(double D, double below, double dia, double cover) { return D - cover - below - dia / 2; }

double startDepth(double required) {
  return std::max(kMinTotalDepth, ceilWhole(required / kStartStep) * kStartStep);
}

Bars placeBars(double Ast, double width, int16_t dia, int footingEdges, double maxSpacing, double step,
               double cover) {
  Bars bars;
  bars.dia = dia;
  if (dia <= 0) return bars;
  const int f = std::clamp(footingEdges, 0, 2);
  const double inner = (2 - f) / 2.0;  // half spacings at edges inside the footing
  const double spread = std::max(0.0, width - f * (cover + dia / 2.0));
  const double byArea = Ast > 0 ? ceilWhole(Ast / barArea(dia)) : 0;
  const double bySpacing = maxSpacing > 0 ? ceilWhole(spread / maxSpacing + 1 - inner) : 0;
  const double count = std::max({byArea, bySpacing, f == 2 ? 2.0 : 1.0});
  bars.count = toCount(count);
  const double between = bars.count - 1 + inner;
  if (between > 0) {
    // Rounded down to the step; the count that spacing takes over the spread (never fewer bars).
    const double unit = step >= 1 ? step : 1;
    const double spacing = std::floor(spread / between / unit + kTolerance) * unit;
    if (spacing >= unit) {
      bars.count = toCount(std::max(count, ceilWhole(spread / spacing + 1 - inner)));
      bars.spacing = toCount(spacing);
    } else {
      bars.spacing = toCount(std::floor(spread / between + kTolerance));
    }
  }
  bars.area = bars.count * barArea(dia);
  return bars;
}

std::size_t chooseBarOption(const std::vector<BarOption>& options, double minSpacing) {
  // Among the anchored options when there are any, else among all (the row is flagged either way).
  const bool anyAnchored = std::any_of(options.begin(), options.end(), [](const BarOption& o) { return o.anchored; });
  std::size_t widest = options.size();
  for (std::size_t i = 0; i < options.size(); ++i) {
    if (anyAnchored && !options[i].anchored) continue;
    if (options[i].spacing >= minSpacing) return i;
    if (widest == options.size() || options[i].spacing > options[widest].spacing) widest = i;
  }
  return widest < options.size() ? widest : 0;
}

PunchingSection punchingSection(const Rect& footing, double cx, double cz, double side) {
  return punchingSection(footing, cx, cz, side, side);
}

PunchingSection punchingSection(const Rect& footing, double cx, double cz, double sideX, double sideZ) {
  PunchingSection s;
  const double hx = sideX / 2, hz = sideZ / 2;
  const double x0 = std::max(footing.x0, cx - hx), x1 = std::min(footing.x1, cx + hx);
  const double z0 = std::max(footing.z0, cz - hz), z1 = std::min(footing.z1, cz + hz);
  if (!(x1 > x0) || !(z1 > z0)) return s;
  auto inside = [](double v, double lo, double hi) { return v > lo && v < hi; };
  if (inside(cx - hx, footing.x0, footing.x1)) s.perimeter += z1 - z0;
  if (inside(cx + hx, footing.x0, footing.x1)) s.perimeter += z1 - z0;
  if (inside(cz - hz, footing.z0, footing.z1)) s.perimeter += x1 - x0;
  if (inside(cz + hz, footing.z0, footing.z1)) s.perimeter += x1 - x0;
  s.area = (x1 - x0) * (z1 - z0);
  return s;
}

CodeCheck makeCheck(CheckKind kind, std::string name, double demand, double capacity, std::string unit,
                    std::string clause) {
  CodeCheck c;
  c.kind = kind;
  c.name = std::move(name);
  c.demand = demand;
  c.capacity = capacity;
  c.unit = std::move(unit);
  c.clause = std::move(clause);
  c.ok = demand <= capacity;
  return c;
}

CodeCheck withTerms(CodeCheck check, std::vector<CheckTerm> terms) {
  check.terms = std::move(terms);
  return check;
}

CodeCheck concerning(CodeCheck check, std::vector<int> joints, int loadCase) {
  check.joints = std::move(joints);
  check.loadCase = loadCase;
  return check;
}

}  // namespace plintova::is456
