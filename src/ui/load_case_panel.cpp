// The start-up dialog's load cases and combinations.
#include "ui/load_case_panel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <sstream>

#include "footing/case_basis.h"
#include "footing/design_inputs.h"
#include "footing/load_combinations.h"
#include "model/numbers.h"
#include "model/project.h"
#include "model/prompter.h"

namespace plintova {

namespace {

constexpr CaseRole kAllRoles[] = {CaseRole::Dead,       CaseRole::Imposed, CaseRole::Wind,    CaseRole::Earthquake,
                                  CaseRole::Other,      CaseRole::Service, CaseRole::Factored};

QPushButton* button(const char* name, const QString& text) {
  auto* b = new QPushButton(text);
  b->setObjectName(QString::fromLatin1(name));
  b->setAutoDefault(false);
  return b;
}

QComboBox* roleCombo(bool combinationsOnly) {
  auto* box = new QComboBox;
  for (CaseRole r : kAllRoles)
    if (!combinationsOnly || !isPrimaryLoad(r)) box->addItem(QString::fromLatin1(roleName(r).data(), static_cast<int>(roleName(r).size())));
  return box;
}

bool contains(const std::vector<int>& list, int n) { return std::find(list.begin(), list.end(), n) != list.end(); }

}  // namespace

std::string factorsText(const std::vector<CaseFactor>& parts) {
  std::string text;
  for (const CaseFactor& f : parts)
    text += (text.empty() ? "" : ", ") + std::to_string(f.loadCase) + ":" + numberText(static_cast<float>(f.factor));
  return text;
}

std::optional<std::vector<CaseFactor>> parseFactors(const std::string& text) {
  std::vector<CaseFactor> parts;
  std::stringstream in(text);
  std::string item;
  while (std::getline(in, item, ',')) {
    const std::size_t colon = item.find(':');
    if (colon == std::string::npos) return std::nullopt;
    const std::string caseText = item.substr(0, colon), factorText = item.substr(colon + 1);
    if (!isNumeric(caseText) || !isNumeric(factorText)) return std::nullopt;
    const double n = numericValue(caseText), f = numericValue(factorText);
    if (!(n >= 1 && n <= 999999) || n != std::floor(n) || !(std::fabs(f) <= 100)) return std::nullopt;
    parts.push_back({static_cast<int>(n), f});
  }
  if (parts.empty()) return std::nullopt;
  return parts;
}

LoadCasePanel::LoadCasePanel(Project& project, Prompter& prompter, QWidget* parent)
    : QWidget(parent), project_(project), prompter_(prompter) {
  cases_ = new QTableWidget(this);
  cases_->setObjectName(QStringLiteral("TblCases"));
  cases_->setColumnCount(6);
  cases_->setHorizontalHeaderLabels({QStringLiteral("Case"), QStringLiteral("Title"), QStringLiteral("Type"),
                                     QStringLiteral("Role"), QStringLiteral("Use"), QStringLiteral("1.25 x SBC")});
  cases_->verticalHeader()->hide();
  cases_->horizontalHeader()->setStretchLastSection(true);
  cases_->setSelectionMode(QAbstractItemView::NoSelection);
  cases_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  cases_->setToolTip(QStringLiteral("Untick a case to leave it out; tick \"1.25 x SBC\" for the temporary (wind or "
                                    "seismic) cases that may use the increased soil pressure; the role says whether a "
                                    "case is a primary load, a service or a factored combination"));
  fillCases();

  all_ = button("CmdAllCases", QStringLiteral("Select all"));
  none_ = button("CmdNoCases", QStringLiteral("Select none"));
  range_ = new QLineEdit;
  range_->setObjectName(QStringLiteral("TxtCaseRange"));
  range_->setPlaceholderText(QStringLiteral("e.g. 1-4,101-110"));
  auto* useRange = button("CmdUseRange", QStringLiteral("Use only these"));
  auto* selection = new QHBoxLayout;
  selection->addWidget(all_);
  selection->addWidget(none_);
  selection->addSpacing(12);
  selection->addWidget(new QLabel(QStringLiteral("Cases")));
  selection->addWidget(range_, 1);
  selection->addWidget(useRange);

  combinations_ = new QTableWidget(this);
  combinations_->setObjectName(QStringLiteral("TblCombinations"));
  combinations_->setColumnCount(4);
  combinations_->setHorizontalHeaderLabels({QStringLiteral("Case"), QStringLiteral("Title"), QStringLiteral("Role"),
                                            QStringLiteral("Factors (case:factor, ...)")});
  combinations_->verticalHeader()->hide();
  combinations_->horizontalHeader()->setStretchLastSection(true);
  combinations_->setSelectionBehavior(QAbstractItemView::SelectRows);
  combinations_->setToolTip(QStringLiteral("Combinations added to the listing's cases by superposing the reactions "
                                           "of their cases; edit the factors, add or remove rows"));
  combinations_->hide();
  combine_ = button("CmdCombine", QStringLiteral("Build combinations"));
  add_ = button("CmdAddCombination", QStringLiteral("Add"));
  remove_ = button("CmdRemoveCombination", QStringLiteral("Remove"));
  add_->hide();
  remove_->hide();
  auto* combining = new QHBoxLayout;
  combining->addWidget(combine_);
  combining->addStretch();
  combining->addWidget(add_);
  combining->addWidget(remove_);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(cases_, 1);
  layout->addLayout(selection);
  layout->addLayout(combining);
  layout->addWidget(combinations_, 1);

  connect(all_, &QPushButton::clicked, this, &LoadCasePanel::selectAll);
  connect(none_, &QPushButton::clicked, this, &LoadCasePanel::selectNone);
  connect(useRange, &QPushButton::clicked, this, &LoadCasePanel::useRange);
  connect(range_, &QLineEdit::returnPressed, this, &LoadCasePanel::useRange);
  connect(combine_, &QPushButton::clicked, this, &LoadCasePanel::buildCombinations);
  connect(add_, &QPushButton::clicked, this, &LoadCasePanel::addCombination);
  connect(remove_, &QPushButton::clicked, this, &LoadCasePanel::removeCombination);
  connect(combinations_, &QTableWidget::itemChanged, this, [this] { combinationsShown_ = true; });
}

void LoadCasePanel::fillCases() {
  const std::vector<int> cases = listingLoadCases(project_);
  const std::vector<int> increased = defaultIncreasedCases(project_);
  cases_->setRowCount(static_cast<int>(cases.size()));
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const int row = static_cast<int>(i), n = cases[i];
    auto* use = new QTableWidgetItem;
    use->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
    use->setCheckState(Qt::Checked);
    auto* more = new QTableWidgetItem;
    more->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
    more->setCheckState(contains(increased, n) ? Qt::Checked : Qt::Unchecked);
    const LoadCaseDef* def = findLoadCase(project_.LoadCases, n);
    cases_->setItem(row, CaseNumberColumn, new QTableWidgetItem(QString::number(n)));
    cases_->setItem(row, TitleColumn, new QTableWidgetItem(def ? QString::fromStdString(def->title) : QString()));
    cases_->setItem(row, TypeColumn, new QTableWidgetItem(def ? QString::fromStdString(def->type) : QString()));
    QComboBox* role = roleCombo(false);
    role->setObjectName(QStringLiteral("CmbRole%1").arg(n));
    const std::string_view suggested = roleName(roleOf(project_, n));
    role->setCurrentText(QString::fromLatin1(suggested.data(), static_cast<int>(suggested.size())));
    cases_->setCellWidget(row, RoleColumn, role);
    cases_->setItem(row, UseColumn, use);
    cases_->setItem(row, IncreasedColumn, more);
  }
  cases_->resizeColumnsToContents();
  // Until the engineer ticks the pressure column, it follows the default rule for the cases used.
  connect(cases_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
    if (settingDefaults_) return;
    if (item->column() == IncreasedColumn) increasedTouched_ = true;
    else if (item->column() == UseColumn && !increasedTouched_) followDefaultIncrease();
  });
}

void LoadCasePanel::followDefaultIncrease() {
  const std::vector<int> used = usedCases();
  const std::vector<int> increased = defaultIncreasedCases(project_, used.empty() ? std::vector<int>{-1} : used);
  settingDefaults_ = true;
  for (int row = 0; row < cases_->rowCount(); ++row) {
    const int n = cases_->item(row, CaseNumberColumn)->text().toInt();
    cases_->item(row, IncreasedColumn)->setCheckState(contains(increased, n) ? Qt::Checked : Qt::Unchecked);
  }
  settingDefaults_ = false;
}

QComboBox* LoadCasePanel::roleBox(int row) const { return qobject_cast<QComboBox*>(cases_->cellWidget(row, RoleColumn)); }

std::vector<int> LoadCasePanel::usedCases() const {
  std::vector<int> used;
  for (int row = 0; row < cases_->rowCount(); ++row)
    if (cases_->item(row, UseColumn)->checkState() == Qt::Checked)
      used.push_back(cases_->item(row, CaseNumberColumn)->text().toInt());
  return used;
}

std::vector<int> LoadCasePanel::increasedCases() const {
  std::vector<int> increased;
  for (int row = 0; row < cases_->rowCount(); ++row)
    if (cases_->item(row, UseColumn)->checkState() == Qt::Checked &&
        cases_->item(row, IncreasedColumn)->checkState() == Qt::Checked)
      increased.push_back(cases_->item(row, CaseNumberColumn)->text().toInt());
  std::sort(increased.begin(), increased.end());
  return increased;
}

std::map<int, CaseRole> LoadCasePanel::roles() const {
  std::map<int, CaseRole> roles;
  for (int row = 0; row < cases_->rowCount(); ++row) {
    const int n = cases_->item(row, CaseNumberColumn)->text().toInt();
    const auto role = roleNamed(roleBox(row)->currentText().toStdString());
    if (role && *role != suggestedRole(project_.LoadCases, n)) roles[n] = *role;
  }
  return roles;
}

void LoadCasePanel::setUse(const std::vector<int>& cases) {
  for (int row = 0; row < cases_->rowCount(); ++row)
    cases_->item(row, UseColumn)->setCheckState(
        contains(cases, cases_->item(row, CaseNumberColumn)->text().toInt()) ? Qt::Checked : Qt::Unchecked);
}

void LoadCasePanel::selectAll() { setUse(listingLoadCases(project_)); }

void LoadCasePanel::selectNone() { setUse({}); }

void LoadCasePanel::useRange() {
  std::string reason;
  const auto ranges = parseCaseList(range_->text().trimmed().toStdString(), reason);
  std::optional<std::vector<int>> cases;
  if (ranges) cases = listingCasesIn(project_, *ranges, reason);
  if (!cases) {
    prompter_.message(reason.empty() ? "Give the cases as a list such as 1-4,101-110." : reason, kProgramName);
    return;
  }
  setUse(*cases);
}

void LoadCasePanel::buildCombinations() {
  if (!project_.NonlinearAnalysis.empty() &&
      !prompter_.confirm("The listing's analysis is " + project_.NonlinearAnalysis +
                             ": its reactions do not add up, so combinations built from its primary cases are only "
                             "approximate. Build them all the same?",
                         kProgramName))
    return;
  const std::map<int, CaseRole> kept = project_.CaseRoles;
  project_.CaseRoles = roles();  // the roles as the table shows them, for the combinations' parts
  int highest = 0;
  for (int n : listingLoadCases(project_)) highest = std::max(highest, n);
  for (const LoadCaseDef& def : project_.LoadCases) highest = std::max(highest, def.number);
  const std::vector<Combination> list = standardCombinations(project_, usedCases(), highest);
  project_.CaseRoles = kept;
  if (list.empty()) {
    prompter_.message("No combination can be built: none of the cases used is a dead, imposed, wind or earthquake "
                      "load. Give the primary cases their roles first.",
                      kProgramName);
    return;
  }
  showCombinations(list);
}

void LoadCasePanel::showCombinations(const std::vector<Combination>& list) {
  combinations_->setRowCount(0);
  for (const Combination& c : list) addCombinationRow(c);
  combinations_->resizeColumnsToContents();
  combinations_->show();
  add_->show();
  remove_->show();
  combinationsShown_ = true;
}

void LoadCasePanel::addCombinationRow(const Combination& c) {
  const QSignalBlocker quiet(combinations_);
  const int row = combinations_->rowCount();
  combinations_->insertRow(row);
  combinations_->setItem(row, CombNumberColumn, new QTableWidgetItem(QString::number(c.number)));
  combinations_->setItem(row, CombTitleColumn, new QTableWidgetItem(QString::fromStdString(c.title)));
  QComboBox* role = roleCombo(true);
  const std::string_view name = roleName(c.role);
  role->setCurrentText(QString::fromLatin1(name.data(), static_cast<int>(name.size())));
  combinations_->setCellWidget(row, CombRoleColumn, role);
  combinations_->setItem(row, CombFactorsColumn, new QTableWidgetItem(QString::fromStdString(factorsText(c.parts))));
}

void LoadCasePanel::addCombination() {
  int next = 0;
  for (int n : listingLoadCases(project_)) next = std::max(next, n);
  for (int row = 0; row < combinations_->rowCount(); ++row)
    next = std::max(next, combinations_->item(row, CombNumberColumn)->text().toInt());
  addCombinationRow({next + 1, "", CaseRole::Service, {}});
  combinations_->setCurrentCell(combinations_->rowCount() - 1, CombFactorsColumn);
}

void LoadCasePanel::removeCombination() {
  const int row = combinations_->currentRow();
  if (row >= 0) combinations_->removeRow(row);
}

std::optional<std::vector<Combination>> LoadCasePanel::combinations(std::string& error) const {
  if (!combinationsShown_) return std::nullopt;
  std::vector<Combination> list;
  for (int row = 0; row < combinations_->rowCount(); ++row) {
    Combination c;
    bool ok = false;
    c.number = combinations_->item(row, CombNumberColumn)->text().toInt(&ok);
    const auto parts = parseFactors(combinations_->item(row, CombFactorsColumn)->text().toStdString());
    if (!ok || c.number < 1 || !parts) {
      error = "Combination row " + std::to_string(row + 1) +
              " needs a case number and its factors as case:factor, such as 1:1.5, 2:1.5.";
      return std::nullopt;
    }
    c.parts = *parts;
    c.title = combinations_->item(row, CombTitleColumn)->text().toStdString();
    if (c.title.empty()) c.title = combinationTitle(project_, c.parts);
    const auto* role = qobject_cast<QComboBox*>(combinations_->cellWidget(row, CombRoleColumn));
    c.role = roleNamed(role->currentText().toStdString()).value_or(CaseRole::Service);
    list.push_back(std::move(c));
  }
  return list;
}

}  // namespace plintova
