// Reads a plain table of support reactions (.csv or .tsv) into the project model.
//
// One row per support and load case; the header names the columns (see docs/table-import.md). The
// table fills what a listing fills for the footings: joints, reactions, column sections and the level
// lists of the plan. It has no members, beams or design blocks, so the frame lattices stay empty.
#include "input/table_import.h"

#include <algorithm>
#include <array>
#include <cfloat>
#include <cmath>
#include <filesystem>
#include <unordered_map>
#include <vector>

#include "files/safe_file.h"
#include "input/fingerprints.h"
#include "input/table_text.h"
#include "model/errors.h"
#include "model/numbers.h"

namespace plintova {

namespace {

using namespace table_text;

// Every joint of a table is a support and every column section stands on one, so the limit of the
// supports also bounds the joint table, the column sections and the level lists.
static_assert(cap::kFootings <= cap::kJoints && cap::kFootings <= cap::kColumnBlocks &&
              cap::kFootings <= cap::kLevels && cap::kFootings <= cap::kReactionSupports);

// Far beyond a table at the model's capacity (500 supports of 36 rows), yet a bound on memory.
constexpr std::size_t kLargestTable = std::size_t{64} << 20;
// Joint and load case numbers are held in 16 bits.
constexpr int kLargestNumber = cap::kLargestJointNumber;

enum Column { Joint, X, Y, Z, Case, Fy, Mx, Mz, ColumnB, ColumnD, Fx, Fz, kColumnKinds };
constexpr std::array<std::string_view, kColumnKinds> kColumnNames = {
    "joint", "x", "y", "z", "case", "fy", "mx", "mz", "column_b", "column_d", "fx", "fz",
};
constexpr Column kRequired[] = {Joint, X, Z, Case, Fy, Mx, Mz};

std::string text(long long v) { return std::to_string(v); }

// Where a fault lies: the file by its name, a line, a column.
class Place {
 public:
  explicit Place(const std::string& path) {
    name_ = std::filesystem::path(path).filename().string();
    if (name_.empty()) name_ = path.empty() ? "The table" : path;
  }
  [[noreturn]] void fault(const std::string& what) const { throw ListingError(name_ + " " + what); }
  [[noreturn]] void fault(std::size_t line, const std::string& what) const {
    throw ListingError(name_ + ", line " + text(static_cast<long long>(line)) + ": " + what);
  }
  [[noreturn]] void fault(std::size_t line, Column c, const std::string& what) const {
    fault(line, "column " + std::string(kColumnNames[c]), what);
  }
  [[noreturn]] void fault(std::size_t line, const std::string& where, const std::string& what) const {
    throw ListingError(name_ + ", line " + text(static_cast<long long>(line)) + ", " + where + ": " + what);
  }

 private:
  std::string name_;
};

// What the rows of one joint have given so far.
struct JointRows {
  int32_t number = 0;
  std::array<int32_t, 3> at{};          // X, Y, Z, mm
  std::array<std::size_t, 3> atLine{};  // line that gave each coordinate, 0 when none has yet
  int32_t b = 0, d = 0;                 // column size along X and along Z, mm
  std::size_t sizeLine = 0;
  std::vector<std::pair<int, std::size_t>> cases;  // load case and its line, by position
  std::unordered_map<int, std::size_t> lineOfCase;  // the line of every load case given so far
};

// The rows of the table after its header, read into the reaction table as they come.
class RowReader {
 public:
  RowReader(Project& p, const Place& place, const std::array<int, kColumnKinds>& columnOf)
      : p_(p), place_(place), columnOf_(columnOf) {}

  void read(std::size_t line, const std::vector<std::string>& fields) {
    line_ = line;
    fields_ = &fields;
    const int number = wholeNumber(Joint);
    int& s = slotOf_[number];
    if (s == 0) {
      if (joints_.size() == static_cast<std::size_t>(cap::kFootings))
        place_.fault(line, "joint " + text(number) + " would be support " + text(cap::kFootings + 1) + "; at most " +
                               text(cap::kFootings) + " supports can be designed.");
      joints_.push_back({});
      joints_.back().number = number;
      s = static_cast<int>(joints_.size());
      p_.ReactionTable(s, 0, 0) = static_cast<float>(number);
    }
    JointRows& j = joints_[static_cast<std::size_t>(s - 1)];
    const auto c = static_cast<int>(j.cases.size());
    if (c == cap::kCasePositions)
      place_.fault(line, "joint " + text(number) + " has more than " + text(cap::kCasePositions) + " rows; at most " +
                             text(cap::kCasePositions) + " load cases can be designed.");
    const int loadCase = wholeNumber(Case);
    if (const auto earlier = j.lineOfCase.find(loadCase); earlier != j.lineOfCase.end())
      place_.fault(line, "joint " + text(number) + " has load case " + text(loadCase) + " again (first on line " +
                             text(static_cast<long long>(earlier->second)) + ").");

    // The coordinates come with the joint's first row; later rows may leave them empty or repeat them.
    const Column axes[3] = {X, Y, Z};
    for (int a = 0; a < 3; ++a) {
      double v = 0;
      const NumberFault f = parse(axes[a], v);
      if (f == NumberFault::Missing) {
        if (axes[a] != Y && j.cases.empty()) missing(axes[a]);
        continue;
      }
      const int32_t mm = whole(axes[a], v);
      if (j.atLine[a] == 0) {
        j.at[a] = mm;
        j.atLine[a] = line;
      } else if (j.at[a] != mm) {
        const std::string axis(kColumnNames[axes[a]]);
        place_.fault(line, "joint " + text(number) + " is given at " + axis + " " + text(j.at[a]) + " on line " +
                               text(static_cast<long long>(j.atLine[a])) + " and at " + axis + " " + text(mm) + ".");
      }
    }

    p_.ReactionTable(s, c, 1) = static_cast<float>(loadCase);
    p_.ReactionTable(s, c, 2) = force(Fy);
    p_.ReactionTable(s, c, 3) = force(Mx);
    p_.ReactionTable(s, c, 4) = force(Mz);
    if (columnOf_[Fx] >= 0) {
      p_.ReactionTable(s, c, kReactionFX) = force(Fx);
      p_.ReactionTable(s, c, kReactionFZ) = force(Fz);
    }
    j.cases.emplace_back(loadCase, line);
    j.lineOfCase.emplace(loadCase, line);

    columnSize(j);
  }

  const std::vector<JointRows>& joints() const { return joints_; }

 private:
  std::string_view cell(Column c) const {
    const int i = columnOf_[c];
    return i < 0 ? std::string_view{} : std::string_view((*fields_)[static_cast<std::size_t>(i)]);
  }

  [[noreturn]] void missing(Column c) const { place_.fault(line_, c, "the value is missing."); }

  NumberFault parse(Column c, double& v) const {
    const NumberFault f = parseNumber(cell(c), v);
    if (f == NumberFault::NotANumber) place_.fault(line_, c, shown(cell(c)) + " is not a number.");
    if (f == NumberFault::OutOfRange) place_.fault(line_, c, shown(cell(c)) + " is out of range.");
    return f;
  }

  double required(Column c) const {
    double v = 0;
    if (parse(c, v) == NumberFault::Missing) missing(c);
    return v;
  }

  int wholeNumber(Column c) const {
    const double v = required(c);
    if (v != std::floor(v) || v < 1 || v > kLargestNumber)
      place_.fault(line_, c, shown(cell(c)) + " is not a whole number from 1 to " + text(kLargestNumber) + ".");
    return static_cast<int>(v);
  }

  // Millimetres rounded to whole numbers, halves to even, as the listing's coordinates.
  int32_t whole(Column c, double v) const {
    const auto mm = toInt32(v);
    if (!mm) place_.fault(line_, c, shown(cell(c)) + " is out of range.");
    return *mm;
  }

  float force(Column c) const {
    const double v = required(c);
    if (!(std::fabs(v) <= static_cast<double>(FLT_MAX))) place_.fault(line_, c, shown(cell(c)) + " is out of range.");
    // "-0.00" is held as 0, as the listing reader holds it.
    const auto f = static_cast<float>(v);
    return f == 0.0f ? 0.0f : f;
  }

  // The column's size, given on any of the joint's rows (both or neither on a row), the same wherever given.
  void columnSize(JointRows& j) const {
    double b = 0, d = 0;
    const bool hasB = columnOf_[ColumnB] >= 0 && parse(ColumnB, b) != NumberFault::Missing;
    const bool hasD = columnOf_[ColumnD] >= 0 && parse(ColumnD, d) != NumberFault::Missing;
    if (!hasB && !hasD) return;
    if (!hasB || !hasD)
      place_.fault(line_, hasB ? ColumnD : ColumnB, "the value is missing; column_b and column_d go together.");
    const int32_t mmB = whole(ColumnB, b), mmD = whole(ColumnD, d);
    if (mmB < 1) place_.fault(line_, ColumnB, shown(cell(ColumnB)) + " is not a column size above 0 mm.");
    if (mmD < 1) place_.fault(line_, ColumnD, shown(cell(ColumnD)) + " is not a column size above 0 mm.");
    if (j.sizeLine == 0) {
      j.b = mmB;
      j.d = mmD;
      j.sizeLine = line_;
    } else if (j.b != mmB || j.d != mmD) {
      place_.fault(line_, "joint " + text(j.number) + " is given a column of " + text(j.b) + " x " + text(j.d) +
                              " on line " + text(static_cast<long long>(j.sizeLine)) + " and of " + text(mmB) + " x " +
                              text(mmD) + ".");
    }
  }

  Project& p_;
  const Place& place_;
  const std::array<int, kColumnKinds>& columnOf_;
  std::unordered_map<int, int> slotOf_;  // support index of every joint number given so far
  std::vector<JointRows> joints_;
  std::size_t line_ = 0;
  const std::vector<std::string>* fields_ = nullptr;
};

// The separator as named in a message.
std::string separatorName(char c) { return c == '\t' ? "tabs" : c == ',' ? "commas" : "\"" + std::string(1, c) + "\""; }

// The columns named by the header: the field index of every column kind, -1 for a column not given.
std::array<int, kColumnKinds> readHeader(const std::vector<std::string>& names, std::size_t line, char separator,
                                         const Place& place) {
  // A whole header in one field: the file separates its columns by something else.
  if (names.size() == 1)
    for (const char other : {';', '\t', ','})
      if (other != separator && names[0].find(other) != std::string::npos)
        place.fault(line, "the columns are separated by " + separatorName(other) + ", not by " +
                              separatorName(separator) +
                              "; a .csv table separates them by commas, a .tsv table by tabs.");
  std::array<int, kColumnKinds> columnOf;
  columnOf.fill(-1);
  for (std::size_t i = 0; i < names.size(); ++i) {
    const std::string name = lowerCase(trimmed(names[i]));
    if (name.empty())
      place.fault(line, "column " + text(static_cast<long long>(i + 1)) + " of the header has no name.");
    const auto known = std::find(kColumnNames.begin(), kColumnNames.end(), name);
    if (known == kColumnNames.end())
      place.fault(line, "the column " + shown(names[i]) +
                            " is not known; the columns are joint, x, y, z, case, fy, mx, mz, fx, fz, column_b and column_d.");
    int& at = columnOf[static_cast<std::size_t>(known - kColumnNames.begin())];
    if (at >= 0) place.fault(line, "the column " + shown(name) + " is given twice.");
    at = static_cast<int>(i);
  }
  for (const Column c : kRequired)
    if (columnOf[c] < 0) place.fault(line, "the column " + shown(kColumnNames[c]) + " is missing.");
  if ((columnOf[ColumnB] < 0) != (columnOf[ColumnD] < 0))
    place.fault(line, "the column " + shown(kColumnNames[columnOf[ColumnB] < 0 ? ColumnB : ColumnD]) +
                          " is missing; column_b and column_d go together.");
  if ((columnOf[Fx] < 0) != (columnOf[Fz] < 0))
    place.fault(line, "the column " + shown(kColumnNames[columnOf[Fx] < 0 ? Fx : Fz]) +
                          " is missing; fx and fz go together.");
  return columnOf;
}


// A level list as the frame lattice builds it: the distinct values ascending, the count in element 0.
void fillLevels(LimitedTable<Single, cap::kLevels + 1>& levels, std::vector<float> values) {
  std::sort(values.begin(), values.end());
  values.erase(std::unique(values.begin(), values.end()), values.end());
  levels = {};
  levels[0] = static_cast<float>(values.size());
  for (std::size_t i = 0; i < values.size(); ++i) levels[static_cast<long long>(i) + 1] = values[i];
}

// Joints, column sections and level lists from the rows of every joint.
void fillGeometry(Project& p, const std::vector<JointRows>& joints) {
  std::vector<float> xs, ys, zs;
  for (std::size_t i = 0; i < joints.size(); ++i) {
    const JointRows& j = joints[i];
    const auto s = static_cast<long long>(i) + 1;
    auto& row = p.JointTable[s];
    row[0] = j.number;
    for (int a = 0; a < 3; ++a) row[a + 1] = j.at[static_cast<std::size_t>(a)];
    xs.push_back(static_cast<float>(row[1]));
    ys.push_back(static_cast<float>(row[2]));
    zs.push_back(static_cast<float>(row[3]));
    if (j.sizeLine == 0) continue;
    // As a listing's column section: dimension 1 along Z, dimension 2 along X; the member number is a
    // running number, the length unknown.
    const int c = ++p.ColumnSectionCount;
    auto& section = p.ColumnSectionTable[c];
    section[1] = c;
    section[2] = 0;
    section[3] = j.d;
    section[4] = j.b;
    p.FootingTable[s].ColumnMember = c;
  }
  p.JointCount = static_cast<int32_t>(joints.size());
  fillLevels(p.LevelX, std::move(xs));
  fillLevels(p.LevelY, std::move(ys));
  fillLevels(p.LevelZ, std::move(zs));
}

}  // namespace

std::optional<TableFormat> tableFormatOf(const std::string& path) {
  const std::string extension = lowerCase(std::filesystem::path(path).extension().string());
  if (extension == ".csv") return TableFormat::Csv;
  if (extension == ".tsv") return TableFormat::Tsv;
  return std::nullopt;
}

namespace {

ListingSummary parseTable(Project& p, std::string_view contents, const std::string& path, TableFormat format) {
  const Place place(path);
  clearInputTables(p);
  p.AnlPath = path;

  std::string_view rest = contents;
  if (rest.starts_with("\xEF\xBB\xBF")) rest.remove_prefix(3);
  if (rest.starts_with("\xFF\xFE") || rest.starts_with("\xFE\xFF"))
    place.fault("is UTF-16 text; save the table as UTF-8 or plain text.");

  const char separator = format == TableFormat::Csv ? ',' : '\t';
  std::vector<std::string> fields;
  std::vector<std::string> header;
  std::size_t headerLine = 0;
  std::optional<RowReader> rows;
  std::array<int, kColumnKinds> columnOf{};
  for (std::size_t line = 1; !rest.empty(); ++line) {
    const std::size_t end = rest.find('\n');
    std::string_view t = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    while (t.ends_with('\r')) t.remove_suffix(1);  // CR LF, or CR CR LF from line ends converted twice

    const QuoteFault bad = splitFields(t, separator, fields);
    if (bad.field >= 0) {
      const auto i = static_cast<std::size_t>(bad.field);
      place.fault(line,
                  headerLine != 0 && i < header.size() ? "column " + lowerCase(trimmed(header[i]))
                                                       : "field " + text(bad.field + 1),
                  bad.unclosed ? "the quote is not closed." : "text follows the closing quote.");
    }
    // Blank lines, and the empty rows a spreadsheet writes below its table, are skipped.
    if (std::all_of(fields.begin(), fields.end(), [](const std::string& f) { return f.empty(); })) continue;

    if (headerLine == 0) {
      headerLine = line;
      header = fields;
      columnOf = readHeader(header, line, separator, place);
      rows.emplace(p, place, columnOf);
      continue;
    }
    if (fields.size() != header.size())
      place.fault(line, "the row has " + text(static_cast<long long>(fields.size())) + " fields; the header has " +
                            text(static_cast<long long>(header.size())) + ".");
    rows->read(line, fields);
  }
  if (headerLine == 0) place.fault("has no header row: the file is empty.");
  const std::vector<JointRows>& joints = rows->joints();
  if (joints.empty()) place.fault(headerLine, "the header is followed by no rows of reactions.");

  const int supports = static_cast<int>(joints.size());
  p.ReactionTable(0, 0, 0) = static_cast<float>(supports);
  fillGeometry(p, joints);
  fingerprintSupports(p);
  // Without fx and fz the sliding and overturning checks say that horizontal forces were not checked.
  p.HorizontalForcesKnown = columnOf[Fx] >= 0;
  setListingCases(p);

  ListingSummary summary;
  summary.supportsCaption = "SUPPORT REACTIONS :   " + numberText(supports);
  summary.loadCasesCaption = "LOAD CASES :   " + numberText(static_cast<double>(joints.back().cases.size()));
  summary.gradesCaption = std::string(kNoGradesCaption);
  return summary;
}

}  // namespace

ListingSummary readTableText(Project& p, std::string_view contents, const std::string& path, TableFormat format) {
  ListingSummary summary = parseTable(p, contents, path, format);
  fingerprintBytes(p, contents);
  return summary;
}

ListingSummary readTable(Project& p, const std::string& path) {
  // A named pipe or device is refused without waiting on it.
  InputFile in = readInputFile(path, kLargestTable);
  if (in.status != InputStatus::Read)
    throw ListingError("The table " + path + " could not be read: " + in.reason + ".");
  ListingSummary summary = parseTable(p, in.bytes, path, tableFormatOf(path).value_or(TableFormat::Csv));
  keepInputBytes(p, std::move(in.bytes));
  return summary;
}

}  // namespace plintova
