// The footing schedule as text: the twenty column headers and the texts of one row.
#pragma once

#include <array>
#include <string>

#include "model/project.h"

namespace plintova {

// Columns of the schedule, left to right as the schedule window shows them.
enum ScheduleColumn {
  kColMark, kColNos, kColSize, kColDepth, kColPedestal, kColNetP, kColCantilever, kColMu, kColMuBdd,
  kColPt, kColAst, kColDia, kColSpace, kColRods, kColSF1, kColSS1, kColPS1, kColSF2, kColSS2, kColPS2,
  kScheduleColumns
};

// "GRP", "NO's", "Size", "Depth", "Peda", "NetP", "CantL", "Mu", "Mu/Bdd", "Pt", "Ast", "Dia", "Space",
// "Rods", "1-SF", "1-SS", "1-PS", "2-SF", "2-SS", "2-PS".
const std::array<std::string, kScheduleColumns>& scheduleHeaders();

// Texts of schedule row r in column order: "F" and the group mark its footings show on the plan (a
// group left without a row leaves a gap in the marks), then numbers in general format and
// integers as plain decimals. Spacing and bar count are empty for a section whose bars cannot be
// counted. All texts are empty for a row outside 1..DesignGroupCount.
std::array<std::string, kScheduleColumns> scheduleRowTexts(const Project& p, int r);

// Bars as a drawing gives them: "12 Ø @ 150".
std::string barsText(const SteelLayer& layer);

// Texts of the row of a hand-resized or combined footing in the schedule's columns: the mark ("R1",
// "C2") in the mark column, its joints ("22", "20, 21") in "NO's", "L X B" in "Size", depth, pedestal and
// net pressure in theirs, every layer of bars ("bottom along L 12 Ø @ 150; ...") in "CantL", the bar
// diameter in "Dia" and the checks ("OK", or "fails: " and the names of the failed ones) in "1-SF".
std::array<std::string, kScheduleColumns> footingRowTexts(const Project& p, const FootingRow& row);

// Every layer of a row's bars in short, for a schedule cell: "L 12Ø@150 · B band 12Ø@120 · B out 10Ø@200";
// "top L" for top steel, "B at 21" for the band under joint 21 of a combined footing.
std::string compactSteelText(const FootingRow& row);

// "OK" when every check passes, else "fails: " and the failed checks' names.
std::string checksSummary(const std::vector<CodeCheck>& checks);

}  // namespace plintova
