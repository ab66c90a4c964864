// The footing drawing's sheets painted by the one renderer: on a print preview, a printer or a PDF.
#pragma once

#include <QRectF>
#include <string>
#include <vector>

#include "model/decisions.h"
#include "model/project.h"
#include "print/sheet_layout.h"

class QByteArray;
class QPainter;
class QPrinter;

namespace plintova::draw {

// The sheets of the project's footing drawing with the engineer's sheet settings (project.decisions.sheet),
// laid out with the sheet font's own measure (the same on screen, printer and PDF).
std::vector<print::Sheet> drawingSheets(const Project& project);

// Paints one sheet on a painter begun on a page whose whole paper is `paperRect` device pixels at `dpi`
// (paper millimetres are mapped onto it, whatever the printer's margins).
void paintSheet(QPainter& painter, const print::Sheet& sheet, const QRectF& paperRect, double dpi);

// Prints every sheet, one per page, through an already chosen printer (the print dialog's or the print
// preview's), the paper size and landscape orientation set from the sheets. Returns an error text when
// the printer cannot be started, else an empty text.
std::string printSheets(const std::vector<print::Sheet>& sheets, QPrinter& printer);

// The drawing as the bytes of a PDF (vector, one page per sheet), made in memory. Returns "" on success,
// else the reason. Creates a GUI application for the fonts when the caller has none (the batch tool), on
// the offscreen platform unless another is set.
std::string sheetsPdfBytes(const Project& project, QByteArray& pdf);

// Writes the drawing as a PDF file through the safe file writer: never over the listing or its layout
// file, nor anything but a regular file, and a failed write leaves an earlier file whole. Returns the
// message to show, empty on success.
std::string writeSheetsPdf(const Project& project, const std::string& path);

}  // namespace plintova::draw
