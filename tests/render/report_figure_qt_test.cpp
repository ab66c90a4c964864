// A figure of the calculation report laid out as items: the values written at the curves' peaks stay
// inside their panel, clear of every other text, and off the line of a marked position.
#include <gtest/gtest.h>

#include <QImage>

#include "qt_test_app.h"
#include "render/report_page_qt.h"

using namespace plintova;
using namespace plintova::draw::report_pages;

// Two panels whose peaks stand at the panels' tops and bottoms, two of them at the marked position
// (an envelope's jump at a column), one at the first station next to the axis's values.
TEST(ReportFigure, PeakValuesStayInsideTheirPanelClearOfOtherTextsAndOfTheMarks) {
  testapp::ensure();
  QImage device(10, 10, QImage::Format_RGB32);
  device.setDotsPerMeterX(23622);  // 600 dpi, as the report's page
  device.setDotsPerMeterY(23622);
  report::Figure f;
  f.axis = "x, m from the first end";
  f.stations = {0, 1, 1, 2, 3};
  f.marks = {{1, "joint 20"}};
  f.panels = {{"Soil pressure kN/m", {{{1258.7, 1100, 1100, 900, 700}}}},
              {"Shear force kN", {{{0, 922.1, -800, 100, 0}}, {{0, 850, -1078.9, 60, 0}}}}};
  const double perMm = 600 / 25.4, x = 0, y = 0, width = 160 * perMm;
  std::vector<Item> items;
  const double height = layOutFigure(f, &device, x, y, width, perMm, items);
  ASSERT_GT(height, 0);

  std::vector<const Item*> texts;
  double markX = -1;
  for (const Item& item : items) {
    if (item.kind == Item::Text) texts.push_back(&item);
    if (item.kind == Item::Line && item.rect.left() == item.rect.right() && item.colour == kRule &&
        item.rect.left() > x + 16 * perMm)
      markX = item.rect.left();
  }
  ASSERT_GT(markX, 0) << "the marked position's line";
  // Text boxes are a pixel taller than their line: two neighbouring lines may share that pixel.
  auto overlap = [](const QRectF& a, const QRectF& b) {
    return a.adjusted(0, 0, 0, -1).intersects(b.adjusted(0, 0, 0, -1));
  };
  int values = 0;
  for (const Item* t : texts) {
    EXPECT_GE(t->rect.top(), y) << t->text.toStdString();
    EXPECT_LE(t->rect.bottom(), y + height) << t->text.toStdString();
    for (const Item* other : texts) {
      if (other == t) continue;
      EXPECT_FALSE(overlap(t->rect, other->rect)) << t->text.toStdString() << " / " << other->text.toStdString();
    }
    // The two peaks at the mark (not the axis's copies of the same values, left of the plot).
    if ((t->text == "922.1" || t->text == "-1078.9") && t->rect.left() > x + 16 * perMm) {
      ++values;
      EXPECT_TRUE(t->rect.left() >= markX || t->rect.right() <= markX) << t->text.toStdString() << " across the mark";
    }
  }
  EXPECT_EQ(values, 2) << "the two peaks at the mark are written";
}
