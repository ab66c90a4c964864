// The layout file (.SCR) beside the listing: the column offset steps of every footing between runs.
#include "input/layout_file.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <vector>

#include "model/numbers.h"
#include "model/temporary_file.h"

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

std::string layoutPathFor(const std::string& anlPath) {
  constexpr std::string_view ext = ".ANL";
  if (anlPath.size() >= ext.size() && std::string_view(anlPath).substr(anlPath.size() - ext.size()) == ext)
    return anlPath.substr(0, anlPath.size() - ext.size()) + ".SCR";
  return anlPath + ".SCR";
}

std::string writeLayout(const Project& p) {
  const std::string path = layoutPathFor(p.AnlPath);
  const int n = footingsOf(p);
  std::string text;
  for (int i = 1; i <= n; ++i) text += " " + std::to_string(p.FootingTable[i].OffsetX + 2);
  text += "\r\n\r";
  for (int i = 1; i <= n; ++i) text += " " + std::to_string(p.FootingTable[i].OffsetZ + 5);
  text += "\r\n";

  // Write beside the old file and rename over it, so that a failed write never leaves half a file.
  auto message = [&](const std::string& reason) {
    return "The layout file " + path + " could not be written: " + reason + ".";
  };
  std::string reason;
  const std::string temp = createTemporaryBeside(path, reason);
  if (temp.empty()) return message(reason);
  auto failure = [&](int err) {
    std::remove(temp.c_str());
    return message(std::strerror(err));
  };
  std::FILE* f = std::fopen(temp.c_str(), "wb");
  if (!f) return failure(errno);
  bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size() && std::fflush(f) == 0;
  int err = errno;
  if (ok && ::fsync(::fileno(f)) != 0) {
    ok = false;
    err = errno;
  }
  if (std::fclose(f) != 0 && ok) {
    ok = false;
    err = errno;
  }
  if (!ok) return failure(err ? err : EIO);
  if (std::rename(temp.c_str(), path.c_str()) != 0) return failure(errno);
  return {};
}

bool readLayout(Project& p) {
  const std::string path = layoutPathFor(p.AnlPath);
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  std::string text(kLargestLayoutFile, '\0');
  std::size_t got = std::fread(text.data(), 1, text.size(), f);
  bool failed = std::ferror(f) != 0;
  std::fclose(f);
  if (failed) return false;
  text.resize(got);

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
  if (static_cast<long long>(xs.size()) - 1 != p.FootingCount) return true;  // written for another plan
  for (int i = 1; i <= n; ++i) stepOf(xs[static_cast<std::size_t>(i)], 2, p.FootingTable[i].OffsetX);
  const auto zs = splitAtBlanks(nextLine());
  const int zCount = std::min<int>(n, static_cast<int>(zs.size()) - 1);
  for (int i = 1; i <= zCount; ++i) stepOf(zs[static_cast<std::size_t>(i)], 5, p.FootingTable[i].OffsetZ);

  // Each footing stands where the column layout window puts it for its steps.
  for (int i = 1; i <= n; ++i) {
    FootingRecord& f = p.FootingTable[i];
    const int c = f.ColumnMember;
    if (c < 1 || c > p.ColumnSectionCount || c > cap::kColumnBlocks) continue;
    const auto& section = p.ColumnSectionTable[c];
    if (section[4] == 0) continue;  // the column's section is unknown
    auto x = toInt32(f.ColumnX + f.OffsetX * (section[4] / 2.0 - 115));
    auto z = toInt32(f.ColumnZ + f.OffsetZ * (section[3] / 2.0 - 115));
    if (x && z) {
      f.PosX = *x;
      f.PosZ = *z;
    }
  }
  return true;
}

}  // namespace plintova
