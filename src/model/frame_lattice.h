// The frame lattice: storeys, column lines and beam lines found in the joints and members of a listing.
#pragma once

#include "model/project.h"

namespace plintova {

// Builds, from the joints, members and design blocks read:
// - LevelX, LevelY and LevelZ: distinct joint coordinates, ascending, count in element 0;
// - JointLattice: the joint at every lattice point; of two joints at one point the later one;
// - ColumnLattice: the column design row of the column that ends at a joint and comes up from the next
//   joint below it on the same X-Z line;
// - BeamXLattice, BeamZLattice: the beam design row of the beam that leaves a joint above the base
//   level toward the next joint in +X (or +Z) on the same line;
// - ColumnMember of every footing whose support stands on the lowest level: the column design row of
//   the first column above it.
// The member lookups and the sorted points are made once for all of them. Throws ListingError when a
// joint number is beyond cap::kLargestJointNumber. Without beams, the beam lattices are left empty for
// beamLattices to make later (only the column window needs them).
void buildFrame(Project& p, bool withBeams = true);

// The beam lattices of a frame that buildFrame made without them. Reads the project only, so it may run
// on another thread while nothing changes the joints, members and design blocks.
struct BeamLattices {
  SparseLattice x, z;
};
BeamLattices beamLattices(const Project& p);

}  // namespace plintova
