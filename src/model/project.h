// The project model: every table, record and limit of one opened analysis listing.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "model/decisions.h"
#include "model/design_rows.h"
#include "model/flat_map.h"
#include "model/limited_table.h"
#include "model/load_cases.h"
#include "model/single.h"

namespace plintova {

// The factors a load case takes: on its reactions where the soil is checked (0: not a soil case) and
// where the concrete is designed (0: not a design case).
struct CaseFactors {
  double soil = 0;
  double design = 0;
  bool operator==(const CaseFactors&) const = default;
};

// Limits of the model, set far above real buildings; a listing beyond one is refused with a message
// naming it. Tables grow with the listing up to their limit. Records are indexed from 1; element 0 holds
// nothing or a count. Footing indices are 16-bit in the engineer's decisions, hence the support limit.
namespace cap {
constexpr int kJoints = 1'000'000;
constexpr int kMembers = 2'000'000;
constexpr int kRotated = 2'000'000;
constexpr int kColumnBlocks = 2'000'000;
constexpr int kBeamBlocks = 2'000'000;
constexpr int kFootings = 30'000;        // supports that can be designed
constexpr int kReactionSupports = kFootings;  // rows of the reaction table
constexpr int kCasePositions = 2'000;    // load-case positions 0..1999 per support
constexpr int kLastCase = kCasePositions - 1;
constexpr int kLargestJointNumber = 9'999'999;  // seven digits, the width of the listing's joint column
constexpr int kLevels = kJoints;         // level list entries: at most one distinct coordinate per joint
// Each of these is bounded by the supports: a combined footing takes two footings, a size group or a
// grid line at least one.
constexpr int kCombined = kFootings / 2;
constexpr int kCombinedMembers = 10;     // footings listed for one selection window
constexpr int kSizeGroups = kFootings;
constexpr int kGroupMembers = kFootings;
constexpr int kGridLines = kFootings;
}  // namespace cap

// Components of the reaction table beyond FY (2), MX (3) and MZ (4): the horizontal reactions.
constexpr int kReactionFX = 5;
constexpr int kReactionFZ = 6;

// Every check of soil pressure against an allowable value raises the vertical reaction by this factor,
// the allowance for the weight of footing and soil; the design's net upward pressure uses the reaction
// as read.
constexpr double kSoilCheckLoadFactor = 1.1;

// What a footing is on the plan, derived from the engineer's decisions.
enum class FootingKind : int8_t {
  Isolated,     // square, of the size group it was assigned to
  Combined,     // one of the two columns of a combined footing (FootingRecord::CombinedNo)
  HandResized,  // rectangular, its length chosen by the engineer
  Disabled,     // left out of the design
};

// One isolated footing, under the support with the same index.
struct FootingRecord {
  int32_t JointNo = 0;
  FootingKind Kind = FootingKind::Isolated;
  int16_t CombinedNo = 0;  // the combined footing (1..CombinedCount) of a Combined footing, else 0
  int16_t GroupNo = 0;
  int16_t GroupRank = 0;
  int32_t PosX = 0;        // footing centre on plan, mm
  int32_t PosZ = 0;
  int32_t ColumnX = 0;     // support joint on plan, mm
  int32_t ColumnZ = 0;
  int32_t OffsetX = 0;     // column offset step -1, 0, +1
  int32_t OffsetZ = 0;
  Single SizeL = 0;         // adopted plan size along X, m
  Single SizeB = 0;         // adopted plan size along Z, m
  Single ReqSize = 0;       // required side of the square footing, m
  int32_t ColumnMember = 0;  // row of ColumnSectionTable of the column on the support, 0 when none
  bool NoTension = false;    // the no-tension requirement governs the size: label shown bold and red
  bool NoTensionCapped = false;  // the no-tension requirement asked for more than 6 m: tension remains
  bool UpliftGoverns = false;    // the weight needed against uplift governs the size
  int32_t SizedOffsetX = 0;  // PosX - ColumnX and PosZ - ColumnZ when the footing was last sized, mm
  int32_t SizedOffsetZ = 0;
};

// Quantities of one designed schedule row, computed by the design and only shown by the windows.
struct DesignQuantities {
  Single c = 0;     // cantilever, m
  Single Mu = 0;    // factored moment, kN m
  Single k = 0;     // Mu / B d^2, N/mm2
  Single pt = 0;    // steel percentage
  Single Ast = 0;   // steel area over the width, mm2
  int16_t n = 0;   // bar count
  int16_t s = 0;   // spacing, mm
  bool barsKnown = true;  // false when the bar count or spacing of an absurd section does not fit 16 bits
  Single V1 = 0, tv1 = 0, tc = 0;  // one-way shear force, stress, permissible stress
  Single V2 = 0, tv2 = 0, tp = 0;  // punching force, stress, permissible stress
  Single qu = 0;                   // factored net upward pressure the section is designed for, kN/m2
  Single dOuter = 0, dInner = 0;   // effective depths of the lower and upper layer, m
  bool bent = false;               // the bars end in a standard 90 degree bend at the edges
  Single Ld = 0;                   // anchorage the bars need at the pedestal face, mm
  Single anchorage = 0;            // anchorage they have there (straight length, plus 8 dia when bent), mm
};

// One standard footing size (size groups) or one schedule row (design groups).
struct SizeGroupRecord {
  Single GroupBaseSize = 0;
  Single GroupSize = 0;
  Single TotalDepth = 0;
  PedestalSides Pedestal;  // along X and Z, m: square in a size group, per direction in a schedule row
  int16_t BarDia = 0;
  int16_t MemberCount = 0;
  LimitedTable<int16_t, cap::kGroupMembers + 1> Members;  // positions 1..MemberCount
  int16_t GroupMark = 0;
  Single NetPressure = 0;
  int16_t GovFooting = 0;
  int16_t GovCase = 0;
  // The load factor the design applies to NetPressure: the governing design case's (1.5 on a service
  // case, 1.2 on one with wind or earthquake and imposed load, 1 on a factored case).
  double LoadFactor = 1.5;
  bool Checked = true;        // the group's check box: the group takes footings while ticked
  DesignQuantities design;    // results of the latest design of a schedule row
  std::vector<CodeCheck> checks;  // the IS 456 checks of a schedule row (flags only: they change no number)
  // The longest offset of a member footing's centre from its column, m: each cantilever reaches that much
  // further to the footing's far edge.
  Single Offset = 0;
  std::vector<SteelLayer> topSteel;  // top steel each way where a member footing is lifted
  Single TypedDepth = 0;    // the engineer's total depth of a schedule row, m (0: designed)
  bool BarDiaFixed = false;  // the engineer chose BarDia; otherwise the design chose it
  PedestalSteel pedestal;    // the pedestal, its ties and dowels of a schedule row (every member alike)
};

// One rectangular combined footing under two columns.
struct CombinedFootingRecord {
  int16_t CfMemberCount = 0;
  CheckedArray<int16_t, cap::kCombinedMembers + 1> CfMembers;  // positions 1..10
  Single CfLeft = 0, CfBottom = 0, CfRight = 0, CfTop = 0;      // plan rectangle, mm
  Single CfLength = 0, CfWidth = 0;                             // m
  Single Cant1 = 0, Cant2 = 0;                                  // m
  int16_t CfAxis = 0;        // 0 along Z, 1 along X
  Single CfHalfSkew = 0;      // mm
  Single CfDistance = 0;      // mm
};

// Reaction table: support s 0..kReactionSupports, load-case position c 0..kLastCase, component k 0..6.
// (0,0,0) holds SupportCount; (s,0,0) the joint number; (s,c,1) the load case number (0 ends the
// support's list); (s,c,2) FY; (s,c,3) MX; (s,c,4) MZ; (s,c,5) FX; (s,c,6) FZ. Every value is as read
// (converted to kN and kN m): an FY of zero or upward (negative) is kept. Each support holds the
// positions written so far; a position beyond them reads as zero.
class ReactionTableType {
 public:
  using Position = std::array<Single, 7>;
  // The seven components of position c of support s, for a reader that fills a whole position.
  Position& position(long long s, long long c) {
    check(s, c, 0);
    if (static_cast<std::size_t>(s) >= supports_.size()) supports_.resize(static_cast<std::size_t>(s) + 1);
    auto& cases = supports_[static_cast<std::size_t>(s)];
    if (static_cast<std::size_t>(c) >= cases.size()) cases.resize(static_cast<std::size_t>(c) + 1);
    return cases[static_cast<std::size_t>(c)];
  }
  Single& operator()(long long s, long long c, long long k) {
    check(s, c, k);
    return position(s, c)[static_cast<std::size_t>(k)];
  }
  Single operator()(long long s, long long c, long long k) const {
    check(s, c, k);
    if (static_cast<std::size_t>(s) >= supports_.size()) return 0;
    const auto& cases = supports_[static_cast<std::size_t>(s)];
    return static_cast<std::size_t>(c) < cases.size() ? cases[static_cast<std::size_t>(c)][static_cast<std::size_t>(k)]
                                                       : Single{0};
  }
  // Room for positions 0..c of support s, ahead of writing them.
  void reserve(long long s, long long c) {
    check(s, c, 0);
    if (static_cast<std::size_t>(s) >= supports_.size()) supports_.resize(static_cast<std::size_t>(s) + 1);
    supports_[static_cast<std::size_t>(s)].reserve(static_cast<std::size_t>(c) + 1);
  }

 private:
  static constexpr long long kS = cap::kReactionSupports + 1, kC = cap::kCasePositions, kK = 7;
  static void check(long long s, long long c, long long k) {
    if (s < 0 || s >= kS || c < 0 || c >= kC || k < 0 || k >= kK)
      throwIndexError("ReactionTable", s * 100000 + c * 10 + k, kS * kC * kK);
  }
  // A vector of supports: growing it moves each support's list but never the positions in it, so a
  // reference from position() stays good; and indexing it is one multiplication, not a deque's division.
  std::vector<std::vector<Position>> supports_;
};

// A lattice of cells addressed by level indices, stored sparsely: only non-zero cells are kept, so
// memory follows the number of joints, not the product of the three level counts. A cell holds a joint
// number or a row of the section tables.
class SparseLattice {
 public:
  static constexpr int kLevelBits = 21;  // level indices 0..2,097,151 on each axis, above cap::kLevels
  int32_t get(int ix, int iy, int iz) const { return cells_.get(key(ix, iy, iz)); }
  void set(int ix, int iy, int iz, int32_t v);
  void clear() { cells_.clear(); }
  std::size_t size() const { return cells_.size(); }
  bool operator==(const SparseLattice&) const = default;

 private:
  static uint64_t key(int ix, int iy, int iz) {
    return (static_cast<uint64_t>(static_cast<uint32_t>(ix)) << (2 * kLevelBits)) |
           (static_cast<uint64_t>(static_cast<uint32_t>(iy)) << kLevelBits) | static_cast<uint64_t>(static_cast<uint32_t>(iz));
  }
  FlatMap cells_;
};
static_assert(cap::kLevels < (1 << SparseLattice::kLevelBits));

struct Project {
  // Geometry read from the listing.
  std::string AnlPath;
  // Fingerprints of what was read, so that a saved project can tell whether its listing changed: the
  // SHA-256 of the listing's bytes (64 lower-case hex digits) and, per support (entry 0 unused), 16 hex
  // digits of the SHA-256 of its reaction lines as read (load case numbers, FY, MX, MZ). The SHA-256
  // is made from the bytes kept here the first time it is asked for (listingSha256 in
  // input/fingerprints.h: a project saved or opened, a report written), and the bytes are let go then.
  mutable std::string ListingSha256;
  mutable std::shared_ptr<const char[]> ListingBytes;
  mutable std::size_t ListingByteCount = 0;
  std::vector<std::string> SupportPrints;
  LimitedTable<CheckedArray<int32_t, 4>, cap::kJoints + 1> JointTable;  // number, X, Y, Z (mm)
  int32_t JointCount = 0;
  LimitedTable<CheckedArray<int32_t, 5>, cap::kMembers + 1> MemberTable;  // number, start, end
  int32_t MemberTotal = 0;
  LimitedTable<int32_t, cap::kRotated + 1> RotatedMemberList;
  int32_t RotatedMemberCount = 0;
  LimitedTable<CheckedArray<int32_t, 5>, cap::kColumnBlocks + 1> ColumnSectionTable;  // -, member, length, dim1, dim2
  int32_t ColumnSectionCount = 0;
  LimitedTable<CheckedArray<Single, 21>, cap::kBeamBlocks + 1> BeamSectionTable;  // -, member, length, dim1, dim2
  int32_t BeamSectionCount = 0;

  // Reactions and design inputs.
  ReactionTableType ReactionTable;
  LimitedTable<Single, cap::kCasePositions> CaseSbc;
  // The founding depth (m) and the earth pressure over the footing (kN/m2), set together by
  // setFoundingDepth (footing/design_inputs.h).
  double FoundingDepth = 0;
  Single EarthPressure = 0;
  int16_t Fck = 0;
  int16_t Fe = 0;
  // The grades as the listing gives them (0 where it gives none); Fck and Fe above are the grades the
  // design uses, the engineer's when GradesGiven.
  int16_t ListingFck = 0;
  int16_t ListingFe = 0;
  bool GradesGiven = false;
  // The reaction table gives FX and FZ (a listing always does; a table only with its fx and fz columns).
  // Without them sliding and overturning are checked for the moments alone, and the rows say so.
  bool HorizontalForcesKnown = true;
  // The load cases as the listing defines them (title, load type, a combination's parts), in its order,
  // and the load-case numbers of the reaction table in the order it first gives them (before any choice).
  std::vector<LoadCaseDef> LoadCases;
  std::vector<int> ListingCases;
  // The engineer's choice of load cases: the cases used (empty: every case of the listing; the others
  // are left out of the reaction table as if the listing did not hold them), and the rule that decides
  // which cases are checked against the increased pressure: every case after a support's first, the wind
  // and earthquake cases (IncreasedCases holds them), or the cases the engineer chose (IncreasedCases).
  std::vector<int> UsedCases;
  std::vector<int> IncreasedCases;  // ascending
  IncreaseRule increaseRule = IncreaseRule::LaterCases;
  bool increasedByChoice() const { return increaseRule == IncreaseRule::Chosen; }
  // What each case is: the roles the engineer set (by case number; the others take the role the listing
  // suggests, suggestedRole), the combinations added to the reaction table after the listing's cases
  // (generated from the primary cases or set by the engineer), and the factor each case takes where the
  // soil and the design use it (footing/case_basis.h; none worked out: every case is a service case).
  std::map<int, CaseRole> CaseRoles;
  std::vector<Combination> Combinations;
  std::map<int, CaseFactors> CaseFactorsInForce;
  // "PDELTA" or "NONLINEAR" when the listing's echo names such an analysis: its reactions do not add up.
  std::string NonlinearAnalysis;

  // Footings and their groups.
  LimitedTable<FootingRecord, cap::kFootings + 1> FootingTable;
  int16_t FootingCount = 0;
  LimitedTable<CombinedFootingRecord, cap::kCombined + 1> CombinedFootingTable;
  int16_t CombinedCount = 0;
  LimitedTable<SizeGroupRecord, cap::kSizeGroups + 1> SizeGroupTable;
  int16_t SizeGroupCount = 0;
  LimitedTable<SizeGroupRecord, cap::kSizeGroups + 1> DesignGroupTable;
  int16_t DesignGroupCount = 0;
  // The schedule rows of hand-resized and combined footings, below the group rows: one per footing with
  // kind HandResized in footing order, one per combined footing in its order.
  std::vector<FootingRow> RectangularRows;
  std::vector<FootingRow> CombinedRows;
  LimitedTable<int32_t, cap::kGridLines + 1> GridLineX;  // count in position 0
  LimitedTable<int32_t, cap::kGridLines + 1> GridLineZ;
  LimitedTable<CheckedArray<Single, 8>, 14> ShearTable;
  int16_t ShearGradeColumn = 0;

  // Frame lattice.
  LimitedTable<Single, cap::kLevels + 1> LevelX;  // count in element 0
  LimitedTable<Single, cap::kLevels + 1> LevelY;
  LimitedTable<Single, cap::kLevels + 1> LevelZ;
  SparseLattice JointLattice, ColumnLattice, BeamXLattice, BeamZLattice;

  // The engineer's decisions; the footing table's kinds, sizes and positions, the groups' assignment,
  // the combined footings and the schedule are derived from them (see footing/derived_plan.h).
  Decisions decisions;
  // A schedule has been designed (the Design command ran); its rows were designed before the latest
  // change of the plan and no longer match it.
  bool scheduleDesigned = false;
  bool scheduleStale = false;

  // The design options the footings were last sized with (none: sizing is due for every footing).
  std::optional<DesignOptions> SizedOptions;

  // SupportCount as held in the first cell of the reaction table.
  int supportCount() const { return static_cast<int>(ReactionTable(0, 0, 0)); }

  // Allowable soil pressure of load-case position c of support s, kN/m2: SBC (CaseSbc[0]), or the
  // increased pressure (CaseSbc[1], the SBC increase option times SBC) for a case the increase rule
  // names: every position after the first, or a case of IncreasedCases.
  double allowable(int s, int c) const;

  // Last load-case position of support s: positions run from 0 while the next position carries a
  // load case number, up to kLastCase. Every loop over a support's cases uses its own last position.
  int lastCasePosition(int s) const {
    int c = 0;
    while (c < cap::kLastCase && ReactionTable(s, c + 1, 1) != 0.0f) ++c;
    return c;
  }
};

// Makes f a member of combined footing n (n >= 1), or an isolated footing again (n = 0).
inline void setCombined(FootingRecord& f, int n) {
  f.Kind = n > 0 ? FootingKind::Combined : FootingKind::Isolated;
  f.CombinedNo = static_cast<int16_t>(n > 0 ? n : 0);
}

// The mark a footing shows on the plan: "F3" for a member of size group mark 3, "R1" for the first
// hand-resized footing, "C2" for a member of the second combined footing; "" for a disabled footing or
// one in no group.
std::string footingMark(const FootingRecord& f);

// Empties every table and input a reading of a listing or table fills, so that a reader starts clean.
void clearInputTables(Project& p);

// After a reading: ListingCases from the reaction table, and the default increase rule for them (the
// wind and earthquake cases when the listing names any case's title or type, else every later case).
void setListingCases(Project& p);

// CaseSbc after SBC (CaseSbc[0]) or the SBC increase option changed: every later position holds the
// increased pressure, the option times SBC in single precision.
void setIncreasedSbc(Project& p);

// The section of the column standing on footing s, mm along X and along Z as the listing's column design
// block gives it with its BETA angle applied (dimension 2 along X, dimension 1 along Z); none when the
// footing's column or its section is not known.
struct ColumnSection {
  double alongX = 0, alongZ = 0;
};
std::optional<ColumnSection> columnSection(const Project& p, int s);

// The least pedestal of footing s, m per direction: its column's side along X and along Z plus the
// pedestal margin of the design options on each side; 0 by 0 where the column's section is not known.
PedestalSides columnPedestal(const Project& p, int s);

// Centre of footing s for column offset steps (ox, oz): ColumnX + ox * (column dimension 2 / 2 - 115 mm)
// and ColumnZ + oz * (dimension 1 / 2 - 115 mm), in whole millimetres, so that a shifted footing keeps
// 115 mm between its centre's shift and the column face. Empty when the footing's column section is
// unknown (the footing stays under its column) or the position does not fit.
std::optional<std::pair<int32_t, int32_t>> offsetPosition(const Project& p, int s, int ox, int oz);

// Centre of footing s standing `offset` off its column: ColumnX + dx, ColumnZ + dz, or the column's own
// position along an axis where that would not fit a whole millimetre coordinate.
std::pair<int32_t, int32_t> footingCentre(const Project& p, int s, ColumnOffset offset);

// The offset in millimetres that steps (ox, oz) give footing s; empty where offsetPosition is.
std::optional<ColumnOffset> stepOffset(const Project& p, int s, int ox, int oz);

// The steps nearest to an offset in millimetres, along each axis the step whose shift lies closest
// (on a tie the smaller step); 0, 0 where the column's section is unknown. The layout file keeps them.
OffsetSteps nearestSteps(const Project& p, int s, ColumnOffset offset);

}  // namespace plintova
