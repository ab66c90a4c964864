// The desktop program and the batch tool open a plan through the one loader: for the same listing, layout
// file and project, the window's plan and schedule are the batch tool's, footing by footing and row by row.
#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QPushButton>
#include <QtTest>
#include <algorithm>

#include "design/schedule.h"
#include "model/numbers.h"
#include "model/project.h"
#include "ui/app_flow.h"
#include "ui/main_window.h"
#include "ui/startup_dialog.h"
#include "ui_support.h"

using namespace plintova;
using namespace plintova::windowtest;

namespace {

// The batch tool's --json output for these arguments.
QJsonObject batchRun(const QStringList& args) {
  QProcess cli;
  cli.start(QStringLiteral(PLINTOVA_BUILD_DIR "/plintova-cli"), args + QStringList{QStringLiteral("--json")});
  if (!cli.waitForFinished(120000) || cli.exitCode() != 0) qWarning() << cli.readAllStandardError();
  return QJsonDocument::fromJson(cli.readAllStandardOutput()).object();
}

QString text(double v) { return QString::fromStdString(numberText(v)); }

// Every footing where the batch tool puts it, of its size and kind; every schedule row with its mark,
// count, size and depth (group rows), or its joints (hand-resized and combined rows).
void compareWithBatch(const Project& p, const QJsonObject& batch) {
  const QJsonArray footings = batch[QStringLiteral("footings")].toArray();
  QCOMPARE(footings.size(), static_cast<qsizetype>(p.FootingCount));
  for (const QJsonValue& v : footings) {
    const QJsonObject f = v.toObject();
    const int s = footingOf(p, f[QStringLiteral("JointNo")].toInt());
    QVERIFY(s > 0);
    const FootingRecord& mine = p.FootingTable[s];
    QCOMPARE(mine.PosX, f[QStringLiteral("PosX")].toInt());
    QCOMPARE(mine.PosZ, f[QStringLiteral("PosZ")].toInt());
    // The batch tool's JSON gives the kind as its code: 0 isolated, n combined footing n, -1 resized,
    // -100 disabled.
    const int code = f[QStringLiteral("CombNo")].toInt();
    QCOMPARE(mine.Kind, code > 0    ? FootingKind::Combined
                        : code == 0  ? FootingKind::Isolated
                        : code == -1 ? FootingKind::HandResized
                                     : FootingKind::Disabled);
    QCOMPARE(static_cast<int>(mine.CombinedNo), std::max(code, 0));
    QCOMPARE(static_cast<int>(mine.GroupRank), f[QStringLiteral("GroupRank")].toInt());
    QCOMPARE(text(mine.SizeL), text(f[QStringLiteral("SizeL")].toDouble()));
    QCOMPARE(text(mine.SizeB), text(f[QStringLiteral("SizeB")].toDouble()));
  }
  const QJsonArray rows = batch[QStringLiteral("schedule")].toArray();
  QCOMPARE(rows.size(), static_cast<qsizetype>(p.DesignGroupCount + p.RectangularRows.size() + p.CombinedRows.size()));
  for (int r = 1; r <= p.DesignGroupCount; ++r) {
    const QJsonObject row = rows[r - 1].toObject();
    const SizeGroupRecord& mine = p.DesignGroupTable[r];
    QCOMPARE(row[QStringLiteral("mark")].toString().toStdString(), scheduleRowTexts(p, r)[kColMark]);
    QCOMPARE(row[QStringLiteral("NOs")].toInt(), static_cast<int>(mine.MemberCount));
    QCOMPARE(text(mine.GroupSize), text(row[QStringLiteral("Size")].toDouble()));
    QCOMPARE(text(mine.TotalDepth), text(row[QStringLiteral("Depth")].toDouble()));
  }
  qsizetype at = p.DesignGroupCount;
  for (const std::vector<FootingRow>* list : {&p.RectangularRows, &p.CombinedRows})
    for (const FootingRow& mine : *list) {
      const QJsonObject row = rows[at++].toObject();
      QCOMPARE(row[QStringLiteral("mark")].toString().toStdString(), mine.mark());
      QCOMPARE(text(mine.L), text(row[QStringLiteral("L")].toDouble()));
    }
}

// FRAME1 beside a layout file that moves footings 1 and 3 off their columns.
struct FrameWithLayout {
  Folder folder;
  std::string listing = folder.copy(PLINTOVA_EXAMPLES "/FRAME1.ANL", "FRAME1.ANL");
  FrameWithLayout() {
    std::string xs = " 3 2 1", zs = "\r 4 5 5";
    for (int i = 4; i <= 40; ++i) xs += " 2", zs += " 5";
    folder.write("FRAME1.SCR", xs + "\r\n" + zs + "\r\n");
  }
};

}  // namespace

class OneLoaderTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { clearRecoveryCopies(); }

  void aListingWithItsLayoutFileGivesBothProgramsOnePlan() {
    FrameWithLayout frame;
    RecordingPrompter prompter;
    AppFlow flow(prompter, [&](QWidget*) { return frame.listing; });
    QVERIFY(flow.start());
    flow.startupDialog()->sbcBox()->setEditText(QStringLiteral("200"));
    flow.startupDialog()->depthBox()->setEditText(QStringLiteral("1.5"));
    QTest::mouseClick(flow.startupDialog()->okButton(), Qt::LeftButton);
    QVERIFY(flow.mainWindow());
    QTest::mouseClick(flow.mainWindow()->button("CmdDesign"), Qt::LeftButton);
    const Project& p = *flow.project();
    QVERIFY(p.FootingTable[1].PosX != p.FootingTable[1].ColumnX);  // the layout file was applied
    saveShot(flow.mainWindow(), QStringLiteral("one_loader_layout.png"));
    compareWithBatch(p, batchRun({QString::fromStdString(frame.listing), QStringLiteral("--sbc"),
                                  QStringLiteral("200"), QStringLiteral("--depth"), QStringLiteral("1.5")}));
    flow.mainWindow()->close();
  }

  void aProjectWithEveryKindOfDecisionGivesBothProgramsOnePlan() {
    // The project's decisions (its offsets winning over the layout file's): an offset in millimetres, a
    // disabled, a hand-resized and a combined footing, a group stepped, a schedule edit; designed.
    FrameWithLayout frame;
    const std::string project = frame.folder.write("WORK.plintova", R"({"format": "plintova-project", "version": 4,
      "listing": "FRAME1.ANL", "sbc": 200, "depth": 1.5,
      "offsets": [{"joint": 3, "stepX": 1, "stepZ": 0, "dx": 240, "dz": 0}],
      "disabled": [40], "combined": [{"joints": [20, 21]}], "resized": [{"joint": 22, "length": 2.7}],
      "schedule": [{"joint": 22, "depth": 0.9}], "designed": true})");
    RecordingPrompter prompter;
    AppFlow flow(prompter, [&](QWidget*) { return project; });
    QVERIFY(flow.start());
    QVERIFY(flow.mainWindow());
    const Project& p = *flow.project();
    QCOMPARE(p.FootingTable[1].PosX, p.FootingTable[1].ColumnX);  // the project's offsets win
    QVERIFY(!p.RectangularRows.empty() && !p.CombinedRows.empty());
    compareWithBatch(p, batchRun({QStringLiteral("--project"), QString::fromStdString(project)}));
    flow.mainWindow()->close();
  }
};

QTEST_MAIN(OneLoaderTest)
#include "one_loader_test.moc"
