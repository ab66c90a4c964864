// Times the IS 456 design of the rows of hand-resized and combined footings and the checks of every
// group row, on the full-capacity listing with 20 combined pairs and 20 resized footings.
//
//   make_listing /tmp/full.ANL && row_design_bench /tmp/full.ANL [RUNS]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "design/code_checks.h"
#include "design/combined_design.h"
#include "design/footing_design.h"
#include "design/rectangular_design.h"
#include "footing/derived_plan.h"
#include "footing/design_inputs.h"
#include "footing/plan_decisions.h"
#include "input/listing_reader.h"
#include "model/errors.h"

using namespace plintova;

namespace {

class QuietPrompter : public Prompter {
 public:
  void message(const std::string&, const std::string&, MessageIcon) override {}
  bool confirm(const std::string&, const std::string&) override { return true; }
};

constexpr int kGridX = 25;  // the listing's supports: 25 along X (4.5 m apart) by 20 along Z

int footingAt(int ix, int iz) { return iz * kGridX + ix + 1; }

struct Totals {
  int rows = 0, checks = 0, flagged = 0;
};

// Every row of the schedule that is not a group's, and the checks of every group row.
Totals designRows(const Project& p) {
  Totals t;
  auto count = [&t](const FootingRow& row) {
    ++t.rows;
    t.checks += static_cast<int>(row.checks.size());
    if (row.flagged()) ++t.flagged;
  };
  for (int s = 1; s <= p.FootingCount; ++s)
    if (p.FootingTable[s].Kind == FootingKind::HandResized) count(designRectangularRow(p, s, p.FootingTable[s].GroupRank, {}));
  for (int n = 1; n <= p.CombinedCount; ++n) count(designCombinedRow(p, n, {}));
  for (int r = 1; r <= p.DesignGroupCount; ++r) {
    const std::vector<CodeCheck> checks = groupRowChecks(p, r);
    ++t.rows;
    t.checks += static_cast<int>(checks.size());
    if (std::any_of(checks.begin(), checks.end(), [](const CodeCheck& c) { return !c.ok; })) ++t.flagged;
  }
  return t;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: row_design_bench LISTING.ANL [RUNS]\n");
    return 2;
  }
  const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 20;
  auto p = std::make_unique<Project>();
  QuietPrompter prompter;
  try {
    readListing(*p, argv[1], prompter);
  } catch (const ListingError& e) {
    std::fprintf(stderr, "refused: %s\n", e.what());
    return 1;
  }
  if (!acceptDesignInputs(*p, "1.5", "200") || !startPlan(*p, prompter).empty()) {
    std::fprintf(stderr, "the listing's footings cannot be designed\n");
    return 1;
  }
  // 20 combined pairs (the first two columns of every row along X) and 20 resized footings (the
  // twelfth column, lengthened by three wheel notches).
  for (int iz = 0; iz < 20; ++iz)
    applyDecisions(*p, withCombinedPair(*p, footingAt(0, iz), footingAt(1, iz)), prompter);
  for (int iz = 0; iz < 20; ++iz)
    for (int notch = 0; notch < 3; ++notch)
      if (auto next = withResizeStep(*p, footingAt(11, iz), 1)) applyDecisions(*p, *next, prompter);
  if (!DesignAllGroups(*p, prompter)) return 1;
  int resized = 0;
  for (int s = 1; s <= p->FootingCount; ++s) resized += p->FootingTable[s].Kind == FootingKind::HandResized;

  std::vector<double> ms;
  Totals t;
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    t = designRows(*p);
    ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(ms.begin(), ms.end());
  std::printf("%d combined, %d resized footings and %d group rows (%d supports x %d cases): %d rows, %d checks, "
              "%d rows flagged\n",
              p->CombinedCount, resized, p->DesignGroupCount, p->FootingCount, p->lastCasePosition(1) + 1, t.rows,
              t.checks, t.flagged);
  std::printf("design of the rows and all checks over %d runs: median %.2f ms, min %.2f ms, max %.2f ms\n", runs,
              ms[ms.size() / 2], ms.front(), ms.back());
  return 0;
}
