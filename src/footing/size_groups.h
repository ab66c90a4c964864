// Size groups: the standard square footing sizes, the assignment of footings to them and their captions.
#pragma once

#include <string>
#include <vector>

#include "model/project.h"
#include "model/prompter.h"

namespace plintova {

// Side of the pedestal for a footing side, m.
float PedestalSizeFor(float size);

// Builds one group per distinct required size rounded up to the next 0.1 m, over every footing
// whatever its CombNo, in ascending order of size, each with its pedestal, bar diameter 10 and its
// check box ticked. More distinct sizes than the table holds are refused: the reason is returned (an
// empty text when the groups were built) and the groups stay as they were.
std::string BuildSizeGroups(Project& p);

// What one assignment did: a refusal (nothing changed) or the footings that found no ticked group
// large enough (they keep their size).
struct AssignOutcome {
  std::string refusal;
  std::vector<int> missed;  // footing indices, in table order
};

// Puts every ordinary footing (CombNo 0) into the smallest ticked group that is large enough, sets
// its adopted size, numbers the groups that received footings (GroupMark) and the hand-resized
// footings (CombNo -1, GroupRank 1, 2, ... in footing order). An assignment that would put more
// footings into one group than it holds is refused with the reason naming the limit, and nothing
// changes.
AssignOutcome assignFootingsToGroups(Project& p);

// The one message for the footings that found no group: a line "<joint> Missed   Size = <size> M"
// per footing (the required size rounded to a whole number).
std::string missedSizeMessage(const Project& p, const std::vector<int>& missed);

// The assignment with its messages shown: the refusal, or the footings that found no group in one
// message. False when refused.
bool AssignSizeGroups(Project& p, Prompter& prompter);

// What the three controls of group g show: its size (LabW), " F" and its mark (Check1) and its
// footing count (LabNo); the last two are empty for a group without footings.
struct GroupCaptions {
  std::string size, check, count;
};
GroupCaptions groupCaptions(const Project& p, int g);

// Lowers the size of group g by 0.05 m; below its base size less 0.05 m it wraps to the base size
// plus 0.05 m. Then the plan is derived again. When the assignment is refused the size is put back.
bool stepGroupSize(Project& p, int g, Prompter& prompter);

}  // namespace plintova
