// Drawing a section or a plan of a footing to scale on the sheet: cut concrete with its hatch, bars,
// dimensions, levels and bar-mark tags, in paper millimetres from model millimetres.
#pragma once

#include <string>
#include <vector>

#include "draw/primitives.h"

namespace plintova::print {

// Model millimetres (x along the view, z downward from the ground level) to paper millimetres at 1:scale.
class SectionPen {
 public:
  SectionPen(double originX, double originZ, int scale, std::vector<draw::Primitive>& out)
      : ox_(originX), oz_(originZ), scale_(scale), out_(out) {}

  double px(double x) const { return ox_ + x / scale_; }
  double pz(double z) const { return oz_ + z / scale_; }
  int scale() const { return scale_; }

  // A rectangle of cut concrete: its outline (SECTION) and a hatch of lines at 45 degrees (HATCH),
  // turned the other way where `reverse` (a second pour next to the first).
  void concrete(double x1, double z1, double x2, double z2, bool reverse = false);
  // An outline of concrete not cut (SECTION).
  void outline(double x1, double z1, double x2, double z2, draw::LineStyle style = draw::LineStyle::Solid);
  void sectionLine(double x1, double z1, double x2, double z2, double width = 1,
                   draw::LineStyle style = draw::LineStyle::Solid);
  // A bar along the view through model points (REBAR), dashed for top bars seen in plan.
  void bar(std::vector<draw::Point> points, draw::LineStyle style = draw::LineStyle::Solid, double width = 4);
  // A bar cut across (REBAR): a filled dot of the bar's diameter, at least 0.7 mm across on paper.
  void dot(double x, double z, double dia);
  // A dimension between model points along X (or Z when `vertical`), its line `offset` paper mm from the
  // points (left or up where negative), its figure the model length.
  // `textShift` moves the figure further across (a second tier).
  void dimension(double a, double b, double at, bool vertical, double offset, const std::string& value = "",
                 double textShift = 0);
  // A level: a line from x1 to x2 at z with its name above it at the left end (SECTION).
  void level(double x1, double x2, double z, const std::string& name);
  // A circled tag naming a bar mark at paper point (tx, tz), its leader to the model point (x, z).
  void tag(double tx, double tz, double x, double z, const std::string& name);
  // A text in paper millimetres (SECTION).
  void text(double x, double z, const std::string& s, draw::HAlign h = draw::HAlign::Left, bool bold = false);

 private:
  double ox_, oz_;
  int scale_;
  std::vector<draw::Primitive>& out_;
};

// The radius of a bar-mark tag's circle on paper, mm.
constexpr double kTagRadius = 2.6;

}  // namespace plintova::print
