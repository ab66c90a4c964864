// Batch tool: reads a listing (or a saved project) and runs what the desktop program does up to the schedule.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "cli/batch_run.h"
#include "footing/design_inputs.h"
#include "output/project_files.h"
#include "output/report_content.h"
#include "output/safe_file.h"

#ifdef PLINTOVA_WITH_PDF
#include "cli/pdf_loader.h"
#endif

namespace {

constexpr const char* kUsage =
    "usage: plintova-cli LISTING [--sbc Q --depth D] [--fck N --fe N] [--cases LIST]"
    " [--increased-cases LIST]\n"
    "                    [--roles LIST] [--combine]\n"
    "                    [--options FILE.json] [--json] [--xlsx FILE] [--pdf FILE] [--plan-pdf FILE] [--dxf FILE]\n"
    "                    [--report FILE.pdf|FILE.md] [--save-project FILE]\n"
    "       plintova-cli --project FILE [--options FILE.json] [--json] [--xlsx FILE] [--pdf FILE] [--plan-pdf FILE]\n"
    "                    [--dxf FILE] [--report FILE.pdf|FILE.md] [--save-project FILE]\n"
    "       plintova-cli --version\n";

int usage(const char* why) {
  std::fprintf(stderr, "plintova-cli: %s\n%s", why, kUsage);
  return 2;
}

// --help: the usage on standard output, as asked for, and where the options are described.
int help() {
  std::printf("%s\nThe options are described in the manual page plintova-cli(1).\n", kUsage);
  return std::fflush(stdout) == 0 ? 0 : 1;
}

// Refuses, before any work, an output that would destroy an input or could never be written: the listing
// or its layout file (and, for the workbook, the PDFs and the DXF, the project file the run repeats; a project may
// be saved over itself), an existing folder, device or pipe, a read-only file, or two outputs onto one
// file. A folder where no file can be created is left to the write itself, which reports it with status 1.
// Returns 0 when every target may be written, else 2 with the reason on stderr.
int refuseBadTargets(const plintova::cli::BatchOptions& o) {
  const std::vector<plintova::ProtectedFile> inputs = plintova::projectInputFiles(o.listing);
  std::vector<plintova::ProtectedFile> exportInputs = inputs;
  if (!o.projectPath.empty()) exportInputs.push_back({o.projectPath, "the project file"});
  const struct {
    const std::string& path;
    const char* what;
    const std::vector<plintova::ProtectedFile>& protectedFiles;
  } outputs[] = {{o.xlsxPath, "workbook", exportInputs},
                 {o.pdfPath, "PDF file", exportInputs},
                 {o.planPdfPath, "plan PDF file", exportInputs},
                 {o.dxfPath, "DXF file", exportInputs},
                 {o.reportPath, "report", exportInputs},
                 {o.saveProjectPath, "project file", inputs}};
  for (const auto& out : outputs) {
    if (out.path.empty()) continue;
    const plintova::TargetCheck check = plintova::checkOutputTarget(out.path, out.protectedFiles);
    if (check || check.problem == plintova::TargetProblem::FolderUnusable) continue;
    std::fprintf(stderr, "plintova-cli: the %s %s cannot be written: %s\n", out.what, out.path.c_str(),
                 check.reason.c_str());
    return 2;
  }
  const std::string clash =
      plintova::checkDistinctOutputs({o.xlsxPath, o.pdfPath, o.planPdfPath, o.dxfPath, o.reportPath});
  if (!clash.empty()) {
    std::fprintf(stderr, "plintova-cli: each output needs a file of its own: %s\n", clash.c_str());
    return 2;
  }
  for (const auto& [other, what] : {std::pair{&o.xlsxPath, "workbook"}, std::pair{&o.pdfPath, "PDF file"},
                                    std::pair{&o.planPdfPath, "plan PDF file"}, std::pair{&o.dxfPath, "DXF file"},
                                    std::pair{&o.reportPath, "report"}}) {
    const std::string same = plintova::checkDistinctOutputs({o.saveProjectPath, *other});
    if (!same.empty()) {
      std::fprintf(stderr, "plintova-cli: the project file and the %s need two files: %s\n", what, same.c_str());
      return 2;
    }
  }
  return 0;
}

// A whole number as the engineer types it ("25"); nothing for anything else.
std::optional<int> wholeNumber(const std::string& text) {
  if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
  return std::stoi(text);
}

}  // namespace

int main(int argc, char** argv) {
  plintova::cli::BatchOptions o;
  std::vector<std::string> settled;  // options a project file settles
  std::set<std::string> given;       // every option may be given once: a second would silently win
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a.size() > 1 && a[0] == '-' && !given.insert(a).second)
      return usage((a + " is given twice; give each option once").c_str());
    auto value = [&](std::string& into) {
      if (i + 1 >= argc) return false;
      into = argv[++i];
      return true;
    };
    if (a == "--json") {
      o.json = true;
    } else if (a == "--sbc") {
      if (!value(o.sbcText)) return usage("--sbc needs a value");
      o.haveSbc = true;
    } else if (a == "--depth") {
      if (!value(o.depthText)) return usage("--depth needs a value");
      o.haveDepth = true;
    } else if (a == "--xlsx") {
      if (!value(o.xlsxPath) || o.xlsxPath.empty()) return usage("--xlsx needs a file name");
    } else if (a == "--pdf") {
      if (!value(o.pdfPath) || o.pdfPath.empty()) return usage("--pdf needs a file name");
    } else if (a == "--plan-pdf") {
      if (!value(o.planPdfPath) || o.planPdfPath.empty()) return usage("--plan-pdf needs a file name");
    } else if (a == "--report") {
      if (!value(o.reportPath) || o.reportPath.empty()) return usage("--report needs a file name");
      if (plintova::reportFormat(o.reportPath) == plintova::ReportFormat::Unknown)
        return usage(("the report's name must end in .pdf or .md, not \"" + o.reportPath + "\"").c_str());
    } else if (a == "--dxf") {
      if (!value(o.dxfPath) || o.dxfPath.empty()) return usage("--dxf needs a file name");
    } else if (a == "--project") {
      if (!value(o.projectPath) || o.projectPath.empty()) return usage("--project needs a file name");
    } else if (a == "--options") {
      if (!value(o.optionsPath) || o.optionsPath.empty()) return usage("--options needs a file name");
    } else if (a == "--save-project") {
      if (!value(o.saveProjectPath) || o.saveProjectPath.empty()) return usage("--save-project needs a file name");
    } else if (a == "--fck" || a == "--fe") {
      std::string text;
      if (!value(text)) return usage((a + " needs a grade").c_str());
      // A grade of 0 is no grade: it would leave the listing's in force unnoticed.
      const auto grade = wholeNumber(text);
      if (!grade || *grade == 0) return usage((a + " needs a whole number of N/mm2 above 0, not \"" + text + "\"").c_str());
      (a == "--fck" ? o.fck : o.fe) = *grade;
      settled.push_back(a);
    } else if (a == "--cases" || a == "--increased-cases") {
      std::string text, reason;
      if (!value(text)) return usage((a + " needs a list of load cases such as 1,3-5").c_str());
      const auto list = plintova::parseCaseList(text, reason);
      if (!list) return usage((a + ": " + reason).c_str());
      if (a == "--cases") o.cases = *list;
      else o.increasedCases = *list;
      settled.push_back(a);
    } else if (a == "--roles") {
      std::string text, reason;
      if (!value(text)) return usage("--roles needs a list of roles such as 1:dead,2:imposed,3-6:earthquake");
      const auto roles = plintova::parseRoles(text, reason);
      if (!roles) return usage(("--roles: " + reason).c_str());
      o.roles = *roles;
      settled.push_back(a);
    } else if (a == "--combine") {
      o.combine = true;
      settled.push_back(a);
    } else if (a == "--version") {
      std::printf("Plintova %s\n", PLINTOVA_VERSION);
      return std::fflush(stdout) == 0 ? 0 : 1;
    } else if (a == "-h" || a == "--help") {
      return help();
    } else if (!a.empty() && a[0] == '-') {
      return usage(("unknown option " + a).c_str());
    } else if (o.listing.empty()) {
      o.listing = a;
    } else {
      return usage("only one listing can be read");
    }
  }
  if (!o.projectPath.empty()) {
    // The project file settles the listing and the design inputs.
    if (!o.listing.empty()) return usage("the listing comes from the project file; give --project or a listing");
    if (o.haveSbc || o.haveDepth) return usage("--sbc and --depth come from the project file");
    if (!settled.empty()) return usage((settled.front() + " comes from the project file").c_str());
  } else {
    if (o.listing.empty()) return usage("no listing given");
    if (o.haveSbc != o.haveDepth) return usage("--sbc and --depth go together");
    if ((!o.xlsxPath.empty() || !o.pdfPath.empty() || !o.planPdfPath.empty() || !o.dxfPath.empty() ||
         !o.reportPath.empty()) &&
        !o.haveSbc)
      return usage("--xlsx, --pdf, --plan-pdf, --dxf and --report need --sbc and --depth, or --project");
    if (!o.saveProjectPath.empty() && !o.haveSbc) return usage("--save-project needs --sbc and --depth, or --project");
    if (!settled.empty() && !o.haveSbc) return usage((settled.front() + " needs --sbc and --depth").c_str());
    if (!o.optionsPath.empty() && !o.haveSbc) return usage("--options needs --sbc and --depth, or --project");
    // A grade given alone is checked with the other as the listing gives it, once it is read.
  }
  if (!o.projectPath.empty()) {
    plintova::ReadProject read = plintova::readProjectFile(o.projectPath);
    if (!read) return plintova::cli::reportFailure(o, read.error, 1);
    o.listing = plintova::listingPathOf(*read.project, o.projectPath);
    o.saved = std::move(read.project);
  }
  if (const int refused = refuseBadTargets(o)) return refused;

#ifdef PLINTOVA_WITH_PDF
  // Qt's painting and PDF code is loaded only for a run that makes a PDF.
  const plintova::pdf::Renderer* renderer = nullptr;
  if (!o.pdfPath.empty() || !o.planPdfPath.empty() ||
      (!o.reportPath.empty() && plintova::reportFormat(o.reportPath) == plintova::ReportFormat::Pdf)) {
    const plintova::cli::LoadedRenderer loaded = plintova::cli::loadPdfRenderer();
    if (!loaded.renderer) return plintova::cli::reportFailure(o, loaded.error, 1);
    if (const std::string reason = loaded.renderer->start(); !reason.empty())
      return plintova::cli::reportFailure(o, "The PDF files cannot be made: " + reason + ".", 1);
    renderer = loaded.renderer;
    o.printPdf = renderer->sheets;
    o.printPlanPdf = renderer->plan;
    o.reportPdf = renderer->report;
  }
#endif
  int status = plintova::cli::runBatch(o);
#ifdef PLINTOVA_WITH_PDF
  if (renderer) renderer->finish();
#endif
  // Output that never reached standard output (a full disk, a closed pipe) is a failed run.
  const bool flushed = std::fflush(stdout) == 0;
  const int error = flushed ? 0 : errno;
  if (!flushed || std::ferror(stdout)) {
    std::fprintf(stderr, "plintova-cli: the output could not be written to standard output%s%s\n",
                 error ? ": " : "", error ? std::strerror(error) : "");
    if (status == 0) status = 1;
  }
  return status;
}
