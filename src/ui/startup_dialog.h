// The start-up dialog: what the listing holds, and the engineer's safe bearing capacity and founding depth.
#pragma once

#include <QDialog>

#include "input/listing_reader.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace plintova {

struct Project;

// Shows the support count, the load-case count and the grades the reader found, and takes the SBC
// (kN/m2) and the founding depth (m) from two editable drop-down lists. OK stores them when both are
// acceptable and emits `confirmed`; entries that are not acceptable are ignored without a message and
// the dialog stays. Exit (or closing the dialog) rejects it: the program ends.
class StartupDialog : public QDialog {
  Q_OBJECT
 public:
  StartupDialog(Project& project, const ListingSummary& summary, QWidget* parent = nullptr);

  QComboBox* sbcBox() const { return sbc_; }
  QComboBox* depthBox() const { return depth_; }
  QPushButton* okButton() const { return ok_; }
  QPushButton* exitButton() const { return exit_; }

 signals:
  // Both entries were accepted and stored: the main window opens, then the dialog closes for good.
  void confirmed();

 public slots:
  // The OK button: takes the depth, then the SBC; both acceptable confirms and closes the dialog.
  void cmdOK();

 private:
  Project& project_;
  QComboBox* sbc_ = nullptr;
  QComboBox* depth_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* exit_ = nullptr;
};

}  // namespace plintova
