// The "Design options" dialog.
#include "ui/design_options_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <limits>

#include "model/numbers.h"
#include "model/prompter.h"

namespace plintova {

DesignOptionsDialog::DesignOptionsDialog(const DesignOptions& options, Prompter& prompter, QWidget* parent)
    : QDialog(parent), prompter_(prompter), options_(options) {
  setObjectName(QStringLiteral("DesignOptions"));
  setWindowTitle(QStringLiteral("Design options"));
  auto* grid = new QGridLayout;
  int line = 0;
  for (const DesignOptionRow& row : designOptionRows()) {
    auto* label = new QLabel(QString::fromUtf8(row.label));
    auto* box = new QLineEdit;
    box->setObjectName(QStringLiteral("TxtOption_") + QString::fromLatin1(row.key));
    box->setToolTip(QString::fromUtf8(row.basis));
    if (row.optional) box->setPlaceholderText(QStringLiteral("none"));
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("00000.000")) + 16);
    auto* unit = new QLabel(QString::fromUtf8(row.unit));
    auto* range = new QLabel(QString::fromStdString(optionRangeText(row)));
    range->setEnabled(false);  // a hint, shown dimmed
    grid->addWidget(label, line, 0);
    grid->addWidget(box, line, 1);
    grid->addWidget(unit, line, 2);
    grid->addWidget(range, line, 3);
    fields_.push_back(box);
    ++line;
  }
  {
    auto* box = new QLineEdit;
    diameters_ = box;
    box->setObjectName(QStringLiteral("TxtOption_") + QString::fromLatin1(kBarDiametersKey));
    box->setToolTip(QStringLiteral("each row takes the smallest of these whose spacing fits its limits"));
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("10, 12, 16, 20, 25, 32")) + 16);
    auto* range = new QLabel(QStringLiteral("any of %1 to %2").arg(kSmallestBarDia).arg(kLargestBarDia));
    range->setEnabled(false);
    grid->addWidget(new QLabel(QStringLiteral("Bar diameters")), line, 0);
    grid->addWidget(box, line, 1);
    grid->addWidget(new QLabel(QStringLiteral("mm")), line, 2);
    grid->addWidget(range, line, 3);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  ok_->setObjectName(QStringLiteral("CmdOK"));
  defaults_ = buttons->addButton(QStringLiteral("Defaults"), QDialogButtonBox::ResetRole);
  defaults_->setObjectName(QStringLiteral("CmdDefaults"));
  connect(ok_, &QPushButton::clicked, this, &DesignOptionsDialog::takeValues);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(defaults_, &QPushButton::clicked, this, [this] { showOptions(DesignOptions{}); });
  auto* note = new QLabel(QStringLiteral(
      "The options size every footing again: unit weights and water table for uplift and stability, the factors "
      "against uplift, overturning and sliding, the increase of SBC for wind and earthquake cases, and the height "
      "of the support point above the footing's underside (0 takes the reactions' moments at the underside). The "
      "cover, the bar diameters, spacings, pedestal margin and footing projection shape every row's section, and "
      "the clear gap flags footings that stand too close. The dowels, the pedestal's cover and the radius of bends "
      "shape the pedestals and the bar bending schedule; the lean-concrete bed is drawn in the sections and counted "
      "in the quantities."));
  note->setWordWrap(true);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(note);
  layout->addLayout(grid);
  layout->addWidget(buttons);
  showOptions(options);
}

QLineEdit* DesignOptionsDialog::field(const std::string& key) const {
  const auto& rows = designOptionRows();
  for (std::size_t i = 0; i < rows.size(); ++i)
    if (key == rows[i].key) return fields_[i];
  return key == kBarDiametersKey ? diameters_ : nullptr;
}

void DesignOptionsDialog::showOptions(const DesignOptions& o) {
  const auto& rows = designOptionRows();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const std::optional<double> v = optionValue(o, rows[i]);
    fields_[i]->setText(v ? QString::fromStdString(numberText(*v)) : QString());
  }
  diameters_->setText(QString::fromStdString(barDiametersText(o.barDiameters)));
}

void DesignOptionsDialog::takeValues() {
  DesignOptions next = options_;
  std::vector<std::string> refused;
  const auto& rows = designOptionRows();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const std::string text = fields_[i]->text().trimmed().toStdString();
    std::optional<double> v;
    if (!text.empty()) v = isNumeric(text) ? numericValue(text) : std::numeric_limits<double>::quiet_NaN();
    if (const std::string problem = optionProblem(rows[i], v, text.empty() ? "none" : "\"" + text + "\"");
        !problem.empty()) {
      refused.push_back(problem);
      continue;
    }
    setOptionValue(next, rows[i], v);
  }
  const std::string text = diameters_->text().trimmed().toStdString();
  const std::optional<std::vector<int>> dias = parseBarDiameters(text);
  if (const std::string problem = barDiametersProblem(dias.value_or(std::vector<int>{})); !problem.empty())
    refused.push_back(dias ? problem : std::string(kBarDiametersKey) + " \"" + text + "\" is not a list of diameters in mm");
  else next.barDiameters = *dias;
  if (!refused.empty()) {
    prompter_.messageList("These design options are not taken; correct them or press Cancel.", refused,
                          "Design options");
    return;
  }
  options_ = next;
  accept();
}

}  // namespace plintova
