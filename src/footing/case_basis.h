// Which load cases the soil checks and the design take, and with what factor: service loads for the
// soil, factored loads for the concrete. Every soil figure (sizing, widths, combined footings, bearing,
// uplift, stability, the workbook's pressures) and every design figure (bending, shear, punching,
// development, uplift steel) takes its cases from soilCases and designCases.
#pragma once

#include <string>
#include <vector>

#include "model/project.h"

namespace plintova {

// One case a check takes at support s: its position in the reaction table, its number, and the factor
// its reactions (FY, MX, MZ, FX, FZ alike) are multiplied by.
struct CaseUse {
  int position = 0;
  int loadCase = 0;
  double factor = 1.0;
};

// One case a check of a combined footing takes: its position at each member (-1 where that member's
// reactions do not hold it) and its factor.
struct PairCaseUse {
  int loadCase = 0;
  int position[2] = {-1, -1};
  double factor = 1.0;
};

// The role of case n: the engineer's, a combination's own, else the one the listing suggests.
CaseRole roleOf(const Project& p, int n);

// The service cases of support s, in reaction-table order, each with factor 1; where no service case is
// in use, the factored cases each divided by its largest factor; where no combination at all is in use,
// every case as read.
std::vector<CaseUse> soilCases(const Project& p, int s);

// The design cases of support s, in reaction-table order: the factored cases as read (factor 1) whenever
// a factored case is in use; otherwise the service cases times 1.5, or 1.2 where the case is known (from
// its parts) to include wind or earthquake together with imposed load (IS 456 Table 18); where no
// combination at all is in use, every case times 1.5.
std::vector<CaseUse> designCases(const Project& p, int s);

// The same for the two members of a combined footing (a, b), the cases paired by number in the order
// the first member gives them, then the second's own.
std::vector<PairCaseUse> soilCases(const Project& p, int a, int b);
std::vector<PairCaseUse> designCases(const Project& p, int a, int b);

// The factors of case n where the soil and the design take it (0: not taken).
CaseFactors factorsOf(const Project& p, int n);

// The load factor of IS 456 Table 18 on a service case, and on one that includes wind or earthquake
// together with imposed load.
inline constexpr double kServiceToDesignFactor = 1.5;
inline constexpr double kServiceToDesignFactorWithLateral = 1.2;

// Works out CaseFactorsInForce from the roles of the cases the reaction table holds (after the choice of
// cases and the combinations are in place).
void settleCaseFactors(Project& p);

// What makes the basis doubtful, one sentence each: primary cases only and no combination in use;
// factored cases used for sizing; a case used on its own and inside a combination in use.
std::vector<std::string> basisWarnings(const Project& p);

// Whether case n includes imposed load together with wind or earthquake, through its parts' roles.
bool includesLateralWithImposed(const Project& p, int n);

// The largest factor of a factored case's parts (1.5 when its parts are not known).
double largestFactor(const Project& p, int n);

// The parts of case n: a combination's or a listing case's (repeat or combination), empty otherwise.
std::vector<CaseFactor> partsOf(const Project& p, int n);

}  // namespace plintova
