// Column headers and row texts of the footing schedule, shared by the schedule window and the batch tool.
#include "design/schedule.h"

#include <algorithm>
#include <vector>

#include "design/pedestals.h"
#include "model/numbers.h"

namespace plintova {

const std::array<std::string, kScheduleColumns>& scheduleHeaders() {
  static const std::array<std::string, kScheduleColumns> headers = {
      "GRP", "NO's", "Size", "Depth", "Peda", "NetP", "CantL", "Mu",   "Mu/Bdd", "Pt",
      "Ast", "Dia",  "Space", "Rods", "1-SF", "1-SS", "1-PS",  "2-SF", "2-SS",   "2-PS"};
  return headers;
}

std::array<std::string, kScheduleColumns> scheduleRowTexts(const Project& p, int r) {
  std::array<std::string, kScheduleColumns> t;
  if (r < 1 || r > p.DesignGroupCount) return t;
  const SizeGroupRecord& row = p.DesignGroupTable[r];
  const DesignQuantities& x = row.design;
  t[kColMark] = "F" + std::to_string(row.GroupMark);  // the mark its footings show on the plan
  t[kColNos] = std::to_string(row.MemberCount);
  t[kColSize] = numberText(row.GroupSize);
  t[kColDepth] = numberText(row.TotalDepth);
  t[kColPedestal] = pedestalText(row.Pedestal);
  t[kColNetP] = numberText(row.NetPressure);
  t[kColCantilever] = numberText(x.c);
  t[kColMu] = numberText(x.Mu);
  t[kColMuBdd] = numberText(x.k);
  t[kColPt] = numberText(x.pt);
  t[kColAst] = numberText(x.Ast);
  t[kColDia] = std::to_string(row.BarDia);
  t[kColSpace] = x.barsKnown ? std::to_string(x.s) : std::string();
  t[kColRods] = x.barsKnown ? std::to_string(x.n) : std::string();
  t[kColSF1] = numberText(x.V1);
  t[kColSS1] = numberText(x.tv1);
  t[kColPS1] = numberText(x.tc);
  t[kColSF2] = numberText(x.V2);
  t[kColSS2] = numberText(x.tv2);
  t[kColPS2] = numberText(x.tp);
  return t;
}

std::string barsText(const SteelLayer& layer) {
  return std::to_string(layer.dia) + " \u00d8 @ " + std::to_string(layer.spacing);
}

std::string compactSteelText(const FootingRow& row) {
  // The layer's place in a few letters: "bottom along" is the usual case and goes, the direction stays.
  auto shortWhere = [](std::string w) {
    auto replace = [&w](const std::string& from, const std::string& to) {
      if (const auto at = w.find(from); at != std::string::npos) w.replace(at, from.size(), to);
    };
    replace("bottom along ", "");
    replace("top along ", "top ");
    replace(", central band", " band");
    replace(", outer strips", " out");
    replace(", elsewhere", " else");
    replace(" under joint ", " at ");
    return w;
  };
  std::string text;
  for (const SteelLayer& layer : row.steel)
    text += (text.empty() ? "" : " \u00b7 ") + shortWhere(layer.where) + " " + std::to_string(layer.dia) + "\u00d8@" +
            std::to_string(layer.spacing);
  return text;
}

std::string checksSummary(const std::vector<CodeCheck>& checks) {
  std::string failed;
  for (const CodeCheck& c : checks)
    if (!c.ok) failed += (failed.empty() ? "" : ", ") + c.name;
  return failed.empty() ? "OK" : "fails: " + failed;
}

std::array<std::string, kScheduleColumns> footingRowTexts(const Project& p, const FootingRow& row) {
  std::array<std::string, kScheduleColumns> t;
  t[kColMark] = row.mark();
  for (int s : row.footings)
    t[kColNos] += (t[kColNos].empty() ? "" : ", ") + (s >= 1 && s <= p.FootingCount ? numberText(p.FootingTable[s].JointNo) : std::string("?"));
  t[kColSize] = numberText(row.L) + " X " + numberText(row.B);
  t[kColDepth] = numberText(row.TotalDepth);
  t[kColPedestal] = pedestalText(row.Pedestal);
  t[kColNetP] = numberText(row.NetPressure);
  for (const SteelLayer& layer : row.steel)
    t[kColCantilever] += (t[kColCantilever].empty() ? "" : "; ") + layer.where + " " + barsText(layer);
  // The engineer's diameter, or each diameter the design chose, smallest first ("10/12").
  if (row.BarDia > 0) {
    t[kColDia] = std::to_string(row.BarDia);
  } else {
    std::vector<int> dias;
    for (const SteelLayer& layer : row.steel)
      if (std::find(dias.begin(), dias.end(), layer.dia) == dias.end()) dias.push_back(layer.dia);
    std::sort(dias.begin(), dias.end());
    for (int d : dias) t[kColDia] += (t[kColDia].empty() ? "" : "/") + std::to_string(d);
  }
  t[kColSF1] = checksSummary(row.checks);
  return t;
}

}  // namespace plintova
