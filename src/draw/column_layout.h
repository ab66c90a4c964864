// The column view of one storey as pure functions of the model: beams, footing markers and the fit.
#pragma once

#include <vector>

#include "draw/plan_layout.h"
#include "draw/primitives.h"
#include "model/project.h"

namespace plintova::draw {

// A marker is 256 x 256 twips, at 15 twips per pixel about 17 x 17 pixels on screen.
constexpr double kMarkerTwips = 256;

// The column view is fitted exactly like the main plan.
inline Rect fitColumnView(const Project& project, double pictureWidth, double pictureHeight) {
  return fitPlan(project, pictureWidth, pictureHeight);
}

// Beams of storey `level` (index into LevelY): every beam leaving a joint of that storey towards larger
// X or Z, drawn from its start joint over its length less 10 mm, so that a gap marks every joint.
std::vector<Primitive> columnLayoutBeams(const Project& project, int level);

// Half the width and half the height of a marker in plan units, for a picture of pictureWidth x
// pictureHeight pixels showing `fit`. The half height is rounded to whole plan units.
struct MarkerHalfSize {
  double hw = 0, hh = 0;
};
MarkerHalfSize markerHalfSize(const Rect& fit, double pictureWidth, double pictureHeight);

// Plan rectangle of footing i's marker: centred on its column when concentric, moved half a marker
// towards the side the footing is shifted to otherwise.
Rect placeNodeLabel(const FootingRecord& f, const MarkerHalfSize& half);

// The whole column view: the beams of `level`, then one marker per footing (a dark square; the selected
// one light with its joint number).
std::vector<Primitive> columnLayout(const Project& project, int level, const MarkerHalfSize& half, int selected,
                                    double labelPointSize = 8);

}  // namespace plintova::draw
