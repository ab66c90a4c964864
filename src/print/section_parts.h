// What the views of a row are drawn from: the row's bars as runs along the view and dots across it, its
// pedestals, and the bar bending schedule's marks. Shared by the section and the combined footing's plan.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "design/bar_bending.h"
#include "model/project.h"
#include "print/section_pen.h"

namespace plintova::print::section {

// Bars running along the view.
struct Run {
  int dia = 0;
  int spacing = 0;
  bool bent = false;
  std::string tag;  // the bar mark's number within the row
};

// Bars cut across by the view: their places along it, model mm from the footing's centre.
struct Dots {
  int dia = 0;
  std::vector<double> x;
  std::string tag;
};

// A pedestal of the view and the tags of its bars.
struct PedestalAt {
  double x = 0;  // model mm of its centre from the footing's centre
  PedestalSides sides;  // m, along X and along Z
  PedestalSteel steel;
  std::string vertical, ties, dowels;
};

// A footing seen in section, model mm: along the view `length`, depth D, founding at F below the
// ground; the bottom (and top) layers, the one that lies lower first.
struct Elevation {
  std::string row;
  double length = 0, D = 0, F = 0;
  std::optional<Run> bottomRun, topRun;
  std::vector<Dots> bottomDots, topDots;
  bool dotsBelowRun = false;  // the bars across lie under the bars along
  bool alongX = true;         // the view runs along X (else along Z)
  std::vector<PedestalAt> pedestals;
};

// The bar bending schedule's marks of one row.
struct RowMarks {
  const BarBendingSchedule* bbs = nullptr;
  std::string row;
  // The number after "F1-" of the mark of `member` and `where`, "" where there is none.
  std::string tag(const std::string& member, const std::string& where) const;
  // One line per mark of the row: "F1-1  28 × 10 Ø bottom each way @ 140, U 1700 × 60 × 60", the
  // spacing where `layers` (footing layers by name) gives it.
  std::vector<std::string> legend(const std::vector<SteelLayer>& layers) const;
};

// `n` bars `spacing` apart centred between lo and hi (closer where they would not fit), model mm.
std::vector<double> spread(int n, double spacing, double lo, double hi);

// Draws an elevation with the pen: concrete, bed, levels, bars, dimensions and tags; `tagX` the paper X
// of the tags' column, whose tags stand no lower than `tagBottom` (paper Z).
void drawElevation(SectionPen& pen, const Elevation& e, const DesignOptions& o, double tagX, double tagBottom);

// The tags an elevation draws, and the paper height a column of that many takes.
std::size_t elevationTagCount(const Elevation& e);
double tagColumnHeight(std::size_t tags);

// The model extent of an elevation: left, top (above the ground, negative), right, bottom.
draw::Rect elevationExtent(const Elevation& e, const DesignOptions& o);

}  // namespace plintova::print::section
