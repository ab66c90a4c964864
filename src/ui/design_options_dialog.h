// The "Design options" dialog: every design option with its unit and range, one line each, from the
// options' one table.
#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "model/design_options.h"

class QLineEdit;
class QPushButton;

namespace plintova {

class Prompter;

// Shows the options given, one text box per option (object name "TxtOption_<key>"; an empty box is none
// where the option may be none). OK takes the values when every one is a number within its range;
// otherwise one message names each value refused with its key and range, and the dialog stays. It
// changes nothing itself: the caller commits options() as one undoable step.
class DesignOptionsDialog : public QDialog {
  Q_OBJECT
 public:
  DesignOptionsDialog(const DesignOptions& options, Prompter& prompter, QWidget* parent = nullptr);

  QLineEdit* field(const std::string& key) const;
  QPushButton* okButton() const { return ok_; }
  QPushButton* defaultsButton() const { return defaults_; }
  // The options as last accepted by OK (the given ones before that).
  const DesignOptions& options() const { return options_; }

 private:
  void showOptions(const DesignOptions& o);
  void takeValues();

  Prompter& prompter_;
  DesignOptions options_;
  std::vector<QLineEdit*> fields_;  // in the table's order
  QLineEdit* diameters_ = nullptr;  // the bar diameters, a list
  QPushButton* ok_ = nullptr;
  QPushButton* defaults_ = nullptr;
};


}  // namespace plintova
