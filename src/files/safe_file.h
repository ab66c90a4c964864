// The one writer of every output file, and the reader of input files that never blocks.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "files/file_buffer.h"

namespace plintova {

// A file the program read its work from and must never write over, with what it is in plain words
// ("the listing", "the layout file") for the message that refuses it.
struct ProtectedFile {
  std::string path;
  std::string what;
};

// Why an output target is refused.
enum class TargetProblem {
  None,            // the target may be written
  NoName,          // an empty file name
  Protected,       // it is one of the protected input files (same device and inode, or same path)
  NotAFile,        // it exists and is a folder, device, named pipe, socket or broken symbolic link
  ReadOnly,        // it exists and may not be written
  FolderUnusable,  // its folder is missing or no file can be created in it
};

struct TargetCheck {
  TargetProblem problem = TargetProblem::None;
  // Why it is refused, in plain words that do not repeat the target's name ("it is a folder, not a
  // file"; "Permission denied"); empty when the target may be written.
  std::string reason;
  // The file that will be replaced: the target itself, or the file its symbolic link points to.
  std::string writePath;
  explicit operator bool() const { return problem == TargetProblem::None; }
};

// Checks that `target` may be written without touching an input: not one of `protectedFiles`, not an
// existing non-regular file, not read-only, and in a folder where a new file can be created.
TargetCheck checkOutputTarget(const std::string& target, const std::vector<ProtectedFile>& protectedFiles = {});

// Checks that no two of `targets` name one file, by normalised path (symbolic links resolved) and, for
// files that exist, by device and inode. Returns "" or the reason naming the two paths.
std::string checkDistinctOutputs(const std::vector<std::string>& targets);

// Writes `bytes` as the whole content of `target`: checked as above, written to a fresh temporary file in
// the folder of the file to replace, flushed to the disk and renamed over it, keeping the mode of the file
// it replaces. Returns "" on success, else the reason; on failure the target is unchanged and no temporary
// file is left behind.
std::string writeFileSafely(const std::string& target, std::string_view bytes,
                            const std::vector<ProtectedFile>& protectedFiles = {});

// Writes all of `bytes` to the open file `fd`, again after an interrupted write; "" or the reason.
std::string writeAll(int fd, std::string_view bytes);

// Fills the temporary file whose path it is given (for writers that stream into a file, such as the
// workbook's zip writer and the PDF writer); returns "" on success, else the reason.
using FillTemporaryFile = std::function<std::string(const std::string& temporaryPath)>;

// The same, with the content written by `fill` into the temporary file; the writer then flushes it to
// the disk, closes it and renames it into place.
std::string writeFileSafely(const std::string& target, const FillTemporaryFile& fill,
                            const std::vector<ProtectedFile>& protectedFiles = {});

// The absolute folder of the file `path` names, its symbolic links resolved (the file's own too, when it
// is one): the folder the writer replaces the file in, and where a name relative to the file starts.
std::string realFolderOf(const std::string& path);

// Length of every temporary file name (".plv-XXXXXXXX.tmp"), whatever the target's name: a target whose
// name is as long as the file system allows can still be written.
inline constexpr std::size_t kTemporaryNameLength = 17;

// Makes SIGINT, SIGTERM and SIGHUP remove the live temporary files before the program ends as it would
// have without the handler, and ignores SIGXFSZ, so that a write beyond a file-size limit fails (and is
// reported) rather than ending the program. Installed only for signals whose disposition is still the
// default; the writer calls it, so callers need not.
void removeTemporariesOnSignals();

enum class InputStatus {
  Read,        // `bytes` holds the whole file
  Missing,     // there is no file by that name
  Unreadable,  // it exists but cannot be read; `reason` says why
};

// The bytes of a file as read: one buffer that is never zero-filled first.
class FileBytes {
 public:
  FileBytes() = default;
  FileBytes(FileBuffer data, std::size_t size) : data_(std::move(data)), size_(size) {}
  std::string_view view() const { return {data_.get(), size_}; }
  operator std::string_view() const { return view(); }
  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  bool operator==(std::string_view text) const { return view() == text; }
  // The buffer, shared from now on (the bytes stay as they are).
  std::shared_ptr<const char[]> release() && {
    size_ = 0;
    const FileBufferRelease release = data_.get_deleter();
    return std::shared_ptr<const char[]>(data_.release(), release);
  }

 private:
  FileBuffer data_;
  std::size_t size_ = 0;
};

struct InputFile {
  InputStatus status = InputStatus::Missing;
  FileBytes bytes;
  std::string reason;  // "No such file or directory" when missing
};

// Reads the whole of a regular file of at most `sizeLimit` bytes. Opens without blocking and refuses a
// named pipe, device, socket or folder before reading, so such a name never hangs the program. A file
// that shrinks, or whose size or modification time changes, while it is read is refused ("it changed
// while it was read"), so a listing half written by another program is never taken for a whole one.
// `afterSize`, when given, runs once the file is open and its size taken, before any byte is read:
// where another program may change it.
InputFile readInputFile(const std::string& path, std::size_t sizeLimit, const std::function<void()>& afterSize = {});

}  // namespace plintova
