// The listing at the model's full capacity (500 supports, 36 load cases, from the benchmark's generator)
// drawn and reported: no two marks of its sheets touch, each stands by its own footing, and its report's
// body ends long before the per-case tables of its appendix.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>

#include "../command_output.h"
#include "../render/qt_test_app.h"
#include "footing/derived_plan.h"
#include "footing/design_inputs.h"
#include "input/listing_reader.h"
#include "model/prompter.h"
#include "print/sheet_layout.h"
#include "print/sheet_text.h"
#include "project/schedule_design.h"
#include "render/report_qt.h"

using namespace plintova;
using draw::Primitive;
using draw::Role;
using draw::Shape;
namespace fs = std::filesystem;

namespace {

std::string run(const std::string& command) { return commandOutput(command); }

class CapacityListing : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const std::string listing = PLINTOVA_BUILD_DIR "/capacity_test.ANL";
    if (!fs::exists(listing) && std::system(("'" PLINTOVA_MAKE_LISTING "' '" + listing + "' >/dev/null").c_str()) != 0)
      return;
    auto p = std::make_unique<Project>();
    RecordingPrompter prompter;
    readListing(*p, listing, prompter);
    if (!acceptDesignInputs(*p, "1.5", "200") || !startPlan(*p, prompter).empty() || !designSchedule(*p, prompter))
      return;
    project_ = p.release();
  }
  static void TearDownTestSuite() { delete project_; }
  void SetUp() override { ASSERT_NE(project_, nullptr) << "the capacity listing could not be made and designed"; }
  static Project* project_;
};

Project* CapacityListing::project_ = nullptr;

TEST_F(CapacityListing, NoTwoMarksOfItsSheetsTouchAndEachStandsByItsFooting) {
  const draw::TextMeasure measure = print::sheetFontMeasure();
  const std::vector<print::Sheet> sheets = print::footingSheets(*project_, {}, measure);
  ASSERT_GT(sheets.size(), 1u);
  int marks = 0;
  for (const print::Sheet& s : sheets) {
    std::vector<std::pair<draw::Id, draw::Rect>> texts, outlines, leaders;
    for (const Primitive& q : s.primitives) {
      const draw::Rect r{std::min(q.x1, q.x2), std::min(q.z1, q.z2), std::max(q.x1, q.x2), std::max(q.z1, q.z2)};
      if (q.role == Role::FootingOutline || q.role == Role::CombinedOutline) outlines.push_back({q.id, r});
      if (q.role == Role::FootingMark && q.shape == Shape::Line) leaders.push_back({q.id, r});
      if (q.role == Role::FootingMark && q.shape == Shape::Text) texts.push_back({q.id, print::textRect(q, measure)});
    }
    for (std::size_t i = 0; i < texts.size(); ++i) {
      for (std::size_t j = i + 1; j < texts.size(); ++j)
        ASSERT_FALSE(print::overlaps(texts[i].second, texts[j].second, 0.2))
            << "sheet " << s.number << ": the marks of footings " << texts[i].first.index << " and "
            << texts[j].first.index << " touch";
      double own = 1e9, other = 1e9;
      for (const auto& [id, o] : outlines)
        (id == texts[i].first ? own : other) = std::min(id == texts[i].first ? own : other, print::distance(texts[i].second, o));
      const bool led = std::any_of(leaders.begin(), leaders.end(), [&](const auto& l) {
        return l.first == texts[i].first && print::distance(l.second, texts[i].second) < 1e-6;
      });
      EXPECT_TRUE(own < other || led) << "sheet " << s.number << ": mark of footing " << texts[i].first.index;
    }
    marks += static_cast<int>(texts.size());
  }
  EXPECT_EQ(marks, project_->FootingCount);
}

TEST_F(CapacityListing, ItsReportsBodyEndsWithinAHundredPagesTheCaseTablesInTheAppendix) {
  testapp::ensure();
  const std::string pdf = PLINTOVA_BUILD_DIR "/capacity_report.pdf";
  ASSERT_EQ(draw::writeReport(*project_, pdf, "2025-01-31"), "");
  std::istringstream pages(run("pdftotext -layout '" + pdf + "' -"));
  std::string page;
  int number = 0, appendix = 0, caseTablesInBody = 0;
  while (std::getline(pages, page, '\f')) {
    ++number;
    std::istringstream lines(page);
    for (std::string line; std::getline(lines, line);) {
      const std::size_t at = line.find_first_not_of(' ');
      if (at == std::string::npos) continue;
      const bool leaders = line.find(". .") != std::string::npos;  // a line of the contents
      if (!appendix && !leaders && line.compare(at, 34, "Appendix A: Pressures by load case") == 0) appendix = number;
      if (!appendix && line.find("MX kN·m") != std::string::npos && line.find("pmin") != std::string::npos) ++caseTablesInBody;
    }
  }
  ASSERT_GT(appendix, 2) << "no appendix";
  // The report of this listing ran to 407 pages, 320 of them pressure rows: the body now ends within a
  // quarter of that, and the tables of every case come after it.
  EXPECT_LE(appendix, 101);
  EXPECT_GT(number, appendix);
  EXPECT_EQ(caseTablesInBody, 0);
}

}  // namespace
