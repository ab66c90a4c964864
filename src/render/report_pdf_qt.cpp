// The calculation report's laid-out pages written by the program's own PDF writer: fills and lines as
// they are, texts as glyphs of the report's fonts embedded as TrueType subsets. A text of one line is
// placed from its font's glyph table; a text the painter sets over several lines is set by the painter
// on a device that only records where each line's text goes, then placed from the table the same way.
// What the table cannot place (a ligature, a pair the font joins) is shaped by Qt's text layout.
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QRawFont>
#include <QTextLayout>
#include <algorithm>
#include <map>
#include <memory>
#include <utility>

#include "files/pdf_writer.h"
#include "files/truetype_font.h"
#include "render/report_page_qt.h"
#include "render/report_table_qt.h"

namespace plintova::draw::report_pages {

namespace {

constexpr double kPointsPerPixel = 72.0 / kReportDpi;
constexpr double points(double mm) { return mm / 25.4 * 72; }

PdfColour pdfColour(const QColor& c) {
  return {static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()), static_cast<std::uint8_t>(c.blue())};
}

// A paint engine that draws nothing and keeps each text item the painter hands it: its text and where
// its baseline starts.
class TextRecorder final : public QPaintEngine {
 public:
  struct Piece {
    QPointF at;
    QString text;
  };
  TextRecorder() : QPaintEngine(QPaintEngine::AllFeatures) {}
  bool begin(QPaintDevice*) override { return true; }
  bool end() override { return true; }
  void updateState(const QPaintEngineState&) override {}
  void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
  void drawTextItem(const QPointF& p, const QTextItem& item) override { pieces.push_back({p, item.text()}); }
  Type type() const override { return QPaintEngine::User; }
  std::vector<Piece> pieces;
};

// A device with the metrics of the page's device, so that the painter lays texts out on it exactly as
// on the page.
class RecordingDevice final : public QPaintDevice {
 public:
  explicit RecordingDevice(const QPaintDevice* like) : like_(like) {}
  QPaintEngine* paintEngine() const override { return &engine_; }
  TextRecorder& recorder() const { return engine_; }

 protected:
  int metric(PaintDeviceMetric m) const override {
    switch (m) {
      case PdmWidth: return like_->width();
      case PdmHeight: return like_->height();
      case PdmWidthMM: return like_->widthMM();
      case PdmHeightMM: return like_->heightMM();
      case PdmNumColors: return like_->colorCount();
      case PdmDepth: return like_->depth();
      case PdmDpiX: return like_->logicalDpiX();
      case PdmDpiY: return like_->logicalDpiY();
      case PdmPhysicalDpiX: return like_->physicalDpiX();
      case PdmPhysicalDpiY: return like_->physicalDpiY();
      case PdmDevicePixelRatio: return 1;
      case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
    }
    return 0;
  }

 private:
  const QPaintDevice* like_;
  mutable TextRecorder engine_;
};

// The characters each glyph of a shaped run stands for, from the run's characters. The glyphs come in
// the order they are read (a right-to-left run's from its right end), as the characters do.
// As many glyphs as characters stand for one each (contextual forms of a joined script are not the characters'
// own glyphs, yet one each); otherwise a glyph that is its character's own glyph stands for it, and a
// glyph that is no character's own (a ligature) stands for the characters from the next one up to the
// next glyph's own. A glyph that is another character's own (a reordered one) is left to that
// character, since a glyph stands for the same text wherever it is drawn.
std::vector<std::u32string> glyphCharacters(const QRawFont& font, const std::u32string& codes,
                                            const QList<quint32>& glyphs) {
  const std::size_t n = static_cast<std::size_t>(glyphs.size());
  std::vector<std::u32string> chars(n);
  if (codes.size() == n) {
    for (std::size_t k = 0; k < n; ++k) chars[k] = codes[k];
    return chars;
  }
  std::vector<quint32> own(codes.size(), 0);
  for (std::size_t k = 0; k < own.size(); ++k) {
    const QList<quint32> g = font.glyphIndexesForString(QString::fromUcs4(&codes[k], 1));
    if (g.size() == 1) own[k] = g.front();
  }
  std::size_t c = 0;
  for (std::size_t k = 0; k < n && c < own.size(); ++k) {
    const quint32 g = glyphs[static_cast<qsizetype>(k)];
    if (own[c] == g) {
      chars[k] = codes[c++];
      continue;
    }
    if (std::find(own.begin(), own.end(), g) != own.end()) continue;
    const quint32 next = k + 1 < n ? glyphs[static_cast<qsizetype>(k + 1)] : 0;
    do chars[k].push_back(codes[c++]);
    while (c < own.size() && own[c] != next);
  }
  return chars;
}

// The characters of `text` that the layout set in `run` (of several runs), in logical order: those
// whose glyphs stand at the run's positions in the run's font.
std::u32string runCharacters(const QTextLayout& layout, const QString& text, const QGlyphRun& run) {
  std::u32string codes;
  const QList<QPointF> at = run.positions();
  for (qsizetype i = 0; i < text.size(); ++i) {
    const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
    const QList<QGlyphRun> mine = layout.glyphRuns(static_cast<int>(i), static_cast<int>(length));
    if (mine.size() == 1 && mine.front().rawFont() == run.rawFont() && !mine.front().positions().isEmpty() &&
        at.contains(mine.front().positions().front()))
      codes += QStringView(text).mid(i, length).toString().toStdU32String();
    i += length - 1;
  }
  return codes;
}

class PdfPages {
 public:
  PdfPages(PdfWriter& pdf, const Fonts& fonts, const QPaintDevice* device)
      : pdf_(pdf), fonts_(fonts), device_(device), recording_(device) {
    for (int role = 0; role <= static_cast<int>(FontRole::Running); ++role)
      roleFont_.push_back(fontNumber(fonts.glyphs(static_cast<FontRole>(role)).rawFont()));
  }

  // Whether every font the report's texts are set in can be embedded: the fonts of the table, and those
  // that shaping takes for a text the table does not hold (a combining mark, another script).
  bool holds(const std::vector<Page>& pages) {
    for (int number : roleFont_)
      if (number < 0) return false;
    for (const Page& page : pages)
      for (const Item& item : page) {
        if (item.kind != Item::Text || fonts_.glyphs(item.font).holds(item.text)) continue;
        QTextLayout layout(item.text, fonts_.font(item.font), device_);
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        // A run of no font (characters no installed font has) draws nothing, here as in Qt's engine.
        for (const QGlyphRun& run : layout.glyphRuns())
          if (run.rawFont().isValid() && fontNumber(run.rawFont()) < 0) return false;
      }
    return true;
  }

  void paint(const Page& page) {
    pdf_.beginPage();
    for (const Item& item : page) {
      switch (item.kind) {
        case Item::Fill:
          pdf_.fill(item.rect.x(), item.rect.y(), item.rect.width(), item.rect.height(), pdfColour(item.colour));
          break;
        case Item::Line:
          pdf_.line(item.rect.left(), item.rect.top(), item.rect.right(), item.rect.bottom(), item.width,
                    pdfColour(item.colour));
          break;
        case Item::Text: text(item); break;
      }
    }
    pdf_.endPage();
  }

 private:
  // The PDF font of a raw font, added when first met: -1 if it is no font or cannot be embedded (a font
  // of no tables is Qt's stand-in that draws boxes for characters no installed font has, and its names
  // are not to be asked for). Fonts are told apart by their header table, which holds the font file's
  // checksum and dates.
  int fontNumber(const QRawFont& raw) {
    if (!raw.isValid()) return -1;
    const QByteArray head = raw.fontTable("head");
    if (head.isEmpty()) return -1;
    if (const auto it = numbers_.find(head); it != numbers_.end()) return it->second;
    TrueTypeFont font;
    const std::string failed = font.load([&raw](const char* tag) {
      const QByteArray bytes = raw.fontTable(tag);
      return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    });
    QString name = raw.familyName() + QLatin1Char('-') + raw.styleName();
    name.remove(QLatin1Char(' '));
    const int number = failed.empty() ? pdf_.addFont(name.toStdString(), std::move(font)) : -1;
    numbers_.emplace(head, number);
    return number;
  }

  void text(const Item& item) {
    const PdfColour ink = pdfColour(item.colour);
    if (item.flags & Qt::TextSingleLine) {
      place(item.font, item.text, QPointF(item.rect.left(), item.rect.top() + fonts_.metrics(item.font).ascent()), ink);
      return;
    }
    // The painter sets the text over its lines on the recording device; each line's pieces are placed.
    TextRecorder& recorder = recording_.recorder();
    recorder.pieces.clear();
    {
      QPainter painter(&recording_);
      painter.setFont(fonts_.font(item.font));
      painter.drawText(item.rect, item.flags, item.text);
    }
    for (TextRecorder::Piece& piece : recorder.pieces) {
      // A line's break draws nothing.
      while (!piece.text.isEmpty() && (piece.text.back() == QChar::LineSeparator || piece.text.back() == u'\n'))
        piece.text.chop(1);
      place(item.font, piece.text, piece.at, ink);
    }
  }

  // A text on one line from its baseline's start: its glyphs from the font's table, or shaped.
  void place(FontRole role, const QString& text, QPointF baseline, PdfColour ink) {
    if (text.isEmpty()) return;
    const GlyphTable& table = fonts_.glyphs(role);
    indexes_.clear();
    positions_.clear();
    if (!table.appendGlyphs(text, baseline, indexes_, positions_)) {
      shape(role, text, baseline, ink);
      return;
    }
    chars_.resize(static_cast<std::size_t>(text.size()));
    for (qsizetype k = 0; k < text.size(); ++k) chars_[static_cast<std::size_t>(k)] = text[k].unicode();
    send(roleFont_[static_cast<std::size_t>(role)], table.rawFont().pixelSize(), ink, chars_.data());
  }

  void shape(FontRole role, const QString& text, QPointF baseline, PdfColour ink) {
    QTextLayout layout(text, fonts_.font(role), device_);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    const QPointF origin(baseline.x(), baseline.y() - line.ascent());
    const QList<QGlyphRun> runs = layout.glyphRuns();
    for (const QGlyphRun& run : runs) {
      const int font = fontNumber(run.rawFont());
      if (font < 0) continue;
      indexes_ = run.glyphIndexes();
      positions_ = run.positions();
      for (QPointF& p : positions_) p += origin;
      const std::vector<std::u32string> texts = glyphCharacters(
          run.rawFont(), runs.size() == 1 ? text.toStdU32String() : runCharacters(layout, text, run), indexes_);
      chars_.assign(texts.size(), 0);
      for (std::size_t k = 0; k < texts.size(); ++k) {
        if (texts[k].size() == 1) chars_[k] = texts[k].front();
        else if (texts[k].size() > 1) pdf_.mapGlyph(font, indexes_[static_cast<qsizetype>(k)], texts[k]);
      }
      send(font, run.rawFont().pixelSize(), ink, chars_.data());
    }
  }

  void send(int font, double size, PdfColour ink, const char32_t* chars) {
    const std::size_t n = static_cast<std::size_t>(indexes_.size());
    xs_.resize(n);
    ys_.resize(n);
    for (std::size_t k = 0; k < n; ++k) {
      xs_[k] = positions_[static_cast<qsizetype>(k)].x();
      ys_[k] = positions_[static_cast<qsizetype>(k)].y();
    }
    pdf_.glyphs(font, size, ink, indexes_.constData(), xs_.data(), ys_.data(), chars, n);
  }

  PdfWriter& pdf_;
  const Fonts& fonts_;
  const QPaintDevice* device_;
  RecordingDevice recording_;
  std::map<QByteArray, int> numbers_;
  std::vector<int> roleFont_;
  QList<quint32> indexes_;
  QList<QPointF> positions_;
  std::vector<double> xs_, ys_;
  std::vector<char32_t> chars_;
};

}  // namespace

std::string writeOwnPdf(std::vector<Page>& pages, const Fonts& fonts, const QPaintDevice* device,
                        const std::string& title, const PdfSink& sink, bool& taken) {
  PdfWriter pdf(sink, points(kPageWidth), points(kPageHeight), kPointsPerPixel);
  PdfPages painter(pdf, fonts, device);
  taken = painter.holds(pages);
  if (!taken) return {};
  // Each page goes to the file as it is made, and its items are let go.
  for (Page& page : pages) {
    painter.paint(page);
    Page().swap(page);
    if (!pdf.failure().empty()) break;
  }
  return pdf.finish(title, "Plintova");
}

}  // namespace plintova::draw::report_pages
