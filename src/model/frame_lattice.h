// The frame lattice: storeys, column lines and beam lines found in the joints and members of a listing.
#pragma once

#include "model/project.h"

namespace plintova {

// Builds LevelX, LevelY and LevelZ (distinct joint coordinates, ascending, count in element 0),
// JointLattice (the joint at every lattice point; of two joints at one point the later one) and
// ColumnLattice (the column design row of the column that ends at a joint and comes up from the next
// joint below it on the same X-Z line). Throws ListingError when a joint number is beyond
// cap::kLargestJointNumber.
void buildLattice(Project& p);

// Builds ColumnLattice again and BeamXLattice, BeamZLattice: the beam design row of the beam that
// leaves a joint above the base level toward the next joint in +X (or +Z) on the same line.
void buildFrameLattices(Project& p);

// Sets ColumnMember of every footing whose support stands on the lowest level: the column design row
// of the first column above it.
void assignColumns(Project& p);

}  // namespace plintova
