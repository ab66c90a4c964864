// Limit-state design of square pad footings: governing pressure, bending depth, shear iteration,
// steel and bars, shared by the Design command and the schedule edits.
#include "design/footing_design.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "design/group_section.h"
#include "design/pedestals.h"
#include "design/is456.h"
#include "design/pedestal_design.h"
#include "design/shear_table.h"
#include "design/soil_pressure.h"
#include "footing/case_basis.h"
#include "model/grades.h"
#include "model/numbers.h"

namespace plintova {

namespace {

constexpr double kCover = 0.06;       // m from the bottom face to the bar centre
constexpr float kMinDepth = 0.19f;    // effective depth of the shallowest footing (250 mm total)
constexpr float kMinSteel = 0.2f;     // minimum steel percentage
constexpr float kDepthStep = 0.025f;  // deepening step of the shear iteration
// A safety bound on the shear iteration. With finite data it ends long before: one-way shear passes
// once d reaches the cantilever and punching once the punching square covers the footing.
constexpr int kMaxDeepenings = 200000;

bool isScheduleRow(const Project& p, int r) { return r >= 1 && r <= p.DesignGroupCount; }

// d + 0.025 in single precision; false when the depth can no longer grow.
bool deepen(float& d) {
  float next = static_cast<float>(static_cast<double>(d) + kDepthStep);
  if (!(next > d)) return false;
  d = next;
  return true;
}

// The quantities of one design that depend only on the row's size, pedestal and pressure.
struct Bending {
  float c = 0;   // cantilever beyond the pedestal face, m
  float Mu = 0;  // factored moment over the width, kN m
  float d = 0;   // effective depth that bending needs, after the 50 mm rounding of the total depth
};

// gamma: the load factor on the net pressure q (the design case's factor, case_basis.h).
Bending bendingFor(const Project& p, double B, double a, double q, double gamma, double offset) {
  Bending b;
  // From the pedestal face to the farthest edge: a footing off its column reaches further on one side.
  b.c = roundToSingle((B - a) / 2 + offset, 2);
  const double c = b.c;
  b.Mu = roundToSingle(q * gamma * B * c * c / 2, 2);
  float d = roundToSingle(std::sqrt(b.Mu / groupBendingFactor(p.Fe) / p.Fck / B / 1000), 2);
  // Total depth rounded up to a 50 mm step, with 60 mm of cover below the effective depth.
  double m = roundTo((d * 1000.0 + 60) / 50 + 0.49, 0);
  d = roundToSingle((m * 50 - 60) / 1000, 2);
  if (d < kMinDepth) d = kMinDepth;
  b.d = d;
  return b;
}

// One-way shear at d from the pedestal face, then punching on the square of side a + d. Each failure
// deepens the section by 25 mm and starts again, with pt (and so tc) recomputed for the new depth.
void shearIteration(const Project& p, double B, double a, double q, double gamma, const Bending& b, float& d,
                    DesignQuantities& x) {
  const double fck = p.Fck, fe = p.Fe;
  const double c = b.c;
  for (int step = 0; step <= kMaxDeepenings; ++step) {
    const double dd = d;
    x.k = roundToSingle(b.Mu / B / dd / dd / 1000, 2);
    double t = 1 - 4.6 * x.k / fck;
    if (t < 0) t = 0;
    x.pt = roundToSingle((1 - std::sqrt(t)) / fe * fck * 50, 2);
    if (x.pt < kMinSteel) x.pt = kMinSteel;
    x.V1 = roundToSingle((c - dd) * q * gamma * B, 0);
    x.tv1 = roundToSingle(x.V1 / B / dd * 1000 / 1e6, 2);
    float pt = x.pt;  // raised to the table's first row where it lies below
    x.tc = ConcreteShearStrength(p, pt);
    x.pt = pt;
    if (x.tc < x.tv1) {
      if (!deepen(d)) break;
      continue;
    }
    const double side = a + dd;
    x.V2 = roundToSingle((B * B - side * side) * q * gamma + 0.49, 0);
    x.tv2 = roundToSingle(static_cast<double>(x.V2) * 1000 / (side * 4 * dd) / 1e6, 2);
    x.tp = roundToSingle(std::sqrt(fck) / 4, 2);
    if (x.tp < x.tv2) {
      if (!deepen(d)) break;
      continue;
    }
    break;
  }
}

// Bars of diameter dia for the steel area over the width B: the count rounds up from 0.49 of a bar
// (bar area dia^2 x 22/28) and is never below 2, so the spacing over the width less 60 mm at each edge
// always exists.
void placeBars(double B, int16_t dia, DesignQuantities& x) {
  x.barsKnown = false;
  x.n = 0;
  x.s = 0;
  if (dia <= 0) return;
  auto n = toInt16(static_cast<double>(x.Ast) / dia / dia * 28 / 22 + 0.49);
  if (!n) return;
  int16_t count = std::max<int16_t>(*n, 2);
  auto s = toInt16((B - 0.12) / (count - 1) * 1000);
  if (!s) return;
  x.n = count;
  x.s = *s;
  x.barsKnown = true;
}

// The older procedure of the group rows from a starting effective depth: shear iteration with d =
// D - 60 mm and the cantilever to 0.01 m, steel area, total depth and bars of BarDia.
void designFromDepth(const Project& p, SizeGroupRecord& row, const Bending& b, float d) {
  // A rectangular pedestal: the shorter side leaves the longer cantilever, which governs.
  const double B = row.GroupSize, a = row.Pedestal.shorter(), q = row.NetPressure;
  DesignQuantities& x = row.design;
  x.c = b.c;
  x.Mu = b.Mu;
  shearIteration(p, B, a, q, row.LoadFactor, b, d, x);
  x.Ast = roundToSingle(x.pt * B * d * 10000, 0);
  row.TotalDepth = roundToSingle(d + kCover, 3);
  placeBars(B, row.BarDia, x);
}

// Governing net pressure of size group g over its isolated footings and each footing's design cases:
// the case whose pressure times its load factor is largest (the first footing and case on ties). The
// row keeps that case's pressure as read and its factor, which the design applies.
void governingPressure(const Project& p, int g, SizeGroupRecord& row) {
  const double B = row.GroupSize;
  float q = 0;
  double factored = 0, gamma = kServiceToDesignFactor;
  for (int s = 1; s <= p.FootingCount; ++s) {
    const FootingRecord& f = p.FootingTable[s];
    if (f.GroupNo != g || f.Kind != FootingKind::Isolated) continue;
    for (const CaseUse& u : designCases(p, s)) {
      // The net upward pressure uses the reactions as read: no 1.1 allowance for footing and soil.
      const float pressure = static_cast<float>(edgePressures(p, s, u.position, B, B, 1.0).max);
      if (factored < u.factor * pressure) {
        factored = u.factor * pressure;
        q = pressure;
        gamma = u.factor;
        row.GovFooting = static_cast<int16_t>(s);
        row.GovCase = static_cast<int16_t>(u.position);
      }
    }
  }
  // Rounded up to a whole kN/m2 from 0.01 upward (a single just below x.01 stays at x).
  row.NetPressure = roundToSingle(q + 0.49, 0);
  row.LoadFactor = gamma;
  row.design.qu = static_cast<float>(gamma * row.NetPressure);
}

// The total depth (mm) the older procedure gives the row: the floor of the row's design.
double olderProcedureDepth(const Project& p, const SizeGroupRecord& row) {
  SizeGroupRecord copy = row;
  const Bending b = bendingFor(p, copy.GroupSize, copy.Pedestal.shorter(), copy.NetPressure, copy.LoadFactor, copy.Offset);
  designFromDepth(p, copy, b, b.d);
  return roundTo(copy.TotalDepth * 1000.0, 0);
}

// The row's section: a typed depth at or above what bending needs is kept and only checked (its checks
// flag what fails); any other row, one typed shallower included, is deepened from the larger of the
// bending depth and the older procedure's depth until bending, one-way shear and punching pass and the
// dowels develop.
void designRowSection(const Project& p, SizeGroupRecord& row) {
  const GroupLoads loads = groupLoads(row);
  const int16_t edited = row.BarDiaFixed ? row.BarDia : int16_t{0};
  const double bending = groupBendingTotalDepth(p, loads, edited);
  const double typed = roundTo(row.TypedDepth * 1000.0, 0);
  GroupSection s;
  if (row.TypedDepth > 0 && typed >= bending) {
    s = chooseGroupSection(p, loads, typed, edited);
  } else {
    s = designGroupSection(p, loads, std::max(bending, olderProcedureDepth(p, row)), edited);
    // The dowels develop in compression within the footing, standing on both layers (cl. 34.4.4).
    std::vector<int> members;
    for (int k = 1; k <= row.MemberCount; ++k) members.push_back(row.Members[k]);
    const Dowels dowels = dowelsFor(p, pedestalLoad(p, members, row.Pedestal), row.Pedestal);
    for (int k = 0; k < is456::kMaxDeepenings && !dowelsDeveloped(p, dowels, s.D, 2.0 * s.bars.dia); ++k)
      s = designGroupSection(p, loads, s.D + is456::kDeepenStep, edited);
  }
  storeGroupSection(s, row);
}

// The longest offset of a footing of group g from its column, along either axis, m.
float longestOffset(const Project& p, int g) {
  double offset = 0;
  for (int s = 1; s <= p.FootingCount; ++s) {
    const FootingRecord& f = p.FootingTable[s];
    if (f.GroupNo != g || f.Kind != FootingKind::Isolated) continue;
    const Eccentricity e = footingEccentricity(p, s);
    offset = std::max({offset, std::fabs(e.ex), std::fabs(e.ez)});
  }
  return static_cast<float>(offset);
}

// "F<mark> (<size> m)" of size group g.
std::string groupName(const SizeGroupRecord& grp) {
  return "F" + std::to_string(grp.GroupMark) + " (" + numberText(grp.GroupSize) + " m";
}

// The one message for the ticked groups that get no schedule row because their footing is not wider
// than its pedestal.
std::string noScheduleRowMessage(const Project& p, const std::vector<int>& groups) {
  if (groups.size() == 1) {
    const SizeGroupRecord& grp = p.SizeGroupTable[groups.front()];
    return "No schedule row for " + groupName(grp) + "): the footing is not wider than its " +
           pedestalText(groupPedestal(p, groups.front())) + " m pedestal.";
  }
  std::string list;
  for (std::size_t i = 0; i < groups.size(); ++i) {
    const SizeGroupRecord& grp = p.SizeGroupTable[groups[i]];
    if (i > 0) list += i + 1 == groups.size() ? " and " : ", ";
    list += groupName(grp) + ", pedestal " + pedestalText(groupPedestal(p, groups[i])) + " m)";
  }
  return "No schedule rows for " + list + ": these footings are not wider than their pedestals.";
}

}  // namespace

double groupBendingFactor(int fe) { return std::min(0.138, is456::limitingMomentFactor(fe)); }

int16_t nextBarDia(int16_t dia, const std::vector<int>& diameters) {
  const auto at = std::find(diameters.begin(), diameters.end(), dia);
  if (at == diameters.end()) return dia;
  return static_cast<int16_t>(std::next(at) == diameters.end() ? diameters.front() : *std::next(at));
}

void olderGroupDesign(const Project& p, SizeGroupRecord& row) {
  const Bending b = bendingFor(p, row.GroupSize, row.Pedestal.shorter(), row.NetPressure, row.LoadFactor, row.Offset);
  designFromDepth(p, row, b, b.d);
}

bool DesignAllGroups(Project& p, Prompter& prompter) {
  if (std::string text = gradeProblem(p.Fck, p.Fe); !text.empty()) {
    prompter.message(text + " The footings cannot be designed.");
    return false;
  }
  for (int g = 1; g <= p.SizeGroupCount; ++g) {
    const SizeGroupRecord& grp = p.SizeGroupTable[g];
    if (grp.Checked && grp.MemberCount > cap::kGroupMembers) {
      prompter.message("The footing group of size " + numberText(grp.GroupSize) + " has " +
                       std::to_string(grp.MemberCount) + " footings; a schedule row holds at most " +
                       std::to_string(cap::kGroupMembers) + ". Nothing was designed.");
      return false;
    }
  }
  BuildShearTable(p);
  FindGradeColumn(p);
  p.DesignGroupCount = 0;
  std::vector<int> withoutRow;
  for (int g = 1; g <= p.SizeGroupCount; ++g) {
    const SizeGroupRecord& grp = p.SizeGroupTable[g];
    if (!grp.Checked || grp.MemberCount <= 0) continue;
    // A footing no wider than its pedestal has no cantilever to design (the cantilever, the shear
    // force and the bar spacing would all come out negative).
    const PedestalSides pedestal = groupPedestal(p, g);
    if (!(grp.GroupSize > pedestal.longer())) {
      withoutRow.push_back(g);
      continue;
    }
    const int r = ++p.DesignGroupCount;
    SizeGroupRecord& row = p.DesignGroupTable[r];
    // A fresh row: nothing of an earlier design (such as the governing footing of a group that has
    // lost all its footings) survives into it.
    row = grp;
    row.TotalDepth = 0;
    row.NetPressure = 0;
    row.GovFooting = 0;
    row.GovCase = 0;
    row.design = DesignQuantities{};
    row.TypedDepth = 0;
    row.BarDiaFixed = false;
    row.Pedestal = pedestal;
    governingPressure(p, g, row);
    row.Offset = longestOffset(p, g);
    designRowSection(p, row);
  }
  if (!withoutRow.empty()) prompter.message(noScheduleRowMessage(p, withoutRow));
  return true;
}

void RedesignScheduleRow(Project& p, int r) {
  if (!isScheduleRow(p, r) || p.Fck <= 0 || p.Fe <= 0) return;
  designRowSection(p, p.DesignGroupTable[r]);
}

float groupBendingDepth(const Project& p, int r) {
  if (!isScheduleRow(p, r) || p.Fck <= 0 || p.Fe <= 0) return 0;
  const SizeGroupRecord& row = p.DesignGroupTable[r];
  return roundToSingle(groupBendingTotalDepth(p, groupLoads(row), row.BarDiaFixed ? row.BarDia : int16_t{0}) / 1000, 3);
}

bool cycleBarDia(Project& p, int r) {
  if (!isScheduleRow(p, r)) return false;
  SizeGroupRecord& row = p.DesignGroupTable[r];
  row.BarDia = nextBarDia(row.BarDia, p.decisions.options.barDiameters);
  row.BarDiaFixed = true;
  RedesignScheduleRow(p, r);
  return true;
}

bool editTotalDepth(Project& p, int r, double v) {
  const float depth = static_cast<float>(v);
  if (!isScheduleRow(p, r) || !std::isfinite(depth)) return false;
  p.DesignGroupTable[r].TypedDepth = depth;
  RedesignScheduleRow(p, r);
  return true;
}

bool editPedestal(Project& p, int r, const PedestalSides& sides) {
  if (!isScheduleRow(p, r)) return false;
  SizeGroupRecord& row = p.DesignGroupTable[r];
  for (const double side : {double{sides.x}, double{sides.z}})
    if (!(side > 0) || !(side < row.GroupSize)) return false;
  row.Pedestal = sides;
  row.TypedDepth = 0;  // designed afresh for the new cantilever
  RedesignScheduleRow(p, r);
  return true;
}

namespace {

// The largest pressure of footing s over its design cases as read, and that pressure times the case's
// load factor where the factored pressure is largest.
struct Peak {
  float asRead = 0;
  double factored = 0;
};

Peak peakPressure(const Project& p, int s) {
  const FootingRecord& f = p.FootingTable[s];
  Peak peak;
  for (const CaseUse& u : designCases(p, s)) {
    // As the design's net pressure: the reactions as read.
    const float pressure = static_cast<float>(edgePressures(p, s, u.position, f.SizeL, f.SizeB, 1.0).max);
    if (peak.asRead < pressure) peak.asRead = pressure;
    peak.factored = std::max(peak.factored, u.factor * pressure);
  }
  return peak;
}

}  // namespace

float FootingPeakPressure(const Project& p, int s) {
  if (s < 1 || s > p.FootingCount) return 0;
  return peakPressure(p, s).asRead;
}

float FootingDepthEstimate(const Project& p, int s) {
  if (s < 1 || s > p.FootingCount || p.Fck <= 0 || p.Fe <= 0) return 0;
  const double qu = peakPressure(p, s).factored;  // factored net pressure
  const double a = 0.6, fck = p.Fck, fe = p.Fe;
  // One pass across each plan direction, without the schedule's roundings. A rectangular footing
  // bends most across its longer side, so the larger of the two depths is reported.
  auto pass = [&](double B) -> float {
    if (!(B > 0)) return 0;
    const float c = static_cast<float>((B - a) / 2);
    const float Mu = static_cast<float>(qu * B * c * c / 2);
    float d = static_cast<float>(std::sqrt(Mu / groupBendingFactor(p.Fe) / fck / B / 1000));
    if (d < kMinDepth) d = kMinDepth;
    for (int step = 0; step <= kMaxDeepenings; ++step) {
      const double dd = d;
      const float k = static_cast<float>(Mu / B / dd / dd / 1000);
      double t = 1 - 4.6 * k / fck;
      if (t < 0) t = 0;
      float pt = static_cast<float>((1 - std::sqrt(t)) / fe * fck * 50);
      if (pt < kMinSteel) pt = kMinSteel;
      const float V1 = static_cast<float>((c - dd) * qu * B);
      const float tv1 = static_cast<float>(V1 / B / dd * 1000 / 1e6);
      const float tc = shearStrengthForGrade(p.Fck, pt);
      if (tc < tv1) {
        if (!deepen(d)) break;
        continue;
      }
      const double side = a + dd;
      const float V2 = static_cast<float>((B * B - side * side) * qu);
      const float tv2 = static_cast<float>(static_cast<double>(V2) * 1000 / (side * 4 * dd) / 1e6);
      const float tp = static_cast<float>(std::sqrt(fck) / 4);
      if (tp < tv2) {
        if (!deepen(d)) break;
        continue;
      }
      break;
    }
    return std::isfinite(d) ? roundToSingle(d, 2) : 0.0f;
  };
  const FootingRecord& f = p.FootingTable[s];
  return std::max(pass(f.SizeL), pass(f.SizeB));
}

}  // namespace plintova
