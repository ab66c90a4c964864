// The chapter "Method" of the calculation report: how the footings are sized, grouped, combined and
// designed, with the clauses of IS 456 each step follows.
#include <string>
#include <utility>

#include "design/is456.h"
#include "footing/size_groups.h"
#include "model/numbers.h"
#include "output/report_parts.h"

namespace plintova::report_parts {

Formula basis(std::string lhs, std::string expression, std::string clause, std::string comparison) {
  Formula f;
  f.lhs = std::move(lhs);
  f.expression = std::move(expression);
  f.clause = std::move(clause);
  f.comparison = std::move(comparison);
  return f;
}

namespace {

void addSizingMethod(Document& doc, const Project& p) {
  report::Section& s = doc.addSection(2, "Sizing of isolated footings");
  s.blocks.push_back(Paragraph{
      "Every support gets a square footing of side L, centred under its column, for every load case used. "
      "P = 1.1 FY allows for the weight of the footing and the soil on it; both moments count whatever their "
      "sign. L is the root of the edge pressure equal to the allowable pressure, and at least the side that "
      "keeps the resultant within the middle third (no tension under the footing, at most 6 m); it is rounded "
      "up to the next millimetre. A case whose FY is zero or upward is sized to be held down instead (see "
      "\"Uplift and stability\")."});
  s.blocks.push_back(basis("p", "1.1 FY/L² + 6 (|MX| + |MZ|)/L³", "IS 456 cl. 34.1",
                           "≤ SBC or " + num(p.decisions.options.sbcIncrease) + " × SBC"));
  s.blocks.push_back(basis("L", "", "IS 456 cl. 34.1 (no tension)", "≥ 6 (|MX| + |MZ|)/(1.1 FY)"));
}

void addGroupingMethod(Document& doc) {
  report::Section& s = doc.addSection(2, "Grouping into standard sizes");
  s.blocks.push_back(Paragraph{
      "The required sides, rounded up to 0.1 m, give the standard sizes. Each isolated footing takes the "
      "smallest ticked size that is at least its required side; the groups that receive footings are marked "
      "F1, F2, … in ascending size. Each size has its pedestal (column stub) from this table:"});
  Table t;
  t.header = {"Footing side up to m", "Pedestal side m"};
  t.align = {Align::Right, Align::Right};
  for (float up : {1.4f, 1.7f, 1.9f, 2.3f, 2.8f, 3.1f}) t.rows.push_back({{num(up), num(PedestalSizeFor(up))}});
  t.rows.push_back({{"larger", num(PedestalSizeFor(100.0f))}});
  s.blocks.push_back(t);
}

void addGroupRowMethod(Document& doc, const Project& p) {
  report::Section& s = doc.addSection(2, "Limit-state design of the group rows");
  const DesignOptions& o = p.decisions.options;
  s.blocks.push_back(Paragraph{
      "Each group row is a square pad of side B under a pedestal ax × az (along X × along Z: the size table's "
      "square side, or in each direction the largest column side of its footings with " + num(o.pedestalMargin) +
      " mm on each side where that is more; the cantilever from the shorter side governs), "
      "designed for the largest factored net upward pressure qu = 1.5 q of its footings and their cases, q with "
      "the reactions as read (no 1.1), rounded up to a whole kN/m² and taken uniform. Both layers of bars carry "
      "the same moment and shear; the upper layer has the lesser depth, d = D − cover − 1.5 φ (cover " +
      num(o.cover) + " mm), and every line of the row uses it; punching takes the mean of the two layers. The "
      "cantilever is taken as it is. D starts at the larger of what bending needs (rounded up to a 50 mm step, "
      "at least 250 mm) and the depth of the older procedure of the size groups (d = D − 60 mm, the cantilever "
      "to 0.01 m, pt at least 0.2 %), so that no row is shallower than that procedure made it, and grows by "
      "25 mm while bending, one-way shear (Table 19 at the bars provided) or punching fails. A depth typed at or "
      "above what bending needs is kept and checked."});
  s.blocks.push_back(basis("c", "(B − a)/2", "IS 456 cl. 34.2.3.2", "(the critical section at the pedestal face)"));
  s.blocks.push_back(basis("Mu", "qu B c²/2", "IS 456 cl. 34.2.3.1, 34.2.3.2, Table 18"));
  s.blocks.push_back(basis("Mu,lim", num(is456::limitingMomentFactor(p.Fe)) + " fck B d²", "IS 456 Annex G-1.1 c"));
  s.blocks.push_back(basis("Ast", "max(steel for Mu on B × d, minimum)", "IS 456 Annex G-1.1 b, cl. 26.5.2.1"));
  s.blocks.push_back(basis("τv", "qu B (c − d)/(B d)", "IS 456 cl. 34.2.4.1 a, 40.2.1",
                           "≤ τc from Table 19 for the bars provided and fck, interpolated"));
  s.blocks.push_back(basis("τv", "qu (B² − (a + d̄)²)/(4 (a + d̄) d̄)", "IS 456 cl. 34.2.4.1 b, 31.6.3.1",
                           "≤ τp = 0.25 √fck"));
  s.blocks.push_back(Paragraph{
      "Bars: the smallest diameter of " + barDiametersText(o.barDiameters) + " mm whose centre spacing, rounded "
      "down to " + num(o.spacingStep) + " mm, is at least " + num(o.minBarSpacing) + " mm and at most min(3 d, "
      "300 mm) (IS 456 cl. 26.3.3 b), with the count that spacing gives over the side less the cover and half a "
      "bar at each edge. Development at the pedestal face: Ld for the stress the bars carry there, 0.87 fy × "
      "Ast needed / As provided (cl. 26.2.1), at least 0.3 Ld at 0.87 fy, 10 φ and 100 mm, within the "
      "cantilever less the cover; bars that need more end in a standard 90° bend counted 8 φ with its 4 φ "
      "extension (cl. 26.2.2.1 b)."});
}

void addChecksMethod(Document& doc, const Project& p) {
  report::Section& s = doc.addSection(2, "Checks of every row");
  s.blocks.push_back(Paragraph{
      "Every row of the schedule is checked against IS 456 as it stands; the checks are flags and change no "
      "figure of the row. Bearing: the edge pressure with P = 1.1 FY against SBC or " +
          num(p.decisions.options.sbcIncrease) + " × SBC (cl. 34.1). "
      "Bending: Mu against Mu,lim = 0.138 fck b d² (0.148 for Fe 250, 0.133 for Fe 500, 0.130 for Fe 550; Annex "
      "G-1.1 c) and against "
      "the moment of resistance of the bars provided (G-1.1 b). One-way shear at d from the pedestal face "
      "against Table 19 with the steel provided (cl. 34.2.4.1 a, 40.2.1). Punching on the perimeter d/2 from the "
      "pedestal faces against ks 0.25 √fck (cl. 31.6.3.1), a side beyond the footing cut off. Minimum steel "
      "0.12 % of b D (0.15 % for Fe 250; cl. 34.5.1, 26.5.2.1). Spacing at most 3 d and 300 mm (cl. 26.3.3 b). "
      "Depth at the edge at least 150 mm (cl. 34.1.2). Development length Ld = φ σs/(4 τbd) for the stress σs "
      "the bars carry at the face, at least 0.3 Ld at 0.87 fy, 10 φ and 100 mm, within the cantilever less the "
      "end cover, with 8 φ more where the bars end in a 90° bend (cl. 34.2.4.3, 26.2.1, 26.2.2.1 b; τbd of cl. "
      "26.2.1.1 raised by 60 % for deformed bars; the table starts at M20, and M15 takes 1.0 N/mm²). Bars at "
      "least the least spacing of the design options apart. A pedestal carries its column with the pedestal "
      "margin on each side. Uplift, sliding and overturning of every footing as the design basis gives them "
      "(cl. 20.1, 20.2), and the top steel of a lifted footing by the rules of the bottom steel."});
}

void addResizedRowMethod(Document& doc) {
  report::Section& s = doc.addSection(2, "Rows of hand-resized footings");
  s.blocks.push_back(Paragraph{
      "A footing the engineer resized is rectangular, L along X by B along Z, under its own pedestal (the "
      "table above for its required size rounded up to 0.1 m). Its net pressure is the largest P/(L B) + "
      "6 |MX|/(L B²) + 6 |MZ|/(L² B) of its cases with P = FY as read, rounded up to a whole kN/m², taken uniform "
      "and factored by 1.5. Each direction is a cantilever (side − a)/2 beyond the pedestal face with its moment "
      "over the full width (cl. 34.2.3.2). The depth starts on the 50 mm step the larger moment needs (at least "
      "250 mm) and grows by 25 mm while bending, one-way shear in either direction (cl. 34.2.4.1 a) or punching "
      "(cl. 34.2.4.1 b) fails. The bars along the longer side lie outermost; the steel along the shorter side is "
      "split into a central band as wide as the shorter side holding 2/(β + 1) of it and the two outer strips "
      "(cl. 34.3.1 c); where each outer strip would be narrower than one bar spacing (a nearly square footing), "
      "the bars go evenly over the whole width at the band's density. Bars of the design options' diameters "
      "(the edited diameter when set), spaced at most 3 d and 300 mm and at least the least spacing, "
      "developed within the cantilever less the cover for the stress they carry, with a 90° bend where the "
      "straight bar is short; where no diameter develops, the row is flagged."});
}

void addCombinedRowMethod(Document& doc) {
  report::Section& s = doc.addSection(2, "Rows of combined footings");
  s.blocks.push_back(Paragraph{
      "A combined footing of length L along the columns' line and width B carries two columns. Their reactions "
      "are paired by load-case number; each case is factored by 1.5 and taken with the columns' moments along "
      "the footing in both senses (the sign of a support moment is not relied on). The footing is rigid: the "
      "pressure along it is linear, or triangular where the resultant lies beyond the middle third, and uniform "
      "across the width; a case whose load lifts off presses nothing, and a resultant beyond an end fails "
      "\"resultant within the base\". Along L the footing is a beam of width B under that pressure and the column "
      "loads: the sagging moment at the pedestal faces gives the bottom steel, the hogging moment between the "
      "columns the top steel; one-way shear at d from the faces; punching around each column, a perimeter cut "
      "by the footing's end keeping its other sides. Across the width each column's load, with its moment "
      "across, bends the cantilever from the pedestal face to the farther edge; its bars lie in a band a + 2 d "
      "wide under the column, ended by the footing's ends and by the midpoint between the columns; the rest of "
      "the length gets the minimum steel across. The pedestal is the larger of the two columns' own (an edited "
      "pedestal stands for both); depth, bars and flags as for a hand-resized footing."});
}

}  // namespace

void addMethod(Document& doc, const Project& p) {
  doc.addSection(1, "Method");
  addSizingMethod(doc, p);
  addGroupingMethod(doc);
  addGroupRowMethod(doc, p);
  addChecksMethod(doc, p);
  addResizedRowMethod(doc);
  addCombinedRowMethod(doc);
  addPedestalMethod(doc, p);
}


}  // namespace plintova::report_parts
