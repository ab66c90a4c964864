// The main window: start-up and close, the layout of its controls, the commands behind its buttons, and
// the one refresh of every view after a change.
#include "ui/main_window.h"

#include "design/plan_checks.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <algorithm>
#include <cmath>

#include "footing/derived_plan.h"
#include "project/plan_opening.h"
#include "footing/plan_decisions.h"
#include "footing/size_groups.h"
#include "input/layout_file.h"
#include "model/numbers.h"
#include "model/project.h"
#include "model/prompter.h"
#include "ui/column_window.h"
#include "ui/detail_popups.h"
#include "ui/plan_view.h"
#include "ui/schedule_window.h"
#include "ui/size_group_row.h"

namespace plintova {

namespace {

constexpr int kBlinkInterval = 500;   // ms
constexpr int kNoticeTimeout = 8000;  // ms a notice stays in the status bar

QPushButton* commandButton(QWidget* parent, const char* name, const char* caption) {
  auto* b = new QPushButton(QString::fromLatin1(caption), parent);
  b->setObjectName(QString::fromLatin1(name));
  b->setAutoDefault(false);
  b->setFocusPolicy(Qt::TabFocus);
  return b;
}

QCheckBox* displayBox(QWidget* parent, const char* name, const char* caption, bool ticked) {
  auto* c = new QCheckBox(QString::fromLatin1(caption), parent);
  c->setObjectName(QString::fromLatin1(name));
  c->setChecked(ticked);
  c->setFocusPolicy(Qt::TabFocus);
  return c;
}

QFrame* separator(QWidget* parent) {
  auto* line = new QFrame(parent);
  line->setFrameShape(QFrame::VLine);
  line->setFrameShadow(QFrame::Sunken);
  return line;
}

}  // namespace

MainWindow::MainWindow(Project& project, Prompter& prompter, QWidget* parent)
    : QMainWindow(parent, Qt::Window),
      project_(project),
      prompter_(prompter),
      editor_(project, prompter),
      recoveryWriter_([this] { return recoverySnapshot(); }) {
  setObjectName(QStringLiteral("FrmFoot"));
  setWindowTitle(QString::fromLatin1(kProgramName));
  central_ = new QWidget(this);
  central_->setObjectName(QStringLiteral("FrmFootArea"));
  setCentralWidget(central_);
  central_->installEventFilter(this);
  statusBar()->setObjectName(QStringLiteral("StatusBar"));
  buildTopBar();

  plan_ = new PlanView(project_, central_);
  connect(plan_, &PlanView::labelPressed, this, &MainWindow::labelPressed);
  connect(plan_, &PlanView::keyPressed, this, &MainWindow::planKey);
  connect(plan_, &PlanView::wheelNotch, this, &MainWindow::wheelNotch);
  connect(plan_, &PlanView::numberBoxLeft, this, &MainWindow::numberBoxLeft);
  buildMenus();

  // Whether the schedule still holds for the plan, kept in sight while the schedule window is closed.
  scheduleState_ = new QLabel(this);
  scheduleState_->setObjectName(QStringLiteral("LabScheduleState"));
  scheduleState_->setStyleSheet(QStringLiteral("QLabel { color: #a00000; font-weight: bold; }"));
  scheduleState_->setToolTip(QStringLiteral("The plan changed after the schedule was designed: its rows, the "
                                            "drawing and the report wait for Design"));
  scheduleState_->hide();
  statusBar()->addPermanentWidget(scheduleState_);
  // The plan coordinates under the pointer, kept at the right of the status bar.
  auto* cursor = new QLabel(this);
  cursor->setObjectName(QStringLiteral("LabCursor"));
  cursor->setMinimumWidth(cursor->fontMetrics().horizontalAdvance(QStringLiteral("X -999999  Z -999999 mm")));
  statusBar()->addPermanentWidget(cursor);
  connect(plan_, &PlanView::cursorMoved, cursor, [cursor](double x, double z) {
    cursor->setText(QStringLiteral("X %1  Z %2 mm").arg(std::lround(x)).arg(std::lround(z)));
  });
  // The size label of a selected footing keeps its place above the footing at every zoom.
  connect(plan_, &PlanView::viewChanged, this, [this] {
    const int s = plan_->selection().footing;
    if (!plan_->sizeLabel()->isVisible() || s < 1 || s > project_.FootingCount) return;
    const draw::SelectionLabels sel = draw::selectionLabels(project_, s, plan_->digitWidth(), plan_->drawnOutline(s).left);
    plan_->showSizeLabel(sel.sizeLabel, plan_->sizeLabel()->text().toStdString());
  });

  blinkTimer_.setInterval(kBlinkInterval);
  connect(&blinkTimer_, &QTimer::timeout, this, &MainWindow::blink);

  // The detail popups and the schedule window exist from the start, hidden.
  footingPopup_ = new FootingPopup(project_, this);
  combinedPopup_ = new CombinedPopup(project_, this);
  schedule_ = new ScheduleWindow(editor_, this);
  connect(schedule_, &ScheduleWindow::exitRequested, this, &QWidget::close);
  connect(schedule_, &ScheduleWindow::notice, this, [this](const QString& text) {
    statusBar()->showMessage(text, kNoticeTimeout);
  });

  editorSubscription_ = editor_.subscribe([this](const Change& change) { refreshViews(change); });
  editor_.setAfterChange([this] {
    updateEditActions();
    writeRecovery();
  });
  connect(&recoveryWriter_, &RecoveryWriter::failed, this, [this](const QString& reason) {
    statusBar()->showMessage(QStringLiteral("The recovery copy could not be written: %1").arg(reason), kNoticeTimeout);
  });

  groupRow_ = new SizeGroupRow(central_);
  connect(groupRow_, &SizeGroupRow::checkClicked, this, &MainWindow::groupCheckClicked);
  connect(groupRow_, &SizeGroupRow::sizePressed, this, &MainWindow::groupSizePressed);
  connect(groupRow_, &SizeGroupRow::countClicked, this, &MainWindow::groupCountClicked);

  const QRect screen = QApplication::primaryScreen() ? QApplication::primaryScreen()->availableGeometry()
                                                      : QRect(0, 0, 1600, 1000);
  resize(std::min(1440, screen.width() - 40), std::min(900, screen.height() - 60));
  setMinimumSize(480, 420);
}

MainWindow::~MainWindow() = default;

void MainWindow::setDialogs(Dialogs& dialogs) {
  dialogs_ = &dialogs;
  schedule_->setDialogs(dialogs);
}

void MainWindow::buildTopBar() {
  topBar_ = new QWidget(central_);
  topBar_->setObjectName(QStringLiteral("TopBar"));

  QPushButton* combine = commandButton(topBar_, "CmdCombine", "Combine");
  combine->setToolTip(QStringLiteral("Combine the two footings inside the selection window"));
  QPushButton* design = commandButton(topBar_, "CmdDesign", "Design");
  design->setToolTip(QStringLiteral("Design the ticked size groups into the footing schedule"));
  QPushButton* offset = commandButton(topBar_, "CmdOff", "Col Offset");
  offset->setToolTip(QStringLiteral("Offset footings under their columns, storey by storey"));
  QPushButton* refresh = commandButton(topBar_, "CmdReset", "Refresh");
  refresh->setToolTip(QStringLiteral("Size every footing again and redraw"));
  cmdDisable_ = commandButton(topBar_, "CmdDisable", "Disable");
  cmdDisable_->setToolTip(QStringLiteral("While blinking, clicking a footing disables or re-enables it"));
  cmdDisable_->setMinimumWidth(cmdDisable_->sizeHint().width());
  QPushButton* exit = commandButton(topBar_, "Command2", "Exit");
  for (QPushButton* b : {combine, design, offset, refresh, cmdDisable_, exit}) topItems_.push_back(b);
  topItems_.push_back(separator(topBar_));

  chkGrid_ = displayBox(topBar_, "ChkGrid", "Grid Lines", true);
  chkSize_ = displayBox(topBar_, "ChkSize", "Size", false);
  chkFNos_ = displayBox(topBar_, "ChkFNos", "Footing No's", false);
  chkGrpNos_ = displayBox(topBar_, "ChkGrpNos", "Group No's", true);
  chkGap_ = displayBox(topBar_, "ChkGap", "Gap ", false);
  chkGap_->setToolTip(QStringLiteral("Mark footings that overlap or stand closer than 150 mm"));
  chkOsize_ = displayBox(topBar_, "ChkOsize", "Actual Sizes", false);
  chkOsize_->setToolTip(QStringLiteral("Show the required size of every isolated footing as well"));
  for (QCheckBox* c : {chkGrid_, chkSize_, chkFNos_, chkGrpNos_, chkGap_, chkOsize_}) topItems_.push_back(c);

  inputsLabel_ = new QLabel(topBar_);
  inputsLabel_->setObjectName(QStringLiteral("LabFckFySbc"));

  connect(combine, &QPushButton::clicked, this, &MainWindow::cmdCombine);
  connect(design, &QPushButton::clicked, this, &MainWindow::cmdDesign);
  connect(offset, &QPushButton::clicked, this, &MainWindow::openColumnWindow);
  connect(refresh, &QPushButton::clicked, this, &MainWindow::cmdReset);
  connect(cmdDisable_, &QPushButton::clicked, this, &MainWindow::cmdDisable);
  connect(exit, &QPushButton::clicked, this, &QWidget::close);
  for (QCheckBox* c : {chkGrid_, chkSize_, chkGap_, chkOsize_})
    connect(c, &QCheckBox::clicked, this, [this] { redrawPlan(); });
  connect(chkFNos_, &QCheckBox::clicked, this, &MainWindow::footingNosClicked);
  connect(chkGrpNos_, &QCheckBox::clicked, this, &MainWindow::groupNosClicked);
}

QPushButton* MainWindow::button(const char* name) const {
  return findChild<QPushButton*>(QString::fromLatin1(name));
}

ColumnWindow* MainWindow::columnWindow() const { return column_; }

QString MainWindow::statusText() const { return const_cast<MainWindow*>(this)->statusBar()->currentMessage(); }

QCheckBox* MainWindow::checkBox(const char* name) const { return findChild<QCheckBox*>(QString::fromLatin1(name)); }

int MainWindow::groupControlCount() const { return groupRow_->groupCount(); }
QLabel* MainWindow::groupSizeLabel(int g) const { return groupRow_->sizeLabel(g); }
QCheckBox* MainWindow::groupCheck(int g) const { return groupRow_->check(g); }
QLabel* MainWindow::groupCountLabel(int g) const { return groupRow_->countLabel(g); }

draw::PlanOptions MainWindow::planOptions() const {
  draw::PlanOptions o;
  o.size = chkSize_->isChecked();
  o.footingNos = chkFNos_->isChecked();
  o.groupNos = chkGrpNos_->isChecked();
  o.grid = chkGrid_->isChecked();
  o.gap = chkGap_->isChecked();
  o.actualSizes = chkOsize_->isChecked();
  o.labelPointSize = PlanView::kLabelPointSize;
  return o;
}

void MainWindow::redrawPlan() { plan_->drawModel(planOptions()); }

bool MainWindow::load(const SavedProject* saved, const std::string& projectPath, bool recovered) {
  if (loaded_) return true;
  loaded_ = true;
  inputsLabel_->setText(QStringLiteral("Fck  %1 Fy  %2   SBC  %3 Earth Pressure : %4")
                         .arg(QString::fromStdString(numberText(project_.Fck)),
                              QString::fromStdString(numberText(project_.Fe)),
                              QString::fromStdString(numberText(project_.CaseSbc[0])),
                              QString::fromStdString(numberText(project_.EarthPressure))));
  show();
  layoutControls();

  // The plan as the batch tool forms it: sized, the layout file's offsets, a saved project's decisions.
  const FormedPlan formed = formPlan(project_, saved, prompter_);
  if (!formed) {
    prompter_.message(formed.refusal);
    unloaded_ = true;  // nothing of this plan is kept: no layout file is written
    hide();
    return false;
  }
  createGroupControls();
  reportLayoutNotApplied(formed.layoutNotApplied);
  if (saved) reportSavedOpening(*saved, formed, recovered ? std::string() : projectPath);
  // A recovered plan goes on writing the copy it came from; any other plan gets one of its own.
  if (recovered) recovery_.adopt(projectPath);
  else recovery_.startFresh(project_.AnlPath);

  editor_.clearHistory();
  editor_.markSaved();
  if (recovered) editor_.markNeverSaved();
  editor_.announce({true, project_.scheduleDesigned, project_.scheduleDesigned, {}});
  setWindowTitle(QString::fromStdString(projectPath_.empty() ? project_.AnlPath : projectPath_) +
                 QStringLiteral("[*]"));
  updateEditActions();  // the title's "*": work restored from a recovery copy is not saved anywhere
  if (!projectPath_.empty()) rememberRecent(projectPath_);
  else rememberRecent(project_.AnlPath);
  // A project saved with its schedule opens with the schedule window, as it was left.
  if (saved && project_.scheduleDesigned) {
    placeToolWindow(schedule_);
    schedule_->show();
  }
  plan_->setFocus();
  return true;
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!unloaded_) {
    // Every way out with unsaved changes asks first (another listing or project asked already).
    if (!replacing_ && !maybeSave()) {
      event->ignore();
      return;
    }
    finishClose();
    // Every other window goes with the main window.
    if (column_) column_->close();
    schedule_->close();
    footingPopup_->close();
    combinedPopup_->close();
    if (!replacing_) emit closed();
  }
  event->accept();
}

bool MainWindow::commit(const Decisions& next, const std::string& action, const std::string& runKey) {
  return editor_.commit(next, action, runKey);
}

void MainWindow::refreshViews(const Change& change) {
  if (change.plan) {
    // An offset or a design option can change the required sizes and with them the size groups.
    if (groupControlCount() != std::clamp<int>(project_.SizeGroupCount, 0, cap::kSizeGroups)) createGroupControls();
    refreshGroupCaptions();
    redrawPlan();
    refreshPopups();
  }
  showScheduleState();
  // A plan that the plan checks flag says so after what changed it (the outlines show which footings).
  std::string status = change.action;
  if (change.plan)
    if (const std::string flagged = planChecksSummary(planChecks(project_)); !flagged.empty())
      status += (status.empty() ? "" : ". ") + flagged + (flagged.find("overlap") != std::string::npos
                                                              ? ": combine the overlapping footings, or move or resize one"
                                                              : "");
  if (!status.empty()) statusBar()->showMessage(QString::fromStdString(status), kNoticeTimeout);
}

void MainWindow::showScheduleState() {
  const bool stale = project_.scheduleDesigned && project_.scheduleStale;
  if (stale == !scheduleState_->isHidden()) return;
  scheduleState_->setText(QStringLiteral("Schedule out of date: press Design"));
  scheduleState_->setVisible(stale);
}

void MainWindow::refreshPopups() {
  // A popup shows what the model says now, or goes when what it showed is gone.
  if (footingPopup_->isVisible()) {
    const int s = footingPopupOf_;
    if (s >= 1 && s <= project_.FootingCount && project_.FootingTable[s].Kind != FootingKind::Combined) footingPopup_->fill(s);
    else footingPopup_->hide();
  }
  if (combinedPopup_->isVisible()) {
    const int s = combinedPopupOf_;
    if (s >= 1 && s <= project_.FootingCount && project_.FootingTable[s].Kind == FootingKind::Combined)
      combinedPopup_->fill(project_.FootingTable[s].CombinedNo);
    else combinedPopup_->hide();
  }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == central_ && event->type() == QEvent::Resize) {
    layoutControls();
    return false;
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::cmdCombine() {
  const PlanView::Band b = plan_->band();
  const CombineChoice choice = chooseCombinePair(project_, PlanRect{b.x1, b.z1, b.x2, b.z2}, prompter_);
  plan_->eraseBand();
  if (!choice) {
    statusBar()->showMessage(QString::fromStdString(choice.status), kNoticeTimeout);
    return;
  }
  const std::string action = "Combine footings " + numberText(project_.FootingTable[choice.first].JointNo) + " and " +
                             numberText(project_.FootingTable[choice.second].JointNo);
  if (!commit(withCombinedPair(project_, choice.first, choice.second), action)) return;
  plan_->setSizeLabelText(combinedSizeText(project_, project_.FootingTable[choice.first].CombinedNo));
}

void MainWindow::cmdDesign() {
  if (!editor_.design()) return;
  if (!schedule_->isVisible()) placeToolWindow(schedule_);
  schedule_->show();
  schedule_->raise();
  schedule_->activateWindow();
}

void MainWindow::openColumnWindow() {
  if (!column_) {
    column_ = new ColumnWindow(editor_, plan_->selection(), this);
    column_->setAttribute(Qt::WA_DeleteOnClose);
    connect(column_, &ColumnWindow::selectionChanged, this, &MainWindow::columnSelectionChanged);
    connect(column_, &ColumnWindow::closed, this, &MainWindow::columnWindowClosed);
  }
  column_->show();
  column_->raise();
  column_->activateWindow();
}

void MainWindow::cmdReset() { editor_.sizeEveryFooting("Refresh: every footing sized again"); }

void MainWindow::cmdDisable() {
  if (disableMode_) {
    disableMode_ = false;
    blinkTimer_.stop();
    cmdDisable_->setText(QStringLiteral("Disable"));
  } else {
    disableMode_ = true;
    blinkTimer_.start();
  }
}

void MainWindow::blink() {
  cmdDisable_->setText(blinkText_);
  blinkText_ = blinkText_ == QStringLiteral("Disable") ? QString() : QStringLiteral("Disable");
}

void MainWindow::columnSelectionChanged() {
  const int s = plan_->selection().footing;
  if (s >= 1 && s <= project_.FootingCount) showSelection(s);
}

void MainWindow::columnWindowClosed() {
  if (unloaded_) return;
  // The column view ends the selection; the plan already shows where its offsets put the footings.
  plan_->hideSelection();
  redrawPlan();
}

}  // namespace plintova
