// Pedestals and dowels to IS 456: the pedestal's vertical bars and ties, the bearing at the column's base
// and at the pedestal's base, and the dowels that carry the column into the footing.
#pragma once

#include <string>
#include <vector>

#include "model/project.h"

namespace plintova {

// The column a pedestal carries: the largest factored axial load of its footings and the columns'
// sections. Where several footings share one design (a size group), the smallest column bears on the
// pedestal (the highest bearing stress) and the largest one sets the dowels' area.
struct PedestalLoad {
  double Pu = 0;                 // kN, the largest downward FY of the design cases, factored
  int joint = 0;                 // joint whose load governs
  double bearingX = 0, bearingZ = 0;  // mm, the smallest column section
  double dowelColumnArea = 0;    // mm2, the largest column section
  bool columnKnown = false;      // false: no section given, the pedestal less its margins is taken
};

// The load and columns of `footings` under pedestals of the given sides (m).
PedestalLoad pedestalLoad(const Project& p, const std::vector<int>& footings, const PedestalSides& sides);

// Where a pedestal stands: its sides and height, the footing's total depth and bottom mat, and how far
// the footing reaches beyond the pedestal's face to its nearest edge (for the bearing at its base).
struct PedestalSite {
  std::string where = "pedestal";
  PedestalSides sides;  // m, along X and along Z
  double D = 0;       // mm
  double mat = 0;     // mm of bottom bars under the dowels' feet
  double reach = 0;   // m
};

// The height of a pedestal on a footing D mm deep: from the footing's top to the founding level, m;
// 0 where the footing reaches the founding level.
double pedestalHeight(const Project& p, double D);

// The dowels of a column on a pedestal of the given sides (m): 0.5 % of the column's area, four at least
// and in pairs (cl. 34.4.3), more where the bearing at the column's base falls short (the excess at 0.67 fy,
// cl. 34.4.1); and the straight length they need within the footing in compression: Ld = dia sigma /
// (4 x 1.25 tau_bd) (cl. 26.2.1, 26.2.1.1) for the stress sigma they carry, the excess over their area, at
// least 10 dia and 100 mm so that they are anchored at all; at 0.87 fy where the `dowelFullStress` option
// asks.
struct Dowels {
  double bearing = 0;     // kN: 0.45 fck sqrt(A1/A2) A2 at the column's base
  double need = 0;        // mm2
  int count = 0;
  double area = 0;        // mm2 provided
  double fullLength = 0;  // mm: Ld in compression at 0.87 fy
  double required = 0;    // mm
};
Dowels dowelsFor(const Project& p, const PedestalLoad& load, const PedestalSides& sides);

// The straight length of a dowel within a footing D mm deep whose foot stands on `mat` mm of bottom bars:
// D - cover - mat, mm. Only this counts in compression (cl. 26.2.2.2: bends add nothing).
double dowelEmbedment(const Project& p, double D, double mat);

// The dowels develop within a footing D mm deep on `mat` mm of bottom bars.
bool dowelsDeveloped(const Project& p, const Dowels& dowels, double D, double mat);

// The pedestal's bars, ties and dowels and their checks.
struct PedestalDesign {
  PedestalSteel steel;
  std::vector<CodeCheck> checks;
};

// Designs the pedestal of `site` for `load`:
//  * vertical bars: at least 0.8 % of the concrete area the load needs (cl. 26.5.3.1 a, b), 0.15 % of
//    the section (cl. 26.5.3.1 h), what cl. 39.3 needs beyond the concrete's share, four bars of 12 mm
//    at least (cl. 26.5.3.1 c, d), at most 300 mm apart along each face of the ax x az section
//    (cl. 26.5.3.1 g), both faces' spacings as near alike as whole bars allow (the same number on each
//    face of a square); the smallest diameter of 12 mm or more of the options whose bars lie at least the
//    least spacing apart on the closer face;
//  * closed ties of at least a quarter of the bar and 8 mm (cl. 26.5.3.2 d) at a pitch of at most the
//    pedestal's least lateral dimension, 16 bar diameters and 300 mm (cl. 26.5.3.2 c), a cross tie to
//    every pair of opposite intermediate bars, counted per direction (cl. 26.5.3.2 b);
//  * bearing at the column's base and at the pedestal's base, 0.45 fck sqrt(A1/A2), sqrt(A1/A2) <= 2
//    (cl. 34.4), the excess carried by the bars that cross the joint (cl. 34.4.1);
//  * dowels (dowelsFor) developed in compression within the footing (cl. 34.4.4) and lapped with the
//    column's bars above over max(Ld at 0.87 fy, 24 dia) (cl. 26.2.5.1 d).
// Check names end in `suffix` (", joint 21" where a row has two pedestals).
PedestalDesign designPedestal(const Project& p, const PedestalLoad& load, const PedestalSite& site,
                              const std::string& suffix = "");

// The pedestal of a designed group row and its checks (appended to the row's): every member's column on
// one pedestal design. Nothing for grades that cannot be designed with.
void addGroupPedestal(const Project& p, SizeGroupRecord& row);

// "pedestal 0.6 m, 1.2 m high: 8 bars of 12 mm at 207 mm, ties of 8 mm at 190 mm with 2 cross ties;
// dowels 6 of 16 mm, 516 mm in the footing, lap 516 mm" (no bars or ties where no pedestal stands).
std::string pedestalText(const PedestalSteel& ps);

// The mat of bottom bars of a footing row, mm: the two thickest bottom layers one on the other.
double bottomMat(const std::vector<SteelLayer>& steel);

}  // namespace plintova
