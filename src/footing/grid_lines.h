// The column grid: sorted distinct X and Z positions of the footings.
#pragma once

#include "model/project.h"
#include <string>

namespace plintova {

using GridLineList = CheckedArray<int32_t, cap::kGridLines + 1>;

// Sorts positions 1..n of a grid list ascending, n read from position 0.
void SortGridLine(GridLineList& line);

// Fills GridLineX and GridLineZ with the distinct PosX and PosZ of footings 1..FootingCount, whatever
// their CombNo, each list ascending with its count in position 0. More distinct positions than a
// list holds are refused: the reason naming the limit is returned (an empty text when the lists were
// built) and both lists stay as they were.
std::string BuildGridLines(Project& p);

}  // namespace plintova
