// The layout file (.SCR) beside the listing: the column offset steps of every footing between runs.
#include "input/layout_file.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "files/project_files.h"
#include "files/safe_file.h"
#include "model/numbers.h"

namespace plintova {

namespace {

constexpr std::size_t kLargestLayoutFile = 1 << 20;  // 500 footings need about 4 kB

std::vector<std::string_view> splitAtBlanks(std::string_view line) {
  std::vector<std::string_view> pieces;
  std::size_t from = 0;
  for (;;) {
    std::size_t at = line.find(' ', from);
    pieces.push_back(line.substr(from, at == std::string_view::npos ? std::string_view::npos : at - from));
    if (at == std::string_view::npos) return pieces;
    from = at + 1;
  }
}

// The step a piece holds once its base (2 for X, 5 for Z) is taken off; none when it is not -1, 0 or 1.
bool stepOf(std::string_view piece, int base, int32_t& step) {
  double v = roundWhole(numericValue(piece) - base);
  if (v != -1 && v != 0 && v != 1) return false;
  step = static_cast<int32_t>(v);
  return true;
}

int footingsOf(const Project& p) { return std::clamp<int>(p.FootingCount, 0, cap::kFootings); }

}  // namespace

std::string writeLayout(const Project& p) {
  const std::string path = layoutPathFor(p.AnlPath);
  const int n = footingsOf(p);
  std::string text;
  for (int i = 1; i <= n; ++i) text += " " + std::to_string(p.FootingTable[i].OffsetX + 2);
  text += "\r\n\r";
  for (int i = 1; i <= n; ++i) text += " " + std::to_string(p.FootingTable[i].OffsetZ + 5);
  text += "\r\n";

  // Through the safe writer: replaced whole or not at all, and never over the listing.
  const std::string reason = writeFileSafely(path, text, listingFile(p.AnlPath));
  if (!reason.empty()) return "The layout file " + path + " could not be written: " + reason + ".";
  return {};
}

LayoutResult readLayout(Project& p) {
  const std::string path = layoutPathFor(p.AnlPath);
  // A named pipe or device under the layout file's name is refused, never waited on.
  InputFile in = readInputFile(path, kLargestLayoutFile);
  if (in.status == InputStatus::Missing) return {};
  if (in.status == InputStatus::Unreadable)
    return {LayoutStatus::Unreadable, "The layout file " + path + " could not be read: " + in.reason + "."};
  const std::string_view text = in.bytes;

  // Two lines; the carriage return at the start of line 2 belongs to its text.
  std::string_view rest = text;
  auto nextLine = [&rest]() {
    std::size_t nl = rest.find('\n');
    std::string_view line = rest.substr(0, nl);
    rest = nl == std::string_view::npos ? std::string_view{} : rest.substr(nl + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
  };
  const int n = footingsOf(p);
  const auto xs = splitAtBlanks(nextLine());
  if (static_cast<long long>(xs.size()) - 1 != p.FootingCount)  // written for another plan
    return {LayoutStatus::Ignored, "The layout file " + path + " holds " + std::to_string(xs.size() - 1) +
                                       " steps for " + std::to_string(p.FootingCount) +
                                       " footings: it was written for another plan."};
  for (int i = 1; i <= n; ++i) stepOf(xs[static_cast<std::size_t>(i)], 2, p.FootingTable[i].OffsetX);
  const auto zs = splitAtBlanks(nextLine());
  const int zCount = std::min<int>(n, static_cast<int>(zs.size()) - 1);
  for (int i = 1; i <= zCount; ++i) stepOf(zs[static_cast<std::size_t>(i)], 5, p.FootingTable[i].OffsetZ);

  // The steps become the engineer's offsets; each footing stands where its steps put it.
  p.decisions.offsets.resize(static_cast<std::size_t>(n) + 1);
  for (int i = 1; i <= n; ++i) {
    FootingRecord& f = p.FootingTable[i];
    const auto offset = stepOffset(p, i, f.OffsetX, f.OffsetZ);
    p.decisions.offsets[static_cast<std::size_t>(i)] = offset.value_or(ColumnOffset{});
    if (const auto at = offsetPosition(p, i, f.OffsetX, f.OffsetZ)) {
      f.PosX = at->first;
      f.PosZ = at->second;
    }
  }
  return {LayoutStatus::Applied, {}};
}

}  // namespace plintova
