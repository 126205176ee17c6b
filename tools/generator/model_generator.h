// Deterministic synthetic corner-point models in the layouts that modelling packages export: GRDECL grids (direct
// or include layout), GRDECL property files with the "Property name in Petrel" marker, and .dev well files.
//
// Everything is a pure function of its options (a fixed-seed generator supplies the noise), so tests and benchmarks
// get the same bytes on every run. Values are written in file units (metres); depths are positive downwards.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace morvane::gen {

enum class LineEnd { LF, CRLF };
enum class TextEncoding { Utf8, Windows1251 };  // of names: UTF-8, or Windows-1251 as older Russian exports write
enum class GridLayout { Direct, Include };

enum class PropertyKind { Continuous, Discrete };

inline constexpr double kNoValueMarker = -999.25;

struct PropertyDefinition {
    std::string keyword;  // e.g. PORO, PERMX, FACIES, IRR.GASSATURATION
    std::string name;     // the name after the marker (UTF-8; see PropertyFileOptions::nameEncoding)
    PropertyKind kind = PropertyKind::Continuous;
    double minValue = 0.05;  // continuous: values spread over [minValue, maxValue]; negative values allowed
    double maxValue = 0.35;
    int decimals = 4;     // continuous values always carry a decimal point
    int codes = 4;        // discrete: codes 0 .. codes-1, in layer-parallel bodies
    double noise = 0.03;  // discrete: share of cells with a random code (0: long n*v runs only)
    // Discrete: this many places where three cells hold the value 1.5 instead of a code, as a stray "3*1.5" in a
    // lithology export.
    int strayDecimals = 0;
    // Continuous: this share of the cells, scattered through the property, hold kNoValueMarker, as exports write
    // for cells without a value.
    double noValueShare = 0;
    // Values written: one per grid cell when negative; another count makes a property that fits no such grid.
    long long valueCount = -1;
    std::uint64_t seed = 1;
};

struct GridOptions {
    std::string name = "MODEL";  // file name stem: NAME.GRDECL, NAME_COORD.GRDECL, ...
    int nx = 10;                 // cells along x, the fastest direction of COORD and ZCORN
    int ny = 10;
    int nz = 5;
    double cellSize = 50.0;  // pillar spacing along x and y, metres
    double originX = 0.0;    // position of pillar (0, 0); local coordinates may be negative
    double originY = 0.0;
    double topDepth = 2000.0;  // depth of the top surface at the model's rim (no structure, west half)
    double layerThickness = 5.0;
    double domeHeight = 0.0;  // the crest stands this much above the rim (a smooth dome at the centre)
    double tiltPerKm = 0.0;   // depth added per kilometre eastwards (a regional dip)
    double faultThrow = 0.0;  // the east half (i >= nx / 2) is this much deeper; 0 = no fault
    LineEnd lineEnd = LineEnd::LF;
    GridLayout layout = GridLayout::Direct;
    bool repeats = false;   // write equal consecutive ZCORN values as n*v
    int maxRun = 999;       // longest n*v run written (exports split longer runs)
    int decimals = 2;       // decimals of COORD and ZCORN numbers
    int valuesPerLine = 8;  // numbers or n*v tokens per data line

    // The shapes of real exports (all off by default):
    double rotation = 0.0;          // degrees the grid is turned about its first pillar, counter-clockwise
    double irregular = 0.0;         // 0 .. 0.6: cell widths vary smoothly by up to this share of cellSize
    double inclination = 0.0;       // a pillar's bottom point leans away from the centre by this share of its offset
    double inactive = 0.0;          // share of inactive cells (ACTNUM 0): columns outside a central ellipse, and a
                                    // block in the west of the lowest quarter of the layers
    bool localCoordinates = false;  // COORD relative to the first pillar; MAPAXES places it at (originX, originY)
    bool feet = false;              // GRIDUNIT and MAPUNITS FEET (every length option is then in feet)
    std::vector<PropertyDefinition> inlineProperties;  // keyword blocks after ACTNUM, without markers
};

// The options shaped as real exports are: turned by 28 degrees, irregular spacing (0.4), inclined pillars (0.03),
// 40 % of the cells inactive, local coordinates placed by MAPAXES at the map origin (452000, 6800000). Such a
// grid's layout needs SPECGRID.
GridOptions asRealExport(GridOptions o);

// A grid of nx x ny x nz cells of about 100 m with a dome, shaped as real exports are (asRealExport).
GridOptions realExportGrid(const std::string& name, int nx, int ny, int nz);

// Pillar coordinates in COORD order: (nx+1)(ny+1) pillars, pillar (i, j) = i + (nx+1) * j, six numbers each
// (top x, y, z, bottom x, y, z). Pillars span the corners that stand on them; they are vertical unless
// `inclination` leans them. Rounded as written.
std::vector<double> pillarCoords(const GridOptions& o);

// The map position of the point at shares (fu, fv) of the grid's extent along its rows and columns, counted from
// the first pillar: with the grid's spacing and turn, and placed at the origin (by MAPAXES for local coordinates).
std::array<double, 2> footprintPoint(const GridOptions& o, double fu, double fv);

// ACTNUM in file order (i fastest, then j, then k): 1 active, 0 inactive.
std::vector<std::uint8_t> activeCells(const GridOptions& o);

// Corner depths in ZCORN order, 8 * nx * ny * nz values: for each layer the top then the bottom surface; within a
// surface for each cell row the near edge (two corners per cell, cell by cell) then the far edge. Rounded as written.
std::vector<double> cornerDepths(const GridOptions& o);

// The text of a direct-layout grid file (header, SPECGRID, MAPAXES, COORD, ZCORN, ACTNUM).
std::string gridText(const GridOptions& o);

// Include layout pieces: the main file naming the three included files, and each included file.
std::string includeMainText(const GridOptions& o);
std::string coordFileText(const GridOptions& o);
std::string zcornFileText(const GridOptions& o);
std::string actnumFileText(const GridOptions& o);

// Writes the grid into `folder` (created if needed) in the chosen layout. The first path is the file to open
// (NAME.GRDECL); include layout adds NAME_COORD, NAME_ZCORN and NAME_ACTNUM (.GRDECL). Throws std::runtime_error
// when a file cannot be written.
std::vector<std::filesystem::path> writeGrid(const GridOptions& o, const std::filesystem::path& folder);

struct PropertyFileOptions {
    int nx = 10, ny = 10, nz = 5;  // the grid the properties belong to: nx * ny * nz values each
    std::vector<PropertyDefinition> properties;
    LineEnd lineEnd = LineEnd::LF;
    bool repeats = true;  // write equal consecutive values as n*v
    int maxRun = 999;
    int valuesPerLine = 10;
    bool markers = true;  // false: plain keyword blocks without the "Property name in Petrel" lines
    TextEncoding nameEncoding = TextEncoding::Utf8;
};

// A porosity-like continuous property and a facies-like discrete one.
std::vector<PropertyDefinition> defaultProperties();

// `count` properties as a field export holds them, cycling through porosity, permeability (with some negative
// values), net-to-gross, water saturation, facies (long n*v runs), lithology (with stray 3*1.5 values) and regions;
// repeated kinds get a number. With `cyrillic`, the names are Russian.
std::vector<PropertyDefinition> fieldProperties(int count, bool cyrillic = false);

// `text` (UTF-8) in Windows-1251: Cyrillic letters and ASCII kept, anything else written as '?'.
std::string toCp1251(const std::string& text);

// Values of one property in file order (i fastest, then j, then k), as written (rounded to its decimals).
std::vector<double> propertyValues(const PropertyFileOptions& o, const PropertyDefinition& p);

std::string propertyFileText(const PropertyFileOptions& o);
std::filesystem::path writePropertyFile(const PropertyFileOptions& o, const std::filesystem::path& file);

// Export: "#" comments with the well name, a header between rules of "=", one row per station (the layout this
// viewer reads). Foreign: another tool's layout, "WELLNAME: 'NAME'" first, the columns X, Y, TVD, MD in a comment,
// a closing "-999" (the viewer refuses it).
enum class WellLayout { Export, Foreign };

struct WellOptions {
    std::string name = "W-1";  // UTF-8
    double headX = 0.0;        // well head position, same coordinates as the grid
    double headY = 0.0;
    double datum = 25.0;         // elevation of the measuring datum (kelly bushing) above sea level
    double totalDepth = 2200.0;  // measured depth of the last station
    double step = 10.0;          // measured depth between stations
    bool deviated = false;
    double kickoffDepth = 800.0;            // deviated: measured depth where the build starts
    double buildRate = 2.0;                 // deviated: degrees per 30 m of measured depth
    double maxInclination = 35.0;           // deviated: inclination held after the build, degrees
    double azimuth = 45.0;                  // deviated: direction of the build, degrees from grid north clockwise
    std::string azimuthColumn = "AZIM_TN";  // or AZIM_GN
    bool gridNorthColumn = false;           // an eleventh column AZIM_GN after DLS, as real exports have
    int ruleIndent = 0;                     // spaces before the "#=====" rules around the header
    LineEnd lineEnd = LineEnd::LF;
    WellLayout layout = WellLayout::Export;
    TextEncoding encoding = TextEncoding::Utf8;  // Windows1251: the name in that code page (older exports)
};

// Stations (md, x, y, z) of the trajectory, z the elevation (datum - TVD, negative below sea level), as written.
struct WellStation {
    double md, x, y, z;
};
std::vector<WellStation> wellStations(const WellOptions& o);

std::string wellFileText(const WellOptions& o);
std::filesystem::path writeWellFile(const WellOptions& o, const std::filesystem::path& file);

// A few wells (vertical and deviated, alternating) spread over the grid's footprint, named W-1, W-2, ...
std::vector<WellOptions> wellsForGrid(const GridOptions& g, int count);

}  // namespace morvane::gen
