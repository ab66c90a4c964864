// The footing drawing as issued: sheets, their zones, the scale, the split of a large plan and the
// assembly of plan, schedule, notes and title block on each sheet.
#include "print/sheet_layout.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "print/sheet_blocks.h"
#include "print/sheet_plan.h"
#include "print/sheet_schedule.h"
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

std::string gridNumberName(int k) { return std::to_string(k); }

std::string gridLetterName(int k) {
  static const std::string letters = "ABCDEFGHJKLMNPQRSTUVWXYZ";  // no I, no O
  const int base = static_cast<int>(letters.size());
  std::string name;
  for (int n = std::max(k, 1); n > 0; n = (n - 1) / base) name.insert(name.begin(), letters[static_cast<std::size_t>((n - 1) % base)]);
  return name;
}

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kFrameLeft = 20, kFrameOther = 10;  // binding edge on the left
constexpr double kPad = 3;                           // inside a zone, mm
constexpr double kGap = 3;                           // between blocks of a zone, mm
constexpr double kFrameWidth = 7, kRuleWidth = 3;
// The band under the plan never takes more than this share of the drawing's height.
constexpr double kBandShare = 0.45;
// Room the plan's drawn extent must leave in the plan zone: the bands of the grid, the caption and a
// margin.
constexpr double kPlanMargin = 2;

// The zones of a sheet, paper mm.
struct Zones {
  Arrangement arrangement = Arrangement::Side;
  Paper paper;
  Rect drawing, plan, schedule, notes, title;
  // Where the plan's drawn extent goes: inside the plan zone less its bands and caption.
  Rect content() const {
    return {plan.left + kPlanMargin + kBandBefore, plan.top + kPlanMargin + kBandBefore,
            plan.right - kPlanMargin - kBandAfter, plan.bottom - kCaptionHeight - kBandAfter - kPlanMargin};
  }
};

double titleWidthFor(const Paper& paper) { return paper.width <= 420 ? 150 : 180; }

Rect drawingOf(const Paper& paper) {
  return {kFrameLeft, kFrameOther, paper.width - kFrameOther, paper.height - kFrameOther};
}

// What the zones must hold besides the plan.
struct Blocks {
  SheetSchedule schedule;
  TableSize table;
  std::vector<std::string> notes;
};

std::optional<Zones> sideZones(const Paper& paper, const Blocks& b, const draw::TextMeasure& measure) {
  Zones z;
  z.arrangement = Arrangement::Side;
  z.paper = paper;
  z.drawing = drawingOf(paper);
  const double width = z.drawing.right - z.drawing.left;
  const double column = std::min(std::max(titleWidthFor(paper), b.table.width + 2 * kPad), 0.55 * width);
  const double left = z.drawing.right - column;
  z.plan = {z.drawing.left, z.drawing.top, left, z.drawing.bottom};
  z.title = {left, z.drawing.bottom - kTitleBlockHeight, z.drawing.right, z.drawing.bottom};
  const double notes = notesHeight(b.notes, column - 2 * kPad, measure);
  z.notes = {left + kPad, z.title.top - kGap - notes, z.drawing.right - kPad, z.title.top - kGap};
  z.schedule = {left + kPad, z.drawing.top + kPad, z.drawing.right - kPad, z.notes.top - kGap};
  if (z.schedule.bottom - z.schedule.top < kScheduleTitleHeight) return std::nullopt;
  return z;
}

std::optional<Zones> bottomZones(const Paper& paper, const Blocks& b, const draw::TextMeasure& measure) {
  Zones z;
  z.arrangement = Arrangement::Bottom;
  z.paper = paper;
  z.drawing = drawingOf(paper);
  const double width = z.drawing.right - z.drawing.left, height = z.drawing.bottom - z.drawing.top;
  const double title = titleWidthFor(paper);
  // The notes between the schedule and the title block where they have room, else stacked over the
  // title block.
  const double besideWidth = width - title - b.table.width - 2 * kPad - 2 * kGap * 2;
  const bool stacked = besideWidth < 90;
  if (stacked && b.table.width + 2 * kPad + 2 * kGap + title > width) return std::nullopt;
  const double notesWidth = stacked ? title - 2 * kPad : besideWidth;
  double rows = 0;
  for (double r : b.table.rows) rows += r;
  const double scheduleHeight = kScheduleTitleHeight + b.table.header + b.table.message + rows + 2 * kPad;
  const double notes = notesHeight(b.notes, notesWidth, measure) + 2 * kPad;
  const double right = stacked ? notes + kGap + kTitleBlockHeight : notes;
  const double band = std::clamp(std::max({kTitleBlockHeight, scheduleHeight, right}), kTitleBlockHeight, kBandShare * height);
  if (stacked && right > band) return std::nullopt;
  const double top = z.drawing.bottom - band;
  z.plan = {z.drawing.left, z.drawing.top, z.drawing.right, top};
  z.title = {z.drawing.right - title, z.drawing.bottom - kTitleBlockHeight, z.drawing.right, z.drawing.bottom};
  z.schedule = {z.drawing.left + kPad, top + kPad, z.drawing.left + kPad + b.table.width, z.drawing.bottom - kPad};
  z.notes = stacked ? Rect{z.title.left + kPad, top + kPad, z.drawing.right - kPad, z.title.top - kGap}
                    : Rect{z.schedule.right + 2 * kGap, top + kPad, z.title.left - 2 * kGap, z.drawing.bottom - kPad};
  return z;
}

// One extent along an axis that a part must hold: a footing (its centre and edges) or a grid line.
struct Span {
  double centre = 0, lo = 0, hi = 0;
};

// The extent along one axis of the part [a, b) (cut edges included), or nothing for an empty part.
std::optional<std::pair<double, double>> spanOf(const std::vector<Span>& spans, double a, double b) {
  double lo = kInf, hi = -kInf;
  bool any = false;
  for (const Span& s : spans)
    if (s.centre >= a && s.centre < b) lo = std::min(lo, s.lo), hi = std::max(hi, s.hi), any = true;
  if (!any) return std::nullopt;
  if (a > -kInf) lo = std::min(lo, a);
  if (b < kInf) hi = std::max(hi, b);
  return std::pair{lo, hi};
}

// Cuts along one axis that divide the plan into parts no longer than `room` plan mm, each as long as
// it can be: at the middle of a grid bay where one serves, else wherever the room runs out.
std::vector<double> cutsAlong(const std::vector<double>& grid, const std::vector<Span>& spans, double room) {
  std::vector<double> cuts;
  std::vector<double> bays;
  for (std::size_t k = 1; k < grid.size(); ++k) bays.push_back((grid[k - 1] + grid[k]) / 2);
  double a = -kInf;
  for (int guard = 0; guard < 10000; ++guard) {
    const auto rest = spanOf(spans, a, kInf);
    if (!rest || rest->second - rest->first <= room) break;
    std::optional<double> cut;
    for (auto it = bays.rbegin(); it != bays.rend(); ++it) {
      if (*it <= a) break;
      const auto part = spanOf(spans, a, *it);
      if (part && part->second - part->first <= room) {
        cut = *it;
        break;
      }
    }
    if (!cut) cut = std::max(rest->first, a) + room;
    cuts.push_back(*cut);
    a = *cut;
  }
  return cuts;
}

struct Split {
  std::vector<double> cutsX, cutsZ;
};

std::vector<Span> spansAlong(const PlanContent& c, bool alongX) {
  std::vector<Span> spans;
  for (double g : alongX ? c.gridX : c.gridZ) spans.push_back({g, g, g});
  for (const PlanFooting& f : c.footings)
    spans.push_back(alongX ? Span{f.cx, f.outline.left, f.outline.right} : Span{f.cz, f.outline.top, f.outline.bottom});
  return spans;
}

Split splitAt(const PlanContent& c, const Zones& z, int scale) {
  const Rect area = z.content();
  return {cutsAlong(c.gridX, spansAlong(c, true), (area.right - area.left) * scale),
          cutsAlong(c.gridZ, spansAlong(c, false), (area.bottom - area.top) * scale)};
}

std::vector<PlanPart> partsOf(const PlanContent& c, const Split& s) {
  std::vector<PlanPart> parts;
  for (std::size_t j = 0; j <= s.cutsZ.size(); ++j)
    for (std::size_t i = 0; i <= s.cutsX.size(); ++i) {
      PlanPart p;
      p.column = static_cast<int>(i);
      p.row = static_cast<int>(j);
      p.cutLeft = i > 0;
      p.cutRight = i < s.cutsX.size();
      p.cutTop = j > 0;
      p.cutBottom = j < s.cutsZ.size();
      p.range = {p.cutLeft ? s.cutsX[i - 1] : -kInf, p.cutTop ? s.cutsZ[j - 1] : -kInf,
                 p.cutRight ? s.cutsX[i] : kInf, p.cutBottom ? s.cutsZ[j] : kInf};
      bool any = c.footings.empty() && i == 0 && j == 0;
      for (const PlanFooting& f : c.footings) any = any || inPart(p, f.cx, f.cz);
      if (any) parts.push_back(p);
    }
  // The sheet across each match line (0 where the part beyond holds nothing).
  auto sheetAt = [&](int column, int row) {
    for (std::size_t k = 0; k < parts.size(); ++k)
      if (parts[k].column == column && parts[k].row == row) return static_cast<int>(k) + 1;
    return 0;
  };
  for (PlanPart& p : parts) {
    p.sheetLeft = sheetAt(p.column - 1, p.row);
    p.sheetRight = sheetAt(p.column + 1, p.row);
    p.sheetAbove = sheetAt(p.column, p.row - 1);
    p.sheetBelow = sheetAt(p.column, p.row + 1);
  }
  return parts;
}

bool fitsWhole(const PlanContent& c, const Zones& z, int scale) {
  const Rect area = z.content();
  return (c.extent.right - c.extent.left) / scale <= area.right - area.left &&
         (c.extent.bottom - c.extent.top) / scale <= area.bottom - area.top;
}

// The scale and split of one arrangement: the largest scale at which the whole plan fits; otherwise the
// fewest parts at 1:500 and the largest scale that keeps that number.
struct Choice {
  Zones zones;
  int scale = 500;
  Split split;
  std::size_t parts = 1;
};

Choice chooseFor(const PlanContent& c, const Zones& z) {
  Choice ch{z, kStandardScales.back(), {}, 1};
  for (int scale : kStandardScales)
    if (fitsWhole(c, z, scale)) {
      ch.scale = scale;
      return ch;
    }
  ch.split = splitAt(c, z, kStandardScales.back());
  ch.parts = partsOf(c, ch.split).size();
  for (auto it = kStandardScales.rbegin() + 1; it != kStandardScales.rend(); ++it) {
    const Split s = splitAt(c, z, *it);
    if (partsOf(c, s).size() > ch.parts) break;
    ch.scale = *it;
    ch.split = s;
  }
  return ch;
}

std::string fileName(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

TitleFields titleFields(const Project& p, const SheetSettings& s, const std::string& scale, int number, int count) {
  TitleFields f;
  f.project = s.project;
  f.title = s.title;
  f.number = s.number;
  f.revision = s.revision;
  f.scale = scale;
  f.sheet = std::to_string(number) + " OF " + std::to_string(count);
  f.date = s.date;
  f.drawnBy = s.drawnBy;
  f.checkedBy = s.checkedBy;
  f.listing = fileName(p.AnlPath);
  return f;
}

Primitive rule(Primitive p, double width) {
  p.role = Role::TitleBlock;
  p.width = width;
  return p;
}

// The frame of the sheet and the rules between its zones.
void frame(const Zones& z, std::vector<Primitive>& out) {
  out.push_back(rule(draw::box(z.drawing.left, z.drawing.top, z.drawing.right, z.drawing.bottom), kFrameWidth));
  if (z.arrangement == Arrangement::Side)
    out.push_back(rule(draw::line(z.plan.right, z.drawing.top, z.plan.right, z.drawing.bottom), kRuleWidth));
  else
    out.push_back(rule(draw::line(z.drawing.left, z.plan.bottom, z.drawing.right, z.plan.bottom), kRuleWidth));
}

// Where a plan part goes on paper: its drawn extent centred in the zone's content area.
PlanPlacement placementOf(const PlanContent& c, const PlanPart& part, const Zones& z, int scale) {
  const Rect e = partExtent(c, part), area = z.content();
  PlanPlacement at;
  at.scale = scale;
  at.originX = (area.left + area.right) / 2 - (e.left + e.right) / 2 / scale;
  at.originZ = (area.top + area.bottom) / 2 - (e.top + e.bottom) / 2 / scale;
  return at;
}

// Rows of the schedule on each continuation sheet: as many columns of the table as the drawing holds
// beside and above the title block.
struct ScheduleLayout {
  std::size_t onFirst = 0;
  std::vector<std::vector<std::pair<std::size_t, std::size_t>>> sheets;  // per sheet: columns of [first, last)
};

std::vector<std::pair<std::size_t, std::size_t>> continuationColumns(const TableSize& t, std::size_t& first,
                                                                    const Zones& z) {
  std::vector<std::pair<std::size_t, std::size_t>> columns;
  double x = z.drawing.left + kPad;
  while (first < t.rows.size() && x + t.width <= z.drawing.right - kPad) {
    const bool besideTitle = x + t.width > z.title.left - kGap;
    const double height = (besideTitle ? z.title.top - kGap : z.drawing.bottom - kPad) - (z.drawing.top + kPad);
    const std::size_t n = rowsThatFit(t, first, height);
    if (n == 0) break;
    columns.push_back({first, first + n});
    first += n;
    x += t.width + 2 * kGap;
  }
  return columns;
}

// Room under a schedule cut short on sheet one for the line naming the sheet it goes on to, mm.
constexpr double kContinuedHeight = 6;

ScheduleLayout scheduleLayout(const Blocks& b, const Zones& z) {
  ScheduleLayout l;
  const double width = z.schedule.right - z.schedule.left, height = z.schedule.bottom - z.schedule.top;
  l.onFirst = b.table.width <= width + 0.01 ? rowsThatFit(b.table, 0, height) : 0;
  if (l.onFirst > 0 && l.onFirst < b.table.rows.size()) l.onFirst = rowsThatFit(b.table, 0, height - kContinuedHeight);
  std::size_t next = l.onFirst;
  while (next < b.table.rows.size()) {
    const std::size_t before = next;
    l.sheets.push_back(continuationColumns(b.table, next, z));
    if (next == before) {  // a row taller than a whole sheet: it goes alone, cut by the frame
      l.sheets.back().push_back({next, next + 1});
      ++next;
    }
  }
  return l;
}

struct Drawing {
  const Project& project;
  const SheetSettings& settings;
  const draw::TextMeasure& measure;
  PlanContent content;
  Blocks blocks;
};

// Sheet one or a later plan sheet: the plan part with its caption, the schedule and notes (sheet one)
// or a pointer to them, and the title block.
Sheet planSheet(const Drawing& d, const Zones& z, int scale, const std::vector<PlanPart>& parts, std::size_t k,
                const ScheduleLayout& schedule, int count, const std::string& scaleText) {
  Sheet s;
  s.kind = Sheet::Kind::Plan;
  s.paper = z.paper;
  s.arrangement = z.arrangement;
  s.number = static_cast<int>(k) + 1;
  s.count = count;
  s.scale = scale;
  const PlanPart& part = parts[k];
  const PlanPlacement at = placementOf(d.content, part, z, scale);
  s.originX = at.originX;
  s.originZ = at.originZ;
  s.planWindow = partExtent(d.content, part);
  std::vector<Primitive>& out = s.primitives;
  frame(z, out);
  drawPlanPart(d.content, part, at, d.measure, out);

  std::string caption = "FOOTING LAYOUT PLAN";
  std::optional<KeyPlan> key;
  if (parts.size() > 1) {
    caption += " - PART " + std::to_string(k + 1) + " OF " + std::to_string(parts.size());
    key.emplace();
    key->whole = d.content.extent;
    for (const PlanPart& p : parts) {
      Rect r = partExtent(d.content, p);
      // The key shows the parts side by side: each from cut to cut, the outer edges at the plan's.
      r.left = p.cutLeft ? p.range.left : d.content.extent.left;
      r.right = p.cutRight ? p.range.right : d.content.extent.right;
      r.top = p.cutTop ? p.range.top : d.content.extent.top;
      r.bottom = p.cutBottom ? p.range.bottom : d.content.extent.bottom;
      key->parts.push_back(r);
    }
    key->current = k;
  }
  drawCaption({z.plan.left + kPlanMargin, z.plan.bottom - kCaptionHeight - 1, z.plan.right - kPlanMargin,
               z.plan.bottom - 1},
              caption, scale, d.settings.northRotation, key ? &*key : nullptr, d.measure, out);

  if (k == 0) {
    const Blocks& b = d.blocks;
    if (schedule.onFirst > 0 || b.table.rows.empty()) {
      const double h = drawSchedule(b.schedule, b.table, 0, schedule.onFirst, z.schedule.left, z.schedule.top,
                                    "FOOTING SCHEDULE", out);
      if (!schedule.sheets.empty())
        out.push_back(sheetText(z.schedule.left, z.schedule.top + h + kContinuedHeight / 2, "Continued on sheet " + std::to_string(parts.size() + 1) + ".",
                                kScheduleText, Role::Schedule, false, HAlign::Left));
    } else {
      out.push_back(sheetText(z.schedule.left, z.schedule.top + 4,
                              "FOOTING SCHEDULE: SEE SHEET " + std::to_string(parts.size() + 1), kScheduleTitleText,
                              Role::Schedule, true, HAlign::Left));
    }
    drawNotes(b.notes, z.notes.left, z.notes.top, z.notes.right - z.notes.left, d.measure, out);
  } else {
    out.push_back(sheetText(z.schedule.left, z.schedule.top + 4, "FOOTING SCHEDULE AND NOTES: SEE SHEET 1",
                            kScheduleTitleText, Role::Notes, true, HAlign::Left));
  }
  drawTitleBlock(titleFields(d.project, d.settings, scaleText, s.number, count), z.title, d.measure, out);
  return s;
}

Sheet scheduleSheet(const Drawing& d, const Zones& z, int scale, const std::vector<std::pair<std::size_t, std::size_t>>& columns,
                    int number, int count, const std::string& scaleText) {
  Sheet s;
  s.kind = Sheet::Kind::Schedule;
  s.paper = z.paper;
  s.arrangement = z.arrangement;
  s.number = number;
  s.count = count;
  s.scale = scale;
  std::vector<Primitive>& out = s.primitives;
  out.push_back(rule(draw::box(z.drawing.left, z.drawing.top, z.drawing.right, z.drawing.bottom), kFrameWidth));
  double x = z.drawing.left + kPad;
  for (const auto& [first, last] : columns) {
    drawSchedule(d.blocks.schedule, d.blocks.table, first, last, x, z.drawing.top + kPad, "FOOTING SCHEDULE (CONTINUED)", out);
    x += d.blocks.table.width + 2 * kGap;
  }
  drawTitleBlock(titleFields(d.project, d.settings, scaleText, number, count), z.title, d.measure, out);
  return s;
}

Drawing prepare(const Project& p, const SheetSettings& s, const draw::TextMeasure& measure) {
  Drawing d{p, s, measure, planContent(p), {}};
  d.blocks.schedule = sheetSchedule(p);
  d.blocks.table = measureSchedule(d.blocks.schedule, measure);
  d.blocks.notes = generalNotes(p);
  return d;
}

// The arrangement and scale the paper sheets use.
std::optional<Choice> choose(const Drawing& d, const Paper& paper) {
  std::optional<Choice> best;
  std::size_t bestSheets = 0;
  for (const auto& zones : {sideZones(paper, d.blocks, d.measure), bottomZones(paper, d.blocks, d.measure)}) {
    if (!zones) continue;
    // The fewest sheets in all (plan parts and the schedule's continuation sheets), then the largest
    // scale: a drawing that fits one sheet at 1:125 beats one at 1:100 that sends rows to a second.
    const Choice c = chooseFor(d.content, *zones);
    const std::size_t sheets = c.parts + scheduleLayout(d.blocks, c.zones).sheets.size();
    if (!best || sheets < bestSheets || (sheets == bestSheets && c.scale < best->scale)) {
      best = c;
      bestSheets = sheets;
    }
  }
  return best;
}

}  // namespace

std::vector<Sheet> footingSheets(const Project& project, const SheetSettings& settings, const draw::TextMeasure& measure) {
  const Drawing d = prepare(project, settings, measure);
  const Paper paper = paperNamed(settings.paper);
  std::optional<Choice> choice = choose(d, paper);
  if (!choice) {
    // Neither arrangement leaves room for its blocks (a schedule wider than the sheet): the side column
    // at its widest, the schedule on sheets of its own.
    Zones z;
    z.paper = paper;
    z.drawing = drawingOf(paper);
    const double left = z.drawing.right - titleWidthFor(paper);
    z.plan = {z.drawing.left, z.drawing.top, left, z.drawing.bottom};
    z.title = {left, z.drawing.bottom - kTitleBlockHeight, z.drawing.right, z.drawing.bottom};
    z.notes = {left + kPad, z.drawing.top + kPad, z.drawing.right - kPad, z.title.top - kGap};
    z.schedule = {left + kPad, z.drawing.top + kPad, left + kPad, z.drawing.top + kPad};
    choice = chooseFor(d.content, z);
  }
  const Zones& z = choice->zones;
  const std::vector<PlanPart> parts = partsOf(d.content, choice->split);
  const ScheduleLayout schedule = scheduleLayout(d.blocks, z);
  const int count = static_cast<int>(parts.size() + schedule.sheets.size());
  const std::string scaleText = "1:" + std::to_string(choice->scale) + " (" + paper.name + ")";
  std::vector<Sheet> sheets;
  for (std::size_t k = 0; k < parts.size(); ++k)
    sheets.push_back(planSheet(d, z, choice->scale, parts, k, schedule, count, scaleText));
  for (std::size_t k = 0; k < schedule.sheets.size(); ++k)
    sheets.push_back(scheduleSheet(d, z, choice->scale, schedule.sheets[k], static_cast<int>(parts.size() + k) + 1, count,
                                   scaleText));
  return sheets;
}

Sheet cadSheet(const Project& project, const SheetSettings& settings, const draw::TextMeasure& measure) {
  const Drawing d = prepare(project, settings, measure);
  const Paper paper = paperNamed(settings.paper);
  const std::optional<Choice> choice = choose(d, paper);
  const int scale = choice ? choice->scale : kStandardScales.back();

  // A sheet as large as the whole plan needs at that scale, with the blocks in a column beside it.
  const Rect& e = d.content.extent;
  const double planWidth = (e.right - e.left) / scale + kBandBefore + kBandAfter + 2 * kPlanMargin;
  const double planHeight = (e.bottom - e.top) / scale + kBandBefore + kBandAfter + kCaptionHeight + 2 * kPlanMargin + 1;
  const double column = std::max(titleWidthFor(paper), d.blocks.table.width + 2 * kPad);
  double rows = 0;
  for (double r : d.blocks.table.rows) rows += r;
  const double notes = notesHeight(d.blocks.notes, column - 2 * kPad, measure);
  const double columnHeight = kPad + kScheduleTitleHeight + d.blocks.table.header + d.blocks.table.message + rows + 2 * kGap +
                              notes + kGap + kTitleBlockHeight + 1;
  Paper sized{"", kFrameLeft + planWidth + column + kFrameOther,
              2 * kFrameOther + std::max(planHeight, columnHeight)};
  Zones z;
  z.arrangement = Arrangement::Side;
  z.paper = sized;
  z.drawing = drawingOf(sized);
  const double left = z.drawing.right - column;
  z.plan = {z.drawing.left, z.drawing.top, left, z.drawing.bottom};
  z.title = {left, z.drawing.bottom - kTitleBlockHeight, z.drawing.right, z.drawing.bottom};
  z.notes = {left + kPad, z.title.top - kGap - notes, z.drawing.right - kPad, z.title.top - kGap};
  z.schedule = {left + kPad, z.drawing.top + kPad, z.drawing.right - kPad, z.notes.top - kGap};

  const std::vector<PlanPart> whole = partsOf(d.content, {});
  ScheduleLayout schedule;
  schedule.onFirst = d.blocks.table.rows.size();
  Sheet s = planSheet(d, z, scale, whole, 0, schedule, 1, "1:" + std::to_string(scale));
  return s;
}

}  // namespace plintova::print
