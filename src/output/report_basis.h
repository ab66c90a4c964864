// The report's statements of basis for the soil checks: which load cases take the increased pressure and
// why, the design options in force, the self-weight allowance, and the method of the uplift, sliding,
// overturning and partial-contact checks.
#pragma once

#include "model/project.h"
#include "output/report.h"

namespace plintova::report_basis {

// The body of the "Load cases" section: every case of the listing with its title and load type, whether
// it is used, its allowable pressure and why it is increased; then which rule is in force.
void addLoadCases(report::Section& section, const Project& p);

// A table of every design option with its value, unit, range and what it does.
void addDesignOptions(report::Section& section, const Project& p);

// The method of the soil checks: the self-weight allowance (read the SBC as gross), the resultant at the
// underside (offsets, h), partial contact, uplift and stability, each with its clause.
void addSoilChecksMethod(report::Document& doc, const Project& p);

}  // namespace plintova::report_basis
