// The example frame designed with a decision of the kinds the report lists, for the report tests.
#pragma once

#include <memory>
#include <string>

#include "footing/derived_plan.h"
#include "footing/design_inputs.h"
#include "footing/plan_decisions.h"
#include "input/listing_reader.h"
#include "model/project.h"
#include "model/prompter.h"
#include "project/schedule_design.h"

namespace plintova::report_test {

// Footing index of the support with joint number `joint`, 0 when there is none.
inline int footingOfJoint(const Project& p, int joint) {
  for (int s = 1; s <= p.FootingCount; ++s)
    if (p.FootingTable[s].JointNo == joint) return s;
  return 0;
}

// FRAME1 with SBC 200 and a founding depth of 1.5 m: joints 20 and 21 combined, joint 22 made rectangular
// with one wheel notch, joint 40 disabled, and the first group's bars stepped to 12 mm; designed. Empty
// when a step fails (the caller asserts).
inline std::unique_ptr<Project> designedFrame1(const std::string& listing) {
  auto p = std::make_unique<Project>();
  RecordingPrompter prompter;
  readListing(*p, listing, prompter);
  if (!acceptDesignInputs(*p, "1.5", "200")) return nullptr;
  if (!startPlan(*p, prompter).empty()) return nullptr;
  const int a = footingOfJoint(*p, 20), b = footingOfJoint(*p, 21), c = footingOfJoint(*p, 22),
            d = footingOfJoint(*p, 40);
  if (!a || !b || !c || !d) return nullptr;
  if (!applyDecisions(*p, withCombinedPair(*p, a, b), prompter)) return nullptr;
  const auto resized = withResizeStep(*p, c, +1);
  if (!resized || !applyDecisions(*p, *resized, prompter)) return nullptr;
  if (!applyDecisions(*p, withFootingToggled(*p, d), prompter)) return nullptr;
  if (!designSchedule(*p, prompter)) return nullptr;
  const auto bars = withScheduleEdit(*p, 1, ScheduleField::BarDia);
  if (!bars) return nullptr;
  p->decisions = *bars;
  if (!designSchedule(*p, prompter)) return nullptr;
  SheetSettings& sheet = p->decisions.sheet;
  sheet.project = "Hostel block, Pune";
  sheet.number = "B-12";
  sheet.designedBy = "AVS";
  sheet.checkedBy = "PSV";
  sheet.revisions = {{"2", "2025-01-10", "For comment"}, {"3", "2025-01-31", "For construction"}};
  return p;
}

}  // namespace plintova::report_test
