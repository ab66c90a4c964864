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

#include "cli/batch_outputs.h"
#include "cli/batch_run.h"
#include "files/file_buffer.h"
#include "footing/design_inputs.h"
#include "output/report_content.h"

#ifdef PLINTOVA_WITH_PDF
#include "cli/pdf_loader.h"
#endif

namespace {

using plintova::cli::BatchOptions;
using plintova::cli::BatchOutput;

// The usage, its outputs from the table of outputs.
std::string usageText() {
  return "usage: plintova-cli LISTING [--sbc Q --depth D] [--fck N --fe N] [--cases LIST] [--increased-cases LIST]\n"
         "                    [--roles LIST] [--combine]\n" +
         plintova::cli::usageLines("                    ", "[--options FILE.json] [--json]") +
         plintova::cli::usageLines("       plintova-cli --project FILE ", "[--options FILE.json] [--json]") +
         "       plintova-cli --version\n";
}

int usage(const std::string& why) {
  std::fprintf(stderr, "plintova-cli: %s\n%s", why.c_str(), usageText().c_str());
  return 2;
}

// --help: the usage on standard output, as asked for, and where the options are described.
int help() {
  std::printf("%s\nThe options are described in the manual page plintova-cli(1).\n", usageText().c_str());
  return std::fflush(stdout) == 0 ? 0 : 1;
}

// A whole number as the engineer types it ("25"); nothing for anything else.
std::optional<int> wholeNumber(const std::string& text) {
  if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
  return std::stoi(text);
}

// The arguments of one run, read one at a time. Each option may be given once: a second would silently win.
class Arguments {
 public:
  Arguments(int argc, char** argv) : argc_(argc), argv_(argv) {}

  // Reads every argument into `o`; -1 when the run may go on, else the exit status (usage said).
  int read(BatchOptions& o) {
    for (i_ = 1; i_ < argc_; ++i_) {
      const std::string a = argv_[i_];
      if (a.size() > 1 && a[0] == '-' && !given_.insert(a).second)
        return usage(a + " is given twice; give each option once");
      if (const int status = readOne(a, o); status >= 0) return status;
    }
    return -1;
  }

  // The options a project file settles, in the order given.
  const std::vector<std::string>& settled() const { return settled_; }

 private:
  bool value(std::string& into) {
    if (i_ + 1 >= argc_) return false;
    into = argv_[++i_];
    return true;
  }

  int readOne(const std::string& a, BatchOptions& o) {
    for (const BatchOutput& out : plintova::cli::batchOutputs()) {
      if (a != out.option) continue;
      std::string& path = o.*out.path;
      if (!value(path) || path.empty()) return usage(a + " needs a file name");
      if (const std::string problem = out.nameProblem(path); !problem.empty()) return usage(problem);
      return -1;
    }
    if (a == "--json") {
      o.json = true;
    } else if (a == "--sbc" || a == "--depth") {
      const bool sbc = a == "--sbc";
      if (!value(sbc ? o.sbcText : o.depthText)) return usage(a + " needs a value");
      (sbc ? o.haveSbc : o.haveDepth) = true;
    } else if (a == "--project" || a == "--options") {
      std::string& path = a == "--project" ? o.projectPath : o.optionsPath;
      if (!value(path) || path.empty()) return usage(a + " needs a file name");
    } else if (a == "--fck" || a == "--fe" || a == "--cases" || a == "--increased-cases" || a == "--roles" ||
               a == "--combine") {
      settled_.push_back(a);
      return readSettled(a, o);
    } else if (a == "--version") {
      std::printf("Plintova %s\n", PLINTOVA_VERSION);
      return std::fflush(stdout) == 0 ? 0 : 1;
    } else if (a == "-h" || a == "--help") {
      return help();
    } else if (!a.empty() && a[0] == '-') {
      return usage("unknown option " + a);
    } else if (o.listing.empty()) {
      o.listing = a;
    } else {
      return usage("only one listing can be read");
    }
    return -1;
  }

  // The options of the design inputs that a project file settles: grades, load cases, roles, combinations.
  int readSettled(const std::string& a, BatchOptions& o) {
    std::string text, reason;
    if (a == "--combine") {
      o.combine = true;
    } else if (a == "--fck" || a == "--fe") {
      if (!value(text)) return usage(a + " needs a grade");
      // A grade of 0 is no grade: it would leave the listing's in force unnoticed.
      const auto grade = wholeNumber(text);
      if (!grade || *grade == 0) return usage(a + " needs a whole number of N/mm2 above 0, not \"" + text + "\"");
      (a == "--fck" ? o.fck : o.fe) = *grade;
    } else if (a == "--roles") {
      if (!value(text)) return usage("--roles needs a list of roles such as 1:dead,2:imposed,3-6:earthquake");
      const auto roles = plintova::parseRoles(text, reason);
      if (!roles) return usage("--roles: " + reason);
      o.roles = *roles;
    } else {
      if (!value(text)) return usage(a + " needs a list of load cases such as 1,3-5");
      const auto list = plintova::parseCaseList(text, reason);
      if (!list) return usage(a + ": " + reason);
      if (a == "--cases") o.cases = *list;
      else o.increasedCases = *list;
    }
    return -1;
  }

  int argc_;
  char** argv_;
  int i_ = 1;
  std::set<std::string> given_;
  std::vector<std::string> settled_;
};

// Options that do not go together: a project file settles the listing and the design inputs; without
// one, the outputs need SBC and depth. -1 when they go together, else 2 with the usage.
int refuseCombination(const BatchOptions& o, const std::vector<std::string>& settled) {
  if (!o.projectPath.empty()) {
    if (!o.listing.empty()) return usage("the listing comes from the project file; give --project or a listing");
    if (o.haveSbc || o.haveDepth) return usage("--sbc and --depth come from the project file");
    if (!settled.empty()) return usage(settled.front() + " comes from the project file");
    return -1;
  }
  if (o.listing.empty()) return usage("no listing given");
  if (o.haveSbc != o.haveDepth) return usage("--sbc and --depth go together");
  if (o.haveSbc) return -1;
  for (const BatchOutput& out : plintova::cli::batchOutputs()) {
    if ((o.*out.path).empty()) continue;
    if (out.isExport) return usage(plintova::cli::exportOptionsText() + " need --sbc and --depth, or --project");
    return usage(std::string(out.option) + " needs --sbc and --depth, or --project");
  }
  if (!settled.empty()) return usage(settled.front() + " needs --sbc and --depth");
  if (!o.optionsPath.empty()) return usage("--options needs --sbc and --depth, or --project");
  // A grade given alone is checked with the other as the listing gives it, once it is read.
  return -1;
}

// The run with Qt's painting and PDF code loaded only when it makes a PDF.
int runWithPrinting(BatchOptions& o) {
#ifdef PLINTOVA_WITH_PDF
  const plintova::pdf::Renderer* renderer = nullptr;
  if (plintova::cli::needsPrinting(o)) {
    const plintova::cli::LoadedRenderer loaded = plintova::cli::loadPdfRenderer();
    if (!loaded.renderer) return plintova::cli::reportFailure(o, loaded.error, 1);
    if (const std::string reason = loaded.renderer->start(); !reason.empty())
      return plintova::cli::reportFailure(o, "The PDF files cannot be made: " + reason + ".", 1);
    renderer = loaded.renderer;
    o.printPdf = renderer->sheets;
    o.printPlanPdf = renderer->plan;
    o.reportPdf = renderer->report;
  }
  const int status = plintova::cli::runBatch(o);
  if (renderer) renderer->finish();
  return status;
#else
  return plintova::cli::runBatch(o);
#endif
}

}  // namespace

int main(int argc, char** argv) {
  // A batch run reads one listing into tables of some megabytes; 256 MB of address space costs
  // nothing until touched, and covers the tables of a listing of several hundred megabytes.
  plintova::preferLargeHeapPages(std::size_t{256} << 20);
  BatchOptions o;
  Arguments arguments(argc, argv);
  if (const int status = arguments.read(o); status >= 0) return status;
  if (const int status = refuseCombination(o, arguments.settled()); status >= 0) return status;
  if (!o.projectPath.empty()) {
    plintova::ReadProject read = plintova::readProjectFile(o.projectPath);
    if (!read) return plintova::cli::reportFailure(o, read.error, 1);
    o.listing = plintova::listingPathOf(*read.project, o.projectPath);
    o.saved = std::move(read.project);
  }
  if (const int refused = plintova::cli::refuseBadTargets(o)) return refused;
  int status = runWithPrinting(o);
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
