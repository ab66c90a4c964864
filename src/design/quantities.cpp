// Quantities of the designed footings: concrete, reinforcement, excavation and formwork per schedule row.
#include "design/quantities.h"

#include <algorithm>
#include <string>
#include <utility>

namespace plintova {

namespace {

// The parts every kind of row shares: n footings of L x B x D with `pedestals` pedestals of side a.
RowQuantities footingsOf(const Project& p, std::string mark, int n, int pedestals, double L, double B, double D,
                         double a) {
  RowQuantities q;
  q.mark = std::move(mark);
  q.footings = n;
  q.pedestals = pedestals;
  const double h = foundingDepth(p);
  q.footingConcrete = n * L * B * D;
  // The pedestal stands on the footing's top and reaches the founding level (the ground the columns
  // start from); a footing deeper than the founding depth has none to count.
  q.pedestalConcrete = pedestals * a * a * std::max(h - D, 0.0);
  q.excavation = n * (L + 2 * kWorkingSpace) * (B + 2 * kWorkingSpace) * h;
  q.formwork = n * 2 * (L + B) * D;
  return q;
}

void addTo(RowQuantities& total, const RowQuantities& q) {
  total.footings += q.footings;
  total.pedestals += q.pedestals;
  total.footingConcrete += q.footingConcrete;
  total.pedestalConcrete += q.pedestalConcrete;
  total.steel += q.steel;
  total.excavation += q.excavation;
  total.formwork += q.formwork;
  total.steelKnown = total.steelKnown && q.steelKnown;
}

// The side a layer's bars run along: "... along B ..." along B, anything else along L.
double runOf(const SteelLayer& layer, double L, double B) {
  return layer.where.find("along B") != std::string::npos ? B : L;
}

}  // namespace

double barMassPerMetre(double dia) { return 0.00617 * dia * dia; }

double barLength(double side, double dia, bool bent) {
  return side - 2 * kBarEndCover + (bent ? 2 * kBendDiameters * dia / 1000 : 0.0);
}

double foundingDepth(const Project& p) { return p.EarthPressure / kEarthUnitWeight; }

Quantities scheduleQuantities(const Project& p) {
  Quantities all;
  all.total.mark = "Total";
  for (int r = 1; r <= p.DesignGroupCount; ++r) {
    const SizeGroupRecord& row = p.DesignGroupTable[r];
    const double B = row.GroupSize;
    const int n = std::max<int>(row.MemberCount, 0);
    RowQuantities q = footingsOf(p, "F" + std::to_string(row.GroupMark), n, n, B, B, row.TotalDepth,
                                 row.PedestalSize);
    // n bars of BarDia each way, each layer across the whole side.
    q.steelKnown = row.design.barsKnown;
    if (q.steelKnown)
      q.steel = n * 2.0 * row.design.n * barLength(B, row.BarDia, row.design.bent) * barMassPerMetre(row.BarDia);
    all.rows.push_back(q);
  }
  auto footingRow = [&](const FootingRow& row) {
    const bool combined = row.kind == FootingRow::Kind::Combined;
    RowQuantities q = footingsOf(p, row.mark(), 1, combined ? 2 : 1, row.L, row.B, row.TotalDepth, row.PedestalSize);
    for (const SteelLayer& layer : row.steel)
      q.steel += layer.bars * barLength(runOf(layer, row.L, row.B), layer.dia, layer.bent) * barMassPerMetre(layer.dia);
    all.rows.push_back(q);
  };
  for (const FootingRow& row : p.RectangularRows) footingRow(row);
  for (const FootingRow& row : p.CombinedRows) footingRow(row);
  for (const RowQuantities& q : all.rows) addTo(all.total, q);
  return all;
}

}  // namespace plintova
