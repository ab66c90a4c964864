// The calculation report of a project: what the design took, how it went, and what it gave.
#pragma once

#include <string>

#include "model/project.h"
#include "output/report.h"

namespace plintova {

// The report of the project as designed, dated `date` (given, so that the same project gives the same
// report). Chapters: cover (project, listing and its SHA-256, program version, date, units); 1 Inputs;
// 2 Method; 3 Summary (the schedule and every footing with its largest pressure against the allowable);
// 4 Schedule rows (per row the governing footing and case, the pressures, each design step with formula,
// values and clause, ending in OK or what failed); 5 Engineer's decisions; 6 Quantities. It reads the
// design results as the schedule holds them and recomputes none.
report::Document calculationReport(const Project& p, const std::string& date);

// Today's date as the report gives it ("2025-03-14").
std::string todaysDate();

// The report's file type by the name's extension, case aside: ".pdf" or ".md" (also ".markdown").
enum class ReportFormat { Pdf, Markdown, Unknown };
ReportFormat reportFormat(const std::string& path);

// Writes the report of the project as Markdown through the safe writer; the listing and its layout file
// are never written over. Returns "" on success, else the message to show.
std::string writeReportMarkdown(const Project& p, const std::string& path, const std::string& date);

}  // namespace plintova
