// Errors that carry a message for the engineer.
#pragma once

#include <stdexcept>
#include <string>

namespace plintova {

// A listing or file that cannot be used. what() is the text to show; an empty text means the
// program ends without a message (as when the listing has no unit line).
class ListingError : public std::runtime_error {
 public:
  explicit ListingError(const std::string& text) : std::runtime_error(text) {}
  bool silent() const { return std::string(what()).empty(); }
};

}  // namespace plintova
