// The safe file writer and the non-blocking reader: protected inputs, targets that are no files,
// temporary files left behind on failures and signals, modes and links kept, named pipes never waited on.
#include "files/safe_file.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <set>
#include <sstream>
#include <stdexcept>

using namespace plintova;
namespace fs = std::filesystem;

namespace {

class SafeFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("plintova_safe_" + std::to_string(::getpid()) + "_" +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
    listing = dir / "FRAME1.ANL";
    put(listing, "listing bytes");
  }
  void TearDown() override {
    std::error_code ec;
    fs::permissions(dir, fs::perms::owner_all, ec);
    fs::remove_all(dir, ec);
  }
  static void put(const fs::path& p, const std::string& text) { std::ofstream(p, std::ios::binary) << text; }
  static std::string get(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
  // Every name in a folder: what a failed or interrupted write must not add to.
  static std::set<std::string> names(const fs::path& folder) {
    std::set<std::string> n;
    for (const auto& e : fs::directory_iterator(folder)) n.insert(e.path().filename().string());
    return n;
  }
  std::vector<ProtectedFile> inputs() const { return {{listing.string(), "the listing"}}; }

  fs::path dir, listing;
};

// Runs `call` and says whether it came back within a few seconds. A call still waiting on the named pipe
// `fifo` is released by opening the pipe's other end, so that a failing test ends instead of hanging.
template <class Call>
bool returnsPromptly(const fs::path& fifo, Call call) {
  auto done = std::async(std::launch::async, call);
  if (done.wait_for(std::chrono::seconds(5)) == std::future_status::ready) return true;
  const int fd = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK);
  if (fd >= 0) ::close(fd);
  done.wait();
  return false;
}

bool runningAsRoot() { return ::geteuid() == 0; }

}  // namespace

TEST_F(SafeFile, TheListingIsRefusedUnderEveryNameItCanHave) {
  fs::create_directories(dir / "sub");
  fs::create_hard_link(listing, dir / "hard.xlsx");
  fs::create_symlink(listing, dir / "soft.xlsx");
  const std::string viaDot = (dir / "sub" / ".." / "." / "FRAME1.ANL").string();
  for (const std::string& target : {listing.string(), viaDot, (dir / "hard.xlsx").string(), (dir / "soft.xlsx").string()}) {
    const TargetCheck check = checkOutputTarget(target, inputs());
    EXPECT_EQ(check.problem, TargetProblem::Protected) << target;
    EXPECT_EQ(check.reason, "it is the same file as the listing " + listing.string() + ", which is never overwritten");
    EXPECT_EQ(writeFileSafely(target, "workbook", inputs()), check.reason) << target;
    EXPECT_EQ(writeFileSafely(target, [](const std::string& t) { put(t, "workbook"); return std::string(); }, inputs()),
              check.reason);
  }
  EXPECT_EQ(get(listing), "listing bytes");
  EXPECT_TRUE(fs::is_symlink(dir / "soft.xlsx"));
  EXPECT_EQ(names(dir), (std::set<std::string>{"FRAME1.ANL", "hard.xlsx", "soft.xlsx", "sub"}));

  // A relative name from the listing's folder is the same file too.
  const fs::path before = fs::current_path();
  fs::current_path(dir);
  EXPECT_EQ(checkOutputTarget("./FRAME1.ANL", inputs()).problem, TargetProblem::Protected);
  fs::current_path(before);

  // An input that does not exist yet (a layout file not written so far) is protected by its name.
  const std::vector<ProtectedFile> layout = {{(dir / "FRAME1.SCR").string(), "the layout file"}};
  EXPECT_EQ(checkOutputTarget((dir / "sub" / ".." / "FRAME1.SCR").string(), layout).problem, TargetProblem::Protected);
  EXPECT_TRUE(checkOutputTarget((dir / "FRAME1.xlsx").string(), layout));
}

TEST_F(SafeFile, OnlyRegularFilesInWritableFoldersAreWritten) {
  const fs::path fifo = dir / "pipe.pdf";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  fs::create_directories(dir / "folder.xlsx");
  fs::create_symlink(dir / "gone.pdf", dir / "dangling.pdf");
  struct Case {
    std::string target;
    TargetProblem problem;
    std::string reason;
  };
  const Case cases[] = {
      {"", TargetProblem::NoName, "no file name was given"},
      {fifo.string(), TargetProblem::NotAFile, "it is a named pipe, not a file"},
      {(dir / "folder.xlsx").string(), TargetProblem::NotAFile, "it is a folder, not a file"},
      {"/dev/null", TargetProblem::NotAFile, "it is a device, not a file"},
      {(dir / "dangling.pdf").string(), TargetProblem::NotAFile, "it is a symbolic link to a file that does not exist"},
      {(dir / "no folder" / "x.xlsx").string(), TargetProblem::FolderUnusable, "No such file or directory"},
      {(listing / "x.xlsx").string(), TargetProblem::FolderUnusable, "Not a directory"},
  };
  for (const Case& c : cases) {
    const TargetCheck check = checkOutputTarget(c.target);
    EXPECT_EQ(check.problem, c.problem) << c.target;
    EXPECT_EQ(check.reason, c.reason) << c.target;
    // The writer refuses before it opens anything: a named pipe would otherwise hang it.
    std::string written;
    EXPECT_TRUE(returnsPromptly(fifo, [&] { written = writeFileSafely(c.target, "bytes"); })) << c.target;
    EXPECT_EQ(written, c.reason);
  }
  struct stat st {};
  ASSERT_EQ(::lstat(fifo.c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  EXPECT_TRUE(fs::is_directory(dir / "folder.xlsx"));
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
  EXPECT_FALSE(fs::exists(dir / "gone.pdf"));
  EXPECT_EQ(names(dir), (std::set<std::string>{"FRAME1.ANL", "pipe.pdf", "folder.xlsx", "dangling.pdf"}));
}

TEST_F(SafeFile, ReadOnlyFilesAndFoldersAreRefused) {
  if (runningAsRoot()) GTEST_SKIP() << "root writes read-only files anyway";
  const fs::path kept = dir / "kept.xlsx";
  put(kept, "earlier");
  fs::permissions(kept, fs::perms::owner_read);
  EXPECT_EQ(checkOutputTarget(kept.string()).problem, TargetProblem::ReadOnly);
  EXPECT_EQ(writeFileSafely(kept.string(), "new"), "it is read-only");
  EXPECT_EQ(get(kept), "earlier");

  fs::create_directories(dir / "locked");
  fs::permissions(dir / "locked", fs::perms::owner_read | fs::perms::owner_exec);
  const TargetCheck check = checkOutputTarget((dir / "locked" / "new.xlsx").string());
  EXPECT_EQ(check.problem, TargetProblem::FolderUnusable);
  EXPECT_EQ(check.reason, "Permission denied");
  fs::permissions(dir / "locked", fs::perms::owner_all);
}

TEST_F(SafeFile, TheLongestLegalNameIsWrittenThroughAShortTemporaryBesideIt) {
  const fs::path target = dir / (std::string(246, 'w') + ".pdf");  // 250 characters
  std::string seen;
  EXPECT_EQ(writeFileSafely(target.string(),
                            [&](const std::string& temporary) {
                              seen = temporary;
                              put(temporary, "page");
                              return std::string();
                            }),
            "");
  EXPECT_EQ(get(target), "page");
  EXPECT_EQ(fs::path(seen).parent_path(), dir);
  EXPECT_EQ(fs::path(seen).filename().string().size(), kTemporaryNameLength);
  EXPECT_EQ(fs::path(seen).filename().string().rfind(".plv-", 0), 0u);
  EXPECT_EQ(writeFileSafely(target.string(), "again"), "");
  EXPECT_EQ(get(target), "again");
  EXPECT_EQ(names(dir), (std::set<std::string>{"FRAME1.ANL", target.filename().string()}));
}

TEST_F(SafeFile, AFailedFillLeavesTheEarlierFileAndNothingElse) {
  const fs::path target = dir / "plan.pdf";
  put(target, "earlier");
  EXPECT_EQ(writeFileSafely(target.string(),
                            [](const std::string& temporary) {
                              put(temporary, "half a pa");
                              return std::string("No space left on device");
                            }),
            "No space left on device");
  EXPECT_THROW(writeFileSafely(target.string(),
                               [](const std::string& temporary) -> std::string {
                                 put(temporary, "half");
                                 throw std::runtime_error("out of memory");
                               }),
               std::runtime_error);
  // A writer that removed its file is caught before the rename.
  EXPECT_NE(writeFileSafely(target.string(),
                            [](const std::string& temporary) {
                              fs::remove(temporary);
                              return std::string();
                            }),
            "");
  EXPECT_EQ(get(target), "earlier");
  EXPECT_EQ(names(dir), (std::set<std::string>{"FRAME1.ANL", "plan.pdf"}));
}

TEST_F(SafeFile, AReplacedFileKeepsItsModeAndALinkStaysALink) {
  const fs::path target = dir / "book.xlsx";
  put(target, "earlier");
  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(writeFileSafely(target.string(), "new"), "");
  EXPECT_EQ(get(target), "new");
  EXPECT_EQ(fs::status(target).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

  // The link in one folder, the file it points to in another: the file gets the content, the link stays.
  fs::create_directories(dir / "elsewhere");
  const fs::path real = dir / "elsewhere" / "real.xlsx";
  put(real, "earlier");
  fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write);
  const fs::path link = dir / "link.xlsx";
  fs::create_symlink(real, link);
  EXPECT_EQ(checkOutputTarget(link.string()).writePath, real.string());
  EXPECT_EQ(writeFileSafely(link.string(), "through the link"), "");
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(fs::read_symlink(link), real);
  EXPECT_EQ(get(real), "through the link");
  EXPECT_EQ(fs::status(real).permissions(), fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(names(dir), (std::set<std::string>{"FRAME1.ANL", "book.xlsx", "elsewhere", "link.xlsx"}));
  EXPECT_EQ(names(dir / "elsewhere"), std::set<std::string>{"real.xlsx"});
}

TEST_F(SafeFile, TwoOutputsOnOneFileAreFound) {
  const std::string a = (dir / "out.xlsx").string();
  EXPECT_EQ(checkDistinctOutputs({a, (dir / "out.pdf").string()}), "");
  EXPECT_EQ(checkDistinctOutputs({a, ""}), "");
  EXPECT_EQ(checkDistinctOutputs({a, a}), a + " is named for two outputs");
  const std::string dotted = (dir / "." / "out.xlsx").string();
  EXPECT_EQ(checkDistinctOutputs({a, dotted}), a + " and " + dotted + " are the same file");  // neither exists yet
  put(a, "x");
  fs::create_hard_link(a, dir / "hard.pdf");
  fs::create_symlink(a, dir / "soft.pdf");
  EXPECT_NE(checkDistinctOutputs({a, (dir / "hard.pdf").string()}), "");
  EXPECT_NE(checkDistinctOutputs({(dir / "soft.pdf").string(), (dir / "hard.pdf").string()}), "");
}

TEST_F(SafeFile, TheReaderNeverWaitsAndTellsMissingFromUnreadable) {
  const fs::path fifo = dir / "FRAME1.SCR";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  InputFile in;
  EXPECT_TRUE(returnsPromptly(fifo, [&] { in = readInputFile(fifo.string(), 1024); }));
  EXPECT_EQ(in.status, InputStatus::Unreadable);
  EXPECT_EQ(in.reason, "it is a named pipe, not a file");

  in = readInputFile((dir / "none.ANL").string(), 1024);
  EXPECT_EQ(in.status, InputStatus::Missing);
  in = readInputFile(dir.string(), 1024);
  EXPECT_EQ(in.status, InputStatus::Unreadable);
  EXPECT_EQ(in.reason, "it is a folder, not a file");

  in = readInputFile(listing.string(), 13);  // exactly the limit
  EXPECT_EQ(in.status, InputStatus::Read);
  EXPECT_EQ(in.bytes, "listing bytes");
  in = readInputFile(listing.string(), 12);
  EXPECT_EQ(in.status, InputStatus::Unreadable);
  EXPECT_EQ(in.reason, "it is larger than 12 bytes");
  EXPECT_TRUE(in.bytes.empty());
  put(listing, std::string(3 << 20, 'x'));
  EXPECT_EQ(readInputFile(listing.string(), 1 << 20).reason, "it is larger than 1 MB");
  EXPECT_EQ(readInputFile(listing.string(), 3 << 20).bytes.size(), std::size_t{3} << 20);

  if (runningAsRoot()) return;  // root reads it anyway
  fs::permissions(listing, fs::perms::none);
  in = readInputFile(listing.string(), 1 << 22);
  EXPECT_EQ(in.status, InputStatus::Unreadable);
  EXPECT_EQ(in.reason, "Permission denied");
}

// Another program writing the listing between the size the reader took and its bytes: cut short, grown,
// or rewritten to the same size (its modification time set apart, as a later write leaves it).
TEST_F(SafeFile, AFileThatChangesWhileReadIsRefused) {
  const std::string text(100000, 'r');
  const std::string changed = "it changed while it was read; read it again once the program writing it has finished";
  const struct {
    const char* change;
    std::function<void()> apply;
  } cases[] = {
      {"shrinks", [&] { fs::resize_file(listing, 4000); }},
      {"grows", [&] { std::ofstream(listing, std::ios::binary | std::ios::app) << "more lines"; }},
      {"is rewritten", [&] {
         put(listing, std::string(text.size(), 'w'));
         const struct timespec times[2] = {{0, UTIME_OMIT}, {1000000000, 0}};
         ASSERT_EQ(::utimensat(AT_FDCWD, listing.c_str(), times, 0), 0);
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.change);
    put(listing, text);
    const InputFile in = readInputFile(listing.string(), 1 << 20, c.apply);
    EXPECT_EQ(in.status, InputStatus::Unreadable);
    EXPECT_EQ(in.reason, changed);
    EXPECT_TRUE(in.bytes.empty());
  }
  put(listing, text);
  EXPECT_EQ(readInputFile(listing.string(), 1 << 20, [] {}).bytes, text);  // left alone, it is read whole
}

// Sizes about the point where the buffer becomes a mapping of huge pages (4 MB), and one that does not
// end on a huge page: every byte comes back, and the bytes kept for a digest outlive the reading.
TEST_F(SafeFile, LargeFilesAreReadWholeIntoTheirOwnBuffer) {
  for (const std::size_t size : {std::size_t{4} << 20, (std::size_t{4} << 20) + 1, (std::size_t{9} << 20) + 3}) {
    SCOPED_TRACE(size);
    std::string text(size, ' ');
    for (std::size_t i = 0; i < size; ++i) text[i] = static_cast<char>('a' + (i * 7919) % 26);
    put(listing, text);
    std::shared_ptr<const char[]> kept;
    {
      InputFile in = readInputFile(listing.string(), std::size_t{16} << 20);
      ASSERT_EQ(in.status, InputStatus::Read) << in.reason;
      EXPECT_TRUE(in.bytes == text);
      kept = std::move(in.bytes).release();
    }
    EXPECT_EQ(std::string_view(kept.get(), size), text);
  }
}

using SafeFileDeathTest = SafeFile;

TEST_F(SafeFileDeathTest, AnExportKilledBySignalLeavesNothingBehind) {
  const fs::path target = dir / "plan.pdf";
  put(target, "earlier");
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
    struct sigaction current {};
    ::sigaction(signal, nullptr, &current);
    if (current.sa_handler == SIG_IGN) continue;  // started with the signal ignored: it ends nothing
    EXPECT_EXIT(writeFileSafely(target.string(),
                                [signal](const std::string& temporary) {
                                  put(temporary, "half a page");
                                  ::raise(signal);
                                  return std::string();
                                }),
                ::testing::KilledBySignal(signal), "")
        << signal;
    EXPECT_EQ(names(dir), (std::set<std::string>{"FRAME1.ANL", "plan.pdf"})) << signal;
    EXPECT_EQ(get(target), "earlier");
  }
}
