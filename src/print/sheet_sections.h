// The typical sections of the schedule rows on the drawing sheet: for each row a section through the
// footing and its pedestal, and for a combined footing a longitudinal section and a plan of its steel,
// drawn to a standard scale from the designed rows and named with the bar bending schedule's marks.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "draw/primitives.h"
#include "model/project.h"
#include "print/sheet_blocks.h"

namespace plintova::print {

// The plan size of a pedestal as a view draws it, mm: its side along the view (a view along X, or along
// Z) and its side across it. Every view takes a pedestal's size from here, the sides from the footing's
// pedestal as built (footingPedestal).
struct PedestalInView {
  double along = 0, across = 0;
};
PedestalInView pedestalInView(const PedestalSides& sides, bool viewAlongX);

// The scales the sections are drawn at, largest first.
inline constexpr std::array<int, 8> kSectionScales{20, 25, 50, 75, 100, 125, 150, 200};

// The largest scale at which a view `width` x `height` model mm fits `room` paper mm (the smallest
// scale where none does).
int sectionScale(double width, double height, double roomWidth, double roomHeight);

// One view of a row: its title (with the scale), its size on paper and how it is drawn with its top-left
// corner at a paper point.
struct SectionView {
  std::string row;    // "F1", "R1", "C1"
  std::string title;  // "F1: TYPICAL SECTION (11 NOS)  1:50"
  std::string sizes;  // under the title of a section: "FOOTING 2200 x 2200 x 500 DEEP, PEDESTAL 600 x 600 (X x Z)"
  int scale = 50;
  double width = 0, height = 0;  // paper mm
  std::function<void(double x, double z, std::vector<draw::Primitive>& out)> draw;
};

// The views of every designed row in schedule order, each at most `width` paper mm wide: nothing before
// the schedule is designed.
std::vector<SectionView> sectionViews(const Project& p, double width, const draw::TextMeasure& measure);

// The views as a block of the sheet, a row per view, on sheets of their own.
inline constexpr const char* kSectionsTitle = "TYPICAL SECTIONS";
SheetBlock sectionsBlock(const Project& p, double width, const draw::TextMeasure& measure);

}  // namespace plintova::print
