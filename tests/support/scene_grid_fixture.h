// Small hand-made grids for the scene tests, in model units as the grid reader leaves them: x and y in kilometres
// with their signs, depths negated (a depth of 1000 m is -1.0).
#pragma once

#include <cmath>
#include <functional>
#include <utility>
#include <vector>

#include "commands/model_state.h"

namespace morvane::test {

// Contact levels with each column that carries no contact (NaN, which equals nothing) shown as 99.
inline std::vector<std::vector<float>> levelsShown(std::vector<std::vector<float>> levels)
{
    for (auto& row : levels)
        for (float& z : row)
            if (std::isnan(z)) z = 99;
    return levels;
}

struct PillarMetres {
    double x = 0, y = 0;
};

// Grid input from pillar tops in metres (file order) and corner depths in metres (positive down).
inline CornerPointInput gridFromPillars(const std::vector<PillarMetres>& pillars,
                                        const std::vector<double>& depthsMetres, double topDepth = 1000,
                                        double bottomDepth = 1100)
{
    CornerPointInput input;
    for (const auto& p : pillars) {
        const double x = p.x / 1000, y = p.y / 1000;
        input.pillars.insert(input.pillars.end(), {x, y, -topDepth / 1000, x, y, -bottomDepth / 1000});
        input.pillarXY.insert(input.pillarXY.end(), {x, y, x, y});
    }
    for (double d : depthsMetres) input.cornerDepths.push_back(-d / 1000);
    return input;
}

// Pillars of a lattice of nx by ny cells: along a row x grows by `dx`, from row to row y grows by `dy` (negative
// for rows running south); the whole lattice turned by `degrees` about the origin (x0, y0).
inline std::vector<PillarMetres> latticePillars(int nx, int ny, double dx, double dy, double x0 = 0, double y0 = 0,
                                                double degrees = 0)
{
    const double a = degrees * 3.14159265358979323846 / 180;
    std::vector<PillarMetres> pillars;
    for (int r = 0; r <= ny; ++r)
        for (int c = 0; c <= nx; ++c) {
            const double u = c * dx, v = r * dy;
            pillars.push_back({x0 + u * std::cos(a) - v * std::sin(a), y0 + u * std::sin(a) + v * std::cos(a)});
        }
    return pillars;
}

// Depth of corner `corner` (0 left, 1 right) of cell c on edge `edge` (0 near, 1 far) of row r, surface t (0 top,
// 1 bottom) of layer k.
using DepthRule = std::function<double(int k, int t, int r, int edge, int c, int corner)>;

inline double flatLayers(int k, int t, int, int, int, int) { return 1000 + 10 * (k + t); }

// Corner depths in the standard order: layers, top then bottom surface, rows, near edge then far edge, cells,
// left then right corner.
inline std::vector<double> cornerDepths(int nx, int ny, int nz, const DepthRule& rule = flatLayers)
{
    std::vector<double> depths;
    for (int k = 0; k < nz; ++k)
        for (int t = 0; t < 2; ++t)
            for (int r = 0; r < ny; ++r)
                for (int edge = 0; edge < 2; ++edge)
                    for (int c = 0; c < nx; ++c)
                        for (int corner = 0; corner < 2; ++corner) depths.push_back(rule(k, t, r, edge, c, corner));
    return depths;
}

inline CornerPointInput latticeGrid(int nx, int ny, int nz, double dx = 50, double dy = 50, double x0 = 0,
                                    double y0 = 0)
{
    return gridFromPillars(latticePillars(nx, ny, dx, dy, x0, y0), cornerDepths(nx, ny, nz));
}

}  // namespace morvane::test
