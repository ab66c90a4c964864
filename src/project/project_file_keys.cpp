// The keys of the project file, each in one place: its name, how it is written and how it is read, in
// tables that give the file's order. A key written only when it differs from its default is read with
// that default when the file leaves it out.
#include "project/project_file_keys.h"

#include <cmath>
#include <optional>
#include <vector>

#include "model/limits.h"
#include "project/case_roles_file.h"
#include "project/design_options_file.h"

namespace plintova::projectjson {

namespace {

// One key of an object of type T. `write` gives its value, or nothing to leave it out; `read` takes the
// value the file gives at `where` (none: written for other readers, not read back).
template <class T>
struct Key {
  const char* name;
  std::optional<Json> (*write)(const T& from);
  void (*read)(const Json& value, const std::string& where, T& into);
  bool required = false;
};

template <class T, std::size_t N>
Json objectJson(const T& from, const Key<T> (&keys)[N]) {
  Json j = Json::object();
  for (const Key<T>& k : keys)
    if (std::optional<Json> v = k.write(from)) j[k.name] = std::move(*v);
  return j;
}

// Reads the keys of `object` (at `entry`; the top level when empty) in the order of the table.
template <class T, std::size_t N>
void readKeys(const Json& object, const std::string& entry, const Key<T> (&keys)[N], T& into) {
  for (const Key<T>& k : keys) {
    const Json* v = member(object, k.name);
    if (!v && k.required) throw Refusal{placeOf(entry, k.name) + " is missing"};
    if (v && k.read) k.read(*v, placeOf(entry, k.name), into);
  }
}

template <class T, std::size_t N>
Json listJson(const std::vector<T>& list, const Key<T> (&keys)[N]) {
  Json j = Json::array();
  for (const T& x : list) j.push_back(objectJson(x, keys));
  return j;
}

// The entries of the list at `where`, each an object read by the table.
template <class T, std::size_t N>
std::vector<T> listOf(const Json& list, const std::string& where, const Key<T> (&keys)[N]) {
  arrayOf(list, where);
  std::vector<T> out;
  for (std::size_t i = 0; i < list.size(); ++i) {
    const std::string entry = where + " entry " + std::to_string(i + 1);
    objectOf(list[i], entry);
    T x{};
    readKeys(list[i], entry, keys, x);
    out.push_back(std::move(x));
  }
  return out;
}

std::vector<int> caseNumbersOf(const Json& list, const std::string& where) {
  arrayOf(list, where);
  std::vector<int> cases;
  for (std::size_t i = 0; i < list.size(); ++i)
    cases.push_back(wholeIn(list[i], where + " entry " + std::to_string(i + 1), 1, 999999, "a load case number from 1"));
  return cases;
}

float baseSizeOf(const Json& v, const std::string& where) {
  return lengthOf(v, where, limits::groupBaseSizeAllowed, limits::groupBaseSizeRange());
}

// The value of "increaseRule" that keeps the later-case rule.
constexpr const char* kLaterCaseRule = "laterCases";

constexpr Key<SavedSupport> kSupportKeys[] = {
    {"joint", [](const SavedSupport& x) -> std::optional<Json> { return x.joint; },
     [](const Json& v, const std::string& at, SavedSupport& x) { x.joint = jointOf(v, at); }, true},
    {"reactions", [](const SavedSupport& x) -> std::optional<Json> { return x.reactions; },
     [](const Json& v, const std::string& at, SavedSupport& x) { x.reactions = textOf(v, at); }, true},
};

// An offset's steps are written for readers that know no millimetres; "dx" and "dz" win, both written
// when either is not 0.
std::optional<Json> millimetresJson(const SavedOffset& o, const std::optional<int>& value) {
  if (!o.dx && !o.dz) return std::nullopt;
  return value.value_or(0);
}
void readMillimetres(const Json& v, const std::string& at, std::optional<int>& into) {
  constexpr int kLargest = limits::kLargestColumnOffset;
  into = wholeIn(v, at, -kLargest, kLargest, limits::columnOffsetRange());
}

constexpr Key<SavedOffset> kOffsetKeys[] = {
    {"joint", [](const SavedOffset& o) -> std::optional<Json> { return o.joint; },
     [](const Json& v, const std::string& at, SavedOffset& o) { o.joint = jointOf(v, at); }, true},
    {"stepX", [](const SavedOffset& o) -> std::optional<Json> { return o.stepX; },
     [](const Json& v, const std::string& at, SavedOffset& o) { o.stepX = wholeIn(v, at, -1, 1, "-1, 0 or 1"); }},
    {"stepZ", [](const SavedOffset& o) -> std::optional<Json> { return o.stepZ; },
     [](const Json& v, const std::string& at, SavedOffset& o) { o.stepZ = wholeIn(v, at, -1, 1, "-1, 0 or 1"); }},
    {"dx", [](const SavedOffset& o) { return millimetresJson(o, o.dx); },
     [](const Json& v, const std::string& at, SavedOffset& o) { readMillimetres(v, at, o.dx); }},
    {"dz", [](const SavedOffset& o) { return millimetresJson(o, o.dz); },
     [](const Json& v, const std::string& at, SavedOffset& o) { readMillimetres(v, at, o.dz); }},
};

// A group's size is checked against its base size, read before it; without a size it keeps its base size.
constexpr Key<GroupChoice> kGroupKeys[] = {
    {"baseSize", [](const GroupChoice& g) -> std::optional<Json> { return floatJson(g.baseSize.value()); },
     [](const Json& v, const std::string& at, GroupChoice& g) { g.size = g.baseSize = baseSizeOf(v, at); }, true},
    {"size", [](const GroupChoice& g) -> std::optional<Json> { return floatJson(g.size.value()); },
     [](const Json& v, const std::string& at, GroupChoice& g) {
       const float size = v.is_number() ? static_cast<float>(v.get<double>()) : NAN;
       if (!limits::groupSizeAllowed(g.baseSize, size)) refuseValue(v, at, limits::groupSizeRange(g.baseSize));
       g.size = size;
     }},
    {"checked", [](const GroupChoice& g) -> std::optional<Json> { return g.checked; },
     [](const Json& v, const std::string& at, GroupChoice& g) { g.checked = booleanOf(v, at); }},
};

constexpr Key<SavedCombined> kCombinedKeys[] = {
    {"joints", [](const SavedCombined& c) -> std::optional<Json> { return Json{c.first, c.second}; },
     [](const Json& v, const std::string& at, SavedCombined& c) {
       if (arrayOf(v, at).size() != 2) throw Refusal{at + " must list two joints"};
       c.first = jointOf(v[0], at);
       c.second = jointOf(v[1], at);
     },
     true},
    {"length",
     [](const SavedCombined& c) -> std::optional<Json> {
       if (c.length == 0) return std::nullopt;  // the length of its first design
       return floatJson(c.length);
     },
     [](const Json& v, const std::string& at, SavedCombined& c) {
       c.length = lengthOf(v, at, limits::combinedLengthAllowed, limits::combinedLengthRange());
     }},
};

constexpr Key<SavedResize> kResizedKeys[] = {
    {"joint", [](const SavedResize& r) -> std::optional<Json> { return r.joint; },
     [](const Json& v, const std::string& at, SavedResize& r) { r.joint = jointOf(v, at); }, true},
    {"length", [](const SavedResize& r) -> std::optional<Json> { return floatJson(r.length); },
     [](const Json& v, const std::string& at, SavedResize& r) {
       r.length = lengthOf(v, at, limits::handLengthAllowed, limits::handLengthRange());
     },
     true},
};

// A schedule row by the joint of its hand-resized footing, the two joints of its combined footing, or
// the base size of its group (only the first of these the entry gives is read); then the fields edited.
std::optional<Json> optionalFloat(const std::optional<float>& v) {
  if (!v) return std::nullopt;
  return floatJson(*v);
}

constexpr Key<ScheduleEdit> kScheduleKeys[] = {
    {"joint",
     [](const ScheduleEdit& e) -> std::optional<Json> {
       if (e.footings.size() != 1) return std::nullopt;
       return e.footings.front();
     },
     [](const Json& v, const std::string& at, ScheduleEdit& e) { e.footings = {jointOf(v, at)}; }},
    {"joints",
     [](const ScheduleEdit& e) -> std::optional<Json> {
       if (e.footings.size() < 2) return std::nullopt;
       return e.footings;
     },
     [](const Json& v, const std::string& at, ScheduleEdit& e) {
       if (!e.footings.empty()) return;
       if (arrayOf(v, at).size() != 2) throw Refusal{at + " must list two joints"};
       e.footings = {jointOf(v[0], at), jointOf(v[1], at)};
     }},
    {"baseSize",
     [](const ScheduleEdit& e) -> std::optional<Json> {
       if (!e.footings.empty()) return std::nullopt;
       return floatJson(e.baseSize.value());
     },
     [](const Json& v, const std::string& at, ScheduleEdit& e) {
       if (e.footings.empty()) e.baseSize = baseSizeOf(v, at);
     }},
    {"depth", [](const ScheduleEdit& e) { return optionalFloat(e.depth); },
     [](const Json& v, const std::string& at, ScheduleEdit& e) {
       e.depth = lengthOf(v, at, limits::typedDepthAllowed, limits::typedDepthRange());
     }},
    {"pedestalX", [](const ScheduleEdit& e) { return optionalFloat(e.pedestalX); },
     [](const Json& v, const std::string& at, ScheduleEdit& e) { e.pedestalX = pedestalOf(v, at); }},
    {"pedestalZ", [](const ScheduleEdit& e) { return optionalFloat(e.pedestalZ); },
     [](const Json& v, const std::string& at, ScheduleEdit& e) { e.pedestalZ = pedestalOf(v, at); }},
    {"barDia",
     [](const ScheduleEdit& e) -> std::optional<Json> {
       if (!e.barDia) return std::nullopt;
       return *e.barDia;
     },
     [](const Json& v, const std::string& at, ScheduleEdit& e) {
       // Any diameter the design options may hold; every row chooses its own bar until one is edited.
       const std::string range = "a bar diameter from " + std::to_string(kSmallestBarDia) + " to " +
                                 std::to_string(kLargestBarDia) + " (mm)";
       e.barDia = static_cast<int16_t>(wholeIn(v, at, kSmallestBarDia, kLargestBarDia, range));
     }},
};

std::vector<SavedOffset> offsetsOf(const Json& list, const std::string& where) {
  std::vector<SavedOffset> offsets;
  for (SavedOffset o : listOf(list, where, kOffsetKeys)) {
    // The offset in millimetres wins; an entry with only one of them is 0 along the other axis.
    if (o.dx || o.dz) {
      o.dx = o.dx.value_or(0);
      o.dz = o.dz.value_or(0);
    }
    // Only footings off their column are kept.
    if (o.stepX != 0 || o.stepZ != 0 || o.dx.value_or(0) != 0 || o.dz.value_or(0) != 0) offsets.push_back(o);
  }
  return offsets;
}

std::vector<ScheduleEdit> scheduleOf(const Json& list, const std::string& where) {
  std::vector<ScheduleEdit> edits = listOf(list, where, kScheduleKeys);
  for (std::size_t i = 0; i < edits.size(); ++i)
    if (edits[i].footings.empty() && !member(list[i], "baseSize"))
      throw Refusal{where + " entry " + std::to_string(i + 1) + ", \"baseSize\" is missing"};
  return edits;
}

// A text field of T, written and read as it stands.
template <class T, std::string T::*Field>
constexpr Key<T> textKey(const char* name) {
  return {name, [](const T& x) -> std::optional<Json> { return x.*Field; },
          [](const Json& v, const std::string& at, T& x) { x.*Field = textOf(v, at); }};
}

constexpr Key<Revision> kRevisionKeys[] = {
    textKey<Revision, &Revision::revision>("revision"),
    textKey<Revision, &Revision::date>("date"),
    textKey<Revision, &Revision::description>("description"),
};

// The drawing sheet's settings. A key left out keeps its default, so that files written before a key
// existed still open. "revision" is the revision shown, for readers that know no list of revisions: it is
// read as the revision while there are none.
using S = SheetSettings;
constexpr Key<S> kSheetKeys[] = {
    textKey<S, &S::firm>("firm"),
    textKey<S, &S::client>("client"),
    textKey<S, &S::project>("project"),
    textKey<S, &S::title>("title"),
    textKey<S, &S::number>("number"),
    {"revision", [](const S& t) -> std::optional<Json> { return t.currentRevision(); },
     [](const Json& v, const std::string& at, S& t) { t.revision = textOf(v, at); }},
    textKey<S, &S::date>("date"),
    textKey<S, &S::drawnBy>("drawnBy"),
    textKey<S, &S::designedBy>("designedBy"),
    textKey<S, &S::checkedBy>("checkedBy"),
    textKey<S, &S::approvedBy>("approvedBy"),
    {"paper", [](const S& t) -> std::optional<Json> { return t.paper; },
     [](const Json& v, const std::string& at, S& t) {
       t.paper = textOf(v, at);
       if (t.paper != "A3" && t.paper != "A2" && t.paper != "A1") throw Refusal{at + " must be A3, A2 or A1"};
     }},
    {"revisions", [](const S& t) -> std::optional<Json> { return listJson(t.revisions, kRevisionKeys); },
     [](const Json& v, const std::string& at, S& t) {
       t.revisions = listOf(v, at, kRevisionKeys);
       if (!t.revisions.empty()) t.revision = t.revisions.back().revision;
     }},
    {"northRotation", [](const S& t) -> std::optional<Json> { return t.northRotation; },
     [](const Json& v, const std::string& at, S& t) {
       t.northRotation = numberIn(v, at, -360, 360, "an angle from -360 to 360 degrees");
     }},
};

SheetSettings sheetOf(const Json& sheet, const std::string& where) {
  objectOf(sheet, where);
  SheetSettings t;
  readKeys(sheet, where, kSheetKeys, t);
  return t;
}

void readListingName(const Json& v, const std::string& at, SavedProject& s) {
  s.listing = textOf(v, at);
  if (s.listing.empty()) throw Refusal{at + " must name the listing"};
  // A NUL would end the name where the system reads it: another file than the one named.
  if (s.listing.find('\0') != std::string::npos) throw Refusal{at + " must be a file name without a NUL character"};
}

void readListingSha(const Json& v, const std::string& at, SavedProject& s) {
  s.listingSha256 = textOf(v, at);
  const bool hex = s.listingSha256.size() == 64 && s.listingSha256.find_first_not_of("0123456789abcdef") == std::string::npos;
  if (!s.listingSha256.empty() && !hex) throw Refusal{at + " must be 64 lower-case hex digits"};
}

template <class F>
void throwProblem(F read) {
  if (const std::string problem = read(); !problem.empty()) throw Refusal{problem};
}

using P = SavedProject;
using Written = std::optional<Json>;

// The project's keys in the file's order ("format" and "version" are read before the document is).
constexpr Key<P> kProjectKeys[] = {
    {"format", [](const P&) -> Written { return kProjectFileFormat; }, nullptr},
    {"version", [](const P& s) -> Written { return s.version; }, nullptr},
    {"program", [](const P&) -> Written { return std::string("Plintova ") + PLINTOVA_VERSION; }, nullptr},
    {"listing", [](const P& s) -> Written { return s.listing; }, readListingName, true},
    {"listingSha256", [](const P& s) -> Written { return s.listingSha256; }, readListingSha},
    {"supports", [](const P& s) -> Written { return listJson(s.supports, kSupportKeys); },
     [](const Json& v, const std::string& at, P& s) { s.supports = listOf(v, at, kSupportKeys); }},
    {"sbc", [](const P& s) -> Written { return floatJson(s.sbc); },
     [](const Json& v, const std::string& at, P& s) {
       s.sbc = static_cast<float>(numberIn(v, at, limits::kSmallestSbc, limits::kLargestSbc, limits::sbcRange()));
     },
     true},
    {"depth", [](const P& s) -> Written { return floatJson(s.depth); },
     [](const Json& v, const std::string& at, P& s) {
       s.depth = static_cast<float>(numberIn(v, at, 0, limits::kLargestFoundingDepth, limits::foundingDepthRange()));
     },
     true},
    {"offsets", [](const P& s) -> Written { return listJson(s.offsets, kOffsetKeys); },
     [](const Json& v, const std::string& at, P& s) { s.offsets = offsetsOf(v, at); }},
    {"groups", [](const P& s) -> Written { return listJson(s.groups, kGroupKeys); },
     [](const Json& v, const std::string& at, P& s) { s.groups = listOf(v, at, kGroupKeys); }},
    {"disabled", [](const P& s) -> Written { return s.disabled; },
     [](const Json& v, const std::string& at, P& s) {
       for (std::size_t i = 0; i < arrayOf(v, at).size(); ++i)
         s.disabled.push_back(jointOf(v[i], at + " entry " + std::to_string(i + 1)));
     }},
    {"combined", [](const P& s) -> Written { return listJson(s.combined, kCombinedKeys); },
     [](const Json& v, const std::string& at, P& s) { s.combined = listOf(v, at, kCombinedKeys); }},
    {"resized", [](const P& s) -> Written { return listJson(s.resized, kResizedKeys); },
     [](const Json& v, const std::string& at, P& s) { s.resized = listOf(v, at, kResizedKeys); }},
    {"schedule", [](const P& s) -> Written { return listJson(s.schedule, kScheduleKeys); },
     [](const Json& v, const std::string& at, P& s) { s.schedule = scheduleOf(v, at); }},
    {"designed", [](const P& s) -> Written { return s.designed; },
     [](const Json& v, const std::string& at, P& s) { s.designed = booleanOf(v, at); }},
    {"cases",
     [](const P& s) -> Written {
       if (s.cases.empty()) return std::nullopt;  // every case
       return s.cases;
     },
     [](const Json& v, const std::string& at, P& s) { s.cases = caseNumbersOf(v, at); }},
    {"increasedCases",
     [](const P& s) -> Written {
       if (!s.increasedCases) return std::nullopt;  // the default rule
       return *s.increasedCases;
     },
     [](const Json& v, const std::string& at, P& s) { s.increasedCases = caseNumbersOf(v, at); }},
    {"increaseRule",
     [](const P& s) -> Written {
       if (s.increasedCases || !s.laterCaseRule) return std::nullopt;
       return kLaterCaseRule;
     },
     [](const Json& v, const std::string& at, P& s) {
       if (textOf(v, at) != kLaterCaseRule) throw Refusal{at + " must be \"" + std::string(kLaterCaseRule) + "\""};
       s.laterCaseRule = !s.increasedCases;
     }},
    {"caseRoles",
     [](const P& s) -> Written {
       if (s.caseRoles.empty()) return std::nullopt;
       return caseRolesJson(s.caseRoles);
     },
     [](const Json& v, const std::string& at, P& s) { throwProblem([&] { return readCaseRoles(v, at, s.caseRoles); }); }},
    {"combinations",
     [](const P& s) -> Written {
       if (!s.combinations) return std::nullopt;  // the program decides
       return combinationsJson(*s.combinations);
     },
     [](const Json& v, const std::string& at, P& s) {
       throwProblem([&] { return readCombinations(v, at, s.combinations.emplace()); });
     }},
    {"options", [](const P& s) -> Written { return designOptionsJson(s.options); },
     [](const Json& v, const std::string& at, P& s) { throwProblem([&] { return readDesignOptions(v, at, s.options); }); }},
    {"fck",
     [](const P& s) -> Written {
       if (s.fck <= 0) return std::nullopt;  // the listing's grade
       return s.fck;
     },
     [](const Json& v, const std::string& at, P& s) { s.fck = wholeIn(v, at, 1, 100, "a concrete grade in N/mm2"); }},
    {"fe",
     [](const P& s) -> Written {
       if (s.fe <= 0) return std::nullopt;
       return s.fe;
     },
     [](const Json& v, const std::string& at, P& s) { s.fe = wholeIn(v, at, 1, 1000, "a steel grade in N/mm2"); }},
    {"sheet",
     [](const P& s) -> Written {
       if (s.sheet == SheetSettings{}) return std::nullopt;  // as every new sheet starts
       return objectJson(s.sheet, kSheetKeys);
     },
     [](const Json& v, const std::string& at, P& s) { s.sheet = sheetOf(v, at); }},
};

}  // namespace

Json projectDocument(const SavedProject& saved) { return objectJson(saved, kProjectKeys); }

SavedProject projectOfDocument(const Json& document) {
  SavedProject s;
  readKeys(document, std::string(), kProjectKeys, s);
  return s;
}

}  // namespace plintova::projectjson
