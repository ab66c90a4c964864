// Soil pressures at the edges of an isolated footing under one load case: the one formula behind every
// pressure figure of sizing, the workbook, the detail popup, the bearing checks and the design's
// governing pressure lives with the footing's loads (footing/soil_checks.h).
#pragma once

#include "footing/soil_checks.h"
