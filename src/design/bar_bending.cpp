// The bar bending schedule of the designed footings: bar marks, shapes, cutting lengths and weights.
#include "design/bar_bending.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>

#include "design/quantities.h"
#include "model/numbers.h"

namespace plintova {

namespace {

constexpr double kFootOnMat = 12;      // dia: the foot a vertical bar or dowel stands on
constexpr double kBendExtension = 4;   // dia: the straight end of a standard 90 degree bend
constexpr double kHookExtension = 10;  // dia: the straight end of a 135 degree hook
constexpr double kLeastHookExtension = 75;  // mm

// The marks of one schedule row, numbered in turn.
struct RowMarks {
  BarBendingSchedule& schedule;
  const Project& p;
  std::string row;
  int footings = 0;
  int next = 1;

  void add(const std::string& member, const std::string& where, int dia, BarShape shape, std::vector<double> dims,
           int perFooting) {
    if (perFooting <= 0 || dia <= 0 || footings <= 0) return;
    BarMark m;
    m.mark = row + "-" + std::to_string(next++);
    m.row = row;
    m.member = member;
    m.where = where;
    m.dia = dia;
    m.shape = shape;
    for (double& d : dims) d = roundTo(std::max(d, 0.0), 0);
    m.dims = std::move(dims);
    m.perFooting = perFooting;
    m.footings = footings;
    m.cutLength = cutLength(shape, m.dims, dia, schedule.bendRadius);
    schedule.bars.push_back(std::move(m));
  }

  // Bars of a footing layer along a side `run` m long: straight, or bent up (top bars down) at both ends.
  void footingBars(const std::string& where, int dia, bool bent, double run, int perFooting) {
    const double A = run * 1000 - 2 * p.decisions.options.cover;
    const double leg = (schedule.bendRadius + 1 + kBendExtension) * dia;  // r + dia + 4 dia, outside
    if (bent) add("footing", where, dia, BarShape::U, {A, leg, leg}, perFooting);
    else add("footing", where, dia, BarShape::Straight, {A}, perFooting);
  }

  void pedestal(const PedestalSteel& ps) {
    const DesignOptions& o = p.decisions.options;
    const double height = ps.height * 1000.0, inFooting = ps.footingDepth - o.cover - ps.mat;
    if (ps.vertical.bars > 0) {
      const int dia = ps.vertical.dia;
      add(ps.where, "vertical bars", dia, BarShape::L, {height - o.pedestalCover + inFooting, kFootOnMat * dia},
          ps.vertical.bars);
    }
    const double acrossX = ps.sides.x * 1000.0 - 2 * o.pedestalCover, acrossZ = ps.sides.z * 1000.0 - 2 * o.pedestalCover;
    if (ps.ties.bars > 0) {
      add(ps.where, "ties", ps.ties.dia, BarShape::Link, {acrossX, acrossZ}, ps.ties.bars);
      if (ps.sides.x.value() == ps.sides.z.value()) {
        add(ps.where, "cross ties", ps.ties.dia, BarShape::CrossTie, {acrossX}, ps.crossTies() * ps.ties.bars);
      } else {
        add(ps.where, "cross ties along X", ps.ties.dia, BarShape::CrossTie, {acrossX}, ps.crossTiesAlongX * ps.ties.bars);
        add(ps.where, "cross ties along Z", ps.ties.dia, BarShape::CrossTie, {acrossZ}, ps.crossTiesAlongZ * ps.ties.bars);
      }
    }
    const int dia = ps.dowels.dia;
    add(ps.where, "dowels", dia, BarShape::L, {ps.dowelEmbedment + height + ps.dowelLap, kFootOnMat * dia},
        ps.dowels.bars);
  }
};

void addGroupRow(BarBendingSchedule& bbs, const Project& p, const SizeGroupRecord& row) {
  RowMarks marks{bbs, p, "F" + std::to_string(row.GroupMark), std::max<int>(row.MemberCount, 0)};
  const double B = row.GroupSize;
  // Two layers of n bars, one each way, alike in length and shape.
  if (row.design.barsKnown)
    marks.footingBars("bottom each way", row.BarDia, row.design.bent, B, 2 * row.design.n);
  for (const SteelLayer& l : row.topSteel) marks.footingBars(l.where, l.dia, l.bent, B, 2 * l.bars);
  marks.pedestal(row.pedestal);
}

void addFootingRow(BarBendingSchedule& bbs, const Project& p, const FootingRow& row) {
  RowMarks marks{bbs, p, row.mark(), 1};
  for (const SteelLayer& l : row.steel) {
    // "... along B ..." runs along B, anything else along L.
    const double run = l.where.find("along B") != std::string::npos ? row.B : row.L;
    marks.footingBars(l.where, l.dia, l.bent, run, l.bars);
  }
  for (const PedestalSteel& ps : row.pedestals) marks.pedestal(ps);
}

}  // namespace

const char* shapeCode(BarShape s) {
  switch (s) {
    case BarShape::Straight: return "S";
    case BarShape::L: return "L";
    case BarShape::U: return "U";
    case BarShape::Link: return "LK";
    case BarShape::CrossTie: return "CT";
  }
  return "";
}

const char* shapeName(BarShape s) {
  switch (s) {
    case BarShape::Straight: return "straight";
    case BarShape::L: return "L";
    case BarShape::U: return "U";
    case BarShape::Link: return "link";
    case BarShape::CrossTie: return "cross tie";
  }
  return "";
}

double BarMark::totalLength() const { return count() * cutLength / 1000; }
double BarMark::weight() const { return totalLength() * barMassPerMetre(dia); }

double BarBendingSchedule::rowWeight(const std::string& r) const {
  double w = 0;
  for (const BarMark& m : bars)
    if (m.row == r) w += m.weight();
  return w;
}

double bendDeduction(double dia, double radius) {
  const double r = radius * dia;
  return 2 * (r + dia) - std::numbers::pi * (r + dia / 2) / 2;
}

double hookLength(double dia, double radius) {
  const double r = radius * dia;
  return 3 * std::numbers::pi * (r + dia / 2) / 4 + std::max(kHookExtension * dia, kLeastHookExtension);
}

double cutLength(BarShape shape, const std::vector<double>& dims, double dia, double radius) {
  auto dim = [&](std::size_t k) { return k < dims.size() ? dims[k] : 0.0; };
  const double bend = bendDeduction(dia, radius), corner = 2 * (radius * dia + dia);
  double length = 0;
  switch (shape) {
    case BarShape::Straight: length = dim(0); break;
    case BarShape::L: length = dim(0) + dim(1) - bend; break;
    case BarShape::U: length = dim(0) + dim(1) + (dims.size() > 2 ? dim(2) : dim(1)) - 2 * bend; break;
    case BarShape::Link: length = 2 * (dim(0) + dim(1)) - 3 * bend - corner + 2 * hookLength(dia, radius); break;
    case BarShape::CrossTie: length = dim(0) - corner + 2 * hookLength(dia, radius); break;
  }
  return roundTo(std::max(length, 0.0), 0);
}

BarBendingSchedule barBendingSchedule(const Project& p) {
  BarBendingSchedule bbs;
  bbs.bendRadius = p.decisions.options.bendRadius;
  for (int r = 1; r <= p.DesignGroupCount; ++r) addGroupRow(bbs, p, p.DesignGroupTable[r]);
  for (const FootingRow& row : p.RectangularRows) addFootingRow(bbs, p, row);
  for (const FootingRow& row : p.CombinedRows) addFootingRow(bbs, p, row);
  std::map<int, DiameterTotal> byDia;
  for (const BarMark& m : bbs.bars) {
    DiameterTotal& t = byDia[m.dia];
    t.dia = m.dia;
    t.length += m.totalLength();
    t.weight += m.weight();
    bbs.weight += m.weight();
  }
  for (const auto& [dia, total] : byDia) bbs.byDiameter.push_back(total);
  return bbs;
}

Sheet barBendingSheet(const Project& p) {
  Sheet sheet;
  sheet.name = "Bar bending schedule";
  const BarBendingSchedule bbs = barBendingSchedule(p);
  int line = 1;
  auto headings = [&](const std::vector<std::string>& texts) {
    for (std::size_t k = 0; k < texts.size(); ++k)
      sheet.at(line, static_cast<int>(k) + 1) = Cell::textCell(texts[k], Cell::Heading);
  };
  headings({"Bar mark", "Member", "Bars", "Dia mm", "Shape", "Code", "A mm", "B mm", "C mm", "No. per footing",
            "Footings", "No. in all", "Cut length mm", "Total length m", "Weight kg"});
  sheet.frozenRows = 1;
  for (const BarMark& m : bbs.bars) {
    ++line;
    std::vector<Cell> cells = {Cell::textCell(m.mark), Cell::textCell(m.row + " " + m.member), Cell::textCell(m.where),
                               Cell::numberCell(m.dia), Cell::textCell(shapeName(m.shape)),
                               Cell::textCell(shapeCode(m.shape))};
    for (std::size_t k = 0; k < 3; ++k) cells.push_back(k < m.dims.size() ? Cell::numberCell(m.dims[k]) : Cell{});
    for (double v : {static_cast<double>(m.perFooting), static_cast<double>(m.footings), static_cast<double>(m.count()),
                     m.cutLength, roundTo(m.totalLength(), 2), roundTo(m.weight(), 1)})
      cells.push_back(Cell::numberCell(v));
    for (std::size_t k = 0; k < cells.size(); ++k)
      if (cells[k].kind != Cell::Empty) sheet.at(line, static_cast<int>(k) + 1) = cells[k];
  }
  line += 2;
  headings({"Dia mm", "Total length m", "Weight kg"});
  for (const DiameterTotal& t : bbs.byDiameter) {
    ++line;
    sheet.at(line, 1) = Cell::numberCell(t.dia);
    sheet.at(line, 2) = Cell::numberCell(roundTo(t.length, 2));
    sheet.at(line, 3) = Cell::numberCell(roundTo(t.weight, 1));
  }
  ++line;
  sheet.at(line, 1) = Cell::textCell("Total", Cell::Total);
  sheet.at(line, 3) = Cell::numberCell(roundTo(bbs.weight, 1));
  sheet.at(line, 3).style = Cell::Total;
  ++line;
  sheet.at(line, 1) = Cell::textCell("Bends of internal radius " + numberText(bbs.bendRadius) +
                                     " dia; each 90 degree bend takes 2 (r + dia) - pi (r + dia/2) / 2 off the outside "
                                     "dimensions (IS 2502)",
                                     Cell::Label);
  return sheet;
}

}  // namespace plintova
