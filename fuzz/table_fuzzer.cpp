// Fuzz target of the table import: any bytes, read as a comma- or tab-separated table of reactions, are
// either read or refused with a message.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "input/table_import.h"
#include "model/errors.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte chooses the format, so that one corpus serves both.
  const auto format = data[0] % 2 == 0 ? plintova::TableFormat::Csv : plintova::TableFormat::Tsv;
  auto project = std::make_unique<plintova::Project>();
  try {
    plintova::readTableText(*project, std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1),
                            "FUZZ.csv", format);
  } catch (const plintova::ListingError&) {
    // A table that cannot be used: the message is what the engineer sees.
  }
  return 0;
}
