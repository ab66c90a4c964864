// The project file (.plintova): the listing, the design inputs and every decision of the engineer,
// keyed by joint numbers and group base sizes so that they survive a new reading of the listing.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "model/decisions.h"
#include "model/project.h"

namespace plintova {

// Version 2 adds the design options and the wind and earthquake rule of the increased cases; version 3
// the roles of the load cases and the table of combinations; version 4 a schedule edit's pedestal as two
// sides, "pedestalX" and "pedestalZ", in place of the square "pedestal". Versions 1 to 3 are still read
// (version 1 options are the defaults, and without increasedCases they keep the later-case rule; an
// older "pedestal" is both sides).
inline constexpr int kProjectFileVersion = 4;
inline constexpr const char* kProjectFileFormat = "plintova-project";

// One support of the listing the project was saved from, with the fingerprint of its reaction lines.
struct SavedSupport {
  int joint = 0;
  std::string reactions;
  bool operator==(const SavedSupport&) const = default;
};

// A column offset: the steps (for old readers and older files) and the offset in millimetres, which
// wins when present (files written before it was kept have steps only). Never all 0.
struct SavedOffset {
  int joint = 0;
  int stepX = 0, stepZ = 0;  // -1, 0 or +1: the nearest steps
  std::optional<int> dx, dz;  // mm, within limits::kLargestColumnOffset
  bool operator==(const SavedOffset&) const = default;
};

// A combined footing by the joints of its two columns, in footing-table order; `length` is the start
// length the wheel chose (0 while it keeps the length of its first design).
struct SavedCombined {
  int first = 0, second = 0;
  float length = 0;
  bool operator==(const SavedCombined&) const = default;
};

struct SavedResize {
  int joint = 0;
  float length = 0;
  bool operator==(const SavedResize&) const = default;
};

// What a project file holds. Footings are known by joint number, groups and schedule rows by the base
// size that created them; nothing refers to a table index or a mark.
struct SavedProject {
  int version = kProjectFileVersion;
  std::string listing;        // as written: relative to the project file's folder, or absolute
  std::string listingSha256;  // empty when the file gives none (no change check is then possible)
  std::vector<SavedSupport> supports;
  float sbc = 0;    // kN/m2, 50..1000
  float depth = 0;  // m, 0..6
  std::vector<SavedOffset> offsets;
  std::vector<GroupChoice> groups;
  std::vector<int> disabled;  // joints
  std::vector<SavedCombined> combined;  // combined footing n is entry n - 1
  std::vector<SavedResize> resized;
  std::vector<ScheduleEdit> schedule;
  bool designed = false;
  // The engineer's choice of load cases (empty: every case) and, when chosen, the cases checked against
  // 1.25 x SBC; the grades the engineer gave in place of the listing's (0 when the listing's apply).
  std::vector<int> cases;
  std::optional<std::vector<int>> increasedCases;
  // Without increasedCases: the later-case rule (every case after a support's first) rather than the
  // wind and earthquake rule ("increaseRule": "laterCases"; a version-1 file without increasedCases).
  bool laterCaseRule = false;
  // The roles the engineer set, by case number ("caseRoles"), and the table of combinations in use
  // ("combinations"; none: the program decides, building them from the primary cases where needed).
  std::map<int, CaseRole> caseRoles;
  std::optional<std::vector<Combination>> combinations;
  DesignOptions options;
  int fck = 0, fe = 0;
  SheetSettings sheet;  // the drawing sheet's title block, paper and north arrow
  bool operator==(const SavedProject&) const = default;
};

// The project as it stands: its listing (named relative to the folder of `projectPath` when it lies
// in that folder or below, else absolute), the fingerprints read with it, SBC (CaseSbc[0]) and depth
// (EarthPressure / 20), and the decisions with footing indices turned into joint numbers. Footings
// whose support has no joint number (0) cannot be keyed and are left out.
SavedProject savedProjectOf(const Project& p, const std::string& projectPath);

// The project file's text (JSON, version 2, ending in a newline). Numbers are written as the shortest
// text that reads back to the same single-precision value. Empty, with `reason` set, when a value
// cannot be written (a number that is not finite, a listing name that is not UTF-8).
std::string projectFileText(const SavedProject& saved, std::string& reason);

// Writes the project of `p` to `path` through the safe file writer, never over the listing or its
// layout file. Returns "" or the reason it could not be written.
std::string writeProjectFile(const Project& p, const std::string& path);

// The outcome of reading a project file: the contents, or the message that says why it is refused.
struct ReadProject {
  std::optional<SavedProject> project;
  std::string error;
  explicit operator bool() const { return project.has_value(); }
};

// The contents of project file text; `path` only names the file in messages. Refuses, with a message
// and never a crash, text that is not JSON, not this format, a newer version, or keys of the wrong
// type or out of range.
ReadProject parseProjectFile(const std::string& text, const std::string& path);

// Reads the project file at `path` without waiting on it (a named pipe or folder is refused) and
// parses it as above.
ReadProject readProjectFile(const std::string& path);

// The listing's path: an absolute name as saved, a relative one resolved against the project file's
// folder.
std::string listingPathOf(const SavedProject& saved, const std::string& projectPath);

// Sets the design options, SBC and depth (CaseSbc, EarthPressure) from the saved inputs, as the start-up
// dialog would for the same entries, then the grades the engineer gave and the choice of load cases (on a
// listing just read, before sizing). Returns the reason when they cannot be taken (grades that cannot be designed, a
// chosen load case the listing no longer has), "" when they were.
std::string acceptSavedInputs(Project& p, const SavedProject& saved);

// "" when the listing just read (p) is the one the project was saved from (same SHA-256, or the file
// gives none); otherwise one message saying that the listing changed since the project was saved and
// naming the supports, by joint, whose reactions changed, that were added, or that were removed.
std::string listingChanges(const Project& p, const SavedProject& saved);

// The saved decisions for this reading of the listing. `p` must have had startPlan run (footings
// placed and sized, size groups built). They are taken in this order and checked as the commands on
// the plan check them: offsets, groups, disabled footings, combined pairs (on one line after the
// offsets), resized footings, schedule edits (kept as saved: Design checks them against its rows).
// Each decision that no longer applies is left out and described in `dropped`, one line each.
Decisions decisionsOf(const Project& p, const SavedProject& saved, std::vector<std::string>& dropped);

// One message naming every dropped decision (one line each), or "" when nothing was dropped.
std::string droppedDecisionsMessage(const std::vector<std::string>& dropped);

}  // namespace plintova
