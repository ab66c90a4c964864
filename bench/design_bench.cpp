// Times the Design command and the workbook on a project at the model's capacity.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "design/footing_design.h"
#include "design/workbook.h"
#include "design/workbook_xlsx.h"
#include "footing/design_inputs.h"
#include "model/prompter.h"

using namespace plintova;

namespace {

// 500 footings with 36 load cases each: 480 in 20 size groups of 24, 10 resized by hand and 5
// combined pairs.
std::unique_ptr<Project> fullProject() {
  auto p = std::make_unique<Project>();
  p->Fck = 20;
  p->Fe = 415;
  p->CaseSbc[0] = 200;
  for (int c = 1; c < cap::kCasePositions; ++c) p->CaseSbc[c] = 250;
  setFoundingDepth(*p, 1.5);  // earth pressure 30 kN/m², the founding depth kept with it
  p->FootingCount = cap::kFootings;
  p->ReactionTable(0, 0, 0) = cap::kFootings;
  for (int s = 1; s <= cap::kFootings; ++s) {
    p->ReactionTable(s, 0, 0) = static_cast<float>(s);
    FootingRecord& f = p->FootingTable[s];
    f.JointNo = static_cast<int16_t>(s);
    for (int c = 0; c < cap::kCasePositions; ++c) {
      p->ReactionTable(s, c, 1) = static_cast<float>(c + 1);
      p->ReactionTable(s, c, 2) = static_cast<float>(200 + (s * 37 + c * 11) % 900);
      p->ReactionTable(s, c, 3) = static_cast<float>((s * 13 + c * 7) % 60 - 30);
      p->ReactionTable(s, c, 4) = static_cast<float>((s * 17 + c * 5) % 50 - 25);
    }
  }
  p->SizeGroupCount = 20;
  for (int g = 1; g <= 20; ++g) {
    SizeGroupRecord& grp = p->SizeGroupTable[g];
    grp.GroupBaseSize = grp.GroupSize = 1.0f + 0.15f * static_cast<float>(g);
    grp.Pedestal = PedestalSides::square(0.45f);
    grp.BarDia = 12;
    grp.GroupMark = static_cast<int16_t>(g);
  }
  for (int s = 1; s <= 480; ++s) {
    const int g = (s - 1) % 20 + 1;
    SizeGroupRecord& grp = p->SizeGroupTable[g];
    grp.Members[++grp.MemberCount] = static_cast<int16_t>(s);
    FootingRecord& f = p->FootingTable[s];
    f.GroupNo = f.GroupRank = static_cast<int16_t>(g);
    f.SizeL = f.SizeB = grp.GroupSize;
  }
  for (int s = 481; s <= 490; ++s) {
    FootingRecord& f = p->FootingTable[s];
    f.Kind = FootingKind::HandResized;
    f.GroupRank = static_cast<int16_t>(s - 480);
    f.SizeL = 2.0f;
    f.SizeB = 2.5f;
  }
  for (int n = 1; n <= 5; ++n) {
    CombinedFootingRecord& cf = p->CombinedFootingTable[++p->CombinedCount];
    cf.CfMemberCount = 2;
    cf.CfMembers[1] = static_cast<int16_t>(489 + 2 * n);
    cf.CfMembers[2] = static_cast<int16_t>(490 + 2 * n);
    cf.CfDistance = 2400;
    cf.CfLength = 3.4f;
    cf.CfWidth = 1.8f;
    setCombined(p->FootingTable[489 + 2 * n], n);
    setCombined(p->FootingTable[490 + 2 * n], n);
  }
  return p;
}

template <class F>
double bestMilliseconds(int runs, F&& f) {
  double best = 1e30;
  for (int i = 0; i < runs; ++i) {
    auto t0 = std::chrono::steady_clock::now();
    f();
    auto t1 = std::chrono::steady_clock::now();
    best = std::min(best, std::chrono::duration<double, std::milli>(t1 - t0).count());
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  auto p = fullProject();
  RecordingPrompter prompter;
  const double design = bestMilliseconds(20, [&] { DesignAllGroups(*p, prompter); });
  std::printf("DesignAllGroups, %d rows of 500 footings x 36 cases: %.3f ms\n", p->DesignGroupCount, design);
  size_t rows = 0;
  const double build = bestMilliseconds(10, [&] {
    auto book = buildWorkbook(*p);
    rows = 0;
    for (const auto& sheet : book) rows += sheet.rows.size();
  });
  std::printf("buildWorkbook, %zu rows: %.3f ms\n", rows, build);
  const std::string path = argc > 1 ? argv[1] : "/tmp/plintova-design-bench.xlsx";
  std::string failure;
  const double write = bestMilliseconds(3, [&] { failure = writeWorkbook(*p, path); });
  if (!failure.empty()) {
    std::printf("writeWorkbook failed: %s\n", failure.c_str());
    return 1;
  }
  std::printf("writeWorkbook (build and write %s): %.3f ms\n", path.c_str(), write);
  std::remove(path.c_str());
  return 0;
}
