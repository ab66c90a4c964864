// The drawing description: constructors, text bounds, the readable dump and hit-testing.
#include "draw/primitives.h"

#include <algorithm>
#include <cmath>

#include "model/numbers.h"

namespace plintova::draw {

Primitive line(double x1, double z1, double x2, double z2, Role role, Id id) {
  Primitive p;
  p.shape = Shape::Line;
  p.role = role;
  p.id = id;
  p.x1 = x1, p.z1 = z1, p.x2 = x2, p.z2 = z2;
  return p;
}

Primitive box(double x1, double z1, double x2, double z2, Role role, Id id) {
  Primitive p = line(x1, z1, x2, z2, role, id);
  p.shape = Shape::Box;
  return p;
}

Primitive text(double x, double z, std::string s, HAlign h, VAlign v, Role role, Id id) {
  Primitive p;
  p.shape = Shape::Text;
  p.role = role;
  p.id = id;
  p.x1 = p.x2 = x;
  p.z1 = p.z2 = z;
  p.text = std::move(s);
  p.halign = h;
  p.valign = v;
  return p;
}

Primitive circle(double cx, double cz, double radius, Role role, Id id) {
  Primitive p = line(cx, cz, cx, cz, role, id);
  p.shape = Shape::Circle;
  p.radius = radius;
  return p;
}

Primitive polyline(std::vector<Point> points, bool closed, Role role, Id id) {
  Primitive p;
  p.shape = Shape::Polyline;
  p.role = role;
  p.id = id;
  if (!points.empty()) {
    p.x1 = points.front().x, p.z1 = points.front().z;
    p.x2 = points.back().x, p.z2 = points.back().z;
  }
  p.points = std::move(points);
  p.closed = closed;
  return p;
}

Primitive dimension(double x1, double z1, double x2, double z2, bool vertical, double across, std::string value,
                    Point textAt, Role role) {
  Primitive p = line(x1, z1, x2, z2, role);
  p.shape = Shape::Dimension;
  p.vertical = vertical;
  p.dimensionLine = across;
  p.text = std::move(value);
  p.textAt = textAt;
  p.halign = HAlign::Centre;
  p.valign = VAlign::Middle;
  p.filled = true;
  return p;
}

std::vector<Primitive> dimensionParts(const Primitive& d) {
  std::vector<Primitive> parts;
  auto add = [&](Primitive q, double width) {
    q.role = d.role;
    q.id = d.id;
    q.colour = d.colour;
    q.width = width;
    parts.push_back(std::move(q));
  };
  // Along the measured direction (a) and across it (c), mapped back to X and Z.
  const double a1 = d.vertical ? d.z1 : d.x1, a2 = d.vertical ? d.z2 : d.x2;
  const double c1 = d.vertical ? d.x1 : d.z1, c2 = d.vertical ? d.x2 : d.z2;
  auto at = [&](double along, double across) {
    return d.vertical ? Point{across, along} : Point{along, across};
  };
  auto segment = [&](Point p, Point q, double width) { add(line(p.x, p.z, q.x, q.z), width); };
  const double lo = std::min(a1, a2), hi = std::max(a1, a2), c = d.dimensionLine;
  segment(at(lo - kDimensionLineBeyond, c), at(hi + kDimensionLineBeyond, c), d.width);
  for (const auto& [along, from] : {std::pair{a1, c1}, std::pair{a2, c2}}) {
    if (std::fabs(from - c) > 1e-9) {
      const double beyond = c + (c > from ? kExtensionBeyond : -kExtensionBeyond);
      segment(at(along, from), at(along, beyond), d.width);
    }
  }
  // Ticks rise to the right along X and to the top along Z, at 45 degrees on the paper.
  for (double along : {a1, a2}) {
    const Point p = d.vertical ? Point{c - kTickHalf, along + kTickHalf} : Point{along - kTickHalf, c + kTickHalf};
    const Point q = d.vertical ? Point{c + kTickHalf, along - kTickHalf} : Point{along + kTickHalf, c - kTickHalf};
    segment(p, q, kTickWidth);
  }
  if (!d.text.empty()) {
    Primitive t = text(d.textAt.x, d.textAt.z, d.text, HAlign::Centre, VAlign::Middle);
    t.vertical = d.vertical;
    t.fontSize = d.fontSize;
    t.bold = d.bold;
    t.filled = d.filled;
    t.fillColour = d.fillColour;
    add(t, 1);
  }
  return parts;
}

Rect unite(const Rect& a, const Rect& b) {
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

Rect textBounds(const Primitive& p, const TextSize& size) {
  // Offsets in the text's own frame: u along the reading direction, v from the glyph tops downward.
  double u0 = p.halign == HAlign::Centre ? -size.width / 2 : p.halign == HAlign::Right ? -size.width : 0;
  double v0 = p.valign == VAlign::Middle ? -size.height / 2 : p.valign == VAlign::Baseline ? -size.ascent : 0;
  if (!p.vertical) return {p.x1 + u0, p.z1 + v0, p.x1 + u0 + size.width, p.z1 + v0 + size.height};
  // Reading upward: u runs towards smaller Z, the glyph tops face smaller X.
  return {p.x1 + v0, p.z1 - u0 - size.width, p.x1 + v0 + size.height, p.z1 - u0};
}

std::vector<std::string> textLines(const std::string& s) {
  std::vector<std::string> lines(1);
  for (std::size_t i = 0; i < s.size(); ++i) {
    char c = s[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ++i;
      lines.emplace_back();
    } else {
      lines.back() += c;
    }
  }
  return lines;
}

namespace {

const char* roleName(Role r) {
  switch (r) {
    case Role::Other: return "Other";
    case Role::FootingOutline: return "FootingOutline";
    case Role::CombinedOutline: return "CombinedOutline";
    case Role::GridLine: return "GridLine";
    case Role::FootingLabel: return "FootingLabel";
    case Role::RequiredSize: return "RequiredSize";
    case Role::GapLink: return "GapLink";
    case Role::GapOutline: return "GapOutline";
    case Role::Selection: return "Selection";
    case Role::Beam: return "Beam";
    case Role::NodeMarker: return "NodeMarker";
    case Role::NodeLabel: return "NodeLabel";
    case Role::PageBorder: return "PageBorder";
    case Role::PageGrid: return "PageGrid";
    case Role::ColumnMark: return "ColumnMark";
    case Role::PageText: return "PageText";
    case Role::SheetGrid: return "SheetGrid";
    case Role::GridName: return "GridName";
    case Role::Pedestal: return "Pedestal";
    case Role::Column: return "Column";
    case Role::FootingMark: return "FootingMark";
    case Role::Dimension: return "Dimension";
    case Role::Schedule: return "Schedule";
    case Role::Notes: return "Notes";
    case Role::TitleBlock: return "TitleBlock";
    case Role::Section: return "Section";
    case Role::Rebar: return "Rebar";
    case Role::Hatch: return "Hatch";
  }
  return "?";
}

const char* styleName(LineStyle s) {
  switch (s) {
    case LineStyle::Solid: return "solid";
    case LineStyle::Dash: return "dash";
    case LineStyle::Dot: return "dot";
    case LineStyle::DashDot: return "dashdot";
    case LineStyle::DashDotDot: return "dashdotdot";
  }
  return "?";
}

std::string rgbText(Rgb c) {
  return "rgb(" + std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b) + ")";
}

std::string point(double x, double z) { return "(" + numberText(x) + "," + numberText(z) + ")"; }

std::string quoted(const std::string& s) {
  std::string out = "\"";
  for (char c : s) {
    if (c == '\r') out += "\\r";
    else if (c == '\n') out += "\\n";
    else if (c == '"' || c == '\\') out += std::string("\\") + c;
    else out += c;
  }
  return out + "\"";
}

double distanceToSegment(double x, double z, double x1, double z1, double x2, double z2) {
  double dx = x2 - x1, dz = z2 - z1;
  double len2 = dx * dx + dz * dz;
  double t = len2 > 0 ? std::clamp(((x - x1) * dx + (z - z1) * dz) / len2, 0.0, 1.0) : 0.0;
  return std::hypot(x - (x1 + t * dx), z - (z1 + t * dz));
}

double distanceToSegment(double x, double z, const Primitive& p) { return distanceToSegment(x, z, p.x1, p.z1, p.x2, p.z2); }

bool nearPolyline(double x, double z, const Primitive& p, double tolerance) {
  const std::vector<Point>& pts = p.points;
  if (pts.empty()) return false;
  if (p.closed) {
    double l = pts[0].x, r = pts[0].x, t = pts[0].z, b = pts[0].z;
    for (const Point& q : pts) l = std::min(l, q.x), r = std::max(r, q.x), t = std::min(t, q.z), b = std::max(b, q.z);
    return x >= l - tolerance && x <= r + tolerance && z >= t - tolerance && z <= b + tolerance;
  }
  if (pts.size() == 1) return std::hypot(x - pts[0].x, z - pts[0].z) <= tolerance;
  for (std::size_t i = 1; i < pts.size(); ++i)
    if (distanceToSegment(x, z, pts[i - 1].x, pts[i - 1].z, pts[i].x, pts[i].z) <= tolerance) return true;
  return false;
}

}  // namespace

std::string dump(const Primitive& p) {
  std::string s;
  switch (p.shape) {
    case Shape::Line: s = "line "; break;
    case Shape::Box: s = "box "; break;
    case Shape::Text: s = "text "; break;
    case Shape::Circle: s = "circle "; break;
    case Shape::Polyline: s = "polyline "; break;
    case Shape::Dimension: s = "dimension "; break;
  }
  s += roleName(p.role);
  if (p.id.kind != Id::Kind::None) {
    s += p.id.kind == Id::Kind::Footing ? " footing:" : p.id.kind == Id::Kind::Combined ? " combined:" : " group:";
    s += std::to_string(p.id.index);
  }
  if (p.shape == Shape::Text) {
    s += " " + point(p.x1, p.z1) + " " + quoted(p.text);
    if (p.halign != HAlign::Left || p.valign != VAlign::Top) {
      s += p.halign == HAlign::Left ? " left" : p.halign == HAlign::Centre ? " centre" : " right";
      s += p.valign == VAlign::Top ? " top" : p.valign == VAlign::Middle ? " middle" : " baseline";
    }
    if (p.vertical) s += " vertical";
    if (p.bold) s += " bold";
    if (p.fontSize != 8) s += " " + numberText(p.fontSize) + "pt";
  } else if (p.shape == Shape::Dimension) {
    s += " " + point(p.x1, p.z1) + "-" + point(p.x2, p.z2) + (p.vertical ? " along Z at x=" : " along X at z=") +
         numberText(p.dimensionLine) + " " + quoted(p.text) + " at " + point(p.textAt.x, p.textAt.z);
    if (p.fontSize != 8) s += " " + numberText(p.fontSize) + "pt";
  } else if (p.shape == Shape::Circle || p.shape == Shape::Polyline) {
    if (p.shape == Shape::Circle) {
      s += " " + point(p.x1, p.z1) + " r" + numberText(p.radius);
    } else {
      for (const Point& q : p.points) s += " " + point(q.x, q.z);
      if (p.closed) s += " closed";
    }
    if (p.width != 1) s += " w" + numberText(p.width);
    if (p.style != LineStyle::Solid) s += std::string(" ") + styleName(p.style);
  } else {
    s += " " + point(p.x1, p.z1) + "-" + point(p.x2, p.z2);
    if (p.width != 1) s += " w" + numberText(p.width);
    if (p.style != LineStyle::Solid) s += std::string(" ") + styleName(p.style);
  }
  if (!(p.colour == kBlack)) s += " " + rgbText(p.colour);
  if (p.filled) s += " fill " + rgbText(p.fillColour);
  return s;
}

std::string dump(const std::vector<Primitive>& list) {
  std::string s;
  for (const auto& p : list) s += dump(p) + "\n";
  return s;
}

const Primitive* hitTest(const std::vector<Primitive>& list, double x, double z, const TextMeasure& measure,
                         double tolerance, const std::function<bool(const Primitive&)>& accept) {
  for (auto it = list.rbegin(); it != list.rend(); ++it) {
    const Primitive& p = *it;
    if (p.id.kind == Id::Kind::None) continue;
    if (accept && !accept(p)) continue;
    switch (p.shape) {
      case Shape::Text: {
        if (p.text.empty() || !measure) break;
        Rect r = textBounds(p, measure(p));
        if (x >= r.left - tolerance && x <= r.right + tolerance && z >= r.top - tolerance && z <= r.bottom + tolerance)
          return &p;
        break;
      }
      case Shape::Box:
        if (x >= std::min(p.x1, p.x2) - tolerance && x <= std::max(p.x1, p.x2) + tolerance &&
            z >= std::min(p.z1, p.z2) - tolerance && z <= std::max(p.z1, p.z2) + tolerance)
          return &p;
        break;
      case Shape::Line:
        if (distanceToSegment(x, z, p) <= tolerance) return &p;
        break;
      case Shape::Circle:
        if (std::hypot(x - p.x1, z - p.z1) <= p.radius + tolerance) return &p;
        break;
      case Shape::Polyline:
        if (nearPolyline(x, z, p, tolerance)) return &p;
        break;
      case Shape::Dimension:
        break;  // annotation: never picked
    }
  }
  return nullptr;
}

}  // namespace plintova::draw
