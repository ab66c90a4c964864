// The blocks of the drawing sheet around the plan: general notes, title block, and the plan's caption
// with scale bar, key plan and north arrow.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "draw/primitives.h"
#include "model/decisions.h"
#include "model/project.h"

namespace plintova::print {

// A block of the sheet beside the plan (the schedule, the notes, and whatever else a sheet carries): a
// heading over rows that may go on in another column or on another sheet, the heading (and a table's
// header) repeated over every piece. Sizes in paper millimetres.
struct SheetBlock {
  std::string title;          // "FOOTING SCHEDULE"
  double width = 0;
  double head = 0;            // the heading and anything repeated with it
  std::vector<double> rows;   // heights
  // Never on the plan's sheet (sections, the bar bending schedule): it starts on the sheets of blocks and
  // does not widen the column beside the plan.
  bool ownSheets = false;
  // Draws rows [first, last) with the block's top-left corner at (x, z); `continued` on every piece
  // after the first.
  std::function<void(std::size_t first, std::size_t last, double x, double z, bool continued,
                     std::vector<draw::Primitive>& out)>
      draw;
  // The height of rows [first, last) with the heading.
  double height(std::size_t first, std::size_t last) const;
};

// The general notes, one text each: units, soil (SBC and founding depth), grades, cover, the load cases
// used and those checked against 1.25 x SBC, what the marks and bar texts mean, and the footings left
// out of the drawing (disabled), if any.
std::vector<std::string> generalNotes(const Project& project);

// The notes as a block set in `width` mm, a row per note.
SheetBlock notesBlock(const std::vector<std::string>& notes, double width, const draw::TextMeasure& measure);

// What the title block says. `revisions` are the last issues of the drawing, oldest first.
struct TitleFields {
  std::string firm, client, project, title, number, revision, scale, sheet, date;
  std::string drawnBy, designedBy, checkedBy, approvedBy, listing;
  std::vector<Revision> revisions;
  std::string stamp;  // "PRELIMINARY - NOT FOR CONSTRUCTION" while the drawing may not be issued, else ""
};

// The revisions the title block has room for (the latest ones).
constexpr std::size_t kTitleRevisionRows = 3;
constexpr double kTitleBlockHeight = 74;
// A stamp takes a row of its own at the top of the title block.
constexpr double kTitleStampHeight = 10;
constexpr double titleBlockHeight(bool stamped) { return kTitleBlockHeight + (stamped ? kTitleStampHeight : 0); }
// The narrowest title block that holds its fields legibly, mm.
constexpr double kTitleBlockMinWidth = 140;

// The title block filling `area` (titleBlockHeight high), in rows: the stamp, if any, in bold capitals
// framed heavily; firm and client; project; drawing
// title; the revision table (revision, date, description); drawing number, revision, scale and sheet;
// date, drawn, designed, checked and approved by; the listing and the program. Values too long for their
// cell are set smaller, down to the smallest text, then cut.
void drawTitleBlock(const TitleFields& fields, const draw::Rect& area, const draw::TextMeasure& measure,
                    std::vector<draw::Primitive>& out);

// The strip under the plan: its title and scale, the scale bar, the key plan of a split plan and the
// north arrow.
constexpr double kCaptionHeight = 22;

struct KeyPlan {
  draw::Rect whole;               // plan mm
  std::vector<draw::Rect> parts;  // plan mm
  std::size_t current = 0;
};

void drawCaption(const draw::Rect& strip, const std::string& title, int scale, double northRotation,
                 const KeyPlan* key, const draw::TextMeasure& measure, std::vector<draw::Primitive>& out);

// The scale bar's division in metres at 1:scale: 0.5, 1, 2, 5, 10 or 20 m, whichever makes five
// divisions closest to 50 mm on paper.
double scaleBarStep(int scale);

}  // namespace plintova::print
