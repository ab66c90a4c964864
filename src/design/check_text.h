// A code check in words: what was compared with what, and how it came out.
#pragma once

#include <string>
#include <vector>

#include "model/design_rows.h"

namespace plintova {

// The relation of a check's demand to its capacity, demand first, each with its symbol and unit:
// "τv 0.331 N/mm² > τc 0.328 N/mm²" for a failed check, "≤" for a passed one. Figures carry at least
// three significant digits (and always their whole part: 1257, not 1260), more where fewer would print
// a relation that does not hold (0.3308 ≤ 0.3309 rather than 0.331 ≤ 0.331 for a failure).
std::string checkRelationText(const CodeCheck& c);

// One line per check: "one-way shear FAILS: τv 0.331 N/mm² > τc 0.328 N/mm² (IS 456 cl. ...)".
std::string checkLineText(const CodeCheck& c);

// The lines of every check, the failed ones first, each kind in the order given.
std::string checksText(const std::vector<CodeCheck>& checks);

}  // namespace plintova
