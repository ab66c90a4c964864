// Reads an analysis output listing (.ANL) into the project model and builds the frame lattice.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/frame_lattice.h"
#include "model/project.h"
#include "model/prompter.h"

namespace plintova {

// The captions the start-up dialog shows once the listing is read.
struct ListingSummary {
  std::string supportsCaption;   // "SUPPORT REACTIONS :   40"
  std::string loadCasesCaption;  // "LOAD CASES :   6"
  std::string gradesCaption;     // "Fck 25     Fe 415 N/mm2"
  // The units of the reaction table as printed and what they were read as, e.g. "Reactions in KN MMS,
  // converted to kN, kN·m"; "Reactions in KN METE, in kN, kN·m" when no conversion was needed.
  std::string unitsCaption;
  // The support fingerprints and the beam lattices were left for finishListing (readListing with
  // parts.deferred): the start-up dialog makes them on another thread while the engineer reads it.
  bool deferred = false;
};

// What a reading makes beyond what sizing and design need (units, joints, members, column blocks,
// reactions, grades, load cases and the column lattice). The desktop wants all of it; the batch tool only
// what the outputs it was asked for use.
struct ListingParts {
  bool beams = true;         // the beam design blocks and the beam lattices: the column window draws them
  bool fingerprints = true;  // each support's fingerprint: a project saved or opened compares them
  bool digest = true;        // the bytes kept for the listing's SHA-256: a project or a report names it
  bool deferred = false;     // fingerprints and beam lattices left for finishListing (the start-up dialog)
};

// Reads the listing at `path` into `p` (AnlPath becomes `path`): units, joints, members, rotated
// members, column and beam design blocks, support reactions (converted to kN and kN·m from the units
// the listing prints them in) and the concrete design grades; orients the members, exchanges the
// section dimensions of rotated columns, builds the frame lattice and finds the column on every
// support. `p` is expected fresh; the tables the reader fills are cleared first.
// Throws ListingError with the message to show (an empty text: end without a message) when the listing
// cannot be used, including every capacity of the model it exceeds and a file that cannot be read.
// A beam block whose member number reads 0 shows its line through the prompter and reading goes on.
// Only the `parts` asked for are made: a listing read without its beams has no beam blocks nor lattices
// (and its beam blocks are not checked), one without fingerprints no SupportPrints, one without its
// digest no SHA-256.
ListingSummary readListing(Project& p, const std::string& path, Prompter& prompter, ListingParts parts = {});

// The work readListing leaves when `deferred`: made by listingRest from a project that is only read
// (so on another thread, while nothing changes the tables read), and put in place by finishListing.
struct ListingRest {
  std::vector<std::string> supportPrints;
  BeamLattices beams;
};
ListingRest listingRest(const Project& p);
void finishListing(Project& p, ListingRest rest);

// The same on listing contents already in memory; `path` only sets AnlPath.
ListingSummary readListingText(Project& p, std::string_view contents, const std::string& path, Prompter& prompter);

}  // namespace plintova
