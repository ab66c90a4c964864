// The batch tool's outputs: the one table and what is done by it.
#include "cli/batch_outputs.h"

#include <cstdio>

#include "design/workbook_xlsx.h"
#include "files/project_files.h"
#include "files/safe_file.h"
#include "model/prompter.h"
#include "output/report_content.h"
#include "project/project_file.h"
#include "render/dxf_writer.h"

namespace plintova::cli {

namespace {

constexpr const char* kNoPrinting = "This batch tool was built without printing.";
constexpr std::size_t kUsageWidth = 120;  // characters of a usage line
constexpr const char* kUsageIndent = "                    ";

std::string anyName(const std::string&) { return {}; }
bool notPrinted(const std::string&) { return false; }
bool alwaysPrinted(const std::string&) { return true; }

std::string reportName(const std::string& path) {
  if (reportFormat(path) != ReportFormat::Unknown) return {};
  return "the report's name must end in .pdf or .md, not \"" + path + "\"";
}

bool reportPrinted(const std::string& path) { return reportFormat(path) == ReportFormat::Pdf; }

std::string writeReport(const Project& p, const BatchOptions& o, const std::string& path) {
  // The name was checked with the arguments; the Markdown needs no printing.
  if (reportFormat(path) == ReportFormat::Markdown) return writeReportMarkdown(p, path, todaysDate());
  return o.reportPdf ? o.reportPdf(p, path) : kNoPrinting;
}

constexpr BatchOutput kOutputs[] = {
    {"--xlsx", "FILE", "workbook", &BatchOptions::xlsxPath, true, false, anyName, notPrinted,
     [](const Project& p, const BatchOptions&, const std::string& path) { return writeWorkbook(p, path); }},
    {"--pdf", "FILE", "PDF file", &BatchOptions::pdfPath, true, true, anyName, alwaysPrinted,
     [](const Project& p, const BatchOptions& o, const std::string& path) {
       return o.printPdf ? o.printPdf(p, path) : kNoPrinting;
     }},
    {"--plan-pdf", "FILE", "plan PDF file", &BatchOptions::planPdfPath, true, false, anyName, alwaysPrinted,
     [](const Project& p, const BatchOptions& o, const std::string& path) {
       return o.printPlanPdf ? o.printPlanPdf(p, path) : kNoPrinting;
     }},
    {"--dxf", "FILE", "DXF file", &BatchOptions::dxfPath, true, true, anyName, notPrinted,
     [](const Project& p, const BatchOptions&, const std::string& path) { return draw::writeSheetDxf(p, path); }},
    {"--report", "FILE.pdf|FILE.md", "report", &BatchOptions::reportPath, true, false, reportName, reportPrinted,
     writeReport},
    {"--save-project", "FILE", "project file", &BatchOptions::saveProjectPath, false, false, anyName, notPrinted,
     [](const Project& p, const BatchOptions&, const std::string& path) { return writeProjectFile(p, path); }},
};

}  // namespace

std::span<const BatchOutput> batchOutputs() { return kOutputs; }

std::string usageLines(const std::string& start, const std::string& items) {
  std::vector<std::string> words;
  for (std::size_t at = 0; at < items.size();) {  // "[--sbc Q --depth D]" is one item
    const std::size_t end = items.find(']', at);
    words.push_back(items.substr(at, end + 1 - at));
    at = items.find('[', end);
  }
  for (const BatchOutput& out : kOutputs) words.push_back("[" + std::string(out.option) + " " + out.valueName + "]");
  std::string text, line = start;
  bool first = true;
  for (const std::string& word : words) {
    if (!first && line.size() + 1 + word.size() > kUsageWidth) {
      text += line + "\n";
      line = kUsageIndent;
      first = true;
    }
    line += (first ? "" : " ") + word;
    first = false;
  }
  return text + line + "\n";
}

std::string exportOptionsText() {
  std::vector<std::string> options;
  for (const BatchOutput& out : kOutputs)
    if (out.isExport) options.push_back(out.option);
  std::string text;
  for (std::size_t i = 0; i < options.size(); ++i)
    text += (i == 0 ? "" : i + 1 == options.size() ? " and " : ", ") + options[i];
  return text;
}

bool needsPrinting(const BatchOptions& o) {
  for (const BatchOutput& out : kOutputs)
    if (!(o.*out.path).empty() && out.printed(o.*out.path)) return true;
  return false;
}

// The listing or its layout file (and, for the exports, the project file the run repeats; a project may
// be saved over itself), an existing folder, device or pipe, a read-only file, or two outputs onto one
// file. A folder where no file can be created is left to the write itself, which reports it with status 1.
int refuseBadTargets(const BatchOptions& o) {
  const std::vector<ProtectedFile> inputs = projectInputFiles(o.listing);
  std::vector<ProtectedFile> exportInputs = inputs;
  if (!o.projectPath.empty()) exportInputs.push_back({o.projectPath, "the project file"});
  std::vector<std::string> exports;
  for (const BatchOutput& out : kOutputs) {
    const std::string& path = o.*out.path;
    if (out.isExport) exports.push_back(path);
    if (path.empty()) continue;
    const TargetCheck check = checkOutputTarget(path, out.isExport ? exportInputs : inputs);
    if (check || check.problem == TargetProblem::FolderUnusable) continue;
    std::fprintf(stderr, "plintova-cli: the %s %s cannot be written: %s\n", out.what, path.c_str(),
                 check.reason.c_str());
    return 2;
  }
  if (const std::string clash = checkDistinctOutputs(exports); !clash.empty()) {
    std::fprintf(stderr, "plintova-cli: each output needs a file of its own: %s\n", clash.c_str());
    return 2;
  }
  // The project saved (the one output that is no export) against each export.
  for (const BatchOutput& kept : kOutputs) {
    if (kept.isExport) continue;
    for (const BatchOutput& out : kOutputs) {
      if (!out.isExport) continue;
      if (const std::string same = checkDistinctOutputs({o.*kept.path, o.*out.path}); !same.empty()) {
        std::fprintf(stderr, "plintova-cli: the %s and the %s need two files: %s\n", kept.what, out.what, same.c_str());
        return 2;
      }
    }
  }
  return 0;
}

int writeOutputs(const Project& p, const BatchOptions& o, Prompter& prompter) {
  int status = 0;
  for (const BatchOutput& out : kOutputs) {
    const std::string& path = o.*out.path;
    if (path.empty()) continue;
    if (const std::string err = out.write(p, o, path); !err.empty()) {
      prompter.message(err);
      status = 1;
    }
  }
  return status;
}

}  // namespace plintova::cli
