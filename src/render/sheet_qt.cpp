// The footing drawing's sheets painted by the one renderer: on a print preview, a printer or a PDF.
#include "render/sheet_qt.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <algorithm>

#include "print/sheet_text.h"
#include "render/render_qt.h"

namespace plintova::draw {

namespace {

// The PDF's resolution: fine enough that no line or text lands off its place by a visible step.
constexpr int kPdfDpi = 1200;
constexpr double kMmPerInch = 25.4;

// The paper of a sheet as a page size (portrait, as Qt names them) to be used in landscape.
QPageSize pageSizeOf(const print::Paper& paper) {
  if (paper.name == "A3") return QPageSize(QPageSize::A3);
  if (paper.name == "A2") return QPageSize(QPageSize::A2);
  if (paper.name == "A1") return QPageSize(QPageSize::A1);
  const double shortSide = std::min(paper.width, paper.height), longSide = std::max(paper.width, paper.height);
  return QPageSize(QSizeF(shortSide, longSide), QPageSize::Millimeter, QStringLiteral("Custom"),
                   QPageSize::ExactMatch);
}

QPageLayout::Orientation orientationOf(const print::Paper& paper) {
  return paper.width >= paper.height ? QPageLayout::Landscape : QPageLayout::Portrait;
}

// The whole paper in device pixels at `dpi`.
QRectF paperPixels(const print::Paper& paper, double dpi) {
  return QRectF(0, 0, paper.width / kMmPerInch * dpi, paper.height / kMmPerInch * dpi);
}

}  // namespace

std::vector<print::Sheet> drawingSheets(const Project& project) {
  // The layout measures texts with the sheet font's own advance widths, not a device's: the sheets come
  // out the same on every device and in the CAD export.
  return print::footingSheets(project, project.decisions.sheet, print::sheetFontMeasure());
}

void paintSheet(QPainter& painter, const print::Sheet& sheet, const QRectF& paperRect, double dpi) {
  const Viewport view({0, 0, sheet.paper.width, sheet.paper.height}, paperRect);
  render(painter, sheet.primitives, view, paperStyle(dpi));
}

std::string printSheets(const std::vector<print::Sheet>& sheets, QPrinter& printer) {
  if (sheets.empty()) return "There is no sheet to print.";
  const print::Paper& paper = sheets.front().paper;
  // The sheet has its own frame and margins: the whole paper is the page, its origin the paper's corner.
  printer.setFullPage(true);
  printer.setPageSize(pageSizeOf(paper));
  printer.setPageOrientation(orientationOf(paper));
  printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
  printer.setDocName(QStringLiteral("Footing drawing"));
  QPainter painter;
  if (!painter.begin(&printer)) return "The printer could not be started.";
  const double dpi = printer.resolution();
  for (std::size_t k = 0; k < sheets.size(); ++k) {
    if (k > 0 && !printer.newPage()) {
      painter.end();
      return "The printer did not accept sheet " + std::to_string(k + 1) + ".";
    }
    paintSheet(painter, sheets[k], paperPixels(sheets[k].paper, dpi), dpi);
  }
  if (!painter.end()) return "The printer did not accept the sheets.";
  return {};
}

std::string sheetsPdfBytes(const Project& project, QByteArray& pdf) {
  if (std::string reason = ensureGuiApplication(); !reason.empty()) return reason;
  const std::vector<print::Sheet> sheets = drawingSheets(project);
  if (sheets.empty()) return "there is no sheet to draw";

  // The pages are made in memory; only the safe writer puts them on the disk.
  pdf.clear();
  QBuffer buffer(&pdf);
  if (!buffer.open(QIODevice::WriteOnly)) return "no memory for the sheets";
  const int dpi = kPdfDpi;
  QPdfWriter writer(&buffer);
  writer.setResolution(dpi);
  writer.setCreator(QStringLiteral("Plintova"));
  writer.setTitle(QString::fromStdString(project.decisions.sheet.title.empty() ? std::string("Footing drawing")
                                                                               : project.decisions.sheet.title));
  auto layoutOf = [](const print::Paper& paper) {
    return QPageLayout(pageSizeOf(paper), orientationOf(paper), QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
  };
  writer.setPageLayout(layoutOf(sheets.front().paper));
  QPainter painter;
  if (!painter.begin(&writer)) return "the sheets could not be started";
  for (std::size_t k = 0; k < sheets.size(); ++k) {
    if (k > 0) {
      writer.setPageLayout(layoutOf(sheets[k].paper));
      if (!writer.newPage()) {
        painter.end();
        return "sheet " + std::to_string(k + 1) + " could not be started";
      }
    }
    paintSheet(painter, sheets[k], paperPixels(sheets[k].paper, dpi), dpi);
  }
  if (!painter.end()) return "the sheets could not be finished";
  if (pdf.isEmpty()) return "the sheets came out empty";
  return {};
}

std::string writeSheetsPdf(const Project& project, const std::string& path) {
  return writePdfFile(project, path, [&project](QByteArray& pdf) { return sheetsPdfBytes(project, pdf); });
}

}  // namespace plintova::draw
