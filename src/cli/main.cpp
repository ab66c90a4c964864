// Batch tool: reads a listing and runs what the desktop program does up to the schedule, every group ticked.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "cli/batch_run.h"

#ifdef PLINTOVA_WITH_PDF
#include <QGuiApplication>

#include "draw/render_qt.h"
#endif

namespace {

int usage(const char* why) {
  std::fprintf(stderr, "plintova-cli: %s\n", why);
  std::fprintf(stderr, "usage: plintova-cli LISTING [--sbc Q --depth D] [--json] [--xlsx FILE] [--pdf FILE]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  plintova::cli::BatchOptions o;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
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
      if (!value(o.xlsxPath)) return usage("--xlsx needs a file name");
    } else if (a == "--pdf") {
      if (!value(o.pdfPath)) return usage("--pdf needs a file name");
    } else if (a == "-h" || a == "--help") {
      usage("help");
      return 0;
    } else if (!a.empty() && a[0] == '-') {
      return usage(("unknown option " + a).c_str());
    } else if (o.listing.empty()) {
      o.listing = a;
    } else {
      return usage("only one listing can be read");
    }
  }
  if (o.listing.empty()) return usage("no listing given");
  if (o.haveSbc != o.haveDepth) return usage("--sbc and --depth go together");
  if ((!o.xlsxPath.empty() || !o.pdfPath.empty()) && !o.haveSbc) return usage("--xlsx and --pdf need --sbc and --depth");

#ifdef PLINTOVA_WITH_PDF
  std::unique_ptr<QGuiApplication> app;
  if (!o.pdfPath.empty()) {
    // Printing needs fonts but no screen.
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int qargc = 1;
    static char name[] = "plintova-cli";
    static char* qargv[] = {name, nullptr};
    app = std::make_unique<QGuiApplication>(qargc, qargv);
  }
  o.printPdf = [](const plintova::Project& p, const std::string& path) { return plintova::draw::printPlanToPdf(p, path); };
#endif
  return plintova::cli::runBatch(o);
}
