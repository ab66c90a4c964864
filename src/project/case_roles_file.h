// The roles of the load cases and the table of combinations as JSON: a project file's "caseRoles"
// ([{"case": 3, "role": "wind"}, ...]) and "combinations" ([{"number": 101, "title": "1.2 (DL + IL + EQX)",
// "role": "factored", "factors": [{"case": 1, "factor": 1.2}, ...]}, ...]).
#pragma once

#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "model/load_cases.h"

namespace plintova {

// The most combinations a project file may list, and the most parts of one: beyond what a support can
// hold, so that a file cannot ask for tables the model refuses anyway.
inline constexpr std::size_t kMostSavedCombinations = 1000;
inline constexpr std::size_t kMostCombinationParts = 100;

nlohmann::ordered_json caseRolesJson(const std::map<int, CaseRole>& roles);
nlohmann::ordered_json combinationsJson(const std::vector<Combination>& combinations);

// Reads the list `value` into `into`; "" or the refusal naming `where` and the entry.
std::string readCaseRoles(const nlohmann::ordered_json& value, const std::string& where,
                          std::map<int, CaseRole>& into);
std::string readCombinations(const nlohmann::ordered_json& value, const std::string& where,
                             std::vector<Combination>& into);

}  // namespace plintova
