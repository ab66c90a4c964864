// Where a window of the program goes on the screen: plain functions of rectangles in screen pixels, so
// that the rule can be read and tested apart from the windows.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <vector>

namespace plintova {

// What a tool window (the schedule, the column window) opened beside the main window should cover least.
struct ToolWindowScene {
  QRect screen;               // the screen's available area
  QRect mainFrame;            // the main window's frame
  QRect plan;                 // the plan
  QRect commands;             // the line of commands and display options above the plan
  QRect groupRow;             // the size-group row below the plan
  std::vector<QRect> others;  // the program's other open windows
};

// The top-left corner of a tool window whose frame is `size`: on the screen, where it covers least of
// what is needed: never the commands or the group row if it can be helped, then no other open window
// of the program, then as little of the plan as possible. The places tried lie around the main window
// first, then in the corners of the plan; the first of equal cost wins.
QPoint toolWindowPlace(QSize size, const ToolWindowScene& scene);

// What a detail popup shown beside a footing should keep clear of.
struct PopupScene {
  QRect screen;               // the screen's available area
  QRect plan;                 // the plan
  QRect mainFrame;            // the main window's frame
  QRect footing;              // the footing the popup shows (its outline and label)
  QRect schedule;             // the schedule window, empty when it is closed
  std::vector<QRect> others;  // the other open popups and the column window
};

// The top-left corner of a popup whose frame is `size`: beside the footing, so that the two are seen
// together; inside the plan when the popup fits there (else inside the main window), always on the
// screen, never over the schedule (its rows are what a popup is read against), then over as little as
// possible of the footing and the other windows, and as near the footing as may be.
QPoint popupPlace(QSize size, const PopupScene& scene);

}  // namespace plintova
