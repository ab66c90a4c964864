// Grid lines: distinct column positions, sorted, and the refusal of more than the lists hold.
#include "footing/grid_lines.h"

#include <gtest/gtest.h>

#include <vector>

#include "footing_test_support.h"

using namespace plintova;
using namespace plintova::testing;

namespace {

std::vector<int32_t> listOf(const GridLineList& line) {
  std::vector<int32_t> v;
  for (int k = 1; k <= line[0]; ++k) v.push_back(line[k]);
  return v;
}

}  // namespace

TEST(GridLines, HoldTheDistinctPositionsInAscendingOrder) {
  auto p = makeProject();
  addSupport(*p, 1, 0, 0, {{100, 0, 0}});
  addSupport(*p, 2, 6000, 0, {{100, 0, 0}});
  addSupport(*p, 3, 6000, 4500, {{100, 0, 0}});
  ASSERT_EQ(BuildGridLines(*p), "");
  EXPECT_EQ(listOf(p->GridLineX), (std::vector<int32_t>{0, 6000}));
  EXPECT_EQ(listOf(p->GridLineZ), (std::vector<int32_t>{0, 4500}));

  // Listed in descending order, with negatives and positions 1 mm apart.
  auto q = makeProject();
  const std::vector<int> xs = {9000, 3001, 3000, 0, -1500};
  for (std::size_t i = 0; i < xs.size(); ++i) addSupport(*q, static_cast<int>(i) + 1, xs[i], -xs[i], {{100, 0, 0}});
  ASSERT_EQ(BuildGridLines(*q), "");
  EXPECT_EQ(listOf(q->GridLineX), (std::vector<int32_t>{-1500, 0, 3000, 3001, 9000}));
  EXPECT_EQ(listOf(q->GridLineZ), (std::vector<int32_t>{-9000, -3001, -3000, 0, 1500}));
}

TEST(GridLines, APointIsReferredToItsNearestLinesByLetterAndNumber) {
  auto p = makeProject();
  EXPECT_EQ(gridReference(*p, 0, 0), "");  // no grid yet
  // Lines along X at 0, 6000 and 14500 (numbered 1 to 3), along Z at 0 and 4500 (lettered A, B).
  addSupport(*p, 1, 0, 0, {{100, 0, 0}});
  addSupport(*p, 2, 6000, 4500, {{100, 0, 0}});
  addSupport(*p, 3, 14500, 4500, {{100, 0, 0}});
  ASSERT_EQ(BuildGridLines(*p), "");
  EXPECT_EQ(gridReference(*p, 6000, 4500), "B-2");
  EXPECT_EQ(gridReference(*p, 9900, 2000), "A-2");   // nearer 6000 than 14500, nearer 0 than 4500
  EXPECT_EQ(gridReference(*p, 10300, 2300), "B-3");  // past the middles of both bays
  EXPECT_EQ(gridReference(*p, -900, 99999), "B-1");
  // Letters skip I and O and run on in pairs: lines 8, 9, 24 and 25 are H, J, Z and AA.
  EXPECT_EQ(gridLetter(8) + gridLetter(9) + gridLetter(24) + gridLetter(25), "HJZAA");
}

// Beyond the 199 lines of the old fixed list: every distinct position is a grid line, in order.
TEST(GridLines, EveryDistinctPositionOfALargePlanIsALine) {
  auto p = makeProject();
  constexpr int kColumns = 1000;
  for (int i = 1; i <= kColumns; ++i) addSupport(*p, i, (kColumns - i) * 1000, (i % 2) * 500, {{100, 0, 0}});
  ASSERT_EQ(BuildGridLines(*p), "");
  EXPECT_EQ(p->GridLineX[0], kColumns);
  EXPECT_EQ(p->GridLineX[1], 0);
  EXPECT_EQ(p->GridLineX[kColumns], (kColumns - 1) * 1000);
  EXPECT_EQ(listOf(p->GridLineZ), (std::vector<int32_t>{0, 500}));
}
