// The footing drawing's sheets as primitives: grid names, the scale chosen, every footing at its place,
// legible texts that never overlap, a large plan split with match lines, the CAD sheet, and the typical
// sections and bar bending schedule on sheets of their own.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <utility>
#include <string>

#include "../draw/test_projects.h"
#include "../footing/plan_steps.h"
#include "design/bar_bending.h"
#include "footing/combined_footings.h"
#include "footing/derived_plan.h"
#include "footing/design_inputs.h"
#include "input/listing_reader.h"
#include "model/numbers.h"
#include "model/prompter.h"
#include "print/sheet_sections.h"
#include "project/schedule_design.h"
#include "print/sheet_flow.h"
#include "print/sheet_layout.h"
#include "print/sheet_text.h"

using namespace plintova;
using plintova::testing::combineFootings;
using draw::Primitive;
using draw::Role;
using draw::Shape;

namespace {

Project frame(int nx, int nz, int32_t sx, int32_t sz) {
  Project p;
  testproj::regularFrame(p, nx, nz, sx, sz);
  p.AnlPath = "/data/jobs/BLOCK-A.ANL";
  return p;
}

std::vector<print::Sheet> sheetsOf(const Project& p, const SheetSettings& s = {}) {
  return print::footingSheets(p, s, print::sheetFontMeasure());
}

std::vector<std::string> textsOf(const print::Sheet& sheet, Role role) {
  std::vector<std::string> out;
  for (const Primitive& q : sheet.primitives)
    if (q.shape == Shape::Text && q.role == role) out.push_back(q.text);
  return out;
}

bool hasText(const print::Sheet& sheet, const std::string& text) {
  return std::any_of(sheet.primitives.begin(), sheet.primitives.end(),
                     [&](const Primitive& q) { return q.shape == Shape::Text && q.text == text; });
}

// Every text at the smallest size or above, inside the paper, and clear of every other text.
void expectLegible(const print::Sheet& sheet, const std::string& what) {
  const draw::TextMeasure measure = print::sheetFontMeasure();
  std::vector<std::pair<draw::Rect, std::string>> boxes;
  for (const Primitive& q : sheet.primitives) {
    if (q.shape != Shape::Text || q.text.empty()) continue;
    EXPECT_GE(q.fontSize, print::kSmallestText) << what << ": " << q.text;
    const draw::Rect r = print::textRect(q, measure);
    EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= sheet.paper.width && r.bottom <= sheet.paper.height)
        << what << ": " << q.text << " off the paper";
    boxes.push_back({r, q.text});
  }
  for (std::size_t i = 0; i < boxes.size(); ++i)
    for (std::size_t j = i + 1; j < boxes.size(); ++j)
      EXPECT_FALSE(print::overlaps(boxes[i].first, boxes[j].first, -0.05))
          << what << ": \"" << boxes[i].second << "\" over \"" << boxes[j].second << "\"";
}

// The footing outlines of a sheet by footing index.
std::map<int, const Primitive*> outlinesOf(const print::Sheet& sheet) {
  std::map<int, const Primitive*> out;
  for (const Primitive& q : sheet.primitives)
    if (q.role == Role::FootingOutline || q.role == Role::CombinedOutline)
      out[q.role == Role::CombinedOutline ? -q.id.index : q.id.index] = &q;
  return out;
}

}  // namespace

TEST(SheetGridNames, NumbersAndLettersWithoutIAndO) {
  EXPECT_EQ(print::gridNumberName(1), "1");
  EXPECT_EQ(print::gridNumberName(12), "12");
  const std::vector<std::pair<int, std::string>> letters{
      {1, "A"}, {8, "H"}, {9, "J"}, {13, "N"}, {14, "P"}, {24, "Z"}, {25, "AA"}, {26, "AB"}, {32, "AH"}, {33, "AJ"},
      {48, "AZ"}, {49, "BA"}, {24 + 24 * 24, "ZZ"}, {25 + 24 * 24, "AAA"}};
  for (const auto& [k, name] : letters) EXPECT_EQ(print::gridLetterName(k), name) << k;
  std::set<std::string> seen;
  for (int k = 1; k <= 700; ++k) {
    const std::string name = print::gridLetterName(k);
    EXPECT_EQ(name.find_first_of("IO"), std::string::npos) << name;
    EXPECT_TRUE(seen.insert(name).second) << name << " twice";
  }
}

TEST(SheetLayout, TheLargestStandardScaleThatFitsAndFootingsAtTheirPlace) {
  // Larger plans never get a larger scale; a small one is drawn at 1:50, a long one at a small scale.
  int previous = 0;
  for (int n : {2, 3, 5, 8, 12, 20}) {
    const Project p = frame(n, 2, 5000, 4000);
    const std::vector<print::Sheet> sheets = sheetsOf(p);
    ASSERT_EQ(sheets.size(), 1u) << n;
    const print::Sheet& s = sheets.front();
    EXPECT_NE(std::find(print::kStandardScales.begin(), print::kStandardScales.end(), s.scale),
              print::kStandardScales.end());
    EXPECT_GE(s.scale, previous) << n;
    previous = s.scale;
    EXPECT_TRUE(hasText(s, "SCALE 1:" + std::to_string(s.scale))) << n;
    EXPECT_TRUE(hasText(s, "1:" + std::to_string(s.scale) + " (A3)")) << n;
    if (n == 2) {
      EXPECT_EQ(s.scale, 50);
    }
    if (n == 20) {
      EXPECT_GE(s.scale, 300);
    }

    // Every footing at paper = origin + plan / scale, inside the frame, and clear of the schedule and notes.
    const auto outlines = outlinesOf(s);
    ASSERT_EQ(outlines.size(), static_cast<std::size_t>(p.FootingCount));
    std::vector<draw::Rect> blocks;
    for (const Primitive& q : s.primitives)
      if (q.shape == Shape::Text && (q.role == Role::Schedule || q.role == Role::Notes))
        blocks.push_back(print::textRect(q, print::sheetFontMeasure()));
    for (int k = 1; k <= p.FootingCount; ++k) {
      const FootingRecord& f = p.FootingTable[k];
      const Primitive& box = *outlines.at(k);
      EXPECT_NEAR((box.x1 + box.x2) / 2, s.paperX(f.PosX), 1e-6);
      EXPECT_NEAR((box.z1 + box.z2) / 2, s.paperZ(f.PosZ), 1e-6);
      EXPECT_NEAR(std::fabs(box.x2 - box.x1), f.SizeL * 1000 / s.scale, 1e-3);
      EXPECT_GT(std::min(box.x1, box.x2), 20);
      EXPECT_LT(std::max(box.z1, box.z2), s.paper.height - 10);
      const draw::Rect r{std::min(box.x1, box.x2), std::min(box.z1, box.z2), std::max(box.x1, box.x2),
                         std::max(box.z1, box.z2)};
      for (const draw::Rect& b : blocks) EXPECT_FALSE(print::overlaps(r, b)) << "frame of " << n << ", footing " << k;
    }
    expectLegible(s, "frame of " + std::to_string(n));
  }
}

TEST(SheetLayout, TitleBlockNotesAndPaperFromTheSettings) {
  Project p = frame(4, 3, 6000, 4500);
  p.FootingTable[5].Kind = FootingKind::Disabled;  // disabled: left out of the drawing
  SheetSettings s;
  s.project = "A VERY LONG PROJECT NAME FOR THE NEW OFFICE AND WAREHOUSE BUILDING OF THE COOPERATIVE SOCIETY AT PLOT 17";
  s.number = "S-101";
  s.revision = "C";
  s.date = "08.12.2026";
  s.drawnBy = "KMR";
  s.checkedBy = "PSV";
  for (const char* paper : {"A3", "A2", "A1"}) {
    s.paper = paper;
    const std::vector<print::Sheet> sheets = sheetsOf(p, s);
    ASSERT_EQ(sheets.size(), 1u);
    const print::Sheet& sheet = sheets.front();
    EXPECT_EQ(sheet.paper.name, paper);
    EXPECT_GT(sheet.paper.width, sheet.paper.height);  // landscape
    const std::vector<std::string> title = textsOf(sheet, Role::TitleBlock);
    for (const char* field : {"S-101", "C", "08.12.2026", "KMR", "PSV", "1 OF 1", "FOOTING LAYOUT AND SCHEDULE"})
      EXPECT_NE(std::find(title.begin(), title.end(), field), title.end()) << paper << " " << field;
    bool listing = false, project = false;
    for (const std::string& t : title) {
      listing = listing || t.find("BLOCK-A.ANL") != std::string::npos;
      project = project || t.rfind("A VERY LONG PROJECT", 0) == 0;
    }
    EXPECT_TRUE(listing && project) << paper;
    EXPECT_EQ(outlinesOf(sheet).count(5), 0u) << "a disabled footing is not drawn";
    expectLegible(sheet, paper);
  }
  // Larger paper, larger scale (or the same).
  s.paper = "A3";
  const int a3 = sheetsOf(p, s).front().scale;
  s.paper = "A1";
  EXPECT_LE(sheetsOf(p, s).front().scale, a3);
}

TEST(SheetLayout, APlanTooLargeAtOneToFiveHundredIsSplitWithMatchLines) {
  // 60 bays of 6 m: 360 m, far more than an A3 sheet holds at 1:500.
  const Project p = frame(61, 3, 6000, 6000);
  const std::vector<print::Sheet> sheets = sheetsOf(p);
  ASSERT_GE(sheets.size(), 2u);
  const int count = static_cast<int>(sheets.size());
  const int parts = static_cast<int>(std::count_if(sheets.begin(), sheets.end(), [](const print::Sheet& s) {
    return s.kind == print::Sheet::Kind::Plan;
  }));
  std::map<int, int> drawn;  // footing index: times drawn
  for (const print::Sheet& s : sheets) {
    SCOPED_TRACE("sheet " + std::to_string(s.number));
    EXPECT_EQ(s.count, count);
    // One scale on every sheet: the largest that needs no more sheets than 1:500 does.
    EXPECT_EQ(s.scale, sheets.front().scale);
    EXPECT_GE(s.scale, 300);
    EXPECT_TRUE(hasText(s, std::to_string(s.number) + " OF " + std::to_string(count)));
    if (s.kind != print::Sheet::Kind::Plan) continue;
    for (const auto& [k, box] : outlinesOf(s)) {
      ++drawn[k];
      EXPECT_GT(std::min(box->x1, box->x2), 20);
      EXPECT_LT(std::max(box->x1, box->x2), s.paper.width - 10);
    }
    // The match lines name the sheets on either side.
    int matches = 0;
    for (const std::string& t : textsOf(s, Role::SheetGrid)) {
      if (t.rfind("MATCH LINE - SEE SHEET ", 0) != 0) continue;
      ++matches;
      const int other = std::stoi(t.substr(23));
      EXPECT_TRUE(other == s.number - 1 || other == s.number + 1) << t;
    }
    EXPECT_EQ(matches, (s.number > 1) + (s.number < parts)) << "match lines";
    expectLegible(s, "split sheet " + std::to_string(s.number));
  }
  EXPECT_EQ(drawn.size(), static_cast<std::size_t>(p.FootingCount));
  for (const auto& [k, times] : drawn) EXPECT_EQ(times, 1) << "footing " << k;
  // Grid lines keep their names across the sheets: the last sheet ends with line 61.
  EXPECT_TRUE(hasText(sheets[static_cast<std::size_t>(parts - 1)], "61"));
  EXPECT_TRUE(hasText(sheets.front(), "FOOTING LAYOUT PLAN - PART 1 OF " + std::to_string(parts)));

  // For CAD the plan is never split: every footing at its true place, no title block.
  const print::Sheet cad = print::cadPlan(p, {}, print::sheetFontMeasure());
  EXPECT_EQ(cad.scale, sheets.front().scale);
  const auto outlines = outlinesOf(cad);
  EXPECT_EQ(outlines.size(), static_cast<std::size_t>(p.FootingCount));
  const FootingRecord& last = p.FootingTable[p.FootingCount];
  const Primitive& box = *outlines.at(p.FootingCount);
  EXPECT_NEAR(((box.x1 + box.x2) / 2 - cad.originX) * cad.scale, last.PosX, 1e-6);
  EXPECT_NEAR(((box.z1 + box.z2) / 2 - cad.originZ) * cad.scale, last.PosZ, 1e-6);
  EXPECT_FALSE(hasText(cad, "MATCH LINE - SEE SHEET 2"));
  EXPECT_TRUE(textsOf(cad, Role::TitleBlock).empty());
}

TEST(SheetLayout, ATallPlanIsSplitAcrossItsRowsToo) {
  // 40 rows of 6 m down the sheet: the parts are stacked, and their match lines run across.
  const Project p = frame(3, 41, 6000, 6000);
  const std::vector<print::Sheet> sheets = sheetsOf(p);
  ASSERT_GE(sheets.size(), 2u);
  EXPECT_TRUE(hasText(sheets.front(), "MATCH LINE - SEE SHEET 2"));
  EXPECT_TRUE(hasText(sheets[1], "MATCH LINE - SEE SHEET 1"));
  // Row 41 is lettered after Z (24 letters, then AA, AB, ... AS), on the last plan sheet.
  bool named = false;
  for (const print::Sheet& s : sheets) named = named || hasText(s, "AS");
  EXPECT_TRUE(named);
  for (const print::Sheet& s : sheets) expectLegible(s, "tall sheet " + std::to_string(s.number));
}

namespace {

// The value a dimension's figure states, and what it measures on the sheet (plan mm).
double measured(const print::Sheet& s, const Primitive& d) {
  return std::fabs(d.vertical ? d.z2 - d.z1 : d.x2 - d.x1) * s.scale;
}

// Every mark of the sheet stands nearer its own footing than any other or is joined to it by a leader,
// and clear of every other mark.
void expectMarksWithTheirFootings(const print::Sheet& sheet, const std::string& what) {
  const draw::TextMeasure measure = print::sheetFontMeasure();
  std::vector<std::pair<draw::Id, draw::Rect>> outlines, marks, leaders;
  for (const Primitive& q : sheet.primitives) {
    const draw::Rect r{std::min(q.x1, q.x2), std::min(q.z1, q.z2), std::max(q.x1, q.x2), std::max(q.z1, q.z2)};
    if (q.role == Role::FootingOutline || q.role == Role::CombinedOutline) outlines.push_back({q.id, r});
    if (q.role == Role::FootingMark) (q.shape == Shape::Text ? marks : leaders).push_back({q.id, q.shape == Shape::Text ? print::textRect(q, measure) : r});
  }
  for (const auto& [id, rect] : marks) {
    double own = 1e9, other = 1e9;
    for (const auto& [oid, o] : outlines) (oid == id ? own : other) = std::min(oid == id ? own : other, print::distance(rect, o));
    const bool led = std::any_of(leaders.begin(), leaders.end(), [&](const auto& l) {
      return l.first == id && print::distance(l.second, rect) < 1e-6;
    });
    EXPECT_TRUE(own < other || led) << what << ": mark of footing " << id.index << " nearer another footing";
  }
  for (std::size_t i = 0; i < marks.size(); ++i)
    for (std::size_t j = i + 1; j < marks.size(); ++j)
      EXPECT_FALSE(print::overlaps(marks[i].second, marks[j].second, 0.2)) << what << ": two marks touch";
}

}  // namespace

TEST(SheetLegibility, ADensePlanIsDrawnAtAScaleWhereEveryMarkKeepsToItsFooting) {
  // 25 x 20 columns 4.5 m by 5.25 m apart under footings of 2.4 to 3.3 m, as the capacity listing has them.
  Project p = frame(25, 20, 4500, 5250);
  for (int s = 1; s <= p.FootingCount; ++s) p.FootingTable[s].SizeL = p.FootingTable[s].SizeB = 2.4f + 0.3f * static_cast<float>(s % 4);
  const std::vector<print::Sheet> sheets = sheetsOf(p);
  ASSERT_GE(sheets.size(), 2u);
  EXPECT_LT(sheets.front().scale, 500) << "at 1:500 the marks cannot stay with their footings";
  for (const print::Sheet& s : sheets) {
    if (s.kind != print::Sheet::Kind::Plan) continue;
    expectMarksWithTheirFootings(s, "sheet " + std::to_string(s.number));
    expectLegible(s, "dense sheet " + std::to_string(s.number));
  }
}

TEST(SheetLegibility, DimensionChainsAddUpAcrossTheMatchLines) {
  const Project p = frame(61, 3, 6000, 6000);  // 360 m: split across several sheets
  const std::vector<print::Sheet> sheets = sheetsOf(p);
  double chain = 0;
  int figures = 0;
  for (const print::Sheet& s : sheets) {
    // The chain along X is the dimension line nearest the plan on the top side.
    double line = -1e9;
    for (const Primitive& q : s.primitives)
      if (q.shape == Shape::Dimension && !q.vertical) line = std::max(line, q.dimensionLine);
    for (const Primitive& q : s.primitives) {
      if (q.shape != Shape::Dimension || q.vertical || q.dimensionLine != line) continue;
      EXPECT_EQ(std::stod(q.text), std::round(measured(s, q))) << "sheet " << s.number << ": " << q.text;
      chain += std::stod(q.text);
      ++figures;
    }
  }
  EXPECT_EQ(chain, 360000);  // every bay once, a bay cut by a match line in two parts that add up
  EXPECT_GT(figures, 60);
}

TEST(SheetSettingOut, FootingsOffTheirColumnsAreDimensionedFromTheGridAndTheScheduleJointsNamed) {
  Project p;
  testproj::regularFrame(p, 3, 3, 6000, 5000);
  p.AnlPath = "/data/jobs/BLOCK-A.ANL";
  // Footing 1 moved 300 mm along X off its column; footing 5 made 2.4 x 1.6 m by hand and moved 400 mm
  // along Z; 7 and 8 combined along X (7.2 x 1.8 m round their 6 m span); footing 9 disabled.
  p.FootingTable[1].PosX += 300;
  FootingRecord& r = p.FootingTable[5];
  r.Kind = FootingKind::HandResized, r.SizeL = 2.4f, r.SizeB = 1.6f, r.GroupRank = 1, r.PosZ += 400;
  testproj::addCombined(p, 7, 8, 1, -600, 9100, 6600, 10900, 7.2f, 1.8f, 0.6f, 0.6f, 6000);
  p.FootingTable[9].Kind = FootingKind::Disabled;
  const print::Sheet s = sheetsOf(p).front();
  std::multiset<std::string> figures;
  for (const Primitive& q : s.primitives)
    if (q.shape == Shape::Dimension) figures.insert(q.text);
  // Footing 1 (1.2 m): its edges 300 - 600 and 300 + 600 mm from grid line 1, which it straddles.
  EXPECT_GE(figures.count("300"), 1u);
  EXPECT_GE(figures.count("900"), 1u);
  // Footing 5, centred on grid line 2 along X (no setting out there), runs from 400 mm past line B to
  // 1200 mm past it along Z.
  EXPECT_GE(figures.count("400"), 1u);
  EXPECT_GE(figures.count("1200"), 1u);
  // The combined footing runs 600 mm past grid lines 1 and 2 and 900 mm either side of line C.
  EXPECT_GE(figures.count("600"), 2u);
  for (const char* joint : {"(5)", "(7)", "(8)", "(9)"}) EXPECT_TRUE(hasText(s, joint)) << joint;
  // The disabled footing's column is still drawn where it stands.
  bool column = false;
  for (const Primitive& q : s.primitives)
    column = column || (q.role == Role::Column && std::fabs((q.x1 + q.x2) / 2 - s.paperX(12000)) < 2 &&
                        std::fabs((q.z1 + q.z2) / 2 - s.paperZ(10000)) < 2);
  EXPECT_TRUE(column);
  expectLegible(s, "set-out sheet");
}

TEST(SheetFlow, ABlockGoesOnOverColumnsAndSheetsAndNoSheetHoldsOneRowAlone) {
  print::SheetBlock b;
  b.width = 50;
  b.head = 10;
  b.rows.assign(16, 10);
  // Sheet one holds five rows (with room to say where the rest goes on), a later sheet ten.
  const std::vector<draw::Rect> first{{0, 0, 60, 66}}, later{{0, 0, 60, 116}};
  const print::BlockFlow flow = print::flowBlocks({b}, first, later);
  ASSERT_EQ(flow.sheets.size(), 3u);
  auto rows = [&](std::size_t s) { return std::pair{flow.sheets[s].at(0).first, flow.sheets[s].at(0).last}; };
  EXPECT_EQ(rows(0), (std::pair<std::size_t, std::size_t>{0, 5}));
  // Ten would fit on the second sheet, but the last would be left alone: it takes two.
  EXPECT_EQ(rows(1), (std::pair<std::size_t, std::size_t>{5, 14}));
  EXPECT_EQ(rows(2), (std::pair<std::size_t, std::size_t>{14, 16}));
  EXPECT_TRUE(flow.sheets[1].at(0).continued);
  EXPECT_EQ(flow.sheetOfNextPiece(0, flow.sheets[0].at(0)), 1);
  // Blocks side by side in one area: the second starts a column of its own when the first fills it.
  const print::BlockFlow two = print::flowBlocks({b, b}, {{0, 0, 110, 180}}, later);
  ASSERT_EQ(two.sheets.size(), 1u);
  EXPECT_EQ(two.sheets[0].at(1).x, 53);
  // A block of its own sheets never stands beside the plan, though there is room.
  print::SheetBlock own = b;
  own.rows.assign(2, 10);
  own.ownSheets = true;
  const print::BlockFlow apart = print::flowBlocks({own}, {{0, 0, 110, 180}}, later);
  ASSERT_EQ(apart.sheets.size(), 2u);
  EXPECT_TRUE(apart.sheets[0].empty());
}

namespace {

// FRAME1 read, planned and designed at SBC 200 and 1.5 m.
std::unique_ptr<Project> designedFrame1() {
  auto p = std::make_unique<Project>();
  RecordingPrompter prompter;
  readListing(*p, PLINTOVA_EXAMPLES "/FRAME1.ANL", prompter);
  EXPECT_TRUE(acceptDesignInputs(*p, "1.5", "200"));
  EXPECT_EQ(startPlan(*p, prompter), "");
  EXPECT_TRUE(designSchedule(*p, prompter));
  return p;
}

}  // namespace

// Each row's section is drawn from the row: its dimension figures are the row's size, depth, pedestal
// height, founding depth and lap, its legend names every bar mark of the row as the bar bending schedule
// does, bars stand on REBAR and cut concrete is hatched, all within the view's width.
TEST(SheetSections, EachRowIsDrawnFromItsOwnNumbersAndMarks) {
  const auto p = designedFrame1();
  const BarBendingSchedule bbs = barBendingSchedule(*p);
  const std::vector<print::SectionView> views = print::sectionViews(*p, 115, print::sheetFontMeasure());
  ASSERT_EQ(views.size(), static_cast<std::size_t>(p->DesignGroupCount));
  for (int r = 1; r <= p->DesignGroupCount; ++r) {
    const SizeGroupRecord& row = p->DesignGroupTable[r];
    const print::SectionView& v = views[static_cast<std::size_t>(r - 1)];
    SCOPED_TRACE(v.title);
    std::vector<Primitive> out;
    v.draw(0, 0, out);
    std::set<std::string> figures, texts;
    std::map<Role, int> roles;
    for (const Primitive& q : out) {
      if (q.shape == Shape::Dimension) figures.insert(q.text);
      if (q.shape == Shape::Text) texts.insert(q.text.substr(0, q.text.find(" ")));
      ++roles[q.role];
      EXPECT_TRUE(q.x1 >= -0.01 && q.x1 <= v.width + 0.01) << q.text;
    }
    const auto mm = [](double m) { return numberText(std::round(m * 1000)); };
    for (const std::string& want : {mm(row.GroupSize), mm(row.TotalDepth), std::string("1500"),
                                    mm(row.pedestal.height), numberText(std::round(row.pedestal.dowelLap))})
      EXPECT_TRUE(figures.count(want)) << want;
    for (const BarMark& m : bbs.bars)
      if (m.row == v.row) {
        EXPECT_TRUE(texts.count(m.mark)) << m.mark;
      }
    EXPECT_GT(roles[Role::Rebar], row.design.n);  // the bars across one by one, and the runs
    EXPECT_GT(roles[Role::Hatch], 10);
    EXPECT_NE(std::find(print::kSectionScales.begin(), print::kSectionScales.end(), v.scale), print::kSectionScales.end());
  }
}

// The sections and the bar bending schedule go on sheets of their own after the plan's: sheet one keeps
// the plan, schedule and notes, and points to none of them; every sheet stays legible.
TEST(SheetSections, SectionsAndBarScheduleFollowOnSheetsOfTheirOwn) {
  const auto p = designedFrame1();
  const std::vector<print::Sheet> sheets = sheetsOf(*p);
  ASSERT_GE(sheets.size(), 3u);
  EXPECT_TRUE(textsOf(sheets[0], Role::Section).empty());
  EXPECT_TRUE(hasText(sheets[0], "FOOTING SCHEDULE"));
  for (const std::string& t : textsOf(sheets[0], Role::Schedule)) EXPECT_EQ(t.find("SEE SHEET"), std::string::npos) << t;
  int views = 0, barRows = 0;
  for (std::size_t k = 1; k < sheets.size(); ++k) {
    for (const std::string& t : textsOf(sheets[k], Role::Section)) views += t.find("TYPICAL SECTION (") != std::string::npos;
    for (const std::string& t : textsOf(sheets[k], Role::Schedule)) barRows += t.rfind("F", 0) == 0 && t.find('-') != std::string::npos;
    expectLegible(sheets[k], "sheet " + std::to_string(k + 1));
    // Nothing of the blocks reaches into the title block (the box of its texts).
    const draw::TextMeasure measure = print::sheetFontMeasure();
    std::optional<draw::Rect> title;
    for (const Primitive& q : sheets[k].primitives)
      if (q.role == Role::TitleBlock && q.shape == Shape::Text && !q.text.empty())
        title = title ? draw::unite(*title, print::textRect(q, measure)) : print::textRect(q, measure);
    ASSERT_TRUE(title);
    for (const Primitive& q : sheets[k].primitives)
      if (q.role == Role::Schedule || q.role == Role::Section || q.role == Role::Rebar) {
        EXPECT_FALSE(title->contains(q.x1, q.z1) || title->contains(q.x2, q.z2)) << "sheet " << k + 1 << ": " << q.text;
      }
  }
  EXPECT_EQ(views, p->DesignGroupCount);
  EXPECT_EQ(barRows, static_cast<int>(barBendingSchedule(*p).bars.size()));
}

namespace {

// Whether two segments cross at a point inside both.
bool crossing(const Primitive& a, const Primitive& b) {
  auto side = [](double px, double pz, double qx, double qz, double rx, double rz) {
    return (qx - px) * (rz - pz) - (qz - pz) * (rx - px);
  };
  const double d1 = side(a.x1, a.z1, a.x2, a.z2, b.x1, b.z1), d2 = side(a.x1, a.z1, a.x2, a.z2, b.x2, b.z2);
  const double d3 = side(b.x1, b.z1, b.x2, b.z2, a.x1, a.z1), d4 = side(b.x1, b.z1, b.x2, b.z2, a.x2, a.z2);
  return d1 * d2 < -1e-12 && d3 * d4 < -1e-12;
}

}  // namespace

// A combined footing's plan gives each band of bars across at the width its row designed it (a + 2 d,
// ended by the footing's end or the midpoint between the columns), and its section and plan name every
// bar mark of the row. The tags' leaders of its longitudinal section (two pedestals, the far one's tags
// above the near one's points) never cross, and its sheets stay legible.
TEST(SheetSections, ACombinedFootingsBandsAreDrawnAsDesigned) {
  auto p = designedFrame1();
  RecordingPrompter prompter;
  ASSERT_TRUE(combineFootings(*p, {14000, 10500, 17000, 11500}, prompter));
  ASSERT_TRUE(designSchedule(*p, prompter));
  ASSERT_EQ(p->CombinedRows.size(), 1u);
  const FootingRow& row = p->CombinedRows.front();
  const std::vector<print::SectionView> views = print::sectionViews(*p, 115, print::sheetFontMeasure());
  std::set<std::string> figures, texts;
  for (const print::SectionView& v : views) {
    if (v.row != row.mark()) continue;
    std::vector<Primitive> out;
    v.draw(0, 0, out);
    for (const Primitive& q : out) {
      if (q.shape == Shape::Dimension) figures.insert(q.text);
      if (q.shape == Shape::Text) texts.insert(q.text.substr(0, q.text.find(' ')));
    }
    // A tag is its leader, then its circle.
    std::vector<Primitive> leaders;
    for (std::size_t k = 0; k + 1 < out.size(); ++k)
      if (out[k].shape == Shape::Line && out[k + 1].shape == Shape::Circle) leaders.push_back(out[k]);
    if (v.title.find("LONGITUDINAL") != std::string::npos) {
      EXPECT_GE(leaders.size(), 8u);
    }
    for (std::size_t i = 0; i < leaders.size(); ++i)
      for (std::size_t j = i + 1; j < leaders.size(); ++j) {
        EXPECT_FALSE(crossing(leaders[i], leaders[j])) << v.title << " " << i << " " << j;
      }
  }
  const std::vector<print::Sheet> sheets = sheetsOf(*p);
  for (std::size_t k = 1; k < sheets.size(); ++k) expectLegible(sheets[k], "sheet " + std::to_string(k + 1));
  int bands = 0;
  for (const SteelLayer& l : row.steel)
    if (l.where.find("under joint") != std::string::npos) {
      ++bands;
      EXPECT_TRUE(figures.count(numberText(std::round(l.width * 1000)))) << l.where << " " << l.width;
    }
  EXPECT_EQ(bands, 2);
  EXPECT_TRUE(figures.count(numberText(std::round(row.L * 1000))));
  for (const BarMark& m : barBendingSchedule(*p).bars)
    if (m.row == row.mark()) {
      EXPECT_TRUE(texts.count(m.mark)) << m.mark;
    }
}
