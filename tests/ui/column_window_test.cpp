// The column layout window driven by mouse and keys: picking, offset steps, storeys, reset and close.
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

#include "designed_frame_support.h"
#include "ui/column_window.h"
#include "ui/plan_view.h"

using namespace plintova;

class ColumnWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    prompter = RecordingPrompter();
    project = uitest::designedFrame(prompter);
    selection = FootingSelection();
    editor = std::make_unique<PlanEditor>(*project, prompter);
    window = std::make_unique<ColumnWindow>(*editor, selection);
    window->resize(900, 640);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
  }
  void cleanup() { window.reset(); }

  void clickingAMarkerSelectsItsFooting() {
    QSignalSpy spy(window.get(), &ColumnWindow::selectionChanged);
    clickMarker(10);
    QCOMPARE(selection.footing, 10);
    QCOMPARE(spy.count(), 1);
    clickMarker(1);
    QCOMPARE(selection.footing, 1);
    // Empty paper between the columns picks nothing and keeps the selection.
    QTest::mouseClick(window.get(), Qt::LeftButton, {}, window->toDevice(2500, 2750).toPoint());
    QCOMPARE(selection.footing, 1);
    QCOMPARE(spy.count(), 2);
  }

  void arrowKeysStepTheOffsetOfTheColumnWithinOneStep() {
    // Footing 1 stands on a column turned by 90 degrees, 450 mm along Z and 300 mm along X: a shift
    // of 450 / 2 - 115 = 110 mm along Z and 300 / 2 - 115 = 35 mm along X.
    const FootingRecord& f = project->FootingTable[1];
    const auto& section = project->ColumnSectionTable[f.ColumnMember];
    QCOMPARE(section[3], 450);
    QCOMPARE(section[4], 300);
    const draw::Rect centred = window->markerRect(1);
    clickMarker(1);

    struct Step {
      Qt::Key key;
      int ox, oz, dx, dz;
    };
    const Step steps[] = {
        {Qt::Key_Right, 1, 0, 35, 0},     {Qt::Key_Right, 1, 0, 35, 0},    {Qt::Key_Left, 0, 0, 0, 0},
        {Qt::Key_Left, -1, 0, -35, 0},    {Qt::Key_Left, -1, 0, -35, 0},   {Qt::Key_Up, -1, -1, -35, -110},
        {Qt::Key_Up, -1, -1, -35, -110},  {Qt::Key_Down, -1, 0, -35, 0},   {Qt::Key_Down, -1, 1, -35, 110},
        {Qt::Key_Down, -1, 1, -35, 110},  {Qt::Key_Home, 0, 0, 0, 0},
    };
    for (const Step& s : steps) {
      QTest::keyClick(window.get(), s.key);
      QCOMPARE(f.OffsetX, s.ox);
      QCOMPARE(f.OffsetZ, s.oz);
      QCOMPARE(f.PosX - f.ColumnX, s.dx);
      QCOMPARE(f.PosZ - f.ColumnZ, s.dz);
    }
    // The marker moves half its size towards the shift.
    QTest::keyClick(window.get(), Qt::Key_Right);
    const draw::Rect shifted = window->markerRect(1);
    QCOMPARE(shifted.left - centred.left, (centred.right - centred.left) / 2);
    QCOMPARE(shifted.top, centred.top);
    // Only the selected footing moved.
    QCOMPARE(project->FootingTable[2].PosX, project->FootingTable[2].ColumnX);
  }

  void footingsWithoutSelectionOrColumnSectionStayPut() {
    QTest::keyClick(window.get(), Qt::Key_Right);  // nothing picked
    for (int s = 1; s <= project->FootingCount; ++s) QCOMPARE(project->FootingTable[s].OffsetX, 0);

    FootingRecord& f = project->FootingTable[7];
    project->ColumnSectionTable[f.ColumnMember][4] = 0;  // the column's section is unknown
    clickMarker(7);
    QTest::keyClick(window.get(), Qt::Key_Down);
    QCOMPARE(f.OffsetZ, 0);
    QCOMPARE(f.PosZ, f.ColumnZ);
    f.ColumnMember = 0;  // no column found on the support
    QTest::keyClick(window.get(), Qt::Key_Left);
    QCOMPARE(f.OffsetX, 0);
  }

  void pageKeysChangeTheStoreyWithinTheBuilding() {
    const int top = static_cast<int>(project->LevelY[0]);
    QVERIFY(top >= 4);
    QCOMPARE(window->level(), 2);
    QTest::keyClick(window.get(), Qt::Key_PageDown);
    QCOMPARE(window->level(), 2);
    for (int i = 0; i < top + 2; ++i) QTest::keyClick(window.get(), Qt::Key_PageUp);
    QCOMPARE(window->level(), top);
    QTest::keyClick(window.get(), Qt::Key_PageDown);
    QCOMPARE(window->level(), top - 1);
  }

  void shiftDeletePutsEveryFootingBackUnderItsColumn() {
    for (int s : {1, 12, 40}) {
      clickMarker(s);
      QTest::keyClick(window.get(), Qt::Key_Right);
      QTest::keyClick(window.get(), Qt::Key_Down);
    }
    QCOMPARE(project->FootingTable[12].OffsetX, 1);
    QTest::keyClick(window.get(), Qt::Key_Delete);  // without Shift: nothing
    QCOMPARE(project->FootingTable[12].OffsetX, 1);
    QTest::keyClick(window.get(), Qt::Key_Delete, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(project->FootingTable[12].OffsetX, 1);
    QTest::keyClick(window.get(), Qt::Key_Delete, Qt::ShiftModifier);
    for (int s = 1; s <= project->FootingCount; ++s) {
      const FootingRecord& f = project->FootingTable[s];
      QCOMPARE(f.OffsetX, 0);
      QCOMPARE(f.OffsetZ, 0);
      QCOMPARE(f.PosX, f.ColumnX);
      QCOMPARE(f.PosZ, f.ColumnZ);
    }
  }

  void escapeClosesAndEndsTheSelection() {
    QSignalSpy spy(window.get(), &ColumnWindow::closed);
    clickMarker(5);
    QTest::keyClick(window.get(), Qt::Key_Right);
    QTest::keyClick(window.get(), Qt::Key_Escape);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(selection.footing, 0);
    QVERIFY(!window->isVisible());
    QCOMPARE(project->FootingTable[5].OffsetX, 1);  // the offset stays in the model
  }

  void anOffsetTypedInMillimetresMovesTheFootingAndTheLabelsSayWhatIsShown() {
    QCOMPARE(window->storeyLabel()->text(),
             QStringLiteral("Level 2 of %1, Y %2 mm").arg(project->LevelY[0]).arg(double{project->LevelY[2]}));
    QVERIFY(!window->offsetBox(true)->isEnabled());  // nothing picked yet
    clickMarker(1);
    QVERIFY(window->footingLabel()->text().contains(QStringLiteral("joint %1").arg(project->FootingTable[1].JointNo)));
    QVERIFY(window->footingLabel()->text().contains(QStringLiteral("Column 300 X 450 mm")));
    const FootingRecord& f = project->FootingTable[1];
    auto type = [&](bool alongX, const QString& text, Qt::Key key = Qt::Key_Return) {
      QLineEdit* box = window->offsetBox(alongX);
      box->setFocus();
      box->selectAll();
      QTest::keyClicks(box, text);
      QTest::keyClick(box, key);
    };
    // -250 mm along X, 60 along Z: the footing centre follows, the nearest steps (for the layout
    // file) are -1 (35 mm) and +1 (110 mm, nearer to 60 than 0 is).
    type(true, QStringLiteral("-250"));
    type(false, QStringLiteral("60"));
    QCOMPARE(f.PosX - f.ColumnX, -250);
    QCOMPARE(f.PosZ - f.ColumnZ, 60);
    QCOMPARE(f.OffsetX, -1);
    QCOMPARE(f.OffsetZ, 1);
    QCOMPARE(project->decisions.offsetOf(1), (ColumnOffset{-250, 60}));
    QCOMPARE(editor->undoAction(), std::string("Offset footing ") + std::to_string(f.JointNo) + " by X -250, Z 60 mm");
    // Not a number, or Esc: the box shows the offset again. Beyond 5000 mm: said so, nothing moves.
    type(true, QStringLiteral("abc"));
    type(true, QStringLiteral("77"), Qt::Key_Escape);
    QCOMPARE(window->offsetBox(true)->text(), QStringLiteral("-250"));
    QVERIFY(prompter.calls.empty());
    type(true, QStringLiteral("6000"));
    QCOMPARE(f.PosX - f.ColumnX, -250);
    QCOMPARE(prompter.texts().size(), std::size_t{1});
    QVERIFY(prompter.texts()[0].find("more than a footing may stand off its column (5000 mm)") != std::string::npos);
    // The steps remain the quick way: Right from the nearest step -1 goes to 0, under the column.
    window->setFocus();
    QTest::keyClick(window.get(), Qt::Key_Right);
    QCOMPARE(f.PosX, f.ColumnX);
    QCOMPARE(window->offsetBox(true)->text(), QStringLiteral("0"));
  }

  void picture() {
    clickMarker(12);
    QTest::keyClick(window.get(), Qt::Key_Right);
    QVERIFY(window->grab().save(uitest::shotPath("column_window.png")));
  }

 private:
  void clickMarker(int s) {
    const draw::Rect r = window->markerRect(s);
    QTest::mouseClick(window.get(), Qt::LeftButton, {},
                      window->toDevice((r.left + r.right) / 2, (r.top + r.bottom) / 2).toPoint());
  }

  RecordingPrompter prompter;
  std::unique_ptr<Project> project;
  std::unique_ptr<PlanEditor> editor;
  FootingSelection selection;
  std::unique_ptr<ColumnWindow> window;
};

QTEST_MAIN(ColumnWindowTest)
#include "column_window_test.moc"
