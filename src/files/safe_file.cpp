// The one writer of every output file, and the reader of input files that never blocks.
//
// An output is written to a temporary file in the folder of the file it replaces and renamed over it
// once every byte is on the disk, so the old file stays whole until the new one is complete. Live
// temporary files are listed in a fixed table that a signal handler can walk without allocating, so an
// interrupted export leaves nothing behind.
#include "files/safe_file.h"

#include <fcntl.h>
#include <limits.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <new>

namespace plintova {

namespace {

namespace fs = std::filesystem;

std::string systemReason(int error) { return std::strerror(error); }

// What a file that is not a regular file is, in the engineer's words.
std::string notAFileReason(mode_t mode) {
  if (S_ISDIR(mode)) return "it is a folder, not a file";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "it is a device, not a file";
  if (S_ISFIFO(mode)) return "it is a named pipe, not a file";
  if (S_ISSOCK(mode)) return "it is a socket, not a file";
  return "it is not a regular file";
}

std::string sizeText(std::size_t bytes) {
  constexpr std::size_t kB = 1024, MB = 1024 * 1024;
  if (bytes >= MB && bytes % MB == 0) return std::to_string(bytes / MB) + " MB";
  if (bytes >= kB && bytes % kB == 0) return std::to_string(bytes / kB) + " kB";
  return std::to_string(bytes) + " bytes";
}

std::string folderOf(const std::string& path) {
  const fs::path p(path);
  return p.has_parent_path() ? p.parent_path().string() : std::string(".");
}

// The path with symbolic links of its existing part resolved and "." and ".." removed, for comparing
// names of files that may not exist yet.
std::string normalised(const std::string& path) {
  std::error_code ec;
  fs::path p = fs::weakly_canonical(fs::absolute(path, ec), ec);
  if (ec) p = fs::absolute(path, ec).lexically_normal();
  return p.string();
}

bool sameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// ---- Live temporary files, removed by the signal handler ----

// Slot states: free, being filled in by the writer (the handler leaves it alone), holding a live path.
constexpr int kFree = 0, kFilling = 1, kLive = 2;
constexpr int kSlots = 16;
static_assert(std::atomic<int>::is_always_lock_free, "the signal handler reads the slot states");

struct Slot {
  std::atomic<int> state{kFree};
  char path[PATH_MAX];
};
Slot gSlots[kSlots];

constexpr int kCleanedSignals[] = {SIGINT, SIGTERM, SIGHUP};

extern "C" void removeTemporariesAndEnd(int signal) {
  for (Slot& slot : gSlots)
    if (slot.state.load() == kLive) ::unlink(slot.path);
  // End the way the signal would have ended the program without this handler. The signal is blocked
  // while the handler runs, so it arrives with the default action as soon as the handler returns.
  struct sigaction byDefault {};
  byDefault.sa_handler = SIG_DFL;
  sigemptyset(&byDefault.sa_mask);
  ::sigaction(signal, &byDefault, nullptr);
  ::raise(signal);
}

// Holds SIGINT, SIGTERM and SIGHUP back while a temporary file is created and listed, or renamed and
// taken off the list, so that the file and its entry appear and go together.
class SignalsHeld {
 public:
  SignalsHeld() {
    sigset_t set;
    sigemptyset(&set);
    for (int s : kCleanedSignals) sigaddset(&set, s);
    ::pthread_sigmask(SIG_BLOCK, &set, &old_);
  }
  ~SignalsHeld() { ::pthread_sigmask(SIG_SETMASK, &old_, nullptr); }
  SignalsHeld(const SignalsHeld&) = delete;
  SignalsHeld& operator=(const SignalsHeld&) = delete;

 private:
  sigset_t old_;
};

// The slot now listing `path`, or -1 when every slot is taken or the path does not fit (the file is
// then written all the same, only not removed on a signal).
int listTemporary(const std::string& path) {
  if (path.size() >= PATH_MAX) return -1;
  for (int i = 0; i < kSlots; ++i) {
    int expected = kFree;
    if (gSlots[i].state.compare_exchange_strong(expected, kFilling)) {
      std::memcpy(gSlots[i].path, path.c_str(), path.size() + 1);
      gSlots[i].state.store(kLive);
      return i;
    }
  }
  return -1;
}

void unlistTemporary(int slot) {
  if (slot >= 0) gSlots[slot].state.store(kFree);
}

// Eight hexadecimal digits that differ between calls, processes and runs.
std::string freshSuffix() {
  static std::atomic<std::uint64_t> sequence{0};
  timespec now{};
  ::clock_gettime(CLOCK_REALTIME, &now);
  std::uint64_t x = (static_cast<std::uint64_t>(::getpid()) << 32) ^ static_cast<std::uint64_t>(now.tv_nsec) ^
                    (static_cast<std::uint64_t>(now.tv_sec) << 20) ^ (++sequence * 0x9E3779B97F4A7C15ull);
  // splitmix64 finaliser: every input bit reaches the digits kept.
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  x ^= x >> 31;
  static const char digits[] = "0123456789abcdef";
  std::string s(8, '0');
  for (int i = 0; i < 8; ++i) s[static_cast<std::size_t>(i)] = digits[(x >> (4 * i)) & 0xF];
  return s;
}

// A temporary file beside the file it will replace. Removed when it goes out of scope unless it was
// renamed into place.
class TemporaryFile {
 public:
  TemporaryFile() = default;
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() { discard(); }

  // Creates an empty file with a fresh name in `folder`; "" or the reason.
  std::string create(const std::string& folder) {
    removeTemporariesOnSignals();
    for (int attempt = 0; attempt < 100; ++attempt) {
      std::string candidate = (fs::path(folder) / (".plv-" + freshSuffix() + ".tmp")).string();
      SignalsHeld held;
      const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd >= 0) {
        fd_ = fd;
        path_ = std::move(candidate);
        slot_ = listTemporary(path_);
        return {};
      }
      if (errno != EEXIST) return systemReason(errno);
    }
    return "no free name for a temporary file";
  }

  const std::string& path() const { return path_; }
  int fd() const { return fd_; }

  // Closes the descriptor of the creation; "" or the reason.
  std::string closeCreated() {
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 && errno != EINTR) return systemReason(errno);
    return {};
  }

  // Opens the file again after another writer filled it by name; it must still be a regular file.
  std::string reopen() {
    fd_ = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd_ < 0) return systemReason(errno);
    struct stat st {};
    if (::fstat(fd_, &st) != 0) return systemReason(errno);
    if (!S_ISREG(st.st_mode)) return "the temporary file was replaced while it was written";
    return {};
  }

  // Gives the file its final mode (when it replaces one), puts it on the disk and closes it.
  std::string finish(mode_t mode, bool keepMode) {
    if (keepMode && ::fchmod(fd_, mode) != 0) return systemReason(errno);
    if (::fsync(fd_) != 0) return systemReason(errno);
    return closeCreated();
  }

  // Renames the file over `target`; "" or the reason (the file is then removed).
  std::string commit(const std::string& target) {
    {
      SignalsHeld held;
      if (::rename(path_.c_str(), target.c_str()) != 0) {
        const int error = errno;
        discard();
        return systemReason(error);
      }
      unlistTemporary(slot_);
      slot_ = -1;
      path_.clear();
    }
    // The rename itself reaches the disk with the folder.
    const int folder = ::open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
      ::fsync(folder);
      ::close(folder);
    }
    return {};
  }

 private:
  void discard() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (path_.empty()) return;
    SignalsHeld held;
    ::unlink(path_.c_str());
    unlistTemporary(slot_);
    slot_ = -1;
    path_.clear();
  }

  std::string path_;
  int fd_ = -1;
  int slot_ = -1;
};

// The checked target and the mode of the file it replaces, if any.
struct Destination {
  TargetCheck check;
  bool replaces = false;
  mode_t mode = 0;
};

Destination destinationOf(const std::string& target, const std::vector<ProtectedFile>& protectedFiles) {
  Destination d;
  d.check = checkOutputTarget(target, protectedFiles);
  struct stat st {};
  if (d.check && ::stat(d.check.writePath.c_str(), &st) == 0) {
    d.replaces = true;
    d.mode = st.st_mode & 07777;
  }
  return d;
}

}  // namespace

std::string writeAll(int fd, std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return systemReason(errno);
    }
    if (n == 0) return systemReason(EIO);
    done += static_cast<std::size_t>(n);
  }
  return {};
}

void removeTemporariesOnSignals() {
  static std::once_flag installed;
  std::call_once(installed, [] {
    for (int s : kCleanedSignals) {
      struct sigaction current {};
      if (::sigaction(s, nullptr, &current) != 0) continue;
      // Leave alone a signal the program (or whoever started it) already handles or ignores.
      if ((current.sa_flags & SA_SIGINFO) || current.sa_handler != SIG_DFL) continue;
      struct sigaction handler {};
      handler.sa_handler = removeTemporariesAndEnd;
      sigemptyset(&handler.sa_mask);
      for (int other : kCleanedSignals) sigaddset(&handler.sa_mask, other);
      ::sigaction(s, &handler, nullptr);
    }
    // A file-size limit (ulimit -f) would end the program by SIGXFSZ in the middle of a write, with no
    // message and the temporary file left behind. Ignored, the write fails with EFBIG instead: it is
    // reported and the temporary file removed like any other failed write.
    struct sigaction current {};
    if (::sigaction(SIGXFSZ, nullptr, &current) == 0 && !(current.sa_flags & SA_SIGINFO) &&
        current.sa_handler == SIG_DFL) {
      struct sigaction ignore {};
      ignore.sa_handler = SIG_IGN;
      sigemptyset(&ignore.sa_mask);
      ::sigaction(SIGXFSZ, &ignore, nullptr);
    }
  });
}

std::string realFolderOf(const std::string& path) {
  return fs::path(normalised(path)).parent_path().string();
}

TargetCheck checkOutputTarget(const std::string& target, const std::vector<ProtectedFile>& protectedFiles) {
  TargetCheck c;
  auto refuse = [&c](TargetProblem problem, std::string reason) {
    c.problem = problem;
    c.reason = std::move(reason);
    return c;
  };
  if (target.empty()) return refuse(TargetProblem::NoName, "no file name was given");

  struct stat link {};
  struct stat st {};
  bool exists = false;
  c.writePath = target;
  if (::lstat(target.c_str(), &link) != 0) {
    if (errno != ENOENT) return refuse(TargetProblem::FolderUnusable, systemReason(errno));
  } else if (S_ISLNK(link.st_mode)) {
    if (::stat(target.c_str(), &st) != 0) {
      if (errno == ENOENT) return refuse(TargetProblem::NotAFile, "it is a symbolic link to a file that does not exist");
      return refuse(TargetProblem::NotAFile, systemReason(errno));
    }
    exists = true;
    // Written through the link: the file it points to is replaced and the link stays a link.
    std::error_code ec;
    const fs::path resolved = fs::canonical(target, ec);
    if (ec) return refuse(TargetProblem::NotAFile, ec.message());
    c.writePath = resolved.string();
  } else {
    st = link;
    exists = true;
  }

  // The inputs: the same file by device and inode (any name, hard or symbolic link), or by path when
  // the input does not exist (yet).
  const std::string targetPath = normalised(c.writePath);
  for (const ProtectedFile& input : protectedFiles) {
    if (input.path.empty()) continue;
    struct stat in {};
    const bool inputExists = ::stat(input.path.c_str(), &in) == 0;
    const bool same = inputExists ? exists && sameFile(st, in) : normalised(input.path) == targetPath;
    if (same)
      return refuse(TargetProblem::Protected,
                    "it is the same file as " + input.what + " " + input.path + ", which is never overwritten");
  }

  if (exists) {
    if (!S_ISREG(st.st_mode)) return refuse(TargetProblem::NotAFile, notAFileReason(st.st_mode));
    if (::faccessat(AT_FDCWD, c.writePath.c_str(), W_OK, AT_EACCESS) != 0) {
      if (errno == EACCES) return refuse(TargetProblem::ReadOnly, "it is read-only");
      return refuse(TargetProblem::ReadOnly, systemReason(errno));
    }
  }

  // A new file, the temporary one, must be creatable in the folder.
  const std::string folder = folderOf(c.writePath);
  struct stat f {};
  if (::stat(folder.c_str(), &f) != 0) return refuse(TargetProblem::FolderUnusable, systemReason(errno));
  if (!S_ISDIR(f.st_mode)) return refuse(TargetProblem::FolderUnusable, systemReason(ENOTDIR));
  if (::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) != 0)
    return refuse(TargetProblem::FolderUnusable, systemReason(errno));
  return c;
}

std::string checkDistinctOutputs(const std::vector<std::string>& targets) {
  for (std::size_t i = 0; i < targets.size(); ++i) {
    if (targets[i].empty()) continue;
    struct stat a {};
    const bool aExists = ::stat(targets[i].c_str(), &a) == 0;
    for (std::size_t j = i + 1; j < targets.size(); ++j) {
      if (targets[j].empty()) continue;
      struct stat b {};
      const bool bExists = ::stat(targets[j].c_str(), &b) == 0;
      if (normalised(targets[i]) != normalised(targets[j]) && !(aExists && bExists && sameFile(a, b))) continue;
      if (targets[i] == targets[j]) return targets[i] + " is named for two outputs";
      return targets[i] + " and " + targets[j] + " are the same file";
    }
  }
  return {};
}

std::string writeFileSafely(const std::string& target, std::string_view bytes,
                            const std::vector<ProtectedFile>& protectedFiles) {
  const Destination d = destinationOf(target, protectedFiles);
  if (!d.check) return d.check.reason;
  TemporaryFile temp;
  std::string reason = temp.create(folderOf(d.check.writePath));
  if (reason.empty()) reason = writeAll(temp.fd(), bytes);
  if (reason.empty()) reason = temp.finish(d.mode, d.replaces);
  if (reason.empty()) reason = temp.commit(d.check.writePath);
  return reason;
}

std::string writeFileSafely(const std::string& target, const FillTemporaryFile& fill,
                            const std::vector<ProtectedFile>& protectedFiles) {
  const Destination d = destinationOf(target, protectedFiles);
  if (!d.check) return d.check.reason;
  TemporaryFile temp;
  std::string reason = temp.create(folderOf(d.check.writePath));
  if (reason.empty()) reason = temp.closeCreated();
  if (reason.empty()) reason = fill(temp.path());
  if (reason.empty()) reason = temp.reopen();
  if (reason.empty()) reason = temp.finish(d.mode, d.replaces);
  if (reason.empty()) reason = temp.commit(d.check.writePath);
  return reason;
}

InputFile readInputFile(const std::string& path, std::size_t sizeLimit, const std::function<void()>& afterSize) {
  InputFile in;
  auto unreadable = [&in](std::string reason) {
    in.status = InputStatus::Unreadable;
    in.bytes = {};
    in.reason = std::move(reason);
    return std::move(in);
  };
  // Without O_NONBLOCK, opening a named pipe waits for a writer that may never come.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    const int error = errno;
    if (error == ENOENT) {
      in.status = InputStatus::Missing;
      in.reason = systemReason(error);
      return in;
    }
    return unreadable(systemReason(error));
  }
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } closer{fd};

  struct stat st {};
  if (::fstat(fd, &st) != 0) return unreadable(systemReason(errno));
  if (!S_ISREG(st.st_mode)) return unreadable(notAFileReason(st.st_mode));
  const std::string tooLarge = "it is larger than " + sizeText(sizeLimit);
  if (st.st_size < 0 || static_cast<std::uintmax_t>(st.st_size) > sizeLimit) return unreadable(tooLarge);
  if (afterSize) afterSize();

  // Read to the end, not just the size fstat gave: a file the system sizes as 0 (a kernel's text file)
  // still gives its bytes. Any other change of size or time while it is read is a refusal.
  auto readSome = [fd](char* into, std::size_t room) {
    for (;;) {
      const ssize_t n = ::read(fd, into, room);
      if (n >= 0 || errno != EINTR) return n;
    }
  };
  const std::string changed = "it changed while it was read; read it again once the program writing it has finished";
  try {
    std::size_t room = static_cast<std::size_t>(st.st_size) + 1;  // one more, to see the end at once
    FileBuffer data = allocateFileBuffer(room);
    std::size_t got = 0;
    for (;;) {
      if (got == room) {
        if (room > sizeLimit) return unreadable(tooLarge);
        const std::size_t larger = std::min(room * 2, sizeLimit + 1);
        FileBuffer grown = allocateFileBuffer(larger);
        std::memcpy(grown.get(), data.get(), got);
        data = std::move(grown);
        room = larger;
      }
      const ssize_t n = readSome(data.get() + got, room - got);
      if (n < 0) return unreadable(systemReason(errno));
      if (n == 0) break;
      got += static_cast<std::size_t>(n);
    }
    if (got > sizeLimit) return unreadable(tooLarge);
    struct stat after {};
    if (::fstat(fd, &after) != 0) return unreadable(systemReason(errno));
    const bool sameFile = after.st_size == st.st_size && after.st_mtim.tv_sec == st.st_mtim.tv_sec &&
                          after.st_mtim.tv_nsec == st.st_mtim.tv_nsec;
    if (!sameFile || got < static_cast<std::size_t>(st.st_size)) return unreadable(changed);
    in.bytes = FileBytes(std::move(data), got);
  } catch (const std::bad_alloc&) {
    return unreadable("it is too large to be read");
  }
  in.status = InputStatus::Read;
  return in;
}

}  // namespace plintova
