// Messages and OK/Cancel questions of the desktop program as message boxes.
#include "ui/qt_prompter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QPushButton>
#include <QTextEdit>

namespace plintova {

namespace {

QMessageBox::Icon iconFor(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Exclamation: return QMessageBox::Warning;
    case MessageIcon::Critical: return QMessageBox::Critical;
    case MessageIcon::None: break;
  }
  return QMessageBox::NoIcon;
}

QString titleOf(const std::string& title) {
  return QString::fromStdString(title.empty() ? std::string(kProgramName) : title);
}

}  // namespace

QString messageBoxText(const std::string& text) {
  QString s = QString::fromStdString(text);
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return s;
}

QWidget* QtPrompter::parentWidget() const {
  if (parent_ && parent_->isVisible()) return parent_;
  return QApplication::activeWindow();
}

void QtPrompter::message(const std::string& text, const std::string& title, MessageIcon icon) {
  QMessageBox box(iconFor(icon), titleOf(title), messageBoxText(text), QMessageBox::Ok, parentWidget());
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

void QtPrompter::messageList(const std::string& summary, const std::vector<std::string>& details,
                             const std::string& title) {
  QStringList lines;
  for (const std::string& d : details) lines << QString::fromStdString(d);
  const QString detailText = lines.join(QLatin1Char('\n'));
  QMessageBox box(QMessageBox::Warning, titleOf(title), messageBoxText(summary), QMessageBox::Ok, parentWidget());
  box.setObjectName(QStringLiteral("MessageList"));
  box.setTextFormat(Qt::PlainText);
  box.setDetailedText(detailText);
  QPushButton* copy = box.addButton(QStringLiteral("Copy"), QMessageBox::ActionRole);
  copy->setObjectName(QStringLiteral("CopyDetails"));
  // The copy button must not close the box: it is re-armed after every click.
  copy->disconnect();
  const QString all = messageBoxText(summary) + QLatin1Char('\n') + detailText;
  QObject::connect(copy, &QPushButton::clicked, &box, [all] { QApplication::clipboard()->setText(all); });
  // The details area open from the start: the list is what the message is about.
  for (QAbstractButton* b : box.buttons())
    if (box.buttonRole(b) == QMessageBox::ActionRole && b != copy) b->click();
  if (auto* area = box.findChild<QTextEdit*>()) {
    area->setObjectName(QStringLiteral("DetailsArea"));
    area->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  }
  box.exec();
}

bool QtPrompter::confirm(const std::string& text, const std::string& title) {
  QMessageBox box(QMessageBox::NoIcon, titleOf(title), messageBoxText(text), QMessageBox::Ok | QMessageBox::Cancel,
                  parentWidget());
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(QMessageBox::Ok);
  return box.exec() == QMessageBox::Ok;
}

SaveChoice QtPrompter::askToSave(const std::string& text, const std::string& title) {
  QMessageBox box(QMessageBox::Warning, titleOf(title), messageBoxText(text),
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parentWidget());
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(QMessageBox::Save);
  box.setEscapeButton(QMessageBox::Cancel);
  switch (box.exec()) {
    case QMessageBox::Save: return SaveChoice::Save;
    case QMessageBox::Discard: return SaveChoice::Discard;
    default: return SaveChoice::Cancel;
  }
}

}  // namespace plintova
