// The calculation report's pedestal step of each row and its chapter "Bar bending schedule".
#include <string>

#include "design/bar_bending.h"
#include "design/pedestal_design.h"
#include "output/report_parts.h"

namespace plintova::report_parts {

namespace {

// The stress the dowels are developed for, and why: the option in force.
std::string dowelStressBasis(const Project& p) {
  if (p.decisions.options.dowelFullStress > 0)
    return "Dowels are developed for their full design stress 0.87 fy (the option \"dowelFullStress\" is 1): "
           "the cautious reading for column bars lapped onto them at full stress.";
  return "Dowels are developed for the stress they carry (the option \"dowelFullStress\" is 0): cl. 26.2.1 "
         "takes Ld from the stress in the bar at the section, and at the column's base a dowel carries only "
         "what the bearing cannot, the excess over 0.45 fck √(A1/A2) A2 shared by their area; at least 10 φ "
         "and 100 mm.";
}

}  // namespace

void addPedestalMethod(report::Document& doc, const Project& p) {
  report::Section& s = doc.addSection(2, "Pedestals, dowels and the bar bending schedule");
  s.blocks.push_back(Paragraph{
      "Each column stands on a pedestal ax × az (along X × along Z) from the footing's top to the founding level, "
      "designed on that section for Pu, the largest FY of its design cases as factored. Vertical bars: at least "
      "0.8 % of the concrete area the load needs, Pu/(0.4 fck + 0.67 fy × 0.8 %) (cl. 26.5.3.1 a, b), 0.15 % of ax "
      "az (cl. 26.5.3.1 h) and what cl. 39.3 needs beyond the concrete, four bars of 12 mm at least round the "
      "perimeter, at most 300 mm apart along each face, the same number on opposite faces and the two faces' "
      "spacings as near alike as whole bars allow (cl. 26.5.3.1 c, d, g). Closed ties of at least φ/4 and 8 mm at "
      "a pitch of at most the least lateral dimension, 16 φ and 300 mm, with a cross tie in each direction to "
      "every pair of opposite intermediate bars (cl. 26.5.3.2). Bearing at the column's base and at the "
      "pedestal's base: 0.45 fck √(A1/A2) with √(A1/A2) at most 2, A1 like the loaded rectangle, the excess "
      "carried by the bars crossing the joint at 0.67 fy (cl. 34.4, 34.4.1). Dowels of the options' diameter: at least 0.5 % of the column's area and four bars "
      "(cl. 34.4.3), developed in compression within the footing on its bottom mat for the stress they carry "
      "(cl. 34.4.4, 26.2.1: τbd raised by 25 %), the footing deepened until they do; where the engineer typed "
      "the depth the row is flagged instead. The bar bending schedule (IS 2502) lists every bar with its shape "
      "and outside dimensions; its weight is the reinforcement of the quantities."});
  s.blocks.push_back(Paragraph{dowelStressBasis(p)});
}

void addPedestalSteps(Steps& steps, const Project&, const PedestalSteel& ps) {
  const std::string column = ps.columnKnown ? num(ps.columnX) + " × " + num(ps.columnZ) + " mm"
                                            : num(ps.columnX) + " × " + num(ps.columnZ) +
                                                  " mm (not given: the pedestal less its margins)";
  steps.add(kPedestal, Paragraph{pedestalText(ps) + ". Column " + column + ", Pu = the largest factored FY = " +
                                 rounded(ps.Pu, 1) + " kN."});
  if (ps.vertical.bars > 0) {
    steps.add(kPedestal, formula("As", "max(0.8 % of Pu/(0.4 fck + 0.67 fy × 0.8 %), 0.15 % ax az, what cl. 39.3 needs)",
                                 "", rounded(ps.vertical.Ast, 0) + " mm²", "IS 456 cl. 26.5.3.1 a, b, h; 39.3",
                                 "four bars of 12 mm at least on the perimeter, at most 300 mm apart along each face, the same on opposite faces"));
    steps.add(kPedestal, formula("tie pitch", "min(least of ax and az, 16 φ, 300 mm)", "", std::to_string(ps.ties.spacing) + " mm",
                                 "IS 456 cl. 26.5.3.2 c, d",
                                 "ties of " + std::to_string(ps.ties.dia) + " mm (at least φ/4 and 8 mm)"));
  }
  steps.add(kPedestal, formula("bearing", "0.45 fck √(A1/A2) A2 + 0.67 fy As crossing", "", "",
                               "IS 456 cl. 34.4, 34.4.1", "√(A1/A2) at most 2; A1 within the pedestal (its base: "
                                                          "the frustum sloping 1 in 2 through the footing)"));
  steps.add(kPedestal, formula("Ld,c", "φ σ/(4 × 1.25 τbd), σ the stress the dowels carry", "", "",
                               "IS 456 cl. 34.4.4, 26.2.1, 26.2.2.2",
                               "the bearing's excess over their area (0.87 fy where the options ask), at least 10 φ "
                               "and 100 mm, straight within the footing: D − cover − the mat; lap above max(Ld,c at "
                               "0.87 fy, 24 φ)"));
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
  t.header = {"Mark", "Member", "φ mm", "Shape, mm", "No./footing", "No.", "Cut mm", "Length m", "Weight kg"};
  t.align = {Align::Left,  Align::Left,  Align::Right, Align::Left, Align::Right,
             Align::Right, Align::Right, Align::Right, Align::Right};
  for (const BarMark& m : bbs.bars) {
    std::string shape = shapeCode(m.shape);
    const char* letters[] = {"A", "B", "C"};
    for (std::size_t k = 0; k < m.dims.size() && k < 3; ++k) shape += std::string(" ") + letters[k] + " " + num(m.dims[k]);
    t.rows.push_back({{m.mark, m.row + " " + m.member + ", " + m.where, std::to_string(m.dia), shape,
                       std::to_string(m.perFooting), std::to_string(m.count()), num(m.cutLength),
                       rounded(m.totalLength(), 2), rounded(m.weight(), 1)}});
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
