// The schedule window's answers to the engineer: a click on a mark, a count or a diameter, a depth or
// pedestal typed and confirmed with Enter (or restored with Esc or by leaving the box).
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <algorithm>
#include <optional>

#include "design/check_text.h"
#include "design/footing_design.h"
#include "design/pedestal_design.h"
#include "design/pedestals.h"
#include "model/numbers.h"
#include "model/project.h"
#include "model/prompter.h"
#include "project/plan_editor.h"
#include "project/schedule_design.h"
#include "ui/schedule_columns.h"
#include "ui/schedule_window.h"

namespace plintova {

bool ScheduleWindow::eventFilter(QObject* watched, QEvent* event) {
  auto* w = qobject_cast<QWidget*>(watched);
  if (!w || !w->property("scheduleRow").isValid()) return QWidget::eventFilter(watched, event);
  const int row = w->property("scheduleRow").toInt();
  const int column = w->property("scheduleColumn").toInt();

  if (auto* edit = qobject_cast<QLineEdit*>(w); edit && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      editEntered(row, column, edit);
      return true;
    }
    if (key == Qt::Key_Escape) {
      editRestored(row, column, edit);
      return true;
    }
    return false;  // ordinary typing
  }
  if (auto* edit = qobject_cast<QLineEdit*>(w); edit && event->type() == QEvent::FocusOut && row >= 1) {
    // Text typed but not confirmed with Enter is not the row's value: the box shows the value again.
    editRestored(row, column, edit);
    return false;
  }
  if (event->type() == QEvent::MouseButtonRelease) {
    auto* m = static_cast<QMouseEvent*>(event);
    // A click: the left button released over the control that it was pressed on.
    if (m->button() == Qt::LeftButton && w->rect().contains(m->position().toPoint())) labelClicked(row, column);
  }
  return QWidget::eventFilter(watched, event);
}

void ScheduleWindow::labelClicked(int row, int column) {
  if (row < 0 || row > rowCount()) return;
  if (const FootingRow* footingRow = footingRowAt(project_, row)) {
    footingRowClicked(row, *footingRow, column);
    return;
  }
  const SizeGroupRecord& rec = project_.DesignGroupTable[row];
  switch (column) {
    case kColMark: {
      // The footing and the load case that gave the row's net pressure, as the listing numbers them.
      const int s = rec.GovFooting;
      if (row == 0 || s < 1 || s > project_.FootingCount) {
        prompter_.message("No footing governs this row.");
        break;
      }
      prompter_.message("F" + numberText(rec.GroupMark) + ": the net pressure " + numberText(rec.NetPressure) +
                        " kN/m2 comes from joint " + numberText(project_.FootingTable[s].JointNo) + ", load case " +
                        numberText(project_.ReactionTable(s, rec.GovCase, 1)) + ".");
      break;
    }
    case kColNos: {
      if (row == 0) break;
      // One message with every footing of the row, by joint number.
      const int n = std::clamp<int>(rec.MemberCount, 0, cap::kGroupMembers);
      std::string list;
      for (int i = 1; i <= n; ++i) {
        const int s = rec.Members[i];
        if (s >= 1 && s <= project_.FootingCount) list += numberText(project_.FootingTable[s].JointNo) + "   ";
      }
      prompter_.message("F" + numberText(rec.GroupMark) + "    " + numberText(rec.GroupSize) + " X " +
                        numberText(rec.GroupSize) + " M" + "\r\r" + list);
      break;
    }
    case kColDia:
      if (project_.scheduleStale || row == 0) break;
      if (const auto next = withScheduleEdit(project_, row, ScheduleField::BarDia))
        editor_.commit(*next, "Bar diameter of F" + numberText(rec.GroupMark));
      break;
    default:
      break;
  }
}

void ScheduleWindow::editEntered(int row, int column, QLineEdit* edit) {
  const std::string text = edit->text().toStdString();
  if (project_.scheduleStale) return;
  std::optional<Decisions> next;
  if (column == kColDepth && isNumeric(text)) next = withScheduleEdit(project_, row, ScheduleField::Depth, numericValue(text));
  else if (column == kColPedestal)
    if (const auto sides = parsePedestalText(text)) next = withPedestalEdit(project_, row, *sides);
  const FootingRow* footingRow = footingRowAt(project_, row);
  const std::string mark = footingRow ? footingRow->mark() : "F" + numberText(project_.DesignGroupTable[row].GroupMark);
  const std::string what = column == kColDepth ? "Depth" : "Pedestal";
  if (!next || !editor_.commit(*next, what + " of " + mark)) {
    editRestored(row, column, edit);
    return;
  }
  // A depth the row does not use as typed is explained: raised for bending, or deepened for shear.
  if (column == kColDepth)
    if (const std::string note = typedDepthNote(project_, row, numericValue(text)); !note.empty()) prompter_.message(note);
}

void ScheduleWindow::footingRowClicked(int row, const FootingRow& footingRow, int column) {
  if (column == kColMark) {
    // What governs the row, and every check with its clause.
    std::string text = footingRow.mark() + " (" + numberText(footingRow.L) + " X " + numberText(footingRow.B) + " m)";
    const int s = footingRow.GovFooting;
    if (s >= 1 && s <= project_.FootingCount)
      text += ": the net pressure " + numberText(footingRow.NetPressure) + " kN/m2 comes from joint " +
              numberText(project_.FootingTable[s].JointNo) + ", load case " +
              numberText(project_.ReactionTable(s, footingRow.GovCase, 1)) + ".";
    for (const SteelLayer& layer : footingRow.steel) text += "\r" + layer.where + ": " + barsText(layer);
    for (const PedestalSteel& pedestal : footingRow.pedestals) text += "\r" + pedestalText(pedestal);
    text += "\r" + checksText(footingRow.checks);
    prompter_.message(text);
  } else if (column == kColDia && !project_.scheduleStale) {
    if (const auto next = withScheduleEdit(project_, row, ScheduleField::BarDia))
      editor_.commit(*next, "Bar diameter of " + footingRow.mark());
  }
}

void ScheduleWindow::editRestored(int row, int column, QLineEdit* edit) {
  double depth = 0;
  PedestalSides pedestal;
  if (const FootingRow* footingRow = footingRowAt(project_, row)) {
    depth = footingRow->TotalDepth;
    pedestal = footingRow->Pedestal;
  } else {
    depth = project_.DesignGroupTable[row].TotalDepth;
    pedestal = project_.DesignGroupTable[row].Pedestal;
  }
  const QString t = QString::fromStdString(column == kColDepth ? numberText(depth) : pedestalText(pedestal));
  edit->setText(t);
  fitWidth(edit, t, column);
}

}  // namespace plintova
