// Shared pieces of the render tests: a generated grid placed into a model state as the grid reader leaves it, a
// continuous property on it, projection of model points to image pixels, and pixel comparisons.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <memory>

#include <glm/glm.hpp>

#include "commands/model_state.h"
#include "render/offscreen_renderer.h"
#include "tools/generator/model_generator.h"

namespace morvane::testing {

// The pillar coordinates and corner depths of a generated grid, in model units (file value / 1000, depths negated),
// as the grid reader stores them.
inline void putGeneratedGrid(ModelState& s, const gen::GridOptions& o)
{
    const std::vector<double> coords = gen::pillarCoords(o);
    const std::vector<double> depths = gen::cornerDepths(o);
    s.document.grid.name = o.name;
    s.document.grid.input.pillars.clear();
    s.document.grid.input.pillarXY.clear();
    for (std::size_t p = 0; p + 5 < coords.size(); p += 6) {
        const double top[3] = {coords[p] / 1000, coords[p + 1] / 1000, -coords[p + 2] / 1000};
        const double bottom[3] = {coords[p + 3] / 1000, coords[p + 4] / 1000, -coords[p + 5] / 1000};
        s.document.grid.input.pillars.insert(s.document.grid.input.pillars.end(),
                                             {top[0], top[1], top[2], bottom[0], bottom[1], bottom[2]});
        s.document.grid.input.pillarXY.insert(s.document.grid.input.pillarXY.end(),
                                              {top[0], top[1], bottom[0], bottom[1]});
    }
    s.document.grid.input.cornerDepths.clear();
    for (double d : depths) s.document.grid.input.cornerDepths.push_back(-d / 1000);
}

// A grid of nx x ny x nz cells of 50 m at real-world coordinates (548 km, 6414 km), so that the reference square
// at the origin stays far outside the view as it does for real models.
inline gen::GridOptions smallGrid(int nx, int ny, int nz)
{
    gen::GridOptions o;
    o.name = "TEST";
    o.nx = nx;
    o.ny = ny;
    o.nz = nz;
    o.cellSize = 50;
    o.originX = 548000;
    o.originY = 6414000;
    o.topDepth = 2000;
    o.layerThickness = 10;
    return o;
}

// Loads a continuous property of type `type` whose colour limits are [0, 1] with the given per-cell values (file
// order: column fastest, then row, then layer) and colours the cells, as a property load does.
inline void loadContinuousProperty(ModelState& s, SceneOperations& view, const std::vector<double>& values,
                                   int type = 5, const std::string& name = "PERM")
{
    Property p = makeContinuousProperty(name, propertyKindOf(type), values);
    p.min = p.lowLimit = 0;
    p.max = p.highLimit = 1;
    s.document.properties.clear();
    s.document.properties.add(std::move(p));
    s.view.shownProperty = name;
    view.recolourCells();
}

// Where a model point lands in an image of the given size under the state's last frame matrices; y from the top.
inline glm::vec2 projectToPixel(const ModelState& s, const glm::vec3& p, int width, int height)
{
    const glm::vec4 clip = s.view.frame.projection * s.view.frame.view * s.view.frame.model * glm::vec4(p, 1.0f);
    const glm::vec3 ndc = glm::vec3(clip) / clip.w;
    return {(ndc.x + 1.0f) * 0.5f * static_cast<float>(width), (1.0f - ndc.y) * 0.5f * static_cast<float>(height)};
}

// The centre of a cell's top face, from the layer's vertex array (four top corners of cell row i, column j).
inline glm::vec3 topFaceCentre(const ModelState& s, int k, int i, int j)
{
    const Vertices& layer = s.document.grid.layerVertices.at(static_cast<std::size_t>(k));
    glm::vec3 sum(0.0f);
    const std::size_t first = static_cast<std::size_t>((i * s.document.grid.columns + j) * 4);
    for (std::size_t c = 0; c < 4; ++c) {
        const std::size_t v = (first + c) * 6;
        sum += glm::vec3(layer.at(v), layer.at(v + 1), layer.at(v + 2));
    }
    return sum / 4.0f;
}

inline std::array<int, 3> rgb255(float r, float g, float b)
{
    return {static_cast<int>(std::lround(r * 255)), static_cast<int>(std::lround(g * 255)),
            static_cast<int>(std::lround(b * 255))};
}

inline bool near(const std::array<std::uint8_t, 4>& pixel, const std::array<int, 3>& rgb, int tolerance = 3)
{
    for (int c = 0; c < 3; ++c)
        if (std::abs(static_cast<int>(pixel[static_cast<std::size_t>(c)]) - rgb[static_cast<std::size_t>(c)]) >
            tolerance)
            return false;
    return true;
}

inline std::array<int, 3> backgroundOf(const ModelState& s)
{
    return {s.view.display.background[0], s.view.display.background[1], s.view.display.background[2]};
}

// Number of pixels of the image that match the colour.
inline int countPixels(const RgbaImage& image, const std::array<int, 3>& rgb, int tolerance = 3)
{
    int n = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) n += near(image.at(x, y), rgb, tolerance) ? 1 : 0;
    return n;
}

// Pictures of failed tests go here (under the build folder's bin).
inline std::string picturePath(const std::string& name)
{
    const std::filesystem::path dir = std::filesystem::current_path() / "render_test_pictures";
    std::filesystem::create_directories(dir);
    return (dir / name).string();
}

}  // namespace morvane::testing

namespace morvane::testing {

// Per-cell values of an nx x ny x nz grid from a function of (k, i, j), in file order.
template <typename F>
std::vector<double> cellValues(int nx, int ny, int nz, F f)
{
    std::vector<double> values;
    for (int k = 0; k < nz; ++k)
        for (int i = 0; i < ny; ++i)
            for (int j = 0; j < nx; ++j) values.push_back(f(k, i, j));
    return values;
}

// Permeability palette (type 5) over the limits [0, 1]: blue, green at the middle, red at the top.
inline std::array<int, 3> permeabilityColour(double v)
{
    if (v <= 0) return rgb255(0, 0, 1);
    if (v <= 0.5) return rgb255(0, static_cast<float>(v / 0.5), static_cast<float>(1 - v / 0.5));
    if (v <= 1) return rgb255(static_cast<float>((v - 0.5) / 0.5), static_cast<float>(1 - (v - 0.5) / 0.5), 0);
    return rgb255(1, 0, 0);
}

inline std::string describe(const std::array<std::uint8_t, 4>& p)
{
    std::string text("(");
    for (std::size_t c = 0; c < 3; ++c) {
        text += std::to_string(p[c]);
        text += c < 2 ? ", " : ")";
    }
    return text;
}

}  // namespace morvane::testing
