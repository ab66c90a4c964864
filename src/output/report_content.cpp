// The calculation report of a project: cover, inputs, method, summary, the schedule rows, the engineer's
// decisions and the quantities, as a document.
#include "output/report_content.h"

#include "design/plan_checks.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <limits>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "design/footing_design.h"
#include "design/is456.h"
#include "design/quantities.h"
#include "design/schedule.h"
#include "design/soil_pressure.h"
#include "files/project_files.h"
#include "footing/design_inputs.h"
#include "footing/size_groups.h"
#include "input/fingerprints.h"
#include "model/numbers.h"
#include "output/report_parts.h"

namespace plintova {

namespace {

using namespace report_parts;

constexpr const char* kTitle = "Footing design calculation";

std::string fileName(const std::string& path) { return std::filesystem::path(path).filename().string(); }

Table twoColumns(const std::string& a, const std::string& b) {
  Table t;
  t.header = {a, b};
  return t;
}

// ---- 3 Summary ----

// The largest pressure of a footing relative to its allowable one over its cases, as the workbook rounds it.
struct Worst {
  double pressure = 0, allowable = 0, ratio = -1;
  std::string loadCase;
  bool fails = false;
};

Worst worstOf(const Project& p, int s, double L, double B) {
  Worst w;
  for (const CaseUse& u : soilCases(p, s)) {
    const int c = u.position;
    const EdgePressures e = edgePressures(p, s, u, L, B);
    if (e.uplift) continue;  // a lifted footing presses on no soil: its row's uplift check takes the case
    const double pmax = roundTo(e.max, 2);
    const double allowed = p.allowable(s, c);
    const double ratio = allowed > 0 ? pmax / allowed : std::numeric_limits<double>::infinity();
    if (ratio > w.ratio) {
      w = {pmax, allowed, ratio, report_parts::loadCase(p, s, c), pmax > allowed};
    }
  }
  return w;
}

// The bearing of a combined footing's member from its row's checks: the bearing check of its joint.
bool combinedWorst(const Project& p, int s, Worst& w) {
  const int n = p.FootingTable[s].CombinedNo;
  if (n < 1 || static_cast<std::size_t>(n) > p.CombinedRows.size()) return false;
  const std::vector<int> member = {p.FootingTable[s].JointNo};
  for (const CodeCheck& c : p.CombinedRows[static_cast<std::size_t>(n - 1)].checks) {
    if (c.kind != CheckKind::Bearing || c.joints != member) continue;
    w.pressure = c.demand;
    w.allowable = c.capacity;
    w.ratio = c.capacity > 0 ? c.demand / c.capacity : std::numeric_limits<double>::infinity();
    w.loadCase = numberText(c.loadCase);
    w.fails = !c.ok;
    return true;
  }
  return false;
}

void addSummary(Document& doc, const Project& p) {
  doc.addSection(1, "Summary");
  {
    report::Section& s = doc.addSection(2, "Schedule");
    Table t;
    t.header = {"Mark", "Footings", "Size m", "Depth m", "Pedestal m", "Steel", "Checks"};
    t.align = {Align::Left, Align::Left, Align::Left, Align::Right, Align::Right, Align::Left, Align::Left};
    for (int r = 1; r <= p.DesignGroupCount; ++r) {
      const SizeGroupRecord& row = p.DesignGroupTable[r];
      const auto x = scheduleRowTexts(p, r);
      const std::string checks = checksSummary(row.checks);
      t.rows.push_back({{x[kColMark], x[kColNos], x[kColSize] + " × " + x[kColSize], x[kColDepth], x[kColPedestal],
                         groupSteelText(row), checks},
                        checks != "OK"});
    }
    for (const auto* rows : {&p.RectangularRows, &p.CombinedRows})
      for (const FootingRow& row : *rows) {
        const auto x = footingRowTexts(p, row);
        t.rows.push_back({{x[kColMark], "joint " + x[kColNos], num(row.L) + " × " + num(row.B), x[kColDepth],
                           x[kColPedestal], x[kColCantilever], x[kColSF1]},
                          row.flagged()});
      }
    if (t.rows.empty()) s.blocks.push_back(Paragraph{"The schedule has no rows."});
    else s.blocks.push_back(t);
  }
  report::Section& s = doc.addSection(2, "Footings");
  s.blocks.push_back(Paragraph{"Every footing with its mark, plan size and the largest edge pressure (P = 1.1 FY) "
                               "against the allowable pressure of its case; a combined footing's members by its "
                               "bearing check."});
  Table t;
  t.header = {"Joint", "Grid", "X m", "Z m", "Mark", "L × B m", "pmax kN/m²", "Allowable kN/m²", "Ratio", "Case"};
  t.align = {Align::Right, Align::Left, Align::Right, Align::Right, Align::Left, Align::Left,
             Align::Right, Align::Right, Align::Right, Align::Right};
  for (int k = 1; k <= p.FootingCount; ++k) {
    const FootingRecord& f = p.FootingTable[k];
    std::string mark, size = num(f.SizeL) + " × " + num(f.SizeB);
    Worst w;
    bool known = true;
    if (f.Kind == FootingKind::Combined) {
      mark = "C" + std::to_string(f.CombinedNo);
      const CombinedFootingRecord& cf = p.CombinedFootingTable[f.CombinedNo];
      size = num(cf.CfLength) + " × " + num(cf.CfWidth);
      known = combinedWorst(p, k, w);
    } else {
      if (f.Kind == FootingKind::Isolated) mark = f.GroupRank > 0 ? "F" + std::to_string(f.GroupRank) : "none";
      else if (f.Kind == FootingKind::HandResized) mark = "R" + std::to_string(f.GroupRank);
      else mark = "disabled";
      w = worstOf(p, k, f.SizeL, f.SizeB);
    }
    t.rows.push_back({{joint(p, k), grid(p, k), rounded(f.PosX / 1000.0, 3), rounded(f.PosZ / 1000.0, 3), mark, size,
                       known ? rounded(w.pressure, 2) : "", known ? num(w.allowable) : "",
                       known ? rounded(w.ratio, 3) : "", known ? w.loadCase : ""},
                      known && w.fails});
  }
  s.blocks.push_back(t);
  {
    report::Section& plan = doc.addSection(2, "Plan checks");
    const IssueState issue = issueState(p);
    if (issue.plan.empty())
      plan.blocks.push_back(Paragraph{"No two footings overlap or stand closer than " +
                                   num(p.decisions.options.clearGap) +
                                   " mm; every pedestal lies within its footing and carries its column."});
    for (const PlanCheck& c : issue.plan) plan.blocks.push_back(report::Verdict{false, c.message});
    if (!issue.issuable())
      plan.blocks.push_back(Paragraph{std::string("The drawing is issued as ") + kPreliminaryStamp + ": " + issue.reason()});
  }
}

// ---- 4 Schedule rows ----

void addRows(Document& doc, const Project& p) {
  report::Section& chapter = doc.addSection(1, "Schedule rows");
  if (!p.scheduleDesigned) {
    chapter.blocks.push_back(Paragraph{"The schedule has not been designed."});
    return;
  }
  chapter.blocks.push_back(Paragraph{
      "Each row of the schedule: its footings, the footing and load case that govern, the pressures, and each "
      "design step with its formula, the values put in and the clause of IS 456:2000, ending in the row's result."});
  if (p.scheduleStale)
    chapter.blocks.push_back(Paragraph{"The schedule was designed before the latest change of the plan and is out of "
                                       "date; these rows are as it was designed."});
  for (int r = 1; r <= p.DesignGroupCount; ++r) addGroupRowSection(doc, p, r);
  for (const FootingRow& row : p.RectangularRows) addFootingRowSection(doc, p, row);
  for (const FootingRow& row : p.CombinedRows) addFootingRowSection(doc, p, row);
}

// ---- 5 Decisions ----

const FootingRow* footingRowOf(const Project& p, const std::vector<int32_t>& footings) {
  for (const auto* rows : {&p.RectangularRows, &p.CombinedRows})
    for (const FootingRow& row : *rows)
      if (std::equal(row.footings.begin(), row.footings.end(), footings.begin(), footings.end())) return &row;
  return nullptr;
}

// Each kind of decision as a section of its own; false when the engineer made none of that kind.
bool addDisabledDecisions(Document& doc, const Project& p) {
  if (p.decisions.disabled.empty()) return false;
  Table t = twoColumns("Joint", "Required side m");
  for (int16_t s : p.decisions.disabled)
    if (s >= 1 && s <= p.FootingCount) t.rows.push_back({{joint(p, s), num(p.FootingTable[s].ReqSize)}});
  report::Section& s = doc.addSection(2, "Disabled footings");
  s.blocks.push_back(Paragraph{"No footing is designed under these joints."});
  s.blocks.push_back(t);
  return true;
}

bool addCombinedDecisions(Document& doc, const Project& p) {
  const Decisions& d = p.decisions;
  if (d.combined.empty()) return false;
  Table t;
  t.header = {"Mark", "Joints", "Along", "Centre distance m", "L × B m", "Length"};
  for (std::size_t k = 0; k < d.combined.size(); ++k) {
    const CombinedPair& pair = d.combined[k];
    const int n = static_cast<int>(k) + 1;
    std::vector<std::string> cells = {"C" + std::to_string(n), joint(p, pair.first) + " and " + joint(p, pair.second)};
    if (n <= p.CombinedCount) {
      const CombinedFootingRecord& cf = p.CombinedFootingTable[n];
      cells.push_back(cf.CfAxis == 1 ? "X" : "Z");
      cells.push_back(rounded(cf.CfDistance / 1000.0, 3));
      cells.push_back(num(cf.CfLength) + " × " + num(cf.CfWidth));
    } else {
      cells.insert(cells.end(), {"", "", ""});
    }
    cells.push_back(pair.length > 0 ? "chosen: " + num(pair.length) + " m" : "centre distance + 1 m");
    t.rows.push_back({cells});
  }
  doc.addSection(2, "Combined footings").blocks.push_back(t);
  return true;
}

bool addResizedDecisions(Document& doc, const Project& p) {
  if (p.decisions.resized.empty()) return false;
  Table t;
  t.header = {"Mark", "Joint", "Length chosen m", "Width m", "Required side m"};
  for (const ResizedFooting& r : p.decisions.resized) {
    if (r.footing < 1 || r.footing > p.FootingCount) continue;
    const FootingRecord& f = p.FootingTable[r.footing];
    t.rows.push_back({{"R" + std::to_string(f.GroupRank), joint(p, r.footing), num(r.length), num(f.SizeB),
                       num(f.ReqSize)}});
  }
  doc.addSection(2, "Hand-resized footings").blocks.push_back(t);
  return true;
}

bool addGroupDecisions(Document& doc, const Project& p) {
  if (p.decisions.groups.empty()) return false;
  Table t;
  t.header = {"Base size m", "Size m", "Ticked"};
  for (const GroupChoice& g : p.decisions.groups)
    t.rows.push_back({{num(g.baseSize), num(g.size), g.checked ? "yes" : "no"}});
  doc.addSection(2, "Size groups").blocks.push_back(t);
  return true;
}

bool addOffsetDecisions(Document& doc, const Project& p) {
  Table offsets;
  offsets.header = {"Joint", "Offset X mm", "Offset Z mm", "Centre X m", "Centre Z m"};
  for (int s = 1; s <= p.FootingCount; ++s) {
    const ColumnOffset o = p.decisions.offsetOf(s);
    if (o == ColumnOffset{}) continue;
    offsets.rows.push_back({{joint(p, s), std::to_string(o.dx), std::to_string(o.dz),
                             rounded(p.FootingTable[s].PosX / 1000.0, 3), rounded(p.FootingTable[s].PosZ / 1000.0, 3)}});
  }
  if (offsets.rows.empty()) return false;
  doc.addSection(2, "Column offsets").blocks.push_back(offsets);
  return true;
}

// The row an edit applies to (its mark and what identifies it) and the depth that row is designed with.
std::pair<std::string, std::string> editedRow(const Project& p, const ScheduleEdit& e) {
  std::string row, used;
  if (e.isGroupRow()) {
    for (int r = 1; r <= p.DesignGroupCount; ++r)
      if (p.DesignGroupTable[r].GroupBaseSize.value() == e.baseSize.value()) {
        row = "F" + std::to_string(p.DesignGroupTable[r].GroupMark);
        used = num(p.DesignGroupTable[r].TotalDepth);
      }
    row += (row.empty() ? "" : ", ") + std::string("size ") + num(e.baseSize) + " m";
  } else {
    const FootingRow* footingRow = footingRowOf(p, e.footings);
    if (footingRow) {
      row = footingRow->mark();
      used = num(footingRow->TotalDepth);
    }
    std::string joints;
    for (int32_t s : e.footings) joints += (joints.empty() ? "" : " and ") + joint(p, s);
    row += (row.empty() ? "" : ", ") + std::string("joint ") + joints;
  }
  return {row, used};
}

bool addScheduleEditDecisions(Document& doc, const Project& p) {
  if (p.decisions.schedule.empty()) return false;
  Table t;
  // The depth the row is designed with beside the one typed: the design raises a depth that bending,
  // one-way shear or punching does not allow.
  t.header = {"Row", "Pedestal X × Z m", "Depth typed m", "Depth used m", "Bar mm"};
  for (const ScheduleEdit& e : p.decisions.schedule) {
    const auto [row, used] = editedRow(p, e);
    std::string pedestal;
    if (e.pedestalX || e.pedestalZ)
      pedestal = (e.pedestalX ? num(*e.pedestalX) : "as designed") + " × " + (e.pedestalZ ? num(*e.pedestalZ) : "as designed");
    t.rows.push_back({{row, pedestal, e.depth ? num(*e.depth) : "", used,
                       e.barDia ? std::to_string(*e.barDia) : ""}});
  }
  doc.addSection(2, "Schedule edits").blocks.push_back(t);
  return true;
}

void addDecisions(Document& doc, const Project& p) {
  doc.addSection(1, "Engineer's decisions");
  bool any = false;
  for (auto add : {addDisabledDecisions, addCombinedDecisions, addResizedDecisions, addGroupDecisions,
                   addOffsetDecisions, addScheduleEditDecisions})
    any |= add(doc, p);
  if (!any) doc.sections.back().blocks.push_back(Paragraph{"None: every footing as sized and grouped."});
}

// ---- 6 Quantities ----

void addQuantities(Document& doc, const Project& p) {
  report::Section& s = doc.addSection(1, "Quantities");
  const Quantities q = scheduleQuantities(p);
  const double h = p.FoundingDepth;
  s.blocks.push_back(Paragraph{"Per schedule row, for all its footings (a group row counts every footing of the "
                               "group), and in total. Founding depth h = " + rounded(h, 3) + " m."});
  s.blocks.push_back(basis("h", "earth pressure/20 kN/m³", "", "= " + num(p.EarthPressure) + "/20 = " + rounded(h, 3) + " m"));
  s.blocks.push_back(basis("Concrete of a footing", "L × B × D", "", "in m³"));
  s.blocks.push_back(basis("Concrete of a pedestal", "ax × az × (h − D)", "", "in m³, from the footing's top to the founding level"));
  const DesignOptions& o = p.decisions.options;
  s.blocks.push_back(basis("Lean concrete", "t × (L + 2 p) × (B + 2 p)", "",
                           "in m³, the M10 bed under each footing: t = " + num(o.leanThickness) + " mm thick, p = " +
                               num(o.leanProjection) + " mm beyond each edge"));
  s.blocks.push_back(basis("Reinforcement", "Σ bars × cutting length × 0.00617 φ²", "",
                           "in kg, φ in mm (steel of 7850 kg/m³): the row's bars in the bar bending schedule"));
  s.blocks.push_back(basis("Excavation", "(L + 2 × 0.3) × (B + 2 × 0.3) × h", "", "in m³, 0.3 m working space each side"));
  s.blocks.push_back(basis("Formwork", "2 (L + B) × D", "", "in m², the footing's sides"));
  Table t;
  t.header = {"Row", "Footings", "Pedestals", "Footing concrete m³", "Pedestal concrete m³", "Lean concrete m³",
              "Reinforcement kg", "Excavation m³", "Formwork m²"};
  t.align = {Align::Left,  Align::Right, Align::Right, Align::Right, Align::Right,
             Align::Right, Align::Right, Align::Right, Align::Right};
  auto line = [](const RowQuantities& r) {
    return std::vector<std::string>{r.mark, std::to_string(r.footings), std::to_string(r.pedestals),
                                    rounded(r.footingConcrete, 3), rounded(r.pedestalConcrete, 3),
                                    rounded(r.leanConcrete, 3), r.steelKnown ? rounded(r.steel, 1) : "unknown",
                                    rounded(r.excavation, 3), rounded(r.formwork, 2)};
  };
  for (const RowQuantities& r : q.rows) t.rows.push_back({line(r)});
  TableRow total{line(q.total)};
  total.total = true;
  t.rows.push_back(total);
  s.blocks.push_back(t);
}

// ---- Appendix ----

void addPressureAppendix(Document& doc, const Project& p) {
  if (!p.scheduleDesigned) return;
  doc.startAppendices();
  report::Section& a = doc.addSection(1, "Pressures by load case");
  a.blocks.push_back(Paragraph{"Every footing of every schedule row under every load case it carries, as the workbook "
                               "lists them; the body gives the case that governs each."});
  for (int r = 1; r <= p.DesignGroupCount; ++r) addGroupRowPressures(doc, p, r);
  for (const FootingRow& row : p.RectangularRows) addFootingRowPressures(doc, p, row);
  for (const FootingRow& row : p.CombinedRows) addFootingRowPressures(doc, p, row);
}

}  // namespace

report::Document calculationReport(const Project& p, const std::string& date) {
  Document doc;
  doc.title = kTitle;
  doc.subtitle = "Isolated, hand-resized and combined footings to IS 456:2000, limit state method";
  const std::string& project = p.decisions.sheet.project;
  const std::string listing = fileName(p.AnlPath);
  doc.headerLeft = project.empty() ? std::string(kTitle) : project;
  doc.headerRight = listing;
  const SheetSettings& sheet = p.decisions.sheet;
  auto given = [](const std::string& v) { return v.empty() ? std::string("(not given)") : v; };
  doc.cover = {
      {"Project", project.empty() ? "(not named)" : project},
      {"Client", given(sheet.client)},
      {"Prepared by", given(sheet.firm)},
      {"Document number", given(sheet.number)},
      {"Revision", given(sheet.currentRevision())},
      {"Prepared", given(sheet.designedBy)},
      {"Checked", given(sheet.checkedBy)},
      {"Approved", given(sheet.approvedBy)},
      {"Listing", listing},
      {"Listing SHA-256", listingSha256(p)},
      {"Program", std::string("Plintova ") + PLINTOVA_VERSION},
      {"Date", date},
      {"Design code", "IS 456:2000, limit state method"},
      {"Units", "plan sizes and total depths in m; bars, spacings and effective depths in mm; forces in kN; "
                "moments in kN·m; soil pressures in kN/m²; stresses in N/mm²; steel areas in mm²; quantities in "
                "m³, m² and kg"},
  };
  if (p.scheduleDesigned && p.scheduleStale)
    doc.cover.push_back({"Schedule", "out of date: designed before the latest change of the plan"});
  addDesignBasis(doc, p);
  addMethod(doc, p);
  addSummary(doc, p);
  addRows(doc, p);
  addDecisions(doc, p);
  addQuantities(doc, p);
  addBarBendingSchedule(doc, p);
  addPressureAppendix(doc, p);
  return doc;
}

std::string todaysDate() {
  const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm local{};
  localtime_r(&now, &local);
  char text[16];
  std::strftime(text, sizeof text, "%Y-%m-%d", &local);
  return text;
}

ReportFormat reportFormat(const std::string& path) {
  std::string ext = std::filesystem::path(path).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
  if (ext == ".pdf") return ReportFormat::Pdf;
  if (ext == ".md" || ext == ".markdown") return ReportFormat::Markdown;
  return ReportFormat::Unknown;
}

std::string writeReportMarkdown(const Project& p, const std::string& path, const std::string& date) {
  return report::writeMarkdown(calculationReport(p, date), path, projectInputFiles(p.AnlPath));
}

}  // namespace plintova
