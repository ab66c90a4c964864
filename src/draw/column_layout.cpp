// The column view of one storey as pure functions of the model: beams, footing markers and the fit.
#include "draw/column_layout.h"

#include <algorithm>

#include "model/numbers.h"

namespace plintova::draw {

std::vector<Primitive> columnLayoutBeams(const Project& project, int level) {
  std::vector<Primitive> out;
  int nx = std::clamp(static_cast<int>(project.LevelX[0]), 0, cap::kLevels);
  int nz = std::clamp(static_cast<int>(project.LevelZ[0]), 0, cap::kLevels);
  for (int ix = 1; ix <= nx; ++ix) {
    for (int iz = 1; iz <= nz; ++iz) {
      if (project.JointLattice.get(ix, level, iz) <= 0) continue;
      double x = project.LevelX[ix], z = project.LevelZ[iz];
      int m = project.BeamXLattice.get(ix, level, iz);
      if (m > 0) out.push_back(line(x, z, x + project.BeamSectionTable[m][2] - 10, z, Role::Beam));
      m = project.BeamZLattice.get(ix, level, iz);
      if (m > 0) out.push_back(line(x, z, x, z + project.BeamSectionTable[m][2] - 10, Role::Beam));
    }
  }
  return out;
}

MarkerHalfSize markerHalfSize(const Rect& fit, double pictureWidth, double pictureHeight) {
  double halfPixels = kMarkerTwips / kTwipsPerPixel / 2;
  MarkerHalfSize h;
  if (pictureWidth > 0) h.hw = halfPixels * (fit.right - fit.left) / pictureWidth;
  if (pictureHeight > 0) h.hh = roundWhole(halfPixels * (fit.bottom - fit.top) / pictureHeight);
  return h;
}

Rect placeNodeLabel(const FootingRecord& f, const MarkerHalfSize& half) {
  double left = f.ColumnX + f.OffsetX * half.hw - half.hw;
  double top = f.ColumnZ + f.OffsetZ * half.hh - half.hh;
  return {left, top, left + 2 * half.hw, top + 2 * half.hh};
}

std::vector<Primitive> columnLayout(const Project& project, int level, const MarkerHalfSize& half, int selected,
                                    double labelPointSize) {
  std::vector<Primitive> out = columnLayoutBeams(project, level);
  int n = std::clamp<int>(project.FootingCount, 0, cap::kFootings);
  for (int i = 1; i <= n; ++i) {
    const FootingRecord& f = project.FootingTable[i];
    Rect r = placeNodeLabel(f, half);
    Primitive marker = box(r.left, r.top, r.right, r.bottom, Role::NodeMarker, Id::footing(i));
    marker.filled = true;
    marker.fillColour = i == selected ? kWhite : kBlack;
    out.push_back(marker);
    if (i == selected) {
      Primitive t = text((r.left + r.right) / 2, (r.top + r.bottom) / 2, std::to_string(f.JointNo), HAlign::Centre,
                         VAlign::Middle, Role::NodeLabel, Id::footing(i));
      t.fontSize = labelPointSize;
      out.push_back(t);
    }
  }
  return out;
}

}  // namespace plintova::draw
