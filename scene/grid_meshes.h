// What the scene builders make of the grid: its index lists and shell, the picked cell's outline and the colour of
// every cell by the shown property. Pure data, rebuilt from the document.
//
// Units: positions are file values divided by kCoordScale (metres become kilometres); depths are negated, so a
// depth below datum is a negative elevation.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/grid.h"
#include "view/view_state.h"

namespace morvane {

// Fixed for the whole run.
struct Constants {
    static constexpr int DIMENSION_MIN = 25;      // the cell size must be a multiple of this
    static constexpr int DIMENSION_MAX = 500;     // largest accepted cell size
    static constexpr int MAX_ZCORN_STARS = 1000;  // unused: n*v repeats are bounded by the section's size
    static constexpr int MAX_PROP_STARS = 5000;   // bound of repeat counts in property files
    static constexpr int WINDOW_WIDTH = 1024;     // reference size of the view and of the label space
    static constexpr int WINDOW_HEIGHT = 768;
    static constexpr int INITIAL_ROTATION_Z = 40;   // degrees
    static constexpr float WELL_CUT_SHIFT = 10.0f;  // file units above the top and below the bottom
    static constexpr float COPYRIGHT_LABEL_SIZE = 0.5f;
};

// Index lists and GL names of the grid.
struct GridDrawing {
    Indices grid_indices;       // lines: every cell edge
    Indices grid_indices_edge;  // lines: the shell's outlines, each once
    Indices cell_indices;       // triangles: top and side faces
    Indices cell_indices_edge;  // triangles: the shell, faces no drawn neighbour covers
    // While inactive cells are hidden the layers differ. cell_runs then holds each layer's drawn cells as runs of
    // (first, count) pairs, counted in cells of grid_indices and cell_indices, layer k's pairs from
    // cell_runs_layer[k] to cell_runs_layer[k + 1] (empty: every layer draws the whole lists). The two shell lists
    // hold every layer's list in turn, layer k's from grid_indices_edge_layer[k] (cell_indices_edge_layer[k]) to the
    // next entry.
    Indices cell_runs;
    std::vector<std::size_t> cell_runs_layer, grid_indices_edge_layer, cell_indices_edge_layer;
    std::vector<std::uint8_t> cell_drawn;  // per cell, layer after layer, row after row (cell_i x cell_j): 1 drawn
    // The shell's faces and lines by the side they look to, and each side's triangle planes (grid_shell.h).
    std::vector<std::size_t> shell_face_runs, shell_line_runs;
    std::array<std::vector<float>, 6> shell_side_planes;
    // A blue square 200 wide at z = -1, facing up (two triangles).
    std::array<float, 36> infinite{100, 100,  -1, 0, 0, 1, -100, 100, -1, 0, 0, 1, 100,  -100, -1, 0, 0, 1,
                                   100, -100, -1, 0, 0, 1, -100, 100, -1, 0, 0, 1, -100, -100, -1, 0, 0, 1};
    // The pivot cursor: two green line segments; positions are set when the view starts.
    std::array<float, 12> cursor_point_vertex{0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0};
    std::array<float, 12> cursor_point_vertex2{0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0};
    // The outline of the cell the user picked (24 coloured vertices, lines), empty while no cell is marked.
    Vertices picked_cell_lines;
};

// The colour of every cell by the shown property, per layer r, g, b of each cell, row by row (scene/property_colouring).
struct CellColouring {
    std::vector<Vertices> cells_k;
    // What the colours were made from: the cells are coloured again only when some of it changed.
    struct Source {
        bool valid = false;  // the colours belong to the grid on show
        std::uint64_t grid = 0, properties = 0;
        std::string shown;
        PropertyFilterSetting filter;
        friend bool operator==(const Source&, const Source&) = default;
    } colouredFrom;
    bool cellsColoured() const { return colouredFrom.valid; }
};

}  // namespace morvane
