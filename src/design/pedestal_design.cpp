// Pedestals and dowels to IS 456: vertical bars and ties of the pedestal, bearing at the column's base and
// at the pedestal's base, dowels developed in compression within the footing.
#include "design/pedestal_design.h"

#include <algorithm>
#include <cmath>

#include "design/is456.h"
#include "design/pedestals.h"
#include "design/quantities.h"
#include "footing/case_basis.h"
#include "model/grades.h"
#include "model/numbers.h"

namespace plintova {

using namespace is456;

namespace {

constexpr double kLeastPedestalBar = 12;    // mm, cl. 26.5.3.1 d
constexpr int kLeastBars = 4;               // cl. 26.5.3.1 c and cl. 34.4.3
constexpr double kPedestalMaxSpacing = 300;  // mm along a face, cl. 26.5.3.1 g
constexpr double kMaxTiePitch = 300;        // mm, cl. 26.5.3.2 c
constexpr double kSteelInCompression = 0.67;  // x fy, the steel's share of an axial load, cl. 39.3
constexpr double kConcreteInCompression = 0.4;  // x fck, the concrete's share, cl. 39.3
constexpr double kBearingFactor = 0.45;     // x fck, permissible bearing stress, cl. 34.4
constexpr double kMaxBearingRatio = 2;      // sqrt(A1/A2) at most, cl. 34.4
constexpr double kLeastSteelOfLoad = 0.008;  // of the concrete area the load needs, cl. 26.5.3.1 a, b
constexpr double kLeastSteelOfPedestal = 0.0015;  // of the section, cl. 26.5.3.1 h
constexpr double kMostSteel = 0.06;         // of the section, cl. 26.5.3.1 a
constexpr double kDowelSteel = 0.005;       // of the column's area, cl. 34.4.3
constexpr double kCompressionBond = 1.25;   // bond stress raised for bars in compression, cl. 26.2.1.1
constexpr double kLeastLap = 24;            // bar diameters of a lap in compression, cl. 26.2.5.1 d
const int16_t kTieDiameters[] = {8, 10, 12};

const std::string kPedestalSteelClause = "IS 456 cl. 26.5.3.1 a, b, h";
const std::string kPedestalSpacingClause = "IS 456 cl. 26.5.3.1 c, d, g";
const std::string kTieClause = "IS 456 cl. 26.5.3.2 c, d";
const std::string kAxialClause = "IS 456 cl. 39.3";
const std::string kBearingBaseClause = "IS 456 cl. 34.4, 34.4.1";
const std::string kDowelSteelClause = "IS 456 cl. 34.4.3";
const std::string kDowelDevelopmentClause = "IS 456 cl. 34.4.4, 26.2.1, 26.2.1.1 (+25 % in compression), 26.2.2.2";

// Bars of one diameter round a rectangle of centres coreX x coreZ mm: the same number on opposite faces
// (corners counted once), at most 300 mm apart along each face, the two faces' spacings as near alike as
// whole bars allow, and enough bars for the area.
struct Perimeter {
  int16_t dia = 0;
  int perX = 2, perZ = 2;           // bars on a face along X and on a face along Z, corners included
  double spacingX = 0, spacingZ = 0;  // mm between centres along those faces
  int count() const { return 2 * (perX + perZ) - 4; }
  double area() const { return count() * barArea(dia); }
  double widest() const { return std::max(spacingX, spacingZ); }
  double closest() const { return std::min(spacingX, spacingZ); }
};

int barsAlong(double core, double spacing) {
  if (!(spacing > 0)) return 2;
  return std::max(2, static_cast<int>(std::ceil(core / spacing - 1e-9)) + 1);
}

Perimeter perimeterBars(double As, double coreX, double coreZ, int16_t dia) {
  coreX = std::max(coreX, 0.0);  // a pedestal too small for its covers holds its bars in one bundle
  coreZ = std::max(coreZ, 0.0);
  const double longer = std::max(coreX, coreZ), shorter = std::min(coreX, coreZ);
  Perimeter b;
  b.dia = dia;
  // More bars on the longer face one at a time, the shorter face as closely spaced; where the covers
  // leave no core both faces take the same number, by area.
  const int byArea = static_cast<int>(std::ceil(As / (4 * barArea(dia)) - 1e-9)) + 1;
  for (int n = barsAlong(longer, kPedestalMaxSpacing); n <= 2 * std::max(byArea, 2) + 2; ++n) {
    const double s = longer / (n - 1);
    const int m = longer > 0 ? barsAlong(shorter, s) : n;
    b.perX = coreX >= coreZ ? n : m;
    b.perZ = coreX >= coreZ ? m : n;
    if (b.area() >= As - 1e-9) break;
  }
  b.spacingX = coreX / (b.perX - 1);
  b.spacingZ = coreZ / (b.perZ - 1);
  return b;
}

// A side in mm as the engineer gives it: the single-precision metres (0.53 held as 0.5299999714) back to the
// tenth of a millimetre, so that bar spacings come out of the true size.
double sideMm(Single metres) { return roundTo(metres * 1000.0, 1); }

int16_t tieDiameter(double barDia) {
  for (int16_t d : kTieDiameters)
    if (4 * d >= barDia) return d;
  return kTieDiameters[2];
}

}  // namespace

PedestalLoad pedestalLoad(const Project& p, const std::vector<int>& footings, const PedestalSides& sides) {
  PedestalLoad load;
  // Where the listing gives no column, the largest column the pedestal was sized around.
  const double margin = 2 * p.decisions.options.pedestalMargin;
  const double assumedX = std::max(sideMm(sides.x) - margin, sideMm(sides.x) / 2);
  const double assumedZ = std::max(sideMm(sides.z) - margin, sideMm(sides.z) / 2);
  double least = -1, most = 0;
  for (int s : footings) {
    if (s < 1 || s > p.FootingCount) continue;
    for (const CaseUse& dc : designCases(p, s)) {
      const double Pu = dc.factor * p.ReactionTable(s, dc.position, 2);
      if (Pu > load.Pu) {
        load.Pu = Pu;
        load.joint = p.FootingTable[s].JointNo;
      }
    }
    const auto column = columnSection(p, s);
    load.columnKnown = load.columnKnown || column.has_value();
    const double x = column ? column->alongX : assumedX, z = column ? column->alongZ : assumedZ;
    if (least < 0 || x * z < least) {
      least = x * z;
      load.bearingX = x;
      load.bearingZ = z;
    }
    most = std::max(most, x * z);
  }
  load.dowelColumnArea = most;
  return load;
}

double pedestalHeight(const Project& p, double D) { return std::max(p.FoundingDepth - D / 1000, 0.0); }

Dowels dowelsFor(const Project& p, const PedestalLoad& load, const PedestalSides& sides) {
  const DesignOptions& o = p.decisions.options;
  const double ax = sideMm(sides.x), az = sideMm(sides.z), dia = o.dowelDia, fe = p.Fe;
  Dowels d;
  // Bearing at the column's base on the pedestal's top: A1 the largest area within the ax x az pedestal
  // like the column and centred on it, sqrt(A1/A2) the lesser ratio of their sides.
  const double cx = std::min(load.bearingX, ax), cz = std::min(load.bearingZ, az);
  const double ratio = cx > 0 && cz > 0 ? std::min(kMaxBearingRatio, std::min(ax / cx, az / cz)) : 1;
  d.bearing = kBearingFactor * p.Fck * ratio * cx * cz / 1000;
  const double excess = std::max(load.Pu - d.bearing, 0.0);  // kN
  d.need = std::max(kDowelSteel * load.dowelColumnArea, excess * 1000 / (kSteelInCompression * fe));
  d.count = std::max(kLeastBars, static_cast<int>(std::ceil(d.need / barArea(dia) - 1e-9)));
  d.count += d.count % 2;  // in pairs, one each side of the column
  d.area = d.count * barArea(dia);
  const double tau = kCompressionBond * bondStress(p.Fck, p.Fe);
  d.fullLength = dia * 0.87 * fe / (4 * tau);
  const double stress = o.dowelFullStress > 0 ? 0.87 * fe : excess * 1000 / d.area;
  // The floor anchors dowels that carry no stress at all: 10 dia and 100 mm.
  d.required = std::max({dia * stress / (4 * tau), 10 * dia, 100.0});
  return d;
}

double dowelEmbedment(const Project& p, double D, double mat) {
  return std::max(D - p.decisions.options.cover - mat, 0.0);
}

bool dowelsDeveloped(const Project& p, const Dowels& dowels, double D, double mat) {
  return dowelEmbedment(p, D, mat) >= dowels.required;
}

double bottomMat(const std::vector<SteelLayer>& steel) {
  int16_t first = 0, second = 0;
  for (const SteelLayer& l : steel) {
    if (l.where.rfind("bottom", 0) != 0) continue;
    if (l.dia > first) {
      second = first;
      first = l.dia;
    } else if (l.dia > second) {
      second = l.dia;
    }
  }
  return first + (second > 0 ? second : first);
}

PedestalDesign designPedestal(const Project& p, const PedestalLoad& load, const PedestalSite& site,
                              const std::string& suffix) {
  const DesignOptions& o = p.decisions.options;
  const int fck = p.Fck, fe = p.Fe;
  PedestalDesign out;
  PedestalSteel& st = out.steel;
  st.where = site.where;
  st.sides = site.sides;
  st.height = static_cast<Single>(roundTo(pedestalHeight(p, site.D), 3));
  st.columnX = static_cast<Single>(load.bearingX);
  st.columnZ = static_cast<Single>(load.bearingZ);
  st.columnKnown = load.columnKnown;
  st.Pu = static_cast<Single>(load.Pu);
  st.footingDepth = static_cast<Single>(site.D);
  st.mat = static_cast<Single>(site.mat);
  const double ax = sideMm(site.sides.x), az = sideMm(site.sides.z), Ag = ax * az;  // mm, mm2
  const double Pu = load.Pu;                    // kN
  auto check = [&](CheckKind kind, const std::string& name, double demand, double capacity, const char* unit,
                   const std::string& clause) {
    out.checks.push_back(makeCheck(kind, name + suffix, demand, capacity, unit, clause));
  };

  // Vertical bars, where a pedestal stands above the footing.
  const bool stands = st.height > 0;
  if (stands) {
    const double needArea = Pu * 1000 / (kConcreteInCompression * fck + kSteelInCompression * fe * kLeastSteelOfLoad);
    const double strength = (Pu * 1000 - kConcreteInCompression * fck * Ag) / (kSteelInCompression * fe - kConcreteInCompression * fck);
    const double As = std::max({kLeastSteelOfLoad * std::min(needArea, Ag), kLeastSteelOfPedestal * Ag, strength, 0.0});
    std::vector<Perimeter> tried;
    std::vector<BarOption> options;
    for (int dia : o.barDiameters) {
      if (dia < kLeastPedestalBar) continue;
      const double inset = 2 * (o.pedestalCover + tieDiameter(dia)) + dia;
      tried.push_back(perimeterBars(As, ax - inset, az - inset, static_cast<int16_t>(dia)));
      options.push_back({static_cast<int16_t>(dia), true, tried.back().closest()});
    }
    if (tried.empty()) {  // the options' bars are all thinner than a pedestal may take
      const int16_t dia = static_cast<int16_t>(kLeastPedestalBar);
      const double inset = 2 * (o.pedestalCover + tieDiameter(dia)) + dia;
      tried.push_back(perimeterBars(As, ax - inset, az - inset, dia));
      options.push_back({dia, true, tried.back().closest()});
    }
    const Perimeter& bars = tried[chooseBarOption(options, o.minBarSpacing)];
    st.vertical.where = "pedestal vertical bars";
    st.vertical.Ast = static_cast<Single>(roundTo(As, 0));
    st.vertical.dia = bars.dia;
    st.vertical.bars = static_cast<int16_t>(bars.count());
    st.vertical.spacing = static_cast<int16_t>(std::floor(bars.widest()));
    st.spacingAlongX = static_cast<int16_t>(std::floor(bars.spacingX));
    st.spacingAlongZ = static_cast<int16_t>(std::floor(bars.spacingZ));
    st.vertical.width = static_cast<Single>(site.sides.shorter());

    // Ties: a quarter of the bar, 8 mm at least; pitch the least of the least lateral dimension, 16 bars
    // and 300 mm.
    const double pitchLimit = std::min({std::min(ax, az), 16.0 * bars.dia, kMaxTiePitch});
    const double step = o.spacingStep > 0 ? o.spacingStep : 1;
    const double pitch = std::max(std::floor(pitchLimit / step) * step, step);
    st.ties.where = "pedestal ties";
    st.ties.dia = tieDiameter(bars.dia);
    st.ties.spacing = static_cast<int16_t>(pitch);
    st.ties.bars = static_cast<int16_t>(std::ceil(st.height * 1000 / pitch - 1e-9) + 1);
    st.ties.width = static_cast<Single>(site.sides.shorter());
    // A cross tie to each pair of opposite intermediate bars: those on the faces along X run along Z.
    st.crossTiesAlongZ = static_cast<int16_t>(bars.perX - 2);
    st.crossTiesAlongX = static_cast<int16_t>(bars.perZ - 2);

    const double Asc = bars.area();
    check(CheckKind::PedestalLoad, "pedestal axial load", Pu,
          (kConcreteInCompression * fck * (Ag - Asc) + kSteelInCompression * fe * Asc) / 1000, "kN", kAxialClause);
    check(CheckKind::PedestalSteel, "pedestal vertical steel", As, Asc, "mm2", kPedestalSteelClause);
    check(CheckKind::PedestalSteel, "pedestal vertical steel, at most 6 %", Asc, kMostSteel * Ag, "mm2", kPedestalSteelClause);
    check(CheckKind::PedestalBarSpacing, "pedestal bar spacing", bars.widest(), kPedestalMaxSpacing, "mm", kPedestalSpacingClause);
    check(CheckKind::PedestalTiePitch, "pedestal tie pitch", pitch, pitchLimit, "mm", kTieClause);
  }

  const Dowels dowels = dowelsFor(p, load, site.sides);
  st.dowels.where = "dowels";
  st.dowels.Ast = static_cast<Single>(roundTo(dowels.need, 0));
  st.dowels.dia = static_cast<int16_t>(o.dowelDia);
  st.dowels.bars = static_cast<int16_t>(dowels.count);
  st.dowelEmbedment = static_cast<Single>(roundTo(dowelEmbedment(p, site.D, site.mat), 0));
  st.dowelLap = static_cast<Single>(std::ceil(std::max(dowels.fullLength, kLeastLap * o.dowelDia)));

  check(CheckKind::ColumnBaseBearing, "bearing at the column base", Pu, dowels.bearing + kSteelInCompression * fe * dowels.area / 1000, "kN",
        kBearingBaseClause);
  if (stands) {
    // At the pedestal's base on the footing: A1 the base of the frustum sloping 1 in 2 from the
    // pedestal's edges through the footing, as far as the footing reaches, taken like the ax x az base:
    // its sides grow in proportion, so the longer side's growth governs.
    const double spread = std::max(std::min(2 * site.D, site.reach * 1000), 0.0);
    const double longer = std::max(ax, az);
    const double ratioBase = std::min(kMaxBearingRatio, (longer + 2 * spread) / longer);
    const double weight = kLoadFactor * o.concreteUnitWeight * site.sides.area() * st.height;
    check(CheckKind::PedestalBaseBearing, "bearing at the pedestal base", Pu + weight,
          (kBearingFactor * fck * ratioBase * Ag + kSteelInCompression * fe * st.vertical.bars * barArea(st.vertical.dia)) / 1000,
          "kN", kBearingBaseClause);
  }
  check(CheckKind::DowelSteel, "dowel steel", dowels.need, dowels.area, "mm2", kDowelSteelClause);
  check(CheckKind::DowelDevelopment, "dowel development", dowels.required, dowelEmbedment(p, site.D, site.mat), "mm", kDowelDevelopmentClause);
  return out;
}

namespace {

// "at 164 mm" where the bars lie alike on every face, else "164 mm apart along X and 198 mm along Z".
std::string verticalSpacingText(const PedestalSteel& ps) {
  if (ps.spacingAlongX == ps.spacingAlongZ) return "at " + std::to_string(ps.vertical.spacing) + " mm";
  return std::to_string(ps.spacingAlongX) + " mm apart along X and " + std::to_string(ps.spacingAlongZ) + " mm along Z";
}

// " with 4 cross ties", " with 3 cross ties along X and 2 along Z", or nothing.
std::string crossTiesText(const PedestalSteel& ps) {
  if (ps.crossTies() == 0) return "";
  if (ps.crossTiesAlongX == ps.crossTiesAlongZ) return " with " + std::to_string(ps.crossTies()) + " cross ties";
  return " with " + std::to_string(ps.crossTiesAlongX) + " cross ties along X and " +
         std::to_string(ps.crossTiesAlongZ) + " along Z";
}

}  // namespace

std::string pedestalText(const PedestalSteel& ps) {
  std::string t = ps.where + " " + pedestalText(ps.sides) + " m, " + numberText(ps.height) + " m high: ";
  if (ps.vertical.bars > 0)
    t += std::to_string(ps.vertical.bars) + " bars of " + std::to_string(ps.vertical.dia) + " mm " +
         verticalSpacingText(ps) + ", ties of " + std::to_string(ps.ties.dia) + " mm at " +
         std::to_string(ps.ties.spacing) + " mm" + crossTiesText(ps) + "; ";
  return t + "dowels " + std::to_string(ps.dowels.bars) + " of " + std::to_string(ps.dowels.dia) + " mm, " +
         numberText(ps.dowelEmbedment) + " mm in the footing, lap " + numberText(ps.dowelLap) + " mm";
}

void addGroupPedestal(const Project& p, SizeGroupRecord& row) {
  row.pedestal = PedestalSteel{};
  if (row.MemberCount <= 0 || !gradeProblem(p.Fck, p.Fe).empty()) return;
  std::vector<int> members;
  for (int k = 1; k <= row.MemberCount; ++k) members.push_back(row.Members[k]);
  PedestalSite site;
  site.sides = row.Pedestal;
  site.D = roundTo(row.TotalDepth * 1000.0, 0);
  site.mat = 2.0 * row.BarDia;
  site.reach = (row.GroupSize - row.Pedestal.longer()) / 2 - row.Offset;  // to the nearest edge
  const PedestalDesign d = designPedestal(p, pedestalLoad(p, members, site.sides), site);
  row.pedestal = d.steel;
  row.checks.insert(row.checks.end(), d.checks.begin(), d.checks.end());
}

}  // namespace plintova
