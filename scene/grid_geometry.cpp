#include "scene/grid_geometry.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstddef>
#include <optional>

#include "core/trace_text.h"
#include "scene/layer_halves.h"
#include "scene/reference_plane.h"
#include "scene/view_fit.h"

namespace morvane {

namespace {

using trace_text::line;

// Distances beyond this (in file units) are treated as this; keeps the rounding inside long long.
constexpr double kSpacingCap = 1e15;

// The layout found by scanning the pillars, before anything is committed.
struct PillarLayout {
    std::vector<int> rowCellCounts;
    std::vector<std::vector<int>> regularCells;
    int definedRows = 0;
    int definedColumns = 0;
};

std::size_t usablePillars(const CornerPointInput& input)
{
    return std::min(input.pillars.size() / 6, input.pillarXY.size() / 4);
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
    layout.rowCellCounts.push_back(0);
    layout.regularCells.push_back({0});
    long long c = 0;
    for (std::size_t m = 0; m + 1 < pillars; ++m) {
        const long long d = pairSpacing(coords, m);
        if (d > dimension) {  // the pair wraps to a new pillar row
            layout.rowCellCounts.push_back(-1);
            layout.regularCells.push_back({0});
            c = -1;
            ++layout.definedRows;
        } else {
            // The current row always holds c + 1 or c + 2 entries here, so flag c exists.
            layout.regularCells.back()[static_cast<std::size_t>(c)] = (d == dimension) ? 1 : 0;
        }
        ++c;
        ++layout.rowCellCounts.back();
        layout.regularCells.back().push_back(0);
    }
    layout.definedColumns = layout.rowCellCounts.back();
    return layout;
}

// A cell is regular only when its far edge is regular too; the last pillar row then goes, and each row loses its
// trailing entry.
void combineEdges(PillarLayout& layout, int cellsPerRow)
{
    auto& rows = layout.regularCells;
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
std::vector<Vertices> buildLayerVertices(const CornerPointInput& input, int rows, int cols, int layers)
{
    const std::size_t I = static_cast<std::size_t>(rows);
    const std::size_t J = static_cast<std::size_t>(cols);
    const std::size_t perSurface = 4 * I * J;
    const auto& xy = input.pillarXY;
    const auto& zcorn = input.cornerDepths;

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

    const float* colour = kGridLineColour;

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

// The model's extents: pillar tops and bottoms in x and y, corner depths in z.
void computeExtent(GridBuildReport& report, const CornerPointInput& input, Grid& geometry)
{
    report.trace.push_back("we loaded");
    float x_min = 0, x_max = 0, y_min = 0, y_max = 0;
    const auto& xy = input.pillarXY;
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
    const auto [z_lo, z_hi] = std::minmax_element(input.cornerDepths.begin(), input.cornerDepths.end());
    geometry.extent.xMin = x_min;
    geometry.extent.xMax = x_max;
    geometry.extent.yMin = y_min;
    geometry.extent.yMax = y_max;
    geometry.extent.zMin = static_cast<float>(*z_lo);
    geometry.extent.zMax = static_cast<float>(*z_hi);
    geometry.extent.centreZ = (geometry.extent.zMax + geometry.extent.zMin) / 2;
    geometry.extent.depthRange = geometry.extent.zMax - geometry.extent.zMin;

    report.trace.push_back(line("", (x_min + x_max) / 2));
    report.trace.push_back(line("", (y_min + y_max) / 2));
}

// One vertex array per layer on a SPECGRID layout: each corner on its pillar's line at the corner's depth, the
// pillar's top and bottom points interpolated, so inclined pillars give the true cell shapes.
std::vector<Vertices> buildLayerVerticesOnPillars(const CornerPointInput& input, int rows, int cols, int layers)
{
    const std::size_t I = static_cast<std::size_t>(rows);
    const std::size_t J = static_cast<std::size_t>(cols);
    const std::size_t perSurface = 4 * I * J;
    const auto& zcorn = input.cornerDepths;

    // Per pillar: the top point and the change of x and y per unit of depth along the pillar.
    struct Pillar {
        double x, y, z, dx, dy;
    };
    std::vector<Pillar> pillars((I + 1) * (J + 1));
    for (std::size_t p = 0; p < pillars.size(); ++p) {
        const double* c = &input.pillars[6 * p];
        const double dz = c[5] - c[2];
        const bool slanted = std::abs(dz) > 1e-12;
        pillars[p] = {c[0], c[1], c[2], slanted ? (c[3] - c[0]) / dz : 0.0, slanted ? (c[4] - c[1]) / dz : 0.0};
    }

    const float* colour = kGridLineColour;

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
float medianEdge(const CornerPointInput& input, int rows, int cols, bool alongI)
{
    const auto& xy = input.pillarXY;
    const std::size_t stride = static_cast<std::size_t>(cols) + 1;
    std::vector<float> lengths;
    lengths.reserve(stride * (static_cast<std::size_t>(rows) + 1));
    for (std::size_t j = 0; j + (alongI ? 0 : 1) <= static_cast<std::size_t>(rows); ++j)
        for (std::size_t i = 0; i + (alongI ? 1 : 0) <= static_cast<std::size_t>(cols); ++i) {
            const std::size_t a = j * stride + i;
            const std::size_t b = alongI ? a + 1 : a + stride;
            lengths.push_back(
                static_cast<float>(std::hypot(xy[4 * a] - xy[4 * b], xy[4 * a + 1] - xy[4 * b + 1]) * kCoordScale));
        }
    if (lengths.empty()) return 0;
    auto middle = lengths.begin() + static_cast<std::ptrdiff_t>(lengths.size() / 2);
    std::nth_element(lengths.begin(), middle, lengths.end());
    return *middle;
}

std::string fileOf(const std::string& file, const std::string& gridName)
{
    if (!file.empty()) return file;
    return gridName.empty() ? std::string("the grid") : gridName;
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
std::size_t layersOf(GridBuildReport& report, const CornerPointInput& input, const std::string& gridName,
                     std::size_t rows, std::size_t cols)
{
    const std::size_t perSurface = 4 * rows * cols;
    const std::size_t perLayer = 2 * perSurface;
    const std::size_t depths = input.cornerDepths.size();
    if (depths % perLayer != 0 || depths == 0) {
        const std::size_t lower = depths / perLayer * perLayer;
        const std::string expected =
            lower > 0 ? std::to_string(lower) + " or " + std::to_string(lower + perLayer) : std::to_string(perLayer);
        reject(report, grid_messages::Layout,
               "The ZCORN section of " + fileOf(input.zcornFile, gridName) + " holds " + std::to_string(depths) +
                   " values; " + std::to_string(rows) + " rows of " + std::to_string(cols) + " cells take " +
                   std::to_string(perLayer) + " per layer (two surfaces of " + std::to_string(perSurface) + "), so " +
                   expected + " were expected.");
        return 0;
    }
    if (depths / perLayer * rows * cols > static_cast<std::size_t>(INT_MAX)) {
        reject(report, grid_messages::Layout,
               "The ZCORN section of " + fileOf(input.zcornFile, gridName) +
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
    const double distance = std::sqrt(dx * dx + dy * dy) * kCoordScale + 0.4;
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

namespace {

// The layout chosen for the grid: rows and columns of cells with their regular flags, the nominal cell size, and
// whether SPECGRID gave it.
struct ChosenLayout {
    PillarLayout cells;
    long long rows = 0, cols = 0;
    long long dimension = 0;
    bool fromCounts = false;
};

// Nominal cell size: the first pair spacing that is a multiple of DIMENSION_MIN (the last spacing when none is;
// `previous` without pairs).
long long nominalCellSize(GridBuildReport& report, const std::vector<double>& coords, std::size_t pillars,
                          long long previous)
{
    const long long maxTriple = 2 * static_cast<long long>(pillars) - 2;
    report.trace.push_back(line("max_i = ", maxTriple));
    long long dimension = previous;
    for (std::size_t m = 0; m + 1 < pillars; ++m) {
        dimension = pairSpacing(coords, m);
        report.trace.push_back(line("grid_dimension = ", dimension));
        if (dimension % Constants::DIMENSION_MIN == 0) break;
    }
    report.trace.push_back(line("grid_dimension final = ", dimension));
    return dimension;
}

void rejectCellSize(GridBuildReport& report, long long dimension)
{
    report.outcome = GridBuildOutcome::CellSizeRejected;
    report.message = grid_messages::CellSize;
    const std::string found = std::to_string(dimension), most = std::to_string(Constants::DIMENSION_MAX);
    report.detailEn = "Cell size found: " + found + " m; it must be a multiple of 25 m, at most " + most + " m.";
    report.detailRu = "Найден размер ячейки " + found + " м; он должен быть кратен 25 м и не больше " + most + " м.";
}

// Rows and columns by the spacing of consecutive pillars. Returns whether every pillar row holds the same number of
// cells; otherwise no depth index would be bounded.
bool layoutBySpacing(GridBuildReport& report, const CornerPointInput& input, std::size_t pillars, ChosenLayout& chosen)
{
    report.trace.push_back("passed 1.3");
    PillarLayout& layout = chosen.cells;
    layout = scanRows(input.pillars, pillars, chosen.dimension);
    chosen.rows = static_cast<long long>(layout.rowCellCounts.size()) - 1;
    chosen.cols = layout.rowCellCounts.back();
    const long long cols = chosen.cols;
    const bool rectangular =
        std::all_of(layout.rowCellCounts.begin(), layout.rowCellCounts.end(), [&](int n) { return n == cols; });
    report.trace.push_back("passed 1.5");
    if (chosen.rows >= 1 && cols >= 1 && rectangular) combineEdges(layout, static_cast<int>(cols));
    report.trace.push_back("passed 2");
    report.trace.push_back(line("IJ.size ", layout.rowCellCounts.size()));
    report.trace.push_back(line("ZCORN.size() ", input.cornerDepths.size()));
    report.trace.push_back(line("ZCORN_I ", chosen.rows));
    report.trace.push_back(line("ZCORN_J ", chosen.cols));
    return rectangular;
}

// The layout SPECGRID declares, every cell regular, on pillars that must be exactly as many as it needs; the
// nominal size is the median edge. Returns false with the reason in the report when COORD does not fit.
bool layoutFromCounts(GridBuildReport& report, const CornerPointInput& input, const std::string& gridName,
                      std::size_t pillars, ChosenLayout& chosen)
{
    const std::array<int, 3> counts = input.declaredSize;
    report.trace.push_back("layout from SPECGRID " + std::to_string(counts[0]) + " x " + std::to_string(counts[1]) +
                           " x " + std::to_string(counts[2]));
    const long long rows = counts[1], cols = counts[0];
    chosen.rows = rows;
    chosen.cols = cols;
    const std::size_t needed = static_cast<std::size_t>(rows + 1) * static_cast<std::size_t>(cols + 1);
    if (pillars != needed || input.pillars.size() != 6 * needed) {
        reject(report, grid_messages::Layout,
               "The COORD section of " + fileOf(input.coordFile, gridName) + " holds " +
                   std::to_string(input.pillars.size()) + " values; SPECGRID " + std::to_string(counts[0]) + " x " +
                   std::to_string(counts[1]) + " x " + std::to_string(counts[2]) + " expects " +
                   std::to_string(6 * needed) + ".");
        return false;
    }
    PillarLayout& layout = chosen.cells;
    layout = PillarLayout{};
    layout.rowCellCounts.assign(static_cast<std::size_t>(rows) + 1, static_cast<int>(cols));
    layout.regularCells.assign(static_cast<std::size_t>(rows), std::vector<int>(static_cast<std::size_t>(cols), 1));
    layout.definedRows = static_cast<int>(rows);
    layout.definedColumns = static_cast<int>(cols);
    // The nominal size of a grid laid out by its counts: the median edge, at least 1 m and within an int (an absurd
    // or non-finite edge would otherwise wrap to a negative size).
    const float median = medianEdge(input, static_cast<int>(rows), static_cast<int>(cols), true);
    chosen.dimension =
        median >= 1.0f ? static_cast<long long>(std::min(std::round(double(median)), double(INT_MAX))) : 1;
    return true;
}

// The grid's layout by the spacing of its pillars, or by SPECGRID where the spacing rule cannot decide: it refused
// the grid, found other counts, or left cells undefined that SPECGRID says exist. Nothing, with the reason in the
// report, when neither gives a layout.
std::optional<ChosenLayout> chooseLayout(GridBuildReport& report, const CornerPointInput& input,
                                         const std::string& gridName, long long previousCellSize)
{
    const std::size_t pillars = usablePillars(input);
    const std::array<int, 3> counts = input.declaredSize;
    const bool hasCounts = counts[0] > 0 && counts[1] > 0 && counts[2] > 0;
    ChosenLayout chosen;
    chosen.dimension = nominalCellSize(report, input.pillars, pillars, previousCellSize);
    // A spacing of 0 (two pillars at one place) is no cell size, although 0 is a multiple of 25.
    const long long dimension = chosen.dimension;
    const bool sizeAccepted =
        dimension > 0 && dimension % Constants::DIMENSION_MIN == 0 && dimension <= Constants::DIMENSION_MAX;
    if (!sizeAccepted && !hasCounts) {
        rejectCellSize(report, dimension);
        return std::nullopt;
    }
    const bool rectangular = sizeAccepted && layoutBySpacing(report, input, pillars, chosen);
    const bool spacingFits = sizeAccepted && chosen.rows >= 1 && chosen.cols >= 1 && rectangular;

    if (hasCounts) {
        bool allRegular = spacingFits;
        for (std::size_t r = 0; allRegular && r < chosen.cells.regularCells.size(); ++r)
            for (long long c = 0; allRegular && c < chosen.cols; ++c) allRegular = chosen.cells.regularCells[r][c] != 0;
        chosen.fromCounts = !(spacingFits && chosen.rows == counts[1] && chosen.cols == counts[0] && allRegular);
    }
    if (chosen.fromCounts) {
        if (!layoutFromCounts(report, input, gridName, pillars, chosen)) return std::nullopt;
    } else if (!spacingFits) {
        reject(report, grid_messages::Layout,
               "The " + std::to_string(pillars) + " pillars in the COORD section of " +
                   fileOf(input.coordFile, gridName) + " do not stand in rows of equal length.");
        return std::nullopt;
    }
    return chosen;
}

// Active cells: one flag per cell. An ACTNUM of another count belongs to another grid, or was cut short or damaged:
// switching every cell on instead would show cells the model leaves out, so the grid is refused (false, with the
// reason in the report). Only a grid without any ACTNUM has every cell active, said in a note.
bool actnumFits(GridBuildReport& report, const CornerPointInput& input, const std::string& gridName, std::size_t cells)
{
    const std::string actnumFile = fileOf(input.actnumFile, gridName);
    if ((!input.actnumFile.empty() || !input.actnum.empty()) && input.actnum.size() != cells) {
        const std::string line = input.actnumLine > 0 ? " (line " + std::to_string(input.actnumLine) + ")" : "";
        reject(report, grid_messages::NotLoaded,
               "The ACTNUM section of " + actnumFile + line + " holds " + std::to_string(input.actnum.size()) +
                   " values; the grid has " + std::to_string(cells) + " cells.");
        return false;
    }
    if (input.actnum.empty()) {
        report.notes.push_back({"No ACTNUM: every cell is active (" + fileOf(input.zcornFile, gridName) + ": " +
                                    std::to_string(cells) + (cells == 1 ? " cell)." : " cells)."),
                                log_colour::LightGrey});
    }
    return true;
}

// Cells both regular in the layout and active by ACTNUM (every layer alike when no cell is inactive).
long long activeCells(const Grid& geometry, const PillarLayout& layout, bool someInactive)
{
    long long regular = 0;
    for (const auto& row : layout.regularCells)
        for (int c = 0; c < geometry.columns; ++c) regular += row[c] != 0;
    if (!someInactive) return regular * geometry.layers;
    const std::size_t cols = static_cast<std::size_t>(geometry.columns);
    const std::size_t perLayer = static_cast<std::size_t>(geometry.rows) * cols;
    const std::size_t cells = static_cast<std::size_t>(geometry.cellCount);
    long long active = 0;
    for (std::size_t n = 0; n < cells; ++n) {
        const std::size_t column = n % perLayer;
        active += geometry.active[n] != 0 && layout.regularCells[column / cols][column % cols];
    }
    return active;
}

// The model statistics the report carries: counts, active cells and the cell size ("≈" for a median edge).
void writeModelStatistics(GridBuildReport& report, const Grid& geometry, const std::string& unitWord)
{
    const std::string unit = unitWord == "FEET" ? " ft" : "";
    report.modelStat_cell_i = std::to_string(geometry.rows);
    report.modelStat_cell_j = std::to_string(geometry.columns);
    report.modelStat_cell_k = std::to_string(geometry.layers);
    report.modelStat_cell_ijk = groupDigits(geometry.activeCellCount);
    report.modelStat_resol = geometry.layoutFromSpecgrid
                                 ? "≈ " + std::to_string(std::lround(geometry.medianCellSizeI)) + " x " +
                                       std::to_string(std::lround(geometry.medianCellSizeJ)) + unit
                                 : std::to_string(geometry.cellSize) + " x " + std::to_string(geometry.cellSize) + unit;
}

}  // namespace

GridBuildReport buildGridGeometry(CornerPointInput& input, const std::string& gridName, Grid& geometry)
{
    GridBuildReport report;
    report.colour = log_colour::Red;
    std::optional<ChosenLayout> chosen = chooseLayout(report, input, gridName, geometry.cellSize);
    if (!chosen) return report;
    const long long rows = chosen->rows, cols = chosen->cols;
    const std::array<int, 3> counts = input.declaredSize;
    const bool hasCounts = counts[0] > 0 && counts[1] > 0 && counts[2] > 0;

    // Whole layers only, counted exactly (a single-precision quotient accepts depth counts that are a few short).
    const std::size_t layers =
        layersOf(report, input, gridName, static_cast<std::size_t>(rows), static_cast<std::size_t>(cols));
    if (layers == 0) return report;
    if (hasCounts && layers != static_cast<std::size_t>(counts[2])) {
        reject(report, grid_messages::Layout,
               "The ZCORN section of " + fileOf(input.zcornFile, gridName) + " holds " +
                   std::to_string(input.cornerDepths.size()) + " values, " + std::to_string(layers) +
                   " layers; SPECGRID expects " + std::to_string(counts[2]) + ".");
        return report;
    }
    const std::size_t perSurface = 4 * static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols);
    const std::size_t cells = layers * static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols);
    if (!actnumFits(report, input, gridName, cells)) return report;

    // The new vertices are made before anything of the grid shown is touched: when memory runs out on the way
    // (std::bad_alloc reaches the caller), the grid shown stays whole. From here on the build cannot fail.
    std::vector<Vertices> vertices =
        chosen->fromCounts
            ? buildLayerVerticesOnPillars(input, static_cast<int>(rows), static_cast<int>(cols),
                                          static_cast<int>(layers))
            : buildLayerVertices(input, static_cast<int>(rows), static_cast<int>(cols), static_cast<int>(layers));
    const float medianI = medianEdge(input, static_cast<int>(rows), static_cast<int>(cols), true);
    const float medianJ = medianEdge(input, static_cast<int>(rows), static_cast<int>(cols), false);
    std::vector<Vertices>().swap(geometry.layerVertices);
    geometry.input = CornerPointInput{};
    geometry.cellSize = static_cast<int>(chosen->dimension);
    geometry.rows = static_cast<int>(rows);
    geometry.columns = static_cast<int>(cols);
    geometry.layers = static_cast<int>(layers);
    geometry.cellCount = static_cast<int>(cells);
    geometry.surfaceVertices = static_cast<int>(perSurface);
    geometry.definedRows = chosen->cells.definedRows;
    geometry.definedColumns = chosen->cells.definedColumns;
    geometry.layoutFromSpecgrid = chosen->fromCounts;
    report.trace.push_back("gridLines = 0");
    report.trace.push_back(line("points_in_layer = ", geometry.surfaceVertices));

    geometry.layerVertices = std::move(vertices);
    computeExtent(report, input, geometry);
    const bool someInactive =
        input.actnum.size() == cells && std::find(input.actnum.begin(), input.actnum.end(), 0) != input.actnum.end();
    if (someInactive)
        geometry.active = std::move(input.actnum);
    else
        std::vector<std::uint8_t>().swap(geometry.active);
    std::vector<std::uint8_t>().swap(input.actnum);
    geometry.activeCellCount = static_cast<int>(activeCells(geometry, chosen->cells, someInactive));
    geometry.rowCellCounts = std::move(chosen->cells.rowCellCounts);
    geometry.regularCells = std::move(chosen->cells.regularCells);
    geometry.medianCellSizeI = medianI;
    geometry.medianCellSizeJ = medianJ;
    writeModelStatistics(report, geometry, input.unit);

    geometry.loaded = true;
    geometry.name = gridName;
    geometry.input = std::move(input);
    ++geometry.revision;
    report.outcome = GridBuildOutcome::Built;
    report.clearDataTree = true;
    report.treeNode = gridName;
    report.message = grid_messages::Loaded;
    report.colour = log_colour::Green;
    return report;
}

GridBuildReport buildGrid(Grid& grid, ViewState& view, CellColouring& colours, ReferencePlane& plane)
{
    CornerPointInput incoming = std::move(grid.input);
    GridBuildReport report = buildGridGeometry(incoming, grid.name, grid);
    if (!report.built()) {
        grid.input = std::move(incoming);
        return report;
    }
    colours.colouredFrom.valid = false;  // the cell colours were the old grid's
    report.viewFitted = placeCameraOnGrid(grid, view, &report.trace);
    buildXYPlane(grid, plane);
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
