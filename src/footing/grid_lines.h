// The column grid: sorted distinct X and Z positions of the footings.
#pragma once

#include "model/project.h"
#include <string>

namespace plintova {

using GridLineList = LimitedTable<int32_t, cap::kGridLines + 1>;

// Sorts positions 1..n of a grid list ascending, n read from position 0.
void SortGridLine(GridLineList& line);

// Fills GridLineX and GridLineZ with the distinct PosX and PosZ of footings 1..FootingCount, whatever
// their kind, each list ascending with its count in position 0. More distinct positions than a
// list holds are refused: the reason naming the limit is returned (an empty text when the lists were
// built) and both lists stay as they were.
std::string BuildGridLines(Project& p);

// Names of grid lines, counted from 1: the lines along X (across the plan's width) are numbered 1, 2, 3
// from the smallest X; the lines along Z lettered A, B, C from the smallest Z, I and O left out, and
// after Z come AA, AB, ... (both letters without I and O).
std::string gridNumber(int k);
std::string gridLetter(int k);

// Where a point of the plan (mm) stands on the grid: the letter of the nearest Z line and the number of
// the nearest X line, "C-4"; empty without grid lines.
std::string gridReference(const Project& p, double x, double z);

}  // namespace plintova
