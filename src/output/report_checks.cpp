// Pieces of the calculation report shared by its chapters: number texts, names of footings, and the
// IS 456 checks of a row as formulas with their substitutions, gathered into design steps.
#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "design/is456.h"
#include "footing/grid_lines.h"
#include "model/numbers.h"
#include "output/report_parts.h"

namespace plintova::report_parts {

std::string num(double v) { return numberText(v); }

std::string rounded(double v, int places) {
  if (std::isinf(v)) return v > 0 ? "∞" : "-∞";
  return numberText(roundTo(v, places));
}

std::string mm(double metres) { return numberText(roundTo(metres * 1000, 1)); }

std::string joint(const Project& p, int s) {
  return s >= 1 && s <= p.FootingCount ? numberText(p.FootingTable[s].JointNo) : "?";
}

std::string grid(const Project& p, int s) {
  if (s < 1 || s > p.FootingCount) return "";
  return gridReference(p, p.FootingTable[s].PosX, p.FootingTable[s].PosZ);
}

std::string footingName(const Project& p, int s) {
  const std::string g = grid(p, s);
  return "joint " + joint(p, s) + (g.empty() ? "" : " (" + g + ")");
}

std::string loadCase(const Project& p, int s, int c) { return numberText(p.ReactionTable(s, c, 1)); }

std::string typeset(const std::string& text) {
  static const std::pair<const char*, const char*> kForms[] = {
      {"tau_bd", "\u03c4bd"}, {"mm2", "mm\u00b2"}, {"/m2", "/m\u00b2"}, {"kN m", "kN\u00b7m"}};
  std::string out = text;
  for (const auto& [plain, set] : kForms) {
    const std::string from = plain, to = set;
    for (std::size_t at = out.find(from); at != std::string::npos; at = out.find(from, at + to.size()))
      out.replace(at, from.size(), to);
  }
  return out;
}

std::string bondStressText(const Project& p) {
  std::string text = "\u03c4bd = " + rounded(is456::bondStress(p.Fck, p.Fe), 3) + " N/mm\u00b2";
  // The bond table starts at M20; M15 takes 1.0 N/mm2 for plain bars.
  if (p.Fck < 20)
    text += std::string(" (M") + std::to_string(p.Fck) + " lies below the bond table: 1.0 N/mm\u00b2 taken" +
            (p.Fe > 250 ? ", + 60 % for deformed bars)" : ")");
  return text;
}

std::string groupSteelText(const SizeGroupRecord& row) {
  if (!row.design.barsKnown) return "bars of " + std::to_string(row.BarDia) + " mm cannot be counted";
  return std::to_string(row.design.n) + " bars " + std::to_string(row.BarDia) + " \u00d8 @ " +
         std::to_string(row.design.s) + " each way";
}

Formula formula(std::string lhs, std::string expression, std::string values, std::string result, std::string clause,
                std::string comparison) {
  Formula f;
  f.lhs = std::move(lhs);
  f.expression = std::move(expression);
  f.values = std::move(values);
  f.result = std::move(result);
  f.clause = std::move(clause);
  f.comparison = std::move(comparison);
  return f;
}

namespace {

// A term of the check as its figure ("2000"), or "" when the design did not record it.
std::string termText(const CodeCheck& c, const char* symbol, int places = 1) {
  const CheckTerm* t = c.term(symbol);
  return t ? rounded(t->value, places) : "";
}

// The check's capacity with its formula and, where the design recorded its terms, the substitution:
// "Mu,lim = 0.138 fck b d² = 0.138 × 25 × 2000 × 490² = 828.5 kN·m".
std::string capacityText(const CodeCheck& c, const std::string& symbol, const std::string& expression,
                         const std::string& values, const std::string& unit) {
  std::string t = symbol + " = " + expression;
  if (!values.empty()) t += " = " + values;
  return t + " = " + rounded(c.capacity, 2) + " " + unit;
}

}  // namespace

namespace {
Step stepOf(const CodeCheck& c);
}  // namespace

report::Formula checkFormula(const Project& p, const CodeCheck& c) {
  const std::string le = c.ok ? "≤ " : "> ", ge = c.ok ? "≥ " : "< ";
  const std::string d = rounded(c.demand, 2), cap = rounded(c.capacity, 2);
  const std::string& n = c.name;
  const CheckKind kind = c.kind;
  const std::string fck = std::to_string(p.Fck), fy = std::to_string(p.Fe);
  const std::string b = termText(c, "b"), dd = termText(c, "d"), D = termText(c, "D"), Vu = termText(c, "Vu", 2);
  Formula f;
  if (stepOf(c) == kPedestal) {
    // Pedestals and dowels: the demand against the capacity in the check's own unit.
    const std::string symbol = c.unit == "kN" ? "Pu" : c.unit == "mm2" ? "As" : kind == CheckKind::DowelDevelopment ? "Ld" : "s";
    f = formula(symbol, "", "", d + " " + typeset(c.unit), c.clause, le + cap + " " + typeset(c.unit));
  } else if (kind == CheckKind::Bearing) {
    f = formula("p", "1.1 P/A + M/Z", "", d + " kN/m²", c.clause, le + cap + " kN/m² allowed");
  } else if (kind == CheckKind::Resultant) {
    f = formula("e", "", "", d + " m", c.clause, le + "L/2 = " + cap + " m");
  } else if (kind == CheckKind::Bending) {
    const std::string k = rounded(is456::limitingMomentFactor(p.Fe), 3);
    f = formula("Mu", "", "", d + " kN·m", c.clause,
                le + capacityText(c, "Mu,lim", k + " fck b d²",
                                  b.empty() ? "" : k + " × " + fck + " × " + b + " × " + dd + "² × 10⁻⁶", "kN·m"));
  } else if (kind == CheckKind::SteelForBending) {
    const std::string As = termText(c, "As", 0);
    f = formula("Mu", "", "", d + " kN·m", c.clause,
                le + capacityText(c, "MR", "0.87 fy As d (1 − As fy/(b d fck))",
                                  As.empty() ? ""
                                             : "0.87 × " + fy + " × " + As + " × " + dd + " × (1 − " + As + " × " + fy +
                                                   "/(" + b + " × " + dd + " × " + fck + ")) × 10⁻⁶",
                                  "kN·m"));
  } else if (kind == CheckKind::OneWayShear) {
    const std::string values = Vu.empty() ? "" : Vu + " × 10³/(" + b + " × " + dd + ")";
    f = formula("τv", "Vu/(b d)", values, d + " N/mm²", c.clause,
                le + "τc = " + cap + " N/mm² (Table 19" + (c.term("pt") ? ", pt " + termText(c, "pt", 3) + " %" : "") + ")");
  } else if (kind == CheckKind::Punching) {
    const std::string values = Vu.empty() ? "" : Vu + " × 10³/(" + termText(c, "b0") + " × " + dd + ")";
    // ks = 0.5 + beta_c (at most 1) of a pedestal whose short side is less than half its long one.
    const double ks = p.Fck > 0 ? c.capacity / (0.25 * std::sqrt(static_cast<double>(p.Fck))) : 1.0;
    const std::string ksText = ks < 1 - 1e-9 ? numberText(roundTo(ks, 3)) + " × " : "";
    f = formula("τv", "Vu/(b0 d)", values, d + " N/mm²", c.clause,
                le + "ks 0.25 √fck = " + ksText + "0.25 × √" + fck + " = " + cap + " N/mm²");
  } else if (kind == CheckKind::MinimumSteel) {
    const std::string share = p.Fe <= 250 ? "0.15" : "0.12";
    f = formula("As,min", share + " % b D", b.empty() ? "" : share + "/100 × " + b + " × " + D, d + " mm²", c.clause,
                le + "As = " + cap + " mm² provided");
  } else if (kind == CheckKind::BarSpacing) {
    f = formula("s", "", "", d + " mm", c.clause,
                le + "min(3 d, 300 mm) = " + (dd.empty() ? "" : "min(3 × " + dd + ", 300) = ") + cap + " mm");
  } else if (kind == CheckKind::EdgeDepth) {
    f = formula("D", "", "", cap + " mm", c.clause, ge + d + " mm at the edge");
  } else if (kind == CheckKind::DevelopmentLength) {
    const std::string phi = termText(c, "phi", 0);
    f = formula("Ld", "φ 0.87 fy/(4 τbd)",
                phi.empty() ? "" : phi + " × 0.87 × " + fy + "/(4 × " + rounded(is456::bondStress(p.Fck, p.Fe), 3) + ")",
                d + " mm", c.clause, le + cap + " mm available beyond the pedestal face; " + bondStressText(p));
  } else {
    // Uplift, sliding and overturning: the factored demand against what holds the footing.
    const bool uplift = kind == CheckKind::Uplift, sliding = kind == CheckKind::Sliding,
               overturning = kind == CheckKind::Overturning;
    const std::string lhs = uplift ? "factor × U" : sliding ? "factor × H" : overturning ? "factor × M" : n;
    const std::string against = uplift ? "0.9 W = " : sliding ? "μ N = " : overturning ? "N × half the side = " : "";
    f = formula(lhs, "", "", d + " " + typeset(c.unit), c.clause, le + against + cap + " " + typeset(c.unit));
  }
  f.clause = typeset(f.clause);
  f.ok = c.ok;
  // The check's own name leads, so that each line says what it checks.
  f.lhs = n + ": " + f.lhs;
  return f;
}

// ---- design steps ----

namespace {

constexpr std::array<const char*, kSteps> kStepTitles = {
    "Soil pressure", "Uplift and stability", "Bending", "Depth", "One-way shear", "Punching shear", "Steel",
    "Bar arrangement", "Edge depth", "Development length", "Pedestal and dowels", "Other checks"};

Step stepOf(const CodeCheck& c) {
  switch (c.kind) {
    case CheckKind::PedestalLoad:
    case CheckKind::PedestalSteel:
    case CheckKind::PedestalBarSpacing:
    case CheckKind::PedestalTiePitch:
    case CheckKind::PedestalFit:
    case CheckKind::ColumnBaseBearing:
    case CheckKind::PedestalBaseBearing:
    case CheckKind::DowelSteel:
    case CheckKind::DowelDevelopment: return kPedestal;
    case CheckKind::Bearing:
    case CheckKind::Resultant: return kSoil;
    case CheckKind::Uplift:
    case CheckKind::Sliding:
    case CheckKind::Overturning: return kStability;
    case CheckKind::Bending: return kBending;
    case CheckKind::SteelForBending:
    case CheckKind::MinimumSteel: return kSteel;
    case CheckKind::OneWayShear: return kOneWay;
    case CheckKind::Punching: return kPunching;
    case CheckKind::BarSpacing: return kBars;
    case CheckKind::EdgeDepth: return kEdge;
    case CheckKind::DevelopmentLength: return kDevelopment;
    case CheckKind::LeastBarSpacing:
    case CheckKind::Other: return kOther;
  }
  return kOther;
}

// The uplift, sliding and overturning checks of a row, one line per footing (per combined footing): each
// check as its case, the factored demand and what holds the footing. A row of many footings keeps its
// body short so.
class StabilityTable {
 public:
  // Without horizontal forces in the reactions sliding was not checked and overturning took the moments
  // alone.
  explicit StabilityTable(bool horizontalForcesKnown) : horizontal_(horizontalForcesKnown) {}

  // Takes the check when it is one of the three and names its footing and case; false otherwise.
  bool take(const CodeCheck& c) {
    const int kind = c.kind == CheckKind::Uplift ? 0 : c.kind == CheckKind::Sliding ? 1 : c.kind == CheckKind::Overturning ? 2 : 3;
    if (kind == 3 || c.joints.empty() || c.loadCase == 0) return false;
    std::string where = c.joints.size() > 1 ? "joints " : "joint ";  // "joint 5", "joints 20 and 21"
    for (std::size_t k = 0; k < c.joints.size(); ++k) where += (k > 0 ? " and " : "") + numberText(c.joints[k]);
    std::string cell = numberText(c.loadCase) + ": " + rounded(c.demand, 2) + (c.ok ? " ≤ " : " > ") +
                       rounded(c.capacity, 2);
    if (kind == 2) cell += c.axis == 'X' ? " (X)" : " (Z)";
    if (kind == 1 && !horizontal_) cell = "not checked: no FX, FZ";
    if (kind == 2 && !horizontal_) cell += ", moments only";
    auto line = std::find_if(lines_.begin(), lines_.end(), [&](const Line& l) { return l.where == where; });
    if (line == lines_.end()) line = lines_.insert(lines_.end(), Line{where, {}, true});
    line->cells[static_cast<std::size_t>(kind)] = cell;
    line->ok = line->ok && c.ok;
    return true;
  }

  void addTo(Steps& steps, const Project& p) const {
    if (lines_.empty()) return;
    const DesignOptions& o = p.decisions.options;
    steps.add(kStability,
              Paragraph{"Uplift, IS 456 cl. 20.1: " + num(o.upliftFactor) + " U ≤ 0.9 W; sliding, cl. 20.2: " +
                        num(o.slidingFactor) + " √(FX² + FZ²) ≤ μ N, μ = " + num(o.friction) +
                        "; overturning about the edges parallel to X or Z, cl. 20.1: " + num(o.overturningFactor) +
                        " M ≤ N × half the side (see the design basis). For each footing the case nearest its "
                        "limit, as case: demand against capacity."});
    Table t;
    t.header = {"Footing", "Uplift kN", "Sliding kN", "Overturning kN·m", "Result"};
    t.align = {Align::Left, Align::Left, Align::Left, Align::Left, Align::Left};
    for (const Line& l : lines_)
      t.rows.push_back({{l.where, l.cells[0], l.cells[1], l.cells[2], l.ok ? "OK" : "FAILS"}, !l.ok});
    steps.add(kStability, t);
  }

 private:
  struct Line {
    std::string where;
    std::array<std::string, 3> cells;
    bool ok = true;
  };
  bool horizontal_ = true;
  std::vector<Line> lines_;
};

}  // namespace

void addChecks(Steps& steps, const Project& p, const std::vector<CodeCheck>& checks) {
  StabilityTable stability(p.HorizontalForcesKnown);
  Table bearing;
  bearing.header = {"Check", "Pressure kN/m²", "Allowable kN/m²", "Result"};
  bearing.align = {Align::Left, Align::Right, Align::Right, Align::Left};
  for (const CodeCheck& c : checks) {
    if (c.kind == CheckKind::Bearing) {
      bearing.rows.push_back({{c.name, rounded(c.demand, 2), rounded(c.capacity, 2), c.ok ? "OK" : "FAILS"}, !c.ok});
      continue;
    }
    if (stability.take(c)) continue;
    // A shear check gives the force it was worked out from ahead of the stress.
    if (const CheckTerm* V = c.term("Vu"); V && (c.kind == CheckKind::OneWayShear || c.kind == CheckKind::Punching))
      steps.add(stepOf(c), formula(c.name + ", shear force: Vu", "", "", rounded(V->value, 2) + " kN", c.clause,
                                   c.kind == CheckKind::Punching
                                       ? "on the perimeter b0 = " + termText(c, "b0") + " mm at d/2 from the pedestal, d = " +
                                             termText(c, "d") + " mm"
                                       : "at d = " + termText(c, "d") + " mm from the pedestal face, b = " +
                                             termText(c, "b") + " mm"));
    steps.add(stepOf(c), checkFormula(p, c));
  }
  if (!bearing.rows.empty()) {
    steps.add(kSoil, Paragraph{"Bearing, IS 456 cl. 34.1: the edge pressure with P = 1.1 FY (footing and soil) "
                               "against the allowable pressure of its case; for each footing (each column of a "
                               "combined footing) the case nearest its allowable pressure."});
    steps.add(kSoil, bearing);
  }
  stability.addTo(steps, p);
}

void writeSteps(report::Section& section, Steps& steps) {
  for (int s = 0; s < kSteps; ++s) {
    if (steps.blocks[s].empty()) continue;
    section.blocks.push_back(Paragraph{kStepTitles[s], true});
    for (report::Block& b : steps.blocks[s]) section.blocks.push_back(std::move(b));
  }
}

}  // namespace plintova::report_parts
