// Cut concrete, bars, dimensions, levels and tags of the sections, in paper millimetres.
#include "print/section_pen.h"

#include <algorithm>
#include <cmath>

#include "model/numbers.h"
#include "print/sheet_text.h"

namespace plintova::print {

using draw::Point;
using draw::Primitive;
using draw::Role;

namespace {

constexpr double kHatchPitch = 1.6;       // paper mm between hatch lines
constexpr draw::Rgb kHatchGrey{150, 150, 150};
constexpr double kOutlineWidth = 3;
constexpr double kLeastDot = 0.7;         // paper mm
constexpr double kSectionText = 10;       // points: the sheet's smallest text

}  // namespace

void SectionPen::concrete(double x1, double z1, double x2, double z2, bool reverse) {
  const double l = px(std::min(x1, x2)), r = px(std::max(x1, x2)), t = pz(std::min(z1, z2)), b = pz(std::max(z1, z2));
  if (!(r - l > 0.05) || !(b - t > 0.05)) return;
  // Lines x - s z = c (or x + s z = c), clipped to the rectangle.
  const double sign = reverse ? -1 : 1;
  const double c0 = sign > 0 ? l - b : l + t, c1 = sign > 0 ? r - t : r + b;
  const double step = kHatchPitch * std::sqrt(2.0);
  for (double c = std::ceil(c0 / step) * step; c <= c1; c += step) {
    // Points on the line: x = c + sign z. Clip z so that x stays within [l, r].
    double za = t, zb = b;
    const double zl = (l - c) * sign, zr = (r - c) * sign;
    za = std::max(za, std::min(zl, zr));
    zb = std::min(zb, std::max(zl, zr));
    if (zb - za < 0.05) continue;
    Primitive h = draw::line(c + sign * za, za, c + sign * zb, zb, Role::Hatch);
    h.colour = kHatchGrey;
    h.width = 1;
    out_.push_back(h);
  }
  Primitive o = draw::box(l, t, r, b, Role::Section);
  o.width = kOutlineWidth;
  out_.push_back(o);
}

void SectionPen::outline(double x1, double z1, double x2, double z2, draw::LineStyle style) {
  Primitive o = draw::box(px(x1), pz(z1), px(x2), pz(z2), Role::Section);
  o.width = 3;
  o.style = style;
  out_.push_back(o);
}

void SectionPen::sectionLine(double x1, double z1, double x2, double z2, double width, draw::LineStyle style) {
  Primitive o = draw::line(px(x1), pz(z1), px(x2), pz(z2), Role::Section);
  o.width = width;
  o.style = style;
  out_.push_back(o);
}

void SectionPen::bar(std::vector<Point> points, draw::LineStyle style, double width) {
  for (Point& q : points) q = {px(q.x), pz(q.z)};
  Primitive b = draw::polyline(std::move(points), false, Role::Rebar);
  b.width = width;
  b.style = style;
  out_.push_back(b);
}

void SectionPen::dot(double x, double z, double dia) {
  Primitive c = draw::circle(px(x), pz(z), std::max(dia / scale_, kLeastDot) / 2, Role::Rebar);
  c.filled = true;
  c.fillColour = draw::kBlack;
  out_.push_back(c);
}

void SectionPen::dimension(double a, double b, double at, bool vertical, double offset, const std::string& value,
                           double textShift) {
  if (a > b) std::swap(a, b);
  const std::string figure = value.empty() ? numberText(std::round(b - a)) : value;
  const double pa = vertical ? pz(a) : px(a), pb = vertical ? pz(b) : px(b);
  const double from = vertical ? px(at) : pz(at), across = from + offset;
  const double textAcross = across - 1.8 + textShift;  // the figure on the far side of the line
  Primitive d = vertical ? draw::dimension(from, pa, from, pb, true, across, figure, {textAcross, (pa + pb) / 2})
                         : draw::dimension(pa, from, pb, from, false, across, figure, {(pa + pb) / 2, textAcross});
  d.fontSize = kSectionText;
  d.width = 1;
  d.dimensionScale = scale_;
  out_.push_back(d);
}

void SectionPen::level(double x1, double x2, double z, const std::string& name) {
  sectionLine(x1, z, x2, z, 2);
  // The level's triangle standing on the line, and its name beside it.
  const double x = px(x1) + 1.5, y = pz(z);
  Primitive tri = draw::polyline({{x, y}, {x - 1.2, y - 1.8}, {x + 1.2, y - 1.8}}, true, Role::Section);
  tri.width = 1;
  out_.push_back(tri);
  text(x + 2, y - 2.2, name);
}

void SectionPen::tag(double tx, double tz, double x, double z, const std::string& name) {
  const double mx = px(x), mz = pz(z);
  const double dx = mx - tx, dz = mz - tz, len = std::hypot(dx, dz);
  if (len > kTagRadius) {
    Primitive leader = draw::line(tx + dx / len * kTagRadius, tz + dz / len * kTagRadius, mx, mz, Role::Section);
    leader.width = 1;
    out_.push_back(leader);
  }
  Primitive c = draw::circle(tx, tz, kTagRadius, Role::Section);
  c.width = 1;
  c.filled = true;
  c.fillColour = draw::kWhite;
  out_.push_back(c);
  out_.push_back(sheetText(tx, tz, name, kSectionText, Role::Section));
}

void SectionPen::text(double x, double z, const std::string& s, draw::HAlign h, bool bold) {
  out_.push_back(sheetText(x, z, s, kSectionText, Role::Section, bold, h, draw::VAlign::Middle));
}

}  // namespace plintova::print
