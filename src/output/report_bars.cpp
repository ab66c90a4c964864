// The calculation report's pedestal step of each row and its chapter "Bar bending schedule".
#include <string>

#include "design/bar_bending.h"
#include "design/pedestal_design.h"
#include "output/report_parts.h"

namespace plintova::report_parts {

using report::Align;
using report::Paragraph;
using report::Table;
using report::TableRow;

void addPedestalSteps(Steps& steps, const Project&, const PedestalSteel& ps) {
  const std::string column = ps.columnKnown ? num(ps.columnX) + " × " + num(ps.columnZ) + " mm"
                                            : num(ps.columnX) + " × " + num(ps.columnZ) +
                                                  " mm (not given: the pedestal less its margins)";
  steps.add(kPedestal, Paragraph{pedestalText(ps) + ". Column " + column + ", Pu = 1.5 FY = " + rounded(ps.Pu, 1) +
                                 " kN (the largest)."});
  if (ps.vertical.bars > 0) {
    steps.add(kPedestal, formula("As", "max(0.8 % of Pu/(0.4 fck + 0.67 fy × 0.8 %), 0.15 % a², what cl. 39.3 needs)",
                                 "", rounded(ps.vertical.Ast, 0) + " mm²", "IS 456 cl. 26.5.3.1 a, b, h; 39.3",
                                 "four bars of 12 mm at least, at most 300 mm apart, the same on every face"));
    steps.add(kPedestal, formula("tie pitch", "min(a, 16 φ, 300 mm)", "", std::to_string(ps.ties.spacing) + " mm",
                                 "IS 456 cl. 26.5.3.2 c, d",
                                 "ties of " + std::to_string(ps.ties.dia) + " mm (at least φ/4 and 8 mm)"));
  }
  steps.add(kPedestal, formula("bearing", "0.45 fck √(A1/A2) A2 + 0.67 fy As crossing", "", "",
                               "IS 456 cl. 34.4, 34.4.1", "√(A1/A2) at most 2; A1 within the pedestal (its base: "
                                                          "the frustum sloping 1 in 2 through the footing)"));
  steps.add(kPedestal, formula("Ld,c", "φ 0.87 fy/(4 × 1.25 τbd)", "", "", "IS 456 cl. 34.4.4, 26.2.1, 26.2.2.2",
                               "straight within the footing, D − cover − the mat; lap above max(Ld,c, 24 φ)"));
}

void addBarBendingSchedule(report::Document& doc, const Project& p) {
  if (!p.scheduleDesigned) return;
  report::Section& s = doc.addSection(1, "Bar bending schedule");
  const BarBendingSchedule bbs = barBendingSchedule(p);
  s.blocks.push_back(Paragraph{
      "Every bar of every schedule row (IS 2502). Dimensions are outside dimensions in mm; bends have an internal "
      "radius r = " + num(bbs.bendRadius) + " φ, and each 90° bend takes 2 (r + φ) − π (r + φ/2)/2 off their sum; a "
      "135° hook adds its arc and 10 φ (75 mm at least). Footing bars end the cover short of the edges, a bent layer "
      "in a standard 90° bend with a 4 φ end; vertical bars and dowels stand on the bottom mat on a 12 φ foot. "
      "Shapes: S straight, L one bend, U two bends, LK closed link, CT cross tie."});
  Table t;
  t.header = {"Mark", "Member", "Bars", "φ mm", "Shape", "A", "B", "C", "No./footing", "Footings", "No.",
              "Cut mm", "Length m", "Weight kg"};
  t.align = {Align::Left, Align::Left, Align::Left, Align::Right, Align::Left, Align::Right, Align::Right,
             Align::Right, Align::Right, Align::Right, Align::Right, Align::Right, Align::Right, Align::Right};
  for (const BarMark& m : bbs.bars) {
    std::vector<std::string> cells = {m.mark, m.row + " " + m.member, m.where, std::to_string(m.dia),
                                      shapeCode(m.shape)};
    for (std::size_t k = 0; k < 3; ++k) cells.push_back(k < m.dims.size() ? num(m.dims[k]) : "");
    for (std::string v : {std::to_string(m.perFooting), std::to_string(m.footings), std::to_string(m.count()),
                          num(m.cutLength), rounded(m.totalLength(), 2), rounded(m.weight(), 1)})
      cells.push_back(v);
    t.rows.push_back({cells});
  }
  s.blocks.push_back(t);
  Table totals;
  totals.header = {"φ mm", "Length m", "Weight kg"};
  totals.align = {Align::Right, Align::Right, Align::Right};
  for (const DiameterTotal& d : bbs.byDiameter)
    totals.rows.push_back({{std::to_string(d.dia), rounded(d.length, 2), rounded(d.weight, 1)}});
  TableRow total{{"Total", "", rounded(bbs.weight, 1)}};
  total.total = true;
  totals.rows.push_back(total);
  s.blocks.push_back(totals);
}

}  // namespace plintova::report_parts
