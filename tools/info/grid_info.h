// The report of morvane-info: what the grid reader makes of a file, as one JSON object with a stable key order.
// Later stages (the geometry builder) append their keys after the reader's.
#pragma once

#include <string>

#include "commands/model_state.h"
#include "io/grid_reader.h"
#include "scene/grid_geometry.h"
#include "tools/info/json_object.h"

namespace morvane::info {

// "read", "not_a_grid", "stopped", "missing_include" or "refused".
const char* outcomeName(GridReadOutcome outcome);

// outcome, message, pillars, zcorn_count, x_min, x_max, y_min, y_max (over grid_lines_xy), z_min, z_max (over
// ZCORN), in model units; extremes of empty arrays are null.
void addReaderFields(JsonObject& report, const GridReadResult& result, const CornerPointInput& grid);

// gridLoaded, ZCORN_I, ZCORN_J, ZCORN_K, GRID_SIZE, TOTAL_CELLS, grid_dimension, model_x_min .. model_z_max and
// builder_message (the log line the geometry builder wrote; empty when the builder did not run).
void addBuilderFields(JsonObject& report, const GridBuildReport* build, const ModelState& state);

// details (the reader's warnings and the builder's reasons, one per line), layout_source ("spacing" or "specgrid";
// null when not loaded), active_cells, cell_size_i and cell_size_j (median cell edges, file units), grid_unit; with
// MAPAXES also mapaxes_applied and the pillar extents in map and in local coordinates (map_x_min .. local_y_max).
void addRealGridFields(JsonObject& report, const GridReadResult& result, const GridBuildReport* build,
                       const ModelState& state);

// Reads the grid file at `path`, builds its geometry when it was read, and reports on both. `loaded` tells whether
// the grid was read and built.
JsonObject gridInfo(const std::string& path, bool& loaded);

}  // namespace morvane::info
