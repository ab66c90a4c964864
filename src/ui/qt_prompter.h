// Messages and OK/Cancel questions of the desktop program as message boxes.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <string>

#include "model/prompter.h"

namespace plintova {

// Message text as a message box shows it: the core separates lines by carriage returns, which a plain
// text label would not break on.
QString messageBoxText(const std::string& text);

// Shows each message in a modal message box with an OK button (OK and Cancel for questions), the
// given title or the default one, and the exclamation icon where asked. The box is centred on the
// given parent window, or on the active window of the program when there is none.
class QtPrompter : public Prompter {
 public:
  explicit QtPrompter(QWidget* parent = nullptr) : parent_(parent) {}
  void setParent(QWidget* parent) { parent_ = parent; }

  void message(const std::string& text, const std::string& title = {}, MessageIcon icon = MessageIcon::None) override;
  // A message box with the summary and the details in its details area, shown open, selectable, with a
  // "Copy" button that puts the summary and every detail line on the clipboard.
  void messageList(const std::string& summary, const std::vector<std::string>& details,
                   const std::string& title = {}) override;
  bool confirm(const std::string& text, const std::string& title = {}) override;
  SaveChoice askToSave(const std::string& text, const std::string& title = {}) override;

 private:
  QWidget* parentWidget() const;
  QPointer<QWidget> parent_;
};

}  // namespace plintova
