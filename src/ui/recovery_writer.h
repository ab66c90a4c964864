// Writes a plan's recovery copy a short while after a change, on a thread of its own, so that the
// engineer never waits on the disk and a burst of changes (wheel notches) is written once.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <thread>

#include "ui/recovery.h"

namespace plintova {

// The first change of a burst starts a single-shot timer; changes while it runs join the burst, and when
// it runs out the plan is taken as it then stands (on the user-interface thread) and its bytes are
// written on a worker thread. A change while a copy is being written is written after it, so copies
// never overtake each other. A crash loses at most the changes of the last interval.
class RecoveryWriter : public QObject {
  Q_OBJECT
 public:
  // From the first change of a burst to its copy being written.
  static constexpr int kDelayMs = 1000;

  // `snapshot` takes the plan as it stands (an empty path when there is nothing to write).
  explicit RecoveryWriter(std::function<RecoverySnapshot()> snapshot, QObject* parent = nullptr);
  // Waits for a copy being written; a change not yet written is given up, as a crash would.
  ~RecoveryWriter() override;
  RecoveryWriter(const RecoveryWriter&) = delete;
  RecoveryWriter& operator=(const RecoveryWriter&) = delete;

  // A change to be written with the rest of its burst.
  void schedule();
  // Gives up the changes not yet written and waits for a copy being written: then the copy may be
  // removed without a late write bringing it back.
  void cancel();
  // Whether changes wait for the timer or a copy is being written.
  bool pending() const { return timer_.isActive() || busy_; }
  // Copies written (or attempted) since the writer was made.
  int writes() const { return writes_; }
  void setDelay(int milliseconds) { timer_.setInterval(milliseconds); }

 signals:
  // A copy could not be written: the reason, for the status bar.
  void failed(const QString& reason);

 private:
  void writeNow();
  void written(unsigned generation, const std::string& error);
  void join();

  std::function<RecoverySnapshot()> snapshot_;
  QTimer timer_;
  std::thread worker_;
  bool busy_ = false;        // a copy is being written
  bool again_ = false;       // changes came while it was: write once more after it
  unsigned generation_ = 0;  // raised by cancel(), so a write it waited for reports nothing
  int writes_ = 0;
};

}  // namespace plintova
