// Fuzz target of the listing reader: any bytes are either read or refused with a message.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "input/listing_reader.h"
#include "model/errors.h"

namespace {

// Messages are counted, not kept: a listing of many blocks can show many.
class CountingPrompter : public plintova::Prompter {
 public:
  void message(const std::string&, const std::string&, plintova::MessageIcon) override { ++messages; }
  bool confirm(const std::string&, const std::string&) override { return true; }
  std::size_t messages = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  auto project = std::make_unique<plintova::Project>();
  CountingPrompter prompter;
  try {
    plintova::readListingText(*project, std::string_view(reinterpret_cast<const char*>(data), size), "FUZZ.ANL",
                              prompter);
  } catch (const plintova::ListingError&) {
    // A listing that cannot be used: the message is what the engineer sees.
  }
  // Any other exception (an index outside a table) escapes and is reported as a crash.
  return 0;
}
