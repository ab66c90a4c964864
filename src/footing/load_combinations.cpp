// Combinations built from the primary load cases, and the roles and combinations applied to a listing.
#include "footing/load_combinations.h"

#include <algorithm>
#include <charconv>
#include <cctype>
#include <cmath>
#include <set>
#include <utility>

#include "footing/case_basis.h"
#include "footing/design_inputs.h"
#include "model/numbers.h"

namespace plintova {

namespace {

constexpr double kOrthogonalShare = 0.3;  // IS 1893 Part 1 cl. 6.3.4: 30 % of the other direction

// 'X' or 'Z' when a case's title names its plan direction ("EQ X", "EQX", "WL-Z", "SEISMIC X"), else 0.
char directionOf(const std::string& title) {
  std::vector<std::string> words;
  std::string w;
  for (char ch : title + " ") {
    if (std::isalnum(static_cast<unsigned char>(ch))) w += static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    else if (!w.empty()) words.push_back(std::exchange(w, {}));
  }
  static const std::set<std::string> kPrefixes = {"EQ", "EL", "WL", "W", "E", "WIND", "SEISMIC", "EARTHQUAKE"};
  for (const std::string& word : words) {
    if (word == "X" || word == "Z") return word[0];
    const char last = word.back();
    if ((last == 'X' || last == 'Z') && kPrefixes.count(word.substr(0, word.size() - 1))) return last;
  }
  return 0;
}

std::string titleOf(const Project& p, int n) {
  const LoadCaseDef* def = findLoadCase(p.LoadCases, n);
  return def ? def->title : "";
}

// Short name of a primary case in a combination's title: DL, IL, WL, EQ, OL; a wind, earthquake or other
// case with the plan direction its title gives (EQX), else with its number where several share the role.
std::string shortName(const Project& p, int n) {
  const CaseRole role = roleOf(p, n);
  static const char* kNames[] = {"DL", "IL", "WL", "EQ", "OL"};
  if (!isPrimaryLoad(role)) return "LC" + std::to_string(n);
  std::string name = kNames[static_cast<int>(role)];
  int sharing = 0;
  for (int m : p.ListingCases.empty() ? listingLoadCases(p) : p.ListingCases) sharing += roleOf(p, m) == role ? 1 : 0;
  if (role == CaseRole::Dead || role == CaseRole::Imposed) return name;
  if (const char d = directionOf(titleOf(p, n))) return name + d;
  return sharing <= 1 ? name : name + std::to_string(n);
}

std::string factorText(double f) { return numberText(static_cast<float>(f)); }

// A lateral action: one wind or earthquake case, or one direction's earthquake with 30 % of the other.
using Action = std::vector<CaseFactor>;

std::vector<Action> lateralActions(const Project& p, const std::vector<int>& wind, const std::vector<int>& quake) {
  std::vector<Action> actions;
  for (int n : wind) actions.push_back({{n, 1.0}});
  std::vector<int> alongX, alongZ, other;
  for (int n : quake) {
    const char d = directionOf(titleOf(p, n));
    (d == 'X' ? alongX : d == 'Z' ? alongZ : other).push_back(n);
  }
  if (!alongX.empty() && !alongZ.empty()) {
    for (int x : alongX)
      for (int z : alongZ) {
        for (double share : {kOrthogonalShare, -kOrthogonalShare}) actions.push_back({{x, 1.0}, {z, share}});
        for (double share : {kOrthogonalShare, -kOrthogonalShare}) actions.push_back({{z, 1.0}, {x, share}});
      }
  } else {
    other.insert(other.end(), alongX.begin(), alongX.end());
    other.insert(other.end(), alongZ.begin(), alongZ.end());
  }
  std::sort(other.begin(), other.end());
  for (int n : other) actions.push_back({{n, 1.0}});
  return actions;
}

void add(std::vector<CaseFactor>& parts, const std::vector<int>& cases, double factor) {
  for (int n : cases) parts.push_back({n, factor});
}

void add(std::vector<CaseFactor>& parts, const Action& action, double factor) {
  for (const CaseFactor& part : action) parts.push_back({part.loadCase, part.factor * factor});
}

// The cases of support s by number: position of each.
std::map<int, int> positionsOf(const Project& p, int s) {
  std::map<int, int> at;
  for (int c = 0; c <= p.lastCasePosition(s); ++c) at.emplace(static_cast<int>(p.ReactionTable(s, c, 1)), c);
  return at;
}

// The value a reaction was read as: the double of the shortest decimal text of its single-precision
// value (325.4, not 325.399993896...), so that a sum comes out as the sum of the decimals the listing
// printed.
double asPrinted(float v) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, v).ptr;
  double d = v;
  std::from_chars(text, end, d);
  return d;
}

// Writes the superposed reactions of the combinations at every support after its own cases.
std::string superpose(Project& p, const std::vector<Combination>& combinations) {
  if (combinations.empty()) return {};
  for (int s = 1; s <= p.supportCount(); ++s) {
    const int first = p.lastCasePosition(s) + 1;
    const int joint = static_cast<int>(p.ReactionTable(s, 0, 0));
    if (first + static_cast<int>(combinations.size()) > kMostCasesPerSupport)
      return "The " + std::to_string(combinations.size()) + " combinations would give joint " + std::to_string(joint) +
             " " + std::to_string(first + combinations.size()) + " load cases; a support holds at most " +
             std::to_string(kMostCasesPerSupport) + ". Use fewer cases (choose the cases, or fewer wind and "
             "earthquake cases) or fewer combinations.";
    const std::map<int, int> at = positionsOf(p, s);
    for (const Combination& comb : combinations)
      for (const CaseFactor& part : comb.parts)
        if (!at.count(part.loadCase))
          return "Combination " + std::to_string(comb.number) + " adds load case " + std::to_string(part.loadCase) +
                 ", which joint " + std::to_string(joint) + " does not hold among the cases in use.";
  }
  for (int s = 1; s <= p.supportCount(); ++s) {
    const std::map<int, int> at = positionsOf(p, s);
    int c = p.lastCasePosition(s) + 1;
    for (const Combination& comb : combinations) {
      p.ReactionTable(s, c, 1) = static_cast<float>(comb.number);
      for (int k = 2; k <= kReactionFZ; ++k) {
        double sum = 0;
        for (const CaseFactor& part : comb.parts)
          sum += part.factor * asPrinted(p.ReactionTable(s, at.at(part.loadCase), k));
        p.ReactionTable(s, c, k) = static_cast<float>(sum);
      }
      ++c;
    }
  }
  return {};
}

bool anyCombinationInUse(const Project& p, const std::vector<int>& cases) {
  return std::any_of(cases.begin(), cases.end(), [&](int n) { return !isPrimaryLoad(roleOf(p, n)); });
}

bool anyPrimaryInUse(const Project& p, const std::vector<int>& cases) {
  return std::any_of(cases.begin(), cases.end(), [&](int n) { return isPrimaryLoad(roleOf(p, n)); });
}

// Whether a combination includes wind or earthquake: by its parts' roles, or by their titles and types.
bool includesLateral(const Project& p, const Combination& comb) {
  for (const CaseFactor& part : comb.parts)
    if (part.factor != 0 &&
        (isWindOrEarthquake(roleOf(p, part.loadCase)) || !windOrEarthquakeReason(p.LoadCases, part.loadCase).empty()))
      return true;
  return false;
}

}  // namespace

std::string combinationTitle(const Project& p, const std::vector<CaseFactor>& parts) {
  if (parts.empty()) return "";
  // Parts of one case added up, in the order they first come.
  std::vector<std::pair<std::string, double>> terms;
  for (const CaseFactor& part : parts) {
    const std::string name = shortName(p, part.loadCase);
    auto it = std::find_if(terms.begin(), terms.end(), [&](const auto& t) { return t.first == name && t.second == part.factor; });
    if (it == terms.end()) terms.push_back({name, part.factor});
  }
  const double common = std::fabs(terms.front().second);
  const bool same = std::all_of(terms.begin(), terms.end(), [&](const auto& t) { return std::fabs(t.second) == common; });
  std::string text;
  for (const auto& [name, f] : terms) {
    const bool minus = f < 0;
    if (text.empty()) text = minus ? "-" : "";
    else text += minus ? " - " : " + ";
    if (!same && std::fabs(f) != 1.0) text += factorText(std::fabs(f)) + " ";
    text += name;
  }
  if (!same || common == 1.0) return text;
  return factorText(common) + " (" + text + ")";
}

std::vector<Combination> standardCombinations(const Project& p, const std::vector<int>& used, int highest) {
  std::vector<int> dead, imposed, wind, quake;
  for (int n : used) {
    const CaseRole r = roleOf(p, n);
    if (r == CaseRole::Dead) dead.push_back(n);
    else if (r == CaseRole::Imposed) imposed.push_back(n);
    else if (r == CaseRole::Wind) wind.push_back(n);
    else if (r == CaseRole::Earthquake) quake.push_back(n);
  }
  if (dead.empty() && imposed.empty() && wind.empty() && quake.empty()) return {};
  const std::vector<Action> lateral = lateralActions(p, wind, quake);
  std::vector<Combination> out;
  int number = (std::max(highest, 0) / 100 + 1) * 100;
  auto emit = [&](CaseRole role, std::vector<CaseFactor> parts) {
    out.push_back({++number, combinationTitle(p, parts), role, std::move(parts)});
  };
  auto gravity = [&](double fd, double fl) {
    std::vector<CaseFactor> parts;
    add(parts, dead, fd);
    if (fl != 0) add(parts, imposed, fl);
    return parts;
  };
  // Service combinations, IS 875 Part 5.
  emit(CaseRole::Service, gravity(1.0, 1.0));
  for (const Action& a : lateral)
    for (double sign : {1.0, -1.0}) {
      auto parts = gravity(1.0, 0.0);
      add(parts, a, sign);
      emit(CaseRole::Service, parts);
    }
  if (!imposed.empty())
    for (const Action& a : lateral)
      for (double sign : {1.0, -1.0}) {
        auto parts = gravity(1.0, 1.0);
        add(parts, a, sign);
        emit(CaseRole::Service, parts);
      }
  // Factored combinations, IS 456 Table 18 and IS 1893 Part 1 cl. 6.3.1.2.
  emit(CaseRole::Factored, gravity(1.5, 1.5));
  if (!imposed.empty())
    for (const Action& a : lateral)
      for (double sign : {1.0, -1.0}) {
        auto parts = gravity(1.2, 1.2);
        add(parts, a, 1.2 * sign);
        emit(CaseRole::Factored, parts);
      }
  for (double fd : {1.5, 0.9})
    for (const Action& a : lateral)
      for (double sign : {1.0, -1.0}) {
        auto parts = gravity(fd, 0.0);
        add(parts, a, 1.5 * sign);
        emit(CaseRole::Factored, parts);
      }
  // Parts of zero factor (no dead or imposed case) leave nothing to combine.
  out.erase(std::remove_if(out.begin(), out.end(), [](const Combination& c) { return c.parts.empty(); }), out.end());
  return out;
}

std::optional<std::vector<RoleRange>> parseRoles(const std::string& text, std::string& reason) {
  std::vector<RoleRange> ranges;
  const std::string refused = "\"" + text + "\" is not a list of roles such as 1:dead,2:imposed,3-6:earthquake";
  if (text.size() > kLongestCaseList) {
    reason = "a list of roles may hold at most " + std::to_string(kLongestCaseList) + " characters";
    return std::nullopt;
  }
  std::size_t from = 0;
  while (from <= text.size()) {
    std::size_t end = text.find(',', from);
    if (end == std::string::npos) end = text.size();
    const std::string item = text.substr(from, end - from);
    const std::size_t colon = item.find(':');
    std::string why;
    const auto cases = colon == std::string::npos ? std::nullopt : parseCaseList(item.substr(0, colon), why);
    std::string name = colon == std::string::npos ? "" : item.substr(colon + 1);
    name.erase(0, name.find_first_not_of(" \t"));
    name.erase(name.find_last_not_of(" \t") + 1);
    const auto role = roleNamed(name);
    if (!cases || cases->size() != 1 || !role) {
      reason = refused + (colon != std::string::npos && cases && !role
                              ? " (\"" + name + "\" is no role: dead, imposed, wind, earthquake, other, service or factored)"
                              : "");
      return std::nullopt;
    }
    ranges.push_back({cases->front().first, cases->front().last, *role});
    from = end + 1;
  }
  return ranges;
}

std::optional<std::map<int, CaseRole>> listingRolesIn(const Project& p, const std::vector<RoleRange>& ranges,
                                                      std::string& reason) {
  std::map<int, CaseRole> roles;
  for (const RoleRange& r : ranges) {
    const auto cases = listingCasesIn(p, {{r.first, r.last}}, reason);
    if (!cases) return std::nullopt;
    for (int n : *cases) roles[n] = r.role;
  }
  return roles;
}

std::string applyCaseBasis(Project& p, const CaseBasisChoice& choice, std::vector<std::string>& notes) {
  const std::vector<int> known = p.ListingCases.empty() ? listingLoadCases(p) : p.ListingCases;
  for (const auto& [n, role] : choice.roles)
    if (std::find(known.begin(), known.end(), n) == known.end())
      return "Load case " + std::to_string(n) + " is not in the listing.";
  p.CaseRoles = choice.roles;
  p.Combinations.clear();
  const std::vector<int> inUse = listingLoadCases(p);
  std::vector<Combination> combinations;
  if (choice.combinations) {
    combinations = *choice.combinations;
  } else if (choice.combine || (anyPrimaryInUse(p, inUse) && !anyCombinationInUse(p, inUse))) {
    if (!p.NonlinearAnalysis.empty() && !choice.combine) {
      notes.push_back("The listing's analysis is " + p.NonlinearAnalysis +
                      ": its reactions do not add up, so no combination is built from its primary cases. Build them "
                      "only if the engineer insists (Combine), or give the listing's own combinations.");
    } else {
      int highest = 0;
      for (int n : known) highest = std::max(highest, n);
      for (const LoadCaseDef& def : p.LoadCases) highest = std::max(highest, def.number);
      combinations = standardCombinations(p, inUse, highest);
      if (combinations.empty() && choice.combine)
        notes.push_back("No combination was built: none of the cases in use is a dead, imposed, wind or earthquake load.");
      if (!p.NonlinearAnalysis.empty() && !combinations.empty())
        notes.push_back("The listing's analysis is " + p.NonlinearAnalysis +
                        ": the combinations built by adding its primary cases are only approximate.");
    }
  }
  for (const Combination& comb : combinations)
    if (std::find(known.begin(), known.end(), comb.number) != known.end() || comb.number <= 0)
      return "Combination " + std::to_string(comb.number) + " takes the number of a case of the listing.";
  if (std::string refusal = superpose(p, combinations); !refusal.empty()) return refusal;
  p.Combinations = combinations;
  if (!combinations.empty() && p.increaseRule != IncreaseRule::Chosen) {
    // The combinations take the increased SBC by their content; the listing's cases by the titles and
    // load types, or by the roles the engineer gave them.
    p.increaseRule = IncreaseRule::WindOrEarthquake;
    p.IncreasedCases = windOrEarthquakeCases(p.LoadCases, inUse);
    for (int n : inUse)
      if (isWindOrEarthquake(roleOf(p, n))) p.IncreasedCases.push_back(n);
    for (const Combination& comb : combinations)
      if (includesLateral(p, comb)) p.IncreasedCases.push_back(comb.number);
    std::sort(p.IncreasedCases.begin(), p.IncreasedCases.end());
    p.IncreasedCases.erase(std::unique(p.IncreasedCases.begin(), p.IncreasedCases.end()), p.IncreasedCases.end());
  } else if (p.increaseRule == IncreaseRule::Chosen) {
    for (const Combination& comb : combinations)
      if (includesLateral(p, comb)) p.IncreasedCases.push_back(comb.number);
    std::sort(p.IncreasedCases.begin(), p.IncreasedCases.end());
  }
  settleCaseFactors(p);
  return {};
}

}  // namespace plintova
