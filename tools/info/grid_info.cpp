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

void addReaderFields(JsonObject& report, const GridReadResult& result, const CornerPointInput& grid)
{
    report.addString("outcome", outcomeName(result.outcome));
    report.addString("message", result.message.en);
    report.addInteger("pillars", static_cast<long long>(grid.pillars.size() / 6));
    report.addInteger("zcorn_count", static_cast<long long>(grid.cornerDepths.size()));
    Range x, y, z;
    for (std::size_t n = 0; n + 1 < grid.pillarXY.size(); n += 2) {
        x.add(grid.pillarXY[n]);
        y.add(grid.pillarXY[n + 1]);
    }
    for (double depth : grid.cornerDepths) z.add(depth);
    report.addNumber("x_min", x.min);
    report.addNumber("x_max", x.max);
    report.addNumber("y_min", y.min);
    report.addNumber("y_max", y.max);
    report.addNumber("z_min", z.min);
    report.addNumber("z_max", z.max);
}

void addBuilderFields(JsonObject& report, const GridBuildReport* build, const ModelState& state)
{
    report.addBool("gridLoaded", state.document.grid.loaded);
    report.addInteger("ZCORN_I", state.document.grid.rows);
    report.addInteger("ZCORN_J", state.document.grid.columns);
    report.addInteger("ZCORN_K", state.document.grid.layers);
    report.addInteger("GRID_SIZE", state.document.grid.cellCount);
    report.addInteger("TOTAL_CELLS", state.document.grid.activeCellCount);
    report.addInteger("grid_dimension", state.document.grid.cellSize);
    report.addFloat("model_x_min", state.document.grid.extent.xMin);
    report.addFloat("model_x_max", state.document.grid.extent.xMax);
    report.addFloat("model_y_min", state.document.grid.extent.yMin);
    report.addFloat("model_y_max", state.document.grid.extent.yMax);
    report.addFloat("model_z_min", state.document.grid.extent.zMin);
    report.addFloat("model_z_max", state.document.grid.extent.zMax);
    report.addString("builder_message", build ? build->message : std::string());
}

void addRealGridFields(JsonObject& report, const GridReadResult& result, const GridBuildReport* build,
                       const ModelState& state)
{
    std::string warnings;
    for (const LocalMessage& w : result.warnings) warnings += (warnings.empty() ? "" : "\n") + w.en;
    if (build)
        for (const std::string& d : build->details) warnings += (warnings.empty() ? "" : "\n") + d;
    report.addString("details", warnings);
    const bool loaded = state.document.grid.loaded && build;
    if (loaded)
        report.addString("layout_source", state.document.grid.layoutFromSpecgrid ? "specgrid" : "spacing");
    else
        report.addNumber("layout_source", std::nullopt);
    report.addInteger("active_cells", loaded ? state.document.grid.activeCellCount : 0);
    report.addFloat("cell_size_i", loaded ? state.document.grid.medianCellSizeI : 0.0f);
    report.addFloat("cell_size_j", loaded ? state.document.grid.medianCellSizeJ : 0.0f);
    report.addString("grid_unit", state.document.grid.input.unit);

    // With MAPAXES both frames: the pillar extents in map coordinates and in the grid's local ones.
    const std::optional<MapFrame> frame = mapFrameOf(state.document.grid.input.mapAxes);
    if (!frame || state.document.grid.input.pillarXY.empty()) return;
    report.addBool("mapaxes_applied", state.document.grid.input.mapAxesApplied);
    Range mapX, mapY, localX, localY;
    for (std::size_t n = 0; n + 1 < state.document.grid.input.pillarXY.size(); n += 2) {
        const double x = state.document.grid.input.pillarXY[n], y = state.document.grid.input.pillarXY[n + 1];
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
    GridReadResult result = readGridFile(path);
    if (result.outcome == GridReadOutcome::Read) state->document.grid.input = std::move(result.grid);
    JsonObject report;
    addReaderFields(report, result, state->document.grid.input);
    std::optional<GridBuildReport> build;
    if (result.outcome == GridReadOutcome::Read) build = buildGrid(*state);
    addBuilderFields(report, build ? &*build : nullptr, *state);
    addRealGridFields(report, result, build ? &*build : nullptr, *state);
    loaded = build && build->built();
    return report;
}

}  // namespace morvane::info
