// Benchmark of the listing reader: reads a listing N times (read and frame lattice) and reports the
// fastest and median time and the peak memory of the process.
//
//   make_listing /tmp/full.ANL && read_bench /tmp/full.ANL 20
//   (for comparison: time grep -c "C O L U M N" /tmp/full.ANL)
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "input/listing_reader.h"
#include "model/errors.h"

namespace {

class QuietPrompter : public plintova::Prompter {
 public:
  void message(const std::string&, const std::string&, plintova::MessageIcon) override {}
  bool confirm(const std::string&, const std::string&) override { return true; }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: read_bench LISTING.ANL [RUNS]\n");
    return 2;
  }
  const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 20;
  auto project = std::make_unique<plintova::Project>();
  QuietPrompter prompter;
  std::vector<double> ms;
  plintova::ListingSummary summary;
  for (int i = 0; i < runs; ++i) {
    auto start = std::chrono::steady_clock::now();
    try {
      summary = plintova::readListing(*project, argv[1], prompter);
    } catch (const plintova::ListingError& e) {
      std::fprintf(stderr, "refused: %s\n", e.what());
      return 1;
    }
    ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(ms.begin(), ms.end());
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("%s | %s | %s\n", summary.supportsCaption.c_str(), summary.loadCasesCaption.c_str(),
              summary.gradesCaption.c_str());
  std::printf("joints %d, members %d, rotated %d, column blocks %d, beam blocks %d\n", project->JointCount,
              project->MemberTotal, project->RotatedMemberCount, project->ColumnSectionCount,
              project->BeamSectionCount);
  std::printf("read + lattice over %d runs: min %.1f ms, median %.1f ms; peak RSS %.1f MB\n", runs, ms.front(),
              ms[ms.size() / 2], usage.ru_maxrss / 1024.0);
  return 0;
}
