// The concrete and steel grades the design can work with.
#include "model/grades.h"

#include <algorithm>
#include <iterator>

#include "model/numbers.h"

namespace plintova {

std::string gradeProblem(int fck, int fe) {
  std::string problem;
  const bool fckTabled = fck == 15 || fck == 20 || fck == 25 || fck == 30 || fck == 35 || (fck >= 40 && fck <= 100);
  if (fck <= 0) problem = "No concrete grade Fck is given.";
  else if (!fckTabled)
    problem = "Fck " + numberText(fck) +
              " cannot be designed: the concrete grade must be 15, 20, 25, 30, 35, or 40 to 100 N/mm2.";
  if (fe <= 0) problem += std::string(problem.empty() ? "" : " ") + "No steel grade Fe is given.";
  else if (std::find(std::begin(kSteelGrades), std::end(kSteelGrades), fe) == std::end(kSteelGrades))
    problem += std::string(problem.empty() ? "" : " ") + "Fe " + numberText(fe) +
               " cannot be designed: the steel grade must be 250, 415, 500 or 550 N/mm2.";
  return problem;
}

std::string exposureGradeNote(int fck) {
  if (fck <= 0 || fck >= kFootingMinimumFck) return {};
  return "Fck " + numberText(fck) + " is below M25: a footing buried in the ground is in moderate exposure (IS 456 "
         "Table 3), for which IS 456 Table 5 asks for at least M25 in reinforced concrete.";
}

}  // namespace plintova
