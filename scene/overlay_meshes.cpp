#include "scene/overlay_meshes.h"

namespace morvane {

std::array<float, 120> ReferencePlane::initialSamplePoints()
{
    // Twenty white points on a 5 x 4 lattice spanning the sample's extent.
    constexpr float x_min = 548.5919f, x_max = 549.22833f;
    constexpr float y_min = 6414.2856f, y_max = 6414.9224f;
    std::array<float, 120> points{};
    for (int n = 0; n < 20; ++n) {
        const int col = n % 5;
        const int row = n / 5;
        float* p = &points[static_cast<std::size_t>(n) * 6];
        p[0] = x_min + (x_max - x_min) * static_cast<float>(col) / 4.0f;
        p[1] = y_min + (y_max - y_min) * static_cast<float>(row) / 3.0f;
        p[2] = -1.87842f;
        p[3] = p[4] = p[5] = 1.0f;
    }
    points[0] = x_min;
    points[1] = y_min;
    points[114] = x_max;
    points[115] = y_max;
    return points;
}

}  // namespace morvane
