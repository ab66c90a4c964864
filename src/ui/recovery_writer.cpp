// The recovery copy written on a single-shot timer, its bytes on a worker thread.
#include "ui/recovery_writer.h"

#include <utility>

namespace plintova {

RecoveryWriter::RecoveryWriter(std::function<RecoverySnapshot()> snapshot, QObject* parent)
    : QObject(parent), snapshot_(std::move(snapshot)) {
  timer_.setSingleShot(true);
  timer_.setInterval(kDelayMs);
  connect(&timer_, &QTimer::timeout, this, &RecoveryWriter::writeNow);
}

RecoveryWriter::~RecoveryWriter() { join(); }

void RecoveryWriter::schedule() {
  if (busy_) {
    again_ = true;  // written when the copy under way is done
    return;
  }
  // Not restarted by later changes: a steady stream of changes is still written every interval.
  if (!timer_.isActive()) timer_.start();
}

void RecoveryWriter::cancel() {
  timer_.stop();
  again_ = false;
  ++generation_;
  join();
  busy_ = false;
}

void RecoveryWriter::join() {
  if (worker_.joinable()) worker_.join();
}

void RecoveryWriter::writeNow() {
  RecoverySnapshot copy = snapshot_();
  if (copy.path.empty()) return;
  ++writes_;
  busy_ = true;
  join();  // a finished worker whose report is still queued
  const unsigned generation = generation_;
  worker_ = std::thread([this, generation, copy = std::move(copy)] {
    const std::string error = writeRecoverySnapshot(copy);
    // The writer outlives the thread (its destructor joins it), and a report queued to a writer that is
    // gone is dropped by Qt.
    QMetaObject::invokeMethod(this, [this, generation, error] { written(generation, error); }, Qt::QueuedConnection);
  });
}

void RecoveryWriter::written(unsigned generation, const std::string& error) {
  if (generation != generation_) return;  // cancelled meanwhile
  join();
  busy_ = false;
  if (!error.empty()) emit failed(QString::fromStdString(error));
  if (again_) {
    again_ = false;
    timer_.start();
  }
}

}  // namespace plintova
