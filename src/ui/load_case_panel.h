// The start-up dialog's load cases: a table of every case of the listing (number, title, load type, role,
// used, checked against the increased SBC) with select all / none and a range box, and the table of
// combinations the program builds from the primary cases, which the engineer may edit.
#pragma once

#include <QWidget>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "model/load_cases.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace plintova {

struct Project;
class Prompter;

class LoadCasePanel : public QWidget {
  Q_OBJECT
 public:
  enum CaseColumn { CaseNumberColumn, TitleColumn, TypeColumn, RoleColumn, UseColumn, IncreasedColumn };
  enum CombinationColumn { CombNumberColumn, CombTitleColumn, CombRoleColumn, CombFactorsColumn };

  LoadCasePanel(Project& project, Prompter& prompter, QWidget* parent = nullptr);

  QTableWidget* caseTable() const { return cases_; }
  QTableWidget* combinationTable() const { return combinations_; }
  QComboBox* roleBox(int row) const;
  QLineEdit* rangeBox() const { return range_; }
  QPushButton* allButton() const { return all_; }
  QPushButton* noneButton() const { return none_; }
  QPushButton* combineButton() const { return combine_; }

  // The cases ticked in "Use", ascending in table order; the ticked increased cases, ascending.
  std::vector<int> usedCases() const;
  std::vector<int> increasedCases() const;
  // The roles that differ from what the listing suggests.
  std::map<int, CaseRole> roles() const;
  // The combinations as the table holds them once built (nothing: the program decides); `error` names a
  // row whose factors cannot be read ("case:factor, case:factor").
  std::optional<std::vector<Combination>> combinations(std::string& error) const;

 public slots:
  // Ticks every case, or none.
  void selectAll();
  void selectNone();
  // Ticks exactly the cases of the range box ("1-4,101-110"); a text that is no list is explained.
  void useRange();
  // Builds the combinations from the primary cases in use with their roles (asking first where the
  // analysis was P-delta or nonlinear) and shows them.
  void buildCombinations();
  void addCombination();
  void removeCombination();

 private:
  void fillCases();
  void setUse(const std::vector<int>& cases);
  void followDefaultIncrease();
  void showCombinations(const std::vector<Combination>& list);
  void addCombinationRow(const Combination& c);

  Project& project_;
  Prompter& prompter_;
  QTableWidget* cases_ = nullptr;
  QTableWidget* combinations_ = nullptr;
  QLineEdit* range_ = nullptr;
  QPushButton* all_ = nullptr;
  QPushButton* none_ = nullptr;
  QPushButton* combine_ = nullptr;
  QPushButton* add_ = nullptr;
  QPushButton* remove_ = nullptr;
  bool combinationsShown_ = false;  // the engineer built (or edited) the combinations: the table is theirs
  bool increasedTouched_ = false;   // the engineer ticked the pressure column: it no longer follows the default
  bool settingDefaults_ = false;
};

// The factors of a combination as the table shows them, "1:1.2, 2:1.2, 4:-1.2", and read back; nothing for
// a text that is no such list.
std::string factorsText(const std::vector<CaseFactor>& parts);
std::optional<std::vector<CaseFactor>> parseFactors(const std::string& text);

}  // namespace plintova
