// The batch tool's results on standard output: the readable tables, or the JSON of the whole run.
#include "cli/batch_print.h"

#include <algorithm>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

#include "cli/bars_json.h"
#include "cli/batch_json.h"
#include "design/pedestal_design.h"
#include "design/pedestals.h"
#include "design/schedule.h"
#include "model/numbers.h"

namespace plintova::cli {

namespace {

std::string mainCaption(const Project& p) {
  return "Fck  " + numberText(p.Fck) + " Fy  " + numberText(p.Fe) + "   SBC  " + numberText(p.CaseSbc[0]) +
         " Earth Pressure : " + numberText(p.EarthPressure);
}

std::string markOf(const FootingRecord& f) {
  if (f.Kind == FootingKind::Isolated) return "F" + std::to_string(f.GroupRank);
  if (f.Kind == FootingKind::HandResized) return "R" + std::to_string(f.GroupRank);
  if (f.Kind == FootingKind::Disabled) return "D";
  return "C" + std::to_string(f.CombinedNo);
}

void printTable(const std::vector<std::vector<std::string>>& rows) {
  std::vector<size_t> width;
  for (const auto& r : rows)
    for (size_t c = 0; c < r.size(); ++c) {
      if (width.size() <= c) width.push_back(0);
      width[c] = std::max(width[c], r[c].size());
    }
  for (const auto& r : rows) {
    std::string line;
    for (size_t c = 0; c < r.size(); ++c) {
      std::string cell = r[c];
      cell.insert(0, width[c] - cell.size(), ' ');
      line += (c ? "  " : "") + cell;
    }
    std::printf("%s\n", line.c_str());
  }
}

// "bearing at joint 5, load case 2: 231.4 against 200 kN/m2 (IS 456 cl. 34.1 ...)".
std::string failedCheckText(const CodeCheck& c) {
  return c.name + ": " + numberText(c.demand) + " against " + numberText(c.capacity) + " " + c.unit + " (" + c.clause +
         ")";
}

// The detail lines of one schedule row under its mark: every layer of bars, every pedestal with its ties and
// dowels, every failed check.
void addDetails(std::vector<std::string>& out, const std::string& mark, const std::vector<SteelLayer>& layers,
                std::span<const PedestalSteel> pedestals, const std::vector<CodeCheck>& checks) {
  for (const SteelLayer& layer : layers)
    out.push_back(mark + "  " + layer.where + ": " + barsText(layer) + ", " + std::to_string(layer.bars) + " bars");
  for (const PedestalSteel& ps : pedestals) out.push_back(mark + "  " + pedestalText(ps));
  for (const CodeCheck& c : checks)
    if (!c.ok) out.push_back(mark + "  fails " + failedCheckText(c));
}

void printReadable(const Project& p) {
  std::printf("\n%s\n\nFootings\n", mainCaption(p).c_str());
  std::vector<std::vector<std::string>> rows{{"No", "Joint", "X", "Z", "Required", "L", "B", "Mark", "Governs"}};
  for (int s = 1; s <= p.FootingCount; ++s) {
    const FootingRecord& f = p.FootingTable[s];
    rows.push_back({std::to_string(s), std::to_string(f.JointNo), std::to_string(f.PosX), std::to_string(f.PosZ),
                    numberText(f.ReqSize), numberText(f.SizeL), numberText(f.SizeB), markOf(f),
                    f.UpliftGoverns ? "uplift" : f.NoTension ? "no tension" : "pressure"});
  }
  printTable(rows);
  std::printf("\nSize groups\n");
  rows = {{"Group", "Size", "Pedestal", "Footings", "Mark"}};
  for (int g = 1; g <= p.SizeGroupCount; ++g) {
    const SizeGroupRecord& r = p.SizeGroupTable[g];
    rows.push_back({std::to_string(g), numberText(r.GroupSize), pedestalText(r.Pedestal),
                    std::to_string(r.MemberCount), r.GroupMark ? "F" + std::to_string(r.GroupMark) : ""});
  }
  printTable(rows);
  if (p.CombinedCount > 0) {
    std::printf("\nCombined footings\n");
    rows = {{"No", "Joints", "Axis", "L", "B", "Cant1", "Cant2"}};
    for (int n = 1; n <= p.CombinedCount; ++n) {
      const CombinedFootingRecord& cf = p.CombinedFootingTable[n];
      rows.push_back({"C" + std::to_string(n),
                      std::to_string(p.FootingTable[cf.CfMembers[1]].JointNo) + " " +
                          std::to_string(p.FootingTable[cf.CfMembers[2]].JointNo),
                      cf.CfAxis == 1 ? "X" : "Z", numberText(cf.CfLength), numberText(cf.CfWidth),
                      numberText(cf.Cant1), numberText(cf.Cant2)});
    }
    printTable(rows);
  }
  std::printf("\nFooting schedule\n");
  rows.clear();
  rows.emplace_back(scheduleHeaders().begin(), scheduleHeaders().end());
  for (int r = 1; r <= p.DesignGroupCount; ++r) {
    const auto t = scheduleRowTexts(p, r);
    rows.emplace_back(t.begin(), t.end());
  }
  printTable(rows);
  // Top steel of lifted groups and every failed check of a group row, one line each.
  std::vector<std::string> groupDetails;
  for (int r = 1; r <= p.DesignGroupCount; ++r) {
    const SizeGroupRecord& row = p.DesignGroupTable[r];
    addDetails(groupDetails, scheduleRowTexts(p, r)[kColMark], row.topSteel,
               row.pedestal.sides.known() ? std::span(&row.pedestal, 1) : std::span<const PedestalSteel>(),
               row.checks);
  }
  if (!groupDetails.empty()) std::printf("\n");
  for (const std::string& line : groupDetails) std::printf("%s\n", line.c_str());
  if (p.RectangularRows.empty() && p.CombinedRows.empty()) return;
  // Hand-resized and combined footings: one line each, then every layer of bars and every failed check.
  std::printf("\nHand-resized and combined footings\n");
  rows = {{"Mark", "Joints", "L", "B", "Depth", "Pedestal", "NetP", "Dia", "Checks"}};
  std::vector<std::string> details;
  for (const auto* list : {&p.RectangularRows, &p.CombinedRows})
    for (const FootingRow& row : *list) {
      const auto t = footingRowTexts(p, row);
      rows.push_back({t[kColMark], t[kColNos], numberText(row.L), numberText(row.B), t[kColDepth], t[kColPedestal],
                      t[kColNetP], t[kColDia], t[kColSF1]});
      addDetails(details, t[kColMark], row.steel, row.pedestals, row.checks);
    }
  printTable(rows);
  std::printf("\n");
  for (const std::string& line : details) std::printf("%s\n", line.c_str());
}

}  // namespace

void printResults(const BatchOptions& o, const Project& p, const ListingSummary& summary, const IssueState& issue,
                  bool designed, const CliPrompter& prompter) {
  if (o.json) {
    JsonWriter j;
    j.beginObject();
    writeSummaryJson(j, p);
    if (designed) writeModelJson(j, p);
    j.key("messages");
    j.beginArray();
    for (const auto& m : prompter.messages()) j.text(m);
    j.endArray();
    if (designed) {
      writeScheduleJson(j, p);
      writeBarBendingJson(j, p);
      writeQuantitiesJson(j, p);
      writePlanChecksJson(j, issue);
    }
    j.endObject();
    std::printf("%s\n", j.str().c_str());
  } else {
    std::printf("%s\n%s\n%s\n", summary.supportsCaption.c_str(), summary.loadCasesCaption.c_str(),
                summary.gradesCaption.c_str());
    if (!summary.unitsCaption.empty()) std::printf("%s\n", summary.unitsCaption.c_str());
    if (designed) printReadable(p);
    for (const PlanCheck& c : issue.plan) std::printf("Plan check: %s\n", c.message.c_str());
  }
}

}  // namespace plintova::cli
