// The corner-point grid of the document: what a grid file gives (pillars, corner depths, cell counts, active cells,
// map frame, unit) and the layout and corner vertices built from it.
//
// Units: positions are file values divided by kCoordScale (metres become kilometres); depths are negated, so a
// depth below datum is a negative elevation.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace morvane {

using Vertices = std::vector<float>;  // coloured vertices, six floats each: x, y, z, r, g, b
using Indices = std::vector<int>;     // 32-bit element indices

inline constexpr int kCoordScale = 1000;  // file units to model units

// What the grid reader gives, in model units. The reader fills it completely or not at all.
struct CornerPointInput {
    std::vector<double> pillars;       // COORD, six per pillar: top x, y, z, bottom x, y, z
    std::vector<double> pillarXY;      // pillar x and y only, four per pillar: top x, y, bottom x, y
    std::vector<double> cornerDepths;  // ZCORN, expanded; released once the layer vertices hold them
    // Read beside the pillars and depths when the file (or a file it includes) gives them.
    std::array<int, 3> declaredSize{};  // NX, NY, NZ from SPECGRID or DIMENS; zeros when the file gives none
    std::vector<std::uint8_t> actnum;   // per cell in file order as read: 1 active, 0 inactive; empty when none
    std::vector<double> mapAxes;        // the six MAPAXES numbers as written (file units); empty when none
    bool mapAxesApplied = false;        // pillar x and y were turned from local into map coordinates
    std::string unit;                   // the unit word of GRIDUNIT ("METRES", "FEET"); empty when none
    std::string coordFile, zcornFile, actnumFile;  // the files that held the sections, for messages; actnumFile is
                                                   // set whenever an ACTNUM keyword was read, even an empty one
    std::size_t actnumLine = 0;                    // the line of the ACTNUM keyword in actnumFile
};

// The model's bounding box in model units; zMin is the deepest corner, zMax the shallowest.
struct GridExtent {
    float xMin = 0, xMax = 0, yMin = 0, yMax = 0;
    float zMin = 0, zMax = 0;
    float centreZ = -1.8f;
    float depthRange = 0.5f;
};

// The built grid. Cells are numbered layer after layer, row after row: cell = (k * rows + i) * columns + j.
struct Grid {
    std::string name;        // the grid file's name without folder and extension
    CornerPointInput input;  // as read; the corner depths are released after the build
    bool loaded = false;
    int cellSize = 1;                            // nominal cell size along the rows, file units (spacing layout)
    std::vector<int> rowCellCounts;              // cells per pillar row
    std::vector<std::vector<int>> regularCells;  // per cell row: 1 regular cell, 0 undefined
    int rows = 1;                                // cell rows (I)
    int columns = 1;                             // cells per row (J)
    int layers = 1;                              // K
    int cellCount = 1;                           // rows x columns x layers: the length of every property array
    int surfaceVertices = 1;                     // 4 x rows x columns vertices per surface
    int definedRows = 0, definedColumns = 0;     // the rows and cells per row the layout defines
    int activeCellCount = 0;                     // active regular cells over all layers
    std::vector<Vertices> layerVertices;         // per layer, top then bottom corners of every cell
    std::vector<std::uint8_t> active;            // per cell, 1 active 0 inactive; empty: every cell active
    GridExtent extent;
    bool layoutFromSpecgrid = false;                 // NX NY from SPECGRID rather than from the pillar spacing
    float medianCellSizeI = 0, medianCellSizeJ = 0;  // median cell edge along I and along J, file units
    std::uint64_t revision = 0;                      // bumped whenever the grid is replaced
};

}  // namespace morvane
