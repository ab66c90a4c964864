// The PDF renderer module: the batch tool's way to Qt's painting and PDF code, opened only when a PDF is
// asked for. Everything here is hidden but the entry point.
#include <QGuiApplication>
#include <cstdlib>
#include <memory>

#include "render/pdf_renderer.h"
#include "render/render_qt.h"
#include "render/report_qt.h"
#include "render/sheet_qt.h"

namespace {

std::unique_ptr<QGuiApplication> application;

std::string start() {
  if (QCoreApplication::instance()) return {};
  // Printing needs fonts but no screen.
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static int argc = 1;
  static char name[] = "plintova-cli";
  static char* argv[] = {name, nullptr};
  application = std::make_unique<QGuiApplication>(argc, argv);
  return {};
}

void finish() { application.reset(); }

std::string sheets(const plintova::Project& p, const std::string& path) { return plintova::draw::writeSheetsPdf(p, path); }
std::string plan(const plintova::Project& p, const std::string& path) { return plintova::draw::printPlanToPdf(p, path); }
std::string report(const plintova::Project& p, const std::string& path) { return plintova::draw::writeReport(p, path); }

const plintova::pdf::Renderer renderer{plintova::pdf::kInterfaceVersion,
                                       sizeof(plintova::Project),
                                       PLINTOVA_VERSION,
                                       start,
                                       sheets,
                                       plan,
                                       report,
                                       finish};

}  // namespace

extern "C" __attribute__((visibility("default"))) const plintova::pdf::Renderer* plintova_pdf_renderer() {
  return &renderer;
}
