// The footing schedule window: one line per designed group, with the depth, pedestal and bar edits.
#include "ui/schedule_window.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

#include "design/check_text.h"
#include "design/footing_design.h"
#include "design/pedestal_design.h"
#include "design/pedestals.h"
#include "draw/primitives.h"
#include "model/numbers.h"
#include "model/project.h"
#include "model/prompter.h"
#include "project/plan_editor.h"
#include "project/schedule_design.h"
#include "ui/export_actions.h"
#include "ui/print_actions.h"
#include "ui/schedule_columns.h"
#include "ui/sheet_actions.h"

namespace plintova {

namespace {

// The header band above the scrolling rows: the buttons, the headings over several columns, then every
// column's heading over its unit.
constexpr int kGroupHeadingTop = px(420);
constexpr int kHeaderTop = px(690);
constexpr int kHeadingHeight = px(540);
constexpr int kHeaderHeight = px(1300);
constexpr int kBoxHeight = px(315);
constexpr int kLabelHeight = kBoxHeight;  // as tall as the boxes, so that every text of a row shares its line
constexpr int kButtonWidth = px(1125), kButtonHeight = px(360);
constexpr int kContentWidth = px(21720) + kButtonWidth + 8;
// Top of schedule row r in twips: rows come in pairs 400 twips apart with 600 twips between pairs.
int rowTopTwips(int r) { return 500 * r + (r % 2 == 1 ? 600 : 500); }

// Rows are placed in the scrolling area below the header band, as they stood below the form's 1000
// twips of header.
int rowTop(int r) { return px(rowTopTwips(r)) - px(1000); }

// A heading of the header line: the column's name over its unit, its meaning in the tooltip.
QLabel* plainLabel(QWidget* parent, const char* name, int column) {
  const ColumnPlace& place = kPlaces[static_cast<std::size_t>(column)];
  auto* l = new QLabel(headingText(column), parent);
  l->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
  l->setObjectName(QString::fromLatin1(name));
  l->setToolTip(QString::fromUtf8(columnHeadings()[static_cast<std::size_t>(column)].tip));
  l->setGeometry(px(place.left), kHeaderTop, px(place.width), kHeadingHeight);
  fitHeading(l, column);
  return l;
}

// A heading over the columns first..last, underlined across them.
void groupHeading(QWidget* parent, const ColumnGroupHeading& g) {
  auto* l = new QLabel(QString::fromUtf8(g.text), parent);
  l->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
  l->setStyleSheet(QStringLiteral("QLabel { border-bottom: 1px solid #808080; }"));
  const int left = px(kPlaces[static_cast<std::size_t>(g.first)].left);
  const int right = px(kPlaces[static_cast<std::size_t>(g.last)].left + kPlaces[static_cast<std::size_t>(g.last)].width);
  l->setGeometry(left, kGroupHeadingTop, right - left, kHeaderTop - kGroupHeadingTop);
}

}  // namespace

ScheduleWindow::ScheduleWindow(PlanEditor& editor, QWidget* parent)
    : QWidget(parent, Qt::Window),
      editor_(editor),
      project_(editor.project()),
      prompter_(editor.prompter()) {
  setWindowTitle(QStringLiteral("Footing schedule"));
  setObjectName(QStringLiteral("FrmShd"));
  // Redesigned rows are shown again; a plan change only marks them out of date.
  subscription_ = editor_.subscribe([this](const Change& change) {
    if (change.rows) refresh();
    else if (change.schedule) refreshState();
  });
  QFont font(QStringLiteral("Arial"));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(9.75);
  setFont(font);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  auto* headerClip = new QWidget(this);
  headerClip->setFixedHeight(kHeaderHeight);
  layout->addWidget(headerClip);
  header_ = new QWidget(headerClip);
  header_->resize(kContentWidth, kHeaderHeight);

  area_ = new QScrollArea(this);
  area_->setFrameShape(QFrame::NoFrame);
  area_->setWidgetResizable(false);
  canvas_ = new QWidget;
  canvas_->resize(kContentWidth, 0);
  area_->setWidget(canvas_);
  layout->addWidget(area_, 1);
  // The header line follows the rows sideways, so that every header stays above its column.
  connect(area_->horizontalScrollBar(), &QScrollBar::valueChanged, header_, [this](int v) { header_->move(-v, 0); });

  buildHeader();
  buildButtons();
  layout->addWidget(buildNotes());
  footingRowsHeading_ = new QLabel(QStringLiteral("Hand-resized and combined footings: mark, joints, L X B, depth, "
                                                  "pedestal, net pressure, bars, bar diameter, IS 456 checks"),
                                   canvas_);
  footingRowsHeading_->setObjectName(QStringLiteral("LabFootingRows"));
  QFont headingFont = footingRowsHeading_->font();
  headingFont.setBold(true);
  footingRowsHeading_->setFont(headingFont);
  footingRowsHeading_->adjustSize();
  footingRowsHeading_->hide();

  resize(kContentWidth, kHeaderHeight + px(6600));
}

ScheduleWindow::~ScheduleWindow() = default;

void ScheduleWindow::buildHeader() {
  // The plain labels that stand in for the depth, pedestal and diameter headers once rows exist.
  plainLabel(header_, "Label1", kColDepth);
  plainLabel(header_, "Label2", kColPedestal);
  plainLabel(header_, "Label3", kColDia);
  for (const ColumnGroupHeading& g : kGroupHeadings) groupHeading(header_, g);
  rows_.push_back(makeControls(header_, 0, kHeaderTop));
  for (int c = 0; c < kScheduleColumns; ++c) {
    QWidget* w = cell(0, c);
    w->resize(w->width(), kHeadingHeight);
    if (auto* l = qobject_cast<QLabel*>(w)) l->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    w->setToolTip(QString::fromUtf8(columnHeadings()[static_cast<std::size_t>(c)].tip));
    setCellText(0, c, headingText(c).toStdString());
    fitHeading(w, c);
  }
  // The depth, pedestal and diameter headings are the plain labels: element 0 of those columns is an
  // edit box or a click target, never shown.
  for (int c : {kColDepth, kColPedestal, kColDia}) cell(0, c)->hide();
}

void ScheduleWindow::buildButtons() {
  auto button = [this](const char* name, const QString& caption, int left, int top) {
    auto* b = new QPushButton(caption, header_);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(px(left), px(top), kButtonWidth, kButtonHeight);
    return b;
  };
  excel_ = button("Command1", QStringLiteral("Excel"), 9600, 0);
  print_ = button("CmdP3", QStringLiteral("Print"), 4680, 120);
  report_ = button("CmdReport", QStringLiteral("Report"), 10875, 0);
  exit_ = button("CmdExit2", QStringLiteral("Exit"), 21720, 360);
  connect(excel_, &QPushButton::clicked, this, [this] {
    // The workbook lists the footings of each row by its mark: rows of an older plan would not match.
    if (project_.scheduleStale) {
      prompter_.message("The schedule is out of date: the plan changed after it was designed. Press Design first.");
      return;
    }
    exportWorkbook(project_, prompter_, *dialogs_, this);
  });
  connect(print_, &QPushButton::clicked, this, [this] { printPlanWithDialog(project_, prompter_, *dialogs_, this); });
  connect(exit_, &QPushButton::clicked, this, &ScheduleWindow::exitRequested);
  // The calculation report of this schedule (designed again first, when the engineer agrees, if the
  // plan changed since).
  connect(report_, &QPushButton::clicked, this, [this] {
    std::string path;
    if (exportReport(editor_, *dialogs_, this, &path) == SheetResult::Done)
      emit notice(QStringLiteral("The calculation report was written to %1").arg(QString::fromStdString(path)));
  });
}

QWidget* ScheduleWindow::buildNotes() {
  // Below the rows, where they never hide a header, a button or a row: whether the schedule is out of
  // date, and which rows fail an IS 456 check.
  auto* notes = new QWidget(this);
  auto* notesLayout = new QVBoxLayout(notes);
  notesLayout->setContentsMargins(px(300), 4, 8, 6);
  notesLayout->setSpacing(2);
  stale_ = new QLabel(QStringLiteral("Out of date: the plan changed after this schedule was designed. "
                                     "Press Design to update it."),
                      notes);
  stale_->setObjectName(QStringLiteral("LabOutOfDate"));
  stale_->setStyleSheet(QStringLiteral("QLabel { color: #a00000; font-weight: bold; }"));
  stale_->hide();
  checks_ = new QLabel(notes);
  checks_->setObjectName(QStringLiteral("LabChecks"));
  checks_->setWordWrap(true);
  checks_->hide();
  notesLayout->addWidget(stale_);
  notesLayout->addWidget(checks_);
  return notes;
}

ScheduleWindow::RowControls ScheduleWindow::makeControls(QWidget* parent, int row, int top) {
  RowControls controls{};
  for (int c = 0; c < kScheduleColumns; ++c) {
    const ColumnPlace& place = kPlaces[static_cast<std::size_t>(c)];
    QWidget* w = nullptr;
    if (isEditColumn(c)) {
      auto* edit = new UnitLineEdit(QStringLiteral("m"), parent);
      connect(edit, &QLineEdit::textEdited, edit, [edit, c](const QString& t) { fitWidth(edit, t, c); });
      w = edit;
    } else {
      auto* label = new QLabel(parent);
      label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
      w = label;
    }
    w->setObjectName(QStringLiteral("%1_%2").arg(QString::fromLatin1(place.name)).arg(row));
    w->setGeometry(px(place.left), top, px(place.width), isEditColumn(c) ? kBoxHeight : kLabelHeight);
    w->setProperty("scheduleRow", row);
    w->setProperty("scheduleColumn", c);
    if (isEditColumn(c) || isClickColumn(c)) w->installEventFilter(this);
    controls[static_cast<std::size_t>(c)] = w;
  }
  return controls;
}

void ScheduleWindow::removeRows() {
  for (std::size_t r = 1; r < rows_.size(); ++r)
    for (QWidget* w : rows_[r]) delete w;
  rows_.resize(1);
  canvas_->resize(kContentWidth, 0);
}

void ScheduleWindow::rebuildRows() {
  removeRows();
  const int groups = std::clamp<int>(project_.DesignGroupCount, 0, cap::kSizeGroups);
  const int n = scheduleRowCount(project_);
  // The rows of hand-resized and combined footings follow the group rows under a heading of their own,
  // which takes the place of one row.
  auto top = [groups](int r) { return rowTop(r > groups ? r + 1 : r); };
  for (int r = 1; r <= n; ++r) {
    rows_.push_back(makeControls(canvas_, r, top(r)));
    showRow(r);
    for (QWidget* w : rows_.back()) w->setVisible(!w->property("unused").toBool());
  }
  footingRowsHeading_->setVisible(n > groups);
  footingRowsHeading_->move(px(300), top(groups + 1) - kLabelHeight - 2);
  canvas_->resize(kContentWidth, n > 0 ? top(n) + kBoxHeight + 6 : 0);
  // The header boxes of the editable columns give way to their plain labels.
  rows_[0][kColDepth]->hide();
  rows_[0][kColPedestal]->hide();
  rows_[0][kColDia]->hide();
  showCheckSummary();
  showStale();
}

void ScheduleWindow::refresh() {
  const int n = scheduleRowCount(project_);
  bool sameShape = rowCount() == n;
  for (int r = 1; sameShape && r <= n; ++r)
    sameShape = rows_[static_cast<std::size_t>(r)][kColMark]->property("footingRow").toBool() ==
                (footingRowAt(project_, r) != nullptr);
  if (sameShape) {
    for (int r = 1; r <= n; ++r) showRow(r);
    showCheckSummary();
  } else {
    rebuildRows();
  }
  showStale();
}

void ScheduleWindow::refreshState() {
  showCheckSummary();  // the plan's checks follow the plan
  if (project_.scheduleStale != shownStale_) showStale();
}

bool ScheduleWindow::showsOutOfDate() const { return !stale_->isHidden(); }

void ScheduleWindow::showStale() {
  const bool stale = project_.scheduleStale;
  shownStale_ = stale;
  stale_->setVisible(stale);
  // Rows of an older plan take no edits: an edit would be laid over a design that no longer holds.
  for (int r = 1; r <= rowCount(); ++r) {
    for (int c : {kColDepth, kColPedestal}) {
      auto* edit = qobject_cast<QLineEdit*>(cell(r, c));
      edit->setReadOnly(stale);
      if (stale) editRestored(r, c, edit);
    }
    for (QWidget* w : rows_[static_cast<std::size_t>(r)]) w->setEnabled(!stale);
  }
}

QWidget* ScheduleWindow::cell(int row, int column) const {
  if (row < 0 || row > rowCount() || column < 0 || column >= kScheduleColumns) return nullptr;
  return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

QString ScheduleWindow::cellText(int row, int column) const {
  QWidget* w = cell(row, column);
  if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
  if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
  return {};
}

void ScheduleWindow::setCellText(int row, int column, const std::string& text) {
  QWidget* w = cell(row, column);
  const QString t = QString::fromStdString(text);
  if (auto* l = qobject_cast<QLabel*>(w)) l->setText(t);
  else if (auto* e = qobject_cast<QLineEdit*>(w)) e->setText(t);
  else return;
  fitWidth(w, t, column);
}

void ScheduleWindow::showRow(int row) {
  const FootingRow* footingRow = footingRowAt(project_, row);
  RowControls& controls = rows_[static_cast<std::size_t>(row)];
  controls[kColMark]->setProperty("footingRow", footingRow != nullptr);
  if (!footingRow) {
    const auto texts = scheduleRowTexts(project_, row);
    for (int c = 0; c < kScheduleColumns; ++c) setCellText(row, c, texts[static_cast<std::size_t>(c)]);
    markFailedChecks(row, project_.DesignGroupTable[row].checks);
  } else {
    auto texts = footingRowTexts(project_, *footingRow);
    // The bars in short in the cell, every layer in words in its tooltip.
    const QString layers = QString::fromStdString(texts[kColCantilever]).replace(QStringLiteral("; "), QStringLiteral("\n"));
    texts[kColCantilever] = compactSteelText(*footingRow);
    for (int c = 0; c < kScheduleColumns; ++c) {
      QWidget* w = controls[static_cast<std::size_t>(c)];
      const bool used = c <= kColCantilever || c == kColDia || c == kColSF1;
      w->setProperty("unused", !used);
      if (!used) w->hide();
      setCellText(row, c, texts[static_cast<std::size_t>(c)]);
    }
    // The bars and the checks take the room of the columns they stand over.
    auto span = [&](int column, int toTwips) {
      QWidget* w = controls[static_cast<std::size_t>(column)];
      w->resize(px(toTwips - kPlaces[static_cast<std::size_t>(column)].left) - kColumnGap, w->height());
      w->setToolTip(qobject_cast<QLabel*>(w) ? qobject_cast<QLabel*>(w)->text() : QString());
    };
    // A footing row has no spacing or bar count of its own (each layer has its own): its diameter
    // stands in the bar count's place, so that the bars in short have the room up to it.
    QWidget* dia = controls[kColDia];
    dia->move(px(kPlaces[kColRods].left), dia->y());
    span(kColCantilever, kPlaces[kColRods].left);
    span(kColSF1, kPlaces[kColPS2].left + 1400);
    shrinkToFit(controls[kColCantilever]);
    controls[kColCantilever]->setToolTip(layers);
    // "L X B" is longer than a group's size: a smaller face where the column's room needs it.
    QWidget* size = controls[kColSize];
    size->resize(px(kPlaces[kColDepth].left - kPlaces[kColSize].left) - kColumnGap, size->height());
    shrinkToFit(size);
    markFailedChecks(row, footingRow->checks);
  }
}

void ScheduleWindow::closeEvent(QCloseEvent* event) {
  // Closing with the window frame discards the rows; the next Design command builds them afresh.
  removeRows();
  QWidget::closeEvent(event);
}

}  // namespace plintova
