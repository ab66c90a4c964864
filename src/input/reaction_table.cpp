// The support reaction table of the listing: joint, load case, FY, MX and MZ of every reaction line,
// converted to kN and kN m from the units its heading names.
#include "input/listing_passes.h"
#include "model/numbers.h"

namespace plintova::listing {

namespace {

[[noreturn]] void refuseJointNumber(double v) {
  refuse("Joint number " + numberText(v) + " is too large; joint numbers up to 32767 can be read.");
}

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

// The heading of the table to read, or npos. A listing prints one reaction table per analysis, its
// heading repeated after every page break. The table read is the first one in kN and metres, the one
// this reader has always taken, so that such a listing keeps its reactions; a listing without one
// gives its first table whose units are known. Tables in other units are passed over.
std::size_t findTable(std::string_view text, TableUnits& units) {
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
    const std::size_t next = cur.nextOffset();
    at = next == npos ? npos : cur.findLineFrom(next, kReactionHeading);
  }
  return npos;
}

}  // namespace

ReactionsRead readReactions(Project& p, std::string_view text) {
  LineCursor cur(text);
  long long s = 0;  // support index
  long long j = 0;  // reaction line of the current support (0 is its first line)
  long long overSupport = 0, overLines = 0;
  double overJoint = 0, joint = 0;
  TableUnits units;
  const std::size_t heading = findTable(text, units);
  // FY to kN, MX and MZ to kN m; in kN and metres both factors are 1 / 1 and the values stay as printed.
  const UnitScale forceScale = toKilonewtons(units.force);
  const UnitScale momentScale = toKilonewtonMetres(units.force, units.length);
  if (heading != npos) {
    cur.moveTo(heading);
    // The table runs to the first line after its title that carries the end marker.
    const std::size_t after = cur.nextOffset();
    const std::size_t endLine = after == npos ? npos : cur.findLineFrom(after, kReactionEndMarker);
    while (cur.next() && (endLine == npos || cur.offset() < endLine)) {
      const std::string_view line = cur.line();
      // Headings, dashes, blank lines and page headers (printed again after every page break).
      if (lineValueIsZero(line)) continue;
      ++j;
      int k = 0;
      bool take = false;
      std::size_t q = 0;
      // Columns: joint (1-7), load (8-12), then FX, FY, FZ, MX, MY, MZ in fields of ten. Every second
      // number is kept: load, FY, MX and MZ. A field that fills its width touches the one before it,
      // so a "-" right after a digit starts the next number.
      while ((q = nextNumberStart(line, q, line.size())) != npos) {
        const double v = valueAt(line, q);
        if (q <= 6) {
          // A number in the first seven columns is the joint of a new support.
          ++s;
          k = 0;
          j = 0;
          joint = v;
          if (s <= cap::kFootings) {
            if (!toInt16(v)) refuseJointNumber(v);
            p.ReactionTable(s, 0, 0) = static_cast<float>(v);
          }
        } else {
          take = !take;
          if (take) {
            ++k;
            if (s >= 1 && s <= cap::kFootings && j <= cap::kLastCase && k <= 4) {
              const double value = k == 2 ? forceScale.apply(v) : k >= 3 ? momentScale.apply(v) : v;
              p.ReactionTable(s, j, k) = singleValue(value, cur, line, q);
            }
          }
        }
        q = numberEndSplittingMinus(line, q, line.size());
      }
      if (s >= 1 && j > cap::kLastCase) {
        if (overSupport == 0) {
          overSupport = s;
          overJoint = joint;
        }
        if (overSupport == s) overLines = j + 1;
      }
    }
  }
  if (s > cap::kFootings) refuseCapacity(s, "supports", cap::kFootings, "designed");
  if (overSupport != 0)
    refuse("Joint " + numberText(overJoint) + " has " + std::to_string(overLines) + " reaction lines; at most " +
           std::to_string(cap::kCasePositions) + " load cases can be designed.");
  p.ReactionTable(0, 0, 0) = static_cast<float>(s);
  if (s == 0) refuse(" NO SUPPORT REACTIONS  (or) Units differ ");
  ReactionsRead read;
  read.loadCases = static_cast<int>(j + 1);
  const bool asPrinted = forceScale.isIdentity() && momentScale.isIdentity();
  read.unitsCaption = "Reactions in " + units.forceWord + " " + units.lengthWord +
                      (asPrinted ? ", in kN, kN·m" : ", converted to kN, kN·m");
  return read;
}

}  // namespace plintova::listing
