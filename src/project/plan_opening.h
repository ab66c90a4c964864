// The one way into a plan, for the desktop program and the batch tool alike: the listing (or table of
// reactions) read, a project file's inputs taken, then the plan formed: footings placed and sized, grid
// lines and size groups built, the layout file's column offsets, the project's decisions, the plan derived.
// Between reading and forming, a fresh listing takes the engineer's entries (the start-up dialog's or
// the batch tool's arguments); a project file brings its own (listingChanges, acceptSavedInputs).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "input/listing_reader.h"
#include "model/project.h"
#include "model/prompter.h"
#include "project/project_file.h"

namespace plintova {

// A listing read into a fresh project, or why it cannot be used.
struct ListingRead {
  std::unique_ptr<Project> project;  // null when the listing cannot be used
  ListingSummary summary;
  std::string error;  // the reason; empty for a listing whose reader has shown its own message already
  explicit operator bool() const { return project != nullptr; }
};

// Reads the listing or reaction table at `path` (the kind by its extension). The reader's own questions
// and messages go through the prompter; a refusal comes back as `error`, never as an exception. A listing
// is read with the `parts` its caller needs (readListing): the desktop defers the support fingerprints and
// beam lattices while its start-up dialog is shown, the batch tool leaves out what its outputs do not use.
ListingRead readPlanListing(const std::string& path, Prompter& prompter, ListingParts parts = {});

// The second sentence of the message about a layout file that exists but was not applied.
inline constexpr const char* kLayoutNotApplied = " The column offsets it holds are not applied";

// What forming the plan found.
struct FormedPlan {
  std::string refusal;  // the listing's footings cannot be designed: there is no plan
  // A layout file that exists but was not applied (unreadable, written for another plan, or offsets that
  // cannot be formed): what happened, naming the file. Empty when it was applied or there is none.
  std::string layoutNotApplied;
  // The saved decisions that no longer apply, one line each (droppedDecisionsMessage makes the message).
  std::vector<std::string> dropped;
  // Why the saved decisions together cannot be formed; the plan then stands without them.
  std::string savedPlanRefusal;
  // What deriving the saved plan said (footings above every ticked group, combined pairs off their line).
  std::vector<std::string> savedPlanNotes;
  explicit operator bool() const { return refusal.empty(); }
};

// Forms the plan of a project whose listing is read and whose design inputs are settled: startPlan, the
// layout file's offsets (applied unless the file is unreadable, was written for another plan or gives a
// plan that cannot be formed), then, for a project file, its decisions (its offsets win over the layout
// file's; the design options stay those of `p`) and the plan derived from them. Messages of sizing and of
// the layout's plan go through the prompter; what the saved decisions give comes back in the result.
FormedPlan formPlan(Project& p, const SavedProject* saved, Prompter& prompter);

}  // namespace plintova
