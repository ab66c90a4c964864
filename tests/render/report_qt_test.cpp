// The calculation report as a PDF, read back with poppler: A4 portrait pages, the contents' page numbers,
// the running header, every schedule row and footing, the clauses; and the file written by its extension.
#include "../command_output.h"
#include "render/report_qt.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <sys/resource.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>

#include "../output/frame1_report_fixture.h"
#include "design/schedule.h"
#include "output/report_content.h"
#include "qt_test_app.h"
#include "input/fingerprints.h"

using namespace plintova;
namespace fs = std::filesystem;

namespace {

std::string run(const std::string& command) { return commandOutput(command); }

// Runs of white space as one blank, so that a sentence broken over lines reads as one.
std::string flat(const std::string& s) { return std::regex_replace(s, std::regex("\\s+"), " "); }

std::string pageText(const std::string& pdf, int page) {
  return run("pdftotext -layout -f " + std::to_string(page) + " -l " + std::to_string(page) + " '" + pdf + "' -");
}

class ReportPdf : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    testapp::ensure();
    project_ = report_test::designedFrame1(PLINTOVA_EXAMPLES "/FRAME1.ANL").release();
    if (!project_) return;
    pdf_ = PLINTOVA_BUILD_DIR "/report_frame1.pdf";
    fs::remove(pdf_);
    written_ = draw::writeReport(*project_, pdf_, "2025-01-31");
  }
  static void TearDownTestSuite() { delete project_; }
  void SetUp() override {
    ASSERT_NE(project_, nullptr) << "the example frame could not be designed";
    ASSERT_EQ(written_, "");
  }
  static Project* project_;
  static std::string pdf_, written_;
};

Project* ReportPdf::project_ = nullptr;
std::string ReportPdf::pdf_, ReportPdf::written_;

}  // namespace

TEST_F(ReportPdf, IsA4PortraitWithContentsHeaderAndPageNumbers) {
  const std::string info = run("pdfinfo '" + pdf_ + "'");
  EXPECT_TRUE(std::regex_search(info, std::regex("Page size: +595[.0-9]* x 84[12][.0-9]* pts \\(A4\\)"))) << info;
  std::smatch m;
  ASSERT_TRUE(std::regex_search(info, m, std::regex("Pages:\\s+(\\d+)")));
  const int pages = std::stoi(m[1]);
  EXPECT_GT(pages, 10);

  // The report's three faces are embedded as subsets with their Unicode maps, poppler reads the whole
  // file without a complaint, and a word set with a ligature ("ff") reads back as its letters.
  const std::string fonts = run("pdffonts '" + pdf_ + "' 2>&1");
  for (const char* face : {"DejaVuSans-Book", "DejaVuSans-Bold", "DejaVuSans-Oblique"})
    EXPECT_TRUE(std::regex_search(
        fonts, std::regex(std::string("[A-Z]{6}\\+") + face + " +CID TrueType +Identity-H +yes yes yes")))
        << fonts;
  EXPECT_EQ(run("pdftotext '" + pdf_ + "' /dev/null 2>&1"), "");
  EXPECT_NE(flat(run("pdftotext '" + pdf_ + "' -")).find("spacings and effective depths in mm"), std::string::npos);

  // The cover names the project, the listing with its fingerprint, the version and the date.
  const std::string cover = flat(pageText(pdf_, 1));
  for (const std::string& want : {std::string("Footing design calculation"), std::string("Hostel block, Pune"),
                                  std::string("FRAME1.ANL"), listingSha256(*project_),
                                  std::string("Plintova ") + PLINTOVA_VERSION, std::string("2025-01-31")})
    EXPECT_NE(cover.find(want), std::string::npos) << want;

  // Every entry of the contents leads to the page that starts with (or holds) its heading.
  const std::string contents = pageText(pdf_, 2);
  ASSERT_NE(contents.find("Contents"), std::string::npos);
  int checked = 0;
  for (const std::string heading : {"4.1 F1:", "4.9 C1:", "6 Quantities", "3.2 Footings", "2.6 Rows of combined"}) {
    std::smatch entry;
    ASSERT_TRUE(std::regex_search(contents, entry, std::regex(std::regex_replace(heading, std::regex("\\."), "\\.") +
                                                              "[^\\n]*?(\\d+)\\n")))
        << heading;
    const int page = std::stoi(entry[1]);
    ASSERT_GE(page, 3);
    ASSERT_LE(page, pages);
    EXPECT_NE(flat(pageText(pdf_, page)).find(heading), std::string::npos) << heading << " on page " << page;
    ++checked;
  }
  EXPECT_EQ(checked, 5);

  // The running header and the page number on a page within the report.
  const std::string third = pageText(pdf_, 3);
  EXPECT_NE(third.find("Hostel block, Pune"), std::string::npos);
  EXPECT_NE(third.find("FRAME1.ANL"), std::string::npos);
  EXPECT_NE(third.find("Page 3 of " + std::to_string(pages)), std::string::npos);
}

TEST_F(ReportPdf, HoldsEveryRowEveryFootingAndTheClauses) {
  const std::string text = flat(run("pdftotext '" + pdf_ + "' -"));
  const Project& p = *project_;
  // Each schedule row ends in its adopted figures, as the schedule gives them.
  for (int r = 1; r <= p.DesignGroupCount; ++r) {
    const auto t = scheduleRowTexts(p, r);
    const std::size_t at = text.find("Adopted: " + t[kColMark] + ",");
    ASSERT_NE(at, std::string::npos) << t[kColMark];
    const std::string adopted = text.substr(at, 300);
    EXPECT_NE(adopted.find("depth " + t[kColDepth] + " m"), std::string::npos) << adopted;
    EXPECT_NE(adopted.find(t[kColRods] + " bars " + t[kColDia] + " \u00d8 @ " + t[kColSpace] + " each way"),
              std::string::npos)
        << adopted;
    EXPECT_NE(adopted.find("Checks: " + checksSummary(p.DesignGroupTable[r].checks)), std::string::npos) << adopted;
  }
  ASSERT_EQ(p.RectangularRows.size(), 1u);
  ASSERT_EQ(p.CombinedRows.size(), 1u);
  for (const FootingRow* row : {&p.RectangularRows[0], &p.CombinedRows[0]}) {
    const auto t = footingRowTexts(p, *row);
    const std::size_t at = text.find("Adopted: " + t[kColMark] + ",");
    ASSERT_NE(at, std::string::npos) << t[kColMark];
    const std::string adopted = text.substr(at, 600);
    EXPECT_NE(adopted.find("depth " + t[kColDepth] + " m"), std::string::npos) << adopted;
    EXPECT_NE(adopted.find(t[kColCantilever]), std::string::npos) << adopted;
    EXPECT_NE(adopted.find("Checks: " + t[kColSF1]), std::string::npos) << adopted;
  }
  // The combined footing fails a check on this frame: its verdict says which.
  EXPECT_NE(text.find("Result: C1: " + checksSummary(p.CombinedRows[0].checks)), std::string::npos);

  // Every footing is a line of the summary: joint, grid reference, position, mark.
  std::string layout = run("pdftotext -layout '" + pdf_ + "' -");
  for (int s = 1; s <= p.FootingCount; ++s) {
    const FootingRecord& f = p.FootingTable[s];
    std::string mark = f.Kind == FootingKind::Combined    ? "C" + std::to_string(f.CombinedNo)
                       : f.Kind == FootingKind::HandResized ? "R" + std::to_string(f.GroupRank)
                       : f.Kind == FootingKind::Isolated  ? "F" + std::to_string(f.GroupRank)
                                        : "disabled";
    const std::regex line("\\n\\s*" + std::to_string(f.JointNo) + "\\s+[A-Z]+-[0-9]+\\s+[-0-9.]+\\s+[-0-9.]+\\s+" + mark +
                          "\\s");
    EXPECT_TRUE(std::regex_search(layout, line)) << "joint " << f.JointNo << " " << mark;
  }

  for (const char* clause : {"IS 456:2000", "Table 18", "Table 19", "Annex G-1.1 b", "Annex G-1.1 c", "34.1.2",
                             "34.2.3.2", "34.2.4.1 a", "34.2.4.1 b", "31.6.3.1", "26.3.3 b", "26.5.2.1",
                             "34.2.4.3", "34.3.1 c", "26.4.2.2"})
    EXPECT_NE(text.find(clause), std::string::npos) << clause;
  for (const char* method : {"0.138 fck", "0.25 √fck", "d = D − 60 mm", "qu B c²/2", "90° bend"})
    EXPECT_NE(text.find(method), std::string::npos) << method;

  // Pictures for the documentation: the cover and the first group row; the combined footing's row with its
  // figure and the first page of the appendix.
  const std::string contents = pageText(pdf_, 2);
  const std::string stem = PLINTOVA_BUILD_DIR "/report_page";
  auto pageOf = [&](const std::string& heading) {
    std::smatch entry;
    EXPECT_TRUE(std::regex_search(contents, entry, std::regex(heading + "[^\\n]*?(\\d+)\\n"))) << heading;
    return entry.empty() ? std::string("1") : std::string(entry[1]);
  };
  auto picture = [&](const std::string& first, const std::string& second, const char* name) {
    run("pdftoppm -r 70 -png -f " + first + " -l " + first + " -singlefile '" + pdf_ + "' '" + stem + "1'");
    run("pdftoppm -r 70 -png -f " + second + " -l " + second + " -singlefile '" + pdf_ + "' '" + stem + "2'");
    QImage one(QString::fromStdString(stem + "1.png")), two(QString::fromStdString(stem + "2.png"));
    ASSERT_FALSE(one.isNull());
    ASSERT_FALSE(two.isNull());
    QImage both(one.width() + two.width() + 30, std::max(one.height(), two.height()) + 20, QImage::Format_RGB32);
    both.fill(QColor(200, 200, 200));
    {
      QPainter painter(&both);
      painter.drawImage(10, 10, one);
      painter.drawImage(20 + one.width(), 10, two);
    }
    EXPECT_TRUE(both.save(QString::fromLatin1(PLINTOVA_BUILD_DIR "/") + QString::fromLatin1(name)));
  };
  picture("1", pageOf("4\\.1 F1:"), "report-pages.png");
  picture(pageOf("4\\.9 C1:"), pageOf("A\\.1 F1:"), "report-combined.png");
}

TEST_F(ReportPdf, TheNameChoosesTheFormatAndTheInputsAreNeverWritten) {
  const fs::path folder = PLINTOVA_BUILD_DIR "/report-targets";
  fs::remove_all(folder);
  fs::create_directories(folder);
  // Markdown by its extension, in either case.
  const fs::path md = folder / "frame1.MD";
  ASSERT_EQ(draw::writeReport(*project_, md.string(), "2025-01-31"), "");
  std::ifstream in(md);
  std::stringstream bytes;
  bytes << in.rdbuf();
  EXPECT_EQ(bytes.str(), report::markdown(calculationReport(*project_, "2025-01-31")));
  // Anything else is refused and leaves nothing.
  const fs::path txt = folder / "frame1.txt";
  EXPECT_NE(draw::writeReport(*project_, txt.string()).find("must end in .pdf or .md"), std::string::npos);
  EXPECT_FALSE(fs::exists(txt));
  // The listing, even by a name that ends in .pdf (a link to it), is never replaced.
  const fs::path link = folder / "listing.pdf";
  fs::create_symlink(project_->AnlPath, link);
  const auto before = fs::file_size(project_->AnlPath);
  EXPECT_NE(draw::writeReport(*project_, link.string()), "");
  EXPECT_EQ(fs::file_size(project_->AnlPath), before);
  // The pages go into the file as they are painted: a write that fails on the way (here beyond a
  // file-size limit of 64 KB) is reported, leaves the earlier file whole and no temporary file.
  const fs::path pdf = folder / "frame1.pdf";
  std::ofstream(pdf) << "earlier";
  struct rlimit limit {};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &limit), 0);
  const struct rlimit small = {64 * 1024, limit.rlim_max};
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const std::string failed = draw::writeReport(*project_, pdf.string(), "2025-01-31");
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
  EXPECT_EQ(failed.rfind("The report " + pdf.string() + " could not be written: ", 0), 0u) << failed;
  std::ifstream kept(pdf);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "earlier");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 3);  // md, link, pdf
  fs::remove_all(folder);
}

// A project named in scripts the report's glyph tables do not hold, read back from the cover with the
// report's own words around it. Chinese (and here Devanagari) no installed font may have: Qt's engine then
// makes the report and draws boxes. Hebrew and Arabic DejaVu Sans has, set right to left: the program's
// writer makes it, and the words read back in the order they are read, with every blank still a blank.
TEST_F(ReportPdf, NamesInOtherScriptsReadBackAndLeaveTheOtherTextsAsTheyAre) {
  struct Case {
    const char* name;
    std::vector<std::string> words;
  };
  const Case cases[] = {{"Hostel बिल्डिंग 北京 d̄ ﬁnal ваза", {"Hostel", "ваза"}},
                        {"Hostel שלום مرحبا ваза", {"Hostel", "שלום", "مرحبا", "ваза"}}};
  std::string& name = project_->decisions.sheet.project;
  const std::string before = name;
  for (const Case& c : cases) {
    name = c.name;
    const std::string pdf = PLINTOVA_BUILD_DIR "/report_scripts.pdf";
    const std::string written = draw::writeReport(*project_, pdf, "2025-01-31");
    name = before;
    ASSERT_EQ(written, "") << c.name;
    const std::string cover = flat(pageText(pdf, 1));
    for (const std::string& word : c.words) EXPECT_NE(cover.find(word), std::string::npos) << c.name << ": " << cover;
    EXPECT_NE(cover.find("Isolated, hand-resized and combined footings to IS 456:2000"), std::string::npos) << cover;
    EXPECT_EQ(run("pdftotext '" + pdf + "' /dev/null 2>&1"), "");
  }
}
