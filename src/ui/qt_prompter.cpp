// Messages and OK/Cancel questions of the desktop program as message boxes.
#include "ui/qt_prompter.h"

#include <QApplication>
#include <QMessageBox>

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
  return QString::fromStdString(title.empty() ? std::string(kDefaultTitle) : title);
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
