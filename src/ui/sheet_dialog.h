// The "Drawing sheet" dialog: the title block's fields, the paper and the north arrow of the footing
// drawing.
#pragma once

#include <QDialog>
#include <functional>

#include "model/decisions.h"

class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace plintova {

// Shows the settings given and hands back what the engineer typed; it changes nothing itself; the
// caller commits the result (an undoable decision). Every control carries an object name ("TxtProject",
// "CboPaper", "SpnNorth", "TblRevisions", ...) that tests and tools find it by. The revisions are a
// table of revision, date and description, the last row the revision shown; while it is empty the
// revision box gives the revision.
class SheetSettingsDialog : public QDialog {
  Q_OBJECT
 public:
  explicit SheetSettingsDialog(const SheetSettings& settings, QWidget* parent = nullptr);

  void setSettings(const SheetSettings& settings);
  // The fields as settings: texts trimmed, the paper "A3", "A2" or "A1", the rotation in
  // (-180, 180] degrees.
  SheetSettings settings() const;

  QLineEdit* field(const char* name) const;
  QComboBox* paperBox() const { return paper_; }
  QDoubleSpinBox* northBox() const { return north_; }
  QPushButton* okButton() const { return ok_; }
  QTableWidget* revisionsTable() const { return revisions_; }

 private:
  void addRevision();
  void removeRevision();
  void revisionsChanged();

  QLineEdit* firm_ = nullptr;
  QLineEdit* client_ = nullptr;
  QLineEdit* project_ = nullptr;
  QLineEdit* title_ = nullptr;
  QLineEdit* number_ = nullptr;
  QLineEdit* revision_ = nullptr;
  QLineEdit* date_ = nullptr;
  QLineEdit* drawnBy_ = nullptr;
  QLineEdit* designedBy_ = nullptr;
  QLineEdit* checkedBy_ = nullptr;
  QLineEdit* approvedBy_ = nullptr;
  QTableWidget* revisions_ = nullptr;
  QComboBox* paper_ = nullptr;
  QDoubleSpinBox* north_ = nullptr;
  QPushButton* ok_ = nullptr;
  SheetSettings shown_;     // as given, so that an angle left alone keeps its every digit
  double shownNorth_ = 0;  // the angle as the box showed it then
};


}  // namespace plintova
