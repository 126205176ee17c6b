// What the scene builders draw over and under the model: the fluid contact surfaces, the production discs and the XY
// reference plane with the flat-section plane. Pure data, rebuilt from the document.
//
// Units: positions are file values divided by kCoordScale (metres become kilometres); depths are negated, so a
// depth below datum is a negative elevation.
#pragma once

#include <array>
#include <string>
#include <vector>

#include <glm/glm.hpp>

#include "model/grid.h"

namespace morvane {

// The drawing of the fluid contacts (the contacts themselves are the document's) and whether each is shown.
struct ContactDrawing {
    std::vector<std::vector<float>> OWC_z_ij, GOC_z_ij;
    Vertices OWC_k, GOC_k;
    std::vector<std::vector<std::vector<int>>> PROP_disc_OWC, PROP_disc_GOC;
    Indices OWC_indices, GOC_indices;
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
