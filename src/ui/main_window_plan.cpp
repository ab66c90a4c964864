// The main window's events on the plan and on the group controls: picking, disabling, details, keys,
// the mouse wheel, the display options and the size groups.
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <optional>

#include "draw/plan_layout.h"
#include "footing/combined_footings.h"
#include "footing/footing_width.h"
#include "footing/size_groups.h"
#include "model/numbers.h"
#include "model/project.h"
#include "model/prompter.h"
#include "ui/detail_popups.h"
#include "ui/main_window.h"
#include "ui/plan_view.h"

namespace plintova {

namespace {

constexpr int16_t kDisabled = -100;
constexpr int16_t kHandResized = -1;

Qt::KeyboardModifiers shiftState(Qt::KeyboardModifiers m) {
  return m & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
}

}  // namespace

void MainWindow::labelPressed(int s, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
  if (s < 1 || s > project_.FootingCount) return;
  project_.SelectedFooting = static_cast<int16_t>(s);
  if (disableMode_) {
    toggleFooting(s);
    return;
  }
  if (button == Qt::RightButton) {
    if (shiftState(modifiers) == Qt::NoModifier) showDetail(s);
    return;
  }
  if (button == Qt::LeftButton) showSelection(s);
}

void MainWindow::toggleFooting(int s) {
  FootingRecord& f = project_.FootingTable[s];
  if (f.CombNo > 0) {
    // A member of a combined footing cannot leave it alone: the combined footing is dissolved, which
    // leaves this footing an ordinary one, and its partner with it.
    DeleteCombinedFooting(project_, prompter_);
    AssignSizeGroups(project_, prompter_);
    refreshGroupCaptions();
    drawFoot();
    return;
  }
  f.CombNo = f.CombNo != 0 ? int16_t{0} : kDisabled;
  displySRCF1(s);
  AssignSizeGroups(project_, prompter_);
  refreshGroupCaptions();
}

void MainWindow::showDetail(int s) {
  const FootingRecord& f = project_.FootingTable[s];
  QWidget* popup;
  if (f.CombNo <= 0) {
    footingPopup_->fill(s);
    popup = footingPopup_;
  } else {
    combinedPopup_->fill(f.CombNo);
    popup = combinedPopup_;
  }
  if (!popupsPlaced_) {
    placeBeside(footingPopup_, false);
    placeBeside(combinedPopup_, false);
    popupsPlaced_ = true;
  }
  // Hidden and shown again: an open popup comes to the front.
  popup->hide();
  popup->show();
  popup->raise();
}

void MainWindow::showSelection(int s) {
  const draw::SelectionLabels sel = draw::selectionLabels(project_, s, plan_->nineWidth());
  plan_->showNumberBox(s, sel.numberText);
  plan_->showSizeLabel(sel.sizeLabel, sel.sizeText);
}

void MainWindow::planKey(int key, Qt::KeyboardModifiers modifiers) {
  if (key == Qt::Key_Escape) {
    plan_->hideSelection();
    return;
  }
  if (key != Qt::Key_Delete || shiftState(modifiers) != Qt::ShiftModifier || plan_->bandActive()) return;
  const int s = project_.SelectedFooting;
  if (s >= 1 && s <= project_.FootingCount) {
    FootingRecord& f = project_.FootingTable[s];
    if (f.CombNo == kHandResized) {
      f.CombNo = 0;
      f.SizeL = f.ReqSize;
      f.SizeB = f.ReqSize;
    } else if (f.CombNo > 0) {
      DeleteCombinedFooting(project_, prompter_);
    }
  }
  plan_->hideSelection();
  drawFoot();
}

void MainWindow::wheelNotch(int direction) {
  const int s = project_.SelectedFooting;
  if (s < 1 || s > project_.FootingCount) return;
  const bool combined = project_.FootingTable[s].CombNo > 0;
  const std::string size = resizeFooting(project_, s, direction, prompter_);
  if (size.empty()) return;
  if (!combined) refreshGroupCaptions();
  drawFoot();
  if (combined) {
    plan_->setSizeLabelText(size);
    return;
  }
  const FootingRecord& f = project_.FootingTable[s];
  plan_->showSizeLabel({f.DrawX1, f.DrawZ1 - plan_->textHeight()}, size);
}

void MainWindow::numberBoxLeft() {
  plan_->hideSelection();
  project_.SelectedFooting = 0;
}

void MainWindow::groupCheckClicked(int g, bool checked) {
  SizeGroupRecord& grp = project_.SizeGroupTable[g];
  grp.Checked = checked;
  if (!AssignSizeGroups(project_, prompter_)) {
    // The assignment was refused and nothing moved: the tick goes back to what the groups hold.
    grp.Checked = !checked;
    groupCheck(g)->setChecked(!checked);
  }
  refreshGroupCaptions();
  drawFoot();
}

void MainWindow::groupSizePressed(int g, Qt::KeyboardModifiers modifiers) {
  if (shiftState(modifiers) != Qt::ShiftModifier) return;
  stepGroupSize(project_, g, prompter_);
  refreshGroupCaptions();
  drawFoot();
}

void MainWindow::groupCountClicked(int g) {
  chkGap_->setChecked(false);
  chkFNos_->setChecked(true);
  chkGrpNos_->setChecked(false);
  drawFoot();

  const SizeGroupRecord& grp = project_.SizeGroupTable[g];
  std::vector<bool> shown(static_cast<std::size_t>(project_.FootingCount) + 1, false);
  std::string list;
  for (int s = 1; s <= project_.FootingCount; ++s) {
    const FootingRecord& f = project_.FootingTable[s];
    if (f.GroupNo == g && f.CombNo == 0) {
      list += numberText(f.JointNo) + "   ";
      shown[static_cast<std::size_t>(s)] = true;
    }
  }
  // While the list is read, the plan shows only this group's footing numbers.
  plan_->showOnlyLabels(shown);
  prompter_.message("F" + numberText(grp.GroupMark) + "    " + numberText(grp.GroupSize) + " X " +
                    numberText(grp.GroupSize) + " M" + "\r\r" + list);
  plan_->showOnlyLabels(std::nullopt);
}

void MainWindow::footingNosClicked(bool checked) {
  chkGrpNos_->setChecked(!checked);
  drawFoot();
}

void MainWindow::groupNosClicked(bool checked) {
  chkFNos_->setChecked(!checked);
  drawFoot();
}

}  // namespace plintova
