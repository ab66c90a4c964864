// The contact pressure under a rigid combined footing and its shear force and bending moment.
#include "design/combined_beam.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace plintova {

double ContactPressure::at(double x) const { return x < from || x > to ? 0.0 : alpha + beta * x; }

double ContactPressure::peak() const { return std::max(alpha + beta * from, alpha + beta * to); }

double ContactPressure::forceUpTo(double x) const {
  const double u = std::min(x, to);
  if (!(u > from)) return 0;
  return alpha * (u - from) + beta * (u * u - from * from) / 2;
}

double ContactPressure::momentAbout(double x) const {
  const double u = std::min(x, to);
  if (!(u > from)) return 0;
  // x times the force over [from, u] less its first moment about the footing's end.
  const double first = alpha * (u * u - from * from) / 2 + beta * (u * u * u - from * from * from) / 3;
  return x * forceUpTo(x) - first;
}

std::optional<ContactPressure> contactPressure(double P, double xR, double L) {
  const double e = xR - L / 2;
  if (!(P > 0) || !(L > 0) || !(std::fabs(e) < L / 2)) return std::nullopt;
  ContactPressure q;
  if (std::fabs(e) <= L / 6) {
    q.from = 0;
    q.to = L;
    q.alpha = P / L - 6 * P * e / (L * L);
    q.beta = 12 * P * e / (L * L * L);
    return q;
  }
  const double length = 3 * (L / 2 - std::fabs(e));
  const double peak = 2 * P / length;
  if (e > 0) {  // the contact runs from the far end
    q.from = L - length;
    q.to = L;
    q.beta = peak / length;
    q.alpha = -q.beta * q.from;
  } else {
    q.from = 0;
    q.to = length;
    q.alpha = peak;
    q.beta = -peak / length;
  }
  return q;
}

double BeamCase::shear(double x) const {
  double V = q.forceUpTo(x);
  for (const ColumnLoad& c : col)
    if (c.x < x) V -= c.P;
  return V;
}

double BeamCase::moment(double x) const {
  // Moments about x of what lies left of it: the pressure pushes up, a column load down; a couple that
  // turns the far end down bends the part beyond it as a sagging moment.
  double M = q.momentAbout(x);
  for (const ColumnLoad& c : col)
    if (c.x < x) M += -c.P * (x - c.x) + c.C;
  return M;
}

double BeamCase::leastMoment(double lo, double hi, double& where) const {
  if (shear(lo) >= 0) {
    where = lo;
  } else if (shear(hi) <= 0) {
    where = hi;
  } else {
    double a = lo, b = hi;
    for (int i = 0; i < 60; ++i) {
      const double m = (a + b) / 2;
      (shear(m) < 0 ? a : b) = m;
    }
    where = (a + b) / 2;
  }
  return moment(where);
}

std::optional<BeamCase> beamCase(double L, const ColumnLoad& first, const ColumnLoad& second, double* e) {
  const double P = first.P + second.P;
  if (!(P > 0)) return std::nullopt;
  const double xR = (first.P * first.x + second.P * second.x + first.C + second.C) / P;
  if (e) *e = xR - L / 2;
  const auto q = contactPressure(P, xR, L);
  if (!q) return std::nullopt;
  BeamCase b;
  b.L = L;
  b.q = *q;
  b.col[0] = first;
  b.col[1] = second;
  b.e = xR - L / 2;
  return b;
}

BeamDiagram beamDiagram(double L, const double columns[2], double a, const std::vector<BeamCase>& cases,
                        std::size_t hardest, int loadCase) {
  BeamDiagram d;
  if (cases.empty() || hardest >= cases.size()) return d;
  std::vector<double> x;
  constexpr int kStations = 80;
  for (int k = 0; k <= kStations; ++k) x.push_back(L * k / kStations);
  for (int j = 0; j < 2; ++j)
    for (double at : {columns[j] - 1e-6, columns[j] + 1e-6, columns[j] - a / 2, columns[j] + a / 2})
      if (at > 0 && at < L) x.push_back(at);
  std::sort(x.begin(), x.end());
  for (double at : x) {
    double vMax = -std::numeric_limits<double>::infinity(), vMin = -vMax, mMax = vMax, mMin = vMin;
    for (const BeamCase& c : cases) {
      vMax = std::max(vMax, c.shear(at));
      vMin = std::min(vMin, c.shear(at));
      mMax = std::max(mMax, c.moment(at));
      mMin = std::min(mMin, c.moment(at));
    }
    d.x.push_back(at);
    d.pressure.push_back(cases[hardest].q.at(at));
    d.shearMax.push_back(vMax);
    d.shearMin.push_back(vMin);
    d.momentMax.push_back(mMax);
    d.momentMin.push_back(mMin);
  }
  d.columns[0] = columns[0];
  d.columns[1] = columns[1];
  d.pressureCase = loadCase;
  return d;
}

}  // namespace plintova
