// The DXF's group text against dxflib's own ASCII writer, which wrote the drawings before: the same
// bytes for codes, texts, integers, handles and reals of every size a drawing holds.
#include <gtest/gtest.h>

#include <dl_writer_ascii.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "render/dxf_document.h"

using namespace plintova::draw::dxf;

TEST(DxfGroupText, IsWhatDxflibsWriterWrites) {
  std::vector<Group> groups;
  for (int code : {0, 2, 5, 9, 10, 40, 70, 99, 100, 330, 1001, 1071})
    groups.push_back({Group::Kind::Integer, code, {}, code * 7 - 300, 0});
  groups.push_back({Group::Kind::Text, 1, "TEXT with blanks", 0, 0});
  groups.push_back({Group::Kind::Text, 3, "", 0, 0});
  // Reals: whole, half, thirds, tiny, negative zero, the millimetres and paper sizes of a drawing,
  // values at the edge of the 16th decimal, and random ones over many binades.
  std::vector<double> reals = {0.0,  -0.0, 1.0,   -1.0,   0.5,   2.5,     1.0 / 3,      -2.0 / 3, 1e-17, 5e-17,
                               1e-16, 0.1, 0.25,  420.0,  297.0, 34000.0, 123456.789,   1e9,      -1e9,  0.0000000000000001};
  std::mt19937_64 random(26);
  std::uniform_real_distribution<double> unit(-1, 1);
  std::uniform_int_distribution<int> exponent(-20, 30);
  for (int i = 0; i < 20000; ++i) reals.push_back(std::ldexp(unit(random), exponent(random)));
  for (int i = 0; i < 2000; ++i) reals.push_back(std::round(unit(random) * 1e6) / 10);  // whole tenths of a mm
  for (double v : reals) groups.push_back({Group::Kind::Real, 10, {}, 0, v});

  const std::string path = ::testing::TempDir() + "dxf_group_text.dxf";
  {
    DL_WriterA reference(path.c_str(), DL_Codes::AC1015);
    ASSERT_FALSE(reference.openFailed());
    for (const Group& g : groups) {
      if (g.kind == Group::Kind::Text) reference.dxfString(g.code, g.text);
      else if (g.kind == Group::Kind::Integer) reference.dxfInt(g.code, static_cast<int>(g.integer));
      else reference.dxfReal(g.code, g.real);
    }
    reference.close();
  }
  std::ifstream in(path, std::ios::binary);
  std::stringstream expected;
  expected << in.rdbuf();
  std::string text;
  for (const Group& g : groups) appendGroupText(text, g);
  ASSERT_EQ(text.size(), expected.str().size());
  EXPECT_TRUE(text == expected.str());
  std::remove(path.c_str());
}
