// The support reaction table of the listing: joint, load case, FY, MX and MZ of every reaction line.
#include "input/listing_passes.h"
#include "model/numbers.h"

namespace plintova::listing {

namespace {

[[noreturn]] void refuseJointNumber(double v) {
  refuse("Joint number " + numberText(v) + " is too large; joint numbers up to 32767 can be read.");
}

}  // namespace

int readReactions(Project& p, std::string_view text) {
  LineCursor cur(text);
  long long s = 0;  // support index
  long long j = 0;  // reaction line of the current support (0 is its first line)
  long long overSupport = 0, overLines = 0;
  double overJoint = 0, joint = 0;
  if (cur.findForward(kReactionMarker)) {
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
            if (s >= 1 && s <= cap::kFootings && j <= cap::kLastCase && k <= 4)
              p.ReactionTable(s, j, k) = singleValue(v, cur, line, q);
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
  return static_cast<int>(j + 1);
}

}  // namespace plintova::listing
