#include "tools/info/grid_info.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

namespace morvane::info {
namespace {

struct Range {
    std::optional<double> min, max;
    void add(double v)
    {
        min = min ? std::min(*min, v) : v;
        max = max ? std::max(*max, v) : v;
    }
};

}  // namespace

const char* outcomeName(GridReadOutcome outcome)
{
    switch (outcome) {
    case GridReadOutcome::Read:
        return "read";
    case GridReadOutcome::NotAGrid:
        return "not_a_grid";
    case GridReadOutcome::Stopped:
        return "stopped";
    case GridReadOutcome::MissingInclude:
        return "missing_include";
    case GridReadOutcome::Refused:
        return "refused";
    }
    return "not_a_grid";
}

void addReaderFields(JsonObject& report, const GridReadResult& result, const GridInput& grid)
{
    report.addString("outcome", outcomeName(result.outcome));
    report.addString("message", result.message);
    report.addInteger("pillars", static_cast<long long>(grid.points_coords.size() / 6));
    report.addInteger("zcorn_count", static_cast<long long>(grid.ZCORN.size()));
    Range x, y, z;
    for (std::size_t n = 0; n + 1 < grid.grid_lines_xy.size(); n += 2) {
        x.add(grid.grid_lines_xy[n]);
        y.add(grid.grid_lines_xy[n + 1]);
    }
    for (double depth : grid.ZCORN) z.add(depth);
    report.addNumber("x_min", x.min);
    report.addNumber("x_max", x.max);
    report.addNumber("y_min", y.min);
    report.addNumber("y_max", y.max);
    report.addNumber("z_min", z.min);
    report.addNumber("z_max", z.max);
}

void addBuilderFields(JsonObject& report, const GridBuildReport* build, const ModelState& state)
{
    report.addBool("gridLoaded", state.gridLoaded);
    report.addInteger("ZCORN_I", state.ZCORN_I);
    report.addInteger("ZCORN_J", state.ZCORN_J);
    report.addInteger("ZCORN_K", state.ZCORN_K);
    report.addInteger("GRID_SIZE", state.GRID_SIZE);
    report.addInteger("TOTAL_CELLS", state.TOTAL_CELLS);
    report.addInteger("grid_dimension", state.grid_dimension);
    report.addFloat("model_x_min", state.model_x_min);
    report.addFloat("model_x_max", state.model_x_max);
    report.addFloat("model_y_min", state.model_y_min);
    report.addFloat("model_y_max", state.model_y_max);
    report.addFloat("model_z_min", state.model_z_min);
    report.addFloat("model_z_max", state.model_z_max);
    report.addString("builder_message", build ? build->message : std::string());
}

void addRealGridFields(JsonObject& report, const GridReadResult& result, const GridBuildReport* build,
                       const ModelState& state)
{
    std::string warnings;
    for (const std::string& w : result.warnings) warnings += (warnings.empty() ? "" : "\n") + w;
    if (build)
        for (const std::string& d : build->details) warnings += (warnings.empty() ? "" : "\n") + d;
    report.addString("details", warnings);
    const bool loaded = state.gridLoaded && build;
    if (loaded)
        report.addString("layout_source", state.layout_from_specgrid ? "specgrid" : "spacing");
    else
        report.addNumber("layout_source", std::nullopt);
    report.addInteger("active_cells", loaded ? state.TOTAL_CELLS : 0);
    report.addFloat("cell_size_i", loaded ? state.cell_size_i : 0.0f);
    report.addFloat("cell_size_j", loaded ? state.cell_size_j : 0.0f);
    report.addString("grid_unit", state.GRIDUNIT);

    // With MAPAXES both frames: the pillar extents in map coordinates and in the grid's local ones.
    const std::optional<MapFrame> frame = mapFrameOf(state.MAPAXES);
    if (!frame || state.grid_lines_xy.empty()) return;
    report.addBool("mapaxes_applied", state.MAPAXES_applied);
    Range mapX, mapY, localX, localY;
    for (std::size_t n = 0; n + 1 < state.grid_lines_xy.size(); n += 2) {
        const double x = state.grid_lines_xy[n], y = state.grid_lines_xy[n + 1];
        mapX.add(x);
        mapY.add(y);
        const auto local = frame->toLocal(x, y);
        localX.add(local[0]);
        localY.add(local[1]);
    }
    report.addNumber("map_x_min", mapX.min);
    report.addNumber("map_x_max", mapX.max);
    report.addNumber("map_y_min", mapY.min);
    report.addNumber("map_y_max", mapY.max);
    report.addNumber("local_x_min", localX.min);
    report.addNumber("local_x_max", localX.max);
    report.addNumber("local_y_min", localY.min);
    report.addNumber("local_y_max", localY.max);
}

JsonObject gridInfo(const std::string& path, bool& loaded)
{
    auto state = std::make_unique<ModelState>();
    const GridReadResult result = readGridFile(path, *state);
    JsonObject report;
    addReaderFields(report, result, *state);
    std::optional<GridBuildReport> build;
    if (result.outcome == GridReadOutcome::Read) build = buildGrid(*state);
    addBuilderFields(report, build ? &*build : nullptr, *state);
    addRealGridFields(report, result, build ? &*build : nullptr, *state);
    loaded = build && build->built();
    return report;
}

}  // namespace morvane::info
