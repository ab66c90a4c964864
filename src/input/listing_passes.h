// The passes of the listing reader over the in-memory listing, shared by its source files.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "input/listing_text.h"
#include "model/errors.h"
#include "model/project.h"
#include "model/prompter.h"

namespace plintova::listing {

// Markers of the listing.
inline constexpr std::string_view kBetaMarker = "BETA 90 MEMB";
inline constexpr std::string_view kColumnMarker = "C O L U M N   N O.";
inline constexpr std::string_view kBeamMarker = "B E A M  N O.";
// Every reaction table's heading, followed by its force and length units as the listing prints them
// ("KN   METE", "KNS  MMS ", "KIP  FEET"), and the heading of a table in kN and metres.
inline constexpr std::string_view kReactionHeading = "SUPPORT REACTIONS -UNIT";
inline constexpr std::string_view kReactionMarker = "SUPPORT REACTIONS -UNIT KN   METE";
inline constexpr std::string_view kReactionEndMarker = "END OF LATEST ANALYSIS RESULT";

[[noreturn]] inline void refuse(const std::string& message) { throw ListingError(message); }

// A number of the listing that does not fit where it is stored: refused with the line it stands on.
[[noreturn]] void refuseNumber(const LineCursor& at, std::string_view numberText);

// The value rounded to a whole number (halves to even) for a 32-bit table, or a refusal.
int32_t wholeValue(double v, const LineCursor& at, std::string_view line, std::size_t pos);
// The value in single precision, or a refusal when it lies beyond the single range.
float singleValue(double v, const LineCursor& at, std::string_view line, std::size_t pos);

// "The listing has 612 supports; at most 500 can be designed." and the like.
[[noreturn]] void refuseCapacity(long long count, const char* what, int limit, const char* verb = "read");

// Joints of the "JOINT COORDINATES" section, from the line after the cursor, their coordinates times
// `unitFactor` (millimetres per unit of the listing) rounded to whole millimetres. Stops on the first
// line without a second number, which stays current.
void readJoints(Project& p, LineCursor& cur, double unitFactor);
// Members of the "MEMBER INCIDENCES" section, the same way.
void readMembers(Project& p, LineCursor& cur);
// "BETA 90 MEMB" lists up to the first column design block, where the cursor is left (or at the end).
void readRotatedMembers(Project& p, LineCursor& cur);
// Column design blocks from the cursor to the end of the listing.
void readColumnBlocks(Project& p, LineCursor& cur);
// Beam design blocks of the whole listing; a block whose member number reads 0 shows its line.
void readBeamBlocks(Project& p, std::string_view text, Prompter& prompter);

// What the reaction table gave besides the reactions.
struct ReactionsRead {
  int loadCases = 0;         // reaction lines of the last support
  std::string unitsCaption;  // "Reactions in KN MMS, converted to kN, kN·m"
  bool endMarkerMissing = false;  // no "END OF LATEST ANALYSIS RESULT" after the table: it may be cut
  std::string headingProblem;     // how a reaction table's heading with unknown units reads
};

// The support reaction table, with FX, FY, FZ in kN and MX, MZ in kN m whatever units it is printed in. Refuses
// (naming the listing `name`) a table without supports, a reaction line with fewer numbers than a
// line holds, and a support with fewer lines than the first: what a listing cut inside its reaction
// table gives.
ReactionsRead readReactions(Project& p, std::string_view text, std::string_view name);

}  // namespace plintova::listing
