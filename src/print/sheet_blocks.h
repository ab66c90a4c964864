// The blocks of the drawing sheet around the plan: general notes, title block, and the plan's caption
// with scale bar, key plan and north arrow.
#pragma once

#include <string>
#include <vector>

#include "draw/primitives.h"
#include "model/project.h"

namespace plintova::print {

// The general notes, one text each: units, soil (SBC and founding depth), grades, cover, the load cases
// used and those checked against 1.25 x SBC, what the marks and bar texts mean, and the footings left
// out of the drawing (disabled), if any.
std::vector<std::string> generalNotes(const Project& project);

// Height of the notes (heading included) set in `width` mm, and the notes drawn there.
double notesHeight(const std::vector<std::string>& notes, double width, const draw::TextMeasure& measure);
void drawNotes(const std::vector<std::string>& notes, double x, double z, double width, const draw::TextMeasure& measure,
               std::vector<draw::Primitive>& out);

// What the title block says.
struct TitleFields {
  std::string project, title, number, revision, scale, sheet, date, drawnBy, checkedBy, listing;
};

constexpr double kTitleBlockHeight = 50;
// The narrowest title block that holds its fields legibly, mm.
constexpr double kTitleBlockMinWidth = 140;

// The title block filling `area` (kTitleBlockHeight high): project, drawing title, drawing number,
// revision, scale, sheet, date, drawn and checked by, and the listing. Values too long for their cell are
// set smaller, down to the smallest text, then cut.
void drawTitleBlock(const TitleFields& fields, const draw::Rect& area, const draw::TextMeasure& measure,
                    std::vector<draw::Primitive>& out);

// The strip under the plan: its title and scale, the scale bar, the key plan of a split plan and the
// north arrow.
constexpr double kCaptionHeight = 20;

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
