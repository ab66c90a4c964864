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
// whatever its kind, in ascending order of size, each with its pedestal, bar diameter 10 and its
// check box ticked. More distinct sizes than the table holds are refused: the reason is returned (an
// empty text when the groups were built) and the groups stay as they were.
std::string BuildSizeGroups(Project& p);

// What one assignment did: a refusal (nothing changed) or the footings that found no ticked group
// large enough (they keep their size).
struct AssignOutcome {
  std::string refusal;
  std::vector<int> missed;  // footing indices, in table order
};

// Puts every isolated footing into the smallest ticked group that is large enough, sets
// its adopted size, numbers the groups that received footings (GroupMark) and the hand-resized
// footings (GroupRank 1, 2, ... in footing order). An assignment that would put more
// footings into one group than it holds is refused with the reason naming the limit, and nothing
// changes.
AssignOutcome assignFootingsToGroups(Project& p);

// The one message for the footings that found no group: a line "<joint> Missed   Size = <size> M"
// per footing (the required size rounded to a whole number).
std::string missedSizeMessage(const Project& p, const std::vector<int>& missed);

// What the three controls of group g show: its size (LabW), " F" and its mark (Check1) and its
// footing count (LabNo); the last two are empty for a group without footings.
struct GroupCaptions {
  std::string size, check, count;
};
GroupCaptions groupCaptions(const Project& p, int g);

}  // namespace plintova
