// The plan on the drawing sheet: what will be built (grid, footings, pedestals, columns, marks) and its
// drawing at a scale, with grid bubbles, dimensions and match lines.
#pragma once

#include <string>
#include <vector>

#include "draw/primitives.h"
#include "model/project.h"

namespace plintova::print {

// A block on plan (pedestal) or a column section: centre and sides along X and Z, mm. A column
// whose section is unknown has sides 0 and is drawn as a cross.
struct PlanBlock {
  double cx = 0, cz = 0, sideX = 0, sideZ = 0;
};

// A joint the drawing names beside its column: "(21)".
struct PlanJoint {
  int joint = 0;
  double x = 0, z = 0;  // the column's centre, mm
};

// One footing that will be built: an isolated footing of a group (F), a hand-resized one (R) or a
// combined footing (C).
struct PlanFooting {
  enum class Kind { Group, Resized, Combined };
  Kind kind = Kind::Group;
  int index = 0;              // footing index, or the combined footing's number
  std::string mark;           // "F3", "R1", "C2"
  double cx = 0, cz = 0;      // centre, mm
  draw::Rect outline;         // mm, top the smaller Z
  std::vector<PlanBlock> pedestals, columns;
  std::vector<PlanJoint> joints;  // the joints its schedule row names (hand-resized and combined footings)
  bool setOut = false;            // off its column (or combined): its edges are dimensioned from the grid
};

// A column left without a footing (its footing disabled): drawn with its joint.
struct PlanColumn {
  PlanBlock column;
  PlanJoint joint;
};

// Everything of the plan that goes on the sheet, in plan millimetres.
struct PlanContent {
  std::vector<double> gridX, gridZ;  // ascending
  std::vector<PlanFooting> footings;
  std::vector<PlanColumn> bareColumns;
  draw::Rect extent;                 // grid lines and footings together
  bool empty() const { return gridX.empty() && gridZ.empty() && footings.empty(); }
};

// The plan from the model: isolated and hand-resized footings and every combined footing (disabled footings
// and combined members are left out), each with its pedestal(s) (from its schedule row; from its size
// group while no schedule is designed) and the column section(s) it carries; the columns of disabled
// footings on their own.
PlanContent planContent(const Project& project);

// Paper kept around the plan's drawn extent: on the top and the left the dimension lines and the grid
// bubbles, on the bottom and the right the bubbles only.
constexpr double kBandBefore = 33;
constexpr double kBandAfter = 14;
// Where two grid lines stand closer on paper than their bubbles are wide, every other bubble of the row
// is set this much further out, and the bands grow by as much.
constexpr double kBubbleTier = 9.5;
// kBubbleTier when some neighbouring grid lines of the plan stand that close at 1:scale, else 0.
double bubbleTierRoom(const PlanContent& content, int scale);

// One part of the plan as a sheet shows it. Footings belong to the part their centre lies in; grid lines
// to the part their position lies in; the part's edges inside the plan are match lines.
struct PlanPart {
  draw::Rect range;   // plan mm: [left, right) x [top, bottom)
  draw::Rect extent;  // plan mm drawn: its grid lines, its footings and its match lines
  int column = 0, row = 0;
  bool cutLeft = false, cutRight = false, cutTop = false, cutBottom = false;
  int sheetLeft = 0, sheetRight = 0, sheetAbove = 0, sheetBelow = 0;  // sheets across the match lines
};

bool inPart(const PlanPart& part, double x, double z);
// The grid lines and footings of `content` that belong to `part`, and the extent they draw.
draw::Rect partExtent(const PlanContent& content, const PlanPart& part);

// Scale and position of a plan part on paper: paper = origin + plan / scale.
struct PlanPlacement {
  int scale = 100;
  double originX = 0, originZ = 0;
  double x(double planX) const { return originX + planX / scale; }
  double z(double planZ) const { return originZ + planZ / scale; }
};

// Draws the part: grid lines with their named bubbles at both ends, the dimensions between grid lines
// (on to the match lines, so that the chains on either side of one add up) and overall (top and left),
// every footing's outline, pedestals, columns and mark, the joints the schedule names, the columns of
// disabled footings, the edges of every footing not centred on its column dimensioned from the nearest
// grid lines, and the match lines with the sheets beyond them. Labels are placed where they overlap no
// other text; a mark stands nearer its own footing than any other, with a leader where it had to move.
void drawPlanPart(const PlanContent& content, const PlanPart& part, const PlanPlacement& at,
                  const draw::TextMeasure& measure, std::vector<draw::Primitive>& out);

// The coarsest standard scale (largest denominator) at which every mark of the whole plan finds a place
// clear of every other text and outline, all but a few (one in twenty, at least two: footings clashing
// with their neighbours) nearer their own footing than any other, those few joined to it by a leader.
// The finest scale when none does.
int coarsestLegibleScale(const PlanContent& content, const draw::TextMeasure& measure);

}  // namespace plintova::print
