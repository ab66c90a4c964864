// The calculation report painted as an A4 portrait PDF: cover, contents with page numbers, a running
// header with the project and the listing, and page numbers.
#pragma once

#include <string>

#include "model/project.h"
#include "output/report.h"

class QIODevice;

namespace plintova::draw {

// The document as an A4 portrait PDF (vector text) written to an open device page by page: the cover on
// page 1, the contents from page 2 with the page of every section, each chapter from a new page, tables
// that go on over a page break with their heading repeated. The document is laid out first (the
// contents need every section's page), then each page is written to the device and let go. Returns ""
// on success, else the reason. Creates a GUI application for the fonts when the caller has none (the
// batch tool), on the offscreen platform unless another is set.
std::string writeReportPdf(const report::Document& doc, QIODevice& device);

// Writes the document as a PDF file through the safe file writer, straight into its temporary file as
// the pages are made: the project's listing and its layout file are never written over, nor anything
// but a regular file, and a failed write leaves an earlier file whole. Returns the message to show, empty on success.
std::string writeReportPdf(const report::Document& doc, const std::string& path, const Project& project);

// The calculation report of the project written to `path`, as a PDF for ".pdf" and as Markdown for
// ".md" (or ".markdown"), dated `date` (today when empty). Any other name is refused. Returns the message
// to show, empty on success.
std::string writeReport(const Project& project, const std::string& path, const std::string& date = {});

}  // namespace plintova::draw
