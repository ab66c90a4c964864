// Opens the engineer's analysis input, whichever kind it is: an analysis listing or a table of reactions.
#include "input/analysis_input.h"

#include "input/table_import.h"

namespace plintova {

ListingSummary readAnalysisInput(Project& p, const std::string& path, Prompter& prompter, ListingParts parts) {
  if (tableFormatOf(path)) return readTable(p, path);
  return readListing(p, path, prompter, parts);
}

}  // namespace plintova
