// A plan too large for one sheet: where it is cut, the parts it gives, and the scale chosen for a sheet's
// plan area.
#pragma once

#include <functional>
#include <vector>

#include "draw/primitives.h"
#include "print/sheet_plan.h"

namespace plintova::print {

// Cuts across X (positions along X) and across Z, plan mm.
struct Split {
  std::vector<double> cutsX, cutsZ;
};

// The parts of the plan between the cuts that hold a footing (or the one part of an empty plan), row by
// row, each knowing the sheets across its match lines (parts are numbered as sheets from 1).
std::vector<PlanPart> partsOf(const PlanContent& content, const Split& split);

// The plan's scale and split for a plan area of `area` paper mm: the largest standard scale not coarser
// than 1:`coarsest` at which the whole plan fits; otherwise the fewest parts at 1:`coarsest` and the
// largest scale that keeps that number. Cuts lie at the middles of grid bays, on whole millimetres, where
// one serves.
struct ScaleChoice {
  int scale = 500;
  Split split;
  std::size_t parts = 1;
};
// `area` gives the plan area at each scale (the bands round the plan may grow with the scale).
ScaleChoice chooseScale(const PlanContent& content, const std::function<draw::Rect(int scale)>& area, int coarsest);

}  // namespace plintova::print
