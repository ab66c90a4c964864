// The recovery dialog: every copy left by a run that did not end normally, with its listing, time and
// what it holds; the engineer opens one, deletes the ones ticked, or keeps them all.
#include "ui/recovery_dialog.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace plintova {

RecoveryDialog::RecoveryDialog(const std::vector<RecoveryCopy>& copies, QWidget* parent)
    : QDialog(parent), copies_(copies) {
  setWindowTitle(QStringLiteral("Recovery"));
  auto* layout = new QVBoxLayout(this);
  auto* text = new QLabel(QStringLiteral(
      "Plintova did not end normally while these plans were open. Their work since the last save is kept "
      "in a recovery copy each.\nOpen one to go on with it, tick the ones to delete, or keep them all for "
      "a later start."));
  text->setWordWrap(true);
  layout->addWidget(text);

  list_ = new QTreeWidget;
  list_->setObjectName(QStringLiteral("RecoveryList"));
  list_->setHeaderLabels({QStringLiteral("Listing (tick to delete)"), QStringLiteral("Saved"),
                          QStringLiteral("Holds")});
  list_->setRootIsDecorated(false);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  for (const RecoveryCopy& c : copies_) {
    const QString listing = c.listing.empty() ? QFileInfo(QString::fromStdString(c.path)).fileName()
                                              : QFileInfo(QString::fromStdString(c.listing)).fileName();
    auto* item = new QTreeWidgetItem(list_, {listing, QString::fromStdString(c.savedAt), QString::fromStdString(c.holds)});
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(ListingColumn, Qt::Unchecked);
    item->setToolTip(ListingColumn, QString::fromStdString(c.listing.empty() ? c.path : c.listing));
    item->setToolTip(HoldsColumn, QString::fromStdString(c.holds));
    if (!c.usable) item->setForeground(HoldsColumn, palette().color(QPalette::Disabled, QPalette::Text));
  }
  list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  list_->header()->setStretchLastSection(true);
  if (!copies_.empty()) list_->setCurrentItem(list_->topLevelItem(0));
  layout->addWidget(list_);

  auto* buttons = new QDialogButtonBox;
  open_ = buttons->addButton(QStringLiteral("&Open"), QDialogButtonBox::AcceptRole);
  delete_ = buttons->addButton(QStringLiteral("&Delete ticked"), QDialogButtonBox::DestructiveRole);
  keep_ = buttons->addButton(QStringLiteral("&Keep all"), QDialogButtonBox::RejectRole);
  open_->setObjectName(QStringLiteral("RecoveryOpen"));
  delete_->setObjectName(QStringLiteral("RecoveryDelete"));
  keep_->setObjectName(QStringLiteral("RecoveryKeep"));
  layout->addWidget(buttons);

  connect(open_, &QPushButton::clicked, this, [this] {
    choice_ = {RecoveryChoice::Action::Open, list_->indexOfTopLevelItem(list_->currentItem()), {}};
    accept();
  });
  connect(delete_, &QPushButton::clicked, this, [this] {
    choice_ = {RecoveryChoice::Action::Delete, -1, ticked()};
    accept();
  });
  connect(keep_, &QPushButton::clicked, this, [this] {
    choice_ = {};
    reject();
  });
  // A double-click opens a copy that can be opened, as Open does.
  connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] {
    if (open_->isEnabled()) open_->click();
  });
  connect(list_, &QTreeWidget::currentItemChanged, this, &RecoveryDialog::updateButtons);
  connect(list_, &QTreeWidget::itemChanged, this, &RecoveryDialog::updateButtons);
  updateButtons();
  resize(760, 120 + 28 * static_cast<int>(std::min<std::size_t>(copies_.size(), 10)));
}

std::vector<int> RecoveryDialog::ticked() const {
  std::vector<int> rows;
  for (int i = 0; i < list_->topLevelItemCount(); ++i)
    if (list_->topLevelItem(i)->checkState(ListingColumn) == Qt::Checked) rows.push_back(i);
  return rows;
}

void RecoveryDialog::updateButtons() {
  // Only a copy that can be opened is offered for opening; any copy can be deleted.
  const int current = list_->indexOfTopLevelItem(list_->currentItem());
  open_->setEnabled(current >= 0 && copies_[static_cast<std::size_t>(current)].usable);
  delete_->setEnabled(!ticked().empty());
}

RecoveryChooser desktopRecoveryChooser() {
  return [](QWidget* parent, const std::vector<RecoveryCopy>& copies) {
    RecoveryDialog dialog(copies, parent);
    dialog.exec();
    return dialog.choice();
  };
}

}  // namespace plintova
