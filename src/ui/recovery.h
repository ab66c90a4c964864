// Recovery copies: the work of a plan written after every change, offered at every start when a run
// did not end normally.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "files/safe_file.h"

class QLockFile;
class QWidget;

namespace plintova {

struct Project;

// The folder of the recovery copies in the engineer's data folder.
std::string recoveryFolder();

// Every recovery copy present, newest first, whether or not a running program holds it.
std::vector<std::string> recoveryCopies();

// A copy left behind by a run that did not end normally, as the engineer is shown it.
struct RecoveryCopy {
  std::string path;     // the copy itself
  std::string listing;  // the listing its plan was made from; "" when the copy cannot be read
  std::string savedAt;  // when it was last written: "2024-05-03 14:22"
  std::string holds;    // what it holds ("2 offsets, 1 combined footing; schedule designed"), or why it
                        // cannot be opened
  bool usable = false;  // it reads as a project and its listing is there
};

// The copies no running program holds, newest first: those of runs that ended abnormally.
std::vector<RecoveryCopy> leftRecoveryCopies();

// Deletes a copy the engineer chose to give up.
void deleteRecoveryCopy(const std::string& path);

// What the engineer does with the copies offered: open one (it replaces nothing on disk until saved),
// delete the ones ticked (the rest are offered again), or keep them all for a later start.
struct RecoveryChoice {
  enum class Action { Keep, Open, Delete };
  Action action = Action::Keep;
  int open = -1;            // the copy to open
  std::vector<int> remove;  // the copies to delete
};

// Shows the copies and returns the engineer's choice; replaceable so that tests never block.
using RecoveryChooser = std::function<RecoveryChoice(QWidget* parent, const std::vector<RecoveryCopy>& copies)>;

// A recovery copy ready to be written: the project file's text as the plan stood when it was taken, so
// that the bytes can go to the disk on another thread while the plan changes on.
struct RecoverySnapshot {
  std::string path;                   // the copy; "" when there is nothing to write
  std::string text;                   // the project file's text
  std::vector<ProtectedFile> protect;  // the plan's input files, never written over
  std::string error;                  // why the text could not be made ("" when it was)
};

// Writes a snapshot through the safe writer; "" or the reason. Safe to call on any thread.
std::string writeRecoverySnapshot(const RecoverySnapshot& snapshot);

// The recovery copy of one open plan: held (locked) while the plan is open, so that another start of
// the program does not take it for the work of a run that ended abnormally; written after every
// change; removed when the work is saved or given up on purpose.
class RecoveryFile {
 public:
  RecoveryFile();
  ~RecoveryFile();
  RecoveryFile(const RecoveryFile&) = delete;
  RecoveryFile& operator=(const RecoveryFile&) = delete;

  // A copy of its own for a plan of the listing at `anlPath`.
  void startFresh(const std::string& anlPath);
  // The copy a plan was recovered from: it goes on being written and is removed like a fresh one.
  void adopt(const std::string& copyPath);
  // Writes the project as the copy; "" or the reason it could not be written.
  std::string write(const Project& p);
  // The project as the copy's text, for a write on another thread (empty path: the plan has no copy).
  RecoverySnapshot snapshot(const Project& p) const;
  // Removes the copy (the lock stays until the plan closes).
  void remove();
  const std::string& path() const { return path_; }

 private:
  void hold();
  std::string path_;
  std::unique_ptr<QLockFile> lock_;
};

}  // namespace plintova
