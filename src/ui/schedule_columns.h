// The schedule window's columns: their places in twips, their headings with units and tooltips, and
// the edit box that shows its unit.
#pragma once

#include <QLineEdit>
#include <array>

#include "design/schedule.h"
#include "draw/primitives.h"

class QLabel;
class QWidget;

namespace plintova {

// Twips as pixels, at 15 twips per pixel.
constexpr int px(int twips) { return (twips + draw::kTwipsPerPixel / 2) / draw::kTwipsPerPixel; }

struct ColumnPlace {
  const char* name;  // control array name
  int left, width;   // twips
};

// In column order, with the control names that the schedule's controls carry. The columns after the
// pedestal stand 300 twips further right than the original window's, so that two sides ("0.55 x 0.53 m")
// fit the pedestal's box.
constexpr std::array<ColumnPlace, kScheduleColumns> kPlaces = {{
    {"LabF1", 300, 500},     {"LabNos", 1000, 500},  {"LabSize", 2000, 500}, {"TxtDepth", 3000, 615},
    {"TxtPeda", 4000, 735},  {"LabNetP", 5500, 500}, {"LabCant", 6300, 495}, {"LabMu", 7100, 500},
    {"LabMuBdd", 7905, 735}, {"LabPt", 8800, 500},   {"LabAst", 9500, 500},  {"LabGdia", 10700, 495},
    {"LabSpace", 11300, 570}, {"LabRods", 12300, 645}, {"LabSF1", 13500, 500}, {"LabSS1", 14205, 495},
    {"LabPS1", 14900, 500},  {"LabSF2", 16100, 500}, {"LabSS2", 16800, 500}, {"LabPS2", 17500, 500},
}};

// A column's heading: what it holds, in short, over its unit; the tooltip says it in full.
struct ColumnHeading {
  const char* name;  // "Depth", "τv"
  const char* unit;  // "(m)", "(N/mm²)", or "" for counts and marks
  const char* tip;
};
const std::array<ColumnHeading, kScheduleColumns>& columnHeadings();
// The heading as the header line shows it: the name over the unit.
QString headingText(int column);

// Headings over several columns: the two shear checks.
struct ColumnGroupHeading {
  const char* text;
  int first, last;  // columns
};
inline constexpr ColumnGroupHeading kGroupHeadings[] = {{"One-way shear", kColSF1, kColPS1},
                                                         {"Punching shear", kColSF2, kColPS2}};

// Whether a column's cells are edit boxes (depth, pedestal) or answer a click (mark, number, diameter).
inline bool isEditColumn(int column) { return column == kColDepth || column == kColPedestal; }
inline bool isClickColumn(int column) { return column == kColMark || column == kColNos || column == kColDia; }

// Pixels kept clear before the next column when a text needs more room.
inline constexpr int kColumnGap = 4;
// Room a text may take in a column: at least the column's own width, at most up to the next column.
int roomOf(int column);
// A smaller face, down to 7 pt, for a label whose text is wider than the label.
void shrinkToFit(QWidget* w);
// Widens a control whose text does not fit its column width, never past the next column.
void fitWidth(QWidget* w, const QString& text, int column);
// A smaller face for a heading whose widest line does not fit the room its column has.
void fitHeading(QWidget* w, int column);

// An edit box with its unit at its right end, outside the text ("0.4" then a grey "m").
class UnitLineEdit : public QLineEdit {
 public:
  UnitLineEdit(const QString& unit, QWidget* parent);
  // Width the unit takes, pixels.
  int unitWidth() const;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QLabel* unit_;
};

}  // namespace plintova
