// A figure of the calculation report laid out as items: panels stacked over one axis, each with its
// curves, its zero line, its extreme values, and the marked positions through all of them.
#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

#include "model/numbers.h"
#include "render/report_page_qt.h"

namespace plintova::draw::report_pages {

namespace {

constexpr double kPanelHeight = 30;  // mm
constexpr double kPanelGap = 3;      // mm
constexpr double kAxisRoom = 16;     // mm left of the plot for the values
constexpr double kTitleRoom = 4;     // mm over the plot for the panel's title
constexpr double kMarkRoom = 5;      // mm under the last panel for the marks and the axis
const QColor kCurves[] = {QColor(0, 0, 0), QColor(40, 90, 160)};

QString figureText(double v) { return QString::fromStdString(numberText(roundTo(v, 1))); }

}  // namespace

double layOutFigure(const report::Figure& f, const QPaintDevice* device, double x, double y, double width,
                    double perMm, std::vector<Item>& out) {
  if (f.stations.size() < 2 || f.panels.empty()) return 0;
  const QFontMetricsF small(fontOf(FontRole::Small), device);
  const double textH = small.height();
  const double x0 = f.stations.front(), x1 = f.stations.back();
  const double plotLeft = x + kAxisRoom * perMm, plotRight = x + width;
  auto px = [&](double v) { return plotLeft + (v - x0) / (x1 - x0 == 0 ? 1 : x1 - x0) * (plotRight - plotLeft); };
  auto line = [&](QPointF a, QPointF b, QColor colour, double widthMm) {
    out.push_back(Item{Item::Line, QRectF(a, b), {}, FontRole::Small, 0, colour, widthMm * perMm});
  };
  auto label = [&](double left, double top, double w, const QString& s, Qt::Alignment align, QColor colour = kInk) {
    out.push_back(Item{Item::Text, QRectF(left, top, w, textH + 1), s, FontRole::Small, flags(align), colour, 0});
  };

  double top = y;
  for (std::size_t k = 0; k < f.panels.size(); ++k) {
    const report::Panel& panel = f.panels[k];
    label(x, top, width, QString::fromStdString(panel.title), Qt::AlignLeft);
    const double plotTop = top + kTitleRoom * perMm, plotBottom = top + kPanelHeight * perMm;
    double lo = 0, hi = 0;
    for (const report::Curve& c : panel.curves)
      for (double v : c.values)
        if (std::isfinite(v)) lo = std::min(lo, v), hi = std::max(hi, v);
    const double span = hi - lo > 0 ? hi - lo : 1;
    // The curves keep a line of text clear over their highest value and under their lowest, so that the
    // value written at a peak stays within the panel, clear of its title and of the next panel.
    const double curveTop = plotTop + (hi > 0 ? textH : 0), curveBottom = plotBottom - (lo < 0 ? textH : 0);
    auto py = [&](double v) { return curveBottom - (v - lo) / span * (curveBottom - curveTop); };
    // Frame, zero line and the marked positions.
    line({plotLeft, plotTop}, {plotLeft, plotBottom}, kRule, 0.2);
    line({plotLeft, py(0)}, {plotRight, py(0)}, kGrey, 0.25);
    for (const auto& [at, name] : f.marks) line({px(at), plotTop}, {px(at), plotBottom}, kRule, 0.15);
    label(x, py(hi) - textH / 2, kAxisRoom * perMm - perMm, figureText(hi), Qt::AlignRight, kGrey);
    if (lo < 0) label(x, py(lo) - textH / 2, kAxisRoom * perMm - perMm, figureText(lo), Qt::AlignRight, kGrey);
    // Each curve, and its value of largest size where it stands.
    for (std::size_t c = 0; c < panel.curves.size(); ++c) {
      const std::vector<double>& v = panel.curves[c].values;
      const QColor colour = kCurves[c % 2];
      std::size_t peak = 0;
      for (std::size_t i = 0; i < v.size() && i < f.stations.size(); ++i) {
        if (std::fabs(v[i]) > std::fabs(v[peak])) peak = i;
        if (i > 0) line({px(f.stations[i - 1]), py(v[i - 1])}, {px(f.stations[i]), py(v[i])}, colour, 0.3);
      }
      if (v.empty() || v[peak] == 0) continue;
      const QString value = figureText(v[peak]);
      const double w = small.horizontalAdvance(value) + perMm;
      // Centred over its point, or just right of it where a marked position's line runs through it.
      const double at = px(f.stations[peak]);
      const bool onMark = std::any_of(f.marks.begin(), f.marks.end(),
                                      [&](const auto& mark) { return std::fabs(px(mark.first) - at) < w / 2; });
      const double left = std::clamp(onMark ? at : at - w / 2, plotLeft, plotRight - w);
      const double above = v[peak] >= 0 ? py(v[peak]) - textH : py(v[peak]);
      label(left, std::clamp(above, plotTop, plotBottom - textH), w, value, Qt::AlignHCenter, colour);
    }
    top = plotBottom + kPanelGap * perMm;
  }
  // The marks' names and the axis under the last panel.
  const double bottom = top - kPanelGap * perMm;
  for (const auto& [at, name] : f.marks) {
    const QString s = QString::fromStdString(name);
    const double w = small.horizontalAdvance(s) + perMm;
    label(std::clamp(px(at) - w / 2, plotLeft, plotRight - w), bottom, w, s, Qt::AlignHCenter, kGrey);
  }
  label(plotLeft, bottom + textH, plotRight - plotLeft, QString::fromStdString(f.axis) + QStringLiteral(": 0 to ") +
                                                            QString::fromStdString(numberText(x1)),
        Qt::AlignLeft, kGrey);
  return bottom + kMarkRoom * perMm + textH - y;
}

}  // namespace plintova::draw::report_pages
