// The footing drawing as issued: sheets, their zones, the scale, and the assembly of plan, blocks and
// title block on each sheet.
#include "print/sheet_layout.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <tuple>

#include "design/plan_checks.h"
#include "footing/grid_lines.h"
#include "print/sheet_bar_schedule.h"
#include "print/sheet_blocks.h"
#include "print/sheet_sections.h"
#include "print/sheet_flow.h"
#include "print/sheet_plan.h"
#include "print/sheet_schedule.h"
#include "print/sheet_split.h"
#include "print/sheet_text.h"

namespace plintova::print {

using draw::HAlign;
using draw::Primitive;
using draw::Rect;
using draw::Role;

Paper paperNamed(const std::string& name) {
  if (name == "A2") return {"A2", 594, 420};
  if (name == "A1") return {"A1", 841, 594};
  return {"A3", 420, 297};
}

std::string gridNumberName(int k) { return gridNumber(k); }
std::string gridLetterName(int k) { return gridLetter(k); }

namespace {

constexpr double kFrameLeft = 20, kFrameOther = 10;  // binding edge on the left
constexpr double kPad = 3;                           // inside a zone, mm
// The width of a typical section: two beside each other left of an A3 title block, one over it.
constexpr double kSectionWidth = 115;
constexpr double kFrameWidth = 7, kRuleWidth = 3;
// The band under the plan never takes more than this share of the drawing's height.
constexpr double kBandShare = 0.45;
// Room the plan's drawn extent must leave in the plan zone: the bands of the grid, the caption and a
// margin.
constexpr double kPlanMargin = 2;
// A line pointing to where a block went, mm.
constexpr double kPointerHeight = 7;
constexpr double kPointerText = 12;

// The zones of a sheet, paper mm: the plan's, the title block's and the areas the blocks flow into.
struct Zones {
  Arrangement arrangement = Arrangement::Side;
  Paper paper;
  Rect drawing, plan, title;
  std::vector<Rect> areas;
  // Where the plan's drawn extent goes: inside the plan zone less its bands (and the room of a tier of
  // bubbles) and caption.
  Rect content(double tier = 0) const {
    return {plan.left + kPlanMargin + kBandBefore + tier, plan.top + kPlanMargin + kBandBefore + tier,
            plan.right - kPlanMargin - kBandAfter - tier, plan.bottom - kCaptionHeight - kBandAfter - tier - kPlanMargin};
  }
};

double titleWidthFor(const Paper& paper) { return paper.width <= 420 ? 150 : 180; }

Rect drawingOf(const Paper& paper) {
  return {kFrameLeft, kFrameOther, paper.width - kFrameOther, paper.height - kFrameOther};
}

Rect titleOf(const Rect& drawing, const Paper& paper, double height) {
  return {drawing.right - titleWidthFor(paper), drawing.bottom - height, drawing.right, drawing.bottom};
}

double widest(const std::vector<SheetBlock>& blocks) {
  double w = 0;
  for (const SheetBlock& b : blocks)
    if (!b.ownSheets) w = std::max(w, b.width);
  return w;
}

// The blocks in a column on the right of the plan, over the title block.
Zones sideZones(const Paper& paper, const std::vector<SheetBlock>& blocks, double titleHeight) {
  Zones z;
  z.arrangement = Arrangement::Side;
  z.paper = paper;
  z.drawing = drawingOf(paper);
  const double width = z.drawing.right - z.drawing.left;
  const double column = std::clamp(widest(blocks) + 2 * kPad, titleWidthFor(paper), std::max(0.55 * width, titleWidthFor(paper)));
  const double left = z.drawing.right - column;
  z.plan = {z.drawing.left, z.drawing.top, left, z.drawing.bottom};
  z.title = titleOf(z.drawing, paper, titleHeight);
  z.title.left = left;
  z.areas = {{left + kPad, z.drawing.top + kPad, z.drawing.right - kPad, z.title.top - kBlockGap}};
  return z;
}

// The blocks in a band under the plan, beside the title block and over it, `band` mm high.
Zones bottomZones(const Paper& paper, double band, double titleHeight) {
  Zones z;
  z.arrangement = Arrangement::Bottom;
  z.paper = paper;
  z.drawing = drawingOf(paper);
  const double top = z.drawing.bottom - band;
  z.plan = {z.drawing.left, z.drawing.top, z.drawing.right, top};
  z.title = titleOf(z.drawing, paper, titleHeight);
  z.areas = {{z.drawing.left + kPad, top + kPad, z.title.left - kBlockGap, z.drawing.bottom - kPad}};
  if (z.title.top - top > 2 * kPad + kBlockGap) z.areas.push_back({z.title.left + kPad, top + kPad, z.drawing.right - kPad, z.title.top - kBlockGap});
  return z;
}

std::vector<Rect> laterAreas(const Zones& z);

// The bands under the plan worth trying: the lowest (in steps of 5 mm, from the title block's height to
// its share of the sheet) in which every block finds room on the first sheet, and the title block's own
// height, which leaves the plan the most room and sends what does not fit to sheets of its own.
std::vector<Zones> bottomZones(const Paper& paper, const std::vector<SheetBlock>& blocks, double titleHeight) {
  std::vector<Zones> zones{bottomZones(paper, titleHeight, titleHeight)};
  const double most = std::max(kBandShare * (drawingOf(paper).bottom - drawingOf(paper).top), titleHeight);
  std::vector<SheetBlock> beside;
  for (const SheetBlock& b : blocks)
    if (!b.ownSheets) beside.push_back(b);
  for (double band = titleHeight; band < most; band += 5) {
    const Zones z = bottomZones(paper, band, titleHeight);
    if (flowBlocks(beside, z.areas, laterAreas(z)).extraSheets() == 0) {
      zones.push_back(z);
      break;
    }
  }
  return zones;
}

// A sheet of blocks alone: beside the title block and over it.
std::vector<Rect> laterAreas(const Zones& z) {
  return {{z.drawing.left + kPad, z.drawing.top + kPad, z.title.left - kBlockGap, z.drawing.bottom - kPad},
          {z.title.left + kPad, z.drawing.top + kPad, z.drawing.right - kPad, z.title.top - kBlockGap}};
}

struct Drawing {
  const Project& project;
  const SheetSettings& settings;
  const draw::TextMeasure& measure;
  PlanContent content;
  int coarsest = kStandardScales.back();  // the coarsest scale at which the marks stay legible
  SheetSchedule schedule;
  std::vector<SheetBlock> blocks;
  // The stamp of the title block while the drawing may not be issued for construction ("" when it may).
  std::string stamp;
  double titleHeight() const { return titleBlockHeight(!stamp.empty()); }
};

// The blocks of the drawing, in order: the footing schedule and the notes beside the plan, then the typical
// sections and the bar bending schedule on sheets of their own (once the schedule is designed).
std::vector<SheetBlock> blocksOf(const Project& p, const SheetSchedule& schedule, const Paper& paper,
                                 const draw::TextMeasure& measure) {
  std::vector<SheetBlock> blocks{scheduleBlock(schedule, measure),
                                 notesBlock(generalNotes(p), titleWidthFor(paper) - 2 * kPad, measure)};
  if (!p.scheduleDesigned || p.scheduleStale) return blocks;
  SheetBlock sections = sectionsBlock(p, kSectionWidth, measure);
  if (!sections.rows.empty()) blocks.push_back(std::move(sections));
  SheetBlock bars = barScheduleBlock(p, measure);
  if (!bars.rows.empty()) blocks.push_back(std::move(bars));
  return blocks;
}

// Where the blocks go; blocks that find no room on the first sheet get a line there pointing to theirs.
struct Flowed {
  BlockFlow flow;
  std::vector<std::size_t> pointed;  // blocks pointed to from the first sheet
};

Flowed flowFor(const std::vector<SheetBlock>& blocks, const Zones& z) {
  Flowed f{flowBlocks(blocks, z.areas, laterAreas(z)), {}};
  for (std::size_t b = 0; b < blocks.size(); ++b) {
    const auto& first = f.flow.sheets.front();
    // Blocks of their own sheets follow the plan's in any case: the first sheet keeps its room.
    if (!blocks[b].ownSheets && std::none_of(first.begin(), first.end(), [b](const BlockPiece& p) { return p.block == b; }))
      f.pointed.push_back(b);
  }
  if (f.pointed.empty() || z.areas.empty()) return f;
  std::vector<Rect> areas = z.areas;
  areas.front().top += kPointerHeight * static_cast<double>(f.pointed.size());
  f.flow = flowBlocks(blocks, areas, laterAreas(z));
  return f;
}

struct Choice {
  Zones zones;
  ScaleChoice scale;
  Flowed flowed;
  std::size_t sheets() const { return scale.parts + flowed.flow.extraSheets(); }
  // The sheets the plan, schedule and notes take (sections and bars follow them whatever the choice).
  std::size_t planSheets(const std::vector<SheetBlock>& blocks) const {
    std::size_t n = scale.parts;
    const auto& all = flowed.flow.sheets;
    for (std::size_t s = 1; s < all.size(); ++s)
      n += std::any_of(all[s].begin(), all[s].end(), [&](const BlockPiece& p) { return !blocks[p.block].ownSheets; });
    return n;
  }
};

// The arrangement and scale the paper sheets use: the fewest sheets of plan, schedule and notes (plan parts
// and sheets of those blocks; the sections and bars follow in any case), then the fewest parts of the plan
// (a plan whole on one sheet reads better than one cut by match lines), then the largest scale: a drawing
// that fits one sheet at 1:125 beats one at 1:100 that sends schedule rows to a second.
Choice choose(const Drawing& d, const Paper& paper) {
  std::optional<Choice> best;
  std::vector<Zones> arrangements = bottomZones(paper, d.blocks, d.titleHeight());
  arrangements.insert(arrangements.begin(), sideZones(paper, d.blocks, d.titleHeight()));
  for (const Zones& zones : arrangements) {
    const auto area = [&](int scale) { return zones.content(bubbleTierRoom(d.content, scale)); };
    Choice c{zones, chooseScale(d.content, area, d.coarsest), flowFor(d.blocks, zones)};
    const auto rank = [&d](const Choice& x) {
      return std::tuple{x.planSheets(d.blocks), x.scale.parts, x.scale.scale, x.sheets()};
    };
    if (!best || rank(c) < rank(*best)) best = std::move(c);
  }
  return *best;
}

std::string fileName(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

TitleFields titleFields(const Project& p, const SheetSettings& s, const std::string& scale, int number, int count) {
  TitleFields f;
  f.firm = s.firm;
  f.client = s.client;
  f.project = s.project;
  f.title = s.title;
  f.number = s.number;
  f.revision = s.currentRevision();
  f.revisions = s.revisions;
  f.scale = scale;
  f.sheet = std::to_string(number) + " OF " + std::to_string(count);
  f.date = s.date;
  f.drawnBy = s.drawnBy;
  f.designedBy = s.designedBy;
  f.checkedBy = s.checkedBy;
  f.approvedBy = s.approvedBy;
  f.listing = fileName(p.AnlPath);
  return f;
}

Primitive rule(Primitive p, double width) {
  p.role = Role::TitleBlock;
  p.width = width;
  return p;
}

// The frame of the sheet and the rule between the plan and the blocks.
void frame(const Zones& z, bool planSheet, std::vector<Primitive>& out) {
  out.push_back(rule(draw::box(z.drawing.left, z.drawing.top, z.drawing.right, z.drawing.bottom), kFrameWidth));
  if (!planSheet) return;
  if (z.arrangement == Arrangement::Side)
    out.push_back(rule(draw::line(z.plan.right, z.drawing.top, z.plan.right, z.drawing.bottom), kRuleWidth));
  else
    out.push_back(rule(draw::line(z.drawing.left, z.plan.bottom, z.drawing.right, z.plan.bottom), kRuleWidth));
}

// Where a plan part goes on paper: its drawn extent centred in the zone's content area.
PlanPlacement placementOf(const PlanContent& c, const PlanPart& part, const Zones& z, int scale) {
  const Rect e = partExtent(c, part), area = z.content(bubbleTierRoom(c, scale));
  PlanPlacement at;
  at.scale = scale;
  at.originX = (area.left + area.right) / 2 - (e.left + e.right) / 2 / scale;
  at.originZ = (area.top + area.bottom) / 2 - (e.top + e.bottom) / 2 / scale;
  return at;
}

// The sheets of the drawing being assembled.
struct Assembly {
  const Drawing& d;
  const Choice& choice;
  std::vector<PlanPart> parts;
  int count = 1;
  std::string scaleText;

  // The sheet number of a flow sheet: the first is sheet 1, the blocks' own sheets follow the plan's.
  int sheetNumber(std::size_t flowSheet) const {
    return flowSheet == 0 ? 1 : static_cast<int>(parts.size() + flowSheet);
  }

  void pieces(std::size_t flowSheet, std::vector<Primitive>& out) const {
    const BlockFlow& flow = choice.flowed.flow;
    for (const BlockPiece& piece : flow.sheets[flowSheet]) {
      const SheetBlock& b = d.blocks[piece.block];
      b.draw(piece.first, piece.last, piece.x, piece.z, piece.continued, out);
      const int next = flow.sheetOfNextPiece(flowSheet, piece);
      if (next >= 0 && static_cast<std::size_t>(next) != flowSheet)
        out.push_back(sheetText(piece.x, piece.z + b.height(piece.first, piece.last) + kContinuedHeight / 2,
                                "Continued on sheet " + std::to_string(sheetNumber(static_cast<std::size_t>(next))) + ".",
                                kSmallestText, Role::Schedule, false, HAlign::Left));
    }
  }

  // Lines on sheet one naming the sheets of the blocks that found no room on it.
  void pointers(std::vector<Primitive>& out) const {
    const Zones& z = choice.zones;
    if (z.areas.empty()) return;
    double top = z.areas.front().top;
    for (std::size_t b : choice.flowed.pointed) {
      std::size_t sheet = 0;
      for (std::size_t s = 0; s < choice.flowed.flow.sheets.size() && sheet == 0; ++s)
        for (const BlockPiece& p : choice.flowed.flow.sheets[s])
          if (p.block == b) sheet = s;
      out.push_back(sheetText(z.areas.front().left, top + kPointerHeight / 2,
                              d.blocks[b].title + ": SEE SHEET " + std::to_string(sheetNumber(sheet)), kPointerText,
                              Role::Schedule, true, HAlign::Left));
      top += kPointerHeight;
    }
  }

  Sheet blank(Sheet::Kind kind, int number) const {
    Sheet s;
    s.kind = kind;
    s.paper = choice.zones.paper;
    s.arrangement = choice.zones.arrangement;
    s.number = number;
    s.count = count;
    s.scale = choice.scale.scale;
    return s;
  }

  void titleBlock(Sheet& s, const std::string& scale) const {
    TitleFields fields = titleFields(d.project, d.settings, scale, s.number, count);
    fields.stamp = d.stamp;
    drawTitleBlock(fields, choice.zones.title, d.measure, s.primitives);
  }

  KeyPlan keyPlan(std::size_t k) const {
    KeyPlan key;
    key.whole = d.content.extent;
    for (const PlanPart& p : parts) {
      Rect r = partExtent(d.content, p);
      // The key shows the parts side by side: each from cut to cut, the outer edges at the plan's.
      r.left = p.cutLeft ? p.range.left : d.content.extent.left;
      r.right = p.cutRight ? p.range.right : d.content.extent.right;
      r.top = p.cutTop ? p.range.top : d.content.extent.top;
      r.bottom = p.cutBottom ? p.range.bottom : d.content.extent.bottom;
      key.parts.push_back(r);
    }
    key.current = k;
    return key;
  }

  // Sheet one or a later plan sheet: the plan part with its caption, the blocks (sheet one) or a pointer
  // to them, and the title block.
  Sheet planSheet(std::size_t k) const {
    const Zones& z = choice.zones;
    Sheet s = blank(Sheet::Kind::Plan, static_cast<int>(k) + 1);
    const PlanPart& part = parts[k];
    const PlanPlacement at = placementOf(d.content, part, z, s.scale);
    s.originX = at.originX;
    s.originZ = at.originZ;
    s.planWindow = partExtent(d.content, part);
    frame(z, true, s.primitives);
    drawPlanPart(d.content, part, at, d.measure, s.primitives);
    std::string caption = "FOOTING LAYOUT PLAN";
    std::optional<KeyPlan> key;
    if (parts.size() > 1) {
      caption += " - PART " + std::to_string(k + 1) + " OF " + std::to_string(parts.size());
      key = keyPlan(k);
    }
    drawCaption({z.plan.left + kPlanMargin, z.plan.bottom - kCaptionHeight - 1, z.plan.right - kPlanMargin,
                 z.plan.bottom - 1},
                caption, s.scale, d.settings.northRotation, key ? &*key : nullptr, d.measure, s.primitives);
    if (k == 0) {
      pointers(s.primitives);
      pieces(0, s.primitives);
    } else if (!z.areas.empty()) {
      s.primitives.push_back(sheetText(z.areas.front().left, z.areas.front().top + kPointerHeight / 2,
                                       "FOOTING SCHEDULE AND NOTES: SEE SHEET 1", kPointerText, Role::Notes, true,
                                       HAlign::Left));
    }
    titleBlock(s, scaleText);
    return s;
  }

  // A sheet of blocks alone; one holding sections is drawn at the scales its views name.
  Sheet blockSheet(std::size_t flowSheet) const {
    Sheet s = blank(Sheet::Kind::Schedule, sheetNumber(flowSheet));
    frame(choice.zones, false, s.primitives);
    pieces(flowSheet, s.primitives);
    const auto& held = choice.flowed.flow.sheets[flowSheet];
    const bool sections = std::any_of(held.begin(), held.end(), [&](const BlockPiece& p) {
      return d.blocks[p.block].title == kSectionsTitle;
    });
    titleBlock(s, sections ? "AS SHOWN" : scaleText);
    return s;
  }
};

Drawing prepare(const Project& p, const SheetSettings& s, const draw::TextMeasure& measure) {
  Drawing d{p, s, measure, planContent(p), kStandardScales.back(), sheetSchedule(p), {}, {}};
  // A designed schedule with a failing row, or a plan with a flagged check, is issued as preliminary.
  if (p.scheduleDesigned && !p.scheduleStale && !issueState(p).issuable()) d.stamp = kPreliminaryStamp;
  d.coarsest = coarsestLegibleScale(d.content, measure);
  d.blocks = blocksOf(p, d.schedule, paperNamed(s.paper), measure);
  return d;
}

}  // namespace

std::vector<Sheet> footingSheets(const Project& project, const SheetSettings& settings, const draw::TextMeasure& measure) {
  const Drawing d = prepare(project, settings, measure);
  const Paper paper = paperNamed(settings.paper);
  const Choice choice = choose(d, paper);
  Assembly a{d, choice, partsOf(d.content, choice.scale.split), 1, ""};
  a.count = static_cast<int>(a.parts.size() + choice.flowed.flow.extraSheets());
  a.scaleText = "1:" + std::to_string(choice.scale.scale) + " (" + paper.name + ")";
  std::vector<Sheet> sheets;
  for (std::size_t k = 0; k < a.parts.size(); ++k) sheets.push_back(a.planSheet(k));
  for (std::size_t k = 1; k < choice.flowed.flow.sheets.size(); ++k) sheets.push_back(a.blockSheet(k));
  return sheets;
}

Sheet cadPlan(const Project& project, const SheetSettings& settings, const draw::TextMeasure& measure) {
  const Drawing d = prepare(project, settings, measure);
  const Choice choice = choose(d, paperNamed(settings.paper));
  Sheet s;
  s.scale = choice.scale.scale;
  const PlanPart whole = partsOf(d.content, {}).front();
  const Rect e = partExtent(d.content, whole);
  PlanPlacement at;
  at.scale = s.scale;
  const double bands = kBandBefore + kBandAfter + 2 * bubbleTierRoom(d.content, s.scale);
  at.originX = kBandBefore + bubbleTierRoom(d.content, s.scale) - e.left / s.scale;
  at.originZ = kBandBefore + bubbleTierRoom(d.content, s.scale) - e.top / s.scale;
  s.originX = at.originX;
  s.originZ = at.originZ;
  s.planWindow = e;
  s.paper = {"", bands + (e.right - e.left) / s.scale, bands + (e.bottom - e.top) / s.scale};
  drawPlanPart(d.content, whole, at, measure, s.primitives);
  return s;
}

}  // namespace plintova::print
