// Combinations built from the primary load cases by superposing their reactions (valid for the linear
// analysis that produced them), and the engineer's choice of roles and combinations applied to a
// listing just read.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "model/project.h"

namespace plintova {

// The most load cases one support's reactions hold, the listing's and the combinations together.
inline constexpr int kMostCasesPerSupport = cap::kCasePositions;

// The combinations of IS 875 Part 5 (service, for sizing, bearing and stability) and IS 456 Table 18 with
// IS 1893 Part 1 (factored, for the design) of the primary cases among `used`, by their roles. DL is
// the sum of the dead cases, IL of the imposed cases; every wind and earthquake case enters alone with
// both signs, and where earthquake cases are given along both plan directions (X and Z in their titles)
// each takes 100 % of one direction with 30 % of the other, both signs:
//   service:  DL + IL;  DL +- WL;  DL +- EL;  DL + IL +- WL;  DL + IL +- EL
//   factored: 1.5 (DL + IL);  1.2 (DL + IL +- WL/EL);  1.5 (DL +- WL/EL);  0.9 DL +- 1.5 WL/EL
// (without imposed load the IL terms and the 1.2 set drop out). Numbered from the next hundred above
// `highest` ("101"), titled with their factors ("1.2 (DL + IL + EQX)"). Cases of role "other" enter none.
std::vector<Combination> standardCombinations(const Project& p, const std::vector<int>& used, int highest);

// The engineer's side of the cases: roles set by hand, the combinations given (none: the program
// decides), and whether to build the combinations from the primary cases even where combinations are
// in use or the analysis was P-delta or nonlinear.
struct CaseBasisChoice {
  std::map<int, CaseRole> roles;
  std::optional<std::vector<Combination>> combinations;
  bool combine = false;
};

// Applies the roles and the combinations to a listing whose choice of cases is applied (before sizing):
// the combinations given, or built when asked or when the cases in use are primary loads only and no
// combination (not for a P-delta or nonlinear analysis unless asked: a note says so); their reactions
// are added to every support after its own cases; generated combinations with wind or earthquake take
// the increased SBC by their content. Then the factors of every case are settled. Returns the refusal
// ("" when applied): a role for a case the listing does not hold, a combination of a case a support does
// not hold or that would give a support more than kMostCasesPerSupport cases. `notes` receives what the
// engineer should know (combinations not built, and why).
std::string applyCaseBasis(Project& p, const CaseBasisChoice& choice, std::vector<std::string>& notes);

// Roles for a run of cases, as the engineer writes them: "3-6:earthquake".
struct RoleRange {
  int first = 0, last = 0;
  CaseRole role = CaseRole::Service;
};

// A list of roles as the engineer writes it: "1:dead,2:imposed,3-6:earthquake,101-110:service" (a case or
// an ascending range of cases, a colon, a role's name; groups separated by commas). Nothing, with
// `reason`, for anything else.
std::optional<std::vector<RoleRange>> parseRoles(const std::string& text, std::string& reason);

// The roles of `ranges` by case, when every number in them is a case of the listing; otherwise nothing,
// with `reason` naming the first that is not. A later range wins over an earlier one.
std::optional<std::map<int, CaseRole>> listingRolesIn(const Project& p, const std::vector<RoleRange>& ranges,
                                                      std::string& reason);

// The title of a combination from its parts' short names ("DL", "IL", "WL", "EQX"): "1.2 (DL + IL + EQX)"
// where every factor is the same, else "1.5 DL + 1.2 IL".
std::string combinationTitle(const Project& p, const std::vector<CaseFactor>& parts);

}  // namespace plintova
