// The calculation report laid out into A4 portrait pages of placed texts, fills and lines, all of them
// before any is painted, so that the contents know every section's page.
#include <QFontMetricsF>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>
#include <variant>
#include <vector>

#include "output/report_content.h"
#include "render/render_qt.h"
#include "render/report_page_qt.h"
#include "render/report_table_qt.h"

namespace plintova::draw {

namespace {

using report::Align;
using namespace report_pages;

constexpr int kDpi = kReportDpi;
// The text block between the page's margins, mm, the running header above it.
constexpr double kLeft = 20, kRight = 15, kTop = 22, kBottom = 20;
constexpr double kHeaderY = 11, kFooterY = 285;
// Formula columns, mm: the clause on the right, the verdict left of it.
constexpr double kClauseWidth = 50, kVerdictWidth = 13, kColumnGap = 3, kIndent = 4;

class PageLayout {
 public:
  PageLayout(QPaintDevice* device, const report::Document& doc, const Fonts& fonts)
      : device_(device), doc_(doc), fonts_(fonts) {}

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
    return std::move(pages_);
  }

 private:
  double mm(double v) const { return v * kDpi / 25.4; }
  double left() const { return mm(kLeft); }
  double width() const { return mm(kPageWidth - kLeft - kRight); }
  double bottom() const { return mm(kPageHeight - kBottom); }

  const QFontMetricsF& metrics(FontRole role) const { return fonts_.metrics(role); }
  double lineHeight(FontRole role) const { return metrics(role).height(); }
  // A text's advance on one line, from the font's table of glyphs where it can be.
  double advance(const QString& text, FontRole role) const { return fonts_.glyphs(role).advance(text); }

  // A word longer than the width would run over the cell: such texts break anywhere.
  int wrapFlags(const QString& text, FontRole role, double w) const {
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
      if (advance(word, role) > w) return Qt::TextWrapAnywhere;
    return Qt::TextWordWrap;
  }
  // A text set over the width w: its height and its wrapping. A text whose one line fits with the slack
  // the natural widths of table columns leave is a line high; any other is laid out as the painter will
  // set it.
  struct Setting {
    double height = 0;
    int wrap = Qt::TextWordWrap;
    double advance = -1;  // the one line's width, or below 0 for a text laid out over lines
  };
  Setting setting(const QString& text, FontRole role, double w) const {
    if (text.isEmpty()) return {};
    const double a = advance(text, role);
    if (fitsOneLine(text, a, w)) return {singleLineHeight(role), Qt::TextWordWrap, a};
    const int wrap = wrapFlags(text, role, w);
    return {metrics(role).boundingRect(QRectF(0, 0, w, 1e7), Qt::AlignLeft | wrap, text).height(), wrap};
  }
  bool fitsOneLine(const QString& text, double advance, double w) const {
    return advance + mm(0.3) <= w && !text.contains(QLatin1Char('\n'));
  }
  // The height of one line of text as the painter sets it, measured once per font.
  double singleLineHeight(FontRole role) const {
    double& h = singleLine_[static_cast<std::size_t>(role)];
    if (h < 0) h = metrics(role).boundingRect(QRectF(0, 0, 1e7, 1e7), Qt::AlignLeft | Qt::TextWordWrap,
                                              QStringLiteral("0")).height();
    return h;
  }
  double textHeight(const QString& text, FontRole role, double w) const { return setting(text, role, w).height; }
  double textHeight(const std::string& text, FontRole role, double w) const {
    return textHeight(QString::fromStdString(text), role, w);
  }

  void put(int page, Item item) { pages_[static_cast<std::size_t>(page)].push_back(std::move(item)); }
  void text(double x, double y, double w, const QString& s, FontRole role, QColor colour = kInk,
            int align = Qt::AlignLeft, int page = -1) {
    text(x, y, w, s, setting(s, role, w), role, colour, align, page);
  }
  void text(double x, double y, double w, const QString& s, const Setting& set, FontRole role, QColor colour = kInk,
            int align = Qt::AlignLeft, int page = -1) {
    put(page < 0 ? current() : page, placed(x, y, w, s, set, role, colour, align));
  }
  // A text as an item: a text of one line is placed where its line starts, as wide as it is, so that it
  // is painted without being laid out again.
  static Item placed(double x, double y, double w, const QString& s, const Setting& set, FontRole role, QColor colour,
                     int align) {
    if (set.advance < 0)
      return Item{Item::Text, QRectF(x, y, w, set.height + 1), s, role, align | Qt::AlignTop | set.wrap, colour, 0};
    if (align & Qt::AlignRight) x += w - set.advance;
    else if (align & Qt::AlignHCenter) x += (w - set.advance) / 2;
    return Item{Item::Text, QRectF(x, y, set.advance, set.height + 1), s, role, flags(Qt::AlignLeft, Qt::TextSingleLine),
                colour, 0};
  }
  void fill(double x, double y, double w, double h, QColor colour) {
    put(current(), Item{Item::Fill, QRectF(x, y, w, h), {}, FontRole::Body, 0, colour, 0});
  }
  void line(double x0, double y0, double x1, double y1, QColor colour, double widthMm, int page = -1) {
    put(page < 0 ? current() : page,
        Item{Item::Line, QRectF(QPointF(x0, y0), QPointF(x1, y1)), {}, FontRole::Body, 0, colour, mm(widthMm)});
  }

  int current() const { return static_cast<int>(pages_.size()) - 1; }
  // A new page is given room for as many items as the last one held and its running header and number
  // added at the end: pages of one table hold about as many, and growing each page's items a doubling at
  // a time moved them over and over.
  void newPage() {
    const std::size_t last = pages_.empty() ? 0 : pages_.back().size();
    pages_.emplace_back();
    pages_.back().reserve(last + 8);
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

  // The lines a text breaks into over the width w, as the painter will set them (a text that fits on one
  // line is that line, without being laid out).
  QStringList lines(const QString& text, FontRole role, double w) const {
    if (fitsOneLine(text, advance(text, role), w)) return {text.trimmed()};
    QTextLayout layout(text, fonts_.font(role), device_);
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
      put(current(), Item{Item::Text, QRectF(left(), y_, width(), step + 1), l, role,
                          flags(Qt::AlignLeft, Qt::TextSingleLine), kInk, 0});
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
    const Setting eqSet = setting(eq, FontRole::Body, eqW), clauseSet = setting(clause, FontRole::Italic, clauseW);
    const double h = std::max(eqSet.height, clauseSet.height);
    keep(h);
    text(left(), y_, mm(kIndent), QStringLiteral("\u2022"), FontRole::Body);
    text(x, y_, eqW, eq, eqSet, FontRole::Body);
    if (f.ok) {
      text(x + eqW + gap, y_, verdictW, *f.ok ? QStringLiteral("OK") : QStringLiteral("FAILS"), FontRole::Bold,
           *f.ok ? kOkInk : kFailInk);
    }
    text(x + eqW + verdictW + 2 * gap, y_, clauseW, clause, clauseSet, FontRole::Italic, kGrey);
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

  // The cells of a row measured in the row's font, as many as the table has columns.
  std::vector<MeasuredCell> measureRow(const std::vector<std::string>& cells, std::size_t n, FontRole role) const {
    std::vector<MeasuredCell> row(n);
    for (std::size_t k = 0; k < n && k < cells.size(); ++k) row[k] = measureCell(fonts_.glyphs(role), cells[k]);
    return row;
  }

  Setting setting(const MeasuredCell& c, FontRole role, double w) const {
    if (c.text.isEmpty()) return {};
    const int wrap = c.longestWord > w ? Qt::TextWrapAnywhere : Qt::TextWordWrap;
    if (fitsOneLine(c.text, c.advance, w)) return {singleLineHeight(role), wrap, c.advance};
    return {metrics(role).boundingRect(QRectF(0, 0, w, 1e7), Qt::AlignLeft | wrap, c.text).height(), wrap};
  }

  void tableRow(const std::vector<MeasuredCell>& cells, const std::vector<double>& w, const std::vector<Align>& align,
                FontRole role, QColor background, QColor ink, const std::function<void()>& head = {}) {
    const double pad = mm(kCellPad);
    std::vector<Setting> set(w.size());
    double h = lineHeight(role);
    for (std::size_t k = 0; k < w.size(); ++k) {
      set[k] = setting(cells[k], role, w[k] - 2 * pad);
      h = std::max(h, set[k].height);
    }
    h += 2 * mm(0.8);
    if (head && y_ + h > bottom()) {
      newPage();
      head();
    }
    double x = left();
    double total = 0;
    for (double c : w) total += c;
    if (background.isValid()) fill(x, y_, total, h, background);
    for (std::size_t k = 0; k < w.size(); ++k) {
      if (!cells[k].text.isEmpty()) {
        const int a = k < align.size() && align[k] == Align::Right ? Qt::AlignRight : Qt::AlignLeft;
        put(current(), placed(x + pad, y_ + mm(0.8), w[k] - 2 * pad, cells[k].text, set[k], role, ink, a));
      }
      x += w[k];
    }
    line(left(), y_ + h, left() + total, y_ + h, kRule, 0.1);
    y_ += h;
  }

  double rowHeight(const std::vector<MeasuredCell>& cells, const std::vector<double>& w, FontRole role) const {
    double h = lineHeight(role);
    for (std::size_t k = 0; k < w.size(); ++k) h = std::max(h, setting(cells[k], role, w[k] - 2 * mm(kCellPad)).height);
    return h + 2 * mm(0.8);
  }

  // Every cell is measured once; rows that do not fit below the cursor go on over a page break under the
  // heading repeated.
  void table(const report::Table& t) {
    const std::size_t n = t.header.size();
    if (n == 0) return;
    std::vector<std::vector<MeasuredCell>> rows;
    rows.reserve(t.rows.size() + 1);
    rows.push_back(measureRow(t.header, n, FontRole::TableBold));
    for (const report::TableRow& r : t.rows) rows.push_back(measureRow(r.cells, n, r.total ? FontRole::TableBold : FontRole::Table));
    const std::vector<double> w = columnWidths(rows, n, width(), mm(1));
    const std::function<void()> head = [&] { tableRow(rows.front(), w, t.align, FontRole::TableBold, kHeadFill, kInk); };
    // The heading is kept with the first row, that row measured in the body's font.
    double first = 0;
    if (!t.rows.empty())
      first = t.rows.front().total ? rowHeight(measureRow(t.rows.front().cells, n, FontRole::Table), w, FontRole::Table)
                                   : rowHeight(rows[1], w, FontRole::Table);
    keep(rowHeight(rows.front(), w, FontRole::TableBold) + first);
    head();
    for (std::size_t k = 0; k < t.rows.size(); ++k) {
      const report::TableRow& r = t.rows[k];
      tableRow(rows[k + 1], w, t.align, r.total ? FontRole::TableBold : FontRole::Table,
               r.flagged ? kFailFill : QColor(), r.flagged ? kFailInk : kInk, head);
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
      const double used = advance(title + QLatin1Char(' '), role);
      // Leaders in the entry's own font (a chapter's bold dots are wider), one short of the room.
      const double dot = advance(QStringLiteral(" ."), role);
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

  // The running header (not on the cover) and the page numbers of every page. A text that fits its line
  // is placed where its line starts and painted without being laid out again; a longer one runs on in
  // its one line.
  void running() {
    const int count = static_cast<int>(pages_.size());
    const double h = lineHeight(FontRole::Running) + 1;
    auto put = [&](int page, double x, double w, double y, const QString& s, int align) {
      const Setting set = setting(s, FontRole::Running, w);
      if (set.advance < 0)
        this->put(page, Item{Item::Text, QRectF(x, y, w, h), s, FontRole::Running, flags(Qt::Alignment(align)), kGrey, 0});
      else
        this->put(page, placed(x, y, w, s, set, FontRole::Running, kGrey, align));
    };
    const QString headerLeft = QString::fromStdString(doc_.headerLeft),
                  headerRight = QString::fromStdString(doc_.headerRight);
    for (int page = 0; page < count; ++page) {
      if (page > 0) {
        put(page, left(), width() * 0.6, mm(kHeaderY), headerLeft, Qt::AlignLeft);
        put(page, left() + width() * 0.4, width() * 0.6, mm(kHeaderY), headerRight, Qt::AlignRight);
        line(left(), mm(kHeaderY) + h + mm(1), left() + width(), mm(kHeaderY) + h + mm(1), kRule, 0.2, page);
      }
      put(page, left(), width(), mm(kFooterY), QStringLiteral("Page %1 of %2").arg(page + 1).arg(count),
          Qt::AlignHCenter);
    }
  }

  QPaintDevice* device_;
  const report::Document& doc_;
  std::vector<Page> pages_;
  std::vector<int> sectionPages_;  // 1-based page of each section
  const Fonts& fonts_;
  mutable std::vector<double> singleLine_ = std::vector<double>(16, -1.0);  // per font; below 0 until measured
  double y_ = 0;
  bool afterFormula_ = false;
};

}  // namespace

std::vector<report_pages::Page> report_pages::layOutReport(QPaintDevice* device, const report::Document& doc,
                                                           const Fonts& fonts) {
  return PageLayout(device, doc, fonts).run();
}

}  // namespace plintova::draw
