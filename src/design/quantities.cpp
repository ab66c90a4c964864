// Quantities of the designed footings: concrete, reinforcement, excavation and formwork per schedule row.
#include "design/quantities.h"

#include <algorithm>
#include <string>
#include <utility>

#include "design/bar_bending.h"

namespace plintova {

namespace {

// The parts every kind of row shares: n footings of L x B x D with `pedestals` pedestals of the given sides.
RowQuantities footingsOf(const Project& p, std::string mark, int n, int pedestals, double L, double B, double D,
                         const PedestalSides& a) {
  RowQuantities q;
  q.mark = std::move(mark);
  q.footings = n;
  q.pedestals = pedestals;
  const double h = p.FoundingDepth;
  q.footingConcrete = n * L * B * D;
  // The pedestal stands on the footing's top and reaches the founding level (the ground the columns
  // start from); a footing deeper than the founding depth has none to count.
  q.pedestalConcrete = pedestals * a.area() * std::max(h - D, 0.0);
  // The lean-concrete bed the footing is cast on: leanThickness deep, reaching leanProjection beyond
  // each edge (options in mm).
  const DesignOptions& o = p.decisions.options;
  const double bed = o.leanProjection / 1000;
  q.leanConcrete = n * (o.leanThickness / 1000) * (L + 2 * bed) * (B + 2 * bed);
  q.excavation = n * (L + 2 * kWorkingSpace) * (B + 2 * kWorkingSpace) * h;
  q.formwork = n * 2 * (L + B) * D;
  return q;
}

void addTo(RowQuantities& total, const RowQuantities& q) {
  total.footings += q.footings;
  total.pedestals += q.pedestals;
  total.footingConcrete += q.footingConcrete;
  total.pedestalConcrete += q.pedestalConcrete;
  total.leanConcrete += q.leanConcrete;
  total.steel += q.steel;
  total.excavation += q.excavation;
  total.formwork += q.formwork;
  total.steelKnown = total.steelKnown && q.steelKnown;
}

}  // namespace

double barMassPerMetre(double dia) { return 0.00617 * dia * dia; }


Quantities scheduleQuantities(const Project& p) {
  Quantities all;
  all.total.mark = "Total";
  // The reinforcement is the bar bending schedule's, row by row: one set of bars and lengths.
  const BarBendingSchedule bars = barBendingSchedule(p);
  for (int r = 1; r <= p.DesignGroupCount; ++r) {
    const SizeGroupRecord& row = p.DesignGroupTable[r];
    const double B = row.GroupSize;
    const int n = std::max<int>(row.MemberCount, 0);
    RowQuantities q = footingsOf(p, "F" + std::to_string(row.GroupMark), n, n, B, B, row.TotalDepth,
                                 row.Pedestal);
    q.steelKnown = row.design.barsKnown;
    q.steel = bars.rowWeight(q.mark);
    all.rows.push_back(q);
  }
  auto footingRow = [&](const FootingRow& row) {
    const bool combined = row.kind == FootingRow::Kind::Combined;
    RowQuantities q = footingsOf(p, row.mark(), 1, combined ? 2 : 1, row.L, row.B, row.TotalDepth, row.Pedestal);
    q.steel = bars.rowWeight(q.mark);
    all.rows.push_back(q);
  };
  for (const FootingRow& row : p.RectangularRows) footingRow(row);
  for (const FootingRow& row : p.CombinedRows) footingRow(row);
  for (const RowQuantities& q : all.rows) addTo(all.total, q);
  return all;
}

}  // namespace plintova
