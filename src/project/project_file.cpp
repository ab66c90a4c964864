// The project file (.plintova) as JSON text: writing, reading with every value checked, and the paths.
#include "project/project_file.h"

#include <charconv>
#include <cmath>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "footing/design_inputs.h"
#include "model/limits.h"
#include "output/project_files.h"
#include "output/safe_file.h"
#include "footing/load_combinations.h"
#include "project/case_roles_file.h"
#include "project/design_options_file.h"
#include "project/json_text.h"

namespace plintova {

namespace {

using Json = nlohmann::ordered_json;
namespace fs = std::filesystem;

// The values a project file may hold are those the windows take for the same decisions
// (model/limits.h). Joint numbers of the model are 16-bit.
constexpr int kMaxJoint = cap::kLargestJointNumber;
// A project file holds one short fingerprint per support and the decisions, none of which grows with
// the load cases: the project of the largest plan (30,000 supports, every decision) takes a few
// megabytes. A larger file is no project and would only cost memory and time.
constexpr std::size_t kLargestProjectFile = std::size_t{32} << 20;

// The value of "increaseRule" that keeps the later-case rule.
constexpr const char* kLaterCaseRule = "laterCases";

// A value that cannot be written as a JSON number.
struct NotFinite {};

// The shortest text that reads back to the same single-precision value, as a JSON number: whole
// values as integers ("200", not "200.0"), others as the double of that text, which the JSON writer
// prints as the same shortest text.
Json floatJson(float f) {
  if (!std::isfinite(f)) throw NotFinite{};
  if (f == std::trunc(f) && std::fabs(f) < 1e9f) return Json(static_cast<long long>(f));
  char buf[64];
  const auto end = std::to_chars(buf, buf + sizeof buf, f).ptr;
  double d = 0;
  std::from_chars(buf, end, d);
  // Reading the double back as a float rounds twice; where that could land elsewhere, the exact value.
  if (static_cast<float>(d) != f) d = static_cast<double>(f);
  return Json(d);
}

Json sheetJson(const SheetSettings& t);

Json toJson(const SavedProject& s) {
  Json j;
  j["format"] = kProjectFileFormat;
  j["version"] = s.version;
  j["program"] = std::string("Plintova ") + PLINTOVA_VERSION;  // what wrote it; not read back
  j["listing"] = s.listing;
  j["listingSha256"] = s.listingSha256;
  j["supports"] = Json::array();
  for (const SavedSupport& x : s.supports) j["supports"].push_back({{"joint", x.joint}, {"reactions", x.reactions}});
  j["sbc"] = floatJson(s.sbc);
  j["depth"] = floatJson(s.depth);
  j["offsets"] = Json::array();
  for (const SavedOffset& o : s.offsets) {
    Json e = {{"joint", o.joint}, {"stepX", o.stepX}, {"stepZ", o.stepZ}};
    if (o.dx || o.dz) {
      e["dx"] = o.dx.value_or(0);
      e["dz"] = o.dz.value_or(0);
    }
    j["offsets"].push_back(std::move(e));
  }
  j["groups"] = Json::array();
  for (const GroupChoice& g : s.groups)
    j["groups"].push_back(
        {{"baseSize", floatJson(g.baseSize.value())}, {"size", floatJson(g.size.value())}, {"checked", g.checked}});
  j["disabled"] = Json::array();
  for (int joint : s.disabled) j["disabled"].push_back(joint);
  j["combined"] = Json::array();
  for (const SavedCombined& c : s.combined) {
    Json e = {{"joints", {c.first, c.second}}};
    if (c.length != 0) e["length"] = floatJson(c.length);
    j["combined"].push_back(e);
  }
  j["resized"] = Json::array();
  for (const SavedResize& r : s.resized) j["resized"].push_back({{"joint", r.joint}, {"length", floatJson(r.length)}});
  j["schedule"] = Json::array();
  for (const ScheduleEdit& e : s.schedule) {
    Json row;
    if (e.footings.size() == 1) row["joint"] = e.footings.front();
    else if (!e.footings.empty()) row["joints"] = e.footings;
    else row["baseSize"] = floatJson(e.baseSize.value());
    if (e.depth) row["depth"] = floatJson(*e.depth);
    if (e.pedestalX) row["pedestalX"] = floatJson(*e.pedestalX);
    if (e.pedestalZ) row["pedestalZ"] = floatJson(*e.pedestalZ);
    if (e.barDia) row["barDia"] = *e.barDia;
    j["schedule"].push_back(row);
  }
  j["designed"] = s.designed;
  if (!s.cases.empty()) j["cases"] = s.cases;
  if (s.increasedCases) j["increasedCases"] = *s.increasedCases;
  else if (s.laterCaseRule) j["increaseRule"] = kLaterCaseRule;
  if (!s.caseRoles.empty()) j["caseRoles"] = caseRolesJson(s.caseRoles);
  if (s.combinations) j["combinations"] = combinationsJson(*s.combinations);
  j["options"] = designOptionsJson(s.options);
  if (s.fck > 0) j["fck"] = s.fck;
  if (s.fe > 0) j["fe"] = s.fe;
  if (!(s.sheet == SheetSettings{})) j["sheet"] = sheetJson(s.sheet);
  return j;
}

// Reading: the first value that is missing, of the wrong type or out of range refuses the file.
struct Refusal {
  std::string what;
};

// Where a value sits, for the message: "\"sbc\"", "\"offsets\" entry 2, \"stepX\"".
std::string keyName(const std::string& key) { return "\"" + key + "\""; }
std::string entryName(const std::string& array, std::size_t i) {
  return keyName(array) + " entry " + std::to_string(i + 1);
}
std::string inEntry(const std::string& entry, const std::string& key) { return entry + ", " + keyName(key); }

const Json* member(const Json& object, const char* key) {
  const auto it = object.find(key);
  return it == object.end() ? nullptr : &*it;
}

const Json& required(const Json& object, const char* key, const std::string& where) {
  const Json* v = member(object, key);
  if (!v) throw Refusal{where + " is missing"};
  return *v;
}

// The refusal of a value outside its limit: the key, the limit and the value as the file gives it.
[[noreturn]] void refuseValue(const Json& v, const std::string& where, const std::string& range) {
  std::string given = v.dump();
  if (given.size() > 40) given = given.substr(0, 40) + "...";
  throw Refusal{where + " must be " + range + ", not " + given};
}

double numberIn(const Json& v, const std::string& where, double lo, double hi, const std::string& range) {
  const double d = v.is_number() ? v.get<double>() : NAN;
  if (!(d >= lo && d <= hi)) refuseValue(v, where, range);
  return d;
}

// A length in metres, single precision, that `allowed` takes (checked as the program holds it).
float lengthOf(const Json& v, const std::string& where, bool (*allowed)(double), const std::string& range) {
  const float f = v.is_number() ? static_cast<float>(v.get<double>()) : NAN;
  if (!allowed(f)) refuseValue(v, where, range);
  return f;
}

float baseSizeOf(const Json& v, const std::string& where) {
  return lengthOf(v, where, limits::groupBaseSizeAllowed, limits::groupBaseSizeRange());
}

bool pedestalFits(double pedestal) { return limits::pedestalAllowed(pedestal); }

int wholeIn(const Json& v, const std::string& where, int lo, int hi, const std::string& range) {
  const double d = numberIn(v, where, lo, hi, range);
  if (d != std::trunc(d)) refuseValue(v, where, range);
  return static_cast<int>(d);
}

int jointOf(const Json& v, const std::string& where) {
  return wholeIn(v, where, 1, kMaxJoint, "a joint number from 1 to " + std::to_string(kMaxJoint));
}

const Json& arrayOf(const Json& v, const std::string& where) {
  if (!v.is_array()) throw Refusal{where + " must be a list"};
  return v;
}

const Json& objectOf(const Json& v, const std::string& where) {
  if (!v.is_object()) throw Refusal{where + " must be an object"};
  return v;
}

bool booleanOf(const Json& v, const std::string& where) {
  if (!v.is_boolean()) throw Refusal{where + " must be true or false"};
  return v.get<bool>();
}

std::string textOf(const Json& v, const std::string& where) {
  if (!v.is_string()) throw Refusal{where + " must be a text"};
  return v.get<std::string>();
}

bool isHex(const std::string& s, std::size_t digits) {
  return s.size() == digits && s.find_first_not_of("0123456789abcdef") == std::string::npos;
}

// Calls `each(entry, where)` for every entry of the optional list `key`.
template <class F>
void forEntries(const Json& root, const char* key, F each) {
  const Json* list = member(root, key);
  if (!list) return;
  arrayOf(*list, keyName(key));
  for (std::size_t i = 0; i < list->size(); ++i) each((*list)[i], entryName(key, i));
}

// The drawing sheet's settings, written and read by the one list of their text keys.
constexpr std::pair<const char*, std::string SheetSettings::*> kSheetTexts[] = {
    {"firm", &SheetSettings::firm},           {"client", &SheetSettings::client},
    {"project", &SheetSettings::project},     {"title", &SheetSettings::title},
    {"number", &SheetSettings::number},       {"revision", &SheetSettings::revision},
    {"date", &SheetSettings::date},           {"drawnBy", &SheetSettings::drawnBy},
    {"designedBy", &SheetSettings::designedBy}, {"checkedBy", &SheetSettings::checkedBy},
    {"approvedBy", &SheetSettings::approvedBy}, {"paper", &SheetSettings::paper}};
constexpr std::pair<const char*, std::string Revision::*> kRevisionTexts[] = {
    {"revision", &Revision::revision}, {"date", &Revision::date}, {"description", &Revision::description}};

Json sheetJson(const SheetSettings& t) {
  Json j = Json::object();
  for (const auto& [key, field] : kSheetTexts) j[key] = t.*field;
  // The revision shown, for readers that know no list of revisions.
  j["revision"] = t.currentRevision();
  j["revisions"] = Json::array();
  for (const Revision& r : t.revisions) {
    Json e = Json::object();
    for (const auto& [key, field] : kRevisionTexts) e[key] = r.*field;
    j["revisions"].push_back(e);
  }
  j["northRotation"] = t.northRotation;
  return j;
}

// A key left out keeps its default, so that files written before a key existed still open.
SheetSettings sheetFromJson(const Json& sheet, const std::string& where) {
  objectOf(sheet, where);
  SheetSettings t;
  for (const auto& [key, field] : kSheetTexts)
    if (const Json* v = member(sheet, key)) t.*field = textOf(*v, inEntry(where, key));
  if (t.paper != "A3" && t.paper != "A2" && t.paper != "A1") throw Refusal{inEntry(where, "paper") + " must be A3, A2 or A1"};
  if (const Json* list = member(sheet, "revisions")) {
    const std::string at = inEntry(where, "revisions");
    arrayOf(*list, at);
    for (std::size_t i = 0; i < list->size(); ++i) {
      const std::string entry = at + " entry " + std::to_string(i + 1);
      objectOf((*list)[i], entry);
      Revision r;
      for (const auto& [key, field] : kRevisionTexts)
        if (const Json* v = member((*list)[i], key)) r.*field = textOf(*v, inEntry(entry, key));
      t.revisions.push_back(r);
    }
  }
  if (!t.revisions.empty()) t.revision = t.revisions.back().revision;
  if (const Json* v = member(sheet, "northRotation"))
    t.northRotation = numberIn(*v, inEntry(where, "northRotation"), -360, 360, "an angle from -360 to 360 degrees");
  return t;
}

SavedProject fromJson(const Json& root) {
  SavedProject s;
  s.listing = textOf(required(root, "listing", keyName("listing")), keyName("listing"));
  if (s.listing.empty()) throw Refusal{"\"listing\" must name the listing"};
  // A NUL would end the name where the system reads it: another file than the one named.
  if (s.listing.find('\0') != std::string::npos) throw Refusal{"\"listing\" must be a file name without a NUL character"};
  if (const Json* v = member(root, "listingSha256")) {
    s.listingSha256 = textOf(*v, keyName("listingSha256"));
    if (!s.listingSha256.empty() && !isHex(s.listingSha256, 64))
      throw Refusal{"\"listingSha256\" must be 64 lower-case hex digits"};
  }
  forEntries(root, "supports", [&](const Json& e, const std::string& where) {
    objectOf(e, where);
    SavedSupport x;
    x.joint = jointOf(required(e, "joint", inEntry(where, "joint")), inEntry(where, "joint"));
    x.reactions = textOf(required(e, "reactions", inEntry(where, "reactions")), inEntry(where, "reactions"));
    s.supports.push_back(x);
  });
  s.sbc = static_cast<float>(numberIn(required(root, "sbc", keyName("sbc")), keyName("sbc"), limits::kSmallestSbc,
                                      limits::kLargestSbc, limits::sbcRange()));
  s.depth = static_cast<float>(numberIn(required(root, "depth", keyName("depth")), keyName("depth"), 0,
                                        limits::kLargestFoundingDepth, limits::foundingDepthRange()));
  forEntries(root, "offsets", [&](const Json& e, const std::string& where) {
    objectOf(e, where);
    SavedOffset o;
    o.joint = jointOf(required(e, "joint", inEntry(where, "joint")), inEntry(where, "joint"));
    if (const Json* v = member(e, "stepX")) o.stepX = wholeIn(*v, inEntry(where, "stepX"), -1, 1, "-1, 0 or 1");
    if (const Json* v = member(e, "stepZ")) o.stepZ = wholeIn(*v, inEntry(where, "stepZ"), -1, 1, "-1, 0 or 1");
    constexpr int kLargest = limits::kLargestColumnOffset;
    if (const Json* v = member(e, "dx")) o.dx = wholeIn(*v, inEntry(where, "dx"), -kLargest, kLargest, limits::columnOffsetRange());
    if (const Json* v = member(e, "dz")) o.dz = wholeIn(*v, inEntry(where, "dz"), -kLargest, kLargest, limits::columnOffsetRange());
    // The offset in millimetres wins; an entry with only one of them is 0 along the other axis.
    if (o.dx || o.dz) {
      o.dx = o.dx.value_or(0);
      o.dz = o.dz.value_or(0);
    }
    if (o.stepX != 0 || o.stepZ != 0 || o.dx.value_or(0) != 0 || o.dz.value_or(0) != 0) s.offsets.push_back(o);
  });
  forEntries(root, "groups", [&](const Json& e, const std::string& where) {
    objectOf(e, where);
    GroupChoice g;
    g.baseSize = baseSizeOf(required(e, "baseSize", inEntry(where, "baseSize")), inEntry(where, "baseSize"));
    g.size = g.baseSize;
    if (const Json* v = member(e, "size")) {
      const float size = v->is_number() ? static_cast<float>(v->get<double>()) : NAN;
      if (!limits::groupSizeAllowed(g.baseSize, size))
        refuseValue(*v, inEntry(where, "size"), limits::groupSizeRange(g.baseSize));
      g.size = size;
    }
    if (const Json* v = member(e, "checked")) g.checked = booleanOf(*v, inEntry(where, "checked"));
    s.groups.push_back(g);
  });
  forEntries(root, "disabled",
             [&](const Json& e, const std::string& where) { s.disabled.push_back(jointOf(e, where)); });
  forEntries(root, "combined", [&](const Json& e, const std::string& where) {
    objectOf(e, where);
    const std::string jointsAt = inEntry(where, "joints");
    const Json& joints = arrayOf(required(e, "joints", jointsAt), jointsAt);
    if (joints.size() != 2) throw Refusal{jointsAt + " must list two joints"};
    SavedCombined c;
    c.first = jointOf(joints[0], jointsAt);
    c.second = jointOf(joints[1], jointsAt);
    if (const Json* v = member(e, "length"))
      c.length = lengthOf(*v, inEntry(where, "length"), limits::combinedLengthAllowed, limits::combinedLengthRange());
    s.combined.push_back(c);
  });
  forEntries(root, "resized", [&](const Json& e, const std::string& where) {
    objectOf(e, where);
    SavedResize r;
    r.joint = jointOf(required(e, "joint", inEntry(where, "joint")), inEntry(where, "joint"));
    r.length = lengthOf(required(e, "length", inEntry(where, "length")), inEntry(where, "length"),
                        limits::handLengthAllowed, limits::handLengthRange());
    s.resized.push_back(r);
  });
  forEntries(root, "schedule", [&](const Json& e, const std::string& where) {
    objectOf(e, where);
    ScheduleEdit edit;
    // A group row by its base size; the row of a hand-resized footing by its joint, of a combined
    // footing by its two joints.
    if (const Json* joint = member(e, "joint")) {
      edit.footings = {jointOf(*joint, inEntry(where, "joint"))};
    } else if (const Json* joints = member(e, "joints")) {
      const std::string at = inEntry(where, "joints");
      if (!arrayOf(*joints, at).is_array() || joints->size() != 2) throw Refusal{at + " must list two joints"};
      edit.footings = {jointOf((*joints)[0], at), jointOf((*joints)[1], at)};
    } else {
      edit.baseSize = baseSizeOf(required(e, "baseSize", inEntry(where, "baseSize")), inEntry(where, "baseSize"));
    }
    // The pedestal and depth the schedule's boxes take; whether a pedestal fits its footing is checked
    // by the Design, which drops and names one that does not.
    // Files before version 4 knew square pedestals only: their "pedestal" is both sides.
    if (const Json* v = member(e, "pedestal"))
      edit.pedestalX = edit.pedestalZ = lengthOf(*v, inEntry(where, "pedestal"), pedestalFits, limits::pedestalRange());
    if (const Json* v = member(e, "pedestalX"))
      edit.pedestalX = lengthOf(*v, inEntry(where, "pedestalX"), pedestalFits, limits::pedestalRange());
    if (const Json* v = member(e, "pedestalZ"))
      edit.pedestalZ = lengthOf(*v, inEntry(where, "pedestalZ"), pedestalFits, limits::pedestalRange());
    if (const Json* v = member(e, "depth"))
      edit.depth = lengthOf(*v, inEntry(where, "depth"), limits::typedDepthAllowed, limits::typedDepthRange());
    if (const Json* v = member(e, "barDia")) {
      // Any diameter the design options may hold; every row chooses its own bar until one is edited.
      const std::string range = "a bar diameter from " + std::to_string(kSmallestBarDia) + " to " +
                                std::to_string(kLargestBarDia) + " (mm)";
      edit.barDia = static_cast<int16_t>(wholeIn(*v, inEntry(where, "barDia"), kSmallestBarDia, kLargestBarDia, range));
    }
    s.schedule.push_back(edit);
  });
  if (const Json* v = member(root, "designed")) s.designed = booleanOf(*v, keyName("designed"));
  forEntries(root, "cases", [&](const Json& e, const std::string& where) {
    s.cases.push_back(wholeIn(e, where, 1, 999999, "a load case number from 1"));
  });
  if (const Json* list = member(root, "increasedCases")) {
    arrayOf(*list, keyName("increasedCases"));
    s.increasedCases.emplace();
    forEntries(root, "increasedCases", [&](const Json& e, const std::string& where) {
      s.increasedCases->push_back(wholeIn(e, where, 1, 999999, "a load case number from 1"));
    });
  }
  if (const Json* v = member(root, "increaseRule")) {
    if (textOf(*v, keyName("increaseRule")) != kLaterCaseRule)
      throw Refusal{"\"increaseRule\" must be \"" + std::string(kLaterCaseRule) + "\""};
    s.laterCaseRule = !s.increasedCases;
  }
  if (const Json* v = member(root, "caseRoles"))
    if (const std::string problem = readCaseRoles(*v, keyName("caseRoles"), s.caseRoles); !problem.empty())
      throw Refusal{problem};
  if (const Json* v = member(root, "combinations"))
    if (const std::string problem = readCombinations(*v, keyName("combinations"), s.combinations.emplace());
        !problem.empty())
      throw Refusal{problem};
  if (const Json* v = member(root, "options")) {
    if (const std::string problem = readDesignOptions(*v, keyName("options"), s.options); !problem.empty())
      throw Refusal{problem};
  }
  if (const Json* v = member(root, "fck")) s.fck = wholeIn(*v, keyName("fck"), 1, 100, "a concrete grade in N/mm2");
  if (const Json* v = member(root, "fe")) s.fe = wholeIn(*v, keyName("fe"), 1, 1000, "a steel grade in N/mm2");
  if (const Json* sheet = member(root, "sheet")) s.sheet = sheetFromJson(*sheet, keyName("sheet"));
  return s;
}

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
    j = toJson(saved);
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
  if (v != 1 && v != 2 && v != 3 && v != kProjectFileVersion) {
    out.error = name + " cannot be used: \"version\" must be 1, 2, 3 or " + std::to_string(kProjectFileVersion) + ".";
    return out;
  }
  try {
    out.project = fromJson(root);
    out.project->version = static_cast<int>(v);
    // A version-1 project knew only the later-case rule: without its own choice it keeps it.
    if (v == 1 && !out.project->increasedCases) out.project->laterCaseRule = true;
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
  // The text of the float's exact value, so that the entry reads back to the very same float.
  auto text = [](float f) {
    char buf[64];
    return std::string(buf, std::to_chars(buf, buf + sizeof buf, static_cast<double>(f)).ptr);
  };
  p.decisions.options = saved.options;
  if (!std::isfinite(saved.depth) || !std::isfinite(saved.sbc) ||
      !acceptDesignInputs(p, text(saved.depth), text(saved.sbc)))
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
