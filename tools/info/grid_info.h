// The report of morvane-info: what the grid reader makes of a file, as one JSON object with a stable key order.
// Later stages (the geometry builder) append their keys after the reader's.
#pragma once

#include <string>

#include "grid_reader.h"
#include "json_object.h"

namespace morvane::info {

// "read", "not_a_grid", "stopped" or "missing_include".
const char* outcomeName(GridReadOutcome outcome);

// outcome, message, pillars, zcorn_count, x_min, x_max, y_min, y_max (over grid_lines_xy), z_min, z_max (over
// ZCORN), in model units; extremes of empty arrays are null.
void addReaderFields(JsonObject& report, const GridReadResult& result, const GridInput& grid);

// Reads the grid file at `path` and reports on it. `read` tells whether the reader's outcome was "read".
JsonObject gridInfo(const std::string& path, bool& read);

}  // namespace morvane::info
