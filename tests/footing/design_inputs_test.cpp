// Acceptance of the founding depth and SBC texts.
#include "footing/design_inputs.h"

#include <gtest/gtest.h>

using namespace plintova;

TEST(DesignInputs, DepthFrom0To6AndSbcFrom50To1000AreAccepted) {
  Project p;
  EXPECT_TRUE(acceptDesignInputs(p, "1.5", "200"));
  EXPECT_EQ(p.EarthPressure, 30.0f);
  EXPECT_EQ(p.CaseSbc[0], 200.0f);
  for (int c = 1; c <= 35; ++c) EXPECT_EQ(p.CaseSbc[c], 250.0f);

  EXPECT_TRUE(acceptDesignInputs(p, "0", "50"));
  EXPECT_EQ(p.EarthPressure, 0.0f);
  EXPECT_TRUE(acceptDesignInputs(p, "6", "1000"));
  EXPECT_EQ(p.EarthPressure, 120.0f);
  EXPECT_TRUE(acceptDesignInputs(p, "1.75", " 300 "));  // values outside the lists are fine
  EXPECT_EQ(p.EarthPressure, 35.0f);
  EXPECT_EQ(p.CaseSbc[35], 375.0f);
}

TEST(DesignInputs, SbcRoundsHalfToEven) {
  Project p;
  ASSERT_TRUE(acceptDesignInputs(p, "1", "150.4"));
  EXPECT_EQ(p.CaseSbc[0], 150.0f);
  ASSERT_TRUE(acceptDesignInputs(p, "1", "150.5"));
  EXPECT_EQ(p.CaseSbc[0], 150.0f);
  ASSERT_TRUE(acceptDesignInputs(p, "1", "151.5"));
  EXPECT_EQ(p.CaseSbc[0], 152.0f);
  ASSERT_TRUE(acceptDesignInputs(p, "1", "49.5"));  // 50 after rounding
  EXPECT_EQ(p.CaseSbc[0], 50.0f);
}

TEST(DesignInputs, RefusedEntriesChangeNothingExceptADepthAlreadyTaken) {
  Project p;
  ASSERT_TRUE(acceptDesignInputs(p, "1.5", "200"));
  for (const char* depth : {"6.01", "-0.5", "Select", "", "1.5m"}) {
    EXPECT_FALSE(acceptDesignInputs(p, depth, "300")) << depth;
    EXPECT_EQ(p.EarthPressure, 30.0f);
    EXPECT_EQ(p.CaseSbc[0], 200.0f);
  }
  for (const char* sbc : {"49", "1001", "Select", "1e9", "-200"}) {
    EXPECT_FALSE(acceptDesignInputs(p, "2", sbc)) << sbc;
    EXPECT_EQ(p.CaseSbc[0], 200.0f);
    EXPECT_EQ(p.CaseSbc[1], 250.0f);
  }
  EXPECT_EQ(p.EarthPressure, 40.0f);  // the valid depth before a refused SBC was taken
}
