// The design options as JSON: the one reader and writer of a project file's "options" and of an options
// file given to the batch tool (--options FILE.json), both driven by the table of the options.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "model/design_options.h"

namespace plintova {

// Every option with its value, in the table's order; an option that is none is written as null.
nlohmann::ordered_json designOptionsJson(const DesignOptions& o);

// Takes the options `object` gives into `into`; keys it does not give keep their value. Returns "" or
// the refusal, `where` naming the object: an object that is not one, an unknown key, a value that is not
// a number (or null where the option may be none) or out of range ("friction 0.9 is out of range: the
// coefficient of friction between footing and soil is from 0.3 to 0.7.").
std::string readDesignOptions(const nlohmann::ordered_json& object, const std::string& where, DesignOptions& into);

// Reads an options file, a JSON object of option keys, over `into`. Returns "" or the refusal naming the
// file.
std::string readDesignOptionsFile(const std::string& path, DesignOptions& into);

}  // namespace plintova
