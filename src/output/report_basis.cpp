// The calculation report's chapter on its basis: the design values, the load cases with the rule that
// increases their allowable pressure, the options in force, the allowance for the weight of footing and
// soil, and the basis of the soil checks (pressure at the underside, uplift and stability).
#include <algorithm>
#include <string>
#include <vector>

#include "design/is456.h"
#include "design/quantities.h"
#include "footing/case_basis.h"
#include "footing/design_inputs.h"
#include "footing/size_groups.h"
#include "model/load_cases.h"
#include "model/numbers.h"
#include "output/report_parts.h"

namespace plintova::report_parts {

namespace {


std::string listText(const std::vector<int>& cases) { return cases.empty() ? "none" : caseListText(cases); }

bool contains(const std::vector<int>& list, int n) { return std::find(list.begin(), list.end(), n) != list.end(); }

std::string increasedText(const Project& p) {
  return num(p.decisions.options.sbcIncrease) + " × SBC = " + num(p.CaseSbc[1]) + " kN/m²";
}

std::string gradeSource(const Project& p) {
  if (!p.GradesGiven) return "the listing's concrete design";
  if (p.ListingFck == 0 && p.ListingFe == 0) return "given by the engineer (the listing gives none)";
  return "given by the engineer (the listing gives M" + std::to_string(p.ListingFck) + ", Fe " +
         std::to_string(p.ListingFe) + ")";
}

// The combinations the program added (built from the primary cases or set by the engineer), by their
// factors, and what makes the basis doubtful.
void addCombinations(report::Section& section, const Project& p) {
  if (!p.Combinations.empty()) {
    section.blocks.push_back(Paragraph{
        "Combinations added by superposing the reactions of their cases (valid for a linear analysis; IS 875 Part 5, "
        "IS 456 Table 18, IS 1893 Part 1 cl. 6.3.1.2 and 6.3.4):"});
    Table t;
    t.header = {"Case", "Title", "Role", "Factors (case × factor)"};
    t.align = {Align::Right, Align::Left, Align::Left, Align::Left};
    for (const Combination& c : p.Combinations) {
      std::string parts;
      for (const CaseFactor& f : c.parts)
        parts += (parts.empty() ? "" : " + ") + std::to_string(f.loadCase) + " × " + rounded(f.factor, 4);
      t.rows.push_back({{std::to_string(c.number), c.title, std::string(roleName(c.role)), parts}});
    }
    section.blocks.push_back(t);
  }
  for (const std::string& doubt : basisWarnings(p)) section.blocks.push_back(Paragraph{"Note: " + doubt});
}


void addDesignValues(Document& doc, const Project& p) {
  report::Section& values = doc.addSection(2, "Design values");
  Table t;
  t.header = {"Quantity", "Value", "Source and basis"};
  t.rows = {
      {{"Safe bearing capacity SBC", num(p.CaseSbc[0]) + " kN/m²", "the engineer"}},
      {{"Increased allowable pressure " + num(p.decisions.options.sbcIncrease) + " × SBC", num(p.CaseSbc[1]) + " kN/m²",
        "for the load cases named below"}},
      {{"Founding depth", rounded(p.FoundingDepth, 3) + " m", "the engineer"}},
      {{"Earth pressure over the footing", num(p.EarthPressure) + " kN/m²",
        "20 kN/m³ × founding depth: the uplift a footing may take"}},
      {{"Concrete", "M" + std::to_string(p.Fck) + " (fck " + std::to_string(p.Fck) + " N/mm²)", gradeSource(p)}},
      {{"Reinforcement", "Fe " + std::to_string(p.Fe) + " (fy " + std::to_string(p.Fe) + " N/mm²)", gradeSource(p)}},
      {{"Clear cover to the bottom bars", "50 mm", "IS 456 cl. 26.4.2.2; d = D − cover − φ/2 for the lower layer, D − cover − 1.5 φ for the upper"}},
      {{"Design bond stress of the bars", "τbd = " + rounded(is456::bondStress(p.Fck, p.Fe), 3) + " N/mm²",
        p.Fck < 20 ? "IS 456 cl. 26.2.1.1 starts at M20: for M15 1.0 N/mm² is taken (the value of the code's "
                     "earlier edition)" + std::string(p.Fe > 250 ? ", raised by 60 % for deformed bars" : "")
                   : "IS 456 cl. 26.2.1.1" + std::string(p.Fe > 250 ? ", raised by 60 % for deformed bars" : "")}},
      {{"Load factor", "1.5 (1.2 with wind or earthquake and imposed load)", "IS 456 Table 18, on the service cases; a factored case is taken as read (see Load cases)"}},
      {{"Allowance for the weight of footing and soil", "1.1 × FY", "sizing and every bearing check"}},
  };
  values.blocks.push_back(t);
}

// The rule in force that sends a case to the increased allowable pressure, in words.
std::string increaseRuleText(const Project& p, const std::vector<int>& increased) {
  switch (p.increaseRule) {
    case IncreaseRule::Chosen:
      return "The cases checked against the increased pressure were chosen by the engineer: " + listText(increased) + ".";
    case IncreaseRule::WindOrEarthquake:
      return "A case is checked against the increased pressure only when its title or load type names wind or "
             "earthquake (WIND, SEISMIC, EARTHQUAKE, or WL, EQ, EL alone or followed by X, Y, Z or digits), or "
             "when it is a combination that includes such a case: " + listText(increased) +
             ". Every other case is checked against SBC.";
    case IncreaseRule::LaterCases:
      return titlesKnown(p.LoadCases)
                 ? "As the project was saved before cases were told apart by their titles, every case after a "
                   "support's first is checked against the increased pressure: " + listText(increased) + "."
                 : "The listing names no load case's title or load type, so wind and earthquake cases cannot be "
                   "told apart: every case after a support's first is checked against the increased pressure (" +
                       listText(increased) + "). Check that this is meant.";
  }
  return {};
}

// The load basis: every case of the listing with its title and load type, whether it is used, the
// pressure it is checked against and why; then the rule in force.
void addLoadCases(Document& doc, const Project& p) {
  report::Section& section = doc.addSection(2, "Load cases");
  const std::vector<int> listed = p.ListingCases.empty() ? listingLoadCases(p) : p.ListingCases;
  const std::vector<int> increased = increasedCasesInForce(p);
  // Cases that stand at a later position of some support: by the later-case rule they take the increased
  // pressure there.
  std::vector<int> later;
  for (int s = 1; s <= p.supportCount(); ++s)
    for (int c = 1, lastCase = p.lastCasePosition(s); c <= lastCase; ++c) later.push_back(static_cast<int>(p.ReactionTable(s, c, 1)));
  Table t;
  t.header = {"Case", "Title", "Load type", "Role", "Used", "Soil ×", "Design ×", "Allowable pressure", "Why"};
  t.align = {Align::Right, Align::Left, Align::Left, Align::Left, Align::Left,
             Align::Right, Align::Right, Align::Left, Align::Left};
  std::vector<int> cases = listed;
  for (const Combination& c : p.Combinations) cases.push_back(c.number);
  for (int n : cases) {
    const LoadCaseDef* def = findLoadCase(p.LoadCases, n);
    const bool generated = !contains(listed, n);
    const bool used = generated || p.UsedCases.empty() || contains(p.UsedCases, n);
    const bool up = contains(increased, n);
    std::string allowable = up ? increasedText(p) : "SBC = " + num(p.CaseSbc[0]) + " kN/m²";
    std::string why;
    if (!used) {
      allowable = "";
      why = "left out by the engineer";
    } else if (p.increaseRule == IncreaseRule::Chosen) {
      why = up ? "chosen by the engineer" : "";
    } else if (p.increaseRule == IncreaseRule::WindOrEarthquake) {
      why = generated ? (up ? "combination with wind or earthquake" : "") : windOrEarthquakeReason(p.LoadCases, n);
    } else if (!up && contains(later, n)) {
      allowable = "SBC as a support's first case, else " + increasedText(p);
      why = "later case at some supports";
    } else if (up) {
      why = "never a support's first case";
    }
    const CaseFactors f = used ? factorsOf(p, n) : CaseFactors{};
    if (used && f.soil == 0) allowable = "- (no soil check takes it)";
    auto factor = [](double v) { return v > 0 ? rounded(v, 4) : std::string("-"); };
    std::string title = def && !generated ? def->title : "";
    for (const Combination& c : p.Combinations)
      if (c.number == n) title = c.title;
    t.rows.push_back({{std::to_string(n), title, def && !generated ? def->type : "", std::string(roleName(roleOf(p, n))),
                       used ? (generated ? "built" : "yes") : "no", factor(f.soil), factor(f.design), allowable, why}});
  }
  section.blocks.push_back(Paragraph{
      "Each case has a role: a primary load (dead, imposed, wind, earthquake, other), which no check takes alone "
      "once combinations are in use; a service combination, which the soil checks take as read (IS 875 Part 5); "
      "or a factored combination, which the design takes as read (IS 456 Table 18). Without a factored case the "
      "design takes each service case × 1.5, or × 1.2 where it includes wind or earthquake with imposed load."});
  section.blocks.push_back(t);
  section.blocks.push_back(Paragraph{p.UsedCases.empty() ? std::string("Every load case of the listing is used.")
                                                          : "The engineer chose the cases " + listText(p.UsedCases) + "."});
  addCombinations(section, p);
  section.blocks.push_back(Paragraph{increaseRuleText(p, increased)});
}

// The options the engineer sets (unit weights, water table, friction, factors of safety, the increase of
// SBC, the height of the support point), then the rules the design keeps to.
void addOptions(Document& doc, const Project& p) {
  report::Section& s = doc.addSection(2, "Options in force");
  Table chosen;
  chosen.header = {"Design option", "Value", "Range", "Basis"};
  auto units = [](std::string text) {  // kN/m3 as kN/m³
    for (std::size_t at = text.find("/m3"); at != std::string::npos; at = text.find("/m3", at))
      text.replace(at, 3, "/m\u00b3");
    return text;
  };
  for (const DesignOptionRow& row : designOptionRows())
    chosen.rows.push_back({{row.label, units(optionValueText(row, optionValue(p.decisions.options, row))),
                            units(optionRangeText(row)), row.basis}});
  chosen.rows.push_back({{"Bar diameters", barDiametersText(p.decisions.options.barDiameters) + " mm",
                          "any of " + std::to_string(kSmallestBarDia) + " to " + std::to_string(kLargestBarDia) + " mm",
                          "each row takes the smallest whose spacing fits its limits, IS 456 cl. 26.3.3 b"}});
  s.blocks.push_back(Paragraph{"The design options, as the engineer set them (a default where not):"});
  s.blocks.push_back(chosen);

  Table t;
  t.header = {"Option", "Value", "Basis"};
  const std::string minimum = p.Fe <= 250 ? "0.15 % of b D" : "0.12 % of b D";
  t.rows = {
            {{"Bars of every row", "the smallest of the options' diameters at least the least spacing apart that "
        "develops (with a 90° bend where the straight bar is short), or the engineer's",
        "IS 456 cl. 26.2.1, 26.2.2.1 b, 34.2.4.3"}},
      {{"Spacing of bars", "at most 3 d and " + rounded(is456::kMaxSpacing, 0) + " mm", "IS 456 cl. 26.3.3 b"}},
      {{"Minimum steel", minimum, "IS 456 cl. 26.5.2.1, 34.5.1"}},
      {{"First total depth", "the 50 mm step bending needs, at least " + rounded(is456::kMinTotalDepth, 0) + " mm",
        "the program's rule"}},
      {{"Deepening while a check fails", rounded(is456::kDeepenStep, 0) + " mm a step", "the program's rule"}},
      {{"Depth at the edge", "at least " + rounded(is456::kMinEdgeDepth, 0) + " mm", "IS 456 cl. 34.1.2"}},
      {{"Pedestal", "by the footing's size (see 2.2), or the column with the pedestal margin", "the program's rule"}},
      {{"Load factor on the reactions", rounded(is456::kLoadFactor, 1), "IS 456 Table 18"}},
      {{"Unit weight over the footing for the earth pressure", "20 kN/m³", "the program's rule"}},
  };
  s.blocks.push_back(Paragraph{"The rules the design keeps to:"});
  s.blocks.push_back(t);
}

// The weight of the footing and of the soil over it: an allowance of 10 % of the column load in every
// bearing check, worked out from the unit weights where it holds a footing down.
void addSelfWeight(Document& doc) {
  report::Section& s = doc.addSection(2, "Weight of footing and soil");
  s.blocks.push_back(Paragraph{
      "For bearing the weight of the footing and of the soil over it is not worked out: sizing and every bearing "
      "check allow for it as a tenth of the column's load, P = 1.1 FY, so the SBC given is read as a gross safe "
      "bearing capacity at the founding depth. The design of the concrete (net upward pressure, bending, shear, "
      "punching) takes the reactions as read: the footing's own weight and the soil on it press down where the "
      "soil presses up under them and bend nothing. Where the weight holds a footing down (uplift, sliding, "
      "overturning) it is worked out from the footing's size and the unit weights of the options (see \"Uplift "
      "and stability\")."});
  s.blocks.push_back(formula("P", "1.1 FY", "", "", "IS 456 cl. 34.1", "in the edge pressure against SBC or the "
                                                                      "increased pressure"));
}

// The bearing checks: the pressure at the underside, the moments about the footing's centre, partial
// contact.
void addSoilPressure(Document& doc, const Project& p) {
  const DesignOptions& o = p.decisions.options;
  report::Section& s = doc.addSection(2, "Soil pressure at the underside");
  s.blocks.push_back(Paragraph{
      "Bearing: the edge pressure P/A + M/Z with P = 1.1 FY, every moment counted whatever its sign, against SBC, "
      "or " + num(o.sbcIncrease) + " × SBC for the cases so marked in 1.2. No tension under a sized footing: its "
      "side keeps the resultant within the middle third. A downward load whose linear pressure falls below zero at "
      "an edge relies on the earth over the footing, " + num(p.EarthPressure) + " kN/m², and is flagged in the "
      "workbook where it falls below minus that. A combined footing's resultant must lie within its base."});
  s.blocks.push_back(Paragraph{
      "The moments are taken about the footing's centre at its underside: a footing offset by (ex, ez) from its "
      "column carries MX' = MX + FY ez and MZ' = MZ − FY ex (the 0.1 FY allowance acts at the centre), and the "
      "horizontal reactions act h above the underside."});
  s.blocks.push_back(Paragraph{
      o.supportHeight > 0
          ? "The support point lies h = " + num(o.supportHeight) +
                " m above the underside: |FZ| h and |FX| h are added to the moments, whatever their sense."
          : "h = 0: the reactions' moments are taken as acting at the underside (the basis of the listing's "
            "support), and the horizontal forces add no moment."});
  s.blocks.push_back(formula("MX'", "|MX + FY ez| + |FZ| h", "", "", "IS 456 cl. 34.1", "and MZ' = |MZ − FY ex| + |FX| h"));
  s.blocks.push_back(Paragraph{
      "Where the linear pressure P/A ± the bending would be negative under part of the footing, the soil takes "
      "no tension: the pressure is the plane cut off at zero that balances P and both moments, and its peak is "
      "checked. Along one side alone it is q = 2 P / (3 B (L/2 − e)) for L/6 < e < L/2; a resultant on or beyond "
      "an edge balances on no contact and fails. A combined footing is widened until that peak is allowable, and "
      "lengthened where a resultant lies beyond an end (a length the engineer chose is flagged instead). A "
      "footing whose no-tension side would exceed 6 m is flagged."});
  s.blocks.push_back(formula("q", "2 P / (3 B (L/2 − e))", "", "", "IS 456 cl. 34.1", "for L/6 < e < L/2 (no tension)"));
}

// Uplift, sliding and overturning: what holds the footing down and against what.
void addStability(Document& doc, const Project& p) {
  const DesignOptions& o = p.decisions.options;
  report::Section& s = doc.addSection(2, "Uplift and stability");
  s.blocks.push_back(Paragraph{
      "A case whose FY is zero or upward presses on no soil: the footing is held down by its weight W, the "
      "footing, the pedestal up to the ground and the soil on it (concrete " +
      num(o.concreteUnitWeight) + " kN/m³, soil " + num(o.soilUnitWeight) + " kN/m³" +
      (o.waterTableDepth ? ", submerged below the water table " + num(*o.waterTableDepth) + " m down"
                         : ", no water table") +
      "). Sizing takes the smallest side, to the millimetre, whose weight at a depth of 250 mm holds the uplift "
      "and stands the footing against overturning; the rows check it with their own depth. A lifted footing "
      "gets top steel for the weight hanging on its cantilevers, Mu = 1.5 (U/A) B c²/2 at the pedestal face, "
      "with the rules of the bottom steel."});
  s.blocks.push_back(formula("0.9 W", "", "", "", "IS 456 cl. 20.1", "≥ " + num(o.upliftFactor) + " U"));
  s.blocks.push_back(Paragraph{
      "For every case N = 0.9 W + FY where FY is upward, 0.9 (W + FY) otherwise. Sliding: μ N against the "
      "resultant horizontal force; overturning about each pair of edges: N times half the footing's side (the "
      "vertical loads restoring about the edge through the centre, the column's offset being in MX', MZ') "
      "against the moment about the centre with the horizontal force at h. Each check names its case; each schedule row "
      "gives its own under \"Uplift and stability\"."});
  s.blocks.push_back(formula("μ N", "", "", "", "IS 456 cl. 20.2",
                             "≥ " + num(o.slidingFactor) + " √(FX² + FZ²), μ = " + num(o.friction)));
  s.blocks.push_back(formula("0.9 M restoring", "N B/2", "", "", "IS 456 cl. 20.1",
                             "≥ " + num(o.overturningFactor) + " (|MX'| + |FZ| h), and along L with MZ' and FX"));
  if (!p.HorizontalForcesKnown)
    s.blocks.push_back(Paragraph{"The reactions give no horizontal forces: sliding is not checked, and "
                                 "overturning takes the moments alone."});
}

}  // namespace

void addDesignBasis(Document& doc, const Project& p) {
  doc.addSection(1, "Design basis");
  addDesignValues(doc, p);
  addLoadCases(doc, p);
  addOptions(doc, p);
  addSelfWeight(doc);
  addSoilPressure(doc, p);
  addStability(doc, p);
}

}  // namespace plintova::report_parts
