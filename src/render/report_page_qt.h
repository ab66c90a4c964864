// The calculation report's pages as placed items, shared by the page layout (report_layout_qt.cpp), the
// figures' layout (report_figure_qt.cpp), the PDF writer's side (report_pdf_qt.cpp) and the painter
// (report_qt.cpp).
#pragma once

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>
#include <vector>

#include "files/pdf_writer.h"
#include "output/report.h"

class QPaintDevice;

namespace plintova::draw::report_pages {

enum class FontRole { Body, Bold, Small, Italic, Table, TableBold, Chapter, Part, Title, Subtitle, Running };

inline QFont fontOf(FontRole role) {
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setStyleHint(QFont::SansSerif);
  double size = 9;
  switch (role) {
    case FontRole::Body: break;
    case FontRole::Bold: f.setBold(true); break;
    case FontRole::Small: size = 7.5; break;
    case FontRole::Italic: size = 7.5; f.setItalic(true); break;
    case FontRole::Table: size = 7.5; break;
    case FontRole::TableBold: size = 7.5; f.setBold(true); break;
    case FontRole::Chapter: size = 15; f.setBold(true); break;
    case FontRole::Part: size = 11; f.setBold(true); break;
    case FontRole::Title: size = 24; f.setBold(true); break;
    case FontRole::Subtitle: size = 12; break;
    case FontRole::Running: size = 7.5; break;
  }
  f.setPointSizeF(size);
  return f;
}

inline const QColor kInk(0, 0, 0), kGrey(90, 90, 90), kRule(150, 150, 150), kHeadFill(225, 225, 225),
    kFailFill(255, 199, 206), kFailInk(156, 0, 6), kOkFill(214, 239, 214), kOkInk(0, 97, 0);

// One placed thing on a page, in device pixels.
struct Item {
  enum Kind { Text, Fill, Line } kind = Text;
  QRectF rect;  // a line runs from the top-left to the bottom-right corner
  QString text;
  FontRole font = FontRole::Body;
  int flags = 0;
  QColor colour = kInk;
  double width = 0;  // line width, pixels
};

using Page = std::vector<Item>;

// Alignment and wrapping flags as drawText takes them.
inline int flags(Qt::Alignment align, int wrap = 0) { return static_cast<int>(align | Qt::AlignTop) | wrap; }

// The report's resolution: device pixels per inch of the page layout and of the PDF it is painted on.
inline constexpr int kReportDpi = 600;
// The report's page, mm: A4 portrait.
inline constexpr double kPageWidth = 210, kPageHeight = 297;

class Fonts;

// The document laid out into A4 portrait pages of placed items on `device`, measured with `fonts`.
std::vector<Page> layOutReport(QPaintDevice* device, const report::Document& doc, const Fonts& fonts);

// The laid-out pages written by the program's own PDF writer through `sink`, each page's items let go
// as it is written; `device` is the one they were laid out on. `taken` is false (and nothing written)
// when a text needs what the writer does not do (a font it cannot embed, a character its font's table
// lacks, which the painter may take from another font): the painter makes that report. Returns "" or the
// reason the file could not be written.
std::string writeOwnPdf(std::vector<Page>& pages, const Fonts& fonts, const QPaintDevice* device,
                        const std::string& title, const PdfSink& sink, bool& taken);

// A figure laid out at (x, y) over `width` device pixels, `perMm` pixels to the millimetre: its panels,
// curves, axes and marks as items. Returns its height in pixels.
double layOutFigure(const report::Figure& figure, const QPaintDevice* device, double x, double y, double width,
                    double perMm, std::vector<Item>& out);

}  // namespace plintova::draw::report_pages
