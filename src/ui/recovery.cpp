// Recovery copies: the work of a plan written after every change, offered at every start when a run
// did not end normally.
#include "ui/recovery.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <QUuid>

#include "files/project_files.h"
#include "project/project_file.h"

namespace plintova {

namespace {

QString lockName(const std::string& copy) { return QString::fromStdString(copy) + QStringLiteral(".lock"); }

// A lock that never goes stale by age: a plan may stay open for days. It goes stale only when the
// process that took it is gone, as after a crash.
std::unique_ptr<QLockFile> lockFor(const std::string& copy) {
  auto lock = std::make_unique<QLockFile>(lockName(copy));
  lock->setStaleLockTime(0);
  return lock;
}

// Whether a running program holds the copy.
bool heldByARun(const std::string& copy) {
  auto probe = lockFor(copy);
  if (!probe->tryLock(0)) return true;
  probe->unlock();
  return false;
}

std::string countText(std::size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

// What a saved project holds, in a few words.
std::string holdingsOf(const SavedProject& s) {
  std::string t;
  auto add = [&t](std::size_t n, const char* one, const char* many) {
    if (n > 0) t += (t.empty() ? "" : ", ") + countText(n, one, many);
  };
  add(s.offsets.size(), "offset", "offsets");
  add(s.groups.size(), "group choice", "group choices");
  add(s.disabled.size(), "disabled footing", "disabled footings");
  add(s.combined.size(), "combined footing", "combined footings");
  add(s.resized.size(), "resized footing", "resized footings");
  add(s.schedule.size(), "schedule edit", "schedule edits");
  if (t.empty()) t = "no decisions";
  return t + (s.designed ? "; schedule designed" : "");
}

RecoveryCopy describe(const QFileInfo& file) {
  RecoveryCopy c;
  c.path = file.absoluteFilePath().toStdString();
  c.savedAt = file.lastModified().toString(QStringLiteral("yyyy-MM-dd hh:mm")).toStdString();
  const ReadProject read = readProjectFile(c.path);
  if (!read.project) {
    c.holds = "cannot be opened: " + read.error;
    return c;
  }
  c.listing = listingPathOf(*read.project, c.path);
  if (!QFileInfo::exists(QString::fromStdString(c.listing))) {
    c.holds = "cannot be opened: its listing " + c.listing + " is not there";
    return c;
  }
  c.holds = holdingsOf(*read.project);
  c.usable = true;
  return c;
}

QFileInfoList copyFiles() {
  const std::string folder = recoveryFolder();
  if (folder.empty()) return {};
  return QDir(QString::fromStdString(folder)).entryInfoList({QStringLiteral("*.plintova")}, QDir::Files, QDir::Time);
}

}  // namespace

std::string recoveryFolder() {
  const QString data = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
  if (data.isEmpty()) return {};
  return QDir(data).filePath(QStringLiteral("recovery")).toStdString();
}

std::vector<std::string> recoveryCopies() {
  std::vector<std::string> copies;
  for (const QFileInfo& f : copyFiles()) copies.push_back(f.absoluteFilePath().toStdString());
  return copies;
}

std::vector<RecoveryCopy> leftRecoveryCopies() {
  std::vector<RecoveryCopy> copies;
  for (const QFileInfo& f : copyFiles())
    if (!heldByARun(f.absoluteFilePath().toStdString())) copies.push_back(describe(f));
  return copies;
}

void deleteRecoveryCopy(const std::string& path) {
  QFile::remove(QString::fromStdString(path));
  QFile::remove(lockName(path));
}

RecoveryFile::RecoveryFile() = default;
RecoveryFile::~RecoveryFile() = default;

void RecoveryFile::startFresh(const std::string& anlPath) {
  const std::string folder = recoveryFolder();
  if (folder.empty() || anlPath.empty()) return;
  // Named after the listing and this run: two runs on one listing keep two copies.
  const QString full = QFileInfo(QString::fromStdString(anlPath)).absoluteFilePath();
  const QByteArray hash = QCryptographicHash::hash(full.toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
  const QString run = QUuid::createUuid().toString(QUuid::Id128).left(12);
  path_ = QDir(QString::fromStdString(folder))
              .filePath(QString::fromLatin1(hash) + QLatin1Char('-') + run + QStringLiteral(".plintova"))
              .toStdString();
  hold();
}

void RecoveryFile::adopt(const std::string& copyPath) {
  path_ = copyPath;
  hold();
}

void RecoveryFile::hold() {
  QDir().mkpath(QFileInfo(QString::fromStdString(path_)).absolutePath());
  lock_ = lockFor(path_);
  lock_->tryLock(0);
}

std::string RecoveryFile::write(const Project& p) { return writeRecoverySnapshot(snapshot(p)); }

RecoverySnapshot RecoveryFile::snapshot(const Project& p) const {
  RecoverySnapshot out;
  if (path_.empty()) return out;
  out.path = path_;
  std::string reason;
  out.text = projectFileText(savedProjectOf(p, path_), reason);
  if (out.text.empty()) out.error = "The project file " + path_ + " cannot be written: " + reason + ".";
  out.protect = projectInputFiles(p.AnlPath);
  return out;
}

std::string writeRecoverySnapshot(const RecoverySnapshot& snapshot) {
  if (snapshot.path.empty()) return {};
  if (!snapshot.error.empty()) return snapshot.error;
  QDir().mkpath(QFileInfo(QString::fromStdString(snapshot.path)).absolutePath());
  const std::string reason = writeFileSafely(snapshot.path, snapshot.text, snapshot.protect);
  if (!reason.empty()) return "The project file " + snapshot.path + " could not be written: " + reason + ".";
  return {};
}

void RecoveryFile::remove() {
  if (!path_.empty()) QFile::remove(QString::fromStdString(path_));
}

}  // namespace plintova
