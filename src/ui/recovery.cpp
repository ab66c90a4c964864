// Recovery copies: the work of a plan written after every change, offered at the next start.
#include "ui/recovery.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace plintova {

std::string recoveryFolder() {
  const QString data = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
  if (data.isEmpty()) return {};
  return QDir(data).filePath(QStringLiteral("recovery")).toStdString();
}

std::string recoveryPathFor(const std::string& anlPath) {
  const std::string folder = recoveryFolder();
  if (folder.empty() || anlPath.empty()) return {};
  const QString full = QFileInfo(QString::fromStdString(anlPath)).absoluteFilePath();
  const QByteArray hash = QCryptographicHash::hash(full.toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
  return QDir(QString::fromStdString(folder)).filePath(QString::fromLatin1(hash) + QStringLiteral(".plintova")).toStdString();
}

std::vector<std::string> recoveryCopies() {
  std::vector<std::string> copies;
  const std::string folder = recoveryFolder();
  if (folder.empty()) return copies;
  const QFileInfoList files = QDir(QString::fromStdString(folder))
                                  .entryInfoList({QStringLiteral("*.plintova")}, QDir::Files, QDir::Time);
  for (const QFileInfo& f : files) copies.push_back(f.absoluteFilePath().toStdString());
  return copies;
}

}  // namespace plintova
