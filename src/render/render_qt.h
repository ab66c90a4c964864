// The one QPainter renderer of primitive lists, and the printed plan sent to a printer or an A3 PDF.
#pragma once

#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QStaticText>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "draw/plan_layout.h"
#include "draw/primitives.h"
#include "model/project.h"

class QByteArray;
class QIODevice;
class QPainter;
class QPaintDevice;
class QPrinter;

namespace plintova::draw {

// How primitives look on one kind of device, in device pixels: the width of one line unit and the length
// of a dash. Line widths never scale with the plan, so a plan line stays a line however far it is zoomed.
struct DeviceStyle {
  double lineUnit = 1;     // device pixels per line-width unit
  double dashLength = 6;   // device pixels of one dash; gaps and dots follow from it
  bool antialias = true;  // lines; texts are always smoothed
};

// Screen: a width-1 line is one crisp pixel.
DeviceStyle screenStyle();
// Paper at `dpi`: one line unit is 0.1 mm, so printer width 1 is a thin line and width 3 a firm 0.3 mm line;
// a dash is 2 mm.
DeviceStyle paperStyle(double dpi);

// The font of a text primitive (its point size and weight) in the program's sans-serif face.
QFont fontFor(const Primitive& p);
QFont planFont(double pointSize, bool bold = false);

// Maps a world rectangle (plan mm) onto a device rectangle, each axis on its own scale.
class Viewport {
 public:
  Viewport(const Rect& world, const QRectF& device);
  QPointF map(double x, double z) const;
  PlanPoint unmap(const QPointF& device) const;
  double xPerPixel() const { return xPerPixel_; }  // plan units per device pixel along X
  double zPerPixel() const { return zPerPixel_; }
  const Rect& world() const { return world_; }
  const QRectF& device() const { return device_; }

 private:
  Rect world_;
  QRectF device_;
  double xPerPixel_ = 1, zPerPixel_ = 1;
};

// Sizes of text primitives in plan units as `device` shows them through `view`, for hit-testing and layout.
TextMeasure textMeasure(const QPaintDevice* device, const Viewport& view);

// Width of "9" in plan units: the offset of every footing label from its footing centre.
double digitWidth(const QPaintDevice* device, const Viewport& view, double pointSize = 8);

// Texts laid out once for one screen widget and drawn from their layout on every later paint: a plan's
// labels change little from one paint to the next, and shaping them again was most of a repaint's time.
// Printed pages and PDFs draw without it, so their bytes do not depend on what was shown before.
class TextCache {
 public:
  struct Entry {
    QFont font;
    std::vector<QStaticText> lines;
    std::vector<double> widths;  // device pixels, per line
    double width = 0, height = 0, ascent = 0, lineSpacing = 0, band = 0;
  };
  // The laid-out text of a text primitive on `device`.
  const Entry& entry(const Primitive& p, const QPaintDevice* device);
  void clear() { entries_.clear(); }
  std::size_t size() const { return entries_.size(); }

 private:
  std::unordered_map<std::string, Entry> entries_;  // by point size, weight and text
};

// Paints the primitives in list order, those that `accept` takes when it is given. Line widths, dashes
// and fonts are in device terms (above); only positions go through the viewport. With a text cache, the
// texts are drawn from their cached layout.
void render(QPainter& painter, const std::vector<Primitive>& list, const Viewport& view, const DeviceStyle& style,
            const std::function<bool(const Primitive&)>& accept = {}, TextCache* texts = nullptr);

// Point sizes of the texts on the printed page: the largest that keeps the figures of the footings apart,
// within these bounds.
constexpr double kPagePointSizeMax = 8;
constexpr double kPagePointSizeMin = 5;

// Lays out and paints the printed plan on a painter already begun on a page of `pageRect` device pixels
// at `dpi` (the printable area, origin at its top-left corner).
void paintPlanPage(QPainter& painter, const Project& project, const QRectF& pageRect, double dpi);

// Prints the plan on A3 in its orientation through an already chosen printer (the print dialog's).
// Returns an error text when the printer cannot be started, else an empty text.
std::string printPlan(const Project& project, QPrinter& printer);

// The printed plan as the bytes of a one-page A3 PDF (vector), made in memory. Returns "" on success,
// else the reason. Creates a GUI application for the fonts when the caller has none (the batch tool), on
// the offscreen platform unless another is set.
std::string planPdfBytes(const Project& project, QByteArray& pdf);

// Makes sure a GUI application exists for the fonts of a PDF: creates one when the caller has none (the
// batch tool), on the offscreen platform unless another is set, and keeps it for the rest of the run.
// Returns "" when there is one, else the reason.
std::string ensureGuiApplication();

// Writes a PDF made in memory by `make` through the safe file writer: the project's listing and its
// layout file are never written over, nor anything but a regular file (refused before anything is made),
// and a failed write leaves an earlier file whole. Returns the message to show ("<what> <path> could not
// be written: <reason>."), empty on success.
std::string writePdfFile(const Project& project, const std::string& path,
                         const std::function<std::string(QByteArray&)>& make, const std::string& what = "The PDF file");

// The same for a PDF that `make` writes straight into the file as its pages are made (the writer's
// temporary file, renamed into place once whole), so that its bytes are never all held in memory.
std::string writePdfStream(const Project& project, const std::string& path,
                           const std::function<std::string(QIODevice&)>& make,
                           const std::string& what = "The PDF file");

// Writes the printed plan as a one-page A3 PDF file through the safe file writer: the listing and its
// layout file are never written over, nor anything but a regular file, and a failed write leaves an
// earlier file whole. Returns the message to show, empty on success.
std::string printPlanToPdf(const Project& project, const std::string& path);

}  // namespace plintova::draw
