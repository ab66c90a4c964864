// The drawing of one plan part on a sheet: shared by the files that draw its grid and dimensions
// (sheet_plan_drawing.cpp) and its labels (sheet_plan_labels.cpp).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "draw/primitives.h"
#include "print/sheet_plan.h"
#include "print/sheet_text.h"

namespace plintova::print::plan {

// Paper millimetres around the drawn extent (see kBandBefore and kBandAfter).
constexpr double kBubbleRadius = 4.5;
constexpr double kBubbleSpacing = 2 * kBubbleRadius + 0.3;  // closest centres of two bubbles side by side
constexpr double kChainLine = 7;       // grid chain dimension line, from the extent
constexpr double kOverallLine = 17.5;  // overall dimension line
constexpr double kBubbleNear = 28;     // bubble centre on the dimensioned sides
constexpr double kBubbleFar = 8.5;     // bubble centre on the other sides
constexpr double kSetOutLine = 2.5;    // setting-out dimension line from the footing's edge

// Point sizes: nothing below the smallest lettering of the sheet.
constexpr double kGridNameText = kSmallestText;
constexpr double kDimensionText = kSmallestText;
constexpr double kMarkText = 11;
constexpr double kJointText = kSmallestText;
constexpr double kMatchText = kSmallestText;

// Line widths in tenths of a millimetre on paper.
constexpr double kGridWidth = 1.8;
constexpr double kBubbleWidth = 2.5;
constexpr double kDimensionWidth = 1.3;
constexpr double kFootingWidth = 3.5;
constexpr double kPedestalWidth = 2.5;
constexpr double kColumnWidth = 1.5;
constexpr double kMatchWidth = 6;
constexpr double kLeaderWidth = 1;

// A text of the plan centred on a point, and where it lies.
struct Label {
  draw::Primitive text;
  draw::Rect rect;
};

class PlanDrawing {
 public:
  PlanDrawing(const PlanContent& content, const PlanPart& part, const PlanPlacement& at,
              const draw::TextMeasure& measure, std::vector<draw::Primitive>& out);

  void draw();
  // Labels that found no free place and stand over another text or outline, and setting-out dimensions
  // left out for want of room.
  int stuck() const { return stuck_; }
  // Labels that found no free place nearer their own footing than any other, set off with a leader.
  int led() const { return led_; }

 private:
  const PlanContent& content_;
  const PlanPart& part_;
  const PlanPlacement& at_;
  const draw::TextMeasure& measure_;
  std::vector<draw::Primitive>& out_;
  Placer texts_;     // texts and bubbles
  Placer outlines_;  // footing outlines, in drawing order
  Placer blocks_;    // pedestals and columns
  std::vector<std::size_t> xs_, zs_;
  std::vector<const PlanFooting*> footings_;
  std::vector<const PlanColumn*> bare_;
  draw::Rect extent_;
  int stuck_ = 0, led_ = 0;

  // sheet_plan_drawing.cpp
  draw::Rect paperRect(const draw::Rect& r) const;
  draw::Rect blockRect(const PlanBlock& b) const;
  Label labelAt(const draw::Primitive& proto, double x, double z) const;
  draw::TextSize sizeOf(const draw::Primitive& p) const;
  Label choose(const draw::Primitive& proto, const std::vector<draw::Point>& centres,
               const std::function<bool(const draw::Rect&)>& fits = {});
  void place(const draw::Primitive& proto, const std::vector<draw::Point>& centres);
  void emitDimension(bool vertical, double a, double b, double across, double from, const Label& figure);
  void bubble(double x, double z, const std::string& name);
  void bubbleRow(bool alongX, const std::vector<std::size_t>& lines, double near, double far);
  void gridLines();
  void matchLine(bool vertical, double at, int sheet);
  void matchLines();
  void dimension(bool vertical, double a, double b, double across, const std::string& value);
  void overall(bool vertical, const std::vector<double>& grid, double across);
  void chains(bool vertical);
  void column(const PlanBlock& b, draw::Id id);
  void outline(const PlanFooting& f);

  // sheet_plan_labels.cpp
  bool clearOfOutlines(const draw::Rect& r) const;
  bool nearestIsOwn(const draw::Rect& r, const draw::Rect& own) const;
  void leader(const draw::Rect& from, const draw::Rect& to, draw::Id id);
  bool placeAround(const draw::Primitive& proto, const draw::Rect& own, const std::vector<double>& gaps, bool ownership);
  void placeLabel(const draw::Primitive& proto, const draw::Rect& own, const std::vector<draw::Point>& inner,
                  const std::function<bool(const draw::Rect&)>& clearInside);
  void mark(const PlanFooting& f);
  void jointLabel(const PlanJoint& j, const draw::Rect& own, draw::Id id);
  void setOutAlong(const PlanFooting& f, bool vertical);
};

draw::Primitive styled(draw::Primitive p, draw::Role role, double width,
                       draw::LineStyle style = draw::LineStyle::Solid, draw::Id id = {});

}  // namespace plintova::print::plan
