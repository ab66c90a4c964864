// The calculation report painted as an A4 portrait PDF: the document is laid out into pages of placed
// texts, fills and lines first (so that the contents know every section's page), then painted.
#include "draw/report_qt.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <variant>
#include <vector>

#include "draw/render_qt.h"
#include "draw/report_page_qt.h"
#include "output/report_content.h"

namespace plintova::draw {

namespace {

using report::Align;
using namespace report_pages;

constexpr int kDpi = 600;
// The page, mm: A4 portrait, the text block between the margins, the running header above it.
constexpr double kPageWidth = 210, kPageHeight = 297;
constexpr double kLeft = 20, kRight = 15, kTop = 22, kBottom = 20;
constexpr double kHeaderY = 11, kFooterY = 285;
// Formula columns, mm: the clause on the right, the verdict left of it.
constexpr double kClauseWidth = 50, kVerdictWidth = 13, kColumnGap = 3, kIndent = 4;
constexpr double kCellPad = 1.2;  // mm on either side of a table cell's text
constexpr double kShortColumn = 30;  // mm: a column this narrow never wraps

class PageLayout {
 public:
  PageLayout(QPaintDevice* device, const report::Document& doc) : device_(device), doc_(doc) {}

  std::vector<Page> run() {
    pages_.assign(1 + contentsPages(), Page{});  // the cover, then the contents
    sectionPages_.clear();
    for (const report::Section& s : doc_.sections) {
      if (s.level == 1) {
        newPage();
      } else {
        y_ += mm(4);
        keep(textHeight(s.heading(), FontRole::Part, width()) + 4 * lineHeight(FontRole::Body));
      }
      sectionPages_.push_back(static_cast<int>(pages_.size()));
      heading(s);
      for (const report::Block& b : s.blocks) block(b);
    }
    cover();
    contents();
    running();
    return pages_;
  }

 private:
  double mm(double v) const { return v * kDpi / 25.4; }
  double left() const { return mm(kLeft); }
  double width() const { return mm(kPageWidth - kLeft - kRight); }
  double bottom() const { return mm(kPageHeight - kBottom); }

  QFontMetricsF metrics(FontRole role) const { return QFontMetricsF(fontOf(role), device_); }
  double lineHeight(FontRole role) const { return metrics(role).height(); }

  // A word longer than the width would run over the cell: such texts break anywhere.
  int wrapFlags(const QString& text, FontRole role, double w) const {
    const QFontMetricsF fm = metrics(role);
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
      if (fm.horizontalAdvance(word) > w) return Qt::TextWrapAnywhere;
    return Qt::TextWordWrap;
  }
  double textHeight(const QString& text, FontRole role, double w, int align = Qt::AlignLeft) const {
    if (text.isEmpty()) return 0;
    const QRectF r = metrics(role).boundingRect(QRectF(0, 0, w, 1e7), align | wrapFlags(text, role, w), text);
    return r.height();
  }
  double textHeight(const std::string& text, FontRole role, double w) const {
    return textHeight(QString::fromStdString(text), role, w);
  }

  void put(int page, Item item) { pages_[static_cast<std::size_t>(page)].push_back(std::move(item)); }
  void text(double x, double y, double w, const QString& s, FontRole role, QColor colour = kInk,
            int align = Qt::AlignLeft, int page = -1) {
    const double h = textHeight(s, role, w, align);
    put(page < 0 ? current() : page,
        Item{Item::Text, QRectF(x, y, w, h + 1), s, role, align | Qt::AlignTop | wrapFlags(s, role, w), colour, 0});
  }
  void fill(double x, double y, double w, double h, QColor colour) {
    put(current(), Item{Item::Fill, QRectF(x, y, w, h), {}, FontRole::Body, 0, colour, 0});
  }
  void line(double x0, double y0, double x1, double y1, QColor colour, double widthMm, int page = -1) {
    put(page < 0 ? current() : page,
        Item{Item::Line, QRectF(QPointF(x0, y0), QPointF(x1, y1)), {}, FontRole::Body, 0, colour, mm(widthMm)});
  }

  int current() const { return static_cast<int>(pages_.size()) - 1; }
  void newPage() {
    pages_.emplace_back();
    y_ = mm(kTop);
  }
  // Starts a new page unless `h` fits below the cursor (a page already empty takes anything).
  void keep(double h) {
    if (y_ + h > bottom() && y_ > mm(kTop) + 1) newPage();
  }

  void heading(const report::Section& s) {
    afterFormula_ = false;
    const FontRole role = s.level == 1 ? FontRole::Chapter : FontRole::Part;
    const QString t = QString::fromStdString(s.heading());
    text(left(), y_, width(), t, role);
    y_ += textHeight(t, role, width()) + mm(s.level == 1 ? 4 : 2);
  }

  void block(const report::Block& b) {
    // Text or a table after a list of formulas keeps a little distance from it.
    const bool formulaNow = std::holds_alternative<report::Formula>(b);
    if (afterFormula_ && !formulaNow) y_ += mm(1.5);
    afterFormula_ = formulaNow;
    if (const auto* p = std::get_if<report::Paragraph>(&b)) paragraph(*p);
    else if (const auto* f = std::get_if<report::Formula>(&b)) formula(*f);
    else if (const auto* t = std::get_if<report::Table>(&b)) table(*t);
    else if (const auto* v = std::get_if<report::Verdict>(&b)) verdict(*v);
    else if (const auto* f = std::get_if<report::Figure>(&b)) figure(*f);
  }

  // A figure kept whole on a page, its caption under it, then its table of values.
  void figure(const report::Figure& f) {
    std::vector<Item> items;
    const double h = layOutFigure(f, device_, left(), 0, width(), mm(1), items);
    const QString caption = QStringLiteral("Figure: ") + QString::fromStdString(f.caption);
    keep(h + textHeight(caption, FontRole::Italic, width()) + mm(2));
    for (Item& item : items) {
      item.rect.translate(0, y_);
      put(current(), std::move(item));
    }
    y_ += h + mm(1);
    text(left(), y_, width(), caption, FontRole::Italic, kGrey);
    y_ += textHeight(caption, FontRole::Italic, width()) + mm(2);
    table(f.values);
  }

  // The lines a text breaks into over the width w, as the painter will set them.
  QStringList lines(const QString& text, FontRole role, double w) const {
    QTextLayout layout(text, fontOf(role), device_);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QStringList out;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
      line.setLineWidth(w);
      out << text.mid(line.textStart(), line.textLength()).trimmed();
    }
    layout.endLayout();
    return out;
  }

  // A paragraph flows line by line, over a page break where it must; a step's caption stays with the
  // first lines after it.
  void paragraph(const report::Paragraph& p) {
    const FontRole role = p.bold ? FontRole::Bold : FontRole::Body;
    if (p.bold) {
      y_ += mm(1.5);
      keep(lineHeight(role) + 3 * lineHeight(FontRole::Body));
    }
    const double step = metrics(role).lineSpacing();
    const QStringList broken = lines(QString::fromStdString(p.text), role, width());
    keep(std::min<double>(2, static_cast<double>(broken.size())) * step);  // no single line left at a page's foot
    for (const QString& l : broken) {
      keep(step);
      put(current(), Item{Item::Text, QRectF(left(), y_, width(), step + 1), l, role, flags(Qt::AlignLeft), kInk, 0});
      y_ += step;
    }
    y_ += mm(p.bold ? 1 : 2);
  }

  void formula(const report::Formula& f) {
    const double x = left() + mm(kIndent);
    const double clauseW = mm(kClauseWidth), verdictW = mm(kVerdictWidth), gap = mm(kColumnGap);
    // A formula with neither clause nor verdict (a definition) takes the whole line.
    const bool bare = f.clause.empty() && !f.ok;
    const double eqW = bare ? width() - mm(kIndent) : width() - mm(kIndent) - clauseW - verdictW - 2 * gap;
    const QString eq = QString::fromStdString(report::equationText(f));
    const QString clause = QString::fromStdString(f.clause);
    const double h = std::max(textHeight(eq, FontRole::Body, eqW), textHeight(clause, FontRole::Italic, clauseW));
    keep(h);
    text(left(), y_, mm(kIndent), QStringLiteral("\u2022"), FontRole::Body);
    text(x, y_, eqW, eq, FontRole::Body);
    if (f.ok) {
      text(x + eqW + gap, y_, verdictW, *f.ok ? QStringLiteral("OK") : QStringLiteral("FAILS"), FontRole::Bold,
           *f.ok ? kOkInk : kFailInk);
    }
    text(x + eqW + verdictW + 2 * gap, y_, clauseW, clause, FontRole::Italic, kGrey);
    y_ += h + mm(1);
  }

  void verdict(const report::Verdict& v) {
    const QString t = QStringLiteral("Result: ") + QString::fromStdString(v.text);
    const double pad = mm(1.5);
    const double h = textHeight(t, FontRole::Bold, width() - 2 * pad) + 2 * pad;
    y_ += mm(1);
    keep(h);
    fill(left(), y_, width(), h, v.ok ? kOkFill : kFailFill);
    text(left() + pad, y_ + pad, width() - 2 * pad, t, FontRole::Bold, v.ok ? kOkInk : kFailInk);
    y_ += h + mm(3);
  }

  // Column widths: each column as wide as its longest text where the table fits, else the room beyond
  // the longest words shared in proportion to what each column would like.
  std::vector<double> columnWidths(const report::Table& t) const {
    const std::size_t n = t.header.size();
    std::vector<double> natural(n, 0), least(n, 0);
    const double pad = 2 * mm(kCellPad);
    auto measure = [&](const std::string& s, FontRole role, std::size_t k) {
      const QString q = QString::fromStdString(s);
      const QFontMetricsF fm = metrics(role);
      // A little over the measured advance: a cell exactly as wide as its text may wrap its last word.
      natural[k] = std::max(natural[k], fm.horizontalAdvance(q) + pad + mm(0.3));
      for (const QString& word : q.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        least[k] = std::max(least[k], fm.horizontalAdvance(word) + pad);
    };
    for (std::size_t k = 0; k < n; ++k) measure(t.header[k], FontRole::TableBold, k);
    for (const report::TableRow& r : t.rows)
      for (std::size_t k = 0; k < n && k < r.cells.size(); ++k)
        measure(r.cells[k], r.total ? FontRole::TableBold : FontRole::Table, k);
    double sumNatural = 0, sumLeast = 0;
    for (std::size_t k = 0; k < n; ++k) {
      natural[k] = std::max(natural[k], mm(6));
      // Short columns (numbers, marks, sizes) keep their texts on one line; long ones wrap.
      least[k] = natural[k] <= mm(kShortColumn) ? natural[k] : std::min(std::max(least[k], mm(6)), natural[k]);
      sumNatural += natural[k];
      sumLeast += least[k];
    }
    const double room = width();
    std::vector<double> w(n);
    if (sumNatural <= room) return natural;
    if (sumLeast >= room) {
      for (std::size_t k = 0; k < n; ++k) w[k] = least[k] * room / sumLeast;
      return w;
    }
    // The room shared out evenly: a column narrower than its share keeps its natural width, one whose
    // longest word needs more than its share gets that; the wide columns left share the rest and wrap.
    std::vector<bool> open(n, true);
    w = natural;
    for (bool settled = false; !settled;) {
      settled = true;
      double used = 0;
      int count = 0;
      for (std::size_t k = 0; k < n; ++k) {
        if (open[k]) ++count;
        else used += w[k];
      }
      if (count == 0) break;
      const double cap = (room - used) / count;
      for (std::size_t k = 0; k < n; ++k) {
        if (!open[k] || (natural[k] > cap && least[k] < cap)) continue;
        w[k] = natural[k] <= cap ? natural[k] : least[k];
        open[k] = false;
        settled = false;
      }
      if (settled)
        for (std::size_t k = 0; k < n; ++k)
          if (open[k]) w[k] = cap;
    }
    return w;
  }

  double rowHeight(const std::vector<std::string>& cells, const std::vector<double>& w, FontRole role) const {
    double h = lineHeight(role);
    for (std::size_t k = 0; k < w.size() && k < cells.size(); ++k)
      h = std::max(h, textHeight(cells[k], role, w[k] - 2 * mm(kCellPad)));
    return h + 2 * mm(0.8);
  }

  void tableRow(const std::vector<std::string>& cells, const std::vector<double>& w, const std::vector<Align>& align,
                FontRole role, double h, QColor background, QColor ink) {
    double x = left();
    double total = 0;
    for (double c : w) total += c;
    if (background.isValid()) fill(x, y_, total, h, background);
    for (std::size_t k = 0; k < w.size(); ++k) {
      if (k < cells.size() && !cells[k].empty()) {
        const int a = k < align.size() && align[k] == Align::Right ? Qt::AlignRight : Qt::AlignLeft;
        text(x + mm(kCellPad), y_ + mm(0.8), w[k] - 2 * mm(kCellPad), QString::fromStdString(cells[k]), role, ink, a);
      }
      x += w[k];
    }
    line(left(), y_ + h, left() + total, y_ + h, kRule, 0.1);
  }

  void table(const report::Table& t) {
    if (t.header.empty()) return;
    const std::vector<double> w = columnWidths(t);
    const double headH = rowHeight(t.header, w, FontRole::TableBold);
    auto head = [&] {
      tableRow(t.header, w, t.align, FontRole::TableBold, headH, kHeadFill, kInk);
      y_ += headH;
    };
    const double first = t.rows.empty() ? 0 : rowHeight(t.rows.front().cells, w, FontRole::Table);
    keep(headH + first);
    head();
    for (const report::TableRow& r : t.rows) {
      const FontRole role = r.total ? FontRole::TableBold : FontRole::Table;
      const double h = rowHeight(r.cells, w, role);
      if (y_ + h > bottom()) {
        newPage();
        head();
      }
      tableRow(r.cells, w, t.align, role, h, r.flagged ? kFailFill : QColor(), r.flagged ? kFailInk : kInk);
      y_ += h;
    }
    y_ += mm(3);
  }

  // Pages of the contents: one line per section below the chapter heading.
  int contentsPages() const {
    const double room = bottom() - mm(kTop) - lineHeight(FontRole::Chapter) - mm(4);
    const int perPage = std::max(1, static_cast<int>(room / (lineHeight(FontRole::Body) * 1.35)));
    const int entries = static_cast<int>(doc_.sections.size());
    return std::max(1, (entries + perPage - 1) / perPage);
  }

  void contents() {
    int page = 1;
    double y = mm(kTop);
    const double step = lineHeight(FontRole::Body) * 1.35;
    put(page, Item{Item::Text, QRectF(left(), y, width(), lineHeight(FontRole::Chapter) + 1), QStringLiteral("Contents"),
                   FontRole::Chapter, flags(Qt::AlignLeft), kInk, 0});
    y += lineHeight(FontRole::Chapter) + mm(4);
    for (std::size_t k = 0; k < doc_.sections.size(); ++k) {
      if (y + step > bottom()) {
        ++page;
        y = mm(kTop);
      }
      const report::Section& s = doc_.sections[k];
      const FontRole role = s.level == 1 ? FontRole::Bold : FontRole::Body;
      const double indent = s.level == 1 ? 0 : mm(6);
      const QString number = QString::number(sectionPages_[k]);
      const double numberW = mm(12);
      QString title = QString::fromStdString(s.heading());
      // Dot leaders between the title and its page.
      const double titleRoom = width() - indent - numberW - mm(2);
      title = metrics(role).elidedText(title, Qt::ElideRight, titleRoom);
      const double used = metrics(role).horizontalAdvance(title + QLatin1Char(' '));
      // Leaders in the entry's own font (a chapter's bold dots are wider), one short of the room.
      const double dot = metrics(role).horizontalAdvance(QStringLiteral(" ."));
      const int dots = std::max(0, static_cast<int>((titleRoom - used) / dot) - 1);
      put(page, Item{Item::Text, QRectF(left() + indent, y, titleRoom + mm(2), step), title + QLatin1Char(' ') +
                                                                                    QString(QStringLiteral(" .")).repeated(dots),
                     role, flags(Qt::AlignLeft), kInk, 0});
      put(page, Item{Item::Text, QRectF(left() + width() - numberW, y, numberW, step), number, role,
                     flags(Qt::AlignRight), kInk, 0});
      y += step;
    }
  }

  void cover() {
    double y = mm(60);
    auto add = [&](const std::string& s, FontRole role, QColor colour, double after) {
      const QString t = QString::fromStdString(s);
      const double h = textHeight(t, role, width());
      put(0, Item{Item::Text, QRectF(left(), y, width(), h + 1), t, role,
                  flags(Qt::AlignLeft, wrapFlags(t, role, width())), colour, 0});
      y += h + after;
    };
    add(doc_.title, FontRole::Title, kInk, mm(4));
    add(doc_.subtitle, FontRole::Subtitle, kGrey, mm(20));
    line(left(), y, left() + width(), y, kInk, 0.4, 0);
    y += mm(4);
    const double labelW = mm(38), valueW = width() - labelW;
    for (const auto& [label, value] : doc_.cover) {
      const QString l = QString::fromStdString(label), v = QString::fromStdString(value);
      const double h = std::max(textHeight(l, FontRole::Bold, labelW), textHeight(v, FontRole::Body, valueW));
      put(0, Item{Item::Text, QRectF(left(), y, labelW, h + 1), l, FontRole::Bold, flags(Qt::AlignLeft), kInk, 0});
      put(0, Item{Item::Text, QRectF(left() + labelW, y, valueW, h + 1), v, FontRole::Body,
                  flags(Qt::AlignLeft, wrapFlags(v, FontRole::Body, valueW)), kInk, 0});
      y += h + mm(2.5);
    }
    line(left(), y, left() + width(), y, kInk, 0.4, 0);
  }

  // The running header (not on the cover) and the page numbers of every page.
  void running() {
    const int count = static_cast<int>(pages_.size());
    const double h = lineHeight(FontRole::Running) + 1;
    for (int page = 0; page < count; ++page) {
      if (page > 0) {
        put(page, Item{Item::Text, QRectF(left(), mm(kHeaderY), width() * 0.6, h),
                       QString::fromStdString(doc_.headerLeft), FontRole::Running, flags(Qt::AlignLeft), kGrey, 0});
        put(page, Item{Item::Text, QRectF(left() + width() * 0.4, mm(kHeaderY), width() * 0.6, h),
                       QString::fromStdString(doc_.headerRight), FontRole::Running, flags(Qt::AlignRight), kGrey,
                       0});
        line(left(), mm(kHeaderY) + h + mm(1), left() + width(), mm(kHeaderY) + h + mm(1), kRule, 0.2, page);
      }
      put(page, Item{Item::Text, QRectF(left(), mm(kFooterY), width(), h),
                     QStringLiteral("Page %1 of %2").arg(page + 1).arg(count), FontRole::Running,
                     flags(Qt::AlignHCenter), kGrey, 0});
    }
  }

  QPaintDevice* device_;
  const report::Document& doc_;
  std::vector<Page> pages_;
  std::vector<int> sectionPages_;  // 1-based page of each section
  double y_ = 0;
  bool afterFormula_ = false;
};

void paint(QPainter& painter, const Page& page) {
  for (const Item& item : page) {
    switch (item.kind) {
      case Item::Fill: painter.fillRect(item.rect, item.colour); break;
      case Item::Line:
        painter.setPen(QPen(item.colour, item.width));
        painter.drawLine(item.rect.topLeft(), item.rect.bottomRight());
        break;
      case Item::Text:
        painter.setFont(fontOf(item.font));
        painter.setPen(item.colour);
        painter.drawText(item.rect, item.flags, item.text);
        break;
    }
  }
}


}  // namespace

std::string reportPdfBytes(const report::Document& doc, QByteArray& pdf) {
  if (std::string reason = ensureGuiApplication(); !reason.empty()) return reason;
  pdf.clear();
  QBuffer buffer(&pdf);
  if (!buffer.open(QIODevice::WriteOnly)) return "no memory for the pages";
  QPdfWriter writer(&buffer);
  writer.setResolution(kDpi);
  writer.setCreator(QStringLiteral("Plintova"));
  writer.setTitle(QString::fromStdString(doc.title));
  writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                                   QPageLayout::Millimeter));
  const std::vector<Page> pages = PageLayout(&writer, doc).run();
  QPainter painter;
  if (!painter.begin(&writer)) return "the pages could not be started";
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  for (std::size_t k = 0; k < pages.size(); ++k) {
    if (k > 0 && !writer.newPage()) return "a new page could not be started";
    paint(painter, pages[k]);
  }
  if (!painter.end()) return "the pages could not be finished";
  if (pdf.isEmpty()) return "the pages came out empty";
  return {};
}

std::string writeReportPdf(const report::Document& doc, const std::string& path, const Project& project) {
  return writePdfFile(project, path, [&doc](QByteArray& pdf) { return reportPdfBytes(doc, pdf); }, "The report");
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
