// What the listing says of the load cases and the grades, in the words the start-up dialog shows.
#pragma once

#include <string>
#include <string_view>

#include "model/project.h"

namespace plintova {

// Fills LoadCases from the listing's echoed LOAD commands, in the order it defines them:
// "LOAD 2 LOADTYPE NONE  TITLE DL + LL + EQX" gives case 2 the type "NONE" and the title "DL + LL + EQX";
// "LOAD 3 DEAD LOAD" (no TITLE) gives the text after the number as the title; "LOAD COMB 5 ..." or
// "LOAD COMBINATION 5 ..." names a combination, whose case-factor pairs follow on the next echoed lines
// of numbers ("1 1.5 2 1.5"); a "LOAD n" followed by "REPEAT LOAD" takes the pairs after it. A case
// given twice keeps its first definition. An echoed command naming PDELTA or NONLINEAR sets
// NonlinearAnalysis.
void readLoadCases(Project& p, std::string_view text);

// "Fck 25     Fe 415 N/mm2" for the grades in use; "No concrete design grades in the listing" when it
// gives neither; a grade the engineer gave is marked "(given)".
std::string gradesCaption(const Project& p);

}  // namespace plintova
