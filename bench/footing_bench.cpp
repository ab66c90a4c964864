// Times sizing, grid lines, size groups and assignment on a project at the model's full capacity.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <random>
#include <vector>

#include "footing/derived_plan.h"
#include "footing/design_inputs.h"
#include "model/project.h"
#include "model/prompter.h"

using namespace plintova;

namespace {

class CountingPrompter : public Prompter {
 public:
  void message(const std::string&, const std::string&, MessageIcon) override { ++messages; }
  bool confirm(const std::string&, const std::string&) override { return true; }
  int messages = 0;
};

// 500 supports on a 25 x 20 grid of 5 m bays, 36 load cases each with random loads and moments.
std::unique_ptr<Project> fullProject(unsigned seed) {
  auto p = std::make_unique<Project>();
  acceptDesignInputs(*p, "1.5", "200");
  std::mt19937 rng(seed);
  // Each support has its own load level, so that the sizes spread over many groups.
  std::uniform_real_distribution<float> level(100.0f, 4000.0f), share(0.3f, 1.0f), moment(-0.1f, 0.1f);
  const int supports = cap::kFootings;
  p->ReactionTable(0, 0, 0) = static_cast<float>(supports);
  for (int s = 1; s <= supports; ++s) {
    p->JointTable[s][0] = s;
    p->JointTable[s][1] = 5000 * ((s - 1) % 25);
    p->JointTable[s][3] = 5000 * ((s - 1) / 25);
    p->ReactionTable(s, 0, 0) = static_cast<float>(s);
    const float top = level(rng);
    for (int c = 0; c < cap::kCasePositions; ++c) {
      p->ReactionTable(s, c, 1) = static_cast<float>(c + 1);
      p->ReactionTable(s, c, 2) = top * share(rng);
      p->ReactionTable(s, c, 3) = top * moment(rng);
      p->ReactionTable(s, c, 4) = top * moment(rng);
    }
  }
  p->JointCount = static_cast<int16_t>(supports);
  return p;
}

}  // namespace

int main() {
  constexpr int kRuns = 20;
  std::vector<double> ms;
  int groups = 0, messages = 0;
  for (int run = 0; run < kRuns; ++run) {
    auto p = fullProject(1000u + static_cast<unsigned>(run));
    CountingPrompter prompter;
    const auto start = std::chrono::steady_clock::now();
    startPlan(*p, prompter);
    const auto end = std::chrono::steady_clock::now();
    ms.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    groups = p->SizeGroupCount;
    messages += prompter.messages;
  }
  std::sort(ms.begin(), ms.end());
  std::printf("footings 500 x 36 cases: place + size + grid + groups + derive: median %.2f ms, min %.2f ms, max %.2f ms"
              " (%d runs, %d groups, %d messages)\n",
              ms[ms.size() / 2], ms.front(), ms.back(), kRuns, groups, messages);
  return 0;
}
