// The frame lattice: storeys, column lines and beam lines found in the joints and members of a listing.
//
// The lattice is sparse: only the points that hold a joint are visited. Each lookup of the dense
// formulation ("look down the line to the next joint", "the next joint in +X") becomes a step to the
// neighbouring occupied point in a list of points sorted along that line.
#include "model/frame_lattice.h"

#include <algorithm>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "model/errors.h"
#include "model/flat_map.h"
#include "model/numbers.h"

namespace plintova {

namespace {

using Levels = LimitedTable<Single, cap::kLevels + 1>;

// An occupied lattice point and the number of its joint (never 0).
struct Cell {
  int ix, iy, iz;
  int32_t joint;
};

std::vector<float> sortedLevels(const Levels& levels) {
  const int n = static_cast<int>(levels[0]);
  std::vector<float> v;
  v.reserve(static_cast<std::size_t>(n));
  for (int i = 1; i <= n; ++i) v.push_back(levels[i]);
  return v;
}

// Axis index (1-based) of a coordinate, 0 when it is not a level.
int levelIndex(const std::vector<float>& levels, float v) {
  auto it = std::lower_bound(levels.begin(), levels.end(), v);
  if (it == levels.end() || *it != v) return 0;
  return static_cast<int>(it - levels.begin()) + 1;
}

uint64_t pointKey(int ix, int iy, int iz) {
  constexpr int kBits = SparseLattice::kLevelBits;
  return (static_cast<uint64_t>(static_cast<uint32_t>(ix)) << (2 * kBits)) |
         (static_cast<uint64_t>(static_cast<uint32_t>(iy)) << kBits) | static_cast<uint32_t>(iz);
}

// Sorts points by ix, then iz, then iy (column lines, bottom up) and keeps each point once, with the
// joint JointLattice holds there (the last joint row on it).
std::vector<Cell> occupiedCells(const Project& p, std::vector<Cell> cells) {
  std::sort(cells.begin(), cells.end(), [](const Cell& a, const Cell& b) {
    return std::tie(a.ix, a.iz, a.iy) < std::tie(b.ix, b.iz, b.iy);
  });
  cells.erase(std::unique(cells.begin(), cells.end(),
                          [](const Cell& a, const Cell& b) { return a.ix == b.ix && a.iy == b.iy && a.iz == b.iz; }),
              cells.end());
  std::vector<Cell> occupied;
  occupied.reserve(cells.size());
  for (Cell c : cells) {
    c.joint = p.JointLattice.get(c.ix, c.iy, c.iz);
    if (c.joint != 0) occupied.push_back(c);
  }
  return occupied;
}

// The three lookups of the frame: the member between two joints (first member row from a to b, in
// that order), and the first column and beam design rows of a member.
class FrameLookups {
 public:
  explicit FrameLookups(const Project& p) {
    between_.reserve(static_cast<std::size_t>(std::max<int>(p.MemberTotal, 0)));
    for (int m = 1; m <= p.MemberTotal; ++m) {
      const auto& row = p.MemberTable[m];
      between_.emplace(pairKey(row[1], row[2]), row[0]);
    }
    columnRow_.reserve(static_cast<std::size_t>(std::max<int>(p.ColumnSectionCount, 0)));
    for (int c = 1; c <= p.ColumnSectionCount; ++c) columnRow_.emplace(numberKey(p.ColumnSectionTable[c][1]), c);
    beamRow_.reserve(static_cast<std::size_t>(std::max<int>(p.BeamSectionCount, 0)));
    for (int b = 1; b <= p.BeamSectionCount; ++b) {
      // Only a whole number can equal a member number.
      float v = p.BeamSectionTable[b][1];
      if (v >= -2147483648.0f && v < 2147483648.0f && v == static_cast<float>(static_cast<int64_t>(v)))
        beamRow_.emplace(numberKey(static_cast<int32_t>(v)), b);
    }
  }
  int32_t memberBetween(int32_t a, int32_t b) const { return between_.get(pairKey(a, b)); }
  int32_t columnRowOf(int32_t m) const { return columnRow_.get(numberKey(m)); }
  int32_t beamRowOf(int32_t m) const { return beamRow_.get(numberKey(m)); }

 private:
  static uint64_t pairKey(int32_t a, int32_t b) {
    return (static_cast<uint64_t>(static_cast<uint32_t>(a)) << 32) | static_cast<uint32_t>(b);
  }
  static uint64_t numberKey(int32_t m) { return static_cast<uint32_t>(m); }
  // First member row from one joint to another, first column and beam design rows of a member.
  FlatMap between_, columnRow_, beamRow_;
};

// ColumnLattice from the occupied points sorted along column lines: the joint below a joint is the
// previous occupied point of its line (none when the line has no point below).
void buildColumns(Project& p, const std::vector<Cell>& byColumnLine, const FrameLookups& lookups) {
  p.ColumnLattice.clear();
  for (std::size_t i = 0; i < byColumnLine.size(); ++i) {
    const Cell& c = byColumnLine[i];
    if (c.iy < 2 || c.joint <= 0 || i == 0) continue;
    const Cell& below = byColumnLine[i - 1];
    if (below.ix != c.ix || below.iz != c.iz || below.joint <= 0) continue;
    int32_t m = lookups.memberBetween(below.joint, c.joint);
    if (m != 0) p.ColumnLattice.set(c.ix, c.iy, c.iz, lookups.columnRowOf(m));
  }
}

void fillLevels(Levels& target, std::vector<float> values) {
  std::sort(values.begin(), values.end());
  values.erase(std::unique(values.begin(), values.end()), values.end());
  // At most one distinct coordinate per joint, and the joints are within their limit.
  target.clear();
  target[0] = static_cast<float>(values.size());
  for (std::size_t i = 0; i < values.size(); ++i) target[static_cast<long long>(i) + 1] = values[i];
}

}  // namespace

namespace {

// LevelX, LevelY, LevelZ and JointLattice; returns the occupied points sorted along column lines.
std::vector<Cell> placeJoints(Project& p) {
  std::vector<float> xs, ys, zs;
  const auto n = static_cast<std::size_t>(std::max<int>(p.JointCount, 0));
  xs.reserve(n);
  ys.reserve(n);
  zs.reserve(n);
  for (int j = 1; j <= p.JointCount; ++j) {
    const auto& row = p.JointTable[j];
    if (row[0] > cap::kLargestJointNumber || row[0] < -cap::kLargestJointNumber)
      throw ListingError("Joint number " + std::to_string(row[0]) + " is too large; joint numbers up to " +
                         std::to_string(cap::kLargestJointNumber) + " can be read.");
    xs.push_back(static_cast<float>(row[1]));
    ys.push_back(static_cast<float>(row[2]));
    zs.push_back(static_cast<float>(row[3]));
  }
  fillLevels(p.LevelX, xs);
  fillLevels(p.LevelY, ys);
  fillLevels(p.LevelZ, zs);

  // Every lattice point takes the number of the last joint row that lies on it. Every joint lies on
  // a level of each axis, since the levels are its own coordinates.
  const auto lx = sortedLevels(p.LevelX), ly = sortedLevels(p.LevelY), lz = sortedLevels(p.LevelZ);
  std::vector<Cell> cells;
  cells.reserve(n);
  p.JointLattice.clear();
  for (int j = 1; j <= p.JointCount; ++j) {
    const std::size_t i = static_cast<std::size_t>(j) - 1;
    const Cell c{levelIndex(lx, xs[i]), levelIndex(ly, ys[i]), levelIndex(lz, zs[i]), 0};
    p.JointLattice.set(c.ix, c.iy, c.iz, p.JointTable[j][0]);
    cells.push_back(c);
  }
  return occupiedCells(p, std::move(cells));
}

// Beams leave a joint above the base level toward the next occupied point of the same line.
void buildBeams(BeamLattices& beams, std::vector<Cell> cells, const FrameLookups& lookups) {
  auto along = [&](SparseLattice& lattice, auto sameLine) {
    lattice.clear();
    for (std::size_t i = 0; i + 1 < cells.size(); ++i) {
      const Cell& c = cells[i];
      const Cell& n = cells[i + 1];
      if (c.iy < 2 || c.joint <= 0 || !sameLine(c, n) || n.joint <= 0) continue;
      int32_t m = lookups.memberBetween(c.joint, n.joint);
      if (m != 0) lattice.set(c.ix, c.iy, c.iz, lookups.beamRowOf(m));
    }
  };
  std::sort(cells.begin(), cells.end(), [](const Cell& a, const Cell& b) {
    return std::tie(a.iy, a.iz, a.ix) < std::tie(b.iy, b.iz, b.ix);
  });
  along(beams.x, [](const Cell& a, const Cell& b) { return a.iy == b.iy && a.iz == b.iz; });
  std::sort(cells.begin(), cells.end(), [](const Cell& a, const Cell& b) {
    return std::tie(a.ix, a.iy, a.iz) < std::tie(b.ix, b.iy, b.iz);
  });
  along(beams.z, [](const Cell& a, const Cell& b) { return a.ix == b.ix && a.iy == b.iy; });
}

// ColumnMember of the footings on the lowest level, from the occupied points along column lines.
void assignColumns(Project& p, const std::vector<Cell>& cells) {
  // First support of every joint number.
  const int supports = std::clamp(p.supportCount(), 0, cap::kReactionSupports);
  std::unordered_map<float, int> supportOf;
  for (int s = 1; s <= supports; ++s) supportOf.emplace(p.ReactionTable(s, 0, 0), s);
  if (supportOf.empty()) return;

  // The lowest column of every X-Z line.
  FlatMap lowestColumn;
  for (const Cell& c : cells) {
    if (c.iy < 2) continue;
    int32_t row = p.ColumnLattice.get(c.ix, c.iy, c.iz);
    if (row != 0) lowestColumn.emplace(pointKey(c.ix, 0, c.iz), row);
  }

  auto assign = [&](int ix, int iz, int32_t baseJoint) {
    auto s = supportOf.find(static_cast<float>(baseJoint));
    if (s == supportOf.end() || s->second > cap::kFootings) return;
    const uint64_t line = pointKey(ix, 0, iz);
    if (lowestColumn.contains(line)) p.FootingTable[s->second].ColumnMember = lowestColumn.get(line);
  };

  if (supportOf.count(0.0f)) {
    // A support numbered 0 matches every line without a base joint: visit every line.
    const int nx = static_cast<int>(p.LevelX[0]), nz = static_cast<int>(p.LevelZ[0]);
    for (int ix = 1; ix <= nx; ++ix)
      for (int iz = 1; iz <= nz; ++iz) assign(ix, iz, p.JointLattice.get(ix, 1, iz));
    return;
  }
  for (const Cell& c : cells)
    if (c.iy == 1) assign(c.ix, c.iz, c.joint);
}

}  // namespace

void buildFrame(Project& p, bool withBeams) {
  const std::vector<Cell> cells = placeJoints(p);
  const FrameLookups lookups(p);
  buildColumns(p, cells, lookups);
  assignColumns(p, cells);
  p.BeamXLattice.clear();
  p.BeamZLattice.clear();
  if (!withBeams) return;
  BeamLattices beams;
  buildBeams(beams, cells, lookups);
  p.BeamXLattice = std::move(beams.x);
  p.BeamZLattice = std::move(beams.z);
}

BeamLattices beamLattices(const Project& p) {
  // The occupied points again, from the levels and the joint lattice buildFrame made.
  const auto lx = sortedLevels(p.LevelX), ly = sortedLevels(p.LevelY), lz = sortedLevels(p.LevelZ);
  std::vector<Cell> cells;
  cells.reserve(static_cast<std::size_t>(std::max<int>(p.JointCount, 0)));
  for (int j = 1; j <= p.JointCount; ++j) {
    const auto& row = p.JointTable[j];
    cells.push_back({levelIndex(lx, static_cast<float>(row[1])), levelIndex(ly, static_cast<float>(row[2])),
                     levelIndex(lz, static_cast<float>(row[3])), 0});
  }
  BeamLattices beams;
  buildBeams(beams, occupiedCells(p, std::move(cells)), FrameLookups(p));
  return beams;
}

}  // namespace plintova
