// The footing drawing as issued: one or more sheets holding the plan at a standard scale, the footing
// schedule, the general notes and the title block, as primitives in paper millimetres.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "draw/primitives.h"
#include "model/decisions.h"
#include "model/project.h"

namespace plintova::print {

// A sheet of paper in landscape, millimetres.
struct Paper {
  std::string name = "A3";
  double width = 420, height = 297;
};

// "A3", "A2" or "A1"; anything else is A3.
Paper paperNamed(const std::string& name);

// The scales the plan is drawn at, as denominators, largest scale first.
inline constexpr std::array<int, 10> kStandardScales{50, 75, 100, 125, 150, 200, 250, 300, 400, 500};

// Names of grid lines, counted from 1: the lines along X (vertical on the sheet) are numbered 1, 2, 3
// from the left; the lines along Z are lettered A, B, C from the top, I and O left out, and after Z come
// AA, AB, ... (both letters without I and O).
std::string gridNumberName(int k);
std::string gridLetterName(int k);

// How the sheet is divided: the schedule, notes and title block in a column on the right of the plan,
// or in a band under it.
enum class Arrangement { Side, Bottom };

// One sheet. Paper coordinates run in millimetres from the sheet's top-left corner, Z downward. The
// plan part it shows is drawn at 1:scale: plan point (X, Z) in mm lies at paper
// (originX + X / scale, originZ + Z / scale).
struct Sheet {
  enum class Kind { Plan, Schedule };  // a part of the plan (the first with schedule and notes), or the
                                       // schedule's continuation
  Kind kind = Kind::Plan;
  Paper paper;
  Arrangement arrangement = Arrangement::Side;
  int number = 1, count = 1;  // "sheet number of count"
  int scale = 100;
  double originX = 0, originZ = 0;
  draw::Rect planWindow;  // plan mm the sheet's plan part covers (empty for a schedule sheet)
  std::vector<draw::Primitive> primitives;

  // Plan millimetres to paper millimetres and back.
  double paperX(double x) const { return originX + x / scale; }
  double paperZ(double z) const { return originZ + z / scale; }
};

// The footing drawing for the project and the engineer's sheet settings: the plan at the largest
// standard scale at which it fits the plan's area of the sheet, on one sheet; a plan that does not fit at
// 1:500 is split into parts along grid bays, on the fewest sheets and at the largest scale that keeps
// that number, with match lines. The first sheet carries the schedule and the notes; schedule rows that
// do not fit go on sheets of their own at the end. Every sheet has its title block with "n OF m".
// `measure` gives the sizes of texts in paper millimetres. Reads the model only.
std::vector<Sheet> footingSheets(const Project& project, const SheetSettings& settings,
                                 const draw::TextMeasure& measure);

// The whole plan for CAD, never split, at the scale the paper sheets use, with its grid names, dimensions
// and marks but without frame, blocks or title block (those belong to the sheets): paper = origin +
// plan / scale as on a sheet, the paper as large as the plan and its bands.
Sheet cadPlan(const Project& project, const SheetSettings& settings, const draw::TextMeasure& measure);

}  // namespace plintova::print
