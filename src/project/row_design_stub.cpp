// Placeholder row designs until the IS 456 row designs land.
#include "model/project.h"

namespace plintova {

FootingRow designCombinedRow(const Project& p, int n, const RowEdit& edit) {
  FootingRow row;
  row.kind = FootingRow::Kind::Combined;
  row.footings = {p.CombinedFootingTable[n].CfMembers[1], p.CombinedFootingTable[n].CfMembers[2]};
  row.number = n;
  row.L = p.CombinedFootingTable[n].CfLength;
  row.B = p.CombinedFootingTable[n].CfWidth;
  row.BarDia = edit.barDia.value_or(0);
  return row;
}

}  // namespace plintova
