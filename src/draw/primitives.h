// The drawing description: lines, boxes and texts in plan millimetres, their dump and hit-testing.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace plintova::draw {

enum class LineStyle : uint8_t { Solid, Dash, Dot, DashDot, DashDotDot };
enum class HAlign : uint8_t { Left, Centre, Right };  // along the reading direction of the text
enum class VAlign : uint8_t { Top, Middle, Baseline };  // across it: the top is the side of the glyph tops

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};
// Window geometry given in twips is shown at 15 twips per pixel.
constexpr int kTwipsPerPixel = 15;

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kPureRed{255, 0, 0};

// What a primitive shows, so that a window can treat some of them apart (picking, hiding labels).
enum class Role : uint8_t {
  Other,
  FootingOutline,   // adopted size of an isolated, hand-resized or disabled footing
  CombinedOutline,  // plan rectangle of a combined footing
  GridLine,
  FootingLabel,     // the per-footing label of the plan
  RequiredSize,     // required size drawn inside or around the adopted one
  GapLink,          // dashed line between the centres of two footings that clash
  GapOutline,       // emphasised outline of a footing that clashes with another
  Selection,        // the selection window dragged on the plan
  Beam,             // column view: a beam of the storey
  NodeMarker,       // column view: the marker of a supported column
  NodeLabel,        // column view: joint number on a marker
  PageBorder,
  PageGrid,
  ColumnMark,       // printed cross at a column
  PageText,
  // The drawing sheet (its layers in CAD are named after these).
  SheetGrid,        // grid line, its bubbles and match lines
  GridName,         // the name in a grid bubble
  Pedestal,
  Column,           // column section, or a cross where the section is unknown
  FootingMark,      // F1, R1, C1 on the sheet
  Dimension,        // dimension lines, ticks and figures
  Schedule,         // the footing schedule table
  Notes,            // the general notes
  TitleBlock,       // frame, title block, plan caption, scale bar, north arrow, key plan
  Section,          // sections: outlines of concrete, levels, tags, their texts and legends
  Rebar,            // sections: bars along the view and cut across
  Hatch,            // sections: the hatch of cut concrete
};

// The object a primitive stands for: a footing (index into the footing table), a combined footing or a
// size group. Primitives without an object have kind None.
struct Id {
  enum class Kind : uint8_t { None, Footing, Combined, Group };
  Kind kind = Kind::None;
  int index = 0;
  bool operator==(const Id&) const = default;
  static Id footing(int s) { return {Kind::Footing, s}; }
  static Id combined(int k) { return {Kind::Combined, k}; }
  static Id group(int g) { return {Kind::Group, g}; }
};

enum class Shape : uint8_t { Line, Box, Text, Circle, Polyline, Dimension };

// A point of a polyline.
struct Point {
  double x = 0, z = 0;
  bool operator==(const Point&) const = default;
};

// One primitive. Lines run from (x1, z1) to (x2, z2); boxes have those two corners; texts are anchored
// at (x1, z1); circles have their centre at (x1, z1) and their radius in `radius`; polylines run through
// `points`, back to the first one when `closed`. A dimension measures from (x1, z1) to (x2, z2), along X
// or, when `vertical`, along Z: its dimension line lies at `dimensionLine` across (Z of a dimension along
// X, X of one along Z), its figure `text` is centred on `textAt` and reads upward when vertical.
// Line widths are in device line units (1 = the thinnest line the device shows well), font sizes in
// points: neither scales with the plan. A text may hold several lines separated by "\r" or "\n".
struct Primitive {
  Shape shape = Shape::Line;
  Role role = Role::Other;
  Id id;
  double x1 = 0, z1 = 0, x2 = 0, z2 = 0;
  Rgb colour = kBlack;
  double width = 1;
  LineStyle style = LineStyle::Solid;
  bool filled = false;  // boxes: filled under the outline; texts: an opaque background behind the text
  Rgb fillColour = kWhite;
  std::string text;
  HAlign halign = HAlign::Left;
  VAlign valign = VAlign::Top;
  bool vertical = false;  // rotated 90 degrees counter-clockwise, reading upward
  bool bold = false;
  double fontSize = 8;
  double radius = 0;           // circles
  std::vector<Point> points;   // polylines
  bool closed = false;         // polylines: the last point joins the first
  double dimensionLine = 0;    // dimensions: where the dimension line lies across
  int dimensionScale = 0;      // dimensions of a view at its own scale (1:n, a section), 0: the sheet's
  Point textAt;                // dimensions: the centre of the figure
};

Primitive line(double x1, double z1, double x2, double z2, Role role = Role::Other, Id id = {});
Primitive box(double x1, double z1, double x2, double z2, Role role = Role::Other, Id id = {});
Primitive text(double x, double z, std::string s, HAlign h = HAlign::Left, VAlign v = VAlign::Top,
               Role role = Role::Other, Id id = {});
Primitive circle(double cx, double cz, double radius, Role role = Role::Other, Id id = {});
Primitive polyline(std::vector<Point> points, bool closed, Role role = Role::Other, Id id = {});
// A dimension from (x1, z1) to (x2, z2) along X (or along Z when `vertical`), its line at `across`, its
// figure `value` centred on `textAt`.
Primitive dimension(double x1, double z1, double x2, double z2, bool vertical, double across, std::string value,
                    Point textAt, Role role = Role::Dimension);

// What a dimension is drawn with, in the drawing's units (paper millimetres on the sheet): the dimension
// line running 1 past the ticks, an extension line from each measured point that does not lie on the
// dimension line to 0.8 beyond it, an oblique tick at each end (0.9 each way) and the figure, centred on
// its point on an opaque ground. The renderer paints these and the DXF writer puts them in the
// dimension's block, so both show the same.
constexpr double kDimensionLineBeyond = 1.0;
constexpr double kExtensionBeyond = 0.8;
constexpr double kTickHalf = 0.9;
constexpr double kTickWidth = 2.5;
std::vector<Primitive> dimensionParts(const Primitive& dimension);

// Size of a text as it will be shown, in plan units: width along the reading direction, height of the
// whole text (all its lines) across it, and the ascent of the first line (for baseline alignment).
struct TextSize {
  double width = 0;
  double height = 0;
  double ascent = 0;
};
using TextMeasure = std::function<TextSize(const Primitive&)>;

struct Rect {
  double left = 0, top = 0, right = 0, bottom = 0;  // top is the smaller Z
  bool contains(double x, double z) const { return x >= left && x <= right && z >= top && z <= bottom; }
};

// The smallest rectangle holding both.
Rect unite(const Rect& a, const Rect& b);

// Plan rectangle covered by a text primitive of the given size, rotation and alignment included.
Rect textBounds(const Primitive& p, const TextSize& size);

// The lines of a text, split at "\r\n", "\r" or "\n".
std::vector<std::string> textLines(const std::string& s);

// One primitive per line, numbers in general format, for tests and diagnostics:
//   line GridLine (0,-2000)-(0,8000) w1 dashdot
//   box FootingOutline footing:3 (-500,-500)-(500,500)
//   circle SheetGrid (40,30) r4.5 w2
//   polyline TitleBlock (0,0) (1,2) (2,0) closed
//   text FootingLabel footing:3 (-20,-20) "F1" bold rgb(255,0,0) fill rgb(255,255,255)
// Attributes at their default values (solid, width 1, black, left top, 8 pt) are left out.
std::string dump(const Primitive& p);
std::string dump(const std::vector<Primitive>& list);

// The topmost primitive (last in drawing order) with an object id that lies under plan point (x, z):
// texts by their measured bounds, boxes and circles by their area, lines and polylines within `tolerance`
// plan units (a closed polyline by the box around it). Primitives
// whose role is not accepted by `accept` (when given) are passed over. Null when nothing is hit.
const Primitive* hitTest(const std::vector<Primitive>& list, double x, double z, const TextMeasure& measure,
                         double tolerance = 0, const std::function<bool(const Primitive&)>& accept = {});

}  // namespace plintova::draw
