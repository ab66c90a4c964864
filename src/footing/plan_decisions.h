// The engineer's actions on the plan as changes of the decisions: each returns the decisions after the
// action and leaves the project alone, so that the change can be applied, refused or taken back whole.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "footing/combined_footings.h"
#include "model/decisions.h"
#include "model/project.h"
#include "model/prompter.h"

namespace plintova {

// The line two columns of a combined footing lie on: along Z when the cross offset |dX| is at most
// 600 mm and the later footing lies more than 1000 mm further along Z, else along X by the same test.
struct PairAxis {
  int16_t axis = 0;       // 0 along Z, 1 along X
  int64_t distance = 0;   // centre distance along the axis, mm (more than 1000)
  int64_t skew = 0;       // cross offset, later member less earlier one, mm
};
std::optional<PairAxis> pairAxis(const Project& p, int a, int b);

// The pair of footings a selection window asks to combine, after every check: exactly two footing
// centres strictly inside the window, neither combined already nor disabled, room in the table, one
// line (" Deviation Exceeds : ( > 600 mm)" otherwise) and a skew of more than 10 mm confirmed by the
// engineer. Refusals that need an answer or an explanation go through the prompter; a window that
// holds no footing, one, or three or more says why in `status` only (a line for the status bar).
struct CombineChoice {
  int first = 0, second = 0;
  std::string status;
  explicit operator bool() const { return first > 0; }
};
CombineChoice chooseCombinePair(const Project& p, PlanRect window, Prompter& prompter);

// The edits. `p` is the project as last derived (its kinds, sizes and groups are current).
Decisions withCombinedPair(const Project& p, int first, int second);
// Dissolves the combined footing footing s belongs to; its members become ordinary footings.
Decisions withCombinedDissolved(const Project& p, int s);
// A click in disable mode: a disabled or hand-resized footing becomes ordinary, an ordinary one is
// disabled, and a member of a combined footing dissolves it (both members become ordinary).
Decisions withFootingToggled(const Project& p, int s);
// Shift+Delete on a hand-resized footing: it takes its group's square size again.
Decisions withResizeCleared(const Project& p, int s);
// One wheel notch on footing s: its length grows or shrinks by 0.05 m and it becomes hand-resized
// (a disabled footing too); a member of a combined footing lengthens or shortens that footing by 0.1 m.
// Nothing when s is no footing or the length would leave its limits (limits::handLengthAllowed,
// limits::combinedLengthAllowed).
std::optional<Decisions> withResizeStep(const Project& p, int s, int direction);
// A group's tick.
Decisions withGroupChecked(const Project& p, int g, bool checked);
// Shift-press on a group's size: 0.05 m smaller; below its base size less 0.05 m it wraps to the base
// size plus 0.05 m. Sizes stay on the 0.05 m steps.
Decisions withGroupStepped(const Project& p, int g);
// Column offset steps of footing s (each -1, 0 or +1): its offset becomes what the steps give; nothing
// changes where the column's section is unknown.
Decisions withOffsetSteps(const Project& p, int s, OffsetSteps steps);
// A column offset of footing s typed in millimetres; nothing beyond limits::kLargestColumnOffset along either axis.
std::optional<Decisions> withOffsetMillimetres(const Project& p, int s, ColumnOffset offset);
// Every footing back under its column.
Decisions withOffsetsReset(const Project& p);

}  // namespace plintova
