// Soil pressure under a rigid rectangular footing with the soil in compression only.
#include "footing/no_tension.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace plintova {

namespace {

struct Point {
  double x = 0, z = 0;
};

// Integrals over a polygon of 1, x, z, x^2, x z and z^2 (Green's theorem over its edges).
struct Moments {
  double A = 0, Sx = 0, Sz = 0, Ixx = 0, Ixz = 0, Izz = 0;
};

Moments momentsOf(const std::vector<Point>& poly) {
  Moments m;
  const std::size_t n = poly.size();
  for (std::size_t i = 0; i < n; ++i) {
    const Point a = poly[i], b = poly[(i + 1) % n];
    const double cross = a.x * b.z - b.x * a.z;
    m.A += cross / 2;
    m.Sx += (a.x + b.x) * cross / 6;
    m.Sz += (a.z + b.z) * cross / 6;
    m.Ixx += (a.x * a.x + a.x * b.x + b.x * b.x) * cross / 12;
    m.Izz += (a.z * a.z + a.z * b.z + b.z * b.z) * cross / 12;
    m.Ixz += (a.x * b.z + 2 * a.x * a.z + 2 * b.x * b.z + b.x * a.z) * cross / 24;
  }
  return m;
}

// The plane of pressure q = a0 + a1 x + a2 z.
using Plane = std::array<double, 3>;

double at(const Plane& q, Point p) { return q[0] + q[1] * p.x + q[2] * p.z; }

// The rectangle clipped to q > 0, anticlockwise.
std::vector<Point> contactPolygon(const Plane& q, double L, double B) {
  const Point corners[4] = {{-L / 2, -B / 2}, {L / 2, -B / 2}, {L / 2, B / 2}, {-L / 2, B / 2}};
  std::vector<Point> out;
  for (int i = 0; i < 4; ++i) {
    const Point a = corners[i], b = corners[(i + 1) % 4];
    const double qa = at(q, a), qb = at(q, b);
    if (qa > 0) out.push_back(a);
    if ((qa > 0) != (qb > 0)) {
      const double t = qa / (qa - qb);
      out.push_back({a.x + t * (b.x - a.x), a.z + t * (b.z - a.z)});
    }
  }
  return out;
}

// The force and the moments of the pressure over the contact, and the matrix that maps the plane on them.
struct Resultant {
  std::array<double, 3> force{};               // integral of q, of q x, of q z
  std::array<std::array<double, 3>, 3> matrix{};  // integrals of [1 x z]^T [1 x z] over the contact
};

Resultant resultantOf(const Plane& q, double L, double B) {
  const std::vector<Point> poly = contactPolygon(q, L, B);
  Resultant r;
  if (poly.size() < 3) return r;
  const Moments m = momentsOf(poly);
  r.matrix = {{{m.A, m.Sx, m.Sz}, {m.Sx, m.Ixx, m.Ixz}, {m.Sz, m.Ixz, m.Izz}}};
  for (int i = 0; i < 3; ++i) r.force[i] = r.matrix[i][0] * q[0] + r.matrix[i][1] * q[1] + r.matrix[i][2] * q[2];
  return r;
}

// Solves M y = v by Cramer's rule; false for a singular matrix.
bool solve3(const std::array<std::array<double, 3>, 3>& M, const std::array<double, 3>& v, Plane& y) {
  auto det = [](const std::array<std::array<double, 3>, 3>& a) {
    return a[0][0] * (a[1][1] * a[2][2] - a[1][2] * a[2][1]) - a[0][1] * (a[1][0] * a[2][2] - a[1][2] * a[2][0]) +
           a[0][2] * (a[1][0] * a[2][1] - a[1][1] * a[2][0]);
  };
  const double d = det(M);
  if (!(std::fabs(d) > 0) || !std::isfinite(d)) return false;
  for (int c = 0; c < 3; ++c) {
    auto Mc = M;
    for (int r = 0; r < 3; ++r) Mc[r][c] = v[r];
    y[c] = det(Mc) / d;
  }
  return true;
}

// The residual of equilibrium relative to the load: |force - target| / P in force and lever arms.
double residual(const Resultant& r, const std::array<double, 3>& target, double P, double L, double B) {
  return std::fabs(r.force[0] - target[0]) / P + std::fabs(r.force[1] - target[1]) / (P * L) +
         std::fabs(r.force[2] - target[2]) / (P * B);
}

constexpr int kMaxSteps = 200;
constexpr double kTolerance = 1e-12;

}  // namespace

double uniaxialPeak(double P, double e, double L, double B) {
  e = std::fabs(e);
  if (!(P > 0) || !(e < L / 2)) return 0;
  if (e <= L / 6) return P / (B * L) * (1 + 6 * e / L);
  return 2 * P / (3 * B * (L / 2 - e));
}

PressureUnderFooting pressureUnderFooting(double P, double Mx, double Mz, double L, double B) {
  PressureUnderFooting out;
  Mx = std::fabs(Mx);
  Mz = std::fabs(Mz);
  const double mean = P / (L * B), bending = 6 * Mz / (B * L * L) + 6 * Mx / (L * B * B);
  out.max = mean + bending;
  out.min = mean - bending;
  if (out.min >= 0) return out;
  out.partial = true;
  const double ex = P > 0 ? Mz / P : 0, ez = P > 0 ? Mx / P : 0;
  if (!(P > 0) || !(ex < L / 2) || !(ez < B / 2)) {
    out.balanced = false;
    out.contact = 0;
    return out;
  }
  // Newton's method from the linear plane. The integrals of a linear function over the contact are
  // exactly the moment matrix times the plane, and the moving boundary adds nothing to the derivative
  // (the pressure is zero there), so each step solves that matrix for the target; halving the step
  // keeps the residual falling where the contact changes shape.
  const std::array<double, 3> target = {P, P * ex, P * ez};
  Plane q = {mean, 12 * Mz / (B * L * L * L), 12 * Mx / (L * B * B * B)};
  Resultant r = resultantOf(q, L, B);
  double res = residual(r, target, P, L, B);
  for (int step = 0; step < kMaxSteps && res > kTolerance; ++step) {
    Plane next;
    if (!solve3(r.matrix, target, next)) break;
    double lambda = 1;
    bool improved = false;
    for (int halving = 0; halving < 40 && !improved; ++halving, lambda /= 2) {
      const Plane trial = {q[0] + lambda * (next[0] - q[0]), q[1] + lambda * (next[1] - q[1]),
                           q[2] + lambda * (next[2] - q[2])};
      const Resultant rt = resultantOf(trial, L, B);
      const double rr = residual(rt, target, P, L, B);
      if (rr < res) {
        q = trial;
        r = rt;
        res = rr;
        improved = true;
      }
    }
    if (!improved) break;
  }
  const double corners[4] = {at(q, {L / 2, B / 2}), at(q, {-L / 2, B / 2}), at(q, {L / 2, -B / 2}),
                             at(q, {-L / 2, -B / 2})};
  out.max = *std::max_element(corners, corners + 4);
  out.contact = r.matrix[0][0] / (L * B);
  return out;
}

}  // namespace plintova
