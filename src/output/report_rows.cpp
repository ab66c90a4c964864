// The calculation report's section of each schedule row: its footings by joint and grid, the case that
// governs each, each design step with its formula, values and clause, and the row's verdict; and the
// appendix of every footing's pressure under every case.
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "design/footing_design.h"
#include "design/is456.h"
#include "design/schedule.h"
#include "design/soil_pressure.h"
#include "design/workbook.h"
#include "footing/case_basis.h"
#include "footing/design_inputs.h"
#include "model/numbers.h"
#include "output/report_parts.h"

namespace plintova::report_parts {

namespace {

// Pressures of footing s under each of its cases on the plan size the row gives it, as the workbook
// lists them: P = 1.1 FY, rounded to two decimals, failing above the allowable pressure or below minus
// the earth pressure.
void addPressureRows(Table& t, const Project& p, int s, bool square) {
  for (const CaseUse& u : soilCases(p, s)) {
    const int c = u.position;
    const PressureCheck check = square ? groupedPressure(p, s, u) : resizedPressure(p, s, u);
    auto taken = [&](int k) {
      const float v = p.ReactionTable(s, c, k);
      return num(u.factor == 1.0 ? v : static_cast<float>(u.factor * v));
    };
    t.rows.push_back({{joint(p, s), loadCase(p, s, c), taken(2), taken(3), taken(4), num(check.pmin), num(check.pmax), num(p.allowable(s, c)),
                       check.fails ? "FAIL" : check.uplift ? "UPLIFT" : "OK"},
                      check.fails});
  }
}

Table pressureTable() {
  Table t;
  t.header = {"Joint", "Case", "FY kN", "MX kN·m", "MZ kN·m", "pmin kN/m²", "pmax kN/m²", "Allowable kN/m²", "Result"};
  t.align = {Align::Right, Align::Right, Align::Right, Align::Right, Align::Right,
             Align::Right, Align::Right, Align::Right, Align::Left};
  return t;
}

// For each footing the case whose pressure lies nearest its allowable one (P = 1.1 FY, as the workbook
// rounds it), and how many of its cases fail. A case that lifts the footing presses on no soil and is
// left to the row's uplift check.
Table governingCases(const Project& p, const std::vector<int>& footings, bool square) {
  Table t;
  t.header = {"Joint", "Grid", "Case", "pmin kN/m²", "pmax kN/m²", "Allowable kN/m²", "Ratio", "Cases failing"};
  t.align = {Align::Right, Align::Left, Align::Right, Align::Right, Align::Right, Align::Right, Align::Right, Align::Right};
  for (int s : footings) {
    int worst = -1, failing = 0, lifting = 0;
    double ratio = -std::numeric_limits<double>::infinity();
    PressureCheck shown;
    for (const CaseUse& u : soilCases(p, s)) {
      const int c = u.position;
      const PressureCheck check = square ? groupedPressure(p, s, u) : resizedPressure(p, s, u);
      if (check.uplift) {
        ++lifting;
        continue;
      }
      const double allowed = p.allowable(s, c);
      const double r = allowed > 0 ? check.pmax / allowed : std::numeric_limits<double>::infinity();
      failing += check.fails ? 1 : 0;
      if (r > ratio || worst < 0) ratio = r, worst = c, shown = check;
    }
    if (worst < 0) {
      if (lifting > 0) t.rows.push_back({{joint(p, s), grid(p, s), "every case lifts", "", "", "", "", "0"}});
      continue;
    }
    t.rows.push_back({{joint(p, s), grid(p, s), loadCase(p, s, worst), num(shown.pmin), num(shown.pmax),
                       num(p.allowable(s, worst)), rounded(ratio, 3), std::to_string(failing)},
                      failing > 0});
  }
  return t;
}

// Which cases of the supports the soil checks and the design took, and by what factor: "Cases: the soil
// checks take 101-109 as read; the design takes 110-122 × 1 (IS 456 Table 18)."
std::string caseBasisText(const Project& p, const std::vector<int>& supports) {
  std::map<double, std::vector<int>> soil, design;
  for (int s : supports) {
    if (s < 1 || s > p.FootingCount) continue;
    for (const CaseUse& u : soilCases(p, s)) soil[u.factor].push_back(u.loadCase);
    for (const CaseUse& u : designCases(p, s)) design[u.factor].push_back(u.loadCase);
  }
  auto list = [](const std::map<double, std::vector<int>>& byFactor, bool asRead) {
    std::string text;
    for (const auto& [f, cases] : byFactor)
      text += (text.empty() ? "" : "; ") + caseListText(cases) +
              (asRead && f == 1.0 ? " as read" : " × " + rounded(f, 4));
    return text.empty() ? std::string("none") : text;
  };
  return "Cases: the soil checks take " + list(soil, true) + "; the design takes " + list(design, false) +
         " (IS 456 Table 18).";
}

std::string governingText(const Project& p, int s, int c) {
  if (s < 1 || s > p.FootingCount) return "No footing of the row governs (none is loaded): q = 0.";
  return "Governing: " + footingName(p, s) + ", load case " + loadCase(p, s, c) + " (footing " + std::to_string(s) +
         ", case position " + std::to_string(c + 1) + ").";
}

// The governing net pressure of an isolated footing s of plan L x B under position c: the reactions as
// read, rounded up to a whole kN/m2 as the design takes it.
Formula netPressureFormula(const Project& p, int s, int c, double L, double B, double q) {
  const std::string FY = num(p.ReactionTable(s, c, 2));
  const std::string MX = num(std::fabs(static_cast<double>(p.ReactionTable(s, c, 3))));
  const std::string MZ = num(std::fabs(static_cast<double>(p.ReactionTable(s, c, 4))));
  const double peak = edgePressures(p, s, c, L, B, 1.0).max;
  Formula f;
  if (L == B) {
    f = formula("q", "P/B² + 6 (|MX| + |MZ|)/B³", FY + "/" + num(B) + "² + 6 × (" + MX + " + " + MZ + ")/" + num(B) + "³",
                rounded(peak, 2) + " kN/m²", "IS 456 cl. 34.1, 34.2.3.1");
  } else {
    f = formula("q", "P/(L B) + 6 |MX|/(L B²) + 6 |MZ|/(L² B)",
                FY + "/(" + num(L) + " × " + num(B) + ") + 6 × " + MX + "/(" + num(L) + " × " + num(B) + "²) + 6 × " +
                    MZ + "/(" + num(L) + "² × " + num(B) + ")",
                rounded(peak, 2) + " kN/m²", "IS 456 cl. 34.1, 34.2.3.1");
  }
  f.comparison = "→ " + num(q) + " kN/m², rounded up to a whole kN/m²";
  return f;
}

// Layers of steel with the area they need and the area their bars give.
Table layerTable(const std::vector<SteelLayer>& layers) {
  Table t;
  t.header = {"Layer", "d mm", "Ast needed mm²", "Bars", "φ mm", "Spacing mm", "Width m", "As provided mm²"};
  t.align = {Align::Left, Align::Right, Align::Right, Align::Right, Align::Right, Align::Right, Align::Right, Align::Right};
  for (const SteelLayer& l : layers)
    t.rows.push_back({{l.where, rounded(l.d, 1), rounded(l.Ast, 0), std::to_string(l.bars), std::to_string(l.dia),
                       std::to_string(l.spacing), rounded(l.width, 3), rounded(l.bars * is456::barArea(l.dia), 0)}});
  return t;
}

using RowTexts = std::array<std::string, kScheduleColumns>;

// The row's footings by name, the footing and case that govern, and each footing's nearest case.
void addGroupRowFootings(report::Section& section, const Project& p, const SizeGroupRecord& row) {
  const double B = row.GroupSize;
  const double ax = row.Pedestal.x, az = row.Pedestal.z;
  std::string names;
  for (int k = 1; k <= row.MemberCount; ++k) names += (names.empty() ? "" : ", ") + footingName(p, row.Members[k]);
  section.blocks.push_back(Paragraph{"Footings of the row: " + names + ". Side B = " + num(B) +
                                     " m, pedestal ax × az = " + num(ax) + " × " + num(az) + " m (along X × along Z), M" +
                                     std::to_string(p.Fck) + ", Fe " + std::to_string(p.Fe) + ", bars φ = " +
                                     std::to_string(row.BarDia) + " mm."});
  section.blocks.push_back(Paragraph{governingText(p, row.GovFooting, row.GovCase)});
  std::vector<int> members;
  for (int k = 1; k <= row.MemberCount; ++k) members.push_back(row.Members[k]);
  section.blocks.push_back(Paragraph{"The case nearest its allowable pressure of each footing, on " + num(B) + " × " +
                                     num(B) + " m with P = 1.1 FY; every case is in the appendix:"});
  section.blocks.push_back(governingCases(p, members, true));
  section.blocks.push_back(Paragraph{caseBasisText(p, members)});
}

// The net pressure, the cantilever and its moment.
void addGroupBendingSteps(Steps& steps, const Project& p, const SizeGroupRecord& row, const RowTexts& t) {
  const DesignQuantities& x = row.design;
  const double B = row.GroupSize, q = row.NetPressure;
  const double ax = row.Pedestal.x, az = row.Pedestal.z, a = row.Pedestal.shorter();
  if (row.GovFooting >= 1 && row.GovFooting <= p.FootingCount)
    steps.add(kSoil, netPressureFormula(p, row.GovFooting, row.GovCase, B, B, q));
  else
    steps.add(kSoil, formula("q", "", "", num(q) + " kN/m²", "IS 456 cl. 34.2.3.1"));

  // The design steps give each figure once, as the schedule shows it; the named lines after them are the
  // checks of the same section (the same d, bars and cantilever), each with its IS 456 clause.
  const std::string c = t[kColCantilever];
  const std::string qu = num(x.qu);
  const std::string gamma = num(row.LoadFactor);  // the governing design case's load factor
  steps.add(kBending, formula("qu", gamma + " q", gamma + " × " + num(q), qu + " kN/m²", "IS 456 Table 18"));
  const double e = row.Offset;
  if (ax != az)
    steps.add(kBending, Paragraph{"The pedestal is not square: each direction's cantilever runs from its own face, "
                                  "and the longer one, from the shorter side a = " + num(a) +
                                  " m, governs bending, shear and the bars each way; development is worked at both "
                                  "faces and the one with less to spare is checked."});
  steps.add(kBending, e > 0 ? formula("c", "(B − a)/2 + e", "(" + num(B) + " − " + num(a) + ")/2 + " + num(e),
                                      c + " m", "IS 456 cl. 34.2.3.2",
                                      "(e: the largest offset of a footing of the row from its column)")
                            : formula("c", "(B − a)/2", "(" + num(B) + " − " + num(a) + ")/2", c + " m",
                                      "IS 456 cl. 34.2.3.2"));
  steps.add(kBending, formula("Mu", "qu B c²/2", qu + " × " + num(B) + " × " + c + "²/2", t[kColMu] + " kN·m",
                              "IS 456 cl. 34.2.3.1, 34.2.3.2"));
}

// The depth and its effective depths, one-way shear and punching.
void addGroupSectionSteps(Steps& steps, const Project& p, const SizeGroupRecord& row, const RowTexts& t) {
  const DesignQuantities& x = row.design;
  const double B = row.GroupSize;
  const double ax = row.Pedestal.x, az = row.Pedestal.z;
  const std::string c = t[kColCantilever];
  const std::string qu = num(x.qu);
  const double D = row.TotalDepth;
  const std::string dia = std::to_string(row.BarDia);
  const std::string cover = num(p.decisions.options.cover);
  const std::string dInner = mm(x.dInner), dOuter = mm(x.dOuter);
  steps.add(kDepth, Paragraph{
                        row.TypedDepth > 0 && roundTo(row.TypedDepth, 3) == roundTo(D, 3)
                            ? "D = " + mm(D) + " mm as typed (at least what bending needs): its checks below say "
                                                 "whether it holds."
                            : "D = " + mm(D) + " mm: the larger of the depth bending needs on the upper layer "
                                               "(Mu,lim, rounded up to a 50 mm step, at least 250 mm) and the depth "
                                               "of the older procedure of the size groups (d = D − 60 mm), deepened "
                                               "by 25 mm while bending, one-way shear or punching failed."});
  steps.add(kDepth, formula("d lower", "D − cover − φ/2", mm(D) + " − " + cover + " − " + dia + "/2", dOuter + " mm",
                            "IS 456 cl. 26.4.2.2"));
  steps.add(kDepth, formula("d", "D − cover − 3φ/2 (the upper layer, used below)",
                            mm(D) + " − " + cover + " − 3 × " + dia + "/2", dInner + " mm", "IS 456 cl. 26.4.2.2"));
  steps.add(kDepth, formula("k", "Mu/(B d²)", t[kColMu] + " × 10⁶/(" + mm(B) + " × " + dInner + "²)",
                            t[kColMuBdd] + " N/mm²", "IS 456 Annex G-1.1 c"));
  steps.add(kOneWay, formula("Vu", "qu B (c − d)", qu + " × " + num(B) + " × (" + c + " − " + num(x.dInner) + ")",
                             t[kColSF1] + " kN", is456::kOneWayShearClause));
  steps.add(kOneWay, formula("τv", "Vu/(B d)", t[kColSF1] + " × 10³/(" + mm(B) + " × " + dInner + ")",
                             t[kColSS1] + " N/mm²", is456::kOneWayShearClause));
  steps.add(kOneWay, formula("τc", "Table 19 at the bars provided", "100 n As/(B d)", t[kColPS1] + " N/mm²",
                             is456::kOneWayShearClause));
  const std::string dMean = rounded((x.dInner + x.dOuter) / 2, 4);
  const double dm = (x.dInner + x.dOuter) / 2;  // m
  steps.add(kPunching, formula("Vu", "qu (B² − (ax + d̄)(az + d̄)), d̄ the mean of the layers",
                               qu + " × (" + num(B) + "² − (" + num(ax) + " + " + dMean + ")(" + num(az) + " + " +
                                   dMean + "))",
                               t[kColSF2] + " kN", is456::kPunchingClause));
  steps.add(kPunching, formula("τv", "Vu/(2 [(ax + d̄) + (az + d̄)] d̄)",
                               t[kColSF2] + " × 10³/(2 × [" + mm(ax + dm) + " + " + mm(az + dm) + "] × " + mm(dm) + ")",
                               t[kColSS2] + " N/mm²", is456::kPunchingClause));
  const double ks = std::min(0.5 + row.Pedestal.aspect(), 1.0);
  steps.add(kPunching, formula("τp", "ks 0.25 √fck, ks = 0.5 + short/long side of the pedestal ≤ 1",
                               rounded(ks, 3) + " × 0.25 × √" + std::to_string(p.Fck), t[kColPS2] + " N/mm²",
                               is456::kPunchingClause));
}

// The steel, its bars (top steel of a lifted row among them) and their development.
void addGroupSteelSteps(Steps& steps, const Project& p, const SizeGroupRecord& row, const RowTexts& t) {
  const DesignQuantities& x = row.design;
  const std::string dia = std::to_string(row.BarDia);
  steps.add(kSteel, formula("Ast", "max(steel for Mu on B × d, 0.12 % B D)", "", t[kColAst] + " mm² (pt " +
                                                                                 t[kColPt] + " %)",
                            "IS 456 Annex G-1.1 b, cl. 26.5.2.1"));
  if (x.barsKnown) {
    steps.add(kBars, formula("s", "the smallest bar of the options at least " +
                                      num(p.decisions.options.minBarSpacing) + " mm apart, to " +
                                      num(p.decisions.options.spacingStep) + " mm",
                             "", t[kColRods] + " bars of " + dia + " mm at " + t[kColSpace] + " mm each way",
                             is456::kSpacingClause));
  } else {
    steps.add(kBars, Paragraph{"The bars of " + dia + " mm for " + t[kColAst] + " mm² cannot be counted."});
  }
  if (!row.topSteel.empty()) {
    steps.add(kSteel, Paragraph{"Top steel each way for the largest uplift of a footing of the row: the weight "
                                "hanging on the cantilever, Mu = 1.5 (U/A) B c²/2 at the pedestal face, with the "
                                "rules of the bottom steel (IS 456 cl. 34.2.3.2, Annex G-1.1 b):"});
    steps.add(kSteel, layerTable(row.topSteel));
  }
  steps.add(kDevelopment,
            Paragraph{"Anchorage at the pedestal face for the stress the bars carry there (0.87 fy × Ast needed / As "
                      "provided), at least 0.3 Ld, 10 φ and 100 mm: " + num(x.Ld) + " mm against " +
                      num(x.anchorage) + " mm" +
                      (x.bent ? ", the straight length with a standard 90° bend at each end (8 φ, cl. 26.2.2.1 b)"
                              : " of straight bar") + "."});
}

}  // namespace

void addGroupRowSection(report::Document& doc, const Project& p, int r) {
  const SizeGroupRecord& row = p.DesignGroupTable[r];
  const RowTexts t = scheduleRowTexts(p, r);
  const std::string mark = t[kColMark];
  const double B = row.GroupSize;
  report::Section& section =
      doc.addSection(2, mark + ": " + std::to_string(row.MemberCount) + " × " + num(B) + " m square footing" +
                            (row.MemberCount == 1 ? "" : "s"));
  addGroupRowFootings(section, p, row);

  Steps steps;
  addGroupBendingSteps(steps, p, row, t);
  addGroupSectionSteps(steps, p, row, t);
  addGroupSteelSteps(steps, p, row, t);
  if (row.pedestal.sides.known()) addPedestalSteps(steps, p, row.pedestal);
  addChecks(steps, p, row.checks);
  writeSteps(section, steps);

  section.blocks.push_back(Paragraph{"Adopted: " + mark + ", " + std::to_string(row.MemberCount) +
                                     (row.MemberCount == 1 ? " footing " : " footings ") +
                                     num(B) + " m × " + num(B) + " m, depth " + t[kColDepth] + " m, pedestal " +
                                     t[kColPedestal] + " m, Ast " + t[kColAst] + " mm², " + groupSteelText(row) +
                                     ". Checks: " + checksSummary(row.checks) + "."});
  const std::string summary = checksSummary(row.checks);
  section.blocks.push_back(report::Verdict{summary == "OK", mark + ": " + summary});
}

void addFootingRowSection(report::Document& doc, const Project& p, const FootingRow& row) {
  const bool combined = row.kind == FootingRow::Kind::Combined;
  const std::array<std::string, kScheduleColumns> t = footingRowTexts(p, row);
  const std::string mark = row.mark();
  const double L = row.L, B = row.B, q = row.NetPressure;
  std::string under;
  for (int s : row.footings) under += (under.empty() ? "" : " and ") + footingName(p, s);
  report::Section& section =
      doc.addSection(2, mark + ": " + (combined ? "combined footing under " : "hand-resized footing under ") +
                            (under.empty() ? "no joint" : under));
  if (row.footings.empty()) {
    section.blocks.push_back(Paragraph{"The row has no footing."});
    return;
  }
  section.blocks.push_back(Paragraph{"Plan " + num(L) + " m × " + num(B) + " m (L " +
                                     (combined ? "along the columns' line" : "along X") + "), pedestal " + num(row.Pedestal.x) + " × " +
                                     num(row.Pedestal.z) + " m (along X × along Z), M" + std::to_string(p.Fck) + ", Fe " + std::to_string(p.Fe) +
                                     (row.BarDia > 0 ? ", bars φ = " + std::to_string(row.BarDia) + " mm as edited." : ".")});
  section.blocks.push_back(Paragraph{governingText(p, row.GovFooting, row.GovCase)});
  section.blocks.push_back(Paragraph{caseBasisText(p, row.footings)});

  Steps steps;
  if (combined) {
    addCombinedGeometry(section, p, row);
    steps.add(kSoil, formula("q", "peak contact pressure under both columns/B", "", num(q) + " kN/m²",
                             "IS 456 cl. 34.1, 34.2.3.1",
                             "(rigid footing, reactions as read, rounded up to a whole kN/m²)"));
  } else {
    section.blocks.push_back(Paragraph{"The case nearest its allowable pressure, on " + num(L) + " × " + num(B) +
                                       " m with P = 1.1 FY; every case is in the appendix:"});
    section.blocks.push_back(governingCases(p, {row.footings[0]}, false));
    if (row.GovFooting >= 1) steps.add(kSoil, netPressureFormula(p, row.GovFooting, row.GovCase, L, B, q));
    // A footing off its column: each cantilever reaches its own farther edge, |ex| or |ez| beyond (L − a)/2.
    const Eccentricity e = footingEccentricity(p, row.footings[0]);
    auto cantilever = [&](const char* name, const char* side, double run, double a, double offset) {
      const double off = std::fabs(offset);
      const std::string expression =
          std::string("(") + side + " − a" + (side[0] == 'L' ? "x" : "z") + ")/2" + (off > 0 ? " + |e|" : "");
      const std::string values = "(" + num(run) + " − " + num(a) + ")/2" + (off > 0 ? " + " + rounded(off, 3) : "");
      return formula(name, expression, values, rounded((run - a) / 2 + off, 3) + " m", "IS 456 cl. 34.2.3.2");
    };
    steps.add(kBending, cantilever("cL", "L", L, row.Pedestal.x, e.ex));
    steps.add(kBending, cantilever("cB", "B", B, row.Pedestal.z, e.ez));
    steps.add(kBending, formula("Mu", num(row.LoadFactor) + " q b c²/2", "", "", "IS 456 cl. 34.2.3.1, 34.2.3.2",
                                "at the pedestal face, each way over the whole width b"));
  }
  steps.add(kDepth, Paragraph{"D = " + mm(row.TotalDepth) + " mm: the 50 mm step the largest moment needs with its "
                              "bars in place (at least 250 mm; an edited depth below it is raised), deepened by 25 mm "
                              "while bending, one-way shear or punching failed. Each layer's effective depth is D − 50 "
                              "mm cover − the bars below it − φ/2 (IS 456 cl. 26.4.2.2):"});
  steps.add(kDepth, layerTable(row.steel));
  steps.add(kSteel, Paragraph{"Steel of each layer for its moment (Annex G-1.1 b), not below the minimum of its own "
                              "gross section, as the table under Depth gives it."});
  for (const PedestalSteel& pedestal : row.pedestals) addPedestalSteps(steps, p, pedestal);
  addChecks(steps, p, row.checks);
  writeSteps(section, steps);

  section.blocks.push_back(Paragraph{"Adopted: " + mark + ", " + num(L) + " m × " + num(B) + " m, depth " +
                                     t[kColDepth] + " m, pedestal " + t[kColPedestal] + " m; " + t[kColCantilever] +
                                     ". Checks: " + t[kColSF1] + "."});
  section.blocks.push_back(report::Verdict{!row.flagged(), mark + ": " + t[kColSF1]});
}

void addGroupRowPressures(report::Document& doc, const Project& p, int r) {
  const SizeGroupRecord& row = p.DesignGroupTable[r];
  const std::string mark = scheduleRowTexts(p, r)[kColMark];
  report::Section& s = doc.addSection(2, mark + ": pressures of every footing and case");
  s.blocks.push_back(Paragraph{"On " + num(row.GroupSize) + " × " + num(row.GroupSize) +
                               " m with P = 1.1 FY (the workbook's figures):"});
  Table pressures = pressureTable();
  for (int k = 1; k <= row.MemberCount; ++k) addPressureRows(pressures, p, row.Members[k], true);
  s.blocks.push_back(pressures);
}

void addFootingRowPressures(report::Document& doc, const Project& p, const FootingRow& row) {
  if (row.footings.empty()) return;
  report::Section& s = doc.addSection(2, row.mark() + ": pressures of every case");
  if (row.kind == FootingRow::Kind::Combined) {
    addCombinedPressures(s, p, row);
    return;
  }
  s.blocks.push_back(Paragraph{"On " + num(row.L) + " × " + num(row.B) + " m with P = 1.1 FY (the workbook's figures):"});
  Table pressures = pressureTable();
  addPressureRows(pressures, p, row.footings[0], false);
  s.blocks.push_back(pressures);
}

}  // namespace plintova::report_parts
