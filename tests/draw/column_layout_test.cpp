// The column view: beams of a storey from the lattices, markers and their shift with the offsets.
#include "draw/column_layout.h"

#include <gtest/gtest.h>

#include "test_projects.h"

using namespace plintova;
using namespace plintova::draw;

namespace {

// Two storeys over a 2 x 2 grid (X 0 and 6000, Z 0 and 4500); beams at level 2 only, one beam row per
// direction, and on level 3 only the beam along X from the first joint.
Project twoStoreys() {
  Project p;
  testproj::addFooting(p, 1, 0, 0, 1.5f);
  testproj::addFooting(p, 2, 6000, 0, 1.5f);
  testproj::addFooting(p, 3, 0, 4500, 1.5f);
  testproj::addFooting(p, 4, 6000, 4500, 1.5f);
  testproj::finish(p);
  p.LevelY[0] = 3;
  p.LevelY[1] = 0, p.LevelY[2] = 3000, p.LevelY[3] = 6000;
  int16_t joint = 1;
  for (int iy = 1; iy <= 3; ++iy)
    for (int iz = 1; iz <= 2; ++iz)
      for (int ix = 1; ix <= 2; ++ix) p.JointLattice.set(ix, iy, iz, joint++);
  p.BeamSectionCount = 3;
  p.BeamSectionTable[1][2] = 6000;
  p.BeamSectionTable[2][2] = 4500;
  p.BeamSectionTable[3][2] = 6000;
  p.BeamXLattice.set(1, 2, 1, 1);  // along X from (0, 0)
  p.BeamXLattice.set(1, 2, 2, 3);  // along X from (0, 4500)
  p.BeamZLattice.set(2, 2, 1, 2);  // along Z from (6000, 0)
  p.BeamXLattice.set(1, 3, 1, 1);
  p.BeamZLattice.set(2, 1, 1, 2);  // a ground beam: not on the storey shown
  return p;
}

}  // namespace

TEST(ColumnView, DrawsTheBeamsOfOneStoreyTenMillimetresShort) {
  Project p = twoStoreys();
  EXPECT_EQ(dump(columnLayoutBeams(p, 2)),
            "line Beam (0,0)-(5990,0)\n"
            "line Beam (0,4500)-(5990,4500)\n"
            "line Beam (6000,0)-(6000,4490)\n");
  EXPECT_EQ(dump(columnLayoutBeams(p, 3)), "line Beam (0,0)-(5990,0)\n");
  EXPECT_EQ(dump(columnLayoutBeams(p, 7)), "");
}

TEST(ColumnView, MarkersSitOnTheColumnAndMoveHalfAMarkerWithTheOffset) {
  Project p = twoStoreys();
  // 1600 x 1000 pixels over 16 000 x 10 000 plan mm: 10 mm per pixel, a marker 256/15 px = 170.7 mm.
  Rect fit{-3000, -2000, 13000, 8000};
  MarkerHalfSize half = markerHalfSize(fit, 1600, 1000);
  EXPECT_NEAR(half.hw, 85.333, 0.001);
  EXPECT_DOUBLE_EQ(half.hh, 85);

  FootingRecord& f = p.FootingTable[4];
  Rect r = placeNodeLabel(f, half);
  EXPECT_NEAR(r.left, 6000 - 85.333, 0.001);
  EXPECT_DOUBLE_EQ(r.top, 4500 - 85);
  // Shifted towards larger X and smaller Z: moved by half a marker, and the footing centre does not
  // move the marker (it follows the column and the offset step only).
  f.OffsetX = 1;
  f.OffsetZ = -1;
  f.PosX = 6110;
  r = placeNodeLabel(f, half);
  EXPECT_NEAR(r.left, 6000, 0.001);
  EXPECT_DOUBLE_EQ(r.top, 4500 - 170);

  auto list = columnLayout(p, 2, half, 2);
  std::string markers;
  for (auto& prim : list)
    if (prim.role != Role::Beam) markers += dump(prim) + "\n";
  EXPECT_NE(markers.find("box NodeMarker footing:1 (-85.33333,-85)-(85.33333,85) fill rgb(0,0,0)\n"),
            std::string::npos);
  EXPECT_NE(markers.find("box NodeMarker footing:2 (5914.667,-85)-(6085.333,85) fill rgb(255,255,255)\n"
                         "text NodeLabel footing:2 (6000,0) \"2\" centre middle\n"),
            std::string::npos);
  EXPECT_EQ(std::count(markers.begin(), markers.end(), '\n'), 5);
}
