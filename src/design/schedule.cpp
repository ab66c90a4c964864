// Column headers and row texts of the footing schedule, shared by the schedule window and the batch tool.
#include "design/schedule.h"

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
  t[kColPedestal] = numberText(row.PedestalSize);
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

}  // namespace plintova
