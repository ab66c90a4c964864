// The detail popups: pressures rounded once as the workbook rounds them, the governing rows, the depth
// estimate of a support with one load case and the cantilevers of a combined footing.
#include <QLabel>
#include <QtTest>

#include <array>
#include <memory>
#include <vector>

#include "design/workbook.h"
#include "model/numbers.h"
#include "model/project.h"
#include "ui/detail_popups.h"

using namespace plintova;

namespace {

// Footing 1 at joint 41, L x B, with the given load cases (FY, MX, MZ); SBC 200, 5 m deep.
std::unique_ptr<Project> oneFooting(const std::vector<std::array<float, 3>>& cases, float L, float B) {
  auto p = std::make_unique<Project>();
  p->Fck = 20;
  p->Fe = 415;
  p->CaseSbc[0] = 200;
  for (int c = 1; c < cap::kCasePositions; ++c) p->CaseSbc[c] = 250;
  p->EarthPressure = 100;
  p->ReactionTable(0, 0, 0) = 1;
  p->ReactionTable(1, 0, 0) = 41;
  for (std::size_t c = 0; c < cases.size(); ++c) {
    const auto k = static_cast<long long>(c);
    p->ReactionTable(1, k, 1) = static_cast<float>(c + 1);
    for (int i = 0; i < 3; ++i) p->ReactionTable(1, k, 2 + i) = cases[c][static_cast<std::size_t>(i)];
  }
  p->FootingCount = 1;
  FootingRecord& f = p->FootingTable[1];
  f.JointNo = 41;
  f.CombNo = -1;
  f.SizeL = L;
  f.SizeB = B;
  return p;
}

bool marked(const QLabel* l) { return l->font().bold() && l->frameShape() == QFrame::Box; }

}  // namespace

class DetailPopupsTest : public QObject {
  Q_OBJECT

 private slots:
  void pressuresAreRoundedOnceAsTheWorkbookRoundsThem() {
    // 3.12 x 2.34: 50.6562 + 101.7903 + 47.5584 = 200.0049986 -> 200. Rounding 50.6562 to 50.66
    // first would show 200.01, above the allowable pressure the workbook passes.
    auto rect = oneFooting({{336.21f, 289.83f, 180.55f}}, 3.12f, 2.34f);
    std::optional<FootingDetail> d = footingDetail(*rect, 1);
    QVERIFY(d.has_value());
    QCOMPARE(d->rows.at(0).maxPressure, std::string("200"));
    QCOMPARE(d->rows.at(0).minPressure, std::string("-98.69"));
    QCOMPARE(d->rows.at(0).maxPressure, numberText(resizedPressure(*rect, 1, 0).pmax));
    QCOMPARE(d->rows.at(0).minPressure, numberText(resizedPressure(*rect, 1, 0).pmin));

    // Square 3.2: 197.3555 + 89.1571 = 286.5126 -> 286.51 (197.36 + 89.16 would give 286.52).
    auto square = oneFooting({{1837.2f, 258.3f, 228.63f}}, 3.2f, 3.2f);
    d = footingDetail(*square, 1);
    QVERIFY(d.has_value());
    QCOMPARE(d->rows.at(0).maxPressure, std::string("286.51"));
    QCOMPARE(d->rows.at(0).minPressure, std::string("108.2"));  // 197.3555 - 89.1571
  }

  void theGoverningRowsAreMarked() {
    // 2 x 2: 220 / 4 = 55 against 200; 1.1 x 900 / 4 = 247.5 against 250 (smallest margin);
    // 110 / 4 -+ 6 x 40 / 8 = 27.5 -+ 30 (smallest minimum, an uplift of 2.5).
    auto p = oneFooting({{200, 0, 0}, {900, 0, 0}, {100, 40, 0}}, 2.0f, 2.0f);
    FootingPopup popup(*p);
    popup.fill(1);
    QCOMPARE(popup.rowCount(), 3);
    QCOMPARE(popup.cell(2, FootingPopup::MaxPressure)->text(), QStringLiteral("247.5"));
    QCOMPARE(popup.cell(3, FootingPopup::MinPressure)->text(), QStringLiteral("-2.5"));
    QVERIFY(marked(popup.cell(2, FootingPopup::MaxPressure)));
    QVERIFY(marked(popup.cell(3, FootingPopup::MinPressure)));
    QVERIFY(!marked(popup.cell(1, FootingPopup::MaxPressure)) && !marked(popup.cell(3, FootingPopup::MaxPressure)));
    QVERIFY(!marked(popup.cell(1, FootingPopup::MinPressure)) && !marked(popup.cell(2, FootingPopup::MinPressure)));
  }

  void aSupportWithOneLoadCaseGetsTheDepthItsLoadNeeds() {
    // 1000 kN on 2 x 2 m: 250 kN/m2 net, effective depth 0.39 m (see the design's estimate test);
    // 10 kN stays at the 0.19 m minimum.
    auto heavy = oneFooting({{1000, 0, 0}}, 2.0f, 2.0f);
    FootingPopup popup(*heavy);
    popup.fill(1);
    QCOMPARE(popup.label("LabSize")->text(), QStringLiteral("2 X 2 X 0.39"));
    auto light = oneFooting({{10, 0, 0}}, 2.0f, 2.0f);
    FootingPopup other(*light);
    other.fill(1);
    QCOMPARE(other.label("LabSize")->text(), QStringLiteral("2 X 2 X 0.19"));
  }

  void cantileversShowWholeMillimetres() {
    auto p = oneFooting({{500, 0, 0}}, 1.0f, 1.0f);
    p->CombinedCount = 1;
    CombinedFootingRecord& cf = p->CombinedFootingTable[1];
    cf.CfMemberCount = 2;
    cf.CfMembers[1] = 1;
    cf.CfMembers[2] = 1;
    cf.CfLength = 6.1f;
    cf.CfWidth = 0.95f;
    cf.Cant1 = 0.7907757f;
    cf.Cant2 = 0.578f;
    cf.CfDistance = 5022;
    const CombinedDetail d = combinedDetail(*p, 1);
    QCOMPARE(d.cant1, std::string("Cant1 0.791"));
    QCOMPARE(d.cant2, std::string("Cant2 0.578"));
    QCOMPARE(d.size, std::string("6.1 X 0.95"));
    CombinedPopup popup(*p);
    popup.fill(1);
    QCOMPARE(popup.label("LabCnt1")->text(), QStringLiteral("Cant1 0.791"));
  }
};

QTEST_MAIN(DetailPopupsTest)
#include "detail_popups_test.moc"
