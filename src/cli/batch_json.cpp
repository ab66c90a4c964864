// The batch tool's JSON output of a run: the summary, the footings and groups, the schedule rows with their
// checks, and the plan's checks.
#include "cli/batch_json.h"

#include <algorithm>
#include <string>
#include <vector>

#include "cli/bars_json.h"
#include "cli/cases_json.h"
#include "design/schedule.h"
#include "model/numbers.h"

namespace plintova::cli {

namespace {

// A footing's kind as the model's JSON has always given it: 0 isolated, n a member of combined footing
// n, -1 hand-resized, -100 disabled.
int footingCode(const FootingRecord& f) {
  switch (f.Kind) {
    case FootingKind::Isolated: return 0;
    case FootingKind::Combined: return f.CombinedNo;
    case FootingKind::HandResized: return -1;
    case FootingKind::Disabled: return -100;
  }
  return 0;
}

}  // namespace

void writeSummaryJson(JsonWriter& j, const Project& p) {
  j.key("supportCount");
  j.integer(p.supportCount());
  j.key("loadCases");
  j.integer(p.supportCount() > 0 ? p.lastCasePosition(p.supportCount()) + 1 : 0);
  j.key("fck");
  j.integer(p.Fck);
  j.key("fe");
  j.integer(p.Fe);
  writeCasesJson(j, p);
}

void writeModelJson(JsonWriter& j, const Project& p) {
  j.key("sbc");
  j.number(p.CaseSbc[0]);
  j.key("earthPressure");
  j.number(p.EarthPressure);
  j.key("footings");
  j.beginArray();
  for (int s = 1; s <= p.FootingCount; ++s) {
    const FootingRecord& f = p.FootingTable[s];
    j.beginObject();
    j.key("JointNo"); j.integer(f.JointNo);
    j.key("PosX"); j.integer(f.PosX);
    j.key("PosZ"); j.integer(f.PosZ);
    j.key("ReqSize"); j.number(f.ReqSize);
    j.key("NoTension"); j.boolean(f.NoTension);
    j.key("UpliftGoverns"); j.boolean(f.UpliftGoverns);
    j.key("ColumnMember"); j.integer(f.ColumnMember);
    j.key("GroupNo"); j.integer(f.GroupNo);
    j.key("GroupRank"); j.integer(f.GroupRank);
    j.key("SizeL"); j.number(f.SizeL);
    j.key("SizeB"); j.number(f.SizeB);
    j.key("CombNo"); j.integer(footingCode(f));
    j.endObject();
  }
  j.endArray();
  for (int axis = 0; axis < 2; ++axis) {
    const auto& g = axis == 0 ? p.GridLineX : p.GridLineZ;
    j.key(axis == 0 ? "gridX" : "gridZ");
    j.beginArray();
    for (int k = 1; k <= g[0]; ++k) j.integer(g[k]);
    j.endArray();
  }
  j.key("groups");
  j.beginArray();
  for (int g = 1; g <= p.SizeGroupCount; ++g) {
    const SizeGroupRecord& r = p.SizeGroupTable[g];
    j.beginObject();
    j.key("GroupSize"); j.number(r.GroupSize);
    j.key("PedestalSize"); j.number(r.Pedestal.x);  // a size group's pedestal is square
    j.key("MemberCount"); j.integer(r.MemberCount);
    j.key("GroupMark"); j.integer(r.GroupMark);
    j.endObject();
  }
  j.endArray();
  // Combined footing n is entry n: its two columns by joint, and its design as the model holds it.
  j.key("combined");
  j.beginArray();
  for (int n = 1; n <= p.CombinedCount; ++n) {
    const CombinedFootingRecord& cf = p.CombinedFootingTable[n];
    j.beginObject();
    j.key("joints");
    j.beginArray();
    for (int k = 1; k <= cf.CfMemberCount && k < static_cast<int>(cf.CfMembers.size()); ++k)
      j.integer(p.FootingTable[cf.CfMembers[k]].JointNo);
    j.endArray();
    j.key("CfAxis"); j.integer(cf.CfAxis);
    j.key("CfLength"); j.number(cf.CfLength);
    j.key("CfWidth"); j.number(cf.CfWidth);
    j.key("Cant1"); j.number(cf.Cant1);
    j.key("Cant2"); j.number(cf.Cant2);
    j.endObject();
  }
  j.endArray();
}

namespace {

// The IS 456 checks of a row: every number as the engineer sees it, `ok` exactly when demand <= capacity.
void writeChecksJson(JsonWriter& j, const std::vector<CodeCheck>& checks) {
  j.key("checks");
  j.beginArray();
  for (const CodeCheck& c : checks) {
    j.beginObject();
    j.key("name"); j.text(c.name);
    j.key("demand"); j.number(c.demand);
    j.key("capacity"); j.number(c.capacity);
    j.key("unit"); j.text(c.unit);
    j.key("clause"); j.text(c.clause);
    j.key("ok"); j.boolean(c.ok);
    j.endObject();
  }
  j.endArray();
}

void writeSteelJson(JsonWriter& j, const char* key, const std::vector<SteelLayer>& layers) {
  j.key(key);
  j.beginArray();
  for (const SteelLayer& layer : layers) {
    j.beginObject();
    j.key("where"); j.text(layer.where);
    j.key("Ast"); j.number(layer.Ast);
    j.key("Dia"); j.integer(layer.dia);
    j.key("Space"); j.integer(layer.spacing);
    j.key("Rods"); j.integer(layer.bars);
    j.key("bent"); j.boolean(layer.bent);
    j.endObject();
  }
  j.endArray();
}

}  // namespace

// The plan's checks and whether the drawing may be issued for construction.
void writePlanChecksJson(JsonWriter& j, const IssueState& issue) {
  j.key("planChecks");
  j.beginArray();
  for (const PlanCheck& c : issue.plan) {
    j.beginObject();
    j.key("kind"); j.text(c.kind);
    j.key("joints");
    j.beginArray();
    for (int joint : c.joints) j.integer(joint);
    j.endArray();
    j.key("value"); j.number(c.value);
    j.key("limit"); j.number(c.limit);
    j.key("message"); j.text(c.message);
    j.endObject();
  }
  j.endArray();
  j.key("issuable"); j.boolean(issue.issuable());
}

// The schedule rows from their values (the numbers the window shows are the same values as text).
void writeScheduleJson(JsonWriter& j, const Project& p) {
  j.key("schedule");
  j.beginArray();
  for (int r = 1; r <= p.DesignGroupCount; ++r) {
    const SizeGroupRecord& row = p.DesignGroupTable[r];
    const DesignQuantities& x = row.design;
    j.beginObject();
    j.key("mark"); j.text(scheduleRowTexts(p, r)[kColMark]);
    j.key("NOs"); j.integer(row.MemberCount);
    j.key("Size"); j.number(row.GroupSize);
    j.key("Depth"); j.number(row.TotalDepth);
    j.key("pedestalX"); j.number(row.Pedestal.x);
    j.key("pedestalZ"); j.number(row.Pedestal.z);
    j.key("NetP"); j.number(row.NetPressure);
    j.key("CantL"); j.number(x.c);
    j.key("Mu"); j.number(x.Mu);
    j.key("MuBdd"); j.number(x.k);
    j.key("Pt"); j.number(x.pt);
    j.key("Ast"); j.number(x.Ast);
    j.key("Dia"); j.integer(row.BarDia);
    // A spacing or bar count that cannot be computed is null.
    j.key("Space"); x.barsKnown ? j.integer(x.s) : j.null();
    j.key("Rods"); x.barsKnown ? j.integer(x.n) : j.null();
    j.key("SF1"); j.number(x.V1);
    j.key("SS1"); j.number(x.tv1);
    j.key("PS1"); j.number(x.tc);
    j.key("SF2"); j.number(x.V2);
    j.key("SS2"); j.number(x.tv2);
    j.key("PS2"); j.number(x.tp);
    j.key("dOuter"); j.number(x.dOuter);
    j.key("dInner"); j.number(x.dInner);
    j.key("bent"); j.boolean(x.bent);
    j.key("GovFooting"); j.integer(row.GovFooting);
    j.key("GovCase"); j.integer(row.GovCase);
    j.key("kind"); j.text("group");
    if (!row.topSteel.empty()) writeSteelJson(j, "topSteel", row.topSteel);
    if (row.pedestal.sides.known()) writePedestalsJson(j, {row.pedestal});
    writeChecksJson(j, row.checks);
    j.endObject();
  }
  // The rows of the hand-resized and combined footings, below the group rows.
  for (const std::vector<FootingRow>* rows : {&p.RectangularRows, &p.CombinedRows}) {
    for (const FootingRow& row : *rows) {
      j.beginObject();
      j.key("mark"); j.text(row.mark());
      j.key("kind"); j.text(row.kind == FootingRow::Kind::Rectangular ? "rectangular" : "combined");
      j.key("joints");
      j.beginArray();
      for (int s : row.footings) j.integer(p.FootingTable[s].JointNo);
      j.endArray();
      j.key("NOs"); j.integer(1);
      j.key("L"); j.number(row.L);
      j.key("B"); j.number(row.B);
      j.key("Depth"); j.number(row.TotalDepth);
      j.key("pedestalX"); j.number(row.Pedestal.x);
      j.key("pedestalZ"); j.number(row.Pedestal.z);
      j.key("NetP"); j.number(row.NetPressure);
      writeSteelJson(j, "steel", row.steel);
      writePedestalsJson(j, row.pedestals);
      j.key("GovFooting"); j.integer(row.GovFooting);
      j.key("GovCase"); j.integer(row.GovCase);
      writeChecksJson(j, row.checks);
      j.endObject();
    }
  }
  j.endArray();
}

}  // namespace plintova::cli
