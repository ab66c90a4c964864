// The layout file: its exact bytes, reading it back, footings moved to their offsets, bad files,
// named pipes and unreadable files.
#include "input/layout_file.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <memory>
#include <sstream>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "files/project_files.h"

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
  EXPECT_EQ(readLayout(*p).status, LayoutStatus::Applied);
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
  const LayoutResult other = readLayout(*p);
  EXPECT_EQ(other.status, LayoutStatus::Ignored);
  EXPECT_EQ(other.message, "The layout file " + (dir / "FRAME1.SCR").string() + " holds 12 steps for 11 footings: it was written for another plan.");
  for (int i = 1; i <= 11; ++i) EXPECT_EQ(p->FootingTable[i].OffsetX, 0);

  footings(3);
  writeFile(" 3 9 1\r\n\r 6\r\n");  // 9 is not a step; line 2 holds one value
  EXPECT_EQ(readLayout(*p).status, LayoutStatus::Applied);
  EXPECT_EQ(p->FootingTable[1].OffsetX, 1);
  EXPECT_EQ(p->FootingTable[2].OffsetX, 0);
  EXPECT_EQ(p->FootingTable[3].OffsetX, -1);
  EXPECT_EQ(p->FootingTable[1].OffsetZ, 1);
  EXPECT_EQ(p->FootingTable[2].OffsetZ, 0);

  writeFile(" 2 2 2\n\r 4 4 4 4 4 4\n");  // line feeds only, more Z values than footings
  EXPECT_EQ(readLayout(*p).status, LayoutStatus::Applied);
  EXPECT_EQ(p->FootingTable[3].OffsetZ, -1);
  EXPECT_EQ(p->FootingTable[4].OffsetZ, 0);
}

TEST_F(LayoutFile, AMissingFileIsNoErrorAndAFailedWriteIsReported) {
  footings(2);
  const LayoutResult none = readLayout(*p);
  EXPECT_EQ(none.status, LayoutStatus::None);
  EXPECT_FALSE(none);
  EXPECT_EQ(none.message, "");
  p->AnlPath = (dir / "gone" / "FRAME1.ANL").string();
  std::string message = writeLayout(*p);
  EXPECT_EQ(message, "The layout file " + (dir / "gone" / "FRAME1.SCR").string() +
                         " could not be written: No such file or directory.");
}

TEST_F(LayoutFile, ANamedPipeOrAnUnreadableFileIsReportedAndNeverWaitedOn) {
  footings(2);
  const fs::path layout = dir / "FRAME1.SCR";
  ASSERT_EQ(::mkfifo(layout.c_str(), 0600), 0);
  auto reading = std::async(std::launch::async, [&] { return readLayout(*p); });
  if (reading.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
    const int fd = ::open(layout.c_str(), O_RDWR | O_NONBLOCK);  // let the waiting reader go
    if (fd >= 0) ::close(fd);
    reading.wait();
    FAIL() << "reading a named pipe waited for a writer";
  }
  const LayoutResult piped = reading.get();
  EXPECT_EQ(piped.status, LayoutStatus::Unreadable);
  EXPECT_FALSE(piped);
  EXPECT_EQ(piped.message, "The layout file " + layout.string() + " could not be read: it is a named pipe, not a file.");
  EXPECT_EQ(p->FootingTable[1].PosX, 1000);
  // Nor is it replaced by a file when the program closes.
  EXPECT_EQ(writeLayout(*p), "The layout file " + layout.string() + " could not be written: it is a named pipe, not a file.");
  fs::remove(layout);

  if (::geteuid() == 0) GTEST_SKIP() << "root reads a file without read permission anyway";
  writeFile(" 3 3\r\n\r 6 6\r\n");
  fs::permissions(layout, fs::perms::none);
  const LayoutResult locked = readLayout(*p);
  EXPECT_EQ(locked.status, LayoutStatus::Unreadable);
  EXPECT_EQ(locked.message, "The layout file " + layout.string() + " could not be read: Permission denied.");
  EXPECT_EQ(p->FootingTable[1].OffsetX, 0);
  // The saved steps survive the close: a file the program may not write is left as it is.
  EXPECT_NE(writeLayout(*p), "");
  fs::permissions(layout, fs::perms::owner_read);
  EXPECT_EQ(readLayout(*p).status, LayoutStatus::Applied);
  EXPECT_EQ(p->FootingTable[1].OffsetX, 1);
}

TEST_F(LayoutFile, ALayoutFileThatIsTheListingIsNeverWritten) {
  footings(2);
  { std::ofstream(p->AnlPath, std::ios::binary) << "listing"; }
  fs::create_symlink(p->AnlPath, dir / "FRAME1.SCR");
  EXPECT_EQ(writeLayout(*p), "The layout file " + (dir / "FRAME1.SCR").string() +
                                 " could not be written: it is the same file as the listing " + p->AnlPath +
                                 ", which is never overwritten.");
  std::ifstream in(p->AnlPath, std::ios::binary);
  std::string listing((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(listing, "listing");
}
