// The start-up dialog: what the listing holds, and the engineer's safe bearing capacity, founding depth,
// grades and choice of load cases.
#pragma once

#include <QDialog>
#include <functional>

#include "input/listing_reader.h"
#include "ui/load_case_panel.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace plintova {

struct Project;
class Prompter;

// Shows the support count, the load-case count, the grades and the units the reader found, and takes the
// SBC (kN/m2) and the founding depth (m) from two editable drop-down lists, the grades Fck and Fe from
// two more (filled with the listing's grades when it has them) and the load cases from a table: which
// cases are used, their roles, and which are checked against 1.25 x SBC (by default every case; the wind
// and earthquake cases against 1.25 x SBC, or, for a listing that names no case's title or type, every
// case after a support's first, which a label says), with the combinations built from the primary cases
// (load_case_panel.h). OK stores them when all are acceptable, says once what makes the basis of the
// loads doubtful, and
// emits `confirmed`. An SBC or depth that is not acceptable is ignored without a message and the dialog
// stays; grades or a choice of cases that cannot be designed are explained in a message. Exit (or
// closing the dialog) rejects it.
class StartupDialog : public QDialog {
  Q_OBJECT
 public:
  // Load-case table columns.
  enum CaseColumn {
    CaseNumberColumn = LoadCasePanel::CaseNumberColumn,
    TitleColumn = LoadCasePanel::TitleColumn,
    TypeColumn = LoadCasePanel::TypeColumn,
    RoleColumn = LoadCasePanel::RoleColumn,
    UseColumn = LoadCasePanel::UseColumn,
    IncreasedColumn = LoadCasePanel::IncreasedColumn,
  };

  StartupDialog(Project& project, const ListingSummary& summary, Prompter& prompter, QWidget* parent = nullptr);

  QComboBox* sbcBox() const { return sbc_; }
  QComboBox* depthBox() const { return depth_; }
  QComboBox* fckBox() const { return fck_; }
  QComboBox* feBox() const { return fe_; }
  QTableWidget* caseTable() const { return cases_->caseTable(); }
  LoadCasePanel* casePanel() const { return cases_; }
  QPushButton* okButton() const { return ok_; }
  QPushButton* exitButton() const { return exit_; }
  // Called by OK before any entry is taken (the project is then changed): the work left from reading
  // the listing is finished there. False stops OK (the reason was shown).
  void setBeforeTaking(std::function<bool()> before) { beforeTaking_ = std::move(before); }

 signals:
  // Every entry was accepted and stored: the main window opens, then the dialog closes for good.
  void confirmed();

 public slots:
  // The OK button: takes the depth, then the SBC, then the grades and the load cases.
  void cmdOK();

 private:
  Project& project_;
  Prompter& prompter_;
  QComboBox* sbc_ = nullptr;
  QComboBox* depth_ = nullptr;
  QComboBox* fck_ = nullptr;
  QComboBox* fe_ = nullptr;
  LoadCasePanel* cases_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* exit_ = nullptr;
  std::function<bool()> beforeTaking_;
};

}  // namespace plintova
