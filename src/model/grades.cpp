// The concrete and steel grades the design can work with.
#include "model/grades.h"

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
  else if (fe != 250 && fe != 415 && fe != 500)
    problem += std::string(problem.empty() ? "" : " ") + "Fe " + numberText(fe) +
               " cannot be designed: the steel grade must be 250, 415 or 500 N/mm2.";
  return problem;
}

}  // namespace plintova
