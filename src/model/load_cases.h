// The load cases of the listing: number, title, load type and, for a combination, the cases it adds up;
// and which cases are checked against the increased allowable pressure.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plintova {

// One case and its factor in a combination.
struct CaseFactor {
  int loadCase = 0;
  double factor = 0;
  bool operator==(const CaseFactor&) const = default;
};

// A load case as the listing defines it: "LOAD 2 LOADTYPE SEISMIC TITLE EQ X", "LOAD 3 DEAD LOAD",
// "LOAD COMB 5 DL + WL" followed by its case-factor pairs, or a "LOAD n" followed by "REPEAT LOAD" and
// its pairs. A case's parts are empty unless it is a combination or repeats other cases.
struct LoadCaseDef {
  int number = 0;
  std::string title;   // as written, "" when the listing gives none
  std::string type;    // the LOADTYPE as written ("SEISMIC", "NONE"), "" when none
  bool combination = false;
  std::vector<CaseFactor> parts;
  bool operator==(const LoadCaseDef&) const = default;
};

// What a load case is: a primary load of a kind (its reactions alone, never a design load by itself), a
// service combination (the loads the soil carries) or a factored combination (the loads the concrete is
// designed for, IS 456 Table 18).
enum class CaseRole { Dead, Imposed, Wind, Earthquake, Other, Service, Factored };

// The roles' names as the engineer writes them: "dead", "imposed", "wind", "earthquake", "other",
// "service", "factored".
std::string_view roleName(CaseRole role);
std::optional<CaseRole> roleNamed(std::string_view name);
inline bool isPrimaryLoad(CaseRole r) { return r != CaseRole::Service && r != CaseRole::Factored; }
inline bool isWindOrEarthquake(CaseRole r) { return r == CaseRole::Wind || r == CaseRole::Earthquake; }

// A combination the program uses beyond the listing's cases: generated from the primary cases or set by
// the engineer. Its reactions are the sum of its parts' reactions times their factors.
struct Combination {
  int number = 0;
  std::string title;  // "1.2 (DL + IL + EQX)"
  CaseRole role = CaseRole::Service;
  std::vector<CaseFactor> parts;
  bool operator==(const Combination&) const = default;
};

// The role the listing suggests for case n (`def` its definition, null when it gives none):
//  - a combination, or a case that repeats others: factored when a factor is above 1.0 or a dead-load
//    part's factor is not 1.0, else service;
//  - a load type: DEAD dead, LIVE imposed, WIND wind, SEISMIC (-H, -V) earthquake, any other type other
//    (NONE is no type: it says nothing of the case);
//  - else the title, by a closed list only: ULS, FACTORED, or a factor 1.2, 1.5 or 0.9 before "(" or
//    "*" make it factored; SLS, SERVICE service. A title never makes a case a primary load;
//  - else service, as a case of a listing that says nothing is taken.
CaseRole suggestedRole(const std::vector<LoadCaseDef>& cases, int n);

// Which load cases are checked against the increased allowable pressure (the SBC increase option times
// SBC); every other case against SBC.
enum class IncreaseRule {
  LaterCases,      // every case after a support's first (a listing that names no case's title or type)
  WindOrEarthquake,  // the cases whose title or type names wind or earthquake, and combinations of them
  Chosen,          // the cases the engineer chose
};

// Whether a title or load type names wind or earthquake: one of its words (split at blanks and
// + - ( ) , _) is WIND, SEISMIC or EARTHQUAKE, or WL, EQ or EL alone or followed by X, Y, Z or digits
// (EQX, WL2), whatever the case of the letters. The word it found is returned in `word`.
bool namesWindOrEarthquake(std::string_view text, std::string* word = nullptr);

// The definition of case n, null when the listing gives none.
const LoadCaseDef* findLoadCase(const std::vector<LoadCaseDef>& cases, int n);

// True when the listing names the title or the load type of at least one case.
bool titlesKnown(const std::vector<LoadCaseDef>& cases);

// Why case n is a wind or earthquake case: "EQX in its title", "load type WIND", "combination with case
// 2"; "" when it is none. A combination counts through the cases it adds up, at any depth.
std::string windOrEarthquakeReason(const std::vector<LoadCaseDef>& cases, int n);

// The cases among `candidates` that are wind or earthquake cases (windOrEarthquakeReason), ascending.
std::vector<int> windOrEarthquakeCases(const std::vector<LoadCaseDef>& cases, const std::vector<int>& candidates);

}  // namespace plintova
