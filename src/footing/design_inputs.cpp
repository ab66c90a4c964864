// The engineer's design inputs: founding depth and safe bearing capacity, the grades, and the choice of
// load cases, checked and stored.
#include "footing/design_inputs.h"

#include <algorithm>
#include <set>

#include "model/grades.h"
#include "model/limits.h"
#include "model/numbers.h"

namespace plintova {

namespace {

constexpr double kSoilUnitWeight = 20.0;   // kN/m3 over the footing, for the earth pressure

// The cases the reading of the listing gave, before any choice (the reaction table's, for a project
// made in code).
std::vector<int> knownCases(const Project& p) { return p.ListingCases.empty() ? listingLoadCases(p) : p.ListingCases; }

}  // namespace

void setFoundingDepth(Project& p, double depth) {
  p.EarthPressure = static_cast<float>(static_cast<float>(depth) * kSoilUnitWeight);
  p.FoundingDepth = p.EarthPressure / kSoilUnitWeight;
}

namespace {

bool acceptDepth(Project& p, double value) {
  const float depth = static_cast<float>(value);
  if (!(depth >= 0.0f && depth <= limits::kLargestFoundingDepth)) return false;
  setFoundingDepth(p, depth);
  return true;
}

bool acceptSbc(Project& p, double value) {
  const auto sbc = toInt16(value);
  if (!sbc || *sbc < limits::kSmallestSbc || *sbc > limits::kLargestSbc) return false;
  p.CaseSbc[0] = *sbc;
  setIncreasedSbc(p);
  return true;
}

}  // namespace

bool acceptDesignInputs(Project& p, double depth, double sbc) { return acceptDepth(p, depth) && acceptSbc(p, sbc); }

bool acceptDesignInputs(Project& p, const std::string& depthText, const std::string& sbcText) {
  return isNumeric(depthText) && acceptDepth(p, numericValue(depthText)) && isNumeric(sbcText) &&
         acceptSbc(p, numericValue(sbcText));
}

bool acceptGrades(Project& p, int fck, int fe) {
  if (!gradeProblem(fck, fe).empty()) return false;
  p.Fck = static_cast<int16_t>(fck);
  p.Fe = static_cast<int16_t>(fe);
  p.GradesGiven = fck != p.ListingFck || fe != p.ListingFe;
  return true;
}

std::vector<int> listingLoadCases(const Project& p) {
  std::vector<int> cases;
  std::set<int> seen;
  for (int s = 1; s <= p.supportCount(); ++s)
    for (int c = 0, lastCase = p.lastCasePosition(s); c <= lastCase; ++c) {
      const int n = static_cast<int>(p.ReactionTable(s, c, 1));
      if (seen.insert(n).second) cases.push_back(n);
    }
  return cases;
}

IncreaseRule defaultIncreaseRule(const Project& p) {
  return titlesKnown(p.LoadCases) ? IncreaseRule::WindOrEarthquake : IncreaseRule::LaterCases;
}

std::vector<int> defaultIncreasedCases(const Project& p, const std::vector<int>& used) {
  auto counts = [&used](int n) { return used.empty() || std::find(used.begin(), used.end(), n) != used.end(); };
  if (defaultIncreaseRule(p) == IncreaseRule::WindOrEarthquake) {
    std::vector<int> candidates;
    for (int n : knownCases(p))
      if (counts(n)) candidates.push_back(n);
    return windOrEarthquakeCases(p.LoadCases, candidates);
  }
  std::set<int> first;
  for (int s = 1; s <= p.supportCount(); ++s)
    for (int c = 0, lastCase = p.lastCasePosition(s); c <= lastCase; ++c) {
      const int n = static_cast<int>(p.ReactionTable(s, c, 1));
      if (!counts(n)) continue;
      first.insert(n);  // the first case this support keeps
      break;
    }
  std::vector<int> increased;
  for (int n : listingLoadCases(p))
    if (counts(n) && !first.count(n)) increased.push_back(n);
  std::sort(increased.begin(), increased.end());
  return increased;
}

std::vector<int> increasedCasesInForce(const Project& p) {
  if (p.increaseRule != IncreaseRule::LaterCases) return p.IncreasedCases;
  // The later-case rule over the cases the reaction table still holds (the used ones).
  std::set<int> first;
  for (int s = 1; s <= p.supportCount(); ++s) first.insert(static_cast<int>(p.ReactionTable(s, 0, 1)));
  std::vector<int> increased;
  for (int n : listingLoadCases(p))
    if (!first.count(n)) increased.push_back(n);
  std::sort(increased.begin(), increased.end());
  return increased;
}

std::optional<std::vector<CaseRange>> parseCaseList(const std::string& text, std::string& reason) {
  if (text.size() > kLongestCaseList) {
    reason = "a list of load cases may hold at most " + std::to_string(kLongestCaseList) + " characters, not " +
             std::to_string(text.size());
    return std::nullopt;
  }
  std::vector<CaseRange> ranges;
  std::size_t i = 0;
  auto skipBlanks = [&] {
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  };
  auto number = [&]() -> std::optional<int> {
    skipBlanks();
    const std::size_t start = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
    if (i == start || i - start > 6) return std::nullopt;
    return std::stoi(text.substr(start, i - start));
  };
  const std::string refused = "\"" + text + "\" is not a list of load cases such as 1,3-5,101";
  for (;;) {
    const auto first = number();
    if (!first || *first < 1) {
      reason = refused;
      return std::nullopt;
    }
    int last = *first;
    skipBlanks();
    if (i < text.size() && text[i] == '-') {
      ++i;
      const auto to = number();
      if (!to || *to < *first) {
        reason = refused;
        return std::nullopt;
      }
      last = *to;
      skipBlanks();
    }
    ranges.push_back({*first, last});
    if (i == text.size()) break;
    if (text[i] != ',') {
      reason = refused;
      return std::nullopt;
    }
    ++i;
  }
  // Sorted, and ranges that overlap or touch merged into one.
  std::sort(ranges.begin(), ranges.end(), [](const CaseRange& a, const CaseRange& b) { return a.first < b.first; });
  std::vector<CaseRange> merged;
  for (const CaseRange& r : ranges) {
    if (!merged.empty() && r.first <= merged.back().last + 1) merged.back().last = std::max(merged.back().last, r.last);
    else merged.push_back(r);
  }
  return merged;
}

std::optional<std::vector<int>> listingCasesIn(const Project& p, const std::vector<CaseRange>& ranges,
                                               std::string& reason) {
  const std::vector<int> listed = listingLoadCases(p);
  const std::set<int> known(listed.begin(), listed.end());
  std::vector<int> cases;
  for (const CaseRange& r : ranges) {
    // The listing's cases in the range must be every number of it: count them, and find the first gap.
    int expected = r.first;
    for (auto it = known.lower_bound(r.first); it != known.end() && *it <= r.last && *it == expected; ++it, ++expected)
      cases.push_back(*it);
    if (expected <= r.last) {
      reason = "Load case " + std::to_string(expected) + " is not in the listing.";
      return std::nullopt;
    }
  }
  return cases;
}

std::string caseListText(const std::vector<int>& cases) {
  std::vector<int> sorted = cases;
  std::sort(sorted.begin(), sorted.end());
  sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
  std::string text;
  for (std::size_t k = 0; k < sorted.size();) {
    std::size_t e = k;
    while (e + 1 < sorted.size() && sorted[e + 1] == sorted[e] + 1) ++e;
    text += (text.empty() ? "" : ",") + std::to_string(sorted[k]);
    if (e > k) text += (e == k + 1 ? "," : "-") + std::to_string(sorted[e]);
    k = e + 1;
  }
  return text;
}

std::string checkLoadCaseChoice(const Project& p, const std::vector<int>& used,
                                const std::optional<std::vector<int>>& increased) {
  const std::vector<int> cases = knownCases(p);
  auto inListing = [&](int n) { return std::find(cases.begin(), cases.end(), n) != cases.end(); };
  for (const std::vector<int>* list : {&used, increased ? &*increased : nullptr}) {
    if (!list) continue;
    for (int n : *list)
      if (!inListing(n)) return "Load case " + std::to_string(n) + " is not in the listing.";
  }
  const std::set<int> keep(used.begin(), used.end());
  if (keep.empty()) return {};
  for (int s = 1; s <= p.supportCount(); ++s) {
    bool any = false;
    for (int c = 0, lastCase = p.lastCasePosition(s); c <= lastCase; ++c) any = any || keep.count(static_cast<int>(p.ReactionTable(s, c, 1)));
    if (!any)
      return "Joint " + numberText(p.ReactionTable(s, 0, 0)) + " has none of the chosen load cases " +
             caseListText(used) + ".";
  }
  return {};
}

std::string applyLoadCaseChoice(Project& p, const std::vector<int>& used, const std::optional<std::vector<int>>& increased,
                                bool laterCaseRule) {
  if (std::string refusal = checkLoadCaseChoice(p, used, increased); !refusal.empty()) return refusal;
  const std::set<int> keep(used.begin(), used.end());
  if (!keep.empty()) {
    // Each support keeps the chosen cases in their order, from position 0; the rest of its positions
    // are cleared, so that its case list ends where the chosen cases end.
    for (int s = 1; s <= p.supportCount(); ++s) {
      const int last = p.lastCasePosition(s);
      int to = 0;
      for (int c = 0; c <= last; ++c) {
        if (!keep.count(static_cast<int>(p.ReactionTable(s, c, 1)))) continue;
        if (to != c)
          for (int k = 1; k <= kReactionFZ; ++k) p.ReactionTable(s, to, k) = p.ReactionTable(s, c, k);
        ++to;
      }
      for (int c = to; c <= last; ++c)
        for (int k = 1; k <= kReactionFZ; ++k) p.ReactionTable(s, c, k) = 0.0;
    }
  }
  p.UsedCases = used;
  if (increased) {
    p.increaseRule = IncreaseRule::Chosen;
    p.IncreasedCases = *increased;
    std::sort(p.IncreasedCases.begin(), p.IncreasedCases.end());
  } else {
    p.increaseRule = laterCaseRule ? IncreaseRule::LaterCases : defaultIncreaseRule(p);
    p.IncreasedCases =
        p.increaseRule == IncreaseRule::LaterCases ? std::vector<int>{} : defaultIncreasedCases(p, used);
  }
  return {};
}

}  // namespace plintova
