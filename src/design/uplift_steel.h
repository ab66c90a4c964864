// Top steel of a footing that its column lifts: the weight of footing and soil hangs on the cantilevers
// from the pedestal, bending them the other way.
#pragma once

#include <string>
#include <vector>

#include "model/project.h"

namespace plintova {

// The largest factored uplift U (kN, -FY times the case's load factor) over the design cases of the
// given supports (case_basis.h; their FY added up case by case by load-case number); 0 when none lifts.
double largestUplift(const Project& p, const std::vector<int>& supports);

// One layer of top steel and its checks.
struct UpliftSteel {
  SteelLayer layer;
  std::vector<CodeCheck> checks;
};

// The top steel over a cantilever `cant` m long beyond the pedestal face, spread over `width` m, in a
// footing of plan area `area` m2 and total depth D mm, for a factored uplift U kN taken as a downward
// pressure U / A on the cantilever: Mu = (U / A) width c^2 / 2 at the pedestal face (IS 456 cl. 34.2.3.2),
// with the rules of the bottom steel: steel for Mu on d = D - 50 - dia/2 (Annex G-1.1 b), at least the
// minimum steel of the gross section (cl. 26.5.2.1), bars of the design options' diameters spaced at most 3 d and
// 300 mm (cl. 26.3.3 b) and developed within the cantilever less the 50 mm cover (cl. 34.2.4.3); the
// diameter is chosen as the rows choose theirs. Checks, named after `where` ("top each way (uplift)"):
// bending, steel for bending, minimum steel, bar spacing and development length.
UpliftSteel upliftTopSteel(const Project& p, const std::string& where, double U, double area, double width,
                           double cant, double D);

// The top steel of a designed group row whose member footings are lifted: one layer each way, "top each
// way (uplift)", over the row's longest cantilever, for the largest uplift of a member; its checks are
// added to the row's. No top steel where no member is lifted or the grades cannot be designed with.
void addGroupTopSteel(const Project& p, SizeGroupRecord& row);

}  // namespace plintova
