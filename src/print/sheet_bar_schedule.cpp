// The bar bending schedule's block of the drawing sheet, from the one schedule the workbook and the report
// also print.
#include "print/sheet_bar_schedule.h"

#include "design/bar_bending.h"
#include "model/numbers.h"
#include "print/sheet_text.h"

namespace plintova::print {

namespace {

// The widest the member's text may run before it goes on over lines, mm: the table stays narrower than a
// sheet's area beside the title block.
constexpr double kMemberWidth = 42;

// "bottom each way"; "pedestal at joint 21 ties" over two lines where it is long.
std::string memberText(const BarMark& m, const draw::TextMeasure& measure) {
  const std::string text = m.member == "footing" ? m.where : m.member + " " + m.where;
  std::string out;
  for (const std::string& line : wrapText(text, kMemberWidth, kScheduleText, false, measure))
    out += (out.empty() ? "" : "\n") + line;
  return out;
}

}  // namespace

SheetSchedule sheetBarSchedule(const Project& p, const draw::TextMeasure& measure) {
  SheetSchedule s;
  s.headers = {"MARK", "MEMBER", "\u00d8", "SHAPE", "A", "B", "C", "NO./\nFTG", "NO.", "CUT", "LENGTH\nm", "WEIGHT\nkg"};
  if (!p.scheduleDesigned) return s;
  const BarBendingSchedule bbs = barBendingSchedule(p);
  for (const BarMark& m : bbs.bars) {
    std::vector<std::string> row{m.mark, memberText(m, measure), std::to_string(m.dia), shapeCode(m.shape)};
    for (std::size_t k = 0; k < 3; ++k) row.push_back(k < m.dims.size() ? numberText(m.dims[k]) : "");
    row.push_back(std::to_string(m.perFooting));
    row.push_back(std::to_string(m.count()));
    row.push_back(numberText(m.cutLength));
    row.push_back(numberText(roundTo(m.totalLength(), 2)));
    row.push_back(numberText(roundTo(m.weight(), 1)));
    s.rows.push_back(std::move(row));
  }
  for (const DiameterTotal& t : bbs.byDiameter)
    s.rows.push_back({"", "total of " + std::to_string(t.dia) + " \u00d8", std::to_string(t.dia), "", "", "", "", "", "", "",
                      numberText(roundTo(t.length, 2)), numberText(roundTo(t.weight, 1))});
  s.rows.push_back({"", "TOTAL", "", "", "", "", "", "", "", "", "", numberText(roundTo(bbs.weight, 1))});
  return s;
}

SheetBlock barScheduleBlock(const Project& p, const draw::TextMeasure& measure) {
  const SheetSchedule schedule = sheetBarSchedule(p, measure);
  SheetBlock b;
  b.title = "BAR BENDING SCHEDULE";
  b.ownSheets = true;
  if (schedule.rows.empty()) return b;
  const TableSize size = measureSchedule(schedule, measure);
  b.width = size.width;
  b.head = kScheduleTitleHeight + size.header + size.message;
  b.rows = size.rows;
  // The title states the bends' radius: the cutting lengths depend on it.
  const std::string title = "BAR BENDING SCHEDULE (IS 2502, mm; BENDS r = " + numberText(p.decisions.options.bendRadius) +
                            " \u00d8)";
  b.draw = [schedule, size, title](std::size_t first, std::size_t last, double x, double z, bool continued,
                                   std::vector<draw::Primitive>& out) {
    drawSchedule(schedule, size, first, last, x, z, continued ? title + " (CONTINUED)" : title, out);
  };
  return b;
}

}  // namespace plintova::print
