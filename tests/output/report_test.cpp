// The calculation report as Markdown, held against the design results the schedule holds: every row's
// figures and checks, every footing, the decisions and the quantities; and the Markdown text itself.
#include <gtest/gtest.h>

#include <cctype>
#include <memory>
#include <string>
#include <vector>

#include "design/quantities.h"
#include "design/schedule.h"
#include "frame1_report_fixture.h"
#include "model/numbers.h"
#include "output/report.h"
#include "output/report_content.h"
#include "output/report_parts.h"
#include "input/fingerprints.h"

using namespace plintova;

namespace {

std::string r2(double v) { return numberText(roundTo(v, 2)); }

// The text of the section whose heading starts with `heading` ("### 4.1 F1:"), up to the next heading.
std::string sectionOf(const std::string& md, const std::string& heading) {
  const std::size_t at = md.find("\n" + heading);
  if (at == std::string::npos) return {};
  const std::size_t end = md.find("\n#", at + 1);
  return md.substr(at + 1, end == std::string::npos ? std::string::npos : end - at - 1);
}

// The section of the schedule row with this mark in chapter 4.
std::string rowSection(const std::string& md, const std::string& mark) {
  const std::size_t at = md.find(" " + mark + ": ", md.find("\n## 4 Schedule rows"));
  if (at == std::string::npos) return {};
  const std::size_t start = md.rfind("\n### ", at);
  return sectionOf(md, md.substr(start + 1, at - start));
}

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The appendix section of the schedule row with this mark.
std::string appendixOf(const std::string& md, const std::string& mark) {
  const std::size_t at = md.find(" " + mark + ": pressures", md.find("\n## Appendix A"));
  if (at == std::string::npos) return {};
  const std::size_t start = md.rfind("\n### ", at);
  return sectionOf(md, md.substr(start + 1, at - start));
}

// The numbers of a text, in order ("351.5 × 10³/(2650 × 529) = 0.25" gives 351.5, 10, 2650, 529, 0.25; the
// superscripts are no digits of theirs).
std::vector<double> numbersIn(const std::string& text) {
  std::vector<double> out;
  for (std::size_t i = 0; i < text.size();) {
    const bool digit = std::isdigit(static_cast<unsigned char>(text[i]));
    const bool sign = text[i] == '-' && i + 1 < text.size() && std::isdigit(static_cast<unsigned char>(text[i + 1])) &&
                      (i == 0 || text[i - 1] == ' ' || text[i - 1] == '(');
    if (!digit && !sign) {
      ++i;
      continue;
    }
    std::size_t used = 0;
    out.push_back(std::stod(text.substr(i), &used));
    i += used;
  }
  return out;
}

// Every check of a row in its section: bearing as a table row; uplift, sliding and overturning in the
// line of their footing as "case: demand <= capacity"; the others as a named formula line with demand,
// capacity, clause and verdict.
void expectChecks(const std::string& section, const std::vector<CodeCheck>& checks, const std::string& mark) {
  ASSERT_FALSE(checks.empty()) << mark;
  for (const CodeCheck& c : checks) {
    const std::string verdict = c.ok ? "OK" : "FAILS";
    if (c.name.rfind("bearing", 0) == 0 && c.name.find(" base") == std::string::npos) {
      EXPECT_TRUE(has(section, "| " + c.name + " | " + r2(c.demand) + " | " + r2(c.capacity) + " | " + verdict + " |"))
          << mark << ": " << c.name;
      continue;
    }
    if (const std::size_t lc = c.name.find(", load case "); c.name.find(" at joint") != std::string::npos &&
        lc != std::string::npos &&
        (c.name.rfind("uplift", 0) == 0 || c.name.rfind("sliding", 0) == 0 || c.name.rfind("overturning", 0) == 0)) {
      const std::size_t at = c.name.find(" at joint") + 4;
      const std::size_t from = section.find("\n| " + c.name.substr(at, lc - at) + " | ");
      ASSERT_NE(from, std::string::npos) << mark << ": " << c.name;
      const std::string line = section.substr(from + 1, section.find('\n', from + 1) - from - 1);
      const std::string loadCase = c.name.substr(lc + 12, c.name.find_first_not_of("0123456789", lc + 12) - lc - 12);
      EXPECT_TRUE(has(line, "| " + loadCase + ": " + r2(c.demand) + (c.ok ? " ≤ " : " > ") + r2(c.capacity)))
          << mark << ": " << c.name << " in " << line;
      continue;
    }
    const std::size_t at = section.find("\n- " + c.name + ": ");
    ASSERT_NE(at, std::string::npos) << mark << ": " << c.name;
    const std::string line = section.substr(at + 1, section.find('\n', at + 1) - at - 1);
    EXPECT_TRUE(has(line, r2(c.demand))) << line;
    EXPECT_TRUE(has(line, r2(c.capacity))) << line;
    EXPECT_TRUE(has(line, "*" + c.clause + "*")) << line;
    EXPECT_TRUE(has(line, "**" + verdict + "**")) << line;
  }
}

class Frame1Report : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { project_ = report_test::designedFrame1(PLINTOVA_EXAMPLES "/FRAME1.ANL").release(); }
  static void TearDownTestSuite() { delete project_; }
  void SetUp() override {
    ASSERT_NE(project_, nullptr) << "the example frame could not be designed";
    md_ = report::markdown(calculationReport(*project_, "2025-01-31"));
  }
  static Project* project_;
  std::string md_;
};

Project* Frame1Report::project_ = nullptr;

TEST_F(Frame1Report, EveryGroupRowAsTheScheduleHoldsIt) {
  const Project& p = *project_;
  ASSERT_GE(p.DesignGroupCount, 2);
  const std::string summary = sectionOf(md_, "### 3.1 Schedule");
  for (int r = 1; r <= p.DesignGroupCount; ++r) {
    const SizeGroupRecord& row = p.DesignGroupTable[r];
    const auto t = scheduleRowTexts(p, r);
    const std::string steel = t[kColRods] + " bars " + t[kColDia] + " \u00d8 @ " + t[kColSpace] + " each way";
    EXPECT_TRUE(has(summary, "| " + t[kColMark] + " | " + t[kColNos] + " | " + t[kColSize] + " × " + t[kColSize] +
                                 " | " + t[kColDepth] + " | " + t[kColPedestal] + " | " + steel + " |"))
        << t[kColMark];

    const std::string section = rowSection(md_, t[kColMark]);
    ASSERT_FALSE(section.empty()) << t[kColMark];
    EXPECT_TRUE(has(section, "depth " + t[kColDepth] + " m, pedestal " + t[kColPedestal] + " m, Ast " + t[kColAst] +
                                 " mm², " + steel))
        << section;
    // The design steps end in the schedule's own figures.
    for (const std::string& figure :
         {"= " + t[kColMu] + " kN·m", "= " + t[kColMuBdd] + " N/mm²", "pt " + t[kColPt] + " %",
          "= " + t[kColAst] + " mm²", "= " + t[kColSS1] + " N/mm²", "= " + t[kColPS1] + " N/mm²",
          "= " + t[kColSS2] + " N/mm²", "= " + t[kColPS2] + " N/mm²", "= " + t[kColSF1] + " kN",
          "= " + t[kColSF2] + " kN"})
      EXPECT_TRUE(has(section, figure)) << t[kColMark] << ": " << figure;
    EXPECT_TRUE(has(section, "Governing: " + report_parts::footingName(p, row.GovFooting) + ", load case " +
                                 numberText(p.ReactionTable(row.GovFooting, row.GovCase, 1))))
        << section;
    // The body names each footing by its joint and grid, with the one case that governs it; the appendix
    // holds every footing and case.
    const std::string appendix = appendixOf(md_, t[kColMark]);
    for (int k = 1; k <= row.MemberCount; ++k) {
      const int s = row.Members[k];
      EXPECT_TRUE(has(section, "| " + numberText(p.FootingTable[s].JointNo) + " | " + report_parts::grid(p, s) + " | "))
          << t[kColMark] << " footing " << s;
      for (int c = 0; c <= p.lastCasePosition(s); ++c) {
        const std::string line = "| " + numberText(p.FootingTable[s].JointNo) + " | " +
                                 numberText(p.ReactionTable(s, c, 1)) + " | " + numberText(p.ReactionTable(s, c, 2)) + " |";
        EXPECT_TRUE(has(appendix, line)) << t[kColMark] << " footing " << s << " case " << c;
        EXPECT_FALSE(has(section, line)) << t[kColMark] << " footing " << s << " case " << c;
      }
    }
    expectChecks(section, row.checks, t[kColMark]);
    EXPECT_TRUE(has(section, "**Result: " + t[kColMark] + ": " + checksSummary(row.checks) + "**"));
  }
}

TEST_F(Frame1Report, TheResizedAndCombinedRowsWithTheirLayersAndChecks) {
  const Project& p = *project_;
  ASSERT_EQ(p.RectangularRows.size(), 1u);
  ASSERT_EQ(p.CombinedRows.size(), 1u);
  for (const FootingRow* row : {&p.RectangularRows[0], &p.CombinedRows[0]}) {
    const auto t = footingRowTexts(p, *row);
    const std::string section = rowSection(md_, row->mark());
    ASSERT_FALSE(section.empty()) << row->mark();
    EXPECT_TRUE(has(section, "Adopted: " + row->mark() + ", " + numberText(row->L) + " m × " + numberText(row->B) +
                                 " m, depth " + t[kColDepth] + " m, pedestal " + t[kColPedestal] + " m; " +
                                 t[kColCantilever]))
        << section;
    ASSERT_FALSE(row->steel.empty());
    for (const SteelLayer& l : row->steel)
      EXPECT_TRUE(has(section, "| " + l.where + " | " + numberText(roundTo(l.d, 1)) + " | " +
                                   numberText(roundTo(l.Ast, 0)) + " | " + std::to_string(l.bars) + " | " +
                                   std::to_string(l.dia) + " | " + std::to_string(l.spacing) + " |"))
          << row->mark() << ": " << l.where;
    expectChecks(section, row->checks, row->mark());
    EXPECT_TRUE(has(section, "**Result: " + row->mark() + ": " + t[kColSF1] + "**")) << section;
  }
  // The combined footing passes on this frame: its bottom bars along L are bent at the short ends.
  const FootingRow& c1 = p.CombinedRows[0];
  ASSERT_FALSE(c1.flagged());
  EXPECT_FALSE(has(rowSection(md_, "C1"), "**FAILS**"));
  EXPECT_TRUE(has(sectionOf(md_, "### 3.1 Schedule"), "| C1 | joint 20, 21 |"));
  // Its bearing pressure case by case, as the design worked it out: one table row per paired case, in the
  // appendix.
  ASSERT_EQ(c1.pressures.size(), 6u);
  for (const CasePressure& cp : c1.pressures)
    EXPECT_TRUE(has(appendixOf(md_, "C1"), "| " + std::to_string(cp.loadCase) + " | " +
                                               report_parts::rounded(cp.fy, 2) + " | " +
                                               report_parts::rounded(cp.e, 3) + " | " +
                                               report_parts::rounded(cp.q, 2) + " | "))
        << "case " << cp.loadCase;
}

TEST_F(Frame1Report, EveryFootingInTheSummaryAndEveryDecision) {
  const Project& p = *project_;
  const std::string footings = sectionOf(md_, "### 3.2 Footings");
  for (int s = 1; s <= p.FootingCount; ++s) {
    const FootingRecord& f = p.FootingTable[s];
    const std::string mark = f.Kind == FootingKind::Combined     ? "C" + std::to_string(f.CombinedNo)
                             : f.Kind == FootingKind::HandResized ? "R" + std::to_string(f.GroupRank)
                             : f.Kind == FootingKind::Isolated  ? "F" + std::to_string(f.GroupRank)
                                              : "disabled";
    EXPECT_TRUE(has(footings, "| " + numberText(f.JointNo) + " | " + report_parts::grid(p, s) + " | " +
                                  numberText(roundTo(f.PosX / 1000.0, 3)) + " | " +
                                  numberText(roundTo(f.PosZ / 1000.0, 3)) + " | " + mark + " |"))
        << "joint " << f.JointNo;
  }

  const std::string disabled = sectionOf(md_, "### 5.1 Disabled footings");
  EXPECT_TRUE(has(disabled, "| 40 | " + numberText(p.FootingTable[report_test::footingOfJoint(p, 40)].ReqSize) + " |"))
      << disabled;
  EXPECT_TRUE(has(sectionOf(md_, "### 5.2 Combined footings"), "| C1 | 20 and 21 | X |"));
  ASSERT_EQ(p.decisions.resized.size(), 1u);
  EXPECT_TRUE(has(sectionOf(md_, "### 5.3 Hand-resized footings"),
                  "| R1 | 22 | " + numberText(p.decisions.resized[0].length) + " | " + numberText(p.RectangularRows[0].B)));
  // The depth used stands beside the typed one (none typed here).
  EXPECT_TRUE(has(sectionOf(md_, "### 5.4 Schedule edits"),
                  "| F1, size 1.9 m |  |  | " + numberText(p.DesignGroupTable[1].TotalDepth) + " | 12 |"));
}

TEST_F(Frame1Report, QuantitiesOfEveryRowAndTheirTotal) {
  const Project& p = *project_;
  const Quantities q = scheduleQuantities(p);
  ASSERT_EQ(q.rows.size(), static_cast<std::size_t>(p.DesignGroupCount) + 2);
  const std::string chapter = sectionOf(md_, "## 6 Quantities");
  int footings = 0;
  for (const RowQuantities& r : q.rows) {
    footings += r.footings;
    EXPECT_TRUE(has(chapter, "| " + r.mark + " | " + std::to_string(r.footings) + " | " + std::to_string(r.pedestals) +
                                 " | " + numberText(roundTo(r.footingConcrete, 3)) + " | " +
                                 numberText(roundTo(r.pedestalConcrete, 3)) + " | " +
                                 numberText(roundTo(r.leanConcrete, 3)) + " | " + numberText(roundTo(r.steel, 1)) +
                                 " | " + numberText(roundTo(r.excavation, 3)) + " | " +
                                 numberText(roundTo(r.formwork, 2)) + " |"))
        << r.mark;
  }
  // 40 supports less the disabled one, the combined pair counted once.
  EXPECT_EQ(footings, 38);
  EXPECT_EQ(q.total.footings, 38);
  // The combined footing stands on two pedestals.
  EXPECT_TRUE(has(chapter, "| C1 | 1 | 2 |"));
  EXPECT_TRUE(has(chapter, "| **Total** | **38** | **39** | **" + numberText(roundTo(q.total.footingConcrete, 3)) +
                               "** |"));
}

TEST_F(Frame1Report, ReadsTheStoredResultsAndDesignsNothingAgain) {
  // Results changed behind the design's back show in the report as they stand: it designs nothing itself.
  Project p = *project_;
  p.DesignGroupTable[1].TotalDepth = 0.975f;
  p.DesignGroupTable[1].checks.back().demand = 12.345;
  p.CombinedRows[0].steel[0].bars = 99;
  const std::string md = report::markdown(calculationReport(p, "2025-01-31"));
  const std::string mark = "F" + std::to_string(p.DesignGroupTable[1].GroupMark);
  EXPECT_TRUE(has(rowSection(md, mark), "depth 0.975 m"));
  EXPECT_TRUE(has(rowSection(md, mark), "- " + p.DesignGroupTable[1].checks.back().name + ": "));
  EXPECT_TRUE(has(rowSection(md, mark), "12.35"));
  EXPECT_TRUE(has(rowSection(md, "C1"), "| " + p.CombinedRows[0].steel[0].where + " | " +
                                            numberText(roundTo(p.CombinedRows[0].steel[0].d, 1)) + " | " +
                                            numberText(roundTo(p.CombinedRows[0].steel[0].Ast, 0)) + " | 99 |"));
  // The same project gives the same text, and the original is untouched by writing it.
  EXPECT_EQ(md, report::markdown(calculationReport(p, "2025-01-31")));
  EXPECT_EQ(md_, report::markdown(calculationReport(*project_, "2025-01-31")));
  EXPECT_NE(md, md_);
}

TEST_F(Frame1Report, CoverInputsAndMethod) {
  const Project& p = *project_;
  for (const std::string& want :
       {std::string("| Project | Hostel block, Pune |"), std::string("| Listing | FRAME1.ANL |"),
        "| Listing SHA-256 | " + listingSha256(p) + " |", std::string("| Program | Plintova ") + PLINTOVA_VERSION + " |",
        std::string("| Date | 2025-01-31 |"), std::string("| Document number | B-12 |"),
        std::string("| Revision | 3 |"), std::string("| Prepared | AVS |"), std::string("| Checked | PSV |")})
    EXPECT_TRUE(has(md_, want)) << want;
  const std::string inputs = sectionOf(md_, "### 1.1 Design values");
  for (const char* want : {"| 200 kN/m² |", "| 250 kN/m² |", "| 1.5 m |", "| 30 kN/m² |", "M25", "Fe 415",
                                  "τbd = 2.24 N/mm²"})
    EXPECT_TRUE(has(inputs, want)) << want;
  // A grade within the bond table says nothing of the one below it.
  EXPECT_FALSE(has(md_, "below the bond table"));
  const std::string cases = sectionOf(md_, "### 1.2 Load cases");
  // Only the earthquake cases take the increased pressure, each with its reason; case 6, dead load only,
  // takes SBC.
  // Every case a service combination: the soil takes it as read, the design times 1.5.
  EXPECT_TRUE(has(cases, "| 1 | DEAD + LIVE | NONE | service | yes | 1 | 1.5 | SBC = 200 kN/m² |  |")) << cases;
  EXPECT_TRUE(has(cases, "| 2 | DL + LL + EQX | NONE | service | yes | 1 | 1.5 | 1.25 × SBC = 250 kN/m² | EQX in its title |"))
      << cases;
  EXPECT_TRUE(has(cases, "| 6 | DEAD LOAD ONLY | NONE | service | yes | 1 | 1.5 | SBC = 200 kN/m² |  |")) << cases;
  EXPECT_TRUE(has(sectionOf(md_, "### 1.3 Options in force"), "| Unit weight of concrete | 25 kN/m³ |")) << md_;
  // The dowels' basis: the option's value among the inputs, and the reading of cl. 26.2.1 in the method.
  EXPECT_TRUE(has(sectionOf(md_, "### 1.3 Options in force"),
                  "| Dowels developed at their full design stress (1) or at the stress they carry (0) | 0 |"));
  EXPECT_TRUE(has(sectionOf(md_, "### 2.7 Pedestals, dowels and the bar bending schedule"),
                  "Dowels are developed for the stress they carry (the option \"dowelFullStress\" is 0): cl. 26.2.1"));
  const std::string method = sectionOf(md_, "### 2.3 Limit-state design of the group rows");
  for (const char* want : {"qu = 1.5 q", "qu B c²/2", "0.138 fck B d²", "d = D − cover − 1.5 φ", "Table 19",
                           "0.25 √fck", "d = D − 60 mm", "90° bend", "10, 12, 16, 20, 25 mm"})
    EXPECT_TRUE(has(method, want)) << want;
  EXPECT_TRUE(has(sectionOf(md_, "### 2.1 Sizing of isolated footings"), "P = 1.1 FY"));
}

TEST_F(Frame1Report, TheBodyGivesWhatGovernsAndTheAppendixEveryCase) {
  const std::size_t appendix = md_.find("\n## Appendix A: Pressures by load case");
  ASSERT_NE(appendix, std::string::npos);
  const std::string body = md_.substr(0, appendix), tail = md_.substr(appendix);
  const std::string caseTable = "| Joint | Case | FY kN | MX kN·m | MZ kN·m | pmin kN/m² | pmax kN/m² |";
  EXPECT_FALSE(has(body, caseTable));
  // One table of every case for each group row and the resized row; the combined row's own two tables.
  std::size_t tables = 0;
  for (std::size_t at = tail.find(caseTable); at != std::string::npos; at = tail.find(caseTable, at + 1)) ++tables;
  EXPECT_EQ(tables, static_cast<std::size_t>(project_->DesignGroupCount) + 1);
  EXPECT_TRUE(has(tail, "### A.1 F1: pressures of every footing and case"));
  EXPECT_TRUE(has(md_, "- Appendix A: Pressures by load case\n  - A.1 F1:"));
  // Footings go by joint and grid reference as well as mark.
  EXPECT_TRUE(has(body, "### 4.9 C1: combined footing under joint 20 (C-4) and joint 21 (C-5)"));
}

TEST_F(Frame1Report, CombinedRowsDrawTheirBeamAndWriteEverySubstitutionOut) {
  const FootingRow& c1 = project_->CombinedRows[0];
  const std::string section = rowSection(md_, "C1");
  ASSERT_FALSE(c1.beam.x.empty());
  EXPECT_TRUE(has(section, "*Figure: C1: factored soil pressure (load case " + std::to_string(c1.beam.pressureCase)));
  // The figure's table at the free ends: no shear, no moment.
  EXPECT_TRUE(has(section, "| 0 | " + report_parts::rounded(c1.beam.pressure.front(), 1) + " | 0 | 0 | 0 | 0 |"));
  EXPECT_TRUE(has(section, "| " + numberText(c1.L) + " | " + report_parts::rounded(c1.beam.pressure.back(), 1) +
                               " | 0 | 0 | 0 | 0 |"));
  // On either side of each column the shear jumps: the stations name the column.
  EXPECT_TRUE(has(section, " left of joint 20 |"));
  EXPECT_TRUE(has(section, " right of joint 21 |"));

  // Every shear and punching stress and every limiting moment is written out with the figures it was
  // worked out from, and those figures give it. For instance one-way shear along L: the design's Vu,
  // b = 2650 mm and d = 529 mm give 351.5 × 10³/(2650 × 529) = 0.2507 → 0.25 N/mm².
  int written = 0;
  for (std::size_t at = section.find("\n- "); at != std::string::npos; at = section.find("\n- ", at + 1)) {
    const std::string line = section.substr(at + 3, section.find('\n', at + 1) - at - 3);
    for (const char* form : {"τv = Vu/(b d) = ", "τv = Vu/(b0 d) = "}) {
      const std::size_t from = line.find(form);
      if (from == std::string::npos) continue;
      const std::vector<double> n = numbersIn(line.substr(from + std::string(form).size()));
      ASSERT_GE(n.size(), 5u) << line;  // Vu, 10³, b, d, τv
      EXPECT_NEAR(n[0] * 1000 / (n[2] * n[3]), n[4], 0.0051) << line;
      ++written;
    }
    const std::size_t lim = line.find("Mu,lim = ");
    if (lim != std::string::npos) {
      const std::string expression = "fck b d² = ";
      const std::vector<double> n = numbersIn(line.substr(line.find(expression, lim) + expression.size()));
      ASSERT_GE(n.size(), 6u) << line;  // factor, fck, b, d, 10⁻⁶, Mu,lim
      EXPECT_NEAR(n[0] * n[1] * n[2] * n[3] * n[3] * 1e-6, n[5], 0.006 * n[5]) << line;
      ++written;
    }
  }
  EXPECT_EQ(written, 3 + 2 + 4);  // one-way shear along L and under each column, punching twice, four bending
  // Each layer's own effective depth.
  for (const SteelLayer& l : c1.steel) EXPECT_GT(l.d, 0) << l.where;
}

// M15 lies below the bond table of the code; the report names the bond stress taken for it wherever a
// development length is checked.
TEST(ReportBondStress, M15SaysWhichBondStressItTakes) {
  auto p = std::make_unique<Project>();
  RecordingPrompter prompter;
  readListing(*p, PLINTOVA_EXAMPLES "/FRAME1.ANL", prompter);
  ASSERT_TRUE(acceptDesignInputs(*p, "1.5", "200"));
  ASSERT_TRUE(acceptGrades(*p, 15, 415));
  ASSERT_EQ(startPlan(*p, prompter), "");
  ASSERT_TRUE(designSchedule(*p, prompter));
  const std::string md = report::markdown(calculationReport(*p, "2025-01-31"));
  // 1.0 N/mm2 for plain bars, raised by 60 % for the deformed Fe 415 bars.
  EXPECT_TRUE(has(sectionOf(md, "### 1.1 Design values"), "| τbd = 1.6 N/mm² | IS 456 cl. 26.2.1.1 starts at M20"));
  const std::string row = rowSection(md, "F1");
  const std::size_t at = row.find("\n- development length: ");
  ASSERT_NE(at, std::string::npos) << row;
  const std::string line = row.substr(at, row.find('\n', at + 1) - at);
  EXPECT_TRUE(has(line, "τbd = 1.6 N/mm² (M15 lies below the bond table: 1.0 N/mm² taken, + 60 % for deformed bars)"))
      << line;
  // The clause names it too, typeset for the reader.
  EXPECT_TRUE(has(line, "τbd 1.0 N/mm² taken for M15")) << line;
  EXPECT_FALSE(has(md, "tau\\_bd"));
  EXPECT_FALSE(has(md, "N/mm2"));
}

TEST(ReportMarkdown, NumbersSectionsEscapesCellsAndListsFormulas) {
  report::Document doc;
  doc.title = "T_1";
  report::Section& a = doc.addSection(1, "One");
  a.blocks.push_back(report::Paragraph{"a *b*"});
  report::Table t;
  t.header = {"x", "y"};
  t.align = {report::Align::Left, report::Align::Right};
  t.rows.push_back({{"a|b", "1\n2"}});
  t.rows.push_back({{"sum", ""}, false, true});
  a.blocks.push_back(t);
  doc.addSection(2, "One a");
  report::Section& b = doc.addSection(2, "One b");
  report::Formula f1;
  f1.lhs = "Mu";
  f1.result = "1 kN·m";
  f1.clause = "cl. 1";
  f1.ok = true;
  report::Formula f2 = f1;
  f2.ok = false;
  b.blocks = {f1, f2, report::Verdict{false, "bad"}};
  report::Section& c = doc.addSection(1, "Two");
  EXPECT_EQ(c.number, "2");
  EXPECT_EQ(doc.sections[2].number, "1.2");

  const std::string md = report::markdown(doc);
  EXPECT_TRUE(has(md, "# T\\_1\n"));
  EXPECT_TRUE(has(md, "- 1 One\n  - 1.1 One a\n  - 1.2 One b\n- 2 Two\n"));
  EXPECT_TRUE(has(md, "a \\*b\\*\n"));
  EXPECT_TRUE(has(md, "| x | y |\n|---|---:|\n| a\\|b | 1 2 |\n| **sum** |  |\n"));
  // Consecutive formulas make one list; the verdict follows after a blank line.
  EXPECT_TRUE(has(md, "- Mu = 1 kN·m — *cl. 1* — **OK**\n- Mu = 1 kN·m — *cl. 1* — **FAILS**\n\n**Result: bad**\n"));
}

TEST(ReportFormat, ByExtensionCaseAside) {
  EXPECT_EQ(reportFormat("a/b/report.pdf"), ReportFormat::Pdf);
  EXPECT_EQ(reportFormat("REPORT.PDF"), ReportFormat::Pdf);
  EXPECT_EQ(reportFormat("r.Md"), ReportFormat::Markdown);
  EXPECT_EQ(reportFormat("r.markdown"), ReportFormat::Markdown);
  for (const char* other : {"r.pdf.txt", "pdf", "r.", "", "dir.md/report"})
    EXPECT_EQ(reportFormat(other), ReportFormat::Unknown) << other;
}

}  // namespace
