// What the listing says of the load cases and the grades, in the words the start-up dialog shows.
#pragma once

#include <string>
#include <string_view>

#include "model/project.h"

namespace plintova {

// Fills LoadTitles from the listing's echoed LOAD commands: "LOAD 2 LOADTYPE NONE  TITLE DL + LL + EQX"
// gives case 2 the title "DL + LL + EQX"; "LOAD 3 DEAD LOAD" (no TITLE) and "LOAD COMBINATION 5 1.5 (DL
// + LL)" give the text after the number. A case given twice keeps its first title.
void readLoadTitles(Project& p, std::string_view text);

// "Fck 25     Fe 415 N/mm2" for the grades in use; "No concrete design grades in the listing" when it
// gives neither; a grade the engineer gave is marked "(given)".
std::string gradesCaption(const Project& p);

}  // namespace plintova
