// The printed plan's page layout with fixed text metrics: orientation, scale window, marks and dimensions.
#include "print/plan_page.h"

#include <gtest/gtest.h>

#include <cmath>

#include "../draw/test_projects.h"

using namespace plintova;
using namespace plintova::print;
using draw::Role;

namespace {

// 100 page units per character; "983" is 300 wide, "H" 200 high.
PageMetrics fixedMetrics() {
  PageMetrics m;
  m.tw = 300;
  m.th = 200;
  m.width = [](const std::string& s) { return 100.0 * static_cast<double>(s.size()); };
  return m;
}

std::string pageDump(const Project& p, PageFrame* frameOut = nullptr) {
  PageFrame frame = planPageFrame(p);
  if (frameOut) *frameOut = frame;
  return draw::dump(layoutPlanPage(p, frame, fixedMetrics()).primitives);
}

// The lines of `all` that contain `part`, in order.
std::string linesWith(const std::string& all, const std::string& part) {
  std::string out, line;
  for (char c : all) {
    line += c;
    if (c == '\n') {
      if (line.find(part) != std::string::npos) out += line;
      line.clear();
    }
  }
  return out;
}

}  // namespace

TEST(PrintedPlan, OneColumnGivesASquarePortraitDrawingWithoutSpacings) {
  Project p;
  testproj::addFooting(p, 1, 0, 0, 1.5f);
  testproj::finish(p);
  PageFrame f;
  std::string d = pageDump(p, &f);
  EXPECT_DOUBLE_EQ(f.W, 4000);
  EXPECT_DOUBLE_EQ(f.H, 4000);
  EXPECT_DOUBLE_EQ(f.r, 1.0);
  EXPECT_EQ(f.orientation, Orientation::Portrait);
  // The scale window starts 2000 before the drawing; the width governs (r < q).
  EXPECT_DOUBLE_EQ(f.scale.left, -2000);
  EXPECT_DOUBLE_EQ(f.scale.top, -2000);
  EXPECT_DOUBLE_EQ(f.scale.right, 4000);
  EXPECT_DOUBLE_EQ(f.scale.bottom, 4000 * kA3PortraitRatio);
  EXPECT_EQ(d,
            "box PageBorder (50,50)-(3950,3950) dashdotdot\n"
            "line PageGrid (0,2000)-(4000,2000) dashdotdot\n"
            "line PageGrid (2000,0)-(2000,4000) dashdotdot\n"
            "line ColumnMark footing:1 (1850,2000)-(2150,2000) w3\n"
            "line ColumnMark footing:1 (2000,1850)-(2000,2150) w3\n"
            "text PageText (1850,2150) \"(1)\" fill rgb(255,255,255)\n"
            "box FootingOutline footing:1 (1250,1250)-(2750,2750) w3\n"
            "text PageText (1850,1300) \"1.5\" fill rgb(255,255,255)\n"
            "text PageText (1900,1650) \"F1\" fill rgb(255,255,255)\n");
}

TEST(PrintedPlan, WideGridTurnsTheSheetAndPrintsEverySpacing) {
  Project p;
  int32_t xs[] = {0, 6000, 24000}, zs[] = {0, 4500, 12000};
  for (int k = 0; k < 3; ++k) {
    p.GridLineX[k + 1] = xs[k];
    p.GridLineZ[k + 1] = zs[k];
  }
  p.GridLineX[0] = p.GridLineZ[0] = 3;
  PageFrame f;
  std::string d = pageDump(p, &f);
  EXPECT_DOUBLE_EQ(f.W, 28000);
  EXPECT_DOUBLE_EQ(f.H, 16000);
  EXPECT_NEAR(f.r, 0.5714, 1e-4);
  EXPECT_EQ(f.orientation, Orientation::Landscape);
  EXPECT_DOUBLE_EQ(f.scale.right, 28000);
  EXPECT_DOUBLE_EQ(f.scale.bottom, 28000 / kA3PortraitRatio);
  // Z spacings upright near the left border, X spacings along the top, each left of its midpoint by tw.
  EXPECT_EQ(linesWith(d, "PageText"),
            "text PageText (250,4150) \"4500\" vertical fill rgb(255,255,255)\n"
            "text PageText (250,10150) \"7500\" vertical fill rgb(255,255,255)\n"
            "text PageText (4700,50) \"6000\" fill rgb(255,255,255)\n"
            "text PageText (16700,50) \"18000\" fill rgb(255,255,255)\n");

  // A plan taller than the sheet's ratio: the height governs.
  p.GridLineZ[3] = 60000;
  pageDump(p, &f);
  EXPECT_EQ(f.orientation, Orientation::Portrait);
  EXPECT_DOUBLE_EQ(f.scale.bottom, 64000);
  EXPECT_DOUBLE_EQ(f.scale.right, 64000 / kA3PortraitRatio);
}

TEST(PrintedPlan, HandResizedAndDisabledFootingsAreMarkedRWithTheirWidthUpright) {
  Project p;
  testproj::addFooting(p, 4, 0, 0, 1.5f, -1, FootingKind::Isolated, 3);
  testproj::addFooting(p, 5, 6000, 0, 2.0f, 1.6f, FootingKind::HandResized, 2);
  testproj::addFooting(p, 6, 12000, 0, 1.2f, -1, FootingKind::Disabled, 1);
  testproj::addFooting(p, 7, 18000, 0, 1.4f, 1.05f, FootingKind::HandResized, 3);  // narrow: its figures move to stay clear
  testproj::finish(p);
  std::string d = pageDump(p);
  EXPECT_EQ(linesWith(d, "PageText"),
            "text PageText (4700,50) \"6000\" fill rgb(255,255,255)\n"
            "text PageText (10700,50) \"6000\" fill rgb(255,255,255)\n"
            "text PageText (16700,50) \"6000\" fill rgb(255,255,255)\n"
            "text PageText (1850,2150) \"(4)\" fill rgb(255,255,255)\n"
            "text PageText (1850,1300) \"1.5\" fill rgb(255,255,255)\n"
            "text PageText (1900,1650) \"F3\" fill rgb(255,255,255)\n"
            "text PageText (7850,2150) \"(5)\" fill rgb(255,255,255)\n"
            "text PageText (7950,1250) \"2\" fill rgb(255,255,255)\n"
            "text PageText (7200,2550) \"1.6\" vertical fill rgb(255,255,255)\n"
            "text PageText (7900,1650) \"R2\" fill rgb(255,255,255)\n"
            "text PageText (13850,2150) \"(6)\" fill rgb(255,255,255)\n"
            "text PageText (13850,1450) \"1.2\" fill rgb(255,255,255)\n"
            "text PageText (13600,2550) \"1.2\" vertical fill rgb(255,255,255)\n"
            "text PageText (13900,1650) \"R1\" fill rgb(255,255,255)\n"
            "text PageText (19850,2150) \"(7)\" fill rgb(255,255,255)\n"
            "text PageText (19850,1250) \"1.4\" fill rgb(255,255,255)\n"  // above the footing
            "text PageText (19500,2500) \"1.05\" vertical fill rgb(255,255,255)\n"  // clear of the lower edge
            "text PageText (19900,1650) \"R3\" fill rgb(255,255,255)\n");
}

TEST(PrintedPlan, CombinedFootingsCarryDimensionsCantileversAndDistance) {
  // Along Z: columns at (0, 0) and (0, 3000); cantilevers 0.7 and 0.5 m.
  Project p;
  testproj::addFooting(p, 1, 0, 0, 1.5f);
  testproj::addFooting(p, 2, 0, 3000, 1.5f);
  testproj::finish(p);
  testproj::addCombined(p, 1, 2, 0, -750, -700, 750, 3500, 4.2f, 1.5f, 0.7f, 0.5f, 3000);
  std::string d = pageDump(p);
  // The members show only their column mark and joint number.
  EXPECT_EQ(linesWith(d, "FootingOutline"), "");
  EXPECT_EQ(linesWith(d, "ColumnMark").size() > 0, true);
  EXPECT_EQ(linesWith(d, "combined:1"), "box CombinedOutline combined:1 (1250,1300)-(2750,5500) w3\n");
  EXPECT_EQ(linesWith(d, "PageText"),
            "text PageText (250,3400) \"3000\" vertical fill rgb(255,255,255)\n"
            "text PageText (1850,2150) \"(1)\" fill rgb(255,255,255)\n"
            "text PageText (1850,5150) \"(2)\" fill rgb(255,255,255)\n"
            "text PageText (2550,3850) \"CF- 1\" vertical fill rgb(255,255,255)\n"
            "text PageText (1250,3550) \"4.2\" vertical fill rgb(255,255,255)\n"
            "text PageText (2000,1300) \"1.5\" fill rgb(255,255,255)\n"
            "text PageText (2775,1550) \"700\" fill rgb(255,255,255)\n"  // 0.7 m is 700 mm, not 699
            "text PageText (2775,5150) \"500\" fill rgb(255,255,255)\n"
            "text PageText (1800,3400) \"3000\" fill rgb(255,255,255)\n");

  // Along X: columns at (0, 0) and (2500, 0).
  Project q;
  testproj::addFooting(q, 1, 0, 0, 1.5f);
  testproj::addFooting(q, 2, 2500, 0, 1.5f);
  testproj::finish(q);
  testproj::addCombined(q, 1, 2, 1, -500, -600, 3000, 600, 3.5f, 1.2f, 0.5f, 0.5f, 2500);
  d = pageDump(q);
  // The width stands outside the left end, the cantilevers above the footing over their spans.
  EXPECT_EQ(linesWith(d, "PageText"),
            "text PageText (2950,50) \"2500\" fill rgb(255,255,255)\n"
            "text PageText (1850,2150) \"(1)\" fill rgb(255,255,255)\n"
            "text PageText (4350,2150) \"(2)\" fill rgb(255,255,255)\n"
            "text PageText (3000,2400) \"CF- 1\" fill rgb(255,255,255)\n"
            "text PageText (3250,1400) \"3.5\" fill rgb(255,255,255)\n"
            "text PageText (1275,2150) \"1.2\" vertical fill rgb(255,255,255)\n"
            "text PageText (1600,1175) \"500\" fill rgb(255,255,255)\n"
            "text PageText (4600,1175) \"500\" fill rgb(255,255,255)\n"
            "text PageText (3050,2000) \"2500\" fill rgb(255,255,255)\n");
}

TEST(PrintedPlan, SmallFootingsPrintTheirSizeAboveAndSetTheRoomForText) {
  Project p;
  testproj::addFooting(p, 1, 0, 0, 0.5f);  // half side 250: size and mark cannot both fit inside
  testproj::addFooting(p, 2, 6000, 0, 1.5f);
  testproj::addFooting(p, 3, 12000, 0, 1.6f);
  testproj::addFooting(p, 4, 18000, 0, 1.5f);
  testproj::finish(p);
  std::string d = pageDump(p);
  EXPECT_NE(d.find("text PageText (1850,1525) \"0.5\" fill rgb(255,255,255)\n"), std::string::npos);  // above the top edge
  EXPECT_NE(d.find("text PageText (7850,1300) \"1.5\" fill rgb(255,255,255)\n"), std::string::npos);  // inside as usual
  // The median footing (1.5 m) sets the room: (750 - 200) / 2.
  EXPECT_DOUBLE_EQ(roomForText(p), 275);
  // A narrow combined footing along X needs room for three figures stacked across its width.
  testproj::addCombined(p, 2, 3, 1, 5000, -450, 13000, 450, 8.0f, 0.9f, 0.5f, 0.5f, 6000);
  EXPECT_NEAR(roomForText(p), 900 / 3.5, 1e-3);
  Project empty;
  EXPECT_TRUE(std::isinf(roomForText(empty)));
}

TEST(PrintedPlan, DrawingStaysInsideItsBorderWhenTheGridDoesNotStartAtZero) {
  Project p;
  testproj::addFooting(p, 1, -6000, -3000, 1.5f);
  testproj::addFooting(p, 2, 6000, 3000, 1.5f);
  testproj::finish(p);
  PageFrame f;
  std::string d = pageDump(p, &f);
  EXPECT_DOUBLE_EQ(f.W, 16000);
  EXPECT_DOUBLE_EQ(f.H, 10000);
  EXPECT_DOUBLE_EQ(f.scale.left, -2000);
  EXPECT_DOUBLE_EQ(f.scale.top, -2000);
  // The first grid lines lie 2000 inside the drawing, the last 2000 before its far edge.
  EXPECT_EQ(linesWith(d, "PageGrid"),
            "line PageGrid (0,2000)-(16000,2000) dashdotdot\n"
            "line PageGrid (0,8000)-(16000,8000) dashdotdot\n"
            "line PageGrid (2000,0)-(2000,10000) dashdotdot\n"
            "line PageGrid (14000,0)-(14000,10000) dashdotdot\n");
  EXPECT_NE(d.find("box FootingOutline footing:1 (1250,1250)-(2750,2750) w3"), std::string::npos);
  EXPECT_NE(d.find("box FootingOutline footing:2 (13250,7250)-(14750,8750) w3"), std::string::npos);
}
