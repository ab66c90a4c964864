// The pedestals of the footings: the one place that says how large a footing's pedestal is, along X and
// along Z, for the design, the checks, the quantities and the drawings.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/project.h"

namespace plintova {

// The pedestal footing s's own size and column give it: the size groups' square pedestal for its
// required size rounded up to 0.1 m (PedestalSizeFor), widened in each direction to the column's side
// in that direction plus the pedestal margin on each side.
PedestalSides ownPedestal(const Project& p, int s);

// The least pedestal that carries the columns of `footings`: per direction, the largest column side in
// that direction plus the margin on each side (the envelope of columnPedestal); 0 by 0 where no
// column's section is known.
PedestalSides columnsPedestal(const Project& p, const std::vector<int>& footings);

// The pedestal of size group g's footings as a schedule row starts it: the group's square pedestal
// widened per direction to carry every member's column.
PedestalSides groupPedestal(const Project& p, int g);

// The pedestal footing s stands on as built: its designed schedule row's (its group's row, or the row of
// its hand-resized or combined footing), else what the design would start it with (the size group's, its
// own); 0 by 0 for a disabled footing.
PedestalSides footingPedestal(const Project& p, int s);

// The designed pedestal with the engineer's typed sides in place (each side that was typed, finite and
// above zero).
PedestalSides editedPedestal(PedestalSides designed, const RowEdit& edit);

// "0.6 x 0.75": the side along X, then along Z, in m as the schedule shows them; "0.6" for a square one.
std::string pedestalText(const PedestalSides& sides);

// The sides typed in a schedule box: "0.6 x 0.75" (also "0.6x0.75", "0.6 X 0.75" or "0.6 * 0.75"), X
// first, or one number for a square pedestal. Nothing when the text is not one or two numbers.
std::optional<PedestalSides> parsePedestalText(const std::string& text);

}  // namespace plintova
