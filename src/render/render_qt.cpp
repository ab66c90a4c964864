// The one QPainter renderer of primitive lists, and the printed plan sent to a printer or an A3 PDF.
#include "render/render_qt.h"

#include <QBuffer>
#include <QFile>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPolygonF>
#include <QPrinter>
#include <algorithm>
#include <memory>
#include <optional>

#include "files/project_files.h"
#include "files/safe_file.h"
#include "print/plan_page.h"

namespace plintova::draw {

namespace {

constexpr double kPageMarginMm = 10;

QColor qcolour(Rgb c) { return QColor(c.r, c.g, c.b); }

QPen penFor(const Primitive& p, const DeviceStyle& style) {
  double w = std::max(p.width * style.lineUnit, 0.5);
  QPen pen(qcolour(p.colour), w);
  if (p.style == LineStyle::Solid) return pen;
  // Dash patterns are given in device pixels and converted to Qt's pen-width units, so a dash keeps
  // its length whatever the line width.
  double dash = style.dashLength / w, gap = style.dashLength * 0.6 / w, dot = std::max(style.dashLength / 5, 1.0) / w;
  QList<qreal> pattern;
  switch (p.style) {
    case LineStyle::Dash: pattern = {dash, gap}; break;
    case LineStyle::Dot: pattern = {dot, gap * 0.7}; break;
    case LineStyle::DashDot: pattern = {dash, gap, dot, gap}; break;
    case LineStyle::DashDotDot: pattern = {dash, gap, dot, gap, dot, gap}; break;
    case LineStyle::Solid: break;
  }
  pen.setCapStyle(Qt::FlatCap);
  pen.setDashPattern(pattern);
  return pen;
}

// Size of a (possibly multi-line) text in device pixels.
struct PixelSize {
  double width = 0, height = 0, ascent = 0, lineSpacing = 0;
};

PixelSize measurePixels(const Primitive& p, const QFontMetricsF& fm) {
  std::vector<std::string> lines = textLines(p.text);
  PixelSize s;
  for (const auto& l : lines) s.width = std::max(s.width, fm.horizontalAdvance(QString::fromStdString(l)));
  s.lineSpacing = fm.lineSpacing();
  s.height = fm.height() + (static_cast<double>(lines.size()) - 1) * fm.lineSpacing();
  s.ascent = fm.ascent();
  return s;
}

void drawText(QPainter& painter, const Primitive& p, const Viewport& view) {
  QFont font = fontFor(p);
  painter.setFont(font);
  painter.setPen(qcolour(p.colour));
  QFontMetricsF fm(font, painter.device());
  std::vector<std::string> lines = textLines(p.text);
  double height = fm.height() + (static_cast<double>(lines.size()) - 1) * fm.lineSpacing();
  double v0 = p.valign == VAlign::Middle ? -height / 2 : p.valign == VAlign::Baseline ? -fm.ascent() : 0;
  painter.save();
  painter.translate(view.map(p.x1, p.z1));
  if (p.vertical) painter.rotate(-90);
  if (p.filled) {
    double width = 0;
    for (const auto& l : lines) width = std::max(width, fm.horizontalAdvance(QString::fromStdString(l)));
    double u0 = p.halign == HAlign::Centre ? -width / 2 : p.halign == HAlign::Right ? -width : 0;
    // The background leaves the empty band above the capitals and below the descenders uncovered, so
    // that a text set against a line (a footing edge) does not bite into it.
    double band = (fm.height() - fm.capHeight() - fm.descent()) / 2;
    painter.fillRect(QRectF(u0, v0 + band, width, height - 2 * band), qcolour(p.fillColour));
  }
  for (std::size_t i = 0; i < lines.size(); ++i) {
    QString s = QString::fromStdString(lines[i]);
    double w = fm.horizontalAdvance(s);
    double u0 = p.halign == HAlign::Centre ? -w / 2 : p.halign == HAlign::Right ? -w : 0;
    painter.drawText(QPointF(u0, v0 + fm.ascent() + static_cast<double>(i) * fm.lineSpacing()), s);
  }
  painter.restore();
}

// The same as drawText, from the layout the cache keeps.
void drawCachedText(QPainter& painter, const Primitive& p, const Viewport& view, TextCache& cache) {
  const TextCache::Entry& t = cache.entry(p, painter.device());
  const double v0 = p.valign == VAlign::Middle ? -t.height / 2 : p.valign == VAlign::Baseline ? -t.ascent : 0;
  painter.save();
  painter.setFont(t.font);
  painter.setPen(qcolour(p.colour));
  painter.translate(view.map(p.x1, p.z1));
  if (p.vertical) painter.rotate(-90);
  if (p.filled) {
    const double u0 = p.halign == HAlign::Centre ? -t.width / 2 : p.halign == HAlign::Right ? -t.width : 0;
    painter.fillRect(QRectF(u0, v0 + t.band, t.width, t.height - 2 * t.band), qcolour(p.fillColour));
  }
  for (std::size_t i = 0; i < t.lines.size(); ++i) {
    const double w = t.widths[i];
    const double u0 = p.halign == HAlign::Centre ? -w / 2 : p.halign == HAlign::Right ? -w : 0;
    // A static text is placed by its top-left corner, a line of drawText by its baseline.
    painter.drawStaticText(QPointF(u0, v0 + static_cast<double>(i) * t.lineSpacing), t.lines[i]);
  }
  painter.restore();
}

}  // namespace

const TextCache::Entry& TextCache::entry(const Primitive& p, const QPaintDevice* device) {
  std::string key = std::to_string(p.fontSize) + (p.bold ? "b|" : "|") + p.text;
  if (auto it = entries_.find(key); it != entries_.end()) return it->second;
  // A plan holds some thousands of texts; one that keeps changing (a zoom of many sizes) starts afresh.
  if (entries_.size() > 50'000) entries_.clear();
  Entry e;
  e.font = fontFor(p);
  const QFontMetricsF fm(e.font, device);
  const std::vector<std::string> lines = textLines(p.text);
  for (const std::string& line : lines) {
    const QString s = QString::fromStdString(line);
    e.widths.push_back(fm.horizontalAdvance(s));
    e.width = std::max(e.width, e.widths.back());
    QStaticText text(s);
    text.setTextFormat(Qt::PlainText);
    text.setPerformanceHint(QStaticText::AggressiveCaching);
    text.prepare(QTransform(), e.font);
    e.lines.push_back(std::move(text));
  }
  e.lineSpacing = fm.lineSpacing();
  e.ascent = fm.ascent();
  e.height = fm.height() + (static_cast<double>(lines.size()) - 1) * fm.lineSpacing();
  e.band = (fm.height() - fm.capHeight() - fm.descent()) / 2;
  return entries_.emplace(std::move(key), std::move(e)).first->second;
}

DeviceStyle screenStyle() { return DeviceStyle{1, 6, false}; }

DeviceStyle paperStyle(double dpi) {
  double perMm = dpi / 25.4;
  return DeviceStyle{0.1 * perMm, 2.0 * perMm, true};
}

QFont planFont(double pointSize, bool bold) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(pointSize > 0 ? pointSize : 8);
  font.setBold(bold);
  return font;
}

QFont fontFor(const Primitive& p) { return planFont(p.fontSize, p.bold); }

Viewport::Viewport(const Rect& world, const QRectF& device) : world_(world), device_(device) {
  double ww = world.right - world.left, wh = world.bottom - world.top;
  if (device.width() > 0 && ww != 0) xPerPixel_ = ww / device.width();
  if (device.height() > 0 && wh != 0) zPerPixel_ = wh / device.height();
}

QPointF Viewport::map(double x, double z) const {
  return {device_.left() + (x - world_.left) / xPerPixel_, device_.top() + (z - world_.top) / zPerPixel_};
}

PlanPoint Viewport::unmap(const QPointF& d) const {
  return {world_.left + (d.x() - device_.left()) * xPerPixel_, world_.top + (d.y() - device_.top()) * zPerPixel_};
}

TextMeasure textMeasure(const QPaintDevice* device, const Viewport& view) {
  // Plans use one or two fonts; the metrics of the last one are kept, since building them is the
  // costly part of measuring a label.
  struct Cache {
    double size = -1;
    bool bold = false;
    std::optional<QFontMetricsF> metrics;
  };
  auto cache = std::make_shared<Cache>();
  return [device, cache, xs = view.xPerPixel(), zs = view.zPerPixel()](const Primitive& p) {
    if (!cache->metrics || cache->size != p.fontSize || cache->bold != p.bold) {
      cache->metrics.emplace(fontFor(p), device);
      cache->size = p.fontSize;
      cache->bold = p.bold;
    }
    PixelSize s = measurePixels(p, *cache->metrics);
    // Along the reading direction and across it, each in the plan axis it lies on.
    double along = p.vertical ? zs : xs, across = p.vertical ? xs : zs;
    return TextSize{s.width * along, s.height * across, s.ascent * across};
  };
}

double digitWidth(const QPaintDevice* device, const Viewport& view, double pointSize) {
  QFontMetricsF fm(planFont(pointSize), device);
  return fm.horizontalAdvance(QStringLiteral("9")) * view.xPerPixel();
}

namespace {

void drawOne(QPainter& painter, const Primitive& p, const Viewport& view, const DeviceStyle& style,
             TextCache* texts) {
  switch (p.shape) {
    case Shape::Line:
      painter.setPen(penFor(p, style));
      painter.drawLine(view.map(p.x1, p.z1), view.map(p.x2, p.z2));
      break;
    case Shape::Box:
      painter.setPen(penFor(p, style));
      painter.setBrush(p.filled ? QBrush(qcolour(p.fillColour)) : QBrush(Qt::NoBrush));
      painter.drawRect(QRectF(view.map(p.x1, p.z1), view.map(p.x2, p.z2)).normalized());
      painter.setBrush(Qt::NoBrush);
      break;
    case Shape::Text:
      if (p.text.empty()) break;
      if (texts) drawCachedText(painter, p, view, *texts);
      else drawText(painter, p, view);
      break;
    case Shape::Circle: {
      painter.setPen(penFor(p, style));
      painter.setBrush(p.filled ? QBrush(qcolour(p.fillColour)) : QBrush(Qt::NoBrush));
      const QPointF centre = view.map(p.x1, p.z1);
      painter.drawEllipse(centre, p.radius / view.xPerPixel(), p.radius / view.zPerPixel());
      painter.setBrush(Qt::NoBrush);
      break;
    }
    case Shape::Polyline: {
      QPolygonF polygon;
      for (const Point& q : p.points) polygon << view.map(q.x, q.z);
      painter.setPen(penFor(p, style));
      if (p.closed) {
        painter.setBrush(p.filled ? QBrush(qcolour(p.fillColour)) : QBrush(Qt::NoBrush));
        painter.drawPolygon(polygon);
        painter.setBrush(Qt::NoBrush);
      } else {
        painter.drawPolyline(polygon);
      }
      break;
    }
    case Shape::Dimension:
      for (const Primitive& part : dimensionParts(p)) drawOne(painter, part, view, style, texts);
      break;
  }
}

}  // namespace

void render(QPainter& painter, const std::vector<Primitive>& list, const Viewport& view, const DeviceStyle& style,
            const std::function<bool(const Primitive&)>& accept, TextCache* texts) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, style.antialias);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  for (const Primitive& p : list) {
    if (accept && !accept(p)) continue;
    drawOne(painter, p, view, style, texts);
  }
  painter.restore();
}

void paintPlanPage(QPainter& painter, const Project& project, const QRectF& pageRect, double dpi) {
  double q = pageRect.height() / pageRect.width();
  print::PageFrame frame = print::planPageFrame(project, 1.0);
  double portraitRatio = frame.orientation == print::Orientation::Portrait ? q : 1.0 / q;
  frame = print::planPageFrame(project, portraitRatio);
  Viewport view(frame.scale, pageRect);

  // The font: as large as the footings leave room for, so that figures stay apart at any plan scale.
  auto textHeight = [&](double points) {
    return QFontMetricsF(planFont(points), painter.device()).height() * view.zPerPixel();
  };
  double room = print::roomForText(project);
  double points = kPagePointSizeMax;
  if (room < textHeight(points)) points = std::max(kPagePointSizeMin, points * room / textHeight(points));

  // tw and th are the real sizes of "983" and "H" on this page, converted into page units at the final
  // scale. Every offset the layout derives from them (a mark above its column, a spacing left of its
  // midpoint) then stays in proportion to the printed text, whatever the plan's scale and the font.
  QFontMetricsF fm(planFont(points), painter.device());
  print::PageMetrics metrics;
  metrics.tw = fm.horizontalAdvance(QStringLiteral("983")) * view.xPerPixel();
  metrics.th = fm.height() * view.zPerPixel();
  metrics.width = [fm, xs = view.xPerPixel()](const std::string& s) {
    return fm.horizontalAdvance(QString::fromStdString(s)) * xs;
  };
  metrics.verticalScale = view.zPerPixel() / view.xPerPixel();
  metrics.fontSize = points;

  print::PlanPage page = print::layoutPlanPage(project, frame, metrics);
  render(painter, page.primitives, view, paperStyle(dpi));
}

namespace {

QPageLayout::Orientation orientationOf(const Project& project) {
  return print::planPageFrame(project).orientation == print::Orientation::Portrait ? QPageLayout::Portrait
                                                                                     : QPageLayout::Landscape;
}

// Page rectangle in device pixels, relative to the painter's origin (the top-left of the printable area).
QRectF paintRect(const QPageLayout& layout, int resolution) {
  QRect r = layout.paintRectPixels(resolution);
  return QRectF(0, 0, r.width(), r.height());
}

}  // namespace

std::string printPlan(const Project& project, QPrinter& printer) {
  printer.setPageSize(QPageSize(QPageSize::A3));
  printer.setPageOrientation(orientationOf(project));
  printer.setPageMargins(QMarginsF(kPageMarginMm, kPageMarginMm, kPageMarginMm, kPageMarginMm),
                         QPageLayout::Millimeter);
  printer.setDocName(QStringLiteral("Footing plan"));
  QPainter painter;
  if (!painter.begin(&printer)) return "The printer could not be started.";
  paintPlanPage(painter, project, paintRect(printer.pageLayout(), printer.resolution()), printer.resolution());
  if (!painter.end()) return "The printer did not accept the page.";
  return {};
}

std::string ensureGuiApplication() {
  if (!QCoreApplication::instance()) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "plintova";
    static char* argv[] = {name, nullptr};
    // Kept for the rest of the run: the batch tool may print more than once, and Qt does not take
    // kindly to a second application after the first has gone.
    new QGuiApplication(argc, argv);
  } else if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
    return "the PDF cannot be made without a GUI application (fonts)";
  }
  return {};
}

std::string planPdfBytes(const Project& project, QByteArray& pdf) {
  if (std::string reason = ensureGuiApplication(); !reason.empty()) return reason;

  // The page is made in memory; only the safe writer puts it on the disk.
  pdf.clear();
  QBuffer buffer(&pdf);
  if (!buffer.open(QIODevice::WriteOnly)) return "no memory for the page";
  const int dpi = 1200;
  QPdfWriter writer(&buffer);
  writer.setResolution(dpi);
  writer.setCreator(QStringLiteral("Plintova"));
  writer.setTitle(QStringLiteral("Footing plan"));
  QPageLayout layout(QPageSize(QPageSize::A3), orientationOf(project),
                     QMarginsF(kPageMarginMm, kPageMarginMm, kPageMarginMm, kPageMarginMm), QPageLayout::Millimeter);
  writer.setPageLayout(layout);
  QPainter painter;
  if (!painter.begin(&writer)) return "the page could not be started";
  paintPlanPage(painter, project, paintRect(writer.pageLayout(), dpi), dpi);
  if (!painter.end()) return "the page could not be finished";
  if (pdf.isEmpty()) return "the page came out empty";
  return {};
}

std::string writePdfFile(const Project& project, const std::string& path,
                         const std::function<std::string(QByteArray&)>& make, const std::string& what) {
  auto failed = [&](const std::string& reason) { return what + " " + path + " could not be written: " + reason + "."; };
  const std::vector<ProtectedFile> inputs = projectInputFiles(project.AnlPath);
  // Refuse a target that must not be written before the pages are made.
  if (const TargetCheck check = checkOutputTarget(path, inputs); !check) return failed(check.reason);
  QByteArray pdf;
  if (std::string reason = make(pdf); !reason.empty()) return failed(reason);
  const std::string reason =
      writeFileSafely(path, std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())), inputs);
  if (!reason.empty()) return failed(reason);
  return {};
}

std::string writePdfStream(const Project& project, const std::string& path,
                           const std::function<std::string(QIODevice&)>& make, const std::string& what) {
  auto failed = [&](const std::string& reason) { return what + " " + path + " could not be written: " + reason + "."; };
  const std::vector<ProtectedFile> inputs = projectInputFiles(project.AnlPath);
  const std::string reason = writeFileSafely(
      path,
      [&make](const std::string& temporary) -> std::string {
        QFile file(QString::fromStdString(temporary));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return file.errorString().toStdString();
        std::string problem = make(file);
        // The PDF writer does not report a failed write: the file does.
        if (problem.empty() && file.error() != QFileDevice::NoError) problem = file.errorString().toStdString();
        file.close();
        if (problem.empty() && file.error() != QFileDevice::NoError) problem = file.errorString().toStdString();
        return problem;
      },
      inputs);
  if (!reason.empty()) return failed(reason);
  return {};
}

std::string printPlanToPdf(const Project& project, const std::string& path) {
  return writePdfFile(project, path, [&project](QByteArray& pdf) { return planPdfBytes(project, pdf); });
}

}  // namespace plintova::draw
