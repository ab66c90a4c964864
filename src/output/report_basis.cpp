// The report's statements of basis for the soil checks: load cases, options, self weight and stability.
#include "output/report_basis.h"

#include <algorithm>

#include "footing/design_inputs.h"
#include "model/numbers.h"
#include "output/report_parts.h"

namespace plintova::report_basis {

namespace {

using report::Align;
using report::Formula;
using report::Paragraph;
using report::Table;
using namespace report_parts;

std::string listText(const std::vector<int>& cases) { return cases.empty() ? "none" : caseListText(cases); }

bool contains(const std::vector<int>& list, int n) { return std::find(list.begin(), list.end(), n) != list.end(); }

Formula basis(std::string lhs, std::string expression, std::string clause, std::string comparison = {}) {
  Formula f;
  f.lhs = std::move(lhs);
  f.expression = std::move(expression);
  f.clause = std::move(clause);
  f.comparison = std::move(comparison);
  return f;
}

std::string increasedText(const Project& p) {
  return num(p.decisions.options.sbcIncrease) + " × SBC = " + num(p.CaseSbc[1]) + " kN/m²";
}

}  // namespace

void addLoadCases(report::Section& section, const Project& p) {
  const std::vector<int> listed = p.ListingCases.empty() ? listingLoadCases(p) : p.ListingCases;
  const std::vector<int> increased = increasedCasesInForce(p);
  // Cases that stand at a later position of some support: by the later-case rule they take the increased
  // pressure there.
  std::vector<int> later;
  for (int s = 1; s <= p.supportCount(); ++s)
    for (int c = 1; c <= p.lastCasePosition(s); ++c) later.push_back(static_cast<int>(p.ReactionTable(s, c, 1)));
  Table t;
  t.header = {"Case", "Title", "Load type", "Used", "Allowable pressure", "Why"};
  t.align = {Align::Right, Align::Left, Align::Left, Align::Left, Align::Left, Align::Left};
  for (int n : listed) {
    const LoadCaseDef* def = findLoadCase(p.LoadCases, n);
    const bool used = p.UsedCases.empty() || contains(p.UsedCases, n);
    const bool up = contains(increased, n);
    std::string allowable = up ? increasedText(p) : "SBC = " + num(p.CaseSbc[0]) + " kN/m²";
    std::string why;
    if (!used) {
      allowable = "";
      why = "left out by the engineer";
    } else if (p.increaseRule == IncreaseRule::Chosen) {
      why = up ? "chosen by the engineer" : "";
    } else if (p.increaseRule == IncreaseRule::WindOrEarthquake) {
      why = windOrEarthquakeReason(p.LoadCases, n);
    } else if (!up && contains(later, n)) {
      allowable = "SBC as a support's first case, else " + increasedText(p);
      why = "later case at some supports";
    } else if (up) {
      why = "never a support's first case";
    }
    t.rows.push_back({{std::to_string(n), def ? def->title : "", def ? def->type : "", used ? "yes" : "no",
                       allowable, why}});
  }
  section.blocks.push_back(t);
  if (!p.UsedCases.empty())
    section.blocks.push_back(Paragraph{"The engineer chose the cases " + listText(p.UsedCases) + "."});
  std::string rule;
  switch (p.increaseRule) {
    case IncreaseRule::Chosen:
      rule = "The cases checked against the increased pressure were chosen by the engineer: " + listText(increased) + ".";
      break;
    case IncreaseRule::WindOrEarthquake:
      rule = "A case is checked against the increased pressure only when its title or load type names wind or "
             "earthquake (WIND, SEISMIC, EARTHQUAKE, or WL, EQ, EL alone or followed by X, Y, Z or digits), or "
             "when it is a combination that includes such a case: " + listText(increased) +
             ". Every other case is checked against SBC.";
      break;
    case IncreaseRule::LaterCases:
      rule = titlesKnown(p.LoadCases)
                 ? "As the project was saved before cases were told apart by their titles, every case after a "
                   "support's first is checked against the increased pressure: " + listText(increased) + "."
                 : "The listing names no load case's title or load type, so wind and earthquake cases cannot be "
                   "told apart: every case after a support's first is checked against the increased pressure (" +
                       listText(increased) + "). Check that this is meant.";
      break;
  }
  section.blocks.push_back(Paragraph{rule});
}

void addDesignOptions(report::Section& section, const Project& p) {
  Table t;
  t.header = {"Design option", "Value", "Range", "Basis"};
  auto units = [](std::string text) {  // kN/m3 as kN/m³
    for (std::size_t at = text.find("/m3"); at != std::string::npos; at = text.find("/m3", at))
      text.replace(at, 3, "/m\u00b3");
    return text;
  };
  for (const DesignOptionRow& row : designOptionRows())
    t.rows.push_back({{row.label, units(optionValueText(row, optionValue(p.decisions.options, row))),
                       units(optionRangeText(row)), row.basis}});
  section.blocks.push_back(t);
}

void addSoilChecksMethod(report::Document& doc, const Project& p) {
  const DesignOptions& o = p.decisions.options;
  {
    report::Section& s = doc.addSection(2, "Soil pressure at the underside");
    s.blocks.push_back(Paragraph{
        "Pressures compare the column load plus 10 % for the weight of the footing and the soil on it (P = 1.1 FY) "
        "with the SBC given: read the SBC as a gross safe bearing capacity at the founding depth. The moments are "
        "taken about the footing's centre at its underside: a footing offset by (ex, ez) from its column carries "
        "MX' = MX + FY ez and MZ' = MZ − FY ex (the 0.1 FY allowance acts at the centre), and the horizontal "
        "reactions act h above the underside."});
    s.blocks.push_back(Paragraph{
        o.supportHeight > 0
            ? "The support point lies h = " + num(o.supportHeight) +
                  " m above the underside: |FZ| h and |FX| h are added to the moments, whatever their sense."
            : "h = 0: the reactions' moments are taken as acting at the underside (the basis of the listing's "
              "support), and the horizontal forces add no moment."});
    s.blocks.push_back(basis("MX'", "|MX + FY ez| + |FZ| h", "IS 456 cl. 34.1", "and MZ' = |MZ − FY ex| + |FX| h"));
    s.blocks.push_back(Paragraph{
        "Where the linear pressure P/A ± the bending would be negative under part of the footing, the soil takes "
        "no tension: the pressure is the plane cut off at zero that balances P and both moments, and its peak is "
        "checked. Along one side alone it is q = 2 P / (3 B (L/2 − e)) for L/6 < e < L/2; a resultant on or beyond "
        "an edge balances on no contact and fails. A combined footing is widened until that peak is allowable, and "
        "lengthened where a resultant lies beyond an end (a length the engineer chose is flagged instead). A "
        "footing whose no-tension side would exceed 6 m is flagged."});
    s.blocks.push_back(basis("q", "2 P / (3 B (L/2 − e))", "IS 456 cl. 34.1", "for L/6 < e < L/2 (no tension)"));
  }
  {
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
    s.blocks.push_back(basis("0.9 W", "", "IS 456 cl. 20.1", "≥ " + num(o.upliftFactor) + " U"));
    s.blocks.push_back(Paragraph{
        "For every case N = 0.9 W + FY where FY is upward, 0.9 (W + FY) otherwise. Sliding: μ N against the "
        "resultant horizontal force; overturning about each pair of edges: N times half the footing's side (the "
        "vertical loads restoring about the edge through the centre, the column's offset being in MX', MZ') "
        "against the moment about the centre with the horizontal force at h. Each check names its case."});
    s.blocks.push_back(basis("μ N", "", "IS 456 cl. 20.2", "≥ " + num(o.slidingFactor) + " √(FX² + FZ²), μ = " +
                                                            num(o.friction)));
    s.blocks.push_back(basis("0.9 M restoring", "N B/2", "IS 456 cl. 20.1",
                             "≥ " + num(o.overturningFactor) + " (|MX'| + |FZ| h), and along L with MZ' and FX"));
    if (!p.HorizontalForcesKnown)
      s.blocks.push_back(Paragraph{"The reactions give no horizontal forces: sliding is not checked, and "
                                   "overturning takes the moments alone."});
  }
}

}  // namespace plintova::report_basis
