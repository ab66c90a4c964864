// The design options as JSON, read and written from the table of the options.
#include "project/design_options_file.h"

#include <cmath>
#include <limits>

#include "files/safe_file.h"

namespace plintova {

namespace {

using Json = nlohmann::ordered_json;

constexpr std::size_t kLargestOptionsFile = std::size_t{1} << 20;

std::string knownKeys() {
  std::string keys;
  for (const DesignOptionRow& row : designOptionRows()) keys += (keys.empty() ? "" : ", ") + std::string(row.key);
  return keys + ", " + kBarDiametersKey;
}

}  // namespace

Json designOptionsJson(const DesignOptions& o) {
  Json j = Json::object();
  for (const DesignOptionRow& row : designOptionRows()) {
    const std::optional<double> v = optionValue(o, row);
    // Whole values without a point ("25", not "25.0"), as the rest of the project file writes them.
    if (!v) j[row.key] = nullptr;
    else if (*v == std::trunc(*v) && std::fabs(*v) < 1e9) j[row.key] = static_cast<long long>(*v);
    else j[row.key] = *v;
  }
  j[kBarDiametersKey] = o.barDiameters;
  return j;
}

std::string readDesignOptions(const Json& object, const std::string& where, DesignOptions& into) {
  if (!object.is_object()) return where + " must be an object of design options";
  DesignOptions read = into;
  for (const auto& [key, value] : object.items()) {
    if (key == kBarDiametersKey) {
      std::vector<int> dias;
      bool whole = value.is_array();
      if (whole)
        for (const auto& v : value) {
          whole = whole && v.is_number_integer() && v.get<long long>() > 0 && v.get<long long>() < 1000;
          if (whole) dias.push_back(static_cast<int>(v.get<long long>()));
        }
      const std::string problem = whole ? barDiametersProblem(dias) : barDiametersProblem({});
      if (!problem.empty()) return where + ": " + problem;
      read.barDiameters = dias;
      continue;
    }
    const DesignOptionRow* row = designOptionRow(key);
    if (!row) return where + ": \"" + key + "\" is not a design option; the options are " + knownKeys();
    // null is none; a text or a list is no value the option takes (refused as out of its range).
    std::optional<double> v;
    if (value.is_number()) v = value.get<double>();
    else if (!value.is_null()) v = std::numeric_limits<double>::quiet_NaN();
    if (const std::string problem = optionProblem(*row, v, value.dump()); !problem.empty())
      return where + ": " + problem;
    setOptionValue(read, *row, v);
  }
  into = read;
  return {};
}

std::string readDesignOptionsFile(const std::string& path, DesignOptions& into) {
  const InputFile in = readInputFile(path, kLargestOptionsFile);
  const std::string name = "The options file " + path;
  if (in.status != InputStatus::Read) return name + " could not be read: " + in.reason + ".";
  Json root;
  try {
    root = Json::parse(in.bytes.view());
  } catch (const nlohmann::json::exception&) {
    return name + " is not valid JSON text.";
  }
  const std::string problem = readDesignOptions(root, name, into);
  return problem.empty() ? problem : problem + (problem.back() == '.' ? "" : ".");
}

}  // namespace plintova
