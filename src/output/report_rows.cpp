// The calculation report's section of each schedule row: the governing footing and case, the pressures of
// every member and case, each design step with its formula, values and clause, and the row's verdict.
#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "design/footing_design.h"
#include "design/is456.h"
#include "design/schedule.h"
#include "design/soil_pressure.h"
#include "design/workbook.h"
#include "model/numbers.h"
#include "output/report_parts.h"

namespace plintova::report_parts {

using report::Align;
using report::Formula;
using report::Paragraph;
using report::Table;
using report::TableRow;

std::string num(double v) { return numberText(v); }

std::string rounded(double v, int places) {
  if (std::isinf(v)) return v > 0 ? "∞" : "-∞";
  return numberText(roundTo(v, places));
}

std::string mm(double metres) { return numberText(roundTo(metres * 1000, 1)); }

std::string joint(const Project& p, int s) {
  return s >= 1 && s <= p.FootingCount ? numberText(p.FootingTable[s].JointNo) : "?";
}

std::string loadCase(const Project& p, int s, int c) { return numberText(p.ReactionTable(s, c, 1)); }

std::string typeset(const std::string& text) {
  static const std::pair<const char*, const char*> kForms[] = {
      {"tau_bd", "\u03c4bd"}, {"mm2", "mm\u00b2"}, {"/m2", "/m\u00b2"}, {"kN m", "kN\u00b7m"}};
  std::string out = text;
  for (const auto& [plain, set] : kForms) {
    const std::string from = plain, to = set;
    for (std::size_t at = out.find(from); at != std::string::npos; at = out.find(from, at + to.size()))
      out.replace(at, from.size(), to);
  }
  return out;
}

std::string bondStressText(const Project& p) {
  std::string text = "\u03c4bd = " + rounded(is456::bondStress(p.Fck, p.Fe), 3) + " N/mm\u00b2";
  // The bond table starts at M20; M15 takes 1.0 N/mm2 for plain bars.
  if (p.Fck < 20)
    text += std::string(" (M") + std::to_string(p.Fck) + " lies below the bond table: 1.0 N/mm\u00b2 taken" +
            (p.Fe > 250 ? ", + 60 % for deformed bars)" : ")");
  return text;
}

std::string groupSteelText(const SizeGroupRecord& row) {
  if (!row.design.barsKnown) return "bars of " + std::to_string(row.BarDia) + " mm cannot be counted";
  return std::to_string(row.design.n) + " bars " + std::to_string(row.BarDia) + " \u00d8 @ " +
         std::to_string(row.design.s) + " each way";
}

namespace {

// The design steps in the order the report gives them; each check belongs to one.
enum Step { kSoil, kBending, kDepth, kOneWay, kPunching, kSteel, kBars, kEdge, kDevelopment, kOther, kSteps };

constexpr std::array<const char*, kSteps> kStepTitles = {
    "Soil pressure", "Bending", "Depth", "One-way shear", "Punching shear", "Steel",
    "Bar arrangement", "Edge depth", "Development length", "Other checks"};

bool startsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

Step stepOf(const CodeCheck& c) {
  const std::string& n = c.name;
  if (startsWith(n, "bearing") || startsWith(n, "resultant") || startsWith(n, "uplift") || startsWith(n, "sliding") ||
      startsWith(n, "overturning"))
    return kSoil;
  if (startsWith(n, "bending")) return kBending;
  if (startsWith(n, "steel for bending") || startsWith(n, "minimum steel")) return kSteel;
  if (startsWith(n, "one-way shear")) return kOneWay;
  if (startsWith(n, "punching")) return kPunching;
  if (startsWith(n, "bar spacing")) return kBars;
  if (startsWith(n, "edge depth")) return kEdge;
  if (startsWith(n, "development length")) return kDevelopment;
  return kOther;
}

// What a row's section collects per step before it is written out.
struct Steps {
  std::array<std::vector<report::Block>, kSteps> blocks;
  void add(Step s, report::Block b) { blocks[s].push_back(std::move(b)); }
};

Formula formula(std::string lhs, std::string expression, std::string values, std::string result,
                std::string clause, std::string comparison = {}) {
  Formula f;
  f.lhs = std::move(lhs);
  f.expression = std::move(expression);
  f.values = std::move(values);
  f.result = std::move(result);
  f.clause = std::move(clause);
  f.comparison = std::move(comparison);
  return f;
}

// The checks of a row into their steps; the bearing checks go into one table of the soil step.
void addChecks(Steps& steps, const Project& p, const std::vector<CodeCheck>& checks) {
  Table bearing;
  bearing.header = {"Check", "Pressure kN/m²", "Allowable kN/m²", "Result"};
  bearing.align = {Align::Left, Align::Right, Align::Right, Align::Left};
  for (const CodeCheck& c : checks) {
    if (startsWith(c.name, "bearing")) {
      bearing.rows.push_back({{c.name, rounded(c.demand, 2), rounded(c.capacity, 2), c.ok ? "OK" : "FAILS"}, !c.ok});
      continue;
    }
    Formula f = checkFormula(p, c);
    steps.blocks[stepOf(c)].emplace_back(std::move(f));
  }
  if (!bearing.rows.empty()) {
    steps.add(kSoil, Paragraph{"Bearing, IS 456 cl. 34.1: the edge pressure with P = 1.1 FY (footing and soil) "
                               "against the allowable pressure of its case; for each footing (each column of a "
                               "combined footing) the case nearest its allowable pressure."});
    steps.add(kSoil, bearing);
  }
}

void writeSteps(report::Section& section, Steps& steps) {
  for (int s = 0; s < kSteps; ++s) {
    if (steps.blocks[s].empty()) continue;
    section.blocks.push_back(Paragraph{kStepTitles[s], true});
    for (report::Block& b : steps.blocks[s]) section.blocks.push_back(std::move(b));
  }
}

// Pressures of footing s under each of its cases on the plan size the row gives it, as the workbook
// lists them: P = 1.1 FY, rounded to two decimals, failing above the allowable pressure or below minus
// the earth pressure.
void addPressureRows(Table& t, const Project& p, int s, bool square) {
  for (int c = 0; c <= p.lastCasePosition(s); ++c) {
    const PressureCheck check = square ? groupedPressure(p, s, c) : resizedPressure(p, s, c);
    t.rows.push_back({{joint(p, s), loadCase(p, s, c), num(p.ReactionTable(s, c, 2)), num(p.ReactionTable(s, c, 3)),
                       num(p.ReactionTable(s, c, 4)), num(check.pmin), num(check.pmax), num(p.allowable(s, c)),
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

std::string governingText(const Project& p, int s, int c) {
  if (s < 1 || s > p.FootingCount) return "No footing of the row governs (none is loaded): q = 0.";
  return "Governing: joint " + joint(p, s) + ", load case " + loadCase(p, s, c) + " (footing " + std::to_string(s) +
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

}  // namespace

report::Formula checkFormula(const Project& p, const CodeCheck& c) {
  const std::string le = c.ok ? "≤ " : "> ", ge = c.ok ? "≥ " : "< ";
  const std::string d = rounded(c.demand, 2), cap = rounded(c.capacity, 2);
  const std::string& n = c.name;
  Formula f;
  if (startsWith(n, "bearing")) {
    f = formula("p", "1.1 P/A + M/Z", "", d + " kN/m²", c.clause, le + cap + " kN/m² allowed");
  } else if (startsWith(n, "resultant")) {
    f = formula("e", "", "", d + " m", c.clause, le + "L/2 = " + cap + " m");
  } else if (startsWith(n, "bending")) {
    f = formula("Mu", "", "", d + " kN·m", c.clause,
                le + "Mu,lim = " + rounded(is456::limitingMomentFactor(p.Fe), 3) + " fck b d² = " + cap + " kN·m");
  } else if (startsWith(n, "steel for bending")) {
    f = formula("Mu", "", "", d + " kN·m", c.clause, le + "MR = 0.87 fy As d (1 − As fy/(b d fck)) = " + cap + " kN·m");
  } else if (startsWith(n, "one-way shear")) {
    f = formula("τv", "Vu/(b d)", "", d + " N/mm²", c.clause, le + "τc = " + cap + " N/mm² (Table 19)");
  } else if (startsWith(n, "punching")) {
    f = formula("τv", "Vu/(b0 d)", "", d + " N/mm²", c.clause, le + "ks 0.25 √fck = " + cap + " N/mm²");
  } else if (startsWith(n, "minimum steel")) {
    f = formula("As,min", (p.Fe <= 250 ? "0.15" : "0.12") + std::string(" % b D"), "", d + " mm²", c.clause,
                le + "As = " + cap + " mm² provided");
  } else if (startsWith(n, "bar spacing")) {
    f = formula("s", "", "", d + " mm", c.clause, le + "min(3 d, 300 mm) = " + cap + " mm");
  } else if (startsWith(n, "edge depth")) {
    f = formula("D", "", "", cap + " mm", c.clause, ge + d + " mm at the edge");
  } else if (startsWith(n, "development length")) {
    f = formula("Ld", "φ 0.87 fy/(4 τbd)", "", d + " mm", c.clause,
                le + cap + " mm available beyond the pedestal face; " + bondStressText(p));
  } else {
    // Uplift, sliding and overturning: the factored demand against what holds the footing.
    const bool uplift = startsWith(n, "uplift"), sliding = startsWith(n, "sliding"),
               overturning = startsWith(n, "overturning");
    const std::string lhs = uplift ? "factor × U" : sliding ? "factor × H" : overturning ? "factor × M" : n;
    const std::string against = uplift ? "0.9 W = " : sliding ? "μ N = " : overturning ? "N × half the side = " : "";
    f = formula(lhs, "", "", d + " " + typeset(c.unit), c.clause, le + against + cap + " " + typeset(c.unit));
  }
  f.clause = typeset(f.clause);
  f.ok = c.ok;
  // The check's own name leads, so that each line says what it checks.
  f.lhs = n + ": " + f.lhs;
  return f;
}

void addGroupRowSection(report::Document& doc, const Project& p, int r) {
  const SizeGroupRecord& row = p.DesignGroupTable[r];
  const DesignQuantities& x = row.design;
  const std::array<std::string, kScheduleColumns> t = scheduleRowTexts(p, r);
  const std::string mark = t[kColMark];
  const double B = row.GroupSize, a = row.PedestalSize, q = row.NetPressure;
  report::Section& section =
      doc.addSection(2, mark + ": " + std::to_string(row.MemberCount) + " × " + num(B) + " m square footing" +
                            (row.MemberCount == 1 ? "" : "s"));

  std::string members;
  for (int k = 1; k <= row.MemberCount; ++k) members += (members.empty() ? "" : ", ") + joint(p, row.Members[k]);
  section.blocks.push_back(Paragraph{"Footings of the row (joints): " + members + ". Side B = " + num(B) +
                                     " m, pedestal a = " + num(a) + " m, M" + std::to_string(p.Fck) + ", Fe " +
                                     std::to_string(p.Fe) + ", bars φ = " + std::to_string(row.BarDia) + " mm."});
  section.blocks.push_back(Paragraph{governingText(p, row.GovFooting, row.GovCase)});
  Table pressures = pressureTable();
  for (int k = 1; k <= row.MemberCount; ++k) addPressureRows(pressures, p, row.Members[k], true);
  section.blocks.push_back(Paragraph{"Pressures of every footing and case on " + num(B) + " × " + num(B) +
                                     " m with P = 1.1 FY (the workbook's figures):"});
  section.blocks.push_back(pressures);

  Steps steps;
  if (row.GovFooting >= 1 && row.GovFooting <= p.FootingCount)
    steps.add(kSoil, netPressureFormula(p, row.GovFooting, row.GovCase, B, B, q));
  else
    steps.add(kSoil, formula("q", "", "", num(q) + " kN/m²", "IS 456 cl. 34.2.3.1"));

  const std::string c = t[kColCantilever];
  Formula cantilever = formula("c", "(B − a)/2", "(" + num(B) + " − " + num(a) + ")/2", c + " m", "IS 456 cl. 34.2.3.2");
  if (rounded((B - a) / 2, 4) != c) cantilever.comparison = "(rounded to 0.01 m)";
  steps.add(kBending, cantilever);
  steps.add(kBending, formula("Mu", "1.5 q B c²/2", "1.5 × " + num(q) + " × " + num(B) + " × " + c + "²/2",
                              t[kColMu] + " kN·m", "IS 456 cl. 34.2.3.1, 34.2.3.2, Table 18"));

  const double D = row.TotalDepth, d = D - 0.06;
  const std::string dmm = mm(d);
  const std::string factor = num(groupBendingFactor(p.Fe));
  steps.add(kDepth, Paragraph{"D = " + mm(D) + " mm: the depth bending needs (Mu = " + factor +
                              " fck B d²), rounded up to a "
                              "50 mm step of the total depth and at least 250 mm, deepened by 25 mm while one-way "
                              "shear or punching failed."});
  steps.add(kDepth, formula("d", "D − 60 mm", mm(D) + " − 60", dmm + " mm", "IS 456 cl. 26.4.2.2 (50 mm cover)"));
  steps.add(kDepth, formula("k", "Mu/(B d²)", t[kColMu] + " × 10⁶/(" + mm(B) + " × " + dmm + "²)",
                            t[kColMuBdd] + " N/mm²", "IS 456 Annex G-1.1 c",
                            "(limit " + factor + " fck = " + rounded(groupBendingFactor(p.Fe) * p.Fck, 3) +
                                " N/mm²)"));

  steps.add(kOneWay, formula("Vu", "1.5 q B (c − d)", "1.5 × " + num(q) + " × " + num(B) + " × (" + c + " − " +
                                                         rounded(d, 3) + ")",
                             t[kColSF1] + " kN", is456::kOneWayShearClause));
  Formula tv1 = formula("τv", "Vu/(B d)", t[kColSF1] + " × 10³/(" + mm(B) + " × " + dmm + ")", t[kColSS1] + " N/mm²",
                        is456::kOneWayShearClause,
                        std::string(x.tv1 <= x.tc ? "≤" : ">") + " τc = " + t[kColPS1] + " N/mm² (Table 19, pt " +
                            t[kColPt] + " %, M" + std::to_string(p.Fck) + ")");
  tv1.ok = x.tv1 <= x.tc;
  steps.add(kOneWay, tv1);

  const std::string side = mm(a + d);
  steps.add(kPunching, formula("Vu", "1.5 q (B² − (a + d)²)",
                               "1.5 × " + num(q) + " × (" + num(B) + "² − (" + num(a) + " + " + rounded(d, 3) + ")²)",
                               t[kColSF2] + " kN", is456::kPunchingClause));
  Formula tv2 = formula("τv", "Vu/(4 (a + d) d)", t[kColSF2] + " × 10³/(4 × " + side + " × " + dmm + ")",
                        t[kColSS2] + " N/mm²", is456::kPunchingClause,
                        std::string(x.tv2 <= x.tp ? "≤" : ">") + " τp = 0.25 √fck = 0.25 × √" + std::to_string(p.Fck) +
                            " = " + t[kColPS2] + " N/mm²");
  tv2.ok = x.tv2 <= x.tp;
  steps.add(kPunching, tv2);

  steps.add(kSteel, formula("pt", "max(0.2, 50 fck/fy (1 − √(1 − 4.6 k/fck)))",
                            "max(0.2, 50 × " + std::to_string(p.Fck) + "/" + std::to_string(p.Fe) +
                                " × (1 − √(1 − 4.6 × " + t[kColMuBdd] + "/" + std::to_string(p.Fck) + ")))",
                            t[kColPt] + " %", "IS 456 Annex G-1.1 b"));
  steps.add(kSteel, formula("Ast", "pt B d/100", t[kColPt] + " × " + mm(B) + " × " + dmm + "/100",
                            t[kColAst] + " mm²", "IS 456 Annex G-1.1 b"));

  const std::string dia = std::to_string(row.BarDia);
  if (x.barsKnown) {
    steps.add(kBars, formula("n", "Ast/(φ² × 22/28), rounded up, at least 2", t[kColAst] + "/(" + dia + "² × 22/28)",
                             t[kColRods] + " bars of " + dia + " mm each way", "IS 456 cl. 34.3.1 a"));
    steps.add(kBars, formula("s", "(B − 120 mm)/(n − 1)", "(" + mm(B) + " − 120)/(" + t[kColRods] + " − 1)",
                             t[kColSpace] + " mm", is456::kSpacingClause));
  } else {
    steps.add(kBars, Paragraph{"The bars of " + dia + " mm for " + t[kColAst] + " mm² cannot be counted."});
  }
  if (!row.checks.empty()) {
    // The design steps carry the schedule's cantilever, rounded to centimetres; the checks take it as it is.
    const double exactC = (B - a) / 2;
    const std::string cantilever =
        rounded(exactC, 4) == c
            ? ""
            : " and the cantilever as it is, c = " + rounded(exactC, 4) + " m (the design steps take it rounded " +
                  "to " + c + " m)";
    section.blocks.push_back(Paragraph{"The design steps follow, each with the IS 456 check of the row as built "
                                       "(named lines): these take the inner layer, d = D − 50 − 1.5 φ = " +
                                       rounded(D * 1000 - is456::kCover - 1.5 * row.BarDia, 1) +
                                       " mm, the bars provided" + cantilever +
                                       "; punching the mean of the two layers."});
  }
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

namespace {

// The layers of a footing row with the area they need and the area their bars give.
Table layerTable(const FootingRow& row) {
  Table t;
  t.header = {"Layer", "Ast needed mm²", "Bars", "φ mm", "Spacing mm", "Width m", "As provided mm²"};
  t.align = {Align::Left, Align::Right, Align::Right, Align::Right, Align::Right, Align::Right, Align::Right};
  for (const SteelLayer& l : row.steel)
    t.rows.push_back({{l.where, rounded(l.Ast, 0), std::to_string(l.bars), std::to_string(l.dia),
                       std::to_string(l.spacing), rounded(l.width, 3), rounded(l.bars * is456::barArea(l.dia), 0)}});
  return t;
}

// The reactions of the two columns of a combined footing by load-case number, as read.
Table pairedReactions(const Project& p, const FootingRow& row, bool alongX) {
  const int a = row.footings[0], b = row.footings[1];
  const std::string along = alongX ? "MZ" : "MX", across = alongX ? "MX" : "MZ";
  const int kAlong = alongX ? 4 : 3, kAcross = alongX ? 3 : 4;
  Table t;
  t.header = {"Case"};
  for (int s : {a, b})
    for (const std::string& h : {"FY " + joint(p, s) + " kN", along + " " + joint(p, s) + " kN·m",
                                 across + " " + joint(p, s) + " kN·m"})
      t.header.push_back(h);
  t.align.assign(t.header.size(), Align::Right);
  std::vector<int> numbers;
  for (int s : {a, b})
    for (int c = 0; c <= p.lastCasePosition(s); ++c) {
      const int n = static_cast<int>(p.ReactionTable(s, c, 1));
      if (std::find(numbers.begin(), numbers.end(), n) == numbers.end()) numbers.push_back(n);
    }
  for (int n : numbers) {
    TableRow r;
    r.cells.push_back(std::to_string(n));
    for (int s : {a, b}) {
      int pos = -1;
      for (int c = 0; c <= p.lastCasePosition(s) && pos < 0; ++c)
        if (static_cast<int>(p.ReactionTable(s, c, 1)) == n) pos = c;
      for (int k : {2, kAlong, kAcross}) r.cells.push_back(pos < 0 ? "" : num(p.ReactionTable(s, pos, k)));
    }
    t.rows.push_back(r);
  }
  return t;
}

}  // namespace

void addFootingRowSection(report::Document& doc, const Project& p, const FootingRow& row) {
  const bool combined = row.kind == FootingRow::Kind::Combined;
  const std::array<std::string, kScheduleColumns> t = footingRowTexts(p, row);
  const std::string mark = row.mark();
  const double L = row.L, B = row.B, a = row.PedestalSize, q = row.NetPressure;
  report::Section& section = doc.addSection(
      2, mark + ": " + (combined ? "combined footing under joints " : "hand-resized footing under joint ") +
             t[kColNos]);
  if (row.footings.empty()) {
    section.blocks.push_back(Paragraph{"The row has no footing."});
    return;
  }
  std::string basis = "Plan " + num(L) + " m × " + num(B) + " m (L " +
                      (combined ? "along the columns' line" : "along X") + "), pedestal a = " + num(a) + " m, M" +
                      std::to_string(p.Fck) + ", Fe " + std::to_string(p.Fe) +
                      (row.BarDia > 0 ? ", bars φ = " + std::to_string(row.BarDia) + " mm as edited." : ".");
  section.blocks.push_back(Paragraph{basis});
  section.blocks.push_back(Paragraph{governingText(p, row.GovFooting, row.GovCase)});

  Steps steps;
  const CombinedFootingRecord* cf = nullptr;
  if (combined) {
    if (row.number >= 1 && row.number <= p.CombinedCount) cf = &p.CombinedFootingTable[row.number];
    const bool alongX = cf && cf->CfAxis == 1;
    if (cf)
      section.blocks.push_back(Paragraph{
          "Columns " + mm(cf->Cant1) + " mm and " + mm(cf->Cant1 + cf->CfDistance / 1000.0) +
          " mm from the first end (centre distance " + mm(cf->CfDistance / 1000.0) + " mm, along " +
          (alongX ? "X" : "Z") + "), cantilevers " + num(cf->Cant1) + " m and " + num(cf->Cant2) + " m, skew " +
          num(2 * cf->CfHalfSkew) + " mm."});
    section.blocks.push_back(Paragraph{"Reactions of the two columns by load case, as read (the design takes each case "
                                       "with both senses of the moments along the footing, factored by 1.5):"});
    section.blocks.push_back(pairedReactions(p, row, alongX));
    if (!row.pressures.empty()) {
      // The bearing check's own figures, case by case.
      section.blocks.push_back(Paragraph{
          "Bearing pressure of every case on " + num(L) + " × " + num(B) +
          " m, IS 456 cl. 34.1: q = 1.1 P/(L B) + 6 (|ΣM along| + |e P|)/(B L²) + 6 |ΣM across|/(B² L), with P "
          "the two columns' FY and e the resultant's distance from the footing's centre; each column's allowable "
          "pressure of that case (SBC, or 1.25 × SBC for the increased cases):"});
      Table t;
      t.header = {"Case", "P kN", "e m", "q kN/m²", "Allowable " + joint(p, row.footings[0]) + " kN/m²",
                  "Allowable " + joint(p, row.footings[1]) + " kN/m²", "Result"};
      t.align = {Align::Right, Align::Right, Align::Right, Align::Right, Align::Right, Align::Right, Align::Left};
      for (const CasePressure& cp : row.pressures) {
        auto allowed = [](double a) { return a < 0 ? std::string("-") : num(a); };
        t.rows.push_back({{std::to_string(cp.loadCase), rounded(cp.fy, 2), rounded(cp.e, 3), rounded(cp.q, 2),
                           allowed(cp.allowable[0]), allowed(cp.allowable[1]), cp.ok() ? "OK" : "FAILS"},
                          !cp.ok()});
      }
      section.blocks.push_back(t);
    }
    steps.add(kSoil, formula("q", "peak contact pressure under both columns/B", "", num(q) + " kN/m²",
                             "IS 456 cl. 34.1, 34.2.3.1",
                             "(rigid footing, reactions as read, rounded up to a whole kN/m²)"));
  } else {
    const int s = row.footings[0];
    Table pressures = pressureTable();
    addPressureRows(pressures, p, s, false);
    section.blocks.push_back(Paragraph{"Pressures of every case on " + num(L) + " × " + num(B) +
                                       " m with P = 1.1 FY (the workbook's figures):"});
    section.blocks.push_back(pressures);
    if (row.GovFooting >= 1) steps.add(kSoil, netPressureFormula(p, row.GovFooting, row.GovCase, L, B, q));
    steps.add(kBending, formula("cL", "(L − a)/2", "(" + num(L) + " − " + num(a) + ")/2", rounded((L - a) / 2, 3) + " m",
                                "IS 456 cl. 34.2.3.2"));
    steps.add(kBending, formula("cB", "(B − a)/2", "(" + num(B) + " − " + num(a) + ")/2", rounded((B - a) / 2, 3) + " m",
                                "IS 456 cl. 34.2.3.2"));
    steps.add(kBending, formula("Mu", "1.5 q b c²/2", "", "", "IS 456 cl. 34.2.3.1, 34.2.3.2",
                                "at the pedestal face, each way over the whole width b"));
  }
  steps.add(kDepth, Paragraph{"D = " + mm(row.TotalDepth) + " mm: the 50 mm step the largest moment needs with its "
                              "bars in place (at least 250 mm; an edited depth below it is raised), deepened by 25 mm "
                              "while bending, one-way shear or punching failed. Each layer's effective depth is D − 50 "
                              "mm cover − the bars below it − φ/2 (IS 456 cl. 26.4.2.2)."});
  steps.add(kSteel, Paragraph{"Steel of each layer for its moment (Annex G-1.1 b), not below the minimum of its own "
                              "gross section:"});
  steps.add(kSteel, layerTable(row));
  addChecks(steps, p, row.checks);
  writeSteps(section, steps);

  section.blocks.push_back(Paragraph{"Adopted: " + mark + ", " + num(L) + " m × " + num(B) + " m, depth " +
                                     t[kColDepth] + " m, pedestal " + t[kColPedestal] + " m; " + t[kColCantilever] +
                                     ". Checks: " + t[kColSF1] + "."});
  section.blocks.push_back(report::Verdict{!row.flagged(), mark + ": " + t[kColSF1]});
}

}  // namespace plintova::report_parts
