// The recovery dialog: every copy left by a run that did not end normally, with its listing, time and
// what it holds; the engineer opens one, deletes the ones ticked, or keeps them all.
#pragma once

#include <QDialog>
#include <vector>

#include "ui/recovery.h"

class QPushButton;
class QTreeWidget;

namespace plintova {

class RecoveryDialog : public QDialog {
  Q_OBJECT
 public:
  // Columns of the list.
  enum Column { ListingColumn, SavedColumn, HoldsColumn };

  explicit RecoveryDialog(const std::vector<RecoveryCopy>& copies, QWidget* parent = nullptr);

  // The engineer's choice once a button was pressed; Keep while none was (and after closing).
  RecoveryChoice choice() const { return choice_; }

  QTreeWidget* list() const { return list_; }
  QPushButton* openButton() const { return open_; }
  QPushButton* deleteButton() const { return delete_; }
  QPushButton* keepButton() const { return keep_; }

 private:
  void updateButtons();
  std::vector<int> ticked() const;

  std::vector<RecoveryCopy> copies_;
  RecoveryChoice choice_;
  QTreeWidget* list_ = nullptr;
  QPushButton* open_ = nullptr;
  QPushButton* delete_ = nullptr;
  QPushButton* keep_ = nullptr;
};

// The recovery dialog, run modally.
RecoveryChooser desktopRecoveryChooser();

}  // namespace plintova
