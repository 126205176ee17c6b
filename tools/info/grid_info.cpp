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

JsonObject gridInfo(const std::string& path, bool& read)
{
    auto state = std::make_unique<ModelState>();
    const GridReadResult result = readGridFile(path, *state);
    read = result.outcome == GridReadOutcome::Read;
    JsonObject report;
    addReaderFields(report, result, *state);
    std::optional<GridBuildReport> build;
    if (read) build = buildGrid(*state);
    addBuilderFields(report, build ? &*build : nullptr, *state);
    return report;
}

}  // namespace morvane::info
