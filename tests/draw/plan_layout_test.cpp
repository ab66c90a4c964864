// The main plan: fit, label texts, outlines and Draw fields, grid, required sizes and clash marks.
#include "draw/plan_layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "test_projects.h"

using namespace plintova;
using namespace plintova::draw;

namespace {

std::string dumpRole(const std::vector<Primitive>& list, Role role) {
  std::string s;
  for (const auto& p : list)
    if (p.role == role) s += dump(p) + "\n";
  return s;
}

// Two isolated footings (one no-tension, one disabled) and a combined footing over footings 3 and 4.
Project mixedPlan() {
  Project p;
  int a = testproj::addFooting(p, 11, 0, 0, 1.5f, -1, FootingKind::Isolated, 2);
  p.FootingTable[a].NoTension = true;
  testproj::addFooting(p, 12, 6000, 0, 1.2f, -1, FootingKind::Disabled, 1);
  testproj::addFooting(p, 13, 0, 4000, 1.5f);
  testproj::addFooting(p, 14, 0, 6000, 1.5f);
  testproj::finish(p);
  testproj::addCombined(p, 3, 4, 0, -700, 3500, 700, 6500, 3.0f, 1.4f, 0.5f, 0.5f, 2000);
  return p;
}

}  // namespace

TEST(PlanFit, AddsTheMarginAndEqualBandsOnTheShortSide) {
  Project p;
  // One column line along Z: the margin alone gives the plan its width.
  testproj::addFooting(p, 1, 0, 0, 1);
  testproj::addFooting(p, 2, 0, 6000, 1);
  testproj::finish(p);
  Rect r = fitPlan(p, 1600, 1000);  // W 4000, H 10000: the height fills the picture
  EXPECT_DOUBLE_EQ(r.top, -2000);
  EXPECT_DOUBLE_EQ(r.bottom, 8000);
  EXPECT_DOUBLE_EQ(r.left, -8000);
  EXPECT_DOUBLE_EQ(r.right, 8000);

  // A picture taller than the plan: the width fills it, bands above and below.
  r = fitPlan(p, 100, 1000);
  EXPECT_DOUBLE_EQ(r.left, -2000);
  EXPECT_DOUBLE_EQ(r.right, 2000);
  EXPECT_DOUBLE_EQ(r.top, -2000 - 15000);
  EXPECT_DOUBLE_EQ(r.bottom, 8000 + 15000);
  EXPECT_NEAR((r.bottom - r.top) / (r.right - r.left), 10.0, 1e-12);

  // A picture without area yet gets the plan itself; an empty structure still gets a 4000 mm square.
  r = fitPlan(p, 0, 0);
  EXPECT_DOUBLE_EQ(r.left, -2000);
  EXPECT_DOUBLE_EQ(r.bottom, 8000);
  Project empty;
  r = fitPlan(empty, 400, 400);
  EXPECT_DOUBLE_EQ(r.right - r.left, 4000);
  EXPECT_DOUBLE_EQ(r.bottom - r.top, 4000);
}

TEST(PlanLabels, TextFollowsTheFirstTickedOptionAndKeepsItsTextWhenNoneIsTicked) {
  FootingRecord f;
  f.JointNo = 12;
  f.GroupRank = 3;
  f.SizeL = 1.55f;
  f.SizeB = 2.1f;
  PlanOptions size{true, false, false}, fnos{false, true, false}, grp{false, false, true}, none{false, false, false};

  f.Kind = FootingKind::Isolated;
  EXPECT_EQ(footingLabelText(f, size, "x"), "1.55");
  EXPECT_EQ(footingLabelText(f, fnos, "x"), "12");
  EXPECT_EQ(footingLabelText(f, grp, "x"), "F3");
  EXPECT_EQ(footingLabelText(f, none, "old"), "old");
  // "Size" wins over the other two.
  EXPECT_EQ(footingLabelText(f, PlanOptions{true, true, true}, "x"), "1.55");

  f.Kind = FootingKind::HandResized;
  EXPECT_EQ(footingLabelText(f, size, "x"), "1.55\r2.1");
  EXPECT_EQ(footingLabelText(f, grp, "x"), "R3");
  f.Kind = FootingKind::Disabled;
  EXPECT_EQ(footingLabelText(f, fnos, "x"), "(12)");  // still something to click to enable it
  EXPECT_EQ(footingLabelText(f, grp, "x"), "D");
  setCombined(f, 4);
  EXPECT_EQ(footingLabelText(f, fnos, "x"), "12");
  EXPECT_EQ(footingLabelText(f, grp, "x"), "C4");
}

TEST(PlanDrawing, OutlinesCombinedFootingsGridAndLabels) {
  const Project p = mixedPlan();
  std::vector<std::string> labels;
  PlanOptions options;  // "Group No's" and "Grid Lines"
  auto list = drawPlan(p, options, Rect{-3000, -2500, 9000, 8500}, 100, labels);
  EXPECT_EQ(dump(list),
            "line GridLine (-3000,0)-(9000,0) dashdot rgb(120,120,120)\n"
            "line GridLine (-3000,4000)-(9000,4000) dashdot rgb(120,120,120)\n"
            "line GridLine (-3000,6000)-(9000,6000) dashdot rgb(120,120,120)\n"
            "line GridLine (0,-2500)-(0,8500) dashdot rgb(120,120,120)\n"
            "line GridLine (6000,-2500)-(6000,8500) dashdot rgb(120,120,120)\n"
            "box FootingOutline footing:1 (-750,-750)-(750,750)\n"
            "box FootingOutline footing:2 (5400,-600)-(6600,600)\n"
            "box CombinedOutline combined:1 (-700,3500)-(700,6500) w2\n"
            "text FootingLabel footing:1 (-100,-100) \"F2\" bold rgb(255,0,0) fill rgb(255,255,255)\n"
            "text FootingLabel footing:2 (5900,-100) \"D\" rgb(128,128,128) fill rgb(255,255,255)\n"
            "text FootingLabel footing:3 (-100,3900) \"C1\" fill rgb(255,255,255)\n"
            "text FootingLabel footing:4 (-100,5900) \"C1\" fill rgb(255,255,255)\n");
  ASSERT_EQ(labels.size(), 5u);

  // "Footing No's": the disabled footing's label is blank. Then with nothing ticked the labels keep
  // those texts, and unticking "Grid Lines" removes the grid.
  options = PlanOptions{false, true, false, true};
  drawPlan(p, options, Rect{-3000, -2500, 9000, 8500}, 100, labels);
  options = PlanOptions{false, false, false, false};
  list = drawPlan(p, options, Rect{-3000, -2500, 9000, 8500}, 100, labels);
  EXPECT_EQ(dumpRole(list, Role::GridLine), "");
  EXPECT_EQ(dumpRole(list, Role::FootingLabel),
            "text FootingLabel footing:1 (-100,-100) \"11\" bold rgb(255,0,0) fill rgb(255,255,255)\n"
            "text FootingLabel footing:2 (5900,-100) \"(12)\" rgb(128,128,128) fill rgb(255,255,255)\n"
            "text FootingLabel footing:3 (-100,3900) \"13\" fill rgb(255,255,255)\n"
            "text FootingLabel footing:4 (-100,5900) \"14\" fill rgb(255,255,255)\n");

  options.size = true;
  list = drawPlan(p, options, Rect{}, 100, labels);
  EXPECT_EQ(labels[1], "1.5");
  EXPECT_EQ(labels[2], "1.2\r1.2");
  EXPECT_EQ(labels[3], "1.4\r3");

}

TEST(PlanDrawing, ActualSizesShowTheRequiredSizeOfFreeFootings) {
  Project p = mixedPlan();
  int r = testproj::addFooting(p, 15, 9000, 0, 2.0f, 1.6f, FootingKind::HandResized, 1);
  p.FootingTable[r].ReqSize = 1.8f;
  PlanOptions options{false, false, true, false, false, true};
  std::vector<std::string> labels;
  auto list = drawPlan(p, options, Rect{}, 100, labels);
  // Not for the disabled footing nor for the combined members.
  EXPECT_EQ(dumpRole(list, Role::RequiredSize),
            "box RequiredSize footing:1 (-750,-750)-(750,750) dash rgb(0,140,0)\n"
            "box RequiredSize footing:5 (8100,-900)-(9900,900) dash rgb(0,140,0)\n");
}

TEST(PlanGap, MarksPairsThatOverlapOrStandCloserThan150) {
  Project p;
  testproj::addFooting(p, 1, 0, 0, 1.0f);        // -500..500
  testproj::addFooting(p, 2, 1100, 0, 1.0f);     // 600..1600: 100 clear of 1 -> clash
  testproj::addFooting(p, 3, 2750, 0, 1.0f);     // 2250..3250: exactly 650 clear of 2 -> no
  testproj::addFooting(p, 4, 3850, 0, 1.0f);     // 3350..4350: exactly 100 clear of 3 -> clash
  testproj::addFooting(p, 5, 5000, 5000, 1.0f);  // diagonal to 6: 100 and 120 apart -> 156 -> no
  testproj::addFooting(p, 6, 6100, 6120, 1.0f);
  testproj::addFooting(p, 7, 4200, 4200, 1.0f, -1, FootingKind::Disabled);  // disabled: overlaps 5, not counted
  testproj::addFooting(p, 8, 9000, 9000, 1.0f);
  testproj::addFooting(p, 9, 9000, 10500, 1.0f);  // member of combined 1 below
  testproj::addFooting(p, 10, 9000, 12000, 1.0f);
  testproj::finish(p);
  // Combined over 9 and 10 stands 140 clear of footing 8 -> clash with the combined footing.
  testproj::addCombined(p, 9, 10, 0, 8500, 9640, 9500, 12500, 2.86f, 1.0f, 0.5f, 0.5f, 1500);
  // Exactly 150 clear is no clash.
  testproj::addFooting(p, 11, 20000, 0, 1.0f);
  testproj::addFooting(p, 12, 21150, 0, 1.0f);

  auto pairs = findGapPairs(p);
  std::string got;
  for (auto& g : pairs)
    got += std::to_string(static_cast<int>(g.a.kind)) + ":" + std::to_string(g.a.index) + "-" +
           std::to_string(static_cast<int>(g.b.kind)) + ":" + std::to_string(g.b.index) + " ";
  EXPECT_EQ(got, "1:1-1:2 1:3-1:4 1:8-2:1 ");

  std::vector<std::string> labels;
  PlanOptions options{false, false, true, false, true, false};
  auto list = drawPlan(p, options, Rect{}, 100, labels);
  EXPECT_EQ(dumpRole(list, Role::GapLink),
            "line GapLink (0,0)-(1100,0) dash rgb(220,0,0)\n"
            "line GapLink (2750,0)-(3850,0) dash rgb(220,0,0)\n"
            "line GapLink (9000,9000)-(9000,11070) dash rgb(220,0,0)\n");
  EXPECT_EQ(dumpRole(list, Role::GapOutline),
            "box GapOutline footing:1 (-500,-500)-(500,500) w3 rgb(220,0,0)\n"
            "box GapOutline footing:2 (600,-500)-(1600,500) w3 rgb(220,0,0)\n"
            "box GapOutline footing:3 (2250,-500)-(3250,500) w3 rgb(220,0,0)\n"
            "box GapOutline footing:4 (3350,-500)-(4350,500) w3 rgb(220,0,0)\n"
            "box GapOutline footing:8 (8500,8500)-(9500,9500) w3 rgb(220,0,0)\n"
            "box GapOutline combined:1 (8500,9640)-(9500,12500) w3 rgb(220,0,0)\n");
}

TEST(PlanGap, SweepFindsTheSamePairsAsComparingEveryPair) {
  Project p;
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> pos(0, 60000), size(6, 30);
  for (int s = 1; s <= 500; ++s)
    testproj::addFooting(p, static_cast<int16_t>(s), pos(rng), pos(rng), static_cast<float>(size(rng)) / 10.0f);
  auto pairs = findGapPairs(p);
  std::size_t expected = 0;
  for (int i = 1; i <= 500; ++i)
    for (int j = i + 1; j <= 500; ++j) {
      const auto& a = p.FootingTable[i];
      const auto& b = p.FootingTable[j];
      double dx = std::max(0.0, std::abs(a.PosX - b.PosX) - (a.SizeL + b.SizeL) * 500.0);
      double dz = std::max(0.0, std::abs(a.PosZ - b.PosZ) - (a.SizeB + b.SizeB) * 500.0);
      if (std::hypot(dx, dz) < 150) ++expected;
    }
  EXPECT_GT(expected, 20u);
  EXPECT_EQ(pairs.size(), expected);
}

TEST(PlanSelection, SizeLabelGoesAboveTheFootingLabelUnlessThatStartsAboveZero) {
  Project p;
  int s = testproj::addFooting(p, 7, 3000, 5000, 1.55f, 1.6f);
  SelectionLabels sel = selectionLabels(p, s, 100, 2225);
  EXPECT_EQ(sel.numberText, "7");
  EXPECT_DOUBLE_EQ(sel.numberBox.x, 2900);
  EXPECT_DOUBLE_EQ(sel.numberBox.z, 4900);
  EXPECT_EQ(sel.sizeText, "1.55 X 1.6");
  EXPECT_DOUBLE_EQ(sel.sizeLabel.x, 2225);  // the outline's left edge
  EXPECT_DOUBLE_EQ(sel.sizeLabel.z, 4300);

  p.FootingTable[s].PosZ = 400;  // label top 300: 600 above would be -300
  sel = selectionLabels(p, s, 100, 2225);
  EXPECT_DOUBLE_EQ(sel.sizeLabel.z, 900);
  p.FootingTable[s].PosZ = 700;  // label top 600: exactly 0 stays above
  sel = selectionLabels(p, s, 100, 2225);
  EXPECT_DOUBLE_EQ(sel.sizeLabel.z, 0);
}
