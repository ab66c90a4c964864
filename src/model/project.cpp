// Out-of-line pieces of the project model: index errors and lattice cells.
#include "model/project.h"

#include <algorithm>
#include <cstdlib>
#include <unordered_set>

#include "model/numbers.h"

namespace plintova {

void throwIndexError(const char* table, long long index, long long size) {
  throw IndexError(std::string(table) + " index " + std::to_string(index) + " outside 0.." + std::to_string(size - 1));
}

void SparseLattice::set(int ix, int iy, int iz, int32_t v) {
  constexpr int kAxis = 1 << kLevelBits;
  if (ix < 0 || ix >= kAxis || iy < 0 || iy >= kAxis || iz < 0 || iz >= kAxis) throwIndexError("lattice", ix, kAxis);
  if (v == 0) cells_.erase(key(ix, iy, iz));
  else cells_.set(key(ix, iy, iz), v);
}

void clearInputTables(Project& p) {
  p.ListingSha256.clear();
  p.ListingBytes.reset();
  p.ListingByteCount = 0;
  p.SupportPrints.clear();
  p.JointTable.clear();
  p.JointCount = 0;
  p.MemberTable.clear();
  p.MemberTotal = 0;
  p.RotatedMemberList.clear();
  p.RotatedMemberCount = 0;
  p.ColumnSectionTable.clear();
  p.ColumnSectionCount = 0;
  p.BeamSectionTable.clear();
  p.BeamSectionCount = 0;
  p.ReactionTable = ReactionTableType{};
  p.Fck = p.Fe = p.ListingFck = p.ListingFe = 0;
  p.GradesGiven = false;
  p.LoadCases.clear();
  p.ListingCases.clear();
  p.HorizontalForcesKnown = true;
  p.SizedOptions.reset();
  p.UsedCases.clear();
  p.IncreasedCases.clear();
  p.increaseRule = IncreaseRule::LaterCases;
  p.CaseRoles.clear();
  p.Combinations.clear();
  p.CaseFactorsInForce.clear();
  p.NonlinearAnalysis.clear();
  p.LevelX.clear();
  p.LevelY.clear();
  p.LevelZ.clear();
  p.JointLattice.clear();
  p.ColumnLattice.clear();
  p.BeamXLattice.clear();
  p.BeamZLattice.clear();
  for (std::size_t s = 0; s < p.FootingTable.stored(); ++s) p.FootingTable[static_cast<long long>(s)].ColumnMember = 0;
}

void setListingCases(Project& p) {
  p.ListingCases.clear();
  std::unordered_set<int> seen;
  for (int s = 1; s <= p.supportCount(); ++s) {
    const int last = p.lastCasePosition(s);
    for (int c = 0; c <= last; ++c) {
      const int n = static_cast<int>(p.ReactionTable(s, c, 1));
      if (seen.insert(n).second) p.ListingCases.push_back(n);
    }
  }
  const bool named = titlesKnown(p.LoadCases);
  p.increaseRule = named ? IncreaseRule::WindOrEarthquake : IncreaseRule::LaterCases;
  p.IncreasedCases = named ? windOrEarthquakeCases(p.LoadCases, p.ListingCases) : std::vector<int>{};
}

void setIncreasedSbc(Project& p) {
  const auto increased = static_cast<float>(p.CaseSbc[0] * p.decisions.options.sbcIncrease);
  for (int c = 1; c <= cap::kLastCase; ++c) p.CaseSbc[c] = increased;
}

double Project::allowable(int s, int c) const {
  if (increaseRule == IncreaseRule::LaterCases) return CaseSbc[c];
  const int loadCase = static_cast<int>(ReactionTable(s, c, 1));
  const bool increased = std::binary_search(IncreasedCases.begin(), IncreasedCases.end(), loadCase);
  return CaseSbc[increased ? 1 : 0];
}

std::optional<std::pair<int32_t, int32_t>> offsetPosition(const Project& p, int s, int ox, int oz) {
  constexpr double kColumnFaceAllowance = 115;  // mm
  if (s < 1 || s > p.FootingCount || s > cap::kFootings) return std::nullopt;
  const FootingRecord& f = p.FootingTable[s];
  const int c = f.ColumnMember;
  if (c < 1 || c > p.ColumnSectionCount || c > cap::kColumnBlocks) return std::nullopt;
  const auto& section = p.ColumnSectionTable[c];
  if (section[4] == 0) return std::nullopt;  // the column's section is unknown
  const auto x = toInt32(f.ColumnX + ox * (section[4] / 2.0 - kColumnFaceAllowance));
  const auto z = toInt32(f.ColumnZ + oz * (section[3] / 2.0 - kColumnFaceAllowance));
  if (!x || !z) return std::nullopt;
  return std::pair{*x, *z};
}

std::optional<ColumnSection> columnSection(const Project& p, int s) {
  if (s < 1 || s > p.FootingCount || s > cap::kFootings) return std::nullopt;
  const int c = p.FootingTable[s].ColumnMember;
  if (c < 1 || c > p.ColumnSectionCount || c > cap::kColumnBlocks) return std::nullopt;
  const auto& section = p.ColumnSectionTable[c];
  if (!(section[3] > 0) || !(section[4] > 0)) return std::nullopt;
  return ColumnSection{static_cast<double>(section[4]), static_cast<double>(section[3])};
}

PedestalSides columnPedestal(const Project& p, int s) {
  const auto c = columnSection(p, s);
  if (!c) return {};
  const double margin = 2 * p.decisions.options.pedestalMargin;
  return {roundTo((c->alongX + margin) / 1000, 3), roundTo((c->alongZ + margin) / 1000, 3)};
}

std::string footingMark(const FootingRecord& f) {
  if (f.Kind == FootingKind::Combined) return "C" + std::to_string(f.CombinedNo);
  if (f.GroupRank <= 0) return {};
  if (f.Kind == FootingKind::Isolated) return "F" + std::to_string(f.GroupRank);
  return f.Kind == FootingKind::HandResized ? "R" + std::to_string(f.GroupRank) : std::string();
}

std::pair<int32_t, int32_t> footingCentre(const Project& p, int s, ColumnOffset offset) {
  const FootingRecord& f = p.FootingTable[s];
  const auto x = toInt32(static_cast<double>(f.ColumnX) + offset.dx);
  const auto z = toInt32(static_cast<double>(f.ColumnZ) + offset.dz);
  return {x.value_or(f.ColumnX), z.value_or(f.ColumnZ)};
}

std::optional<ColumnOffset> stepOffset(const Project& p, int s, int ox, int oz) {
  const auto at = offsetPosition(p, s, ox, oz);
  if (!at) return std::nullopt;
  const FootingRecord& f = p.FootingTable[s];
  return ColumnOffset{at->first - f.ColumnX, at->second - f.ColumnZ};
}

OffsetSteps nearestSteps(const Project& p, int s, ColumnOffset offset) {
  const auto plus = stepOffset(p, s, 1, 1);
  if (!plus) return {};
  auto nearest = [](int32_t wanted, int32_t step) -> int8_t {
    int8_t best = 0;
    for (int8_t k : {int8_t{-1}, int8_t{1}})
      if (std::llabs(static_cast<long long>(wanted) - k * static_cast<long long>(step)) <
          std::llabs(static_cast<long long>(wanted) - best * static_cast<long long>(step)))
        best = k;
    return best;
  };
  return {nearest(offset.dx, plus->dx), nearest(offset.dz, plus->dz)};
}

}  // namespace plintova
