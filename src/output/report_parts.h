// Pieces of the calculation report shared by its chapters: number texts and the schedule rows' sections.
#pragma once

#include <string>
#include <vector>

#include "model/project.h"
#include "output/report.h"

namespace plintova::report_parts {

// A number in general format ("0.34", "137.8", "1360").
std::string num(double v);
// Rounded to `places` decimals first ("0.972"); "∞" for an infinite value.
std::string rounded(double v, int places);
// Metres as whole millimetres, or to a tenth where needed ("400", "452.5").
std::string mm(double metres);
// Joint number of footing s.
std::string joint(const Project& p, int s);
// Load-case number of position c of support s.
std::string loadCase(const Project& p, int s, int c);

// A design text with its units and symbols as a reader expects them: "mm2" as "mm²", "kN/m2" as
// "kN/m²", "kN m" as "kN·m", "tau_bd" as "τbd".
std::string typeset(const std::string& text);

// The design bond stress the development lengths take, with its basis: "τbd = 2.24 N/mm²", and for a
// grade below the bond table (M15) the value taken there.
std::string bondStressText(const Project& p);

// Steel of a group row in words: "18 bars 10 Ø @ 111 each way", or why there is none.
std::string groupSteelText(const SizeGroupRecord& row);

// The IS 456 check as a formula: its demand against its capacity, the clause and whether it passes.
report::Formula checkFormula(const Project& p, const CodeCheck& check);

// Sections "<mark> ..." of the schedule rows, at level 2 under the chapter being written.
void addGroupRowSection(report::Document& doc, const Project& p, int r);
void addFootingRowSection(report::Document& doc, const Project& p, const FootingRow& row);

}  // namespace plintova::report_parts
