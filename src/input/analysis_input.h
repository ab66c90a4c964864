// Opens the engineer's analysis input, whichever kind it is: an analysis listing or a table of reactions.
#pragma once

#include <string>

#include "input/listing_reader.h"
#include "model/project.h"
#include "model/prompter.h"

namespace plintova {

// Reads `path` into `p` by the kind its extension names (in any case): ".csv" and ".tsv" are tables of
// support reactions (readTable), every other name an analysis listing (readListing). Returns the
// captions of the start-up dialog; a table's grades caption asks for the grades, which it does not
// give. Throws ListingError with the message to show when the input cannot be used.
// A listing is read with the `parts` asked for (readListing); a table is read whole.
ListingSummary readAnalysisInput(Project& p, const std::string& path, Prompter& prompter, ListingParts parts = {});

}  // namespace plintova
