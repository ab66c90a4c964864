// Primitives: text bounds for every alignment and rotation, and picking the object under a point.
#include "draw/primitives.h"

#include <gtest/gtest.h>

using namespace plintova::draw;

namespace {

// 100 plan units per character, 200 high, ascent 160; two lines are 400 high.
TextSize fixedSize(const Primitive& p) {
  std::size_t widest = 0;
  auto lines = textLines(p.text);
  for (auto& l : lines) widest = std::max(widest, l.size());
  return {100.0 * static_cast<double>(widest), 200.0 * static_cast<double>(lines.size()), 160};
}

void expectRect(const Rect& r, double l, double t, double rt, double b) {
  EXPECT_DOUBLE_EQ(r.left, l);
  EXPECT_DOUBLE_EQ(r.top, t);
  EXPECT_DOUBLE_EQ(r.right, rt);
  EXPECT_DOUBLE_EQ(r.bottom, b);
}

}  // namespace

TEST(TextBounds, FollowAlignmentAndTurnWithUprightText) {
  Primitive t = text(1000, 500, "F12");
  expectRect(textBounds(t, fixedSize(t)), 1000, 500, 1300, 700);
  t.halign = HAlign::Centre;
  t.valign = VAlign::Middle;
  expectRect(textBounds(t, fixedSize(t)), 850, 400, 1150, 600);
  t.halign = HAlign::Right;
  t.valign = VAlign::Baseline;
  expectRect(textBounds(t, fixedSize(t)), 700, 340, 1000, 540);

  // Reading upward from (1000, 500): the glyph tops face smaller X, the text runs towards smaller Z.
  Primitive v = text(1000, 500, "1.5");
  v.vertical = true;
  expectRect(textBounds(v, fixedSize(v)), 1000, 200, 1200, 500);
  v.halign = HAlign::Centre;
  expectRect(textBounds(v, fixedSize(v)), 1000, 350, 1200, 650);

  EXPECT_EQ(textLines("1.4\r3"), (std::vector<std::string>{"1.4", "3"}));
  EXPECT_EQ(textLines("a\r\nb\nc"), (std::vector<std::string>{"a", "b", "c"}));
}

TEST(HitTest, FindsTheTopmostObjectUnderThePoint) {
  std::vector<Primitive> list;
  list.push_back(line(-5000, 0, 5000, 0, Role::GridLine));  // no object: never picked
  list.push_back(box(-750, -750, 750, 750, Role::FootingOutline, Id::footing(1)));
  list.push_back(box(600, -500, 1600, 500, Role::FootingOutline, Id::footing(2)));
  list.push_back(text(-100, -100, "F1", HAlign::Left, VAlign::Top, Role::FootingLabel, Id::footing(1)));
  list.push_back(text(3000, 3000, "", HAlign::Left, VAlign::Top, Role::FootingLabel, Id::footing(3)));

  // A label lies on top of the outline it stands in.
  const Primitive* hit = hitTest(list, 50, 50, fixedSize);
  ASSERT_NE(hit, nullptr);
  EXPECT_EQ(hit->role, Role::FootingLabel);
  EXPECT_EQ(hit->id, Id::footing(1));
  // Where two outlines overlap, the later one is on top.
  hit = hitTest(list, 700, 0, fixedSize);
  ASSERT_NE(hit, nullptr);
  EXPECT_EQ(hit->id, Id::footing(2));
  // Only labels accepted: the outline is passed over.
  hit = hitTest(list, 700, 0, fixedSize, 0, [](const Primitive& p) { return p.role == Role::FootingLabel; });
  EXPECT_EQ(hit, nullptr);
  // A grid line is never an object; an empty label has nothing to press.
  EXPECT_EQ(hitTest(list, 3000, 0, fixedSize, 50), nullptr);
  EXPECT_EQ(hitTest(list, 3010, 3010, fixedSize), nullptr);
  // A line with an object is found within the tolerance.
  list.push_back(line(0, 2000, 1000, 2000, Role::GapLink, Id::combined(4)));
  hit = hitTest(list, 500, 2040, fixedSize, 50);
  ASSERT_NE(hit, nullptr);
  EXPECT_EQ(hit->id, Id::combined(4));
  EXPECT_EQ(hitTest(list, 500, 2060, fixedSize, 50), nullptr);
}

TEST(Dump, WritesOnlyWhatDiffersFromTheDefaults) {
  Primitive t = text(1.5, -2, "a\"b\rc", HAlign::Centre, VAlign::Baseline, Role::PageText);
  t.vertical = true;
  t.bold = true;
  t.fontSize = 7;
  EXPECT_EQ(dump(t), "text PageText (1.5,-2) \"a\\\"b\\rc\" centre baseline vertical bold 7pt");
  Primitive b = box(0, 0, 10, 10, Role::NodeMarker, Id::footing(3));
  b.filled = true;
  b.fillColour = kBlack;
  b.width = 3;
  b.style = LineStyle::DashDotDot;
  EXPECT_EQ(dump(b), "box NodeMarker footing:3 (0,0)-(10,10) w3 dashdotdot fill rgb(0,0,0)");
}
