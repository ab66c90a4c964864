// "Excel" and "Print" on the schedule window: the workbook written and opened, the A3 page read back by poppler.
#include <QDir>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include "../footing/plan_steps.h"
#include "designed_frame_support.h"
#include "footing/combined_footings.h"
#include "footing/footing_width.h"
#include "model/numbers.h"
#include "ui/export_actions.h"
#include "ui/print_actions.h"
#include "ui/schedule_window.h"

using namespace plintova;
using plintova::testing::combineFootings;
using plintova::testing::resizeFooting;

namespace {

struct Word {
  QString text;
  QRectF box;  // points
};

// The words of a PDF page with their boxes, from pdftotext -bbox.
std::vector<Word> pdfWords(const QString& pdf) {
  const QString html = QString::fromStdString(uitest::runCommand("pdftotext -bbox '" + pdf.toStdString() + "' -"));
  static const QRegularExpression re(
      QString::fromLatin1(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
  std::vector<Word> words;
  for (auto it = re.globalMatch(html); it.hasNext();) {
    auto m = it.next();
    words.push_back({m.captured(5), QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                           QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()))});
  }
  return words;
}

QStringList wordTexts(const std::vector<Word>& words) {
  QStringList t;
  for (const Word& w : words) t << w.text;
  return t;
}

}  // namespace

class PrintExportTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    prompter = RecordingPrompter();
    project = uitest::designedFrame(prompter);
    prompter.calls.clear();
    editor = std::make_unique<PlanEditor>(*project, prompter);
    dialogs = ScriptedDialogs();
    window = std::make_unique<ScheduleWindow>(*editor);
    window->setDialogs(dialogs);
    window->rebuildRows();
    QVERIFY(dir.isValid());
  }
  void cleanup() { window.reset(); }

  void theWorkbookIsProposedBesideTheListing() {
    QCOMPARE(proposedWorkbookPath("/data/jobs/FRAME1.ANL"), std::string("/data/jobs/FRAME1.xlsx"));
    QCOMPARE(proposedWorkbookPath("/data/jobs/block.b.anl"), std::string("/data/jobs/block.b.xlsx"));
    QCOMPARE(proposedWorkbookPath("/data/jobs/FRAME1"), std::string("/data/jobs/FRAME1.xlsx"));
  }

  void excelWritesTheWorkbookWhereChosenAndOpensIt() {
    // A combined footing of the two close columns on line 3 and a footing resized by hand.
    QVERIFY(combineFootings(*project, {14000, 10500, 17000, 11500}, prompter));
    QVERIFY(!resizeFooting(*project, 33, 1, prompter).empty());

    std::string proposed;
    std::vector<std::string> opened;
    const std::string target = dir.filePath("schedule.xlsx").toStdString();
    dialogs.answerSave = [&](QWidget*, FileToSave, const std::string& p) {
      proposed = p;
      return target;
    };
    dialogs.answerOpenWithDesktop = [&](const std::string& p) {
      opened.push_back(p);
      return false;  // no spreadsheet program: not an error
    };
    QTest::mouseClick(window->excelButton(), Qt::LeftButton);
    QCOMPARE(proposed, std::string(PLINTOVA_EXAMPLES "/FRAME1.xlsx"));
    QCOMPARE(opened, std::vector<std::string>{target});
    QVERIFY(prompter.calls.empty());

    // Read back by an independent reader: the sheets and a grouped footing's first row.
    const std::string script =
        "import openpyxl,sys\n"
        "wb=openpyxl.load_workbook(sys.argv[1])\n"
        "print('|'.join(wb.sheetnames))\n"
        "ws=wb.worksheets[0]\n"
        "print(ws.cell(2,1).value, ws.cell(2,6).value)\n"
        "print(wb.worksheets[1].cell(2,6).value)\n";
    QFile py(dir.filePath("read.py"));
    QVERIFY(py.open(QIODevice::WriteOnly));
    py.write(script.c_str());
    py.close();
    const QString out = QString::fromStdString(
        uitest::runCommand("/usr/bin/python3 '" + py.fileName().toStdString() + "' '" + target + "'"));
    const QStringList lines = out.trimmed().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines[0], QStringLiteral("Pressures - groups|Pressures - resized|C1|Schedule|Quantities|Bar bending schedule"));
    QVERIFY2(lines[1].endsWith(QStringLiteral(" F1")), qPrintable(out));  // the only F1 footing comes first
    QCOMPARE(lines[2], QStringLiteral("R1"));
  }

  void excelReportsAFileThatCannotBeWrittenAndDoesNothingOnCancel() {
    int openedCount = 0;
    std::string answer;
    dialogs.answerSave = [&](QWidget*, FileToSave, const std::string&) { return answer; };
    dialogs.answerOpenWithDesktop = [&](const std::string&) { return ++openedCount, true; };
    QTest::mouseClick(window->excelButton(), Qt::LeftButton);  // cancelled
    QVERIFY(prompter.calls.empty());
    QCOMPARE(openedCount, 0);

    answer = "/nonexistent-folder/FRAME1.xlsx";
    QTest::mouseClick(window->excelButton(), Qt::LeftButton);
    QCOMPARE(prompter.calls.size(), std::size_t(1));
    const std::string& text = prompter.calls[0].text;
    QVERIFY2(text.rfind("The workbook was not written: ", 0) == 0, text.c_str());
    QVERIFY2(text.find("/nonexistent-folder/FRAME1.xlsx") != std::string::npos, text.c_str());
    QCOMPARE(openedCount, 0);
  }

  void printPutsTheFramePlanOnALegibleA3Page() {
    QVERIFY(combineFootings(*project, {14000, 10500, 17000, 11500}, prompter));
    QVERIFY(!resizeFooting(*project, 33, 1, prompter).empty());
    prompter.calls.clear();

    const QString pdf = uitest::shotPath("frame1_plan.pdf");
    QFile::remove(pdf);
    bool asked = false;
    dialogs.answerPrint = [&](QPrinter& printer, QWidget*) {
      asked = true;
      // The dialog opens with A3 and the plan's orientation chosen.
      if (printer.pageLayout().pageSize().id() != QPageSize::A3) return false;
      if (printer.pageLayout().orientation() != QPageLayout::Landscape) return false;
      printer.setOutputFormat(QPrinter::PdfFormat);  // "print to file", as the dialog offers
      printer.setOutputFileName(pdf);
      return true;
    };
    QTest::mouseClick(window->printButton(), Qt::LeftButton);
    QVERIFY(asked);
    QVERIFY(prompter.calls.empty());
    QVERIFY(QFile::exists(pdf));

    const std::string info = uitest::pdfInfo(pdf.toStdString());
    double w = 0, h = 0;
    const auto at = info.find("Page size:");
    QVERIFY2(at != std::string::npos && std::sscanf(info.c_str() + at, "Page size: %lf x %lf", &w, &h) == 2, info.c_str());
    QVERIFY2(std::abs(w - 1190.55) < 1 && std::abs(h - 841.89) < 1, info.c_str());  // A3 landscape
    QVERIFY(info.find("(A3)") != std::string::npos);
    QVERIFY(QString::fromStdString(info).contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))));

    const std::vector<Word> words = pdfWords(pdf);
    const QStringList texts = wordTexts(words);
    for (int s = 1; s <= project->FootingCount; ++s) {
      const FootingRecord& f = project->FootingTable[s];
      QVERIFY2(texts.contains(QStringLiteral("(%1)").arg(f.JointNo)), qPrintable(texts.join(' ')));
      if (f.Kind == FootingKind::Isolated) QVERIFY(texts.contains(QStringLiteral("F%1").arg(f.GroupRank)));
    }
    for (const char* t : {"5000", "4500", "2000", "2500", "5500", "R1", "CF-"}) QVERIFY2(texts.contains(t), t);
    const CombinedFootingRecord& cf = project->CombinedFootingTable[1];
    QVERIFY(texts.contains(QString::fromStdString(numberText(cf.CfLength))));
    QVERIFY(texts.contains(QString::number(static_cast<int>(cf.Cant1 * 1000))));
    QVERIFY(texts.contains(QString::fromStdString(numberText(project->FootingTable[33].SizeB))));

    // Legible: every word at least 2.5 mm tall, and no word printed over another.
    for (const Word& w : words)
      QVERIFY2(std::max(w.box.width(), w.box.height()) >= 7.0, qPrintable(w.text));
    for (std::size_t i = 0; i < words.size(); ++i)
      for (std::size_t j = i + 1; j < words.size(); ++j) {
        const QRectF overlap = words[i].box.adjusted(0.3, 0.3, -0.3, -0.3) & words[j].box.adjusted(0.3, 0.3, -0.3, -0.3);
        QVERIFY2(overlap.isEmpty(), qPrintable(words[i].text + " over " + words[j].text));
      }
    uitest::runCommand("pdftoppm -png -r 60 -singlefile '" + pdf.toStdString() + "' '" +
                       uitest::shotPath("frame1_plan").toStdString() + "'");
  }

  void aPrinterThatDoesNotStartIsReported() {
    dialogs.answerPrint = [](QPrinter& printer, QWidget*) {
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(QStringLiteral("/nonexistent-folder/plan.pdf"));
      return true;
    };
    QTest::mouseClick(window->printButton(), Qt::LeftButton);
    QCOMPARE(prompter.texts(), std::vector<std::string>{"The printer could not be started."});

    prompter.calls.clear();
    const QString pdf = dir.filePath("never.pdf");
    dialogs.answerPrint = [&](QPrinter& printer, QWidget*) {
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(pdf);
      return false;  // the engineer cancels the dialog
    };
    QCOMPARE(printPlanWithDialog(*project, prompter, dialogs), PrintResult::Cancelled);
    QVERIFY(!QFile::exists(pdf));
    QVERIFY(prompter.calls.empty());
  }

 private:
  QTemporaryDir dir;
  RecordingPrompter prompter;
  ScriptedDialogs dialogs;
  std::unique_ptr<Project> project;
  std::unique_ptr<PlanEditor> editor;
  std::unique_ptr<ScheduleWindow> window;
};

QTEST_MAIN(PrintExportTest)
#include "print_export_test.moc"
