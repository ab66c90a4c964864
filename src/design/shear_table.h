// Design shear strength of concrete: the table of steel percentage against grade and its interpolation.
#pragma once

#include "model/project.h"

namespace plintova {

// Fills ShearTable afresh: row 0 holds the grades 15..40 in columns 1..6, column 0 of rows 1..13 the
// steel percentages 0.15..3.00, the body the design shear strength in N/mm2; column 7 stays 0.
void BuildShearTable(Project& p);

// Sets ShearGradeColumn to the column whose grade equals Fck; a grade above 40 takes the last column
// ("M40 and above"); any other grade gives 7, an empty column.
void FindGradeColumn(Project& p);

// Design shear strength of concrete for steel percentage pt in the grade column, interpolated
// linearly between table rows. pt below 0.15 is raised to 0.15 (the caller's value changes); a pt of
// 3.00 or more is beyond the table and gives 0, as does a grade missing from the table.
float ConcreteShearStrength(const Project& p, float& pt);

// The same from the table's constants for grade fck, whether or not the project's table has been
// built yet (the footing detail popup may ask before the first Design command).
float shearStrengthForGrade(int fck, float& pt);

}  // namespace plintova
