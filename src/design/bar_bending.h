// The bar bending schedule (IS 2502) of the designed footings: every bar of every row with its shape,
// dimensions, cutting length, number and weight, and the totals by diameter.
#pragma once

#include <string>
#include <vector>

#include "design/workbook.h"
#include "model/project.h"

namespace plintova {

// Shapes of the schedule. Dimensions are outside dimensions in mm: A along the bar's main run, B (and C)
// its legs.
enum class BarShape {
  Straight,  // A
  L,         // A with one 90 degree bend to a leg B
  U,         // A with a 90 degree bend to a leg B at each end (B = C)
  Link,      // closed link A x B outside, its ends hooked 135 degrees round one corner
  CrossTie,  // A across, hooked 135 degrees at each end
};

// "S", "L", "U", "LK", "CT": the shape's code in the schedule.
const char* shapeCode(BarShape s);
// "straight", "L", "U", "link", "cross tie".
const char* shapeName(BarShape s);

// One bar mark.
struct BarMark {
  std::string mark;      // "F1-1": the row's mark and the bar's number in it
  std::string row;       // the schedule row's mark, "F1"
  std::string member;    // "footing", "pedestal", "pedestal at joint 21"
  std::string where;     // the layer: "bottom each way", "pedestal ties", "dowels", ...
  int dia = 0;           // mm
  BarShape shape = BarShape::Straight;
  std::vector<double> dims;  // A, B (C) in mm, whole millimetres
  int perFooting = 0;    // bars in one footing
  int footings = 0;      // footings the row stands for
  double cutLength = 0;  // mm, whole millimetres
  int count() const { return perFooting * footings; }
  double totalLength() const;  // m
  double weight() const;       // kg
};

struct DiameterTotal {
  int dia = 0;
  double length = 0;  // m
  double weight = 0;  // kg
};

struct BarBendingSchedule {
  double bendRadius = 4;  // internal radius of bends, in bar diameters
  std::vector<BarMark> bars;
  std::vector<DiameterTotal> byDiameter;  // ascending diameter
  double weight = 0;                      // kg, every bar
  // Weight of one schedule row's bars, kg (0 for a row without bars).
  double rowWeight(const std::string& row) const;
};

// What one 90 degree bend takes off the sum of the outside dimensions, mm: 2 (r + dia) - pi (r + dia/2) / 2
// with the internal radius r = radius x dia.
double bendDeduction(double dia, double radius);

// Length of a 135 degree hook with its straight end, mm: the arc at the bar's centre line plus 10 dia
// (75 mm at least), measured from where the straight side would meet the outside corner.
double hookLength(double dia, double radius);

// Cutting length (mm, whole millimetres) of a bar of `shape` with outside dimensions `dims`:
//  Straight A; L A + B - one bend; U A + 2 B - two bends; Link 2 (A + B) less three bends and the
//  closing corner's 2 (r + dia), plus two hooks; CrossTie A - 2 (r + dia) plus two hooks.
double cutLength(BarShape shape, const std::vector<double>& dims, double dia, double radius);

// The schedule of every designed row, in schedule order: a group row's bars both ways, its top steel, its
// pedestal's vertical bars and ties, and its dowels; a hand-resized or combined row's layers, then each
// pedestal's. Footing bars end the cover short of each edge; a bent layer turns up (top bars down) in a
// standard 90 degree bend with a 4 dia straight end. Vertical bars stand on the bottom mat on a foot of
// 12 dia and stop the pedestal's cover below its top; dowels stand likewise and reach their lap above
// the pedestal. A group row whose bars could not be counted has none here.
BarBendingSchedule barBendingSchedule(const Project& p);

// The workbook sheet "Bar bending schedule": a frozen heading row, one row per bar mark, the totals by
// diameter and the total weight.
Sheet barBendingSheet(const Project& p);

}  // namespace plintova
