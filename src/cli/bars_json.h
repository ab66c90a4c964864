// JSON of the pedestals of a schedule row, the bar bending schedule and the quantities, for the batch tool.
#pragma once

#include <vector>

#include "cli/json_writer.h"
#include "model/project.h"

namespace plintova::cli {

// "pedestals": each pedestal's side, height, load, vertical bars, ties and dowels.
void writePedestalsJson(JsonWriter& j, const std::vector<PedestalSteel>& pedestals);

// "barBendingSchedule": the bend radius, every bar mark, the totals by diameter and the total weight.
void writeBarBendingJson(JsonWriter& j, const Project& p);

// "quantities": each schedule row's concrete (footings, pedestals, lean bed), reinforcement, excavation
// and formwork, and their total, rounded as the report gives them.
void writeQuantitiesJson(JsonWriter& j, const Project& p);

}  // namespace plintova::cli
