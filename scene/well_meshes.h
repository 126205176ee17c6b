// What the scene builders make of the wells: their lines in the model, and the well section's strips, wells and
// contact lines. Pure data, rebuilt from the document.
//
// Units: positions are file values divided by kCoordScale (metres become kilometres); depths are negated, so a
// depth below datum is a negative elevation.
#pragma once

#include <array>
#include <vector>

#include "model/grid.h"

namespace morvane {

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

}  // namespace morvane
