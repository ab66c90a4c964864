// The column grid: sorted distinct X and Z positions of the footings.
#include "footing/grid_lines.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <unordered_set>
#include <vector>

namespace plintova {

namespace {

// Distinct values in order of first appearance.
std::vector<int32_t> distinctPositions(const Project& p, int32_t FootingRecord::*position) {
  std::vector<int32_t> values;
  std::unordered_set<int32_t> seen;
  for (int i = 1; i <= p.FootingCount; ++i) {
    const int32_t v = p.FootingTable[i].*position;
    if (seen.insert(v).second) values.push_back(v);
  }
  return values;
}

void fill(GridLineList& line, const std::vector<int32_t>& values) {
  for (std::size_t k = 0; k < values.size(); ++k) line[static_cast<long long>(k) + 1] = values[k];
  line[0] = static_cast<int32_t>(values.size());
  SortGridLine(line);
}

}  // namespace

void SortGridLine(GridLineList& line) {
  const int n = std::clamp<int32_t>(line[0], 0, cap::kGridLines);
  std::vector<int32_t> values;
  values.reserve(static_cast<std::size_t>(n));
  for (int j = 1; j <= n; ++j) values.push_back(line[j]);
  std::sort(values.begin(), values.end());
  for (int j = 1; j <= n; ++j) line[j] = values[static_cast<std::size_t>(j) - 1];
}

std::string BuildGridLines(Project& p) {
  const std::vector<int32_t> xs = distinctPositions(p, &FootingRecord::PosX);
  const std::vector<int32_t> zs = distinctPositions(p, &FootingRecord::PosZ);
  const auto limit = static_cast<std::size_t>(cap::kGridLines);
  if (xs.size() > limit || zs.size() > limit) {
    const char* axis = xs.size() > limit ? "X" : "Z";
    return std::string("Too many grid lines along ") + axis + ": the plan holds at most " +
           std::to_string(cap::kGridLines) + " distinct column positions on each axis";
  }
  fill(p.GridLineX, xs);
  fill(p.GridLineZ, zs);
  return {};
}

std::string gridNumber(int k) { return std::to_string(k); }

std::string gridLetter(int k) {
  static const std::string letters = "ABCDEFGHJKLMNPQRSTUVWXYZ";  // no I, no O
  const int base = static_cast<int>(letters.size());
  std::string name;
  for (int n = std::max(k, 1); n > 0; n = (n - 1) / base) name.insert(name.begin(), letters[static_cast<std::size_t>((n - 1) % base)]);
  return name;
}

namespace {

// The 1-based position of the line of `grid` (count in position 0, ascending) nearest to v; 0 for none.
int nearestLine(const GridLineList& grid, double v) {
  const int n = std::clamp(grid[0], 0, cap::kGridLines);
  int best = 0;
  for (int k = 1; k <= n; ++k)
    if (best == 0 || std::fabs(grid[k] - v) < std::fabs(grid[best] - v)) best = k;
  return best;
}

}  // namespace

std::string gridReference(const Project& p, double x, double z) {
  const int column = nearestLine(p.GridLineX, x), row = nearestLine(p.GridLineZ, z);
  if (column == 0 || row == 0) return {};
  return gridLetter(row) + "-" + gridNumber(column);
}

}  // namespace plintova
