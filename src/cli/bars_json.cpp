// JSON of the pedestals of a schedule row, the bar bending schedule and the quantities.
#include "cli/bars_json.h"

#include "design/bar_bending.h"
#include "design/quantities.h"
#include "model/numbers.h"

namespace plintova::cli {

namespace {

void writeLayer(JsonWriter& j, const char* key, const SteelLayer& l) {
  j.key(key);
  j.beginObject();
  j.key("Ast"); j.number(l.Ast);
  j.key("Dia"); j.integer(l.dia);
  j.key("Space"); j.integer(l.spacing);
  j.key("Rods"); j.integer(l.bars);
  j.endObject();
}

void writeRowQuantities(JsonWriter& j, const RowQuantities& q) {
  j.beginObject();
  j.key("mark"); j.text(q.mark);
  j.key("footings"); j.integer(q.footings);
  j.key("pedestals"); j.integer(q.pedestals);
  j.key("footingConcrete"); j.number(roundTo(q.footingConcrete, 3));
  j.key("pedestalConcrete"); j.number(roundTo(q.pedestalConcrete, 3));
  j.key("leanConcrete"); j.number(roundTo(q.leanConcrete, 3));
  j.key("steel");
  if (q.steelKnown) j.number(roundTo(q.steel, 1));
  else j.null();
  j.key("excavation"); j.number(roundTo(q.excavation, 3));
  j.key("formwork"); j.number(roundTo(q.formwork, 2));
  j.endObject();
}

}  // namespace

void writePedestalsJson(JsonWriter& j, const std::vector<PedestalSteel>& pedestals) {
  j.key("pedestals");
  j.beginArray();
  for (const PedestalSteel& ps : pedestals) {
    j.beginObject();
    j.key("where"); j.text(ps.where);
    j.key("sideX"); j.number(ps.sides.x);
    j.key("sideZ"); j.number(ps.sides.z);
    j.key("height"); j.number(ps.height);
    j.key("Pu"); j.number(roundTo(ps.Pu, 1));
    j.key("columnKnown"); j.boolean(ps.columnKnown);
    if (ps.vertical.bars > 0) {
      writeLayer(j, "vertical", ps.vertical);
      j.key("verticalSpaceX"); j.integer(ps.spacingAlongX);
      j.key("verticalSpaceZ"); j.integer(ps.spacingAlongZ);
    }
    if (ps.ties.bars > 0) {
      writeLayer(j, "ties", ps.ties);
      j.key("crossTies"); j.integer(ps.crossTies());
      j.key("crossTiesAlongX"); j.integer(ps.crossTiesAlongX);
      j.key("crossTiesAlongZ"); j.integer(ps.crossTiesAlongZ);
    }
    writeLayer(j, "dowels", ps.dowels);
    j.key("dowelEmbedment"); j.number(ps.dowelEmbedment);
    j.key("dowelLap"); j.number(ps.dowelLap);
    j.endObject();
  }
  j.endArray();
}

void writeBarBendingJson(JsonWriter& j, const Project& p) {
  const BarBendingSchedule bbs = barBendingSchedule(p);
  j.key("barBendingSchedule");
  j.beginObject();
  j.key("bendRadius"); j.number(bbs.bendRadius);
  j.key("bars");
  j.beginArray();
  for (const BarMark& m : bbs.bars) {
    j.beginObject();
    j.key("mark"); j.text(m.mark);
    j.key("row"); j.text(m.row);
    j.key("member"); j.text(m.member);
    j.key("where"); j.text(m.where);
    j.key("Dia"); j.integer(m.dia);
    j.key("shape"); j.text(shapeCode(m.shape));
    j.key("dims");
    j.beginArray();
    for (double d : m.dims) j.number(d);
    j.endArray();
    j.key("perFooting"); j.integer(m.perFooting);
    j.key("footings"); j.integer(m.footings);
    j.key("cutLength"); j.number(m.cutLength);
    j.key("totalLength"); j.number(roundTo(m.totalLength(), 2));
    j.key("weight"); j.number(roundTo(m.weight(), 1));
    j.endObject();
  }
  j.endArray();
  j.key("byDiameter");
  j.beginArray();
  for (const DiameterTotal& t : bbs.byDiameter) {
    j.beginObject();
    j.key("Dia"); j.integer(t.dia);
    j.key("length"); j.number(roundTo(t.length, 2));
    j.key("weight"); j.number(roundTo(t.weight, 1));
    j.endObject();
  }
  j.endArray();
  j.key("weight"); j.number(roundTo(bbs.weight, 1));
  j.endObject();
}

void writeQuantitiesJson(JsonWriter& j, const Project& p) {
  const Quantities q = scheduleQuantities(p);
  j.key("quantities");
  j.beginObject();
  j.key("rows");
  j.beginArray();
  for (const RowQuantities& r : q.rows) writeRowQuantities(j, r);
  j.endArray();
  j.key("total");
  writeRowQuantities(j, q.total);
  j.endObject();
}

}  // namespace plintova::cli
