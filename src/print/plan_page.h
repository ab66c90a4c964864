// The printed footing plan as a page layout: orientation, user scale and every line, box and text.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "draw/primitives.h"
#include "model/project.h"

namespace plintova::print {

enum class Orientation { Portrait, Landscape };

// Height over width of the portrait A3 sheet; the renderer passes the ratio of the printable area.
constexpr double kA3PortraitRatio = 420.0 / 297.0;

// Where the plan goes on the page. Page coordinates are plan millimetres shifted so that the first grid
// line in each direction lies at 2000: the drawing (border, grid, footings) fills 0..W by 0..H.
struct PageFrame {
  double W = 0, H = 0;  // extents of the drawing: the grid with 2000 mm on every side
  double r = 0;         // H / W
  Orientation orientation = Orientation::Portrait;
  double q = 0;                    // page height / page width in that orientation
  double offsetX = 0, offsetZ = 0;  // added to plan X and Z to get page coordinates
  draw::Rect scale;                // user scale window: (left, top) at the page's top-left corner
};

// Orientation and scale window for the current grid lines. `portraitRatio` is height / width of the
// printable area of the portrait page; the landscape ratio is its inverse.
PageFrame planPageFrame(const Project& project, double portraitRatio = kA3PortraitRatio);

// Text measurements on the page, in page units at the final scale. tw is the width of "983", th the
// height of "H"; `width` measures any text along X. `verticalScale` converts a width along X into the
// same length along Z (1 when the page scale is equal in both directions), for texts printed upright.
struct PageMetrics {
  double tw = 0;
  double th = 0;
  std::function<double(const std::string&)> width;
  double verticalScale = 1;
  double fontSize = 8;  // points, written into every text primitive
};

// Alignment of printTextAt: 0 left end at X, 1 middle at X, 2 right end at X (any other value acts as 0).
// The top of the text is at Y.
draw::Primitive printTextAt(const std::string& s, double x, double y, int alignment, const PageMetrics& metrics);

// Text rotated 90 degrees counter-clockwise (reading upward), its glyph tops at X, centred along Z on Y.
draw::Primitive printTextVertical(const std::string& s, double x, double y, const PageMetrics& metrics);

// The tallest text height (page units) that keeps the figures of typical footings and of every combined
// footing apart; infinite when the plan has no footing. The renderer chooses its font size from it.
double roomForText(const Project& project);

struct PlanPage {
  PageFrame frame;
  std::vector<draw::Primitive> primitives;
};

// The whole page: dash-dot-dot border and grid with the spacings (width 1), then every footing with its
// column mark, joint number, size and mark, and every combined footing with its dimensions, cantilevers
// and column distance (width 3, solid). Reads the model only. Figures that would overprint each other at
// their usual place move just outside the footing: the size of a footing too small to hold it clear of
// its mark, the cantilevers of combined footings and the width of one along X.
PlanPage layoutPlanPage(const Project& project, const PageFrame& frame, const PageMetrics& metrics);

}  // namespace plintova::print
