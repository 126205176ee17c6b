// Well geometry: a loaded trajectory becomes two coloured polylines, the shown part (between the model's top and
// bottom at the well's position, plus a margin) and the hidden part (above or below the model).
//
// The vertical bounds follow the grid along the well: for every survey point still between the bounds, the nearest
// top-face corner of the top layer and the nearest bottom-face corner of the bottom layer set them. With inactive
// cells a column's top and bottom are those of its topmost and deepest active cells, and a column without active
// cells has no corners. The corner
// search goes through a bucket index of the corner positions, built once per grid, and finds exactly the corner a
// walk over every corner in order would keep (the first one at the smallest distance).
//
// A well that leaves the model and enters it again gives a part of several runs; each run is drawn as a line strip
// of its own, so no straight chord is drawn across the stretch where the part is not.
//
// Pure code: the view calls these and uploads the arrays.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/wells.h"
#include "scene/well_meshes.h"

namespace morvane {

// Elevations in file units (upper > lower for a grid; the shown part is lower <= Z <= upper, bounds included).
struct WellBounds {
    float upper = 50000.0f;
    float lower = -50000.0f;
};

// The corner positions of the top face of the top layer and of the bottom face of the bottom layer, bucketed by
// x and y for the nearest-corner search.
class ModelSurfaceCorners {
public:
    // The nearest corner of each surface: its index in its half of the layer array and its elevation (scene units).
    struct Nearest {
        std::optional<float> topZ, bottomZ;
        long long topIndex = -1, bottomIndex = -1;
    };

    // From the layer arrays of a loaded grid; an index without corners when the grid has no layers.
    explicit ModelSurfaceCorners(const Grid& grid);

    // The first corner (lowest index) at the smallest horizontal distance from (x, y), for each surface, among
    // the corners closer than 1 000 000 scene units. Distances are compared as squares in double precision.
    Nearest nearest(float x, float y) const;

    // Whether this index was built from `grid` as it is now (same layout, same corners at a few sampled places).
    bool describes(const Grid& grid) const;
    bool empty() const { return top_.entries.empty() && bottom_.entries.empty(); }

private:
    struct Entry {
        float x, y, z;
        float zBottom;  // shared surfaces: the bottom corner's elevation at the same index
        std::uint32_t index;
    };
    // Corners in buckets of side `cell`: bucket (i, j) holds entries[start[i + nx * j] .. start[... + 1]), in
    // increasing corner index, one entry per distinct position (the first corner there).
    struct Surface {
        double x0 = 0, y0 = 0, cell = 1;
        long long nx = 0, ny = 0;
        std::vector<std::uint32_t> start;
        std::vector<Entry> entries;
        void build(const float* vertices, std::size_t count);
        const Entry* nearest(double x, double y) const;
    };
    Surface top_, bottom_;
    bool shared_ = false;  // the two surfaces have the same positions: one search answers both
    std::array<float, 8> fingerprint_{};
    int layers_ = 0, rows_ = 0, columns_ = 0;
    std::size_t topFloats_ = 0, bottomFloats_ = 0;
};

// The bounds of the trajectory `points` (per point MD, X, Y, Z in file units). Without a grid (`corners` null or
// gridLoaded false): +-50000 and no margin. With one: the model's top and bottom, narrowed point by point as
// described above, then WELL_CUT_SHIFT added above and below.
WellBounds wellVerticalBounds(const std::vector<std::vector<float>>& points, const Grid& grid,
                              const ModelSurfaceCorners* corners);

struct WellParts {
    Vertices shown, hidden;                  // six floats per vertex: scene position, colour
    std::vector<int> shownRuns, hiddenRuns;  // first vertex of every run, in order
    float projLength = 0;                    // horizontal distance between the first and last shown vertex
};

// Splits the trajectory at the bounds. Where the well enters the model the hidden part ends on the first inside
// point; where it leaves, the shown part ends on the first outside point; a well whose first point is inside also
// starts its hidden part with that point. An empty shown part becomes two vertices at the origin.
WellParts splitWell(const std::vector<std::vector<float>>& points, WellBounds bounds, const std::vector<float>& colour);

// buildLastWell: builds the parts of `well`, the document's last, and appends the entries of every per-well list (the
// parts and their runs, well_proj_length). `corners` may be null (no grid). Returns the trace lines.
std::vector<std::string> buildWellGeometry(const Well& well, Wells& wells, const Grid& grid,
                                           const ModelSurfaceCorners* corners, const std::vector<float>& lineColour);

// colourWellLines: every vertex of every part takes `lineColour`; positions stay.
void recolourWells(Wells& wells, const std::vector<float>& lineColour);

// The label size of entry n of the label size menu: 0.25 + (n - 4) * 0.025.
float wellLabelSizeForEntry(int n);

}  // namespace morvane
