// The column grid: sorted distinct X and Z positions of the footings.
#pragma once

#include "model/project.h"
#include "model/prompter.h"

namespace plintova {

using GridLineList = CheckedArray<int32_t, cap::kGridLines + 1>;

// Sorts positions 1..n of a grid list ascending, n read from position 0.
void SortGridLine(GridLineList& line);

// Fills GridLineX and GridLineZ with the distinct PosX and PosZ of footings 1..FootingCount, whatever
// their CombNo, each list ascending with its count in position 0. More distinct positions than a
// list holds are refused with a message naming the limit; both lists then stay as they were.
bool BuildGridLines(Project& p, Prompter& prompter);

}  // namespace plintova
