// The printed plan as a real A3 PDF, read back with poppler: page size, orientation, texts, no images.
#include <gtest/gtest.h>

#include <QPrinter>
#include <cstdio>
#include <string>

#include "../command_output.h"
#include "../draw/test_projects.h"
#include "render/render_qt.h"

using namespace plintova;

namespace {

std::string run(const std::string& command) { return commandOutput(command + " 2>&1"); }

std::string buildPath(const std::string& name) { return std::string(PLINTOVA_BUILD_DIR) + "/" + name; }

// Width and height in points from pdfinfo's "Page size:" line.
std::pair<double, double> pageSize(const std::string& pdf) {
  std::string info = run("pdfinfo '" + pdf + "'");
  auto at = info.find("Page size:");
  if (at == std::string::npos) return {0, 0};
  double w = 0, h = 0;
  std::sscanf(info.c_str() + at, "Page size: %lf x %lf", &w, &h);
  return {w, h};
}

// A 6 x 4 frame at 6 m by 4.5 m.
Project typicalFrame() {
  Project p;
  testproj::regularFrame(p, 6, 4, 6000, 4500);
  return p;
}

}  // namespace

TEST(PlanPdf, WritesOneVectorA3PageInTheOrientationOfThePlan) {
  Project p = typicalFrame();
  FootingRecord& r = p.FootingTable[9];
  r.Kind = FootingKind::HandResized;
  r.GroupRank = 1;
  r.SizeB = 1.35f;
  p.FootingTable[16].Kind = FootingKind::Disabled;
  // Columns 23 and 24 (24 000 and 30 000 mm on the last row) become one combined footing along X.
  testproj::addCombined(p, 23, 24, 1, 23300, 12800, 30700, 14200, 7.4f, 1.4f, 0.7f, 0.7f, 6000);

  std::string pdf = buildPath("plan_landscape.pdf");
  std::remove(pdf.c_str());
  ASSERT_EQ(draw::printPlanToPdf(p, pdf), "");
  auto [w, h] = pageSize(pdf);
  EXPECT_NEAR(w, 1190.55, 1.0);  // landscape A3
  EXPECT_NEAR(h, 841.89, 1.0);
  std::string info = run("pdfinfo '" + pdf + "'");
  auto pages = info.find("Pages:");
  ASSERT_NE(pages, std::string::npos);
  EXPECT_EQ(std::stoi(info.substr(pages + 6)), 1);

  std::string text = run("pdftotext -layout '" + pdf + "' -");
  for (const char* expected : {"F1", "F2", "F3", "F4", "R1", "(1)", "(24)", "6000", "4500", "CF- 1", "7.4", "700"})
    EXPECT_NE(text.find(expected), std::string::npos) << expected;
  // Vector all the way: no raster image on the page.
  std::string images = run("pdfimages -list '" + pdf + "'");
  EXPECT_EQ(images.find("image"), images.rfind("image")) << images;  // only the header's "image" column

  run("pdftoppm -png -r 50 -singlefile '" + pdf + "' '" + buildPath("plan_landscape_page") + "'");
}

TEST(PlanPdf, TallPlanPrintsPortraitAndASingleColumnToo) {
  Project p;
  testproj::regularFrame(p, 3, 6, 5000, 6000);
  testproj::addCombined(p, 4, 7, 0, -700, 5300, 700, 12700, 7.4f, 1.4f, 0.7f, 0.7f, 6000);  // along Z
  std::string pdf = buildPath("plan_portrait.pdf");
  ASSERT_EQ(draw::printPlanToPdf(p, pdf), "");
  auto [w, h] = pageSize(pdf);
  EXPECT_NEAR(w, 841.89, 1.0);
  EXPECT_NEAR(h, 1190.55, 1.0);
  EXPECT_NE(run("pdftotext '" + pdf + "' -").find("CF- 1"), std::string::npos);
  run("pdftoppm -png -r 50 -singlefile '" + pdf + "' '" + buildPath("plan_portrait_page") + "'");

  Project one;
  testproj::addFooting(one, 1, 0, 0, 1.5f);
  testproj::finish(one);
  pdf = buildPath("plan_single.pdf");
  ASSERT_EQ(draw::printPlanToPdf(one, pdf), "");
  std::tie(w, h) = pageSize(pdf);
  EXPECT_NEAR(w, 841.89, 1.0);  // W = H: portrait
  std::string text = run("pdftotext '" + pdf + "' -");
  EXPECT_NE(text.find("F1"), std::string::npos);
  EXPECT_NE(text.find("(1)"), std::string::npos);
}

TEST(PlanPdf, FailuresAreReportedAsText) {
  Project p = typicalFrame();
  EXPECT_NE(draw::printPlanToPdf(p, "/nonexistent-folder/plan.pdf"), "");

  // A printer that cannot start: its output file cannot be created.
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QStringLiteral("/nonexistent-folder/printed.pdf"));
  EXPECT_EQ(draw::printPlan(p, printer), "The printer could not be started.");

  // The same printer writing where it can gives the A3 page.
  std::string pdf = buildPath("plan_printer.pdf");
  printer.setOutputFileName(QString::fromStdString(pdf));
  EXPECT_EQ(draw::printPlan(p, printer), "");
  auto [w, h] = pageSize(pdf);
  EXPECT_NEAR(w, 1190.55, 1.0);
  EXPECT_NEAR(h, 841.89, 1.0);
}
