// The engineer's decisions on the plan and the schedule, kept apart from everything derived from them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/design_options.h"
#include "model/single.h"

namespace plintova {

// Column offset steps of one footing: -1, 0 or +1 along X and along Z (a step is half the column's
// dimension less 115 mm).
struct OffsetSteps {
  int8_t x = 0, z = 0;
  bool operator==(const OffsetSteps&) const = default;
};

// Where a footing's centre stands off its column's, in whole millimetres along X and along Z: the steps
// of the column layout window give half the column's dimension less 115 mm, a typed offset any amount
// up to limits::kLargestColumnOffset.
struct ColumnOffset {
  int32_t dx = 0, dz = 0;
  bool operator==(const ColumnOffset&) const = default;
};

// Two footings joined into one combined footing, in footing-table order (first < second). `length`
// is the length the engineer chose with the wheel as the start of the design; 0 while the footing has
// the length it was first designed with.
struct CombinedPair {
  int16_t first = 0, second = 0;
  Single length = 0;
  bool operator==(const CombinedPair& o) const {
    return first == o.first && second == o.second && length.value() == o.length.value();
  }
};

// A footing made rectangular by hand: its length along X; the width follows from the length.
struct ResizedFooting {
  int16_t footing = 0;
  Single length = 0;
  bool operator==(const ResizedFooting& o) const { return footing == o.footing && length.value() == o.length.value(); }
};

// A size group whose size was stepped or whose tick was taken off, known by the size that created it.
struct GroupChoice {
  Single baseSize = 0;
  Single size = 0;
  bool checked = true;
  bool operator==(const GroupChoice& o) const {
    return baseSize.value() == o.baseSize.value() && size.value() == o.size.value() && checked == o.checked;
  }
};

// The edits of one schedule row: only the fields the engineer set. A group's row is known by the base
// size of its group; the row of a hand-resized or combined footing by its footings (`footings`: one
// footing index, or the two members in table order; in a saved project file these are joint numbers).
// The depth is the value typed (the design may raise it); a pedestal edit designs the depth afresh, so
// it clears an earlier depth edit of the row.
struct ScheduleEdit {
  Single baseSize = 0;
  std::optional<float> pedestalX, pedestalZ, depth;  // pedestal sides along X and Z, m
  std::optional<int16_t> barDia;
  std::vector<int32_t> footings;
  bool empty() const { return !pedestalX && !pedestalZ && !depth && !barDia; }
  bool isGroupRow() const { return footings.empty(); }
  bool sameRow(const ScheduleEdit& o) const {
    return footings == o.footings && (!footings.empty() || baseSize.value() == o.baseSize.value());
  }
  bool operator==(const ScheduleEdit& o) const {
    return baseSize.value() == o.baseSize.value() && pedestalX == o.pedestalX && pedestalZ == o.pedestalZ && depth == o.depth &&
           barDia == o.barDia && footings == o.footings;
  }
};

// One issue of the drawing: its revision mark, date and what changed.
struct Revision {
  std::string revision, date, description;
  bool operator==(const Revision&) const = default;
};

// The drawing sheet as the engineer sets it up: the title block's fields, the revisions, the paper and
// the north arrow. The revision shown is the last entry of `revisions`; `revision` stands for it while
// there are none (and follows the last entry otherwise, for readers of older project files).
struct SheetSettings {
  std::string firm, client, project, title = "FOOTING LAYOUT AND SCHEDULE", number, revision = "0", date;
  std::string drawnBy, designedBy, checkedBy, approvedBy;
  std::vector<Revision> revisions;  // oldest first
  std::string paper = "A3";   // "A3", "A2" or "A1", landscape
  double northRotation = 0;   // degrees, anticlockwise from the sheet's up direction
  const std::string& currentRevision() const { return revisions.empty() ? revision : revisions.back().revision; }
  bool operator==(const SheetSettings&) const = default;
};

// Everything the engineer decided. The footing table's kinds, sizes and positions, the group
// assignment and marks, the combined footings and the schedule are derived from these and the listing,
// so that a decision taken back (or read from a saved project) gives the same screen again.
// Footings are known by their index in the footing table, which is fixed for one reading of the listing.
struct Decisions {
  std::vector<ColumnOffset> offsets;      // by footing index (entry 0 unused); missing entries are 0, 0
  std::vector<int16_t> disabled;          // ascending footing indices
  std::vector<CombinedPair> combined;     // combined footing n is entry n - 1
  std::vector<ResizedFooting> resized;    // ascending footing indices
  std::vector<GroupChoice> groups;        // only groups that differ from their base size and tick
  std::vector<ScheduleEdit> schedule;     // in the order the rows were first edited
  SheetSettings sheet;                    // the drawing sheet's title block, paper and north arrow
  DesignOptions options;                  // unit weights, friction, stability factors, SBC increase, h

  ColumnOffset offsetOf(int s) const {
    return s >= 0 && static_cast<std::size_t>(s) < offsets.size() ? offsets[static_cast<std::size_t>(s)] : ColumnOffset{};
  }
  // Decisions on the plan (everything but the schedule edits and the sheet): the options size the footings.
  bool samePlan(const Decisions& o) const {
    return offsets == o.offsets && disabled == o.disabled && combined == o.combined && resized == o.resized &&
           groups == o.groups && options == o.options;
  }
  bool operator==(const Decisions& o) const { return samePlan(o) && schedule == o.schedule && sheet == o.sheet; }
};

}  // namespace plintova
