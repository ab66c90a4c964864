// The frame lattice: levels, joints, columns and beams of small frames, checked against dense tables.
#include "model/frame_lattice.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

#include "model/errors.h"

using namespace plintova;

namespace {

struct Frame {
  std::unique_ptr<Project> p = std::make_unique<Project>();
  void joint(int n, int x, int y, int z) {
    auto& r = p->JointTable[++p->JointCount];
    r[0] = n, r[1] = x, r[2] = y, r[3] = z;
  }
  void member(int n, int a, int b) {
    auto& r = p->MemberTable[++p->MemberTotal];
    r[0] = n, r[1] = a, r[2] = b;
  }
  void column(int member) { p->ColumnSectionTable[++p->ColumnSectionCount][1] = member; }
  void beam(int member) { p->BeamSectionTable[++p->BeamSectionCount][1] = static_cast<float>(member); }
  void support(int joint) {
    int s = p->supportCount() + 1;
    p->ReactionTable(s, 0, 0) = static_cast<float>(joint);
    p->ReactionTable(0, 0, 0) = static_cast<float>(s);
  }
  void build() {
    buildFrame(*p);
  }
};

// The lattice as dense tables, built the plain way: every point against every joint.
struct Dense {
  int nx, ny, nz;
  std::vector<int> joint, column, beamX, beamZ;
  int at(int ix, int iy, int iz) const { return (ix * (ny + 2) + iy) * (nz + 2) + iz; }
  explicit Dense(const Project& p)
      : nx(static_cast<int>(p.LevelX[0])), ny(static_cast<int>(p.LevelY[0])), nz(static_cast<int>(p.LevelZ[0])) {
    const std::size_t size = static_cast<std::size_t>((nx + 2) * (ny + 2) * (nz + 2));
    joint.assign(size, 0), column.assign(size, 0), beamX.assign(size, 0), beamZ.assign(size, 0);
    auto between = [&](int a, int b) {
      for (int m = 1; m <= p.MemberTotal; ++m)
        if (p.MemberTable[m][1] == a && p.MemberTable[m][2] == b) return p.MemberTable[m][0];
      return 0;
    };
    auto columnRow = [&](int m) {
      for (int c = 1; c <= p.ColumnSectionCount; ++c)
        if (p.ColumnSectionTable[c][1] == m) return c;
      return 0;
    };
    auto beamRow = [&](int m) {
      for (int b = 1; b <= p.BeamSectionCount; ++b)
        if (p.BeamSectionTable[b][1] == m) return b;
      return 0;
    };
    for (int ix = 1; ix <= nx; ++ix)
      for (int iy = 1; iy <= ny; ++iy)
        for (int iz = 1; iz <= nz; ++iz)
          for (int j = 1; j <= p.JointCount; ++j)
            if (p.JointTable[j][1] == p.LevelX[ix] && p.JointTable[j][2] == p.LevelY[iy] && p.JointTable[j][3] == p.LevelZ[iz])
              joint[at(ix, iy, iz)] = p.JointTable[j][0];
    for (int iy = 2; iy <= ny; ++iy)
      for (int ix = 1; ix <= nx; ++ix)
        for (int iz = 1; iz <= nz; ++iz) {
          int t = joint[at(ix, iy, iz)];
          if (t <= 0) continue;
          int k = iy - 1;
          while (joint[at(ix, k, iz)] == 0 && k > 1) --k;
          int b = joint[at(ix, k, iz)], m = 0;
          if (b > 0 && (m = between(b, t)) != 0) column[at(ix, iy, iz)] = columnRow(m);
          k = ix + 1;
          while (k <= nx && joint[at(k, iy, iz)] == 0) ++k;
          int n = joint[at(k, iy, iz)];
          if (n > 0 && (m = between(t, n)) != 0) beamX[at(ix, iy, iz)] = beamRow(m);
          k = iz + 1;
          while (k <= nz && joint[at(ix, iy, k)] == 0) ++k;
          n = joint[at(ix, iy, k)];
          if (n > 0 && (m = between(t, n)) != 0) beamZ[at(ix, iy, iz)] = beamRow(m);
        }
  }
};

}  // namespace

TEST(FrameLattice, TwoStoreyTwoByTwoFrame) {
  Frame f;
  int n = 0;
  for (int y : {0, 3000, 6000})
    for (int z : {0, 5000})
      for (int x : {0, 4000}) f.joint(++n, x, y, z);
  int m = 0;
  for (int j = 1; j <= 8; ++j) f.member(++m, j, j + 4), f.column(m);  // columns 1..8
  for (int base : {5, 9}) {
    f.member(++m, base, base + 1), f.beam(m);          // along X
    f.member(++m, base + 2, base + 3), f.beam(m);
    f.member(++m, base, base + 2), f.beam(m);          // along Z
    f.member(++m, base + 1, base + 3), f.beam(m);
  }
  for (int j = 1; j <= 4; ++j) f.support(j);
  f.build();
  const Project& p = *f.p;
  EXPECT_EQ(p.LevelX[0], 2);
  EXPECT_EQ(p.LevelY[0], 3);
  EXPECT_EQ(p.LevelZ[0], 2);
  EXPECT_EQ(p.LevelY[3], 6000);
  EXPECT_EQ(p.JointLattice.get(2, 3, 2), 12);
  EXPECT_EQ(p.ColumnLattice.size(), 8u);
  EXPECT_EQ(p.ColumnLattice.get(2, 2, 1), 2);  // column 2 rises from joint 2 to joint 6
  EXPECT_EQ(p.ColumnLattice.get(1, 3, 2), 7);
  EXPECT_EQ(p.BeamXLattice.get(1, 2, 1), 1);
  EXPECT_EQ(p.BeamZLattice.get(2, 3, 1), 8);
  EXPECT_EQ(p.BeamXLattice.get(2, 2, 1), 0);  // nothing beyond the last level
  for (int s = 1; s <= 4; ++s) EXPECT_EQ(p.FootingTable[s].ColumnMember, s);
}

TEST(FrameLattice, LooksDownPastMissingJointsAndKeepsTheLaterOfTwoJoints) {
  Frame f;
  f.joint(1, 0, 0, 0);
  f.joint(2, 0, 6000, 0);   // a column from 1 to 2 with no joint at the level between
  f.joint(3, 5000, 3000, 0);  // that level exists elsewhere
  f.joint(4, 5000, 6000, 0);
  f.joint(9, 5000, 6000, 0);  // the same point again: the lattice holds joint 9
  f.joint(5, 5000, 0, 0);
  f.member(1, 1, 2), f.column(1);
  f.member(2, 5, 9), f.column(2);  // from the base of the line to the later joint on the top point
  f.member(3, 2, 9), f.beam(3);
  f.support(1);
  f.support(5);
  f.build();
  const Project& p = *f.p;
  EXPECT_EQ(p.JointLattice.get(2, 3, 1), 9);
  EXPECT_EQ(p.ColumnLattice.get(1, 3, 1), 1);
  EXPECT_EQ(p.ColumnLattice.get(2, 3, 1), 0);  // below joint 9 is joint 3, and no member joins them
  EXPECT_EQ(p.BeamXLattice.get(1, 3, 1), 1);
  EXPECT_EQ(p.FootingTable[1].ColumnMember, 1);
  EXPECT_EQ(p.FootingTable[2].ColumnMember, 0);
}

TEST(FrameLattice, SupportOnRaisedGroundHasNoColumn) {
  Frame f;
  f.joint(1, 0, 0, 0), f.joint(2, 0, 3000, 0), f.joint(3, 5000, 3000, 0), f.joint(4, 5000, 6000, 0);
  f.member(1, 1, 2), f.column(1);
  f.member(2, 3, 4), f.column(2);
  f.support(1), f.support(3);
  f.build();
  EXPECT_EQ(f.p->FootingTable[1].ColumnMember, 1);
  EXPECT_EQ(f.p->FootingTable[2].ColumnMember, 0);
}

// More levels than the 10-bit cell keys of the old lattice held (1024 per axis), and joint numbers
// beyond 16 bits: a column line of 1500 storeys finds every column.
TEST(FrameLattice, ATallColumnLineBeyondTheOldAxisLimitIsFound) {
  Frame f;
  constexpr int kStoreys = 1500, kFirstJoint = 40000;
  for (int i = 0; i <= kStoreys; ++i) f.joint(kFirstJoint + i, 0, i * 100, 0);
  for (int i = 1; i <= kStoreys; ++i) f.member(i, kFirstJoint + i - 1, kFirstJoint + i), f.column(i);
  f.support(kFirstJoint);
  f.build();
  EXPECT_EQ(f.p->LevelY[0], kStoreys + 1.0f);
  EXPECT_EQ(f.p->JointLattice.get(1, kStoreys + 1, 1), kFirstJoint + kStoreys);
  EXPECT_EQ(f.p->ColumnLattice.get(1, kStoreys + 1, 1), kStoreys);
  EXPECT_EQ(f.p->ColumnLattice.get(1, 1025, 1), 1024);  // the key of the old lattice wrapped here
  EXPECT_EQ(f.p->FootingTable[1].ColumnMember, 1);
}

TEST(FrameLattice, SparseLatticeGivesTheLookupsOfTheDenseTables) {
  std::mt19937 rng(42);
  for (int round = 0; round < 40; ++round) {
    Frame f;
    const int joints = 5 + static_cast<int>(rng() % 60);
    for (int j = 1; j <= joints; ++j)  // numbers repeat and points repeat now and then
      f.joint(static_cast<int>(rng() % (joints + 5)) - 2, static_cast<int>(rng() % 4) * 1000,
              static_cast<int>(rng() % 4) * 3000, static_cast<int>(rng() % 3) * 1000);
    for (int m = 1; m <= joints * 2; ++m) {
      int a = static_cast<int>(rng() % (joints + 3)), b = static_cast<int>(rng() % (joints + 3));
      f.member(static_cast<int>(rng() % 50), a, b);
      if (rng() % 2) f.column(static_cast<int>(rng() % 50));
      else f.beam(static_cast<int>(rng() % 50));
    }
    f.build();
    const Project& p = *f.p;
    Dense d(p);
    for (int ix = 1; ix <= d.nx; ++ix)
      for (int iy = 1; iy <= d.ny; ++iy)
        for (int iz = 1; iz <= d.nz; ++iz) {
          ASSERT_EQ(p.JointLattice.get(ix, iy, iz), d.joint[d.at(ix, iy, iz)]) << round;
          ASSERT_EQ(p.ColumnLattice.get(ix, iy, iz), d.column[d.at(ix, iy, iz)]) << round;
          ASSERT_EQ(p.BeamXLattice.get(ix, iy, iz), d.beamX[d.at(ix, iy, iz)]) << round;
          ASSERT_EQ(p.BeamZLattice.get(ix, iy, iz), d.beamZ[d.at(ix, iy, iz)]) << round;
        }
  }
}
