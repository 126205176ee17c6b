#include "scene/grid_geometry.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstddef>

#include "core/trace_text.h"
#include "scene/reference_plane.h"

namespace morvane {

namespace {

using trace_text::line;

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

    std::vector<Vertices> result(static_cast<std::size_t>(layers));
    for (std::size_t k = 0; k < result.size(); ++k) {
        Vertices& layer = result[k];
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
    }
    return result;
}

// The contacts stood on the old grid: their surfaces go, and they are neither set nor drawn any more.
void dropContacts(Contacts& contacts)
{
    Vertices().swap(contacts.OWC_k);
    Vertices().swap(contacts.GOC_k);
    contacts.OWC_set = contacts.GOC_set = false;
    contacts.displayOWC = contacts.displayGOC = false;
}

void rejectLayout(GridBuildReport& report, GridGeometry& geometry, Properties& properties, Contacts& contacts)
{
    std::vector<Vertices>().swap(geometry.grid_lines_k);
    dropContacts(contacts);
    geometry.gridLoaded = false;
    properties.propLoaded = false;
    report.outcome = GridBuildOutcome::LayoutRejected;
    report.clearDataTree = true;
    report.message = grid_messages::Layout;
    report.colour = log_colour::Red;
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

GridBuildReport buildGridGeometry(const GridInput& input, GridGeometry& geometry, ViewCamera& camera,
                                  Properties& properties, Contacts& contacts)
{
    GridBuildReport report;
    report.colour = log_colour::Red;
    const std::size_t pillars = usablePillars(input);
    const auto& coords = input.points_coords;

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
    if (dimension <= 0 || dimension % Constants::DIMENSION_MIN != 0 || dimension > Constants::DIMENSION_MAX) {
        report.outcome = GridBuildOutcome::CellSizeRejected;
        report.message = grid_messages::CellSize;
        const std::string found = std::to_string(dimension), most = std::to_string(Constants::DIMENSION_MAX);
        report.detailEn = "Cell size found: " + found + " m; it must be a multiple of 25 m, at most " + most + " m.";
        report.detailRu = "Найден размер ячейки " + found + " м; он должен быть кратен 25 м и не больше " + most + " м.";
        return report;
    }

    report.trace.push_back("passed 1.3");
    PillarLayout layout = scanRows(coords, pillars, dimension);
    const long long rows = static_cast<long long>(layout.IJ.size()) - 1;
    const long long cols = layout.IJ.back();
    // Every pillar row must hold the same number of cells; otherwise no depth index below would be bounded.
    const bool rectangular = std::all_of(layout.IJ.begin(), layout.IJ.end(), [&](int n) { return n == cols; });
    report.trace.push_back("passed 1.5");
    if (rows >= 1 && cols >= 1 && rectangular) combineEdges(layout, static_cast<int>(cols));
    report.trace.push_back("passed 2");
    report.trace.push_back(line("IJ.size ", layout.IJ.size()));

    report.trace.push_back(line("ZCORN.size() ", input.ZCORN.size()));
    report.trace.push_back(line("ZCORN_I ", rows));
    report.trace.push_back(line("ZCORN_J ", cols));
    if (rows < 1 || cols < 1 || !rectangular) {
        rejectLayout(report, geometry, properties, contacts);
        const std::string r = std::to_string(rows), c = std::to_string(cols);
        if (!rectangular) {
            report.detailEn = "The pillar rows of COORD hold different numbers of cells (" + r + " rows).";
            report.detailRu = "Ряды пилларов COORD содержат разное число ячеек (" + r + " рядов).";
        } else {
            report.detailEn = "COORD gives " + r + " x " + c + " cells per layer.";
            report.detailRu = "COORD задаёт " + r + " x " + c + " ячеек в слое.";
        }
        return report;
    }
    // Whole surfaces only, counted exactly (a single-precision quotient accepts depth counts that are a few short).
    const std::size_t perSurface = 4 * static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols);
    const std::size_t surfaces = input.ZCORN.size() / perSurface;
    const std::size_t layers = surfaces / 2;
    const std::size_t cells = layers * static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols);
    if (input.ZCORN.size() % perSurface != 0 || layers == 0 || cells > static_cast<std::size_t>(INT_MAX)) {
        rejectLayout(report, geometry, properties, contacts);
        const std::string found = std::to_string(input.ZCORN.size()), layer = std::to_string(2 * perSurface);
        const std::string shape = std::to_string(rows) + " x " + std::to_string(cols);
        if (cells > static_cast<std::size_t>(INT_MAX)) {
            report.detailEn = std::to_string(cells) + " cells are more than the " + std::to_string(INT_MAX) +
                              " a grid may hold.";
            report.detailRu = std::to_string(cells) + " ячеек больше допустимых " + std::to_string(INT_MAX) + ".";
        } else {
            report.detailEn = "ZCORN holds " + found + " depths; " + shape + " cells per layer need a multiple of " +
                              layer + " (8 per cell and layer).";
            report.detailRu = "ZCORN содержит " + found + " глубин; для " + shape + " ячеек в слое нужно число, кратное " +
                              layer + " (8 на ячейку в каждом слое).";
        }
        return report;
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
    report.trace.push_back("gridLines = 0");
    report.trace.push_back(line("points_in_layer = ", geometry.points_in_layer));

    geometry.grid_lines_k = buildLayerVertices(input, geometry, geometry.ZCORN_I, geometry.ZCORN_J, geometry.ZCORN_K);
    placeCamera(report, input, geometry, camera);

    std::vector<std::vector<int>>().swap(properties.PROP_disc_loading);
    std::vector<std::vector<double>>().swap(properties.PROP_cont_loading);
    long long regular = 0;
    for (const auto& row : layout.IJ_undef)
        for (int c = 0; c < geometry.ZCORN_J; ++c) regular += row[c] != 0;
    geometry.TOTAL_CELLS = static_cast<int>(regular * geometry.ZCORN_K);
    geometry.IJ = std::move(layout.IJ);
    geometry.IJ_undef = std::move(layout.IJ_undef);

    report.modelStat_cell_i = std::to_string(geometry.ZCORN_I);
    report.modelStat_cell_j = std::to_string(geometry.ZCORN_J);
    report.modelStat_cell_k = std::to_string(geometry.ZCORN_K);
    report.modelStat_cell_ijk = groupDigits(geometry.TOTAL_CELLS);
    report.modelStat_resol = std::to_string(geometry.grid_dimension) + " x " + std::to_string(geometry.grid_dimension);

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
    if (report.outcome == GridBuildOutcome::LayoutRejected && ru) line = grid_messages::LayoutRu;
    const std::string& detail = ru ? report.detailRu : report.detailEn;
    return detail.empty() ? line : line + " " + detail;
}

void deliverGridReport(const GridBuildReport& report, Feedback& feedback, const std::string& lang)
{
    for (const auto& text : report.trace) feedback.trace(text);
    feedback.appendLog(gridBuildLogLine(report, lang), report.colour);
}

}  // namespace morvane
