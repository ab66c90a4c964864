// Geometry sections of the listing: joint coordinates, member incidences and the members rotated by 90°.
#include <algorithm>
#include <cstdint>
#include <string>

#include "input/listing_passes.h"
#include "model/numbers.h"

namespace plintova::listing {

namespace {

// A coordinate written with a negative exponent ("1.2E-05", "-1.77636E-015") is taken as 0: every
// blank-separated piece of the line that contains "E-" becomes "0.0".
std::string zeroNegativeExponents(std::string_view line) {
  std::string out;
  out.reserve(line.size() + 8);
  std::size_t i = 0;
  while (i < line.size()) {
    if (isBlank(line[i])) {
      out.push_back(line[i++]);
      continue;
    }
    std::size_t e = i;
    while (e < line.size() && !isBlank(line[e])) ++e;
    std::string_view piece = line.substr(i, e - i);
    if (contains(piece, "E-")) out += "0.0";
    else out += piece;
    i = e;
  }
  return out;
}

// The line loop shared by joints and members: lines of value 0 and commented-out lines are passed
// over, the section ends at a line without a second number, and every number after the echo line
// number is handed to `take` in order (a continuation mark " -" is not a number).
template <class Take>
void walkSection(LineCursor& cur, bool zeroNegativeExponent, Take take) {
  std::string patched;
  while (cur.next()) {
    std::string_view line = cur.line();
    if (lineValueIsZero(line) || isCommentLine(line)) continue;
    if (zeroNegativeExponent && contains(line, "E-")) {
      patched = zeroNegativeExponents(line);
      line = patched;
    }
    const std::size_t end = scanEndBeforeContinuation(line);
    std::size_t p = secondNumberStart(line, end);
    if (p == npos) return;  // the section is over; this line stays current
    while ((p = nextNumberStart(line, p, end)) != npos) {
      take(valueAt(line, p), line, p);
      p = numberEndWithExponent(line, p, end);
    }
  }
}

}  // namespace

void readJoints(Project& p, LineCursor& cur, double unitFactor) {
  // Four values make a joint, whatever their grouping into lines.
  long long row = 1;
  int valueIndex = 0;
  bool any = false;
  walkSection(cur, true, [&](double v, std::string_view line, std::size_t pos) {
    if (valueIndex > 3) {
      ++row;
      valueIndex = 0;
    }
    any = true;
    if (row <= cap::kJoints) {
      double stored = valueIndex == 0 ? v : v * unitFactor;
      p.JointTable[row][valueIndex] = wholeValue(stored, cur, line, pos);
    }
    ++valueIndex;
  });
  if (!any) row = 0;
  if (row > cap::kJoints) refuseCapacity(row, "joints", cap::kJoints);
  p.JointCount = static_cast<int32_t>(row);
}

void readMembers(Project& p, LineCursor& cur) {
  // Three values make a member: its number, start joint and end joint.
  long long row = 1;
  int valueIndex = 0;
  bool any = false;
  walkSection(cur, false, [&](double v, std::string_view line, std::size_t pos) {
    if (valueIndex > 2) {
      ++row;
      valueIndex = 0;
    }
    any = true;
    if (row <= cap::kMembers) p.MemberTable[row][valueIndex] = wholeValue(v, cur, line, pos);
    ++valueIndex;
  });
  if (!any) row = 0;
  if (row > cap::kMembers) refuseCapacity(row, "members", cap::kMembers);
  p.MemberTotal = static_cast<int32_t>(row);
}

namespace {

// The rotated-member list, counting entries beyond the table's capacity so that a refusal can say
// how many the listing names.
class RotatedList {
 public:
  explicit RotatedList(Project& p) : p_(p) {}
  void append(int64_t v) {
    ++total_;
    if (total_ <= cap::kRotated) p_.RotatedMemberList[total_] = static_cast<int32_t>(v);
    last_ = v;
    any_ = true;
  }
  // A range "a TO b" after a was appended: a + 1, a + 2, … up to b; at least one entry.
  void expandTo(int64_t end, const LineCursor& at, std::string_view line, std::size_t pos) {
    if (!any_) return;
    int64_t count = end > last_ ? end - last_ : 1;
    if (last_ + count > INT32_MAX) refuseNumber(at, line.substr(pos));
    int64_t first = last_ + 1;
    int64_t stored = std::min<int64_t>(count, std::max<int64_t>(0, cap::kRotated - total_));
    for (int64_t i = 0; i < stored; ++i) p_.RotatedMemberList[total_ + 1 + i] = static_cast<int32_t>(first + i);
    total_ += count;
    last_ = first + count - 1;
  }
  long long total() const { return total_; }

 private:
  Project& p_;
  long long total_ = 0;
  int64_t last_ = 0;
  bool any_ = false;
};

bool startsRange(std::string_view line, std::size_t p) {
  return p < line.size() && isBlank(line[p]) && line.substr(p + 1, 2) == "TO";
}

std::string withoutMarker(std::string_view line, std::string_view marker) {
  std::string out;
  out.reserve(line.size());
  for (std::size_t from = 0;;) {
    std::size_t at = line.find(marker, from);
    out += line.substr(from, at == npos ? npos : at - from);
    if (at == npos) return out;
    from = at + marker.size();
  }
}

}  // namespace

void readRotatedMembers(Project& p, LineCursor& cur) {
  RotatedList list(p);
  const std::size_t columnLine = cur.atEnd() ? npos : cur.findLineFrom(cur.offset(), kColumnMarker);
  while (!cur.atEnd()) {
    // The next "BETA 90 MEMB" line, unless the first column design block comes first: only the lines
    // before that block are searched, not the design output after it.
    std::size_t betaLine = cur.findLineFrom(cur.offset(), kBetaMarker, true, columnLine);
    if (betaLine == npos || (columnLine != npos && columnLine <= betaLine)) {
      cur.moveTo(columnLine);
      break;
    }
    cur.moveTo(betaLine);
    const std::string betaText = withoutMarker(cur.line(), kBetaMarker);
    std::string_view line = betaText;
    bool onBetaLine = true, pendingRange = false;
    for (;;) {
      if (!lineValueIsZero(line)) {
        const std::size_t end = scanEndBeforeContinuation(line);
        std::size_t q = secondNumberStart(line, end);
        // A list goes on only on lines whose first number after the echo number starts by column 10.
        if (q == npos || q > 9) {
          if (onBetaLine) cur.next();
          break;  // any other line is looked at again for the next list
        }
        while ((q = nextNumberStart(line, q, end)) != npos) {
          double v = valueAt(line, q);
          if (pendingRange) {
            list.expandTo(wholeValue(v, cur, line, q), cur, line, q);
            pendingRange = false;
          } else {
            list.append(wholeValue(v, cur, line, q));
          }
          q = numberEnd(line, q, end);
          if (startsRange(line, q)) {
            std::size_t r = nextNumberStart(line, q, end);
            if (r == npos) {
              pendingRange = endsWithContinuation(line);  // the range end is on the next line
              break;
            }
            list.expandTo(wholeValue(valueAt(line, r), cur, line, r), cur, line, r);
            q = numberEnd(line, r, end);
          }
        }
      }
      if (!cur.next()) break;
      onBetaLine = false;
      line = cur.line();
      // A new list, a commented-out line or the first column block ends the list.
      if (isCommentLine(line) || contains(line, kBetaMarker) || contains(line, kColumnMarker)) break;
    }
  }
  if (list.total() > cap::kRotated) refuseCapacity(list.total(), "entries in its BETA 90 MEMB lists", cap::kRotated);
  p.RotatedMemberCount = static_cast<int32_t>(list.total());
}

}  // namespace plintova::listing
