// The support reaction table of the listing: joint, load case, FX, FY, FZ, MX and MZ of every reaction line,
// converted to kN and kN m from the units its heading names.
#include <cmath>
#include <cstdio>

#include "input/listing_passes.h"
#include "model/numbers.h"

namespace plintova::listing {

namespace {

[[noreturn]] void refuseJointNumber(double v) {
  refuse("Joint number " + numberText(v) + " is too large; joint numbers up to " +
         std::to_string(cap::kLargestJointNumber) + " can be read.");
}

// The reaction table's component of each number after the joint: LOAD, FX, FY, FZ, MX, MY (not kept), MZ.
constexpr int kFieldsKept = 7;
constexpr int kComponentOfField[kFieldsKept] = {1, kReactionFX, 2, kReactionFZ, 3, 0, 4};

bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The force and length units of a reaction table, from the two words after its heading as printed:
// "SUPPORT REACTIONS -UNIT KN   METE", "-UNIT KNS  MMS ", "-UNIT POUN INCH" (words of at most four
// letters padded with blanks, sometimes followed by a control character).
struct TableUnits {
  std::string forceWord, lengthWord;
  ForceUnit force = ForceUnit::Unknown;
  LengthUnit length = LengthUnit::Unknown;
  bool known() const { return force != ForceUnit::Unknown && length != LengthUnit::Unknown; }
};

TableUnits unitsOfHeading(std::string_view line) {
  TableUnits u;
  const std::size_t at = line.find(kReactionHeading);
  if (at == npos) return u;
  std::size_t i = at + kReactionHeading.size();
  auto nextWord = [&] {
    while (i < line.size() && isBlank(line[i])) ++i;
    const std::size_t start = i;
    while (i < line.size() && isLetter(line[i])) ++i;
    return std::string(line.substr(start, i - start));
  };
  u.forceWord = nextWord();
  u.lengthWord = nextWord();
  u.force = forceUnitOfWord(u.forceWord);
  u.length = lengthUnitOfWord(u.lengthWord);
  return u;
}

// How a heading whose units are not known reads: the units text after "-UNIT" with every control
// character shown by its code, so that a character the eye cannot see is named.
std::string unknownUnitsProblem(std::string_view line) {
  const std::size_t at = line.find(kReactionHeading);
  std::string_view after = line.substr(at + kReactionHeading.size());
  while (!after.empty() && isBlank(after.front())) after.remove_prefix(1);
  // The units field: a force and a length word of up to four letters with the blanks between them, and
  // a control character that may follow.
  after = after.substr(0, 10);
  std::string shown;
  for (unsigned char c : after) {
    if (c >= ' ' && c < 127) {
      shown.push_back(static_cast<char>(c));
    } else {
      char code[8];
      std::snprintf(code, sizeof code, "<%02X>", c);
      shown += code;
    }
  }
  while (!shown.empty() && shown.back() == ' ') shown.pop_back();
  return "its reaction table gives its units as \"" + shown +
         "\", which are not a force and a length unit the program knows (such as KN METE, KNS MMS or KIP FEET)";
}

// The heading of the table to read, or npos. A listing prints one reaction table per analysis, its
// heading repeated after every page break. The table read is the first one in kN and metres, the one
// this reader has always taken, so that such a listing keeps its reactions; a listing without one
// gives its first table whose units are known. Tables in other units are passed over; when no table
// has known units, `problem` says how the first heading reads.
std::size_t findTable(std::string_view text, TableUnits& units, std::string& problem) {
  LineCursor cur(text);
  std::size_t at = cur.findLineFrom(0, kReactionMarker);
  if (at != npos) {
    cur.moveTo(at);
    units = unitsOfHeading(cur.line());
    return at;
  }
  for (at = cur.findLineFrom(0, kReactionHeading); at != npos;) {
    cur.moveTo(at);
    units = unitsOfHeading(cur.line());
    if (units.known()) return at;
    if (problem.empty()) problem = unknownUnitsProblem(cur.line());
    const std::size_t next = cur.nextOffset();
    at = next == npos ? npos : cur.findLineFrom(next, kReactionHeading);
  }
  return npos;
}

// Why a listing gives no reactions: the program's long-standing words first, which engineers know,
// then the file and what was expected of it.
std::string noReactionsMessage(std::string_view name, const std::string& headingProblem) {
  const std::string why = !headingProblem.empty() ? headingProblem
                                                  : "it has no reaction table (a heading \"" +
                                                        std::string(kReactionHeading) +
                                                        "\" followed by the force and length units, such as KN METE, "
                                                        "and the reaction lines of every support)";
  return " NO SUPPORT REACTIONS  (or) Units differ \nThe listing " + std::string(name) + " cannot be used: " + why + ".";
}

// The counts of a support's reaction lines, checked as the table is read: a listing cut inside its
// reaction table must not be designed as if complete.
class ReactionCounts {
 public:
  explicit ReactionCounts(std::string_view name) : name_(name) {}

  // A reaction line holds joint (first line only), load case, three forces and three moments. A cut
  // inside a number leaves fewer ("1582." read as FY and the moments missing).
  void checkLine(const LineCursor& at, bool first, int numbers, double joint) const {
    const int expected = first ? 8 : 7;
    if (numbers >= expected) return;
    refuse("The reaction line of joint " + numberText(joint) + " on line " + std::to_string(at.lineNumber()) +
           " of the listing " + std::string(name_) + " holds " + std::to_string(numbers) +
           (numbers == 1 ? " number; " : " numbers; ") +
           (first ? "a joint's first reaction line holds 8 (joint, load case, three forces and three moments)."
                  : "a continuation line holds 7 (load case, three forces and three moments).") +
           " The listing may be cut short.");
  }

  // Every support has as many reaction lines (load cases) as the first one.
  void endSupport(double joint, long long lines) {
    if (firstLines_ == 0) {
      firstJoint_ = joint;
      firstLines_ = lines;
      return;
    }
    if (lines >= firstLines_) return;
    refuse("Joint " + numberText(joint) + " has " + std::to_string(lines) + " reaction lines in the listing " +
           std::string(name_) + " where joint " + numberText(firstJoint_) + ", the first support, has " +
           std::to_string(firstLines_) + ": every support needs a line for every load case. The listing may be cut "
           "short.");
  }

 private:
  std::string_view name_;
  double firstJoint_ = 0;
  long long firstLines_ = 0;
};

}  // namespace

ReactionsRead readReactions(Project& p, std::string_view text, std::string_view name) {
  LineCursor cur(text);
  long long s = 0;  // support index
  long long j = 0;  // reaction line of the current support (0 is its first line)
  long long overSupport = 0, overLines = 0;
  long long linesPerSupport = 0;  // reaction lines of the first support, once it is read
  double overJoint = 0, joint = 0;
  TableUnits units;
  ReactionCounts counts(name);
  ReactionsRead read;
  const std::size_t heading = findTable(text, units, read.headingProblem);
  // FY to kN, MX and MZ to kN m; in kN and metres both factors are 1 / 1 and the values stay as printed.
  const UnitScale forceScale = toKilonewtons(units.force);
  const UnitScale momentScale = toKilonewtonMetres(units.force, units.length);
  if (heading != npos) {
    cur.moveTo(heading);
    // The table runs to the first line after its title that carries the end marker.
    const std::size_t after = cur.nextOffset();
    const std::size_t endLine = after == npos ? npos : cur.findLineFrom(after, kReactionEndMarker);
    read.endMarkerMissing = endLine == npos;
    while (cur.next() && (endLine == npos || cur.offset() < endLine)) {
      const std::string_view line = cur.line();
      // Headings, dashes, blank lines and page headers (printed again after every page break).
      if (lineValueIsZero(line)) continue;
      ++j;
      int field = 0, numbers = 0;
      bool first = false;
      std::size_t q = 0;
      // Columns: joint (1-7), load (8-12), then FX, FY, FZ, MX, MY, MZ in fields of ten. All but MY are
      // kept. A field that fills its width touches the one before it, so a "-" right after a digit starts
      // the next number. The line's position of the table is found once, at its first kept value.
      ReactionTableType::Position* position = nullptr;
      while ((q = nextNumberStart(line, q, line.size())) != npos) {
        ++numbers;
        if (q <= 6) {
          const double v = valueAt(line, q);
          // A number in the first seven columns is the joint of a new support.
          if (s >= 1) counts.endSupport(joint, j);
          if (s == 1) linesPerSupport = j;
          ++s;
          // Every support has as many lines as the first: room for them at once, not grown line by line.
          if (linesPerSupport > 0 && s <= cap::kFootings)
            p.ReactionTable.reserve(s, std::min<long long>(linesPerSupport - 1, cap::kLastCase));
          field = 0;
          j = 0;
          position = nullptr;
          joint = v;
          first = true;
          if (s <= cap::kFootings) {
            if (!(std::fabs(roundWhole(v)) <= cap::kLargestJointNumber)) refuseJointNumber(v);
            p.ReactionTable(s, 0, 0) = static_cast<float>(v);
          }
        } else {
          const int k = field < kFieldsKept ? kComponentOfField[field] : 0;
          ++field;
          // A field that is not kept (MY) is passed over without reading its value.
          if (k > 0 && s >= 1 && s <= cap::kFootings && j <= cap::kLastCase) {
            const double v = valueAt(line, q);
            const bool force = k == 2 || k == kReactionFX || k == kReactionFZ;
            const double value = k == 1 ? v : force ? forceScale.apply(v) : momentScale.apply(v);
            if (!position) position = &p.ReactionTable.position(s, j);
            (*position)[static_cast<std::size_t>(k)] = singleValue(value, cur, line, q);
          }
        }
        q = numberEndSplittingMinus(line, q, line.size());
      }
      if (s >= 1) counts.checkLine(cur, first, numbers, joint);
      if (s >= 1 && j > cap::kLastCase) {
        if (overSupport == 0) {
          overSupport = s;
          overJoint = joint;
        }
        if (overSupport == s) overLines = j + 1;
      }
    }
    if (s >= 1) counts.endSupport(joint, j + 1);
  }
  if (s > cap::kFootings) refuseCapacity(s, "supports", cap::kFootings, "designed");
  if (overSupport != 0)
    refuse("Joint " + numberText(overJoint) + " has " + std::to_string(overLines) + " reaction lines; at most " +
           std::to_string(cap::kCasePositions) + " load cases can be designed.");
  p.ReactionTable(0, 0, 0) = static_cast<float>(s);
  if (s == 0) refuse(noReactionsMessage(name, heading == npos ? read.headingProblem : std::string()));
  read.loadCases = static_cast<int>(j + 1);
  const bool asPrinted = forceScale.isIdentity() && momentScale.isIdentity();
  read.unitsCaption = "Reactions in " + units.forceWord + " " + units.lengthWord +
                      (asPrinted ? ", in kN, kN·m" : ", converted to kN, kN·m");
  return read;
}

}  // namespace plintova::listing
