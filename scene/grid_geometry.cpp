#include "scene/grid_geometry.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstddef>

#include "core/trace_text.h"
#include "scene/layer_halves.h"
#include "scene/reference_plane.h"
#include "scene/view_fit.h"

namespace morvane {

namespace {

using trace_text::line;

// How far beyond the view's edge (in half views) a corner of the model may lie at load before the view is fitted.
constexpr float kCutOffAtLoad = 1.25f;

// Distances beyond this (in file units) are treated as this; keeps the rounding inside long long.
constexpr double kSpacingCap = 1e15;

// The layout found by scanning the pillars, before anything is committed.
struct PillarLayout {
    std::vector<int> IJ;
    std::vector<std::vector<int>> IJ_undef;
    int cell_i = 0;
    int cell_j = 0;
};

std::size_t usablePillars(const GridInput& input)
{
    return std::min(input.points_coords.size() / 6, input.grid_lines_xy.size() / 4);
}

long long pairSpacing(const std::vector<double>& coords, std::size_t m)
{
    const double* a = &coords[6 * m];
    const double* b = &coords[6 * (m + 1)];
    return roundedPillarSpacing(a[0], a[1], b[0], b[1]);
}

// Rows of pillars and cell flags along each row's near edge, by the spacing of consecutive pillars.
PillarLayout scanRows(const std::vector<double>& coords, std::size_t pillars, long long dimension)
{
    PillarLayout layout;
    layout.IJ.push_back(0);
    layout.IJ_undef.push_back({0});
    long long c = 0;
    for (std::size_t m = 0; m + 1 < pillars; ++m) {
        const long long d = pairSpacing(coords, m);
        if (d > dimension) {  // the pair wraps to a new pillar row
            layout.IJ.push_back(-1);
            layout.IJ_undef.push_back({0});
            c = -1;
            ++layout.cell_i;
        } else {
            // The current row always holds c + 1 or c + 2 entries here, so flag c exists.
            layout.IJ_undef.back()[static_cast<std::size_t>(c)] = (d == dimension) ? 1 : 0;
        }
        ++c;
        ++layout.IJ.back();
        layout.IJ_undef.back().push_back(0);
    }
    layout.cell_j = layout.IJ.back();
    return layout;
}

// A cell is regular only when its far edge is regular too; the last pillar row then goes, and each row loses its
// trailing entry.
void combineEdges(PillarLayout& layout, int cellsPerRow)
{
    auto& rows = layout.IJ_undef;
    for (std::size_t r = 0; r + 1 < rows.size(); ++r)
        for (int c = 0; c < cellsPerRow; ++c) rows[r][c] = (rows[r][c] != 0 && rows[r + 1][c] != 0) ? 1 : 0;
    rows.pop_back();
    for (auto& row : rows) row.pop_back();
}

void writeVertex(float* v, float x, float y, float z, const float* colour)
{
    v[0] = x;
    v[1] = y;
    v[2] = z;
    v[3] = colour[0];
    v[4] = colour[1];
    v[5] = colour[2];
}

// One vertex array per layer, each filled by fill(k, layer); the later half of the layers is filled on the second
// core, which also halves the time spent on the first touch of the arrays' fresh memory.
template <class FillLayer>
std::vector<Vertices> layerArrays(int layers, std::size_t cellsPerLayer, const FillLayer& fill)
{
    std::vector<Vertices> result(static_cast<std::size_t>(std::max(layers, 0)));
    const int count = static_cast<int>(result.size());
    inLayerHalves(0, count / 2, count, cellsPerLayer * result.size(), [&](int from, int to) {
        for (int k = from; k < to; ++k) fill(static_cast<std::size_t>(k), result[static_cast<std::size_t>(k)]);
        return to - from;
    });
    return result;
}

// One vertex array per layer: surfaces top then bottom, cell rows, cells, corners near-left, near-right, far-left,
// far-right. x and y come from the pillars' tops, z from each cell's own corner depths.
std::vector<Vertices> buildLayerVertices(const GridInput& input, const GridGeometry& geometry, int rows, int cols,
                                         int layers)
{
    const std::size_t I = static_cast<std::size_t>(rows);
    const std::size_t J = static_cast<std::size_t>(cols);
    const std::size_t perSurface = 4 * I * J;
    const auto& xy = input.grid_lines_xy;
    const auto& zcorn = input.ZCORN;

    // Corner x, y of every cell, shared by all surfaces.
    std::vector<float> cornerXY(perSurface * 2);
    for (std::size_t r = 0; r < I; ++r) {
        for (std::size_t c = 0; c < J; ++c) {
            const std::size_t near = r * (J + 1) + c;
            const std::size_t far = (r + 1) * (J + 1) + c;
            const std::size_t pillars[4] = {near, near + 1, far, far + 1};
            float* out = &cornerXY[(r * J + c) * 8];
            for (int corner = 0; corner < 4; ++corner) {
                out[2 * corner] = static_cast<float>(xy[4 * pillars[corner]]);
                out[2 * corner + 1] = static_cast<float>(xy[4 * pillars[corner] + 1]);
            }
        }
    }

    float colour[3] = {1.0f, 1.0f, 1.0f};
    for (std::size_t n = 0; n < 3 && n < geometry.gridLinesColor.size(); ++n) colour[n] = geometry.gridLinesColor[n];

    return layerArrays(layers, I * J, [&](std::size_t k, Vertices& layer) {
        layer.reserve(2 * perSurface * 6);  // appended cell by cell: no zero-filling pass over fresh memory
        float cell[24];
        for (std::size_t t = 0; t < 2; ++t) {
            const std::size_t S = 2 * perSurface * k + perSurface * t;
            for (std::size_t r = 0; r < I; ++r) {
                const double* nearDepths = &zcorn[S + 4 * J * r];
                const double* farDepths = nearDepths + 2 * J;
                for (std::size_t c = 0; c < J; ++c) {
                    const float* cxy = &cornerXY[(r * J + c) * 8];
                    writeVertex(cell, cxy[0], cxy[1], static_cast<float>(nearDepths[2 * c]), colour);
                    writeVertex(cell + 6, cxy[2], cxy[3], static_cast<float>(nearDepths[2 * c + 1]), colour);
                    writeVertex(cell + 12, cxy[4], cxy[5], static_cast<float>(farDepths[2 * c]), colour);
                    writeVertex(cell + 18, cxy[6], cxy[7], static_cast<float>(farDepths[2 * c + 1]), colour);
                    layer.insert(layer.end(), cell, cell + 24);
                }
            }
        }
    });
}

// The contacts stood on the old grid: their surfaces go, and they are neither set nor drawn any more.
void dropContacts(Contacts& contacts)
{
    Vertices().swap(contacts.OWC_k);
    Vertices().swap(contacts.GOC_k);
    contacts.OWC_set = contacts.GOC_set = false;
    contacts.displayOWC = contacts.displayGOC = false;
}

void placeCamera(GridBuildReport& report, const GridInput& input, GridGeometry& geometry, ViewCamera& camera)
{
    report.trace.push_back("we loaded");
    float x_min = 0, x_max = 0, y_min = 0, y_max = 0;
    const auto& xy = input.grid_lines_xy;
    if (xy.size() >= 2) {
        x_min = x_max = static_cast<float>(xy[0]);
        y_min = y_max = static_cast<float>(xy[1]);
    }
    for (std::size_t n = 0; n + 1 < xy.size(); n += 2) {
        const float x = static_cast<float>(xy[n]);
        const float y = static_cast<float>(xy[n + 1]);
        x_min = std::min(x_min, x);
        x_max = std::max(x_max, x);
        y_min = std::min(y_min, y);
        y_max = std::max(y_max, y);
    }
    const auto [z_lo, z_hi] = std::minmax_element(input.ZCORN.begin(), input.ZCORN.end());
    geometry.model_x_min = x_min;
    geometry.model_x_max = x_max;
    geometry.model_y_min = y_min;
    geometry.model_y_max = y_max;
    geometry.model_z_min = static_cast<float>(*z_lo);
    geometry.model_z_max = static_cast<float>(*z_hi);
    geometry.model_center_z = (geometry.model_z_max + geometry.model_z_min) / 2;
    geometry.model_z_delta = geometry.model_z_max - geometry.model_z_min;

    const float center_x = (x_min + x_max) / 2;
    const float center_y = (y_min + y_max) / 2;
    report.trace.push_back(line("", center_x));
    report.trace.push_back(line("", center_y));

    // Scale so that the model's larger horizontal extent fills the view: 1.8475 for 1 km, about 0.353 for 10 km.
    const float extent = std::max(x_max - x_min, y_max - y_min);
    float s = 1.0f;
    if (extent > 0 && std::isfinite(extent)) s = static_cast<float>(1.8475 * std::pow(double(extent), -0.719));
    camera.position = glm::vec3(-center_x, -center_y, -geometry.model_center_z);
    camera.scale = glm::vec3(s, s, camera.VERT_SCALE * s);
}

// One vertex array per layer on a SPECGRID layout: each corner on its pillar's line at the corner's depth, the
// pillar's top and bottom points interpolated, so inclined pillars give the true cell shapes.
std::vector<Vertices> buildLayerVerticesOnPillars(const GridInput& input, const GridGeometry& geometry, int rows,
                                                  int cols, int layers)
{
    const std::size_t I = static_cast<std::size_t>(rows);
    const std::size_t J = static_cast<std::size_t>(cols);
    const std::size_t perSurface = 4 * I * J;
    const auto& zcorn = input.ZCORN;

    // Per pillar: the top point and the change of x and y per unit of depth along the pillar.
    struct Pillar {
        double x, y, z, dx, dy;
    };
    std::vector<Pillar> pillars((I + 1) * (J + 1));
    for (std::size_t p = 0; p < pillars.size(); ++p) {
        const double* c = &input.points_coords[6 * p];
        const double dz = c[5] - c[2];
        const bool slanted = std::abs(dz) > 1e-12;
        pillars[p] = {c[0], c[1], c[2], slanted ? (c[3] - c[0]) / dz : 0.0, slanted ? (c[4] - c[1]) / dz : 0.0};
    }

    float colour[3] = {1.0f, 1.0f, 1.0f};
    for (std::size_t n = 0; n < 3 && n < geometry.gridLinesColor.size(); ++n) colour[n] = geometry.gridLinesColor[n];

    return layerArrays(layers, I * J, [&](std::size_t k, Vertices& layer) {
        layer.reserve(2 * perSurface * 6);
        float cell[24];
        for (std::size_t t = 0; t < 2; ++t) {
            const std::size_t S = 2 * perSurface * k + perSurface * t;
            for (std::size_t r = 0; r < I; ++r) {
                const double* nearDepths = &zcorn[S + 4 * J * r];
                const double* farDepths = nearDepths + 2 * J;
                const Pillar* nearRow = &pillars[r * (J + 1)];
                const Pillar* farRow = nearRow + (J + 1);
                for (std::size_t c = 0; c < J; ++c) {
                    const Pillar* corners[4] = {nearRow + c, nearRow + c + 1, farRow + c, farRow + c + 1};
                    const double depths[4] = {nearDepths[2 * c], nearDepths[2 * c + 1], farDepths[2 * c],
                                              farDepths[2 * c + 1]};
                    for (int n = 0; n < 4; ++n) {
                        const Pillar& p = *corners[n];
                        const double along = depths[n] - p.z;
                        writeVertex(cell + 6 * n, static_cast<float>(p.x + along * p.dx),
                                    static_cast<float>(p.y + along * p.dy), static_cast<float>(depths[n]), colour);
                    }
                    layer.insert(layer.end(), cell, cell + 24);
                }
            }
        }
    });
}

// The median of the cell edges along I (pillar (i, j) to (i + 1, j)) or along J, from the pillars' tops, in file
// units.
float medianEdge(const GridInput& input, int rows, int cols, bool alongI)
{
    const auto& xy = input.grid_lines_xy;
    const std::size_t stride = static_cast<std::size_t>(cols) + 1;
    std::vector<float> lengths;
    lengths.reserve(stride * (static_cast<std::size_t>(rows) + 1));
    for (std::size_t j = 0; j + (alongI ? 0 : 1) <= static_cast<std::size_t>(rows); ++j)
        for (std::size_t i = 0; i + (alongI ? 1 : 0) <= static_cast<std::size_t>(cols); ++i) {
            const std::size_t a = j * stride + i;
            const std::size_t b = alongI ? a + 1 : a + stride;
            lengths.push_back(static_cast<float>(std::hypot(xy[4 * a] - xy[4 * b], xy[4 * a + 1] - xy[4 * b + 1]) *
                                                 Constants::COORD_MULT));
        }
    if (lengths.empty()) return 0;
    auto middle = lengths.begin() + static_cast<std::ptrdiff_t>(lengths.size() / 2);
    std::nth_element(lengths.begin(), middle, lengths.end());
    return *middle;
}

std::string fileOf(const std::string& file, const GridInput& input)
{
    if (!file.empty()) return file;
    return input.gridfilename_string.empty() ? std::string("the grid") : input.gridfilename_string;
}

void reject(GridBuildReport& report, std::string message, std::string detail)
{
    report.outcome = GridBuildOutcome::LayoutRejected;
    report.message = std::move(message);
    report.colour = log_colour::Red;
    if (!detail.empty()) report.details.push_back(std::move(detail));
}

// The depths must make whole layers of the layout: two surfaces of 4 x rows x cols depths each. Returns the layer
// count, or 0 with the reason in the report.
std::size_t layersOf(GridBuildReport& report, const GridInput& input, std::size_t rows, std::size_t cols)
{
    const std::size_t perSurface = 4 * rows * cols;
    const std::size_t perLayer = 2 * perSurface;
    const std::size_t depths = input.ZCORN.size();
    if (depths % perLayer != 0 || depths == 0) {
        const std::size_t lower = depths / perLayer * perLayer;
        const std::string expected =
            lower > 0 ? std::to_string(lower) + " or " + std::to_string(lower + perLayer) : std::to_string(perLayer);
        reject(report, grid_messages::Layout,
               "The ZCORN section of " + fileOf(input.zcorn_file, input) + " holds " + std::to_string(depths) +
                   " values; " + std::to_string(rows) + " rows of " + std::to_string(cols) + " cells take " +
                   std::to_string(perLayer) + " per layer (two surfaces of " + std::to_string(perSurface) + "), so " +
                   expected + " were expected.");
        return 0;
    }
    if (depths / perLayer * rows * cols > static_cast<std::size_t>(INT_MAX)) {
        reject(report, grid_messages::Layout,
               "The ZCORN section of " + fileOf(input.zcorn_file, input) +
                   " describes more cells than the viewer can hold.");
        return 0;
    }
    return depths / perLayer;
}

}  // namespace

long long roundedPillarSpacing(double x0, double y0, double x1, double y1)
{
    const double dx = x0 - x1;
    const double dy = y0 - y1;
    const double distance = std::sqrt(dx * dx + dy * dy) * Constants::COORD_MULT + 0.4;
    if (!std::isfinite(distance)) return -1;
    return std::llround(std::min(distance, kSpacingCap));
}

std::string groupDigits(long long value)
{
    std::string digits = std::to_string(value < 0 ? -value : value);
    std::string grouped;
    for (std::size_t n = 0; n < digits.size(); ++n) {
        if (n > 0 && (digits.size() - n) % 3 == 0) grouped += ' ';
        grouped += digits[n];
    }
    return value < 0 ? "-" + grouped : grouped;
}

GridBuildReport buildGridGeometry(GridInput& input, GridGeometry& geometry, ViewCamera& camera, Properties& properties,
                                  Contacts& contacts)
{
    GridBuildReport report;
    report.colour = log_colour::Red;
    const std::size_t pillars = usablePillars(input);
    const auto& coords = input.points_coords;
    const std::array<int, 3> counts = input.SPECGRID;
    const bool hasCounts = counts[0] > 0 && counts[1] > 0 && counts[2] > 0;

    // Nominal cell size: the first pair spacing that is a multiple of DIMENSION_MIN.
    const long long maxTriple = 2 * static_cast<long long>(pillars) - 2;
    report.trace.push_back(line("max_i = ", maxTriple));
    long long dimension = geometry.grid_dimension;
    for (std::size_t m = 0; m + 1 < pillars; ++m) {
        dimension = pairSpacing(coords, m);
        report.trace.push_back(line("grid_dimension = ", dimension));
        if (dimension % Constants::DIMENSION_MIN == 0) break;
    }
    report.trace.push_back(line("grid_dimension final = ", dimension));
    // A spacing of 0 (two pillars at one place) is no cell size, although 0 is a multiple of 25.
    const bool sizeAccepted =
        dimension > 0 && dimension % Constants::DIMENSION_MIN == 0 && dimension <= Constants::DIMENSION_MAX;
    if (!sizeAccepted && !hasCounts) {
        report.outcome = GridBuildOutcome::CellSizeRejected;
        report.message = grid_messages::CellSize;
        const std::string found = std::to_string(dimension), most = std::to_string(Constants::DIMENSION_MAX);
        report.detailEn = "Cell size found: " + found + " m; it must be a multiple of 25 m, at most " + most + " m.";
        report.detailRu = "Найден размер ячейки " + found + " м; он должен быть кратен 25 м и не больше " + most + " м.";
        return report;
    }

    PillarLayout layout;
    long long rows = 0, cols = 0;
    bool rectangular = false;
    if (sizeAccepted) {
        report.trace.push_back("passed 1.3");
        layout = scanRows(coords, pillars, dimension);
        rows = static_cast<long long>(layout.IJ.size()) - 1;
        cols = layout.IJ.back();
        // Every pillar row must hold the same number of cells; otherwise no depth index below would be bounded.
        rectangular = std::all_of(layout.IJ.begin(), layout.IJ.end(), [&](int n) { return n == cols; });
        report.trace.push_back("passed 1.5");
        if (rows >= 1 && cols >= 1 && rectangular) combineEdges(layout, static_cast<int>(cols));
        report.trace.push_back("passed 2");
        report.trace.push_back(line("IJ.size ", layout.IJ.size()));
        report.trace.push_back(line("ZCORN.size() ", input.ZCORN.size()));
        report.trace.push_back(line("ZCORN_I ", rows));
        report.trace.push_back(line("ZCORN_J ", cols));
    }
    const bool spacingFits = sizeAccepted && rows >= 1 && cols >= 1 && rectangular;

    // SPECGRID decides where the spacing rule cannot: it refused the grid, found other counts, or left cells
    // undefined that SPECGRID says exist.
    bool fromCounts = false;
    if (hasCounts) {
        bool allRegular = spacingFits;
        for (std::size_t r = 0; allRegular && r < layout.IJ_undef.size(); ++r)
            for (long long c = 0; allRegular && c < cols; ++c) allRegular = layout.IJ_undef[r][c] != 0;
        fromCounts = !(spacingFits && rows == counts[1] && cols == counts[0] && allRegular);
    }
    if (fromCounts) {
        report.trace.push_back("layout from SPECGRID " + std::to_string(counts[0]) + " x " + std::to_string(counts[1]) +
                               " x " + std::to_string(counts[2]));
        rows = counts[1];
        cols = counts[0];
        const std::size_t needed = static_cast<std::size_t>(rows + 1) * static_cast<std::size_t>(cols + 1);
        if (pillars != needed || input.points_coords.size() != 6 * needed) {
            reject(report, grid_messages::Layout,
                   "The COORD section of " + fileOf(input.coord_file, input) + " holds " +
                       std::to_string(input.points_coords.size()) + " values; SPECGRID " + std::to_string(counts[0]) +
                       " x " + std::to_string(counts[1]) + " x " + std::to_string(counts[2]) + " expects " +
                       std::to_string(6 * needed) + ".");
            return report;
        }
        layout = PillarLayout{};
        layout.IJ.assign(static_cast<std::size_t>(rows) + 1, static_cast<int>(cols));
        layout.IJ_undef.assign(static_cast<std::size_t>(rows), std::vector<int>(static_cast<std::size_t>(cols), 1));
        layout.cell_i = static_cast<int>(rows);
        layout.cell_j = static_cast<int>(cols);
        // The nominal size of a grid laid out by its counts: the median edge, at least 1 m and within an int
        // (an absurd or non-finite edge would otherwise wrap to a negative size).
        const float median = medianEdge(input, static_cast<int>(rows), static_cast<int>(cols), true);
        dimension = median >= 1.0f ? static_cast<long long>(std::min(std::round(double(median)), double(INT_MAX))) : 1;
    } else if (!spacingFits) {
        reject(report, grid_messages::Layout,
               "The " + std::to_string(pillars) + " pillars in the COORD section of " +
                   fileOf(input.coord_file, input) + " do not stand in rows of equal length.");
        return report;
    }

    // Whole layers only, counted exactly (a single-precision quotient accepts depth counts that are a few short).
    const std::size_t layers = layersOf(report, input, static_cast<std::size_t>(rows), static_cast<std::size_t>(cols));
    if (layers == 0) return report;
    if (hasCounts && layers != static_cast<std::size_t>(counts[2])) {
        reject(report, grid_messages::Layout,
               "The ZCORN section of " + fileOf(input.zcorn_file, input) + " holds " +
                   std::to_string(input.ZCORN.size()) + " values, " + std::to_string(layers) +
                   " layers; SPECGRID expects " + std::to_string(counts[2]) + ".");
        return report;
    }
    const std::size_t perSurface = 4 * static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols);
    const std::size_t cells = layers * static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols);

    // Active cells: one flag per cell. More flags than cells belong to another grid; fewer leave every cell active.
    const std::string actnumFile = fileOf(input.actnum_file, input);
    if (input.ACTNUM.size() > cells) {
        reject(report, grid_messages::NotLoaded,
               "The ACTNUM section of " + actnumFile + " holds " + std::to_string(input.ACTNUM.size()) +
                   " values; the grid has " + std::to_string(cells) + " cells.");
        return report;
    }
    if (input.ACTNUM.empty()) {
        report.notes.push_back({"No ACTNUM: every cell is active.", log_colour::LightGrey});
    } else if (input.ACTNUM.size() < cells) {
        report.notes.push_back({"The ACTNUM section of " + actnumFile + " holds " +
                                    std::to_string(input.ACTNUM.size()) + " values, fewer than the " +
                                    std::to_string(cells) + " cells: every cell is taken as active.",
                                log_colour::Orange});
    }

    // From here on the build cannot fail: release the old vertices before the new ones are made.
    std::vector<Vertices>().swap(geometry.grid_lines_k);
    dropContacts(contacts);
    geometry.grid_dimension = static_cast<int>(dimension);
    geometry.ZCORN_I = static_cast<int>(rows);
    geometry.ZCORN_J = static_cast<int>(cols);
    geometry.ZCORN_K = static_cast<int>(layers);
    geometry.GRID_SIZE = static_cast<int>(cells);
    geometry.points_in_layer = static_cast<int>(perSurface);
    geometry.cell_i = layout.cell_i;
    geometry.cell_j = layout.cell_j;
    geometry.layout_from_specgrid = fromCounts;
    report.trace.push_back("gridLines = 0");
    report.trace.push_back(line("points_in_layer = ", geometry.points_in_layer));

    geometry.grid_lines_k =
        fromCounts ? buildLayerVerticesOnPillars(input, geometry, geometry.ZCORN_I, geometry.ZCORN_J, geometry.ZCORN_K)
                   : buildLayerVertices(input, geometry, geometry.ZCORN_I, geometry.ZCORN_J, geometry.ZCORN_K);
    placeCamera(report, input, geometry, camera);
    // The usual placement often leaves a near corner just outside the view, which is how models have always been
    // shown; a model cut off further than that (a thick grid in feet fills the view with one corner) is fitted.
    const ModelBox box = modelBox(geometry);
    if (!boxInView(box, camera, kCutOffAtLoad)) {
        fitView(box, camera);
        report.viewFitted = true;
        report.trace.push_back("view fitted to the model");
    }

    std::vector<std::vector<int>>().swap(properties.PROP_disc_loading);
    std::vector<std::vector<double>>().swap(properties.PROP_cont_loading);
    const bool someInactive =
        input.ACTNUM.size() == cells && std::find(input.ACTNUM.begin(), input.ACTNUM.end(), 0) != input.ACTNUM.end();
    if (someInactive)
        geometry.cell_active = std::move(input.ACTNUM);
    else
        std::vector<std::uint8_t>().swap(geometry.cell_active);
    std::vector<std::uint8_t>().swap(input.ACTNUM);
    long long regular = 0;
    for (const auto& row : layout.IJ_undef)
        for (int c = 0; c < geometry.ZCORN_J; ++c) regular += row[c] != 0;
    long long active = regular * geometry.ZCORN_K;
    if (someInactive) {
        const std::size_t perLayer = static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols);
        active = 0;
        for (std::size_t n = 0; n < cells; ++n) {
            const std::size_t column = n % perLayer;
            active += geometry.cell_active[n] != 0 &&
                      layout.IJ_undef[column / static_cast<std::size_t>(cols)][column % static_cast<std::size_t>(cols)];
        }
    }
    geometry.TOTAL_CELLS = static_cast<int>(active);
    geometry.IJ = std::move(layout.IJ);
    geometry.IJ_undef = std::move(layout.IJ_undef);
    geometry.cell_size_i = medianEdge(input, geometry.ZCORN_I, geometry.ZCORN_J, true);
    geometry.cell_size_j = medianEdge(input, geometry.ZCORN_I, geometry.ZCORN_J, false);

    const std::string unit = input.GRIDUNIT == "FEET" ? " ft" : "";
    report.modelStat_cell_i = std::to_string(geometry.ZCORN_I);
    report.modelStat_cell_j = std::to_string(geometry.ZCORN_J);
    report.modelStat_cell_k = std::to_string(geometry.ZCORN_K);
    report.modelStat_cell_ijk = groupDigits(geometry.TOTAL_CELLS);
    report.modelStat_resol =
        fromCounts ? "≈ " + std::to_string(std::lround(geometry.cell_size_i)) + " x " +
                         std::to_string(std::lround(geometry.cell_size_j)) + unit
                   : std::to_string(geometry.grid_dimension) + " x " + std::to_string(geometry.grid_dimension) + unit;

    geometry.gridLoaded = true;
    properties.propLoaded = false;
    report.outcome = GridBuildOutcome::Built;
    report.clearDataTree = true;
    report.treeNode = input.gridfilename_string;
    report.message = grid_messages::Loaded;
    report.colour = log_colour::Green;
    return report;
}

GridBuildReport buildGrid(ModelState& state)
{
    GridBuildReport report = buildGridGeometry(state, state, state, state, state);
    if (report.built()) buildXYPlane(state, state, state);
    return report;
}

std::string gridBuildLogLine(const GridBuildReport& report, const std::string& lang)
{
    const bool ru = lang == "ru";
    std::string line = report.message;
    if (report.outcome == GridBuildOutcome::CellSizeRejected && !ru) line = grid_messages::CellSizeEn;
    if (ru && line == grid_messages::Layout) line = grid_messages::LayoutRu;
    if (ru && line == grid_messages::NotLoaded) line = grid_messages::NotLoadedRu;
    const std::string& detail = ru ? report.detailRu : report.detailEn;
    return detail.empty() ? line : line + " " + detail;
}

void deliverGridReport(const GridBuildReport& report, Feedback& feedback, const std::string& lang)
{
    for (const auto& text : report.trace) feedback.trace(text);
    for (const auto& note : report.notes) feedback.appendLog(note.text, note.colour);
    feedback.appendLog(gridBuildLogLine(report, lang), report.colour);
    for (const auto& detail : report.details) feedback.appendLog(detail, log_colour::Red);
}

}  // namespace morvane
