// morvane-info: reads a GRDECL grid file, a GRDECL property file or a deviation (.dev) file with the viewer's readers
// and prints what it found as JSON.
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <new>
#include <string>

#include "io/file_text.h"
#include "io/property_reader.h"
#include "tools/info/grid_info.h"
#include "tools/info/production_info.h"
#include "tools/info/property_info.h"
#include "tools/info/well_info.h"

namespace {

constexpr const char* kUsage = R"(Usage: morvane-info FILE
  or:  morvane-info [--grid GRID] PROPERTY_FILE
  or:  morvane-info [--grid GRID] DEVIATION_FILE
  or:  morvane-info --production PRODUCTION_FILE
  or:  morvane-info --help | --version

Reads a GRDECL grid file, a GRDECL property file or a deviation (.dev) file with the viewer's readers and prints
what it found as JSON.

A property file (one holding "Property name in Petrel : " marker lines) is read as the viewer's property import
reads it and reported as a JSON array with one object per property, in file order:
  "name"         the property's name (UTF-8, also when the file writes it in Windows-1251)
  "keyword"      the keyword line above its marker ("" when there is none)
  "line"         the line of its marker
  "kind"         "discrete" (no decimal point or exponent among its values) or "continuous"
  "count"        values after n*v runs are expanded
  "min" "max"    smallest and largest value, markers of no value left out (null without values)
  "undefined"    cells holding a marker of no value: -999 -999.25 -999.99 -9999 -99999 1e+20 -1e+20 1e+30
                 -1e+30 (the viewer's default list), or one the file's header declares ("-- NULL value = -5")
  "scale"        continuous only: "log" when the viewer starts it on a logarithmic ramp (PERM..., KX, KY, KZ),
                 else "linear"
  "codes"        discrete only: each code and the number of cells holding it (markers left out)
  "codeNames"    discrete only, when comment lines beside the block name codes ("-- 1 Sand"): code -> name
  "problem"      only when a word before the "/" is no number (the import refuses such a property)
With --grid GRID the grid is read and built first, and every property also gets
  "conformity"   "accepted" or "rejected": whether it holds exactly one value per cell of that grid
  "message"      the message the viewer shows for a rejection ("" when accepted)
  "messages"     the viewer's log lines about it: the refusal naming file and line, values outside 0 to 1 for
                 porosity, net-to-gross and saturations
A file without marker lines is read, with --grid only, as the viewer reads it: its keyword blocks of one value per
cell of that grid are its properties, each named by its keyword, discrete when every value is a whole code.
After the properties, one object per block of values the viewer leaves out (values no marker names; with --grid
also keyword blocks of another size, with a word that is no number or without their "/"):
  "name" "line"  the keyword above it and its line;  "conformity" "dropped";  "message" what the viewer says

With --production the file is read as the viewer reads a production file (a well name, then its oil, water and
gas volumes on each line) and reported as one JSON object:
  "separator"    "tab", ";" or "," (null for a file without a line)
  "decimal"      ".", "," or "mixed", as the volumes of the whole file settle it (null when none shows it)
  "header"       whether the first line was taken as a header
  "wells"        per row in file order {"name", "oil", "water", "gas"}; a volume not known is null
  "refused"      the line that refused the file, as {"line", "text", "why"}; [] when the file was read
The exit status is 1 when no well's row was read.

A deviation file is reported as described further below. Any other FILE is read as a GRDECL grid (direct or include layout) as the viewer does
and reported as one JSON object:
  "outcome"      "read", "not_a_grid", "stopped" or "missing_include" or "refused"
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
Then what real exports add:
  "details"      the reader's warnings and the builder's reasons, one per line
  "layout_source"  "spacing" (cell size from the pillar spacing) or "specgrid"; null when not loaded
  "active_cells" cells drawn: regular and active in ACTNUM
  "cell_size_i" "cell_size_j"  median cell edge along I and along J, in file units
  "grid_unit"    the unit of GRIDUNIT ("METRES", "FEET"), empty when none
  with MAPAXES:  "mapaxes_applied" (the coordinates were local and turned into map coordinates),
                 "map_x_min" .. "map_y_max" and "local_x_min" .. "local_y_max": pillar extents in both frames, km

A deviation file (told apart by its first lines, whatever its extension) gives instead:
  "layout"       "export", or "foreign" for another tool's layout (WELLNAME line, X Y TVD MD), which is refused
  "name"         the well name from the "# WELL NAME" comment ("" when there is none)
  "columns"      the column names of the header, in order
  "rows"         number of data lines
  "md" "x" "y" "z"  the columns the column dialog preselects (named exactly MD, X, Y, Z; -1 when none is)
  "first" "last" the numbers of the first and last data line (null for a word that is no number)
  "points"       the points of the trajectory the import builds with the preselected columns
  "messages"     the import's log lines, in order: why the well is refused, the data lines not used and why, the
                 gaps they leave, and with --grid GRID points far outside that grid's footprint

Options:
  --grid GRID    read and build the grid GRID first, and check each property of PROPERTY_FILE against it, or
                 the points of DEVIATION_FILE against its footprint
  -h, --help     print this help and exit
  --version      print the program's version and exit

Exit status:
  0 when the grid is loaded (read and built), the well would load with the preselected columns, or the property
  file holds at least one property (with --grid: the grid was built and at least one property fits it); 1
  otherwise; 2 for wrong usage.
)";

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::fputs("morvane-info " MORVANE_VERSION "\n", stdout);
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "--production") == 0) {
        try {
            bool read = false;
            const morvane::info::JsonObject report = morvane::info::productionInfo(argv[2], read);
            std::printf("%s\n", report.text().c_str());
            return read ? 0 : 1;
        } catch (const std::bad_alloc&) {
            std::fprintf(stderr, "morvane-info: there is not enough memory to read %s\n", argv[2]);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "morvane-info: %s\n", e.what());
        }
        return 1;
    }
    const bool withGrid = argc == 4 && std::strcmp(argv[1], "--grid") == 0;
    if (argc != 2 && !withGrid) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const char* file = argv[argc - 1];
    const std::string fileName = std::filesystem::path(file).filename().string();
    try {
        if (morvane::info::isWellFile(file)) {
            morvane::GridExtent extent;
            if (withGrid) {
                int cells = 0;
                std::string why;
                if (!morvane::info::gridCells(argv[2], cells, why, &extent)) {
                    std::fprintf(stderr, "morvane-info: the grid %s cannot be used: %s\n", argv[2], why.c_str());
                    return 1;
                }
            }
            bool loadable = false;
            const morvane::info::JsonObject report =
                morvane::info::wellInfo(file, loadable, withGrid ? &extent : nullptr);
            std::printf("%s\n", report.text().c_str());
            return loadable ? 0 : 1;
        }
        // A property file names its first property near its start; a grid file is not read twice to find that out.
        std::string head, text;
        const bool propertyFile =
            withGrid || (morvane::readFileStart(file, 1 << 20, head) && morvane::info::isPropertyText(head));
        std::string why;
        if (propertyFile && !morvane::info::readTextFile(file, text, &why)) {
            std::fprintf(stderr, "morvane-info: cannot read %s: %s\n", file, why.c_str());
            return 1;
        }
        if (withGrid) {
            int cells = 0;
            std::string gridWhy;
            if (!morvane::info::gridCells(argv[2], cells, gridWhy)) {
                std::fprintf(stderr, "morvane-info: the grid %s cannot be used: %s\n", argv[2], gridWhy.c_str());
                return 1;
            }
            const auto report = morvane::info::propertyInfo(text, cells, fileName);
            std::printf("%s\n", morvane::info::jsonArray(report.objects).c_str());
            if (report.objects.empty())
                std::fprintf(stderr, "morvane-info: %s\n", morvane::noPropertyFoundText(text, fileName, "en").c_str());
            return report.accepted == 0 ? 1 : 0;
        }
        if (propertyFile) {
            const auto report = morvane::info::propertyInfo(text, fileName);
            std::printf("%s\n", morvane::info::jsonArray(report.objects).c_str());
            if (report.objects.empty())
                std::fprintf(stderr, "morvane-info: %s\n", morvane::noPropertyFoundText(text, fileName, "en").c_str());
            return report.properties == 0 ? 1 : 0;
        }
        bool loaded = false;
        const morvane::info::JsonObject report = morvane::info::gridInfo(file, loaded);
        std::printf("%s\n", report.text().c_str());
        return loaded ? 0 : 1;
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "morvane-info: there is not enough memory to read %s\n", file);
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "morvane-info: %s\n", e.what());
        return 1;
    }
}
