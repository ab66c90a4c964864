// The main footing plan as pure functions of the model: fit, footing labels, outlines, grid and clash marks.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "draw/primitives.h"
#include "model/project.h"

namespace plintova::draw {

// The display check boxes of the main window.
struct PlanOptions {
  bool size = false;         // "Size"
  bool footingNos = false;   // "Footing No's"
  bool groupNos = true;      // "Group No's"
  bool grid = true;          // "Grid Lines"
  bool gap = false;          // "Gap ": mark footings that clash or stand too close
  bool actualSizes = false;  // "Actual Sizes": show the required size inside the adopted outline
  double labelPointSize = 8;
};

// Clear distance below which two footings are marked as a clash by the "Gap " option, mm.
constexpr double kGapClearance = 150;

// World rectangle shown in a picture of the given size (any unit, only the ratio counts): the extents of
// the structure's joints with a 2000 mm margin, widened on the short side by two equal bands so that the
// plan keeps its true aspect ratio. Used when the window opens and again on every resize.
Rect fitPlan(const Project& project, double pictureWidth, double pictureHeight);

// Label text of a footing for the ticked options; with none of "Size", "Footing No's" and "Group No's"
// ticked the label keeps `previous`. A combined or hand-resized footing with "Size" shows both sides on
// two lines (separated by "\r"); a disabled footing with "Footing No's" shows its number in brackets.
std::string footingLabelText(const FootingRecord& f, const PlanOptions& options, const std::string& previous);

struct PlanPoint {
  double x = 0, z = 0;
};

// Top-left corner of a footing's label: just above and left of its centre, by the width of "9"
// (`digitWidth`, in plan units at the current fit).
PlanPoint labelPosition(const FootingRecord& f, double digitWidth);

// The outline of an isolated, hand-resized or disabled footing: SizeL along X by SizeB along Z about its
// centre, plan millimetres.
Rect footingRect(const FootingRecord& f);

// The whole plan: grid lines across `visible` (when ticked), the outline of every footing that is no
// member of a combined footing, every combined footing, the optional required
// sizes and clash marks, and one label per footing. `labels` holds the label text of every footing
// (index = footing) and is updated in place, so that it keeps its text while no label option is ticked.
std::vector<Primitive> drawPlan(const Project& project, const PlanOptions& options, const Rect& visible, double digitWidth,
                                std::vector<std::string>& labels);

// Which footing labels a view draws, indexed by footing (true: drawn). A label's text keeps its point
// size on the screen at every zoom, so on a dense plan seen from far the labels run into each other and
// no longer say which footing they belong to. The rule: labels are taken in footing order, and a label
// is drawn only when its text rectangle does not overlap the text of a label already drawn (touching
// is allowed). Labels that `candidate` turns down, and labels without text, take no room and are not
// drawn. Sizes come from `measure` at the view's scale, so a plan gives the same choice at the same
// zoom wherever it is panned.
std::vector<bool> legibleLabels(const std::vector<Primitive>& list, const TextMeasure& measure,
                                const std::function<bool(const Primitive&)>& candidate = {});

// The selection window dragged on the plan, between its start and end corners.
Primitive selectionWindow(double x1, double z1, double x2, double z2);

// Pairs of footings whose outlines overlap or stand closer than `clearance` mm. Isolated and
// hand-resized footings take part with their adopted outline, combined footings with their rectangle;
// disabled footings and members of combined footings do not. Sorted, each pair once.
struct GapPair {
  Id a, b;
};
std::vector<GapPair> findGapPairs(const Project& project, double clearance = kGapClearance);

// Where the number box and the size label go when footing s is picked with the left button: the number
// box at the footing's label with its joint number; the size label at `outlineLeft` (the left edge of the
// footing's outline as the view last drew it), 600 mm above the footing label, or 600 mm below it when
// that would start above plan coordinate 0.
struct SelectionLabels {
  PlanPoint numberBox;
  std::string numberText;
  PlanPoint sizeLabel;
  std::string sizeText;  // "1.55 X 1.6"
};
SelectionLabels selectionLabels(const Project& project, int s, double digitWidth, double outlineLeft);

}  // namespace plintova::draw
