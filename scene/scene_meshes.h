// What the scene builders make from the document and the view: the grid's index lists and shell, the cell colours,
// the contact surfaces, the wells' lines, the well section's strips, the production discs and the reference plane.
// Pure data, rebuilt from the document; nothing here is loaded or typed by the user.
//
// Units: positions are file values divided by kCoordScale (metres become kilometres); depths are negated, so a
// depth below datum is a negative elevation.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include <glm/glm.hpp>

#include "model/grid.h"

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
        float cut = 0;
        bool below = true;
        friend bool operator==(const Source&, const Source&) = default;
    } colouredFrom;
    bool cellsColoured() const { return colouredFrom.valid; }
};

// The drawing of the fluid contacts (the contacts themselves are the document's) and whether each is shown.
struct ContactDrawing {
    std::vector<std::vector<float>> OWC_z_ij, GOC_z_ij;
    Vertices OWC_k, GOC_k;
    std::vector<std::vector<std::vector<int>>> PROP_disc_OWC, PROP_disc_GOC;
    Indices OWC_indices, GOC_indices;
};

// The drawing of the wells (their trajectories are the document's) and how they are shown.
struct Wells {
    std::vector<Vertices> well_coord_vertex_show, well_coord_vertex_hide;
    // Per well and part, the first vertex of every run: a part that leaves and re-enters the model is drawn as
    // separate line strips.
    std::vector<std::vector<int>> well_show_runs, well_hide_runs;
    std::vector<float> well_proj_length;
};

// The vertical section through chosen wells.
struct WellSection {
    std::vector<Vertices> section_well_coord_vertex;
    // Per section well, the first vertex of every run of its outside-model part and then of its inside-model part,
    // so each run is drawn as a line strip of its own.
    std::vector<std::vector<int>> section_well_runs;
    std::vector<Vertices> intersect_lines, intersect_owc;
    std::vector<Indices> intersect_lines_indices;
    std::vector<std::vector<float>> intersect_lines_start_xy{20, std::vector<float>{0, 0}};
    std::vector<std::vector<float>> intersect_owc_start_xy{20, std::vector<float>{0, 0}};
    Vertices model_section, model_section_border;
    Indices model_section_indices{0, 2, 1, 2, 3, 1};
    Indices model_section_border_indices{0, 1, 1, 3, 3, 2, 2, 0};
    std::array<float, 3> model_section_color{0.5f, 0, 0};
    std::array<float, 3> model_section_border_color{0, 0.5f, 0};
    float last_well_section_x = 0, last_well_section_y = 0;
    float last_last_well_section_x = 0, last_last_well_section_y = 0;
    float last_well_section_x_start = 0, last_well_section_y_start = 0;
    float last_ext_well_section_x_start = 0, last_ext_well_section_x_end = 0;
    float last_ext_well_section_y_start = 0, last_ext_well_section_y_end = 0;
    float last_last_well_section_x_start = 0, last_last_well_section_y_start = 0;
    float last_last_ext_well_section_x_start = 0, last_last_ext_well_section_x_end = 0;
    float last_last_ext_well_section_y_start = 0, last_last_ext_well_section_y_end = 0;
    float last_alfa = 0, last_gamma = 0;
    int last_b = 0;
};

// The circle diagrams of the cumulative production (the volumes are the document's).
struct ProductionDrawing {
    std::vector<float> oilProdForm, waterProdForm, gasProdForm;
    std::vector<std::string> well_name_form;
    std::vector<Vertices> circleDiagram;
    std::vector<glm::vec3> circle_rotation = std::vector<glm::vec3>(500, glm::vec3(0.0f));
    bool displayCircleDiagrams = false;
};

// The XY reference grid under the model and the flat-section plane.
struct ReferencePlane {
    Vertices xy_plane;
    std::vector<double> x_lines, y_lines;
    std::vector<float> x_cubes, y_cubes;
    int y_limit = 0;
    // Built-in sample of 20 points whose x and y extents place the reference plane before a grid is loaded.
    std::array<float, 120> start = initialSamplePoints();
    std::array<float, 36> flat_plane_vertex{0, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0,
                                            0, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0};
    glm::vec4 clip_plane0{0.0f, 1.0f, -2.6f, 0.0f};

    static std::array<float, 120> initialSamplePoints();
};

}  // namespace morvane
