// Reads an analysis output listing (.ANL) into the project model and builds the frame lattice.
#include "input/listing_reader.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <optional>
#include <algorithm>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "files/safe_file.h"
#include "input/fingerprints.h"
#include "input/listing_passes.h"
#include "input/load_titles.h"
#include "model/frame_lattice.h"
#include "model/numbers.h"

namespace plintova {

namespace listing {

void refuseNumber(const LineCursor& at, std::string_view numberText) {
  std::size_t e = 0;
  while (e < numberText.size() && !isBlank(numberText[e])) ++e;
  refuse("Line " + std::to_string(at.lineNumber()) + " of the listing holds a number that cannot be read: " +
         shortText(numberText.substr(0, e)) + ".");
}

int32_t wholeValue(double v, const LineCursor& at, std::string_view line, std::size_t pos) {
  auto r = toInt32(v);
  if (!r) refuseNumber(at, line.substr(std::min(pos, line.size())));
  return *r;
}

float singleValue(double v, const LineCursor& at, std::string_view line, std::size_t pos) {
  if (!(std::fabs(v) <= static_cast<double>(FLT_MAX))) refuseNumber(at, line.substr(std::min(pos, line.size())));
  return static_cast<float>(v);
}

void refuseCapacity(long long count, const char* what, int limit, const char* verb) {
  refuse("The listing has " + std::to_string(count) + " " + what + "; at most " + std::to_string(limit) + " can be " +
         verb + ".");
}

namespace {

// The length unit that the words of a UNIT command name, force and length in either order ("METER
// KN", "KNS MMS", "FEET KIP", "INCHES POUND"); the words end at the line's end or at a ";". Unknown
// when a word is neither a length nor a force unit (it is taken for a length unit not known here);
// nothing when the command names only force units.
std::optional<LengthUnit> commandLengthUnit(std::string_view words) {
  std::optional<LengthUnit> unknown;
  std::size_t i = 0;
  while (i < words.size() && words[i] != ';') {
    if (isBlank(words[i])) {
      ++i;
      continue;
    }
    std::size_t e = i;
    while (e < words.size() && !isBlank(words[e]) && words[e] != ';') ++e;
    const std::string_view word = words.substr(i, e - i);
    if (LengthUnit u = lengthUnitOfWord(word); u != LengthUnit::Unknown) return u;
    if (forceUnitOfWord(word) == ForceUnit::Unknown && !unknown) unknown = LengthUnit::Unknown;
    i = e;
  }
  return unknown;
}

// Files that are plainly something else than a listing, named for what they are.
void refuseOtherKindsOfFile(std::string_view text, std::string_view name) {
  const std::string file = "The file " + std::string(name);
  if (text.find_first_not_of(" \t\r\n\f") == npos)
    refuse(file + " is empty; an analysis listing (.ANL) was expected.");
  if (text.starts_with("%PDF")) refuse(file + " is a PDF document, not an analysis listing (.ANL).");
  const std::string_view head = text.substr(0, 4096);
  if (head.find("\"plintova-project\"") != npos)
    refuse(file + " is a Plintova project file, not an analysis listing (.ANL): open it as a project.");
  if (head.find('\0') != npos) refuse(file + " is not text; an analysis listing (.ANL) is a text file.");
}

// The refusal of a file that is no analysis listing: named for what it is when that is plain, else for
// what it lacks, with what a listing holds.
[[noreturn]] void refuseNotAListing(std::string_view text, std::string_view name, const std::string& lacking) {
  refuseOtherKindsOfFile(text, name);
  refuse("The file " + std::string(name) + " is not an analysis listing that can be read: " + lacking +
         ". An analysis listing (.ANL) echoes the input commands UNIT, JOINT COORDINATES and MEMBER INCIDENCES "
         "and prints the support reactions.");
}

// Every support must stand on a joint whose coordinates the listing gives: without them its footing
// would be placed at the origin. A listing whose line ends were converted twice, for one, can lose
// the continuation line of a JOINT COORDINATES command.
void refuseSupportsWithoutCoordinates(const Project& p, std::string_view name) {
  const int supports = std::min(p.supportCount(), cap::kFootings);
  // A support's joint number as a whole number (nothing else can name a joint).
  auto jointNumber = [&p](int s) -> std::optional<int32_t> {
    const float joint = p.ReactionTable(s, 0, 0);
    const auto number = toInt32(joint);
    if (number && static_cast<double>(*number) == static_cast<double>(joint)) return number;
    return std::nullopt;
  };
  // The supports' joint numbers, sorted, and which of them the joint table holds: one pass over the
  // joints against the few supports, instead of a set of every joint.
  std::vector<int32_t> wanted;
  wanted.reserve(static_cast<std::size_t>(std::max(supports, 0)));
  for (int s = 1; s <= supports; ++s)
    if (const auto number = jointNumber(s)) wanted.push_back(*number);
  std::sort(wanted.begin(), wanted.end());
  wanted.erase(std::unique(wanted.begin(), wanted.end()), wanted.end());
  std::vector<char> given(wanted.size(), 0);
  for (int j = 1; j <= p.JointCount; ++j) {
    const auto it = std::lower_bound(wanted.begin(), wanted.end(), p.JointTable[j][0]);
    if (it != wanted.end() && *it == p.JointTable[j][0]) given[static_cast<std::size_t>(it - wanted.begin())] = 1;
  }
  constexpr std::size_t kNamed = 20;
  std::vector<std::string> missing;
  std::size_t count = 0;
  for (int s = 1; s <= supports; ++s) {
    const float joint = p.ReactionTable(s, 0, 0);
    if (const auto number = jointNumber(s)) {
      const auto it = std::lower_bound(wanted.begin(), wanted.end(), *number);
      if (given[static_cast<std::size_t>(it - wanted.begin())]) continue;
    }
    if (++count <= kNamed) missing.push_back(numberText(joint));
  }
  if (count == 0) return;
  std::string list;
  for (std::size_t i = 0; i < missing.size(); ++i) list += (i ? ", " : "") + missing[i];
  if (count > kNamed) list += " and " + std::to_string(count - kNamed) + " more";
  refuse("The listing " + std::string(name) + " gives no coordinates for the support " +
         (count == 1 ? "joint " : "joints ") + list +
         ": every support's joint must be listed under JOINT COORDINATES. A line lost from that section (line "
         "ends converted twice, a listing edited by hand) leaves a joint out.");
}

// Whole millimetres per unit of the joint coordinates: the length unit of the first UNIT command that
// names one (1000 for metres, 1 for millimetres, 304.8 for feet ...). A command that names only a
// force unit leaves the length to a later one; a command with an unknown length unit is refused. A
// "UNIT" that is part of a longer word ("UNITS") or sits in a commented-out line is not the command.
// The cursor is left on the first UNIT command, where the search for the joints begins.
double readUnitFactor(LineCursor& cur, std::string_view name) {
  std::size_t from = cur.offset(), firstCommand = npos;
  while (from != npos) {
    const std::size_t at = cur.findLineFrom(from, "UNIT", true);
    if (at == npos) break;
    cur.moveTo(at);
    const std::string_view line = cur.line();
    for (std::size_t i = line.find("UNIT"); i != npos; i = line.find("UNIT", i + 1)) {
      bool wordStart = i == 0 || isBlank(line[i - 1]) || line[i - 1] == ';' || line[i - 1] == '.';
      if (!wordStart || i + 4 >= line.size() || !isBlank(line[i + 4])) continue;
      if (firstCommand == npos) firstCommand = at;
      const std::optional<LengthUnit> unit = commandLengthUnit(line.substr(i + 5));
      if (!unit) continue;
      if (*unit == LengthUnit::Unknown) refuse(" Units Should be Meter or mm ");
      cur.moveTo(firstCommand);
      return millimetresPer(*unit);
    }
    from = cur.nextOffset();
  }
  // UNIT commands that name no length unit are refused.
  if (firstCommand == npos) refuseNotAListing(cur.text(), name, "it has no UNIT command");
  refuse(" Units Should be Meter or mm ");
}

// Concrete and steel grades of the concrete design, in N/mm2. A listing without a concrete design (a
// steel frame, pipe supports) or without FC or FYMAIN in it gives 0 for what it lacks: the engineer
// gives the grades then.
void readGrades(Project& p, std::string_view text, double unitFactor) {
  p.Fck = p.Fe = p.ListingFck = p.ListingFe = 0;
  p.GradesGiven = false;
  LineCursor cur(text);
  if (!cur.findForward("START CONCRETE DESIGN", true)) return;
  double fy = 0, fc = 0;
  while (cur.next()) {
    std::string_view line = cur.line();
    if (isCommentLine(line)) continue;
    if (contains(line, "UNIT MMS NEWTON")) unitFactor = 1;
    else if (contains(line, "UNIT METER KN")) unitFactor = 1000;
    else if (contains(line, "FYMAIN")) fy = roundWhole(valueAfter(line, "FYMAIN"));
    else if (contains(line, "FC")) fc = roundWhole(valueAfter(line, "FC"));
    if (fc < 1) continue;
    if (fy > 0) break;
  }
  auto fck = toInt16(fc / unitFactor);
  auto fe = toInt16(fy / unitFactor);
  if (!fck) refuse("The concrete grade FC " + numberText(fc) + " of the listing cannot be read.");
  if (!fe) refuse("The steel grade FYMAIN " + numberText(fy) + " of the listing cannot be read.");
  p.Fck = p.ListingFck = *fck;
  p.Fe = p.ListingFe = *fe;
}

// Columns run upward and beams toward larger X or Z: a member whose start joint lies beyond its end
// joint in X, Y or Z has its joints exchanged.
void orientMembers(Project& p) {
  std::unordered_map<int32_t, int> rowOf;
  rowOf.reserve(static_cast<std::size_t>(p.JointCount) * 2);
  for (int j = 1; j <= p.JointCount; ++j) rowOf.emplace(p.JointTable[j][0], j);
  for (int m = 1; m <= p.MemberTotal; ++m) {
    auto& member = p.MemberTable[m];
    auto a = rowOf.find(member[1]);
    auto b = rowOf.find(member[2]);
    if (a == rowOf.end() || b == rowOf.end()) continue;  // a joint the listing does not give
    const auto& ja = p.JointTable[a->second];
    const auto& jb = p.JointTable[b->second];
    if (ja[1] > jb[1] || ja[2] > jb[2] || ja[3] > jb[3]) std::swap(member[1], member[2]);
  }
}

// A column rotated by 90° has its two section dimensions exchanged, once for every time its member
// is listed.
void rotateColumns(Project& p) {
  std::unordered_map<int32_t, int> times;
  for (int i = 1; i <= p.RotatedMemberCount; ++i) ++times[p.RotatedMemberList[i]];
  if (times.empty()) return;
  for (int c = 1; c <= p.ColumnSectionCount; ++c) {
    auto& row = p.ColumnSectionTable[c];
    auto it = times.find(row[1]);
    if (it != times.end() && it->second % 2 == 1) std::swap(row[3], row[4]);
  }
}



}  // namespace
}  // namespace listing

namespace {

ListingSummary parseListing(Project& p, std::string_view text, const std::string& path, Prompter& prompter,
                            const ListingParts& parts = {}) {
  using namespace listing;
  clearInputTables(p);
  p.AnlPath = path;

  LineCursor cur(text);
  const double unitFactor = readUnitFactor(cur, path);
  if (!cur.findForward("JOINT COORDINATES", true))
    refuseNotAListing(text, path, "it has no JOINT COORDINATES section after its first UNIT command");
  readJoints(p, cur, unitFactor);
  if (!cur.findForward("MEMBER INCIDENCES", true))
    refuseNotAListing(text, path, "it has no MEMBER INCIDENCES section after its JOINT COORDINATES");
  readMembers(p, cur);
  readRotatedMembers(p, cur);
  readColumnBlocks(p, cur);
  if (parts.beams) readBeamBlocks(p, text, prompter);
  const ReactionsRead reactions = readReactions(p, text, path);
  refuseSupportsWithoutCoordinates(p, path);
  // The fingerprints describe each support's load cases, FY, MX and MZ as written (nothing changes the
  // listing's reactions later: combinations are added after them).
  if (parts.fingerprints && !parts.deferred) fingerprintSupports(p);
  readGrades(p, text, unitFactor);
  readLoadCases(p, text);
  setListingCases(p);
  orientMembers(p);
  rotateColumns(p);

  buildFrame(p, parts.beams && !parts.deferred);

  if (reactions.endMarkerMissing)
    prompter.message("The listing " + path + " has no line \"" + std::string(kReactionEndMarker) +
                     "\" after its reaction table: it may be cut short. Check that every support and load case is "
                     "in it.");

  ListingSummary summary;
  summary.supportsCaption = "SUPPORT REACTIONS :   " + numberText(p.supportCount());
  summary.loadCasesCaption = "LOAD CASES :   " + numberText(reactions.loadCases);
  summary.unitsCaption = reactions.unitsCaption;
  summary.gradesCaption = gradesCaption(p);
  summary.deferred = parts.deferred;
  return summary;
}

}  // namespace

ListingSummary readListingText(Project& p, std::string_view text, const std::string& path, Prompter& prompter) {
  ListingSummary summary = parseListing(p, text, path, prompter);
  fingerprintBytes(p, text);
  return summary;
}

// Far beyond a listing at the model's full capacity (some tens of megabytes), yet a bound on memory.
constexpr std::size_t kLargestListing = std::size_t{1} << 30;

ListingRest listingRest(const Project& p) { return {supportPrints(p), beamLattices(p)}; }

void finishListing(Project& p, ListingRest rest) {
  p.SupportPrints = std::move(rest.supportPrints);
  p.BeamXLattice = std::move(rest.beams.x);
  p.BeamZLattice = std::move(rest.beams.z);
}

ListingSummary readListing(Project& p, const std::string& path, Prompter& prompter, ListingParts parts) {
  // Read the whole file once; every pass runs over these bytes. A named pipe or device is refused
  // without waiting on it.
  InputFile in = readInputFile(path, kLargestListing);
  if (in.status != InputStatus::Read) throw ListingError("The listing " + path + " could not be read: " + in.reason + ".");
  ListingSummary summary = parseListing(p, in.bytes, path, prompter, parts);
  if (parts.digest) keepInputBytes(p, std::move(in.bytes));
  return summary;
}

}  // namespace plintova
