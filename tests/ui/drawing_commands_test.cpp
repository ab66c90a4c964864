// The main window's commands that issue the footing drawing and the calculation report: print, print
// preview, PDF, DXF, the title block dialog, and the report from the File menu and the schedule window.
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <map>

#include "designed_frame_support.h"
#include "model/project.h"
#include "project/project_file.h"
#include "render/sheet_qt.h"
#include "ui/main_window.h"
#include "ui/schedule_window.h"
#include "ui/sheet_actions.h"
#include "ui/sheet_dialog.h"
#include "ui_support.h"

using namespace plintova;
using namespace plintova::windowtest;

namespace {

using uitest::pdfPages;
using uitest::pdfText;

// Every dialog answers as given: the file chosen for each kind, recording what was proposed.
struct Answers {
  std::map<std::string, std::string> proposed;
  std::map<std::string, std::string> chosen;
  void answer(ScriptedDialogs& dialogs) {
    dialogs.answerSave = [this](QWidget*, FileToSave what, const std::string& p) {
      const char* kind = what == FileToSave::Project      ? "project"
                         : what == FileToSave::DrawingPdf ? "pdf"
                         : what == FileToSave::DrawingDxf ? "dxf"
                         : what == FileToSave::Report     ? "report"
                                                          : "workbook";
      proposed[kind] = p;
      return chosen[kind];
    };
  }
};

SheetSettings someSettings() {
  SheetSettings s;
  s.firm = "Kaveri Structural Consultants";
  s.client = "Riverside Health Trust";
  s.project = "Riverside Clinic, Block B";
  s.title = "FOUNDATION PLAN";
  s.number = "S-101";
  s.revision = "C";
  s.date = "2026-12-08";
  s.drawnBy = "RKM";
  s.designedBy = "AVS";
  s.checkedBy = "PSN";
  s.approvedBy = "GNR";
  s.paper = "A2";
  s.northRotation = 30;
  return s;
}

}  // namespace

class DrawingCommandsTest : public QObject {
  Q_OBJECT

 private:
  Folder folder;
  std::string listing;
  std::unique_ptr<OpenPlan> frame;
  Answers answers;

  MainWindow& window() { return *frame->window; }
  ScriptedDialogs& dialogs() { return frame->dialogs; }
  Project& project() { return *frame->project; }
  RecordingPrompter& prompter() { return frame->prompter; }
  // The calls besides the question before a drawing is issued as preliminary: FRAME1's joints 20 and 21
  // overlap until they are combined, so every print and drawing export asks it once (answered OK).
  std::vector<RecordingPrompter::Call> others() {
    std::vector<RecordingPrompter::Call> rest;
    for (const auto& c : frame->prompter.calls)
      if (!(c.question && c.text.ends_with("Issue the drawing as preliminary?"))) rest.push_back(c);
    return rest;
  }
  void design() {
    window().cmdDesign();
    prompter().calls.clear();
  }

 private slots:
  void initTestCase() { listing = folder.copy(PLINTOVA_EXAMPLES "/FRAME1.ANL", "FRAME1.ANL"); }
  void init() {
    frame = openPlan(listing);
    answers = Answers();
    answers.answer(dialogs());
    prompter().calls.clear();
  }
  void cleanup() { frame.reset(); }

  void filesAreProposedBesideTheListing() {
    QCOMPARE(proposedBesideListing("/jobs/FRAME1.ANL", ".dxf"), std::string("/jobs/FRAME1.dxf"));
    QCOMPARE(proposedBesideListing("/jobs/block.b.anl", "-report.pdf"), std::string("/jobs/block.b-report.pdf"));
    QCOMPARE(proposedBesideListing("/jobs/.ANL", ".pdf"), std::string("/jobs/.ANL.pdf"));
    QCOMPARE(proposedWorkbookPath("/jobs/FRAME1.ANL"), std::string("/jobs/FRAME1.xlsx"));
    // A listing in a folder the engineer may not write (the installed examples): the file is proposed in
    // the documents folder or home instead, under the same name.
    QTemporaryDir tmp;
    const QString shelf = tmp.filePath(QStringLiteral("examples"));
    QVERIFY(QDir().mkpath(shelf));
    QFile::setPermissions(shelf, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const bool writable = QFileInfo(shelf).isWritable();
    const std::string proposed = proposedBesideListing((shelf + QStringLiteral("/FRAME1.ANL")).toStdString(), ".pdf");
    QFile::setPermissions(shelf, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (writable) QSKIP("the folder stays writable for this user (root)");
    QVERIFY(!QString::fromStdString(proposed).startsWith(shelf));
    QVERIFY(QString::fromStdString(proposed).endsWith(QStringLiteral("/FRAME1.pdf")));
  }

  void everyShortcutIsTakenOnceAndTheDesktopOnesAreThere() {
    std::map<QString, QString> owner;
    for (QAction* a : window().findChildren<QAction*>())
      for (const QKeySequence& k : a->shortcuts()) {
        const QString key = k.toString();
        QVERIFY2(!owner.count(key), qPrintable(key + " on " + owner[key] + " and " + a->objectName()));
        owner[key] = a->objectName();
      }
    QCOMPARE(window().action("ActPrint")->shortcut(), QKeySequence(QKeySequence::Print));
    for (const char* name : {"ActPrintPreview", "ActExportPdf", "ActExportDxf", "ActReport"})
      QVERIFY2(!window().action(name)->shortcut().isEmpty(), name);
    QVERIFY(window().action("ActSheetSettings"));
  }

  void printGivesEverySheetOfTheDrawingThroughThePrintDialog() {
    design();
    const std::string pdf = folder.path("printed.pdf");
    bool asked = false;
    dialogs().answerPrint = [&](QPrinter& printer, QWidget*) {
      asked = true;
      // The dialog opens with the sheets' paper in landscape.
      if (printer.pageLayout().pageSize().id() != QPageSize::A3) return false;
      if (printer.pageLayout().orientation() != QPageLayout::Landscape) return false;
      printer.setOutputFormat(QPrinter::PdfFormat);  // "print to file"
      printer.setOutputFileName(QString::fromStdString(pdf));
      return true;
    };
    QTest::keySequence(&window(), QKeySequence::Print);
    QVERIFY(asked);
    QVERIFY2(others().empty(), others().empty() ? "" : others()[0].text.c_str());
    QCOMPARE(pdfPages(pdf), static_cast<int>(draw::drawingSheets(project()).size()));
    const QString text = pdfText(pdf);
    // The sheet, not the bare plan: the title block and the notes are there.
    QVERIFY(text.contains(QStringLiteral("FOOTING LAYOUT AND SCHEDULE")));
    QVERIFY(text.contains(QStringLiteral("NOTES")));
    QVERIFY(text.contains(QStringLiteral("FRAME1.ANL")));

    // A print to a file that cannot be made is reported, once.
    dialogs().answerPrint = [](QPrinter& printer, QWidget*) {
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(QStringLiteral("/nonexistent-folder/drawing.pdf"));
      return true;
    };
    window().action("ActPrint")->trigger();
    QCOMPARE(others().size(), std::size_t(1));
    QCOMPARE(others()[0].icon, MessageIcon::Exclamation);

    // Cancelled: nothing printed, nothing said.
    prompter().calls.clear();
    QFile::remove(QString::fromStdString(pdf));
    dialogs().answerPrint = [&](QPrinter& printer, QWidget*) {
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(QString::fromStdString(pdf));
      return false;
    };
    window().action("ActPrint")->trigger();
    QVERIFY(!QFile::exists(QString::fromStdString(pdf)));
    QVERIFY(others().empty());
  }

  void thePreviewPaintsTheSheetsOnTheirPaper() {
    design();
    QVERIFY(window().editor().setSheetSettings(someSettings()));
    int pages = 0;
    QPageSize::PageSizeId paper = QPageSize::A4;
    dialogs().answerPreview = [&](QPrintPreviewDialog& dialog) {
      dialog.resize(1100, 800);
      dialog.show();
      QVERIFY(QTest::qWaitForWindowExposed(&dialog));
      auto* preview = dialog.findChild<QPrintPreviewWidget*>();
      QVERIFY(preview);
      preview->updatePreview();
      pages = preview->pageCount();
      paper = dialog.printer()->pageLayout().pageSize().id();
      saveShot(&dialog, QStringLiteral("drawing_preview.png"));
      dialog.close();
    };
    QTest::keyClick(&window(), Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(pages, static_cast<int>(draw::drawingSheets(project()).size()));
    QCOMPARE(paper, QPageSize::A2);
    QVERIFY(others().empty());

    // The preview's own Print to a PDF file: written through the safe writer, so never over the listing.
    const std::string before = fileBytes(listing);
    const std::string copy = folder.path("from-preview.pdf");
    for (const std::string& target : {listing, copy}) {
      dialogs().answerPreview = [&](QPrintPreviewDialog& dialog) {
        dialog.printer()->setOutputFormat(QPrinter::PdfFormat);
        dialog.printer()->setOutputFileName(QString::fromStdString(target));
        dialog.findChild<QPrintPreviewWidget*>()->print();
      };
      window().action("ActPrintPreview")->trigger();
    }
    QCOMPARE(fileBytes(listing), before);
    QCOMPARE(others().size(), std::size_t(1));
    QVERIFY(others()[0].text.find(listing) != std::string::npos);
    QCOMPARE(pdfPages(copy), pages);
  }

  void exportPdfAndDxfWriteTheDrawingWhereChosen() {
    design();
    answers.chosen["pdf"] = folder.path("drawing.pdf");
    answers.chosen["dxf"] = folder.path("drawing.dxf");
    answers.answer(dialogs());

    window().action("ActExportPdf")->trigger();
    QCOMPARE(answers.proposed["pdf"], folder.path("FRAME1.pdf"));
    QVERIFY(fileBytes(folder.path("drawing.pdf")).rfind("%PDF", 0) == 0);
    QVERIFY(pdfText(folder.path("drawing.pdf")).contains(QStringLiteral("SCHEDULE")));
    QVERIFY(window().statusBar()->currentMessage().contains(QString::fromStdString(folder.path("drawing.pdf"))));

    window().action("ActExportDxf")->trigger();
    QCOMPARE(answers.proposed["dxf"], folder.path("FRAME1.dxf"));
    const std::string dxf = fileBytes(folder.path("drawing.dxf"));
    QVERIFY(dxf.find("ENTITIES") != std::string::npos);
    QVERIFY(dxf.find("FOOTING") != std::string::npos);
    QVERIFY(others().empty());
  }

  void aDrawingThatIsNotIssuableIsAskedForOnceAndCancelWritesNothing() {
    design();
    answers.chosen["pdf"] = folder.path("preliminary.pdf");
    answers.answer(dialogs());
    prompter().answers = {false};
    window().action("ActExportPdf")->trigger();
    QCOMPARE(prompter().calls.size(), std::size_t(1));
    QCOMPARE(prompter().calls[0].text, std::string("1 pair of footings overlaps. Issue the drawing as preliminary?"));
    QVERIFY(answers.proposed.count("pdf") == 0);  // no file dialog after Cancel
    QVERIFY(!QFileInfo::exists(QString::fromStdString(folder.path("preliminary.pdf"))));
  }

  void aDrawingThatCannotBeWrittenIsReportedAndTheListingIsNeverWrittenOver() {
    design();
    const std::string before = fileBytes(listing);
    for (const char* kind : {"pdf", "dxf"})
      for (const std::string& target : {std::string("/nonexistent-folder/FRAME1.") + kind, listing}) {
        prompter().calls.clear();
        answers.chosen[kind] = target;
        answers.answer(dialogs());
        window().action(std::string(kind) == "pdf" ? "ActExportPdf" : "ActExportDxf")->trigger();
        QCOMPARE(others().size(), std::size_t(1));
        QCOMPARE(others()[0].icon, MessageIcon::Exclamation);
        QVERIFY2(others()[0].text.find(target) != std::string::npos, others()[0].text.c_str());
      }
    QCOMPARE(fileBytes(listing), before);

    // Cancelled in the file dialog: nothing written, nothing said.
    prompter().calls.clear();
    answers.chosen.clear();
    answers.answer(dialogs());
    window().action("ActExportDxf")->trigger();
    window().action("ActExportPdf")->trigger();
    QVERIFY(others().empty());
    QCOMPARE(answers.proposed.size(), std::size_t(2));
  }

  void withoutAnUpToDateScheduleTheEngineerIsAskedToDesignFirst() {
    // Never designed, and the engineer declines: no file dialog, nothing written, nothing designed.
    answers.chosen["report"] = folder.path("report.md");
    answers.answer(dialogs());
    prompter().answers = {false};
    window().action("ActReport")->trigger();
    QCOMPARE(others().size(), std::size_t(1));
    QVERIFY(others()[0].question);
    QVERIFY2(others()[0].text.find("no schedule") != std::string::npos, others()[0].text.c_str());
    QVERIFY(answers.proposed.empty());
    QVERIFY(!project().scheduleDesigned);

    // Agreed: designed, then written.
    prompter().calls.clear();
    prompter().answers = {true};
    window().action("ActReport")->trigger();
    QVERIFY(project().scheduleDesigned && !project().scheduleStale);
    QCOMPARE(answers.proposed["report"], folder.path("FRAME1-report.pdf"));
    const std::string md = fileBytes(folder.path("report.md"));
    for (int r = 1; r <= project().DesignGroupCount; ++r) {
      const std::string mark = scheduleRowTexts(project(), r)[kColMark];
      QVERIFY2(md.find(mark) != std::string::npos, mark.c_str());
    }
    QVERIFY(md.find("out of date") == std::string::npos);

    // A plan changed after the design: the question says so, and the drawing is designed again.
    QTest::mouseClick(window().groupSizeLabel(3), Qt::LeftButton, Qt::ShiftModifier);
    QVERIFY(project().scheduleStale);
    prompter().calls.clear();
    prompter().answers = {true};
    answers.chosen["dxf"] = folder.path("changed.dxf");
    answers.answer(dialogs());
    window().action("ActExportDxf")->trigger();
    QVERIFY(!others().empty());
    QVERIFY(others()[0].text.find("out of date") != std::string::npos);
    QVERIFY(!project().scheduleStale);
    QVERIFY(QFile::exists(QString::fromStdString(folder.path("changed.dxf"))));
  }

  void theScheduleWindowsReportButtonWritesTheReport() {
    design();
    ScheduleWindow* schedule = window().scheduleWindow();
    std::string proposed;
    const std::string target = folder.path("schedule-report.pdf");
    dialogs().answerSave = [&](QWidget*, FileToSave, const std::string& p) {
      proposed = p;
      return target;
    };
    QTest::mouseClick(schedule->reportButton(), Qt::LeftButton);
    QCOMPARE(proposed, folder.path("FRAME1-report.pdf"));
    QVERIFY(others().empty());
    const QString text = pdfText(target);
    QVERIFY(text.contains(QStringLiteral("IS 456")));
    QVERIFY(text.contains(QString::fromStdString(scheduleRowTexts(project(), 1)[kColMark])));
    QVERIFY(window().statusBar()->currentMessage().contains(QStringLiteral("calculation report")));

    // A name that is neither PDF nor Markdown is refused with its reason; nothing is written.
    const std::string odd = folder.path("report.txt");
    dialogs().answerSave = [&](QWidget*, FileToSave, const std::string&) { return odd; };
    QTest::mouseClick(schedule->reportButton(), Qt::LeftButton);
    QCOMPARE(others().size(), std::size_t(1));
    QVERIFY(others()[0].text.find(".md") != std::string::npos);
    QVERIFY(!QFile::exists(QString::fromStdString(odd)));
    saveShot(schedule, QStringLiteral("schedule_with_report.png"));
  }

  void theTitleBlockIsAnUndoableDecisionKeptInTheProjectFile() {
    design();
    window().editor().markSaved();  // as saved with its schedule
    const SheetSettings original = project().decisions.sheet;
    const SheetSettings wanted = someSettings();

    // Cancel: whatever was typed, nothing changes.
    dialogs().answerSheet = [&](SheetSettingsDialog& dialog) {
      dialog.field("TxtProject")->setText(QStringLiteral("Typed and cancelled"));
      return false;
    };
    window().action("ActSheetSettings")->trigger();
    QCOMPARE(project().decisions.sheet, original);
    QVERIFY(!window().editor().canUndo());
    QVERIFY(!window().editor().modified());

    // OK: the fields as typed (surrounding blanks dropped), one step, the schedule left up to date.
    dialogs().answerSheet = [&](SheetSettingsDialog& dialog) {
      dialog.field("TxtFirm")->setText(QString::fromStdString(wanted.firm));
      dialog.field("TxtClient")->setText(QString::fromStdString(wanted.client));
      dialog.field("TxtDesignedBy")->setText(QString::fromStdString(wanted.designedBy));
      dialog.field("TxtApprovedBy")->setText(QString::fromStdString(wanted.approvedBy));
      dialog.field("TxtProject")->setText(QString::fromStdString("  " + wanted.project + " "));
      dialog.field("TxtTitle")->setText(QString::fromStdString(wanted.title));
      dialog.field("TxtNumber")->setText(QString::fromStdString(wanted.number));
      dialog.field("TxtRevision")->setText(QString::fromStdString(wanted.revision));
      dialog.field("TxtDate")->setText(QString::fromStdString(wanted.date));
      dialog.field("TxtDrawnBy")->setText(QString::fromStdString(wanted.drawnBy));
      dialog.field("TxtCheckedBy")->setText(QString::fromStdString(wanted.checkedBy));
      dialog.paperBox()->setCurrentIndex(dialog.paperBox()->findData(QStringLiteral("A2")));
      dialog.northBox()->setValue(wanted.northRotation);
      QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
      return dialog.result() == QDialog::Accepted;
    };
    window().action("ActSheetSettings")->trigger();
    QCOMPARE(project().decisions.sheet, wanted);
    QVERIFY(window().editor().modified());
    QVERIFY(window().isWindowModified());
    QVERIFY(project().scheduleDesigned && !project().scheduleStale);
    QCOMPARE(window().action("ActUndo")->text(), QStringLiteral("&Undo Edit the title block"));

    // The drawing shows it at once.
    answers.chosen["pdf"] = folder.path("titled.pdf");
    answers.answer(dialogs());
    window().action("ActExportPdf")->trigger();
    const QString text = pdfText(folder.path("titled.pdf"));
    for (const char* t : {"Riverside", "FOUNDATION PLAN", "S-101", "RKM", "AVS", "PSN", "GNR", "2026-12-08", "Kaveri"})
      QVERIFY2(text.contains(QString::fromLatin1(t)), t);

    QTest::keyClick(&window(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(project().decisions.sheet, original);
    QVERIFY(!window().editor().modified());
    QTest::keyClick(&window(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(project().decisions.sheet, wanted);

    // Saved and read back.
    const std::string file = folder.path("FRAME1.plintova");
    answers.chosen["project"] = file;
    answers.answer(dialogs());
    QVERIFY(window().save());
    const ReadProject read = readProjectFile(file);
    QVERIFY2(read, read.error.c_str());
    QCOMPARE(read.project->sheet, wanted);
  }

  void theDialogShowsTheSettingsAndKeepsWhatWasLeftAlone() {
    SheetSettings s = someSettings();
    s.northRotation = 372.25;  // as a project file may hold it
    s.paper = "B0";            // unknown: shown as A3
    SheetSettingsDialog dialog(s);
    QCOMPARE(dialog.field("TxtNumber")->text(), QStringLiteral("S-101"));
    QCOMPARE(dialog.paperBox()->currentData().toString(), QStringLiteral("A3"));
    QCOMPARE(dialog.northBox()->value(), 12.3);
    // Untouched, the angle comes back to its every digit; turned, it comes back as shown.
    QCOMPARE(dialog.settings().northRotation, 372.25);
    dialog.northBox()->setValue(-180);
    QCOMPARE(dialog.settings().northRotation, 180.0);
    dialog.northBox()->stepUp();  // wraps past the end of the range
    QVERIFY(dialog.settings().northRotation < 0);

    QVERIFY(dialog.field("TxtDate")->text() == QStringLiteral("2026-12-08"));
    dialog.field("TxtDate")->clear();
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("CmdToday")), Qt::LeftButton);
    QVERIFY(QDate::fromString(dialog.field("TxtDate")->text(), Qt::ISODate).isValid());

    // The revisions: the last row is the revision shown, the box follows it and is read-only while there
    // are rows; a new revision takes the next letter and today's date.
    s.revisions = {{"A", "2026-10-01", "For comment"}, {"B", "2026-11-15", "Pedestals revised"}};
    dialog.setSettings(s);
    QCOMPARE(dialog.revisionsTable()->rowCount(), 2);
    QCOMPARE(dialog.field("TxtRevision")->text(), QStringLiteral("B"));
    QVERIFY(dialog.field("TxtRevision")->isReadOnly());
    QCOMPARE(dialog.settings().revisions, s.revisions);
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("CmdAddRevision")), Qt::LeftButton);
    const SheetSettings added = dialog.settings();
    QCOMPARE(added.revisions.size(), std::size_t(3));
    QCOMPARE(added.revisions.back().revision, std::string("C"));
    QCOMPARE(added.currentRevision(), std::string("C"));
    QVERIFY(QDate::fromString(QString::fromStdString(added.revisions.back().date), Qt::ISODate).isValid());
    for (int k = 0; k < 3; ++k) {
      dialog.revisionsTable()->setCurrentCell(0, 0);
      QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("CmdRemoveRevision")), Qt::LeftButton);
    }
    QVERIFY(dialog.settings().revisions.empty());
    QVERIFY(!dialog.field("TxtRevision")->isReadOnly());

    SheetSettings pictured = someSettings();
    pictured.revisions = s.revisions;
    SheetSettingsDialog fresh(pictured);
    fresh.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fresh));
    saveShot(&fresh, QStringLiteral("title_block_dialog.png"));
  }

  void theFileMenuIsPictured() {
    QMenu* file = window().menuBar()->findChild<QMenu*>();
    QVERIFY(file);
    window().show();
    QVERIFY(QTest::qWaitForWindowExposed(&window()));
    file->popup(window().mapToGlobal(QPoint(0, window().menuBar()->height())));
    QVERIFY(QTest::qWaitForWindowExposed(file));
    saveShot(file, QStringLiteral("file_menu.png"));
    // The window with its open menu drawn where the desktop shows it.
    QPixmap picture = window().grab();
    {
      QPainter painter(&picture);
      painter.drawPixmap(window().menuBar()->geometry().bottomLeft() + QPoint(0, 1), file->grab());
    }
    QVERIFY(picture.save(shotPath(QStringLiteral("main_window_file_menu.png"))));
    file->close();
  }
};

QTEST_MAIN(DrawingCommandsTest)
#include "drawing_commands_test.moc"
