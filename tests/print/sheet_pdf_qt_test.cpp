// The footing drawing as a PDF and on a printer, read back with poppler: a designed plan too wide for
// one sheet split with match lines and "n OF m", one page per sheet on the chosen paper, and the
// writer's refusals.
#include <gtest/gtest.h>

#include <QPrinter>
#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "../command_output.h"
#include "../draw/test_projects.h"
#include "../input/listing_builder.h"
#include "../render/qt_test_app.h"
#include "footing/derived_plan.h"
#include "footing/design_inputs.h"
#include "project/schedule_design.h"
#include "render/sheet_qt.h"

using namespace plintova;

namespace {

std::string run(const std::string& command) { return commandOutput(command + " 2>&1"); }

std::string buildPath(const std::string& name) { return std::string(PLINTOVA_BUILD_DIR) + "/" + name; }

int pageCount(const std::string& pdf) {
  const std::string info = run("pdfinfo '" + pdf + "'");
  const auto at = info.find("Pages:");
  return at == std::string::npos ? 0 : std::stoi(info.substr(at + 6));
}

std::string pageSizeLine(const std::string& pdf) {
  const std::string info = run("pdfinfo '" + pdf + "'");
  const auto at = info.find("Page size:");
  return at == std::string::npos ? std::string() : info.substr(at, info.find('\n', at) - at);
}

std::string pageText(const std::string& pdf, int page) {
  const std::string k = std::to_string(page);
  return run("pdftotext -f " + k + " -l " + k + " '" + pdf + "' -");
}

struct Word {
  double x0, y0, x1, y1;
  std::string text;
};

std::vector<Word> pageWords(const std::string& pdf, int page) {
  const std::string k = std::to_string(page);
  const std::string html = run("pdftotext -bbox -f " + k + " -l " + k + " '" + pdf + "' -");
  static const std::regex word(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
  std::vector<Word> words;
  for (auto it = std::sregex_iterator(html.begin(), html.end(), word); it != std::sregex_iterator(); ++it)
    words.push_back({std::stod((*it)[1]), std::stod((*it)[2]), std::stod((*it)[3]), std::stod((*it)[4]), (*it)[5]});
  return words;
}

// A frame of nx x nz columns at 6 m, each on a support with its own reaction, as an analysis listing
// in metres and kN.
std::string wideListing(int nx, int nz) {
  plintova::testing::ListingBuilder b;
  b.joints.clear();
  b.members.clear();
  b.reactions.clear();
  int j = 0;
  for (int r = 0; r < nz; ++r)
    for (int c = 0; c < nx; ++c) {
      ++j;
      const std::string x = std::to_string(6 * c), z = std::to_string(6 * r);
      b.joints.push_back(std::to_string(j) + " " + x + " 0 " + z + "; " + std::to_string(1000 + j) + " " + x + " 3.5 " + z + ";");
      b.members.push_back(std::to_string(j) + " " + std::to_string(j) + " " + std::to_string(1000 + j));
      b.reactions += plintova::testing::reactionRow(j, 1, 450 + 60 * ((c + 2 * r) % 6));
    }
  return b.text();
}

// The listing read from its file, sized, grouped and designed for SBC 200 kN/m2 at 1.5 m.
std::unique_ptr<Project> designedWideFrame(const std::string& path) {
  {
    std::ofstream out(path, std::ios::binary);
    out << wideListing(41, 3);
  }
  auto p = std::make_unique<Project>();
  RecordingPrompter quiet;
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  readListingText(*p, text.str(), path, quiet);
  EXPECT_TRUE(acceptDesignInputs(*p, "1.5", "200"));
  EXPECT_EQ(startPlan(*p, quiet), "");
  EXPECT_TRUE(designSchedule(*p, quiet));
  return p;
}

}  // namespace

TEST(SheetPdf, AWidePlanIsSplitOverSheetsWithMatchLinesAndItsSchedule) {
  testapp::ensure();
  const std::string listing = buildPath("WIDE.ANL");
  const auto p = designedWideFrame(listing);
  ASSERT_EQ(p->FootingCount, 123);
  ASSERT_TRUE(p->scheduleDesigned);
  p->decisions.sheet.project = "LOGISTICS SHED";
  p->decisions.sheet.number = "S-201";

  const std::vector<print::Sheet> sheets = draw::drawingSheets(*p);
  ASSERT_GE(sheets.size(), 2u);
  const int count = static_cast<int>(sheets.size());
  const std::string pdf = buildPath("sheet_split.pdf");
  std::remove(pdf.c_str());
  ASSERT_EQ(draw::writeSheetsPdf(*p, pdf), "");
  ASSERT_EQ(pageCount(pdf), count);
  EXPECT_NE(pageSizeLine(pdf).find("1191 x 842 pts (A3)"), std::string::npos) << pageSizeLine(pdf);

  const std::string scale = "1:" + std::to_string(sheets.front().scale) + " (A3)";
  std::string all;
  for (int k = 1; k <= count; ++k) {
    SCOPED_TRACE("sheet " + std::to_string(k));
    const std::string text = pageText(pdf, k);
    all += text;
    // A sheet of sections states its views' scales; every other sheet the plan's.
    const bool sections = text.find("TYPICAL SECTIONS") != std::string::npos;
    for (const std::string& want : {std::to_string(k) + " OF " + std::to_string(count), sections ? "AS SHOWN" : scale,
                                    std::string("LOGISTICS SHED"), std::string("S-201"), std::string("WIDE.ANL")})
      EXPECT_NE(text.find(want), std::string::npos) << want;
    if (sheets[static_cast<std::size_t>(k - 1)].kind == print::Sheet::Kind::Plan) {
      EXPECT_NE(text.find("PART " + std::to_string(k) + " OF"), std::string::npos);
      if (k > 1) {
        EXPECT_NE(text.find("MATCH LINE - SEE SHEET " + std::to_string(k - 1)), std::string::npos);
      }
      if (k < count && sheets[static_cast<std::size_t>(k)].kind == print::Sheet::Kind::Plan) {
        EXPECT_NE(text.find("MATCH LINE - SEE SHEET " + std::to_string(k + 1)), std::string::npos);
      }
    }
    const std::vector<Word> words = pageWords(pdf, k);
    for (std::size_t i = 0; i < words.size(); ++i)
      for (std::size_t j = i + 1; j < words.size(); ++j) {
        const Word& a = words[i];
        const Word& b = words[j];
        const bool over = a.x0 + 0.3 < b.x1 - 0.3 && b.x0 + 0.3 < a.x1 - 0.3 && a.y0 + 0.3 < b.y1 - 0.3 &&
                          b.y0 + 0.3 < a.y1 - 0.3;
        EXPECT_FALSE(over) << a.text << " over " << b.text;
      }
  }
  // The schedule on sheet 1, every designed row with its mark and depth in mm; the others point to it.
  const std::string first = pageText(pdf, 1);
  EXPECT_NE(first.find("FOOTING SCHEDULE"), std::string::npos);
  for (int r = 1; r <= p->DesignGroupCount; ++r) {
    const SizeGroupRecord& g = p->DesignGroupTable[r];
    if (g.MemberCount == 0) continue;
    const std::string mark = "F" + std::to_string(g.GroupMark);
    EXPECT_TRUE(std::regex_search(first, std::regex("\\b" + mark + "\\b"))) << mark;
    EXPECT_NE(first.find(std::to_string(static_cast<int>(std::lround(g.TotalDepth * 1000)))), std::string::npos);
  }
  EXPECT_NE(pageText(pdf, 2).find("SEE SHEET 1"), std::string::npos);
  // Grid lines 1 to 41 and A to C are named somewhere on the sheets.
  for (const char* name : {"1", "21", "41", "A", "B", "C"})
    EXPECT_TRUE(std::regex_search(all, std::regex(std::string("\\b") + name + "\\b"))) << name;
  run("pdftoppm -png -r 60 '" + pdf + "' '" + buildPath("sheet_split") + "'");
}

TEST(SheetPdf, PrintsOnePagePerSheetOnTheChosenPaper) {
  testapp::ensure();
  Project p;
  testproj::regularFrame(p, 6, 4, 6000, 4500);
  p.decisions.sheet.paper = "A2";
  const std::vector<print::Sheet> sheets = draw::drawingSheets(p);
  ASSERT_EQ(sheets.size(), 1u);
  EXPECT_EQ(sheets.front().paper.name, "A2");

  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QStringLiteral("/nonexistent-folder/sheet.pdf"));
  EXPECT_EQ(draw::printSheets(sheets, printer), "The printer could not be started.");

  const std::string pdf = buildPath("sheet_a2_printer.pdf");
  printer.setOutputFileName(QString::fromStdString(pdf));
  ASSERT_EQ(draw::printSheets(sheets, printer), "");
  EXPECT_EQ(pageCount(pdf), 1);
  EXPECT_NE(pageSizeLine(pdf).find("1684 x 1191 pts (A2)"), std::string::npos) << pageSizeLine(pdf);
  const std::string text = pageText(pdf, 1);
  EXPECT_NE(text.find("(A2)"), std::string::npos);
  EXPECT_NE(text.find("No schedule designed yet"), std::string::npos);

  // The whole paper is the page: the frame's corner lies 20 mm from the left edge (binding) and 10 mm
  // from the top, whatever margins the printer had.
  const std::vector<Word> words = pageWords(pdf, 1);
  ASSERT_FALSE(words.empty());
  double left = 1e9, top = 1e9;
  for (const Word& w : words) left = std::min(left, w.x0), top = std::min(top, w.y0);
  EXPECT_GT(left, 20 / 25.4 * 72);
  EXPECT_GT(top, 10 / 25.4 * 72);
  EXPECT_LT(left, 60 / 25.4 * 72);
}

TEST(SheetPdf, TheListingIsNeverWrittenAndAFailedWriteIsReported) {
  testapp::ensure();
  Project p;
  testproj::regularFrame(p, 3, 3, 5000, 5000);
  const std::string listing = buildPath("SHEET.ANL");
  {
    std::ofstream out(listing);
    out << "listing\n";
  }
  p.AnlPath = listing;
  const std::string refused = draw::writeSheetsPdf(p, listing);
  EXPECT_NE(refused.find("could not be written"), std::string::npos) << refused;
  std::ifstream in(listing);
  std::string kept;
  std::getline(in, kept);
  EXPECT_EQ(kept, "listing");
  const std::string missing = draw::writeSheetsPdf(p, "/nonexistent-folder/sheet.pdf");
  EXPECT_NE(missing.find("The PDF file /nonexistent-folder/sheet.pdf could not be written"), std::string::npos) << missing;

  QByteArray bytes;
  ASSERT_EQ(draw::sheetsPdfBytes(p, bytes), "");
  EXPECT_TRUE(bytes.startsWith("%PDF-"));
}
