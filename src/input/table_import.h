// Reads a plain table of support reactions (.csv or .tsv) into the project model, for analyses whose
// listings the program does not read.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "input/listing_reader.h"
#include "model/project.h"

namespace plintova {

// Comma-separated (.csv) or tab-separated (.tsv).
enum class TableFormat { Csv, Tsv };

// The table format a file name asks for by its extension (".csv" or ".tsv", in any case); none for
// every other name.
std::optional<TableFormat> tableFormatOf(const std::string& path);

// The grades caption of a table: a table carries no concrete design, so the engineer gives the grades.
inline constexpr std::string_view kNoGradesCaption = "No grades in the table: give Fck and Fe";

// Reads the table at `path` into `p` as a listing would fill it (AnlPath becomes `path`): one joint row
// per support in the order of the joints' first rows, the reactions of every row (a joint's rows in
// file order are its load-case positions 0, 1, ...), a column section row for every joint given a
// column size, the level lists of the footing plan, and the fingerprints of the file and of every
// support. No members, beams or grades (Fck = Fe = 0). `p` is expected fresh; the tables a listing
// fills are cleared first. Throws ListingError naming the file, line and column of the first fault,
// or the capacity exceeded, or why the file could not be read. docs/table-import.md gives the format.
ListingSummary readTable(Project& p, const std::string& path);

// The same on the file's contents already in memory, in the given format; `path` sets AnlPath and
// names the file in messages.
ListingSummary readTableText(Project& p, std::string_view contents, const std::string& path, TableFormat format);

}  // namespace plintova
