// Fuzz target of the project-file reader: any bytes are either refused with a message or read, and a
// project read is applied to a small listing, planned and designed without a crash or a value beyond
// the tables.
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "footing/derived_plan.h"
#include "input/listing_reader.h"
#include "model/errors.h"
#include "project/project_file.h"
#include "project/schedule_design.h"

namespace {

class SilentPrompter : public plintova::Prompter {
 public:
  void message(const std::string&, const std::string&, plintova::MessageIcon) override {}
  bool confirm(const std::string&, const std::string&) override { return true; }
};

// The listing every project is applied to: four supports on a 2 x 2 grid with known columns.
const std::string& listingText() {
  static const std::string text = [] {
    std::ifstream in(PLINTOVA_TEST_DATA "/small_2x2.ANL", std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }();
  return text;
}

void applyToListing(const plintova::SavedProject& saved) {
  SilentPrompter prompter;
  auto p = std::make_unique<plintova::Project>();
  plintova::readListingText(*p, listingText(), "SMALL.ANL", prompter);
  if (!plintova::acceptSavedInputs(*p, saved).empty()) return;
  if (!plintova::startPlan(*p, prompter).empty()) return;
  std::vector<std::string> dropped;
  p->decisions = plintova::decisionsOf(*p, saved, dropped);
  if (!plintova::derivePlan(*p, prompter).empty()) return;
  plintova::designSchedule(*p, prompter);
  // What was read is written again.
  std::string reason;
  plintova::projectFileText(plintova::savedProjectOf(*p, "FUZZ.plintova"), reason);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const plintova::ReadProject read = plintova::parseProjectFile(text, "FUZZ.plintova");
  if (read.project) applyToListing(*read.project);
  // Any exception escapes and is reported as a crash: the reader refuses with a message instead.
  return 0;
}
