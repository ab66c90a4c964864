// IS 456:2000 rules shared by the designs of hand-resized and combined footings and by the checks of
// every schedule row: material figures, section strength, bars and their spacing, critical sections.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/design_options.h"
#include "model/design_rows.h"

namespace plintova::is456 {

// Units of the section rules: widths, depths, diameters and spacings in mm, areas in mm2, forces in kN,
// moments in kN m, stresses and grades in N/mm2.

constexpr double kLoadFactor = 1.5;     // Table 18: 1.5 on the reactions as read
constexpr double kCover = 50;           // mm of clear cover, cl. 26.4.2.2 (footings)
constexpr double kMinEdgeDepth = 150;   // mm at the edge of a footing on soil, cl. 34.1.2
constexpr double kMaxSpacing = 300;     // mm, cl. 26.3.3 b (and never more than 3 d)
constexpr double kStartStep = 50;       // mm: the first total depth is a whole 50 mm step
constexpr double kDeepenStep = 25;      // mm added while a depth check fails
constexpr double kMinTotalDepth = 250;  // mm, the shallowest footing, as the size groups make it
// The closest spacing the bar choice prefers (not a code limit): below it the next larger diameter is
// taken, so that a heavy footing gets fewer, larger bars rather than a mat too dense to concrete.
constexpr double kPreferredSpacing = 100;
constexpr int kMaxDeepenings = 400;     // 10 m of deepening: no footing on this plan gets near it

// The engineer's choices of bars and cover (the design options), in mm.
struct SteelRules {
  double cover = kCover;                          // clear cover below the bottom bars, cl. 26.4.2.2
  std::vector<int16_t> diameters = {10, 12, 16, 20, 25};  // ascending, the smallest that fits is taken
  double minSpacing = kPreferredSpacing;          // closest centre spacing a layer is given
  double step = 10;                               // spacings are rounded down to a multiple of it
};
SteelRules steelRules(const DesignOptions& o);

// Clauses named by the checks.
inline const std::string kBearingClause = "IS 456 cl. 34.1 (safe bearing capacity)";
inline const std::string kBendingClause = "IS 456 cl. 34.2.3.2, Annex G-1.1 c";
inline const std::string kSteelClause = "IS 456 cl. 34.2.3.2, Annex G-1.1 b";
inline const std::string kOneWayShearClause = "IS 456 cl. 34.2.4.1 a, 40.2.1, Table 19";
inline const std::string kPunchingClause = "IS 456 cl. 34.2.4.1 b, 31.6.3.1";
inline const std::string kMinSteelClause = "IS 456 cl. 34.5.1, 26.5.2.1";
inline const std::string kSpacingClause = "IS 456 cl. 34.5.1, 26.3.3 b";
inline const std::string kLeastSpacingClause = "IS 456 cl. 26.3.2; least spacing of the design options";
inline const std::string kEdgeDepthClause = "IS 456 cl. 34.1.2";
inline const std::string kResultantClause = "IS 456 cl. 34.1 (reactions within the base)";

constexpr double kConcreteStrain = 0.0035;  // ultimate compressive strain of concrete, cl. 38.1 b
constexpr double kSteelModulus = 200000;    // Es, N/mm2, cl. 5.6.3

// xu,max/d for the steel grade (cl. 38.1 f): the neutral axis at which the steel reaches its design
// yield strain 0.002 + 0.87 fy/Es as the concrete reaches 0.0035, xu,max/d = 0.0035/(0.0055 +
// 0.87 fy/Es). The code's note gives 0.53, 0.48 and 0.46 for Fe 250, 415 and 500; Fe 550 comes to 0.443.
double xuMaxRatio(int fe);

// Mu,lim / (fck b d^2) for the steel grade (Annex G-1.1 c): 0.36 x (1 - 0.416 x) with x = xu,max/d,
// to three decimals: 0.148, 0.138, 0.133 and 0.130 for Fe 250, 415, 500 and 550.
double limitingMomentFactor(int fe);

// Limiting moment of resistance of a section b x d (Annex G-1.1 c), kN m.
double limitingMoment(int fck, int fe, double b, double d);

// Effective depth at which Mu is the limiting moment on width b (Annex G-1.1 c), mm; 0 for Mu <= 0.
double depthForMoment(int fck, int fe, double Mu, double b);

// Tension steel for the moment Mu on b x d (Annex G-1.1 b solved for Ast), mm2:
//   pt = (1 - sqrt(1 - 4.6 k / fck)) fck / (2 fy) x 100 with k = Mu / (b d^2).
// Beyond k = fck / 4.6 the root is taken as 0 (as the size groups' design does); such a section
// fails its bending check long before. 0 for Mu <= 0.
double steelForMoment(int fck, int fe, double Mu, double b, double d);

// Moment of resistance of Ast on b x d (Annex G-1.1 b), kN m; steel beyond the limiting amount adds
// nothing (the moment stays at the limiting moment, G-1.1 c).
double momentOfResistance(int fck, int fe, double Ast, double b, double d);

// Minimum steel on the gross section b x D (cl. 26.5.2.1 through 34.5.1): 0.15 % for Fe 250, 0.12 %
// for the high-strength deformed grades.
double minimumSteel(int fe, double b, double D);

// Design shear strength of concrete for pt percent of tension steel (Table 19); a pt of 3.00 or more
// takes the 3.00 row ("3.00 and above"), a grade above 40 the M40 column.
double shearStrength(int fck, double pt);

// Punching strength ks x 0.25 sqrt(fck) (cl. 31.6.3.1), ks = 0.5 + beta_c <= 1, beta_c the short side
// of the loaded area (the pedestal) over its long side.
double punchingStrength(int fck, double betaC = 1.0);

// Design bond stress of bars in tension (cl. 26.2.1.1): 1.2, 1.4, 1.5, 1.7 and 1.9 N/mm2 for M20,
// M25, M30, M35 and M40 and above, raised by 60 % for deformed bars (Fe 415, 500, 550). M15 lies below
// the table: 1.0 N/mm2 is taken for it.
double bondStress(int fck, int fe);

// Development length Ld = dia x 0.87 fy / (4 tau_bd) (cl. 26.2.1), mm.
double developmentLength(int fck, int fe, double dia);

// The anchorage of bars at one critical face. cl. 26.2.1 asks Ld = dia sigma_s / (4 tau_bd) for the
// stress sigma_s the bars carry there, 0.87 fy x (steel that bending needs) / (steel provided); the
// program never asks less than max(0.3 Ld at 0.87 fy, 10 dia, 100 mm). `available` is the straight
// length from the face to the bar end less the cover. Where it is too short the bar ends in a standard
// 90 degree bend, whose anchorage value is 8 dia including its 4 dia extension (cl. 26.2.2.1 b).
struct Anchorage {
  double required = 0;   // mm
  double provided = 0;   // mm: the straight length, plus 8 dia where the bar is bent
  bool bent = false;
  bool ok() const { return required <= provided; }
};
Anchorage anchorageAt(int fck, int fe, double dia, double stressRatio, double available);
// The stress ratio of the bars at a face: the steel bending needs over the steel provided, 0 to 1.
double stressRatio(double needed, double provided);

// The clause of the development-length check, naming the bond stress taken below the table for M15.
std::string developmentClause(int fck);

double barArea(double dia);

// Effective depth of a bottom layer of bars of diameter dia lying on `below` mm of other bars, in a
// footing D mm deep: D - cover - below - dia / 2 (cl. 26.4.2.2).
double effectiveDepth(double D, double below, double dia, double cover = kCover);

// The first total depth for `required` mm: the next whole 50 mm step, at least 250 mm.
double startDepth(double required);

// Bars of one diameter spread evenly over a width: their count, centre-to-centre spacing and area.
struct Bars {
  int16_t dia = 0;
  int16_t count = 0;
  int16_t spacing = 0;  // mm, whole millimetres rounded down
  double area = 0;      // mm2 provided
};

// The fewest bars of diameter dia that give Ast over `width` mm at a spacing of at most maxSpacing.
// `footingEdges` (0, 1 or 2) of the width's two edges are edges of the footing, where the outermost
// bar lies at the cover plus half a bar from the edge; at an edge inside the footing (a band beside
// another band) the outermost bar lies half a spacing in, so that neighbouring parts meet at one
// spacing. A width with two footing edges holds at least 2 bars, any other at least 1. The spacing is
// rounded down to a multiple of `step` mm and the count follows from it.
Bars placeBars(double Ast, double width, int16_t dia, int footingEdges, double maxSpacing, double step = 1,
               double cover = kCover);

// One diameter tried for a layer: whether its development length fits where it must, and the closest
// spacing of its bars.
struct BarOption {
  int16_t dia = 0;
  bool anchored = false;
  double spacing = 0;  // mm
};

// The diameter a layer takes among those tried (in ascending order): the smallest that is anchored
// and spaced at least minSpacing apart; else the anchored one with the widest spacing. When no
// diameter can develop its bars (the row is flagged), the same rule among all of them, so that the
// flagged layer is still one that can be placed. Returns its index.
std::size_t chooseBarOption(const std::vector<BarOption>& options, double minSpacing = kPreferredSpacing);

// A rectangle on plan, m.
struct Rect {
  double x0 = 0, z0 = 0, x1 = 0, z1 = 0;
};

// The critical section for punching (cl. 31.6.1) of a square of side `side` centred at (cx, cz): the
// length of its sides that lie inside the footing (a side beyond an edge of the footing is cut off and
// the remaining sides are clipped to it), m, and the area of the square within the footing, m2.
struct PunchingSection {
  double perimeter = 0;
  double area = 0;
};
PunchingSection punchingSection(const Rect& footing, double cx, double cz, double side);
// The same for a rectangle sideX by sideZ (a rectangular pedestal's section): perimeter 2 (sideX + sideZ)
// where it lies wholly within the footing.
PunchingSection punchingSection(const Rect& footing, double cx, double cz, double sideX, double sideZ);

// A check of a kind: ok exactly when demand <= capacity.
CodeCheck makeCheck(CheckKind kind, std::string name, double demand, double capacity, std::string unit,
                    std::string clause);
// The check with the quantities it was worked out from (symbols "Mu" kN m, "Vu" kN, "b", "b0", "d", "D"
// and "phi" mm, "As" mm2, "pt" %), so that a report can write its substitution out.
CodeCheck withTerms(CodeCheck check, std::vector<CheckTerm> terms);
// The check with the joints whose footing it concerns and the load case (0: none) it was found in.
CodeCheck concerning(CodeCheck check, std::vector<int> joints, int loadCase);

}  // namespace plintova::is456
