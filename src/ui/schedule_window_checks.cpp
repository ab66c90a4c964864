// The schedule window's IS 456 checks: each failed check marks the cell of its quantity, with the
// check's demand and capacity in its tooltip, and a line below the rows names the rows that fail.
#include <QLabel>
#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "design/check_text.h"
#include "design/schedule.h"
#include "model/project.h"
#include "design/plan_checks.h"
#include "project/schedule_design.h"
#include "ui/schedule_window.h"

namespace plintova {

namespace {

// The column whose quantity a check of a group row is about: the pressure for bearing, the depth for
// the edge depth and for overturning (the footing's weight resists it), the bar diameter for anchorage;
// a check without a column of its own marks the row's mark.
int checkColumn(CheckKind kind) {
  switch (kind) {
    case CheckKind::Bearing:
    case CheckKind::ColumnBaseBearing:
    case CheckKind::PedestalBaseBearing: return kColNetP;
    case CheckKind::Bending:
    case CheckKind::SteelForBending: return kColMuBdd;
    case CheckKind::OneWayShear: return kColSS1;
    case CheckKind::Punching: return kColSS2;
    case CheckKind::MinimumSteel: return kColPt;
    case CheckKind::BarSpacing:
    case CheckKind::LeastBarSpacing:
    case CheckKind::PedestalBarSpacing: return kColSpace;
    case CheckKind::EdgeDepth:
    case CheckKind::Overturning: return kColDepth;
    case CheckKind::DevelopmentLength:
    case CheckKind::DowelDevelopment: return kColDia;
    default: return kColMark;
  }
}
}  // namespace

void ScheduleWindow::markFailedChecks(int row, const std::vector<CodeCheck>& checks) {
  // Each failed check marks the cell of its quantity. The cell's tooltip gives that check first, then
  // the row's other failed checks; a row of a hand-resized or combined footing marks its checks cell,
  // whose tooltip lists every check, the failed ones first.
  const bool footingRow = footingRowAt(project_, row) != nullptr;
  std::array<std::vector<const CodeCheck*>, kScheduleColumns> failedIn;
  for (const CodeCheck& c : checks)
    if (!c.ok) failedIn[static_cast<std::size_t>(footingRow ? kColSF1 : checkColumn(c.kind))].push_back(&c);
  for (int column = 0; column < kScheduleColumns; ++column) {
    const auto& own = failedIn[static_cast<std::size_t>(column)];
    std::string reason;
    auto add = [&reason](const CodeCheck& c) { reason += (reason.empty() ? "" : "\n") + checkLineText(c); };
    for (const CodeCheck* c : own) add(*c);
    if (!own.empty())
      for (const CodeCheck& c : checks)
        if (!c.ok && std::find(own.begin(), own.end(), &c) == own.end()) add(c);
    QWidget* w = cell(row, column);
    w->setProperty("failedCheck", !reason.empty());
    w->setStyleSheet(reason.empty() ? QString() : QStringLiteral("color: #c00000; font-weight: bold;"));
    if (!reason.empty()) w->setToolTip(QString::fromStdString(reason));
    else if (column != kColCantilever || !footingRow) w->setToolTip(QString());
  }
  if (footingRow) cell(row, kColSF1)->setToolTip(QString::fromStdString(checksText(checks)));
}

void ScheduleWindow::showCheckSummary() {
  QString failed;
  int count = 0;
  for (int r = 1; r <= scheduleRowCount(project_); ++r) {
    const FootingRow* row = footingRowAt(project_, r);
    const std::vector<CodeCheck>& checks = row ? row->checks : project_.DesignGroupTable[r].checks;
    const std::string summary = checksSummary(checks);
    if (summary == "OK") continue;
    ++count;
    const std::string mark = row ? row->mark() : scheduleRowTexts(project_, r)[kColMark];
    failed += (failed.isEmpty() ? QString() : QStringLiteral("; ")) + QString::fromStdString(mark + " " + summary.substr(7));
  }
  QString text = count == 0 ? QStringLiteral("Every row passes its IS 456 checks.")
                             : QStringLiteral("%1 of %2 rows fail an IS 456 check: %3")
                                   .arg(count)
                                   .arg(scheduleRowCount(project_))
                                   .arg(failed);
  // The plan's own checks: footings that overlap or stand too close, pedestals that do not fit.
  const std::vector<PlanCheck> plan = planChecks(project_);
  for (const PlanCheck& c : plan) text += QStringLiteral("\n") + QString::fromStdString(c.message);
  checks_->setText(text);
  checks_->setStyleSheet(count == 0 && plan.empty() ? QStringLiteral("QLabel { color: #006000; }")
                                                    : QStringLiteral("QLabel { color: #c00000; font-weight: bold; }"));
  checks_->setVisible(scheduleRowCount(project_) > 0);
}

}  // namespace plintova
