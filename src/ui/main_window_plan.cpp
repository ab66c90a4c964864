// The main window's events on the plan and on the group controls: picking, disabling, details, keys,
// the mouse wheel, the display options and the size groups. Each command commits the decisions it
// wants; the views follow from the one refresh.
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <optional>

#include "draw/plan_layout.h"
#include "footing/combined_footings.h"
#include "footing/footing_width.h"
#include "footing/plan_decisions.h"
#include "footing/size_groups.h"
#include "model/numbers.h"
#include "model/project.h"
#include "model/prompter.h"
#include "ui/detail_popups.h"
#include "ui/main_window.h"
#include "ui/plan_view.h"

namespace plintova {

namespace {

Qt::KeyboardModifiers shiftState(Qt::KeyboardModifiers m) {
  return m & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
}

std::string footingName(const Project& p, int s) { return "footing " + numberText(p.FootingTable[s].JointNo); }

// "Resize footing 14 to 1.65 m" or "Resize combined footing C1 to 5.3 m": the length `next` gives.
std::string resizeActionName(const Project& p, const Decisions& next, int s) {
  const int n = p.FootingTable[s].CombinedNo;
  if (n > 0) {
    const std::size_t k = static_cast<std::size_t>(n) - 1;
    const double length = k < next.combined.size() ? double{next.combined[k].length} : 0.0;
    return "Resize combined footing C" + numberText(n) + " to " + numberText(roundTo(length, 2)) + " m";
  }
  double length = 0;
  for (const ResizedFooting& r : next.resized)
    if (r.footing == s) length = r.length;
  return "Resize " + footingName(p, s) + " to " + numberText(length) + " m";
}

}  // namespace

void MainWindow::labelPressed(int s, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
  if (s < 1 || s > project_.FootingCount) return;
  plan_->selection().footing = s;
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
  const FootingRecord& f = project_.FootingTable[s];
  std::string action;
  if (f.Kind == FootingKind::Combined) {
    // A member of a combined footing cannot leave it alone: the combined footing is dissolved, which
    // leaves this footing an ordinary one, and its partner with it.
    prompter_.message(numberText(f.CombinedNo) + " Is Deleting");
    action = "Dissolve combined footing C" + numberText(f.CombinedNo);
  } else if (f.Kind == FootingKind::Disabled) {
    action = "Enable " + footingName(project_, s);
  } else if (f.Kind == FootingKind::HandResized) {
    action = "Square " + footingName(project_, s) + " again";
  } else {
    action = "Disable " + footingName(project_, s);
  }
  commit(withFootingToggled(project_, s), action);
}

void MainWindow::showDetail(int s) {
  const FootingRecord& f = project_.FootingTable[s];
  QWidget* popup;
  if (f.Kind != FootingKind::Combined) {
    footingPopup_->fill(s);
    footingPopupOf_ = s;
    popup = footingPopup_;
  } else {
    combinedPopup_->fill(f.CombinedNo);
    combinedPopupOf_ = s;
    popup = combinedPopup_;
  }
  // Beside the footing it shows, brought to the front (hidden and shown again when it was open).
  popup->hide();
  placePopupBeside(popup, s);
  popup->show();
  popup->raise();
}

void MainWindow::showSelection(int s) {
  const draw::SelectionLabels sel = draw::selectionLabels(project_, s, plan_->digitWidth(), plan_->drawnOutline(s).left);
  plan_->showNumberBox(s, sel.numberText);
  plan_->showSizeLabel(sel.sizeLabel, sel.sizeText);
}

void MainWindow::planKey(int key, Qt::KeyboardModifiers modifiers) {
  if (key == Qt::Key_Escape) {
    // Esc on the plan ends the selection and closes the detail popups.
    plan_->hideSelection();
    footingPopup_->close();
    combinedPopup_->close();
    return;
  }
  if (key != Qt::Key_Delete || shiftState(modifiers) != Qt::ShiftModifier || plan_->bandActive()) return;
  const int s = plan_->selection().footing;
  plan_->hideSelection();
  if (s >= 1 && s <= project_.FootingCount) {
    const FootingRecord& f = project_.FootingTable[s];
    if (f.Kind == FootingKind::HandResized) {
      commit(withResizeCleared(project_, s), "Square " + footingName(project_, s) + " again");
      return;
    }
    if (f.Kind == FootingKind::Combined) {
      prompter_.message(numberText(f.CombinedNo) + " Is Deleting");
      commit(withCombinedDissolved(project_, s), "Dissolve combined footing C" + numberText(f.CombinedNo));
      return;
    }
  }
  redrawPlan();
}

void MainWindow::wheelNotch(int direction) {
  const int s = plan_->selection().footing;
  if (s < 1 || s > project_.FootingCount) return;
  const std::optional<Decisions> next = withResizeStep(project_, s, direction);
  if (!next) return;
  // Notches in quick succession on one footing are one step of the engineer's, named by where it ends.
  if (!commit(*next, resizeActionName(project_, *next, s), "wheel " + std::to_string(s))) return;
  const FootingRecord& f = project_.FootingTable[s];
  if (f.Kind == FootingKind::Combined) {
    plan_->setSizeLabelText(combinedSizeText(project_, f.CombinedNo));
    return;
  }
  const draw::Rect outline = plan_->drawnOutline(s);
  plan_->showSizeLabel({outline.left, outline.top - plan_->textHeight()}, sizeProductText(f.SizeL, f.SizeB));
}

void MainWindow::numberBoxLeft() {
  plan_->hideSelection();
  plan_->selection().footing = 0;
}

void MainWindow::groupCheckClicked(int g, bool checked) {
  const std::string action = std::string(checked ? "Tick" : "Untick") + " size " +
                             numberText(project_.SizeGroupTable[g].GroupSize);
  // A refused change leaves the tick as the groups hold it (the refresh puts it back).
  if (!commit(withGroupChecked(project_, g, checked), action)) refreshGroupCaptions();
}

void MainWindow::groupSizePressed(int g, Qt::KeyboardModifiers modifiers) {
  if (shiftState(modifiers) != Qt::ShiftModifier) return;
  commit(withGroupStepped(project_, g), "Step size " + numberText(project_.SizeGroupTable[g].GroupBaseSize));
}

void MainWindow::groupCountClicked(int g) {
  chkGap_->setChecked(false);
  chkFNos_->setChecked(true);
  chkGrpNos_->setChecked(false);
  redrawPlan();

  const SizeGroupRecord& grp = project_.SizeGroupTable[g];
  std::vector<bool> shown(static_cast<std::size_t>(project_.FootingCount) + 1, false);
  std::string list;
  for (int s = 1; s <= project_.FootingCount; ++s) {
    const FootingRecord& f = project_.FootingTable[s];
    if (f.GroupNo == g && f.Kind == FootingKind::Isolated) {
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
  redrawPlan();
}

void MainWindow::groupNosClicked(bool checked) {
  chkFNos_->setChecked(!checked);
  redrawPlan();
}

}  // namespace plintova
