// The engineer's design inputs: founding depth and safe bearing capacity, the grades, and the choice of
// load cases, checked and stored.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/grades.h"
#include "model/project.h"

namespace plintova {

// Sets the founding depth (m): EarthPressure, 20 kN/m3 of soil over the depth held in single precision,
// and FoundingDepth, that pressure over 20 kN/m3, so that every weight and pressure the design takes
// from either agrees to the last digit.
void setFoundingDepth(Project& p, double depth);

// Takes the depth (m) and SBC (kN/m2) as the start-up dialog's OK does: a depth of 0 to 6 m sets the
// founding depth (setFoundingDepth); then an SBC, rounded to a whole number, of 50 to 1000 sets CaseSbc
// (the SBC, and the increased pressure: the SBC increase option, 1.25 by default, times it).
// Returns true when both were accepted. A valid depth with an invalid SBC has set the depth.
bool acceptDesignInputs(Project& p, double depth, double sbc);
// The same from the texts of the dialog's boxes or the batch tool's arguments; false for a text that is
// not a number.
bool acceptDesignInputs(Project& p, const std::string& depthText, const std::string& sbcText);

// The grades the engineer gives in place of the listing's (GradesGiven). False, changing nothing, when
// gradeProblem refuses them.
bool acceptGrades(Project& p, int fck, int fe);

// The load-case numbers of the reaction table in the order it first gives them (support by support).
std::vector<int> listingLoadCases(const Project& p);

// The rule that decides the increased cases when the engineer chooses none: the wind and earthquake
// cases when the listing names any case's title or load type, else every case after a support's first.
IncreaseRule defaultIncreaseRule(const Project& p);

// The cases the default rule checks against the increased pressure, among `used` (all when it is empty),
// ascending: the wind and earthquake cases, or, by the later-case rule, every case that never stands
// first among a support's cases. Used to show the default.
std::vector<int> defaultIncreasedCases(const Project& p, const std::vector<int>& used = {});

// The cases checked against the increased pressure as the rule in force names them: the engineer's, the
// wind and earthquake cases, or (later-case rule) every used case that never stands first at a support.
std::vector<int> increasedCasesInForce(const Project& p);

// A run of load-case numbers, first to last.
struct CaseRange {
  int first = 0, last = 0;
  bool operator==(const CaseRange&) const = default;
};

// The longest list of load cases taken as text, in characters.
inline constexpr std::size_t kLongestCaseList = 4096;

// A list of load-case numbers as the engineer writes it: "1,3-5,101" (blanks allowed; ranges ascending;
// numbers of at most six digits), as ranges sorted and merged, never expanded: "1-999999" costs what
// "1-2" costs. Nothing, with `reason` set, for anything else or a text longer than kLongestCaseList.
std::optional<std::vector<CaseRange>> parseCaseList(const std::string& text, std::string& reason);

// The load cases of `ranges`, ascending, when every number in them is a load case of the listing;
// otherwise nothing, with `reason` naming the smallest that is not ("Load case 7 is not in the
// listing.").
std::optional<std::vector<int>> listingCasesIn(const Project& p, const std::vector<CaseRange>& ranges,
                                               std::string& reason);

// The text of a list of cases, ranges joined: {1, 3, 4, 5, 101} gives "1,3-5,101".
std::string caseListText(const std::vector<int>& cases);

// Why a choice of load cases cannot be applied ("" when it can): a case that is not in the listing, or
// a support left without a case.
std::string checkLoadCaseChoice(const Project& p, const std::vector<int>& used,
                                const std::optional<std::vector<int>>& increased);

// Applies the engineer's choice of load cases to a listing just read (before sizing): the cases not
// used are taken out of the reaction table as if the listing did not hold them (each support's cases
// keep their order from position 0), and the increased cases, when given, decide which cases are
// checked against the increased pressure; otherwise the default rule does (the later-case rule when
// `laterCaseRule`, as a project saved before the wind and earthquake rule keeps it). `used` empty means
// every case. Returns the refusal ("" when applied): a case that is not in the listing, or a support
// left without a case; nothing changes then.
std::string applyLoadCaseChoice(Project& p, const std::vector<int>& used,
                                const std::optional<std::vector<int>>& increased, bool laterCaseRule = false);

}  // namespace plintova
