// Writes an analysis listing for the reader and batch benchmarks.
//
//   make_listing OUT.ANL                                  the capacity listing of the old fixed tables:
//       500 supports on a 25 x 20 grid with 25 levels (12 500 joints), 12 000 columns and 3 000 beams
//       (15 000 members), 500 x 36 reaction lines, 13 000 column and 12 000 beam design blocks: 17.8 MB
//   make_listing OUT.ANL --supports N --cases C [--levels L]
//       N supports on a grid 25 wide, L levels (default 25), N x C reaction lines; members and design
//       blocks in the same proportion to the columns as above, so a listing's size grows with N x L and
//       N x C. With the defaults it writes the capacity listing byte for byte.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kNx = 25;

struct Shape {
  int supports = 500, cases = 36, levels = 25;
  int nz() const { return (supports + kNx - 1) / kNx; }
  int base() const { return kNx * nz(); }           // grid points of a level
  int joints() const { return base() * levels; }
  int columns() const { return base() * (levels - 1); }
  int beams() const { return columns() / 4; }
  int columnBlocks() const { return columns() + columns() / 12; }
  int beamBlocks() const { return 4 * beams(); }
};

struct Writer {
  std::FILE* f;
  int echo = 0, lines = 0, page = 1;
  void raw(const std::string& s) {
    std::fputs(s.c_str(), f);
    std::fputs("\r\n", f);
    if (++lines % 60 == 0) header();
  }
  void header() {
    std::fprintf(f, " \f FULL CAPACITY FRAME%40s -- PAGE NO. %4d\r\n\r\n", "", ++page);
  }
  void cmd(const std::string& s) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%6d. ", ++echo);
    raw(buf + s);
  }
  // Tokens wrapped into echo lines of at most 72 characters.
  void wrapped(const std::vector<std::string>& tokens) {
    std::string line;
    for (const auto& t : tokens) {
      if (!line.empty() && line.size() + 1 + t.size() > 72) {
        cmd(line);
        line.clear();
      }
      line += (line.empty() ? "" : " ") + t;
    }
    if (!line.empty()) cmd(line);
  }
};

Shape shape;

int joint(int level, int ix, int iz) { return level * shape.base() + iz * kNx + ix + 1; }

bool readShape(int argc, char** argv) {
  for (int i = 2; i < argc; i += 2) {
    if (i + 1 >= argc) return false;
    const int v = std::atoi(argv[i + 1]);
    if (v < 1) return false;
    if (std::strcmp(argv[i], "--supports") == 0) shape.supports = v;
    else if (std::strcmp(argv[i], "--cases") == 0) shape.cases = v;
    else if (std::strcmp(argv[i], "--levels") == 0 && v >= 2) shape.levels = v;
    else return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  // An option where the output's name belongs (--help among them) gets the usage, not a file of its name.
  const bool help = argc >= 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0);
  if (argc < 2 || argv[1][0] == '-' || !readShape(argc, argv)) {
    std::fprintf(help ? stdout : stderr, "usage: make_listing OUTPUT.ANL [--supports N] [--cases C] [--levels L]\n");
    return help ? 0 : 2;
  }
  std::FILE* f = std::fopen(argv[1], "wb");
  if (!f) {
    std::perror(argv[1]);
    return 1;
  }
  static char buffer[1 << 20];
  std::setvbuf(f, buffer, _IOFBF, sizeof buffer);
  Writer w{f};
  w.header();
  w.cmd("STAAD SPACE FULL CAPACITY FRAME");
  w.cmd("UNIT METER KN");
  w.cmd("JOINT COORDINATES");
  std::vector<std::string> tokens;
  char buf[256];
  const int kLevels = shape.levels, kNz = shape.nz(), kBase = shape.supports, kCases = shape.cases;
  const int kJoints = shape.joints(), kColumns = shape.columns(), kBeams = shape.beams();
  const int kColumnBlocks = shape.columnBlocks(), kBeamBlocks = shape.beamBlocks();
  for (int level = 0; level < kLevels; ++level)
    for (int iz = 0; iz < kNz; ++iz)
      for (int ix = 0; ix < kNx; ++ix) {
        std::snprintf(buf, sizeof buf, "%d %g %g %g;", joint(level, ix, iz), ix * 4.5, level * 3.2, iz * 5.25);
        tokens.emplace_back(buf);
      }
  w.wrapped(tokens);
  w.cmd("MEMBER INCIDENCES");
  tokens.clear();
  int member = 0;
  for (int level = 1; level < kLevels; ++level)
    for (int iz = 0; iz < kNz; ++iz)
      for (int ix = 0; ix < kNx; ++ix) {
        std::snprintf(buf, sizeof buf, "%d %d %d;", ++member, joint(level - 1, ix, iz), joint(level, ix, iz));
        tokens.emplace_back(buf);
      }
  for (int level = 1; member < kColumns + kBeams; level = level % (kLevels - 1) + 1)
    for (int iz = 0; iz < kNz && member < kColumns + kBeams; ++iz)
      for (int ix = 0; ix + 1 < kNx && member < kColumns + kBeams; ++ix) {
        std::snprintf(buf, sizeof buf, "%d %d %d;", ++member, joint(level, ix, iz), joint(level, ix + 1, iz));
        tokens.emplace_back(buf);
      }
  w.wrapped(tokens);
  w.cmd("MEMBER PROPERTY INDIAN");
  std::snprintf(buf, sizeof buf, "1 TO %d PRIS YD 0.45 ZD 0.3", member);
  w.cmd(buf);
  w.cmd("CONSTANTS");
  w.cmd("E 2.17185E+007 ALL");
  if (kColumns >= 2500) {
    w.cmd("BETA 90 MEMB 1 TO 500 1001 TO 1500 -");
    w.cmd("2001 TO 2500");
  }
  w.cmd("SUPPORTS");
  std::snprintf(buf, sizeof buf, "1 TO %d FIXED", kBase);
  w.cmd(buf);
  w.cmd("PERFORM ANALYSIS");
  w.cmd("PRINT SUPPORT REACTION");
  w.raw("  SUPPORT REACTIONS -UNIT KN   METE     STRUCTURE TYPE = SPACE");
  w.raw("  -----------------");
  w.raw("");
  w.raw("  JOINT  LOAD   FORCE-X   FORCE-Y   FORCE-Z     MOM-X     MOM-Y     MOM Z");
  w.raw("");
  for (int s = 1; s <= kBase; ++s) {
    for (int c = 1; c <= kCases; ++c) {
      std::string first = c == 1 ? std::to_string(s) : "";
      std::snprintf(buf, sizeof buf, "%7s%5d%10.2f%10.2f%10.2f%10.2f%10.2f%10.2f", first.c_str(), c, (s % 7) * 1.25,
                    600.0 + (s * 37 + c * 11) % 900 + 0.37, -(c % 5) * 2.5, (s % 13) * 3.1 - 20, -0.001 * c,
                    (c % 11) * 4.2 - 21);
      w.raw(buf);
    }
    w.raw("");
  }
  w.raw(" ************** END OF LATEST ANALYSIS RESULT **************");
  w.cmd("START CONCRETE DESIGN");
  w.cmd("CODE INDIAN");
  w.cmd("UNIT MMS NEWTON");
  w.cmd("FYMAIN 415 ALL");
  w.cmd("FC 25 ALL");
  std::snprintf(buf, sizeof buf, "DESIGN BEAM %d TO %d", kColumns + 1, kColumns + kBeams);
  w.cmd(buf);
  for (int b = 0; b < kBeamBlocks; ++b) {
    const int m = kColumns + 1 + b % kBeams;
    w.raw(" =====================================================================");
    std::snprintf(buf, sizeof buf, "                      B E A M  N O. %5d D E S I G N   R E S U L T S", m);
    w.raw(buf);
    w.raw("      M25                    Fe415 (Main)               Fe415 (Sec.)");
    w.raw("      LENGTH:  4500.0 mm      SIZE:  230.0 mm X  450.0 mm   COVER: 25.0 mm");
    w.raw("       SECTION    0.0 mm   1125.0 mm  2250.0 mm  3375.0 mm  4500.0 mm");
    std::snprintf(buf, sizeof buf, "        TOP       %7.2f      0.00        0.00        0.00     %7.2f", 180 + b % 300 * 1.5,
                  200 + b % 250 * 1.25);
    w.raw(buf);
    w.raw("       BOTTOM      201.06     301.59      301.59      301.59      201.06");
    w.raw("      SHEAR: 2 legged  8 dia @ 150 mm c/c");
    w.raw("      REINF.     (Sq. mm)   (Sq. mm)    (Sq. mm)     (Sq. mm)     (Sq. mm)");
  }
  std::snprintf(buf, sizeof buf, "DESIGN COLUMN 1 TO %d", kColumns);
  w.cmd(buf);
  for (int c = 0; c < kColumnBlocks; ++c) {
    const int m = 1 + c % kColumns;
    w.raw(" =====================================================================");
    std::snprintf(buf, sizeof buf, "                  C O L U M N   N O. %5d  D E S I G N   R E S U L T S", m);
    w.raw(buf);
    w.raw("      M25                    Fe415 (Main)               Fe415 (Sec.)");
    w.raw("      LENGTH:  3200.0 mm  CROSS SECTION:  300.0 mm X  450.0 mm  COVER: 40.0 mm");
    std::snprintf(buf, sizeof buf, "      REQD. STEEL AREA    :  %9.2f Sq.mm.", 1080 + c % 900 * 1.5);
    w.raw(buf);
    w.raw("      MAIN REINFORCEMENT : Provide   8 - 16 dia. (1.19%,  1608.50 Sq.mm.)");
    w.raw("      TIE REINFORCEMENT  : Provide   8 mm dia. rectangular ties @ 255 mm c/c");
    w.raw("      SECTION CAPACITY BASED ON REINFORCEMENT REQUIRED (KNS-MET)");
  }
  w.cmd("END CONCRETE DESIGN");
  w.cmd("FINISH");
  if (std::fclose(f) != 0) {
    std::perror(argv[1]);
    return 1;
  }
  std::printf("%s: %d joints, %d members, %d supports x %d cases, %d column and %d beam blocks\n", argv[1], kJoints,
              member, kBase, kCases, kColumnBlocks, kBeamBlocks);
  return 0;
}
