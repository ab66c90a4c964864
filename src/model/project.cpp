// Out-of-line pieces of the project model: index errors and lattice cells.
#include "model/project.h"

namespace plintova {

void throwIndexError(const char* table, long long index, long long size) {
  throw IndexError(std::string(table) + " index " + std::to_string(index) + " outside 0.." + std::to_string(size - 1));
}

void SparseLattice::set(int ix, int iy, int iz, int16_t v) {
  if (ix < 0 || ix > 1023 || iy < 0 || iy > 1023 || iz < 0 || iz > 1023) throwIndexError("lattice", ix, 1024);
  if (v == 0) cells_.erase(key(ix, iy, iz));
  else cells_[key(ix, iy, iz)] = v;
}

}  // namespace plintova
