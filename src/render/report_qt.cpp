// The calculation report as an A4 portrait PDF: the document is laid out into pages first
// (report_layout_qt.cpp), then each page written by the program's own PDF writer (report_pdf_qt.cpp), or
// painted through Qt's PDF engine where a text needs a font that writer cannot embed; or written as
// Markdown when the file's name asks for it.
#include "render/report_qt.h"

#include <QList>
#include <QGlyphRun>
#include <QIODevice>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <utility>
#include <vector>

#include "files/file_buffer.h"
#include "output/report_content.h"
#include "render/render_qt.h"
#include "render/report_page_qt.h"
#include "render/report_table_qt.h"

namespace plintova::draw {

namespace {

using namespace report_pages;

// A text of one line is drawn at its start and baseline, as glyphs placed from its font's table where
// the table holds all its characters (no shaping again), else by the painter; any other text is laid out
// by the painter. Neighbouring texts of one font and colour (a table row's cells) are drawn as one run
// of glyphs, which the PDF engine writes as one text object. The painter's font and pen are set only
// when they change.
class PagePainter {
 public:
  PagePainter(QPainter& painter, const Fonts& fonts) : painter_(painter), fonts_(fonts) {}

  void paint(const Page& page) {
    for (const Item& item : page) {
      if (item.kind == Item::Text && (item.flags & Qt::TextSingleLine) && addToRun(item)) continue;
      flush();
      switch (item.kind) {
        case Item::Fill: painter_.fillRect(item.rect, item.colour); break;
        case Item::Line:
          painter_.setPen(QPen(item.colour, item.width));
          pen_ = QColor();
          painter_.drawLine(item.rect.topLeft(), item.rect.bottomRight());
          break;
        case Item::Text:
          setPen(item.colour);
          if (static_cast<int>(item.font) != font_) {
            font_ = static_cast<int>(item.font);
            painter_.setFont(fonts_.font(item.font));
          }
          if (item.flags & Qt::TextSingleLine) painter_.drawText(baseline(item), item.text);
          else painter_.drawText(item.rect, item.flags, item.text);
          break;
      }
    }
    flush();
  }

 private:
  QPointF baseline(const Item& item) const {
    return QPointF(item.rect.left(), item.rect.top() + fonts_.metrics(item.font).ascent());
  }
  void setPen(const QColor& colour) {
    if (colour == pen_ && pen_.isValid()) return;
    pen_ = colour;
    painter_.setPen(pen_);
  }
  // Adds the text's glyphs to the run being gathered (drawing that run first if it is of another font
  // or colour); false if the table cannot place them.
  bool addToRun(const Item& item) {
    const GlyphTable& table = fonts_.glyphs(item.font);
    if (!indexes_.isEmpty() && (item.font != runFont_ || item.colour != runInk_)) {
      QList<quint32> indexes;
      QList<QPointF> positions;
      if (!table.appendGlyphs(item.text, baseline(item), indexes, positions)) return false;
      flush();
      indexes_ = std::move(indexes);
      positions_ = std::move(positions);
    } else if (!table.appendGlyphs(item.text, baseline(item), indexes_, positions_)) {
      return false;
    }
    runFont_ = item.font;
    runInk_ = item.colour;
    return true;
  }
  void flush() {
    if (indexes_.isEmpty()) return;
    setPen(runInk_);
    QGlyphRun run;
    run.setRawFont(fonts_.glyphs(runFont_).rawFont());
    run.setGlyphIndexes(indexes_);
    run.setPositions(positions_);
    painter_.drawGlyphRun(QPointF(0, 0), run);
    indexes_.clear();
    positions_.clear();
  }

  QPainter& painter_;
  const Fonts& fonts_;
  int font_ = -1;
  QColor pen_;
  QList<quint32> indexes_;
  QList<QPointF> positions_;
  FontRole runFont_ = FontRole::Body;
  QColor runInk_;
};

}  // namespace

std::string writeReportPdf(const report::Document& doc, QIODevice& device) {
  if (std::string reason = ensureGuiApplication(); !reason.empty()) return reason;
  // Qt's PDF engine, where it paints the report, compresses each finished page by reading its stream into
  // a fresh 10 MB block and deflating into another; kept in the heap, each page reuses the last one's
  // blocks instead of having the kernel zero-fill new ones (a quarter of a long report's time).
  const LargeBlocksInHeap largeBlocks;
  // The page's device: the layout measures on it, and Qt's engine paints on it if the own writer cannot
  // take the report. Nothing reaches `device` through it unless painting begins.
  QPdfWriter writer(&device);
  writer.setResolution(kReportDpi);
  writer.setCreator(QStringLiteral("Plintova"));
  writer.setTitle(QString::fromStdString(doc.title));
  writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                                   QPageLayout::Millimeter));
  const Fonts fonts(&writer);
  std::vector<Page> pages = layOutReport(&writer, doc, fonts);
  bool taken = false;
  const std::string written = writeOwnPdf(pages, fonts, &writer, doc.title, [&device](std::string_view bytes) {
    if (device.write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size())) return std::string();
    return device.errorString().toStdString();
  }, taken);
  if (taken) return written;
  QPainter painter;
  if (!painter.begin(&writer)) return "the pages could not be started";
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  PagePainter pagePainter(painter, fonts);
  // Each page goes to the device as it is painted, and its items are let go.
  for (std::size_t k = 0; k < pages.size(); ++k) {
    if (k > 0 && !writer.newPage()) return "a new page could not be started";
    pagePainter.paint(pages[k]);
    Page().swap(pages[k]);
  }
  if (!painter.end()) return "the pages could not be finished";
  return {};
}

std::string writeReportPdf(const report::Document& doc, const std::string& path, const Project& project) {
  return writePdfStream(project, path, [&doc](QIODevice& file) { return writeReportPdf(doc, file); }, "The report");
}

std::string writeReport(const Project& project, const std::string& path, const std::string& date) {
  const std::string day = date.empty() ? todaysDate() : date;
  switch (reportFormat(path)) {
    case ReportFormat::Pdf: return writeReportPdf(calculationReport(project, day), path, project);
    case ReportFormat::Markdown: return writeReportMarkdown(project, path, day);
    case ReportFormat::Unknown: break;
  }
  return "The report " + path + " could not be written: its name must end in .pdf or .md.";
}

}  // namespace plintova::draw
