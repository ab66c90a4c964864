// The layout file: its exact bytes, reading it back, footings moved to their offsets, bad files.
#include "input/layout_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include <unistd.h>

using namespace plintova;
namespace fs = std::filesystem;

namespace {

class LayoutFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("plintova_layout_" + std::to_string(::getpid()) + "_" +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
    p->AnlPath = (dir / "FRAME1.ANL").string();
  }
  void TearDown() override {
    fs::permissions(dir, fs::perms::owner_all);
    fs::remove_all(dir);
  }
  void footings(int n) {
    p->FootingCount = static_cast<int16_t>(n);
    p->ColumnSectionCount = 1;
    p->ColumnSectionTable[1][3] = 300;
    p->ColumnSectionTable[1][4] = 450;
    for (int i = 1; i <= n; ++i) {
      auto& f = p->FootingTable[i];
      f.ColumnX = f.PosX = 1000 * i;
      f.ColumnZ = f.PosZ = 2000 * i;
      f.ColumnMember = 1;
    }
  }
  std::string fileText() {
    std::ifstream in(dir / "FRAME1.SCR", std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
  void writeFile(const std::string& text) { std::ofstream(dir / "FRAME1.SCR", std::ios::binary) << text; }

  fs::path dir;
  std::unique_ptr<Project> p = std::make_unique<Project>();
};

}  // namespace

TEST(LayoutPath, TheLayoutFileIsNeverTheListing) {
  EXPECT_EQ(layoutPathFor("/jobs/FRAME1.ANL"), "/jobs/FRAME1.SCR");
  EXPECT_EQ(layoutPathFor("/jobs/frame1.anl"), "/jobs/frame1.anl.SCR");
  EXPECT_EQ(layoutPathFor("/jobs/FRAME1"), "/jobs/FRAME1.SCR");
  EXPECT_EQ(layoutPathFor("/jobs/FRAME1.SCR"), "/jobs/FRAME1.SCR.SCR");
}

TEST_F(LayoutFile, WritesTwoLinesOfStepsEndedByCrLf) {
  footings(3);
  p->FootingTable[2].OffsetX = 1;
  p->FootingTable[3].OffsetX = -1;
  p->FootingTable[3].OffsetZ = 1;
  EXPECT_EQ(writeLayout(*p), "");
  EXPECT_EQ(fileText(), " 2 3 1\r\n\r 5 5 6\r\n");
  EXPECT_FALSE(fs::exists(dir / "FRAME1.SCR.tmp"));

  footings(2);
  for (int i = 1; i <= 3; ++i) p->FootingTable[i].OffsetX = p->FootingTable[i].OffsetZ = 0;
  EXPECT_EQ(writeLayout(*p), "");
  EXPECT_EQ(fileText(), " 2 2\r\n\r 5 5\r\n");  // replaced, not appended
}

TEST_F(LayoutFile, ReadingRestoresTheStepsAndMovesTheFootings) {
  footings(3);
  p->FootingTable[3].ColumnMember = 0;  // no column section known
  writeFile(" 3 2 1\r\n\r 4 6 6\r\n");
  EXPECT_TRUE(readLayout(*p));
  const auto& f = p->FootingTable;
  EXPECT_EQ(f[1].OffsetX, 1);
  EXPECT_EQ(f[1].OffsetZ, -1);
  EXPECT_EQ(f[1].PosX, 1000 + 110);  // 450 / 2 - 115
  EXPECT_EQ(f[1].PosZ, 2000 - 35);   // 300 / 2 - 115
  EXPECT_EQ(f[2].PosX, 2000);
  EXPECT_EQ(f[2].PosZ, 4000 + 35);
  EXPECT_EQ(f[3].OffsetX, -1);
  EXPECT_EQ(f[3].PosX, 3000);  // stays on its column
  EXPECT_EQ(f[3].PosZ, 6000);

  // Written and read back, the steps are the same.
  EXPECT_EQ(writeLayout(*p), "");
  EXPECT_EQ(fileText(), " 3 2 1\r\n\r 4 6 6\r\n");
}

TEST_F(LayoutFile, FilesThatDoNotFitChangeNothingOrOnlyWhatTheyHold) {
  footings(11);
  writeFile(" 3 3 3 3 3 3 3 3 3 3 3 3\r\n\r 6 6 6 6 6 6 6 6 6 6 6 6\r\n");  // written for 12 footings
  EXPECT_TRUE(readLayout(*p));
  for (int i = 1; i <= 11; ++i) EXPECT_EQ(p->FootingTable[i].OffsetX, 0);

  footings(3);
  writeFile(" 3 9 1\r\n\r 6\r\n");  // 9 is not a step; line 2 holds one value
  EXPECT_TRUE(readLayout(*p));
  EXPECT_EQ(p->FootingTable[1].OffsetX, 1);
  EXPECT_EQ(p->FootingTable[2].OffsetX, 0);
  EXPECT_EQ(p->FootingTable[3].OffsetX, -1);
  EXPECT_EQ(p->FootingTable[1].OffsetZ, 1);
  EXPECT_EQ(p->FootingTable[2].OffsetZ, 0);

  writeFile(" 2 2 2\n\r 4 4 4 4 4 4\n");  // line feeds only, more Z values than footings
  EXPECT_TRUE(readLayout(*p));
  EXPECT_EQ(p->FootingTable[3].OffsetZ, -1);
  EXPECT_EQ(p->FootingTable[4].OffsetZ, 0);
}

TEST_F(LayoutFile, AMissingFileIsNoErrorAndAFailedWriteIsReported) {
  footings(2);
  EXPECT_FALSE(readLayout(*p));
  p->AnlPath = (dir / "gone" / "FRAME1.ANL").string();
  std::string message = writeLayout(*p);
  EXPECT_EQ(message, "The layout file " + (dir / "gone" / "FRAME1.SCR").string() +
                         " could not be written: No such file or directory.");
}
