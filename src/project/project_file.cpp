// The project file (.plintova) as JSON text: writing, reading with every value checked, and the paths.
#include "project/project_file.h"

#include <charconv>
#include <cmath>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "files/project_files.h"
#include "files/safe_file.h"
#include "footing/design_inputs.h"
#include "footing/load_combinations.h"
#include "project/json_text.h"
#include "project/project_file_keys.h"
#include "project/project_file_upgrade.h"

namespace plintova {

namespace {

using namespace projectjson;
namespace fs = std::filesystem;

// A project file holds one short fingerprint per support and the decisions, none of which grows with
// the load cases: the project of the largest plan (30,000 supports, every decision) takes a few
// megabytes. A larger file is no project and would only cost memory and time.
constexpr std::size_t kLargestProjectFile = std::size_t{32} << 20;

// A value on one line with a blank after every colon and comma: {"joint": 3, "stepX": 1, "stepZ": 0}.
std::string oneLine(const Json& v) {
  std::string out;
  if (v.is_object()) {
    for (const auto& [key, item] : v.items())
      out += (out.empty() ? "{" : ", ") + Json(key).dump() + ": " + oneLine(item);
    return out.empty() ? "{}" : out + "}";
  }
  if (v.is_array()) {
    for (const Json& item : v) out += (out.empty() ? "[" : ", ") + oneLine(item);
    return out.empty() ? "[]" : out + "]";
  }
  return v.dump();
}

}  // namespace

std::string projectFileText(const SavedProject& saved, std::string& reason) {
  Json j;
  try {
    j = projectDocument(saved);
  } catch (const NotFinite&) {
    reason = "a value of the project is not a finite number";
    return {};
  }
  // One line per top-level key and per entry of a list of objects, so that the file reads and compares
  // well.
  try {
    std::string out = "{\n";
    std::size_t k = 0;
    for (const auto& [key, value] : j.items()) {
      out += "  " + Json(key).dump() + ": ";
      if (value.is_array() && !value.empty() && value.front().is_structured()) {
        out += "[\n";
        for (std::size_t i = 0; i < value.size(); ++i)
          out += "    " + oneLine(value[i]) + (i + 1 < value.size() ? ",\n" : "\n");
        out += "  ]";
      } else {
        out += oneLine(value);
      }
      out += ++k < j.size() ? ",\n" : "\n";
    }
    return out + "}\n";
  } catch (const nlohmann::json::exception&) {
    // The only text that can fail is the listing's name: file names need not be UTF-8.
    reason = "the listing's name is not UTF-8 text";
    return {};
  }
}

std::string writeProjectFile(const Project& p, const std::string& path) {
  std::string reason;
  const std::string text = projectFileText(savedProjectOf(p, path), reason);
  if (text.empty()) return "The project file " + path + " cannot be written: " + reason + ".";
  reason = writeFileSafely(path, text, projectInputFiles(p.AnlPath));
  if (!reason.empty()) return "The project file " + path + " could not be written: " + reason + ".";
  return {};
}

ReadProject parseProjectFile(const std::string& text, const std::string& path) {
  const std::string name = "The project file " + path;
  ReadProject out;
  JsonRead json = readJsonStrictly(text);
  if (!json) {
    out.error = name + " " + json.error + ".";
    return out;
  }
  const Json& root = json.value;
  const Json* format = root.is_object() ? member(root, "format") : nullptr;
  if (!format || !format->is_string() || format->get<std::string>() != kProjectFileFormat) {
    out.error = name + " is not a Plintova project file.";
    return out;
  }
  const Json* version = member(root, "version");
  const double v = version && version->is_number() ? version->get<double>() : NAN;
  if (v > kProjectFileVersion) {
    out.error = name + " was written by a newer version of Plintova (project file version " + version->dump() +
                "; this version reads version " + std::to_string(kProjectFileVersion) + ").";
    return out;
  }
  if (!(v >= 1) || v != std::trunc(v)) {
    std::string versions;
    for (int n = 1; n < kProjectFileVersion; ++n) versions += std::to_string(n) + (n + 1 < kProjectFileVersion ? ", " : " or ");
    out.error = name + " cannot be used: \"version\" must be " + versions + std::to_string(kProjectFileVersion) + ".";
    return out;
  }
  try {
    Json document = root;
    upgradeDocument(document, static_cast<int>(v));
    out.project = projectOfDocument(document);
    out.project->version = static_cast<int>(v);
  } catch (const Refusal& r) {
    out.error = name + " cannot be used: " + r.what + ".";
  } catch (const nlohmann::json::exception& e) {
    out.error = name + " cannot be used: " + e.what();
  }
  return out;
}

ReadProject readProjectFile(const std::string& path) {
  const InputFile in = readInputFile(path, kLargestProjectFile);
  if (in.status != InputStatus::Read) {
    ReadProject out;
    out.error = "The project file " + path + " could not be read: " + in.reason + ".";
    return out;
  }
  return parseProjectFile(std::string(in.bytes.view()), path);
}

std::string listingPathOf(const SavedProject& saved, const std::string& projectPath) {
  const fs::path listing(saved.listing);
  if (listing.is_absolute()) return listing.lexically_normal().string();
  // From the folder of the real file: a project opened through a symbolic link keeps its listing.
  return (fs::path(realFolderOf(projectPath)) / listing).lexically_normal().string();
}

std::string acceptSavedInputs(Project& p, const SavedProject& saved) {
  p.decisions.options = saved.options;
  if (!std::isfinite(saved.depth) || !std::isfinite(saved.sbc) || !acceptDesignInputs(p, saved.depth, saved.sbc))
    return "The SBC or the founding depth of the project cannot be used.";
  if (saved.fck > 0 || saved.fe > 0) {
    const int fck = saved.fck > 0 ? saved.fck : p.ListingFck, fe = saved.fe > 0 ? saved.fe : p.ListingFe;
    if (!acceptGrades(p, fck, fe)) return gradeProblem(fck, fe);
  }
  if (std::string refusal = applyLoadCaseChoice(p, saved.cases, saved.increasedCases, saved.laterCaseRule);
      !refusal.empty())
    return refusal;
  std::vector<std::string> notes;  // what the combinations' building says is said again by the run's basis
  return applyCaseBasis(p, CaseBasisChoice{saved.caseRoles, saved.combinations, false}, notes);
}

}  // namespace plintova
