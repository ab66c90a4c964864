// The batch run: read, size, group, design, and the summary, JSON, workbook and PDF outputs.
#pragma once

#include <functional>
#include <string>

namespace plintova {
struct Project;
}

namespace plintova::cli {

struct BatchOptions {
  std::string listing;
  bool json = false;
  bool haveSbc = false, haveDepth = false;
  std::string sbcText, depthText;
  std::string xlsxPath, pdfPath;
  // Prints the plan to an A3 PDF; returns "" or the reason it failed. Empty where the tool has no printing.
  std::function<std::string(const Project&, const std::string&)> printPdf;
};

// Runs the whole batch and returns the exit status: 0 done, 1 the listing cannot be used or an output
// could not be written, 2 refused arguments.
int runBatch(const BatchOptions& options);

}  // namespace plintova::cli
