// The QPainter renderer on an image: outlines, grid, red labels, upright text, picking with real fonts.
#include "render/render_qt.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "../draw/test_projects.h"
#include "draw/column_layout.h"
#include "qt_test_app.h"

using namespace plintova;
using namespace plintova::draw;

namespace {

struct Rendered {
  QImage image;
  std::vector<Primitive> list;
  Rect fit;
};

Rendered renderPlan(Project& p, const PlanOptions& options, int w, int h) {
  testapp::ensure();
  Rendered r{QImage(w, h, QImage::Format_RGB32), {}, fitPlan(p, w, h)};
  r.image.fill(Qt::white);
  Viewport view(r.fit, QRectF(0, 0, w, h));
  std::vector<std::string> labels;
  r.list = drawPlan(p, options, r.fit, digitWidth(&r.image, view, options.labelPointSize), labels);
  QPainter painter(&r.image);
  render(painter, r.list, view, screenStyle());
  return r;
}

// Whether any pixel within `radius` of (x, y) satisfies `test`.
template <class Test>
bool near(const QImage& img, QPointF at, int radius, Test test) {
  for (int dy = -radius; dy <= radius; ++dy)
    for (int dx = -radius; dx <= radius; ++dx) {
      int x = static_cast<int>(at.x()) + dx, y = static_cast<int>(at.y()) + dy;
      if (x >= 0 && y >= 0 && x < img.width() && y < img.height() && test(img.pixelColor(x, y))) return true;
    }
  return false;
}

bool dark(const QColor& c) { return c.red() < 90 && c.green() < 90 && c.blue() < 90; }
bool red(const QColor& c) { return c.red() > 180 && c.green() < 90 && c.blue() < 90; }
bool white(const QColor& c) { return c.red() > 245 && c.green() > 245 && c.blue() > 245; }

}  // namespace

TEST(RenderPlan, DrawsOutlinesGridAndNoTensionLabelsInRed) {
  Project p;
  testproj::regularFrame(p, 6, 4, 6000, 4500);
  p.FootingTable[1].NoTension = true;
  for (int s = 1; s <= p.FootingCount; ++s) p.FootingTable[s].ReqSize -= 0.17f;  // sizes rounded up to groups
  testproj::addCombined(p, 8, 14, 0, 5300, 3800, 6700, 9700, 5.9f, 1.4f, 0.7f, 0.7f, 4500);
  PlanOptions options;
  options.actualSizes = true;
  Rendered r = renderPlan(p, options, 1200, 700);
  ASSERT_TRUE(r.image.save(QStringLiteral(PLINTOVA_BUILD_DIR "/plan_render.png")));
  Viewport view(r.fit, QRectF(0, 0, 1200, 700));

  // Footing 2 at (6000, 0), 1.5 m: its left edge is drawn, its inside (off the grid) is blank.
  const Rect outline = footingRect(p.FootingTable[2]);
  EXPECT_TRUE(near(r.image, view.map(outline.left, 300), 1, dark));
  EXPECT_TRUE(near(r.image, view.map(outline.right, -300), 1, dark));
  EXPECT_TRUE(white(r.image.pixelColor(view.map(6450, 450).toPoint())));
  // A grid line between two footings, and the combined footing's rectangle in place of its members.
  EXPECT_TRUE(near(r.image, view.map(24000, 2250), 1, [](const QColor& c) { return !white(c); }));
  EXPECT_TRUE(near(r.image, view.map(5300, 6750), 1, dark));
  EXPECT_FALSE(near(r.image, view.map(5100, 4800), 1, dark));  // member 8's own 1.8 m outline is gone

  // The no-tension footing's label is red; its neighbour's is not.
  QPointF label1 = view.map(p.FootingTable[1].PosX, p.FootingTable[1].PosZ);
  EXPECT_TRUE(near(r.image, label1 + QPointF(4, 4), 5, red));
  QPointF label3 = view.map(p.FootingTable[3].PosX, p.FootingTable[3].PosZ);
  EXPECT_FALSE(near(r.image, label3 + QPointF(4, 4), 6, red));
  EXPECT_TRUE(near(r.image, label3 + QPointF(4, 4), 6, dark));
}

TEST(RenderPlan, PickingWithRealFontsFindsTheLabelUnderThePointer) {
  Project p;
  testproj::regularFrame(p, 3, 2, 6000, 4500);
  Rendered r = renderPlan(p, PlanOptions{}, 900, 600);
  Viewport view(r.fit, QRectF(0, 0, 900, 600));
  TextMeasure measure = textMeasure(&r.image, view);
  // Press a few pixels into the label of footing 5 (at 6000, 4500).
  PlanPoint at = view.unmap(view.map(6000, 4500) + QPointF(2, 2));
  const Primitive* hit = hitTest(r.list, at.x, at.z, measure);
  ASSERT_NE(hit, nullptr);
  EXPECT_EQ(hit->role, Role::FootingLabel);
  EXPECT_EQ(hit->id, Id::footing(5));
  // The label ends where its text ends: far to the right only the outline is there.
  at = view.unmap(view.map(6600, 4500));
  hit = hitTest(r.list, at.x, at.z, measure);
  ASSERT_NE(hit, nullptr);
  EXPECT_EQ(hit->role, Role::FootingOutline);
}

TEST(RenderText, UprightTextReadsUpwardAndTwoLineLabelsStack) {
  testapp::ensure();
  QImage img(200, 200, QImage::Format_RGB32);
  img.fill(Qt::white);
  Viewport view(Rect{0, 0, 200, 200}, QRectF(0, 0, 200, 200));
  Primitive v = text(100, 150, "123456", HAlign::Left, VAlign::Top);
  v.vertical = true;
  v.fontSize = 10;
  Primitive two = text(10, 10, "1.5\r2.25");
  {
    QPainter painter(&img);
    render(painter, {v, two}, view, screenStyle());
  }
  // Ink of the upright text: to the right of x 100, above z 150, much taller than wide.
  int minX = 200, maxX = -1, minY = 200, maxY = -1;
  for (int y = 0; y < 200; ++y)
    for (int x = 60; x < 200; ++x)
      if (dark(img.pixelColor(x, y))) {
        minX = std::min(minX, x), maxX = std::max(maxX, x), minY = std::min(minY, y), maxY = std::max(maxY, y);
      }
  EXPECT_GE(minX, 99);
  EXPECT_LE(maxY, 151);
  EXPECT_GT(maxY - minY, 3 * (maxX - minX));
  TextSize size = textMeasure(&img, view)(v);
  EXPECT_NEAR(maxY - minY, size.width, 6);  // the advance includes the side bearings

  TextSize twoLines = textMeasure(&img, view)(two);
  TextSize oneLine = textMeasure(&img, view)(text(0, 0, "2.25"));
  EXPECT_NEAR(twoLines.width, oneLine.width, 0.01);
  EXPECT_GT(twoLines.height, 1.8 * oneLine.height);
  EXPECT_TRUE(near(img, QPointF(12, 10 + oneLine.height + 4), 3, dark));  // the second line is drawn
}

TEST(RenderColumnView, ShowsBeamsAndTheSelectedMarkerLight) {
  testapp::ensure();
  Project p;
  testproj::regularFrame(p, 3, 2, 6000, 4500);
  p.LevelY[0] = 2;
  for (int ix = 1; ix <= 3; ++ix)
    for (int iz = 1; iz <= 2; ++iz) {
      p.JointLattice.set(ix, 2, iz, static_cast<int16_t>(ix * 10 + iz));
      if (ix < 3) p.BeamXLattice.set(ix, 2, iz, 1);
      if (iz < 2) p.BeamZLattice.set(ix, 2, iz, 2);
    }
  p.BeamSectionTable[1][2] = 6000;
  p.BeamSectionTable[2][2] = 4500;
  QImage img(800, 500, QImage::Format_RGB32);
  img.fill(Qt::white);
  Rect fit = fitColumnView(p, 800, 500);
  Viewport view(fit, QRectF(0, 0, 800, 500));
  auto list = columnLayout(p, 2, markerHalfSize(fit, 800, 500), 2);
  {
    QPainter painter(&img);
    render(painter, list, view, screenStyle());
  }
  ASSERT_TRUE(img.save(QStringLiteral(PLINTOVA_BUILD_DIR "/column_render.png")));
  EXPECT_TRUE(near(img, view.map(3000, 0), 1, dark));                         // a beam
  EXPECT_TRUE(dark(img.pixelColor(view.map(0, 0).toPoint() + QPoint(2, 2))));  // an unselected marker
  EXPECT_TRUE(near(img, view.map(6000, 0), 8, white));                        // the selected one is light
}
