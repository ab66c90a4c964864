// Small projects built in code for the drawing and page tests: footings, grid, levels, combined footings.
#pragma once

#include <algorithm>
#include <cstdint>
#include <set>
#include <vector>

#include "model/project.h"

namespace plintova::testproj {

// Appends footing FootingCount + 1 centred on its column at (x, z), with adopted size l x b (m) and the
// same required size l.
inline int addFooting(Project& p, int16_t joint, int32_t x, int32_t z, float l, float b = -1,
                      FootingKind kind = FootingKind::Isolated,
                      int16_t rank = 1) {
  int s = ++p.FootingCount;
  FootingRecord& f = p.FootingTable[s];
  f.JointNo = joint;
  f.PosX = f.ColumnX = x;
  f.PosZ = f.ColumnZ = z;
  f.SizeL = l;
  f.SizeB = b < 0 ? l : b;
  f.ReqSize = l;
  f.Kind = kind;
  f.GroupRank = rank;
  return s;
}

// Grid lines from the footing centres and level lists from the columns, as the reader and the grid
// procedure would leave them for a structure whose joints all stand on the footings' lines.
inline void finish(Project& p) {
  std::set<int32_t> xs, zs;
  for (int s = 1; s <= p.FootingCount; ++s) {
    xs.insert(p.FootingTable[s].PosX);
    zs.insert(p.FootingTable[s].PosZ);
  }
  auto fill = [](const std::set<int32_t>& values, auto& grid, auto& levels) {
    int k = 0;
    for (int32_t v : values) {
      ++k;
      grid[k] = v;
      levels[k] = static_cast<float>(v);
    }
    grid[0] = k;
    levels[0] = static_cast<float>(k);
  };
  fill(xs, p.GridLineX, p.LevelX);
  fill(zs, p.GridLineZ, p.LevelZ);
}

// Combined footing record CombinedCount + 1 over footings a and b, rectangle and dimensions as given.
inline int addCombined(Project& p, int a, int b, int16_t axis, float left, float bottom, float right, float top,
                       float length, float width, float cant1, float cant2, float distance) {
  int k = ++p.CombinedCount;
  CombinedFootingRecord& c = p.CombinedFootingTable[k];
  c.CfMemberCount = 2;
  c.CfMembers[1] = static_cast<int16_t>(a);
  c.CfMembers[2] = static_cast<int16_t>(b);
  c.CfAxis = axis;
  c.CfLeft = left, c.CfBottom = bottom, c.CfRight = right, c.CfTop = top;
  c.CfLength = length, c.CfWidth = width, c.Cant1 = cant1, c.Cant2 = cant2, c.CfDistance = distance;
  setCombined(p.FootingTable[a], static_cast<int16_t>(k));
  setCombined(p.FootingTable[b], static_cast<int16_t>(k));
  p.FootingTable[a].SizeL = p.FootingTable[b].SizeL = width;
  p.FootingTable[a].SizeB = p.FootingTable[b].SizeB = length;
  return k;
}

// A regular frame of nx x nz columns at the given spacings (mm), footings ranked by a simple pattern so
// that several groups show; joints numbered 1, 2, ... row by row.
inline void regularFrame(Project& p, int nx, int nz, int32_t sx, int32_t sz) {
  for (int j = 0; j < nz; ++j)
    for (int i = 0; i < nx; ++i) {
      int s = j * nx + i + 1;
      int16_t rank = static_cast<int16_t>(1 + (i + j) % 4);
      float size = 1.2f + 0.3f * static_cast<float>(rank - 1);
      addFooting(p, static_cast<int16_t>(s), i * sx, j * sz, size, -1, FootingKind::Isolated, rank);
    }
  finish(p);
}

}  // namespace plintova::testproj
