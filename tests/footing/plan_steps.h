// The engineer's plan edits as single steps on a project, for tests that build a plan without the editor:
// each makes the decision the window would and derives the plan again.
#pragma once

#include <string>

#include "footing/combined_footings.h"
#include "footing/derived_plan.h"
#include "footing/footing_width.h"
#include "footing/plan_decisions.h"
#include "footing/size_groups.h"
#include "model/numbers.h"
#include "model/project.h"
#include "model/prompter.h"

namespace plintova::testing {

// Combines the two footings whose centres lie inside the window; true when a combined footing was made.
inline bool combineFootings(Project& p, PlanRect window, Prompter& prompter) {
  const CombineChoice choice = chooseCombinePair(p, window, prompter);
  return choice && applyDecisions(p, withCombinedPair(p, choice.first, choice.second), prompter);
}

// Dissolves the combined footing footing s belongs to, with the window's " n Is Deleting"; false (and
// nothing changes) when s is no member of one.
inline bool dissolveCombinedFooting(Project& p, int s, Prompter& prompter) {
  if (s < 1 || s > p.FootingCount || p.FootingTable[s].Kind != FootingKind::Combined) return false;
  prompter.message(numberText(p.FootingTable[s].CombinedNo) + " Is Deleting");
  return applyDecisions(p, withCombinedDissolved(p, s), prompter);
}

// The assignment with its messages shown: the refusal, or the footings that found no group in one
// message. False when refused.
inline bool assignSizeGroups(Project& p, Prompter& prompter) {
  const AssignOutcome outcome = assignFootingsToGroups(p);
  if (!outcome.refusal.empty()) {
    prompter.message(outcome.refusal);
    return false;
  }
  if (!outcome.missed.empty()) prompter.message(missedSizeMessage(p, outcome.missed));
  return true;
}

// One step down of group g's size (wrapping as the size-group row does), then the plan derived again.
inline bool stepGroupSize(Project& p, int g, Prompter& prompter) {
  if (g < 1 || g > p.SizeGroupCount) return false;
  return applyDecisions(p, withGroupStepped(p, g), prompter);
}

// One wheel notch on footing s; returns the size label text of what was resized ("" for no footing).
inline std::string resizeFooting(Project& p, int s, int direction, Prompter& prompter) {
  if (s < 1 || s > p.FootingCount) return {};
  if (const auto next = withResizeStep(p, s, direction)) applyDecisions(p, *next, prompter);
  const FootingRecord& f = p.FootingTable[s];
  return f.Kind == FootingKind::Combined ? combinedSizeText(p, f.CombinedNo) : sizeProductText(f.SizeL, f.SizeB);
}

}  // namespace plintova::testing
