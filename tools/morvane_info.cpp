// morvane-info: reads a GRDECL grid file or a deviation (.dev) file with the viewer's readers and prints what it
// found as one JSON object.
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "tools/info/grid_info.h"
#include "tools/info/well_info.h"

namespace {

constexpr const char* kUsage = R"(Usage: morvane-info FILE

Reads the GRDECL grid FILE (direct or include layout) as the viewer does and prints one JSON object:
  "outcome"      "read", "not_a_grid", "stopped" or "missing_include"
  "message"      the reader's explanation when the outcome is not "read"
  "pillars"      number of COORD pillars (six numbers each)
  "zcorn_count"  number of corner depths after n*v runs are expanded
  "x_min" "x_max" "y_min" "y_max"  extent of the pillars, in km (file metres / 1000)
  "z_min" "z_max"  deepest and shallowest corner, in km, negative below datum
                 (each of these six is null when there are no pillars or no corners)
Then what the geometry builder makes of a grid that was read (initial values when it did not run):
  "gridLoaded"   true when the layout was built
  "ZCORN_I" "ZCORN_J" "ZCORN_K"  cell rows, cells per row, layers
  "GRID_SIZE"    cells; "TOTAL_CELLS" regular cells times layers
  "grid_dimension"  cell size along the rows, metres
  "model_x_min" .. "model_z_max"  model extent, km
  "builder_message"  the builder's log line (success or the reason for a rejection)

A deviation file (told apart by its first lines, whatever its extension) gives instead:
  "layout"       "export", or "foreign" for another tool's layout (WELLNAME line, X Y TVD MD), which is refused
  "name"         the well name from the "# WELL NAME" comment ("" when there is none)
  "columns"      the column names of the header, in order
  "rows"         number of data lines
  "md" "x" "y" "z"  the columns the column dialog preselects (named exactly MD, X, Y, Z; -1 when none is)
  "first" "last" the numbers of the first and last data line

Exit status: 0 when the grid outcome is "read" or the well would load with the preselected columns, 1 otherwise,
2 for wrong usage.
)";

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc != 2) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    try {
        if (morvane::info::isWellFile(argv[1])) {
            bool loadable = false;
            const morvane::info::JsonObject report = morvane::info::wellInfo(argv[1], loadable);
            std::printf("%s\n", report.text().c_str());
            return loadable ? 0 : 1;
        }
        bool read = false;
        const morvane::info::JsonObject report = morvane::info::gridInfo(argv[1], read);
        std::printf("%s\n", report.text().c_str());
        return read ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "morvane-info: %s\n", e.what());
        return 1;
    }
}
