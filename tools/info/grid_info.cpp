#include "grid_info.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace morvane::info {
namespace {

struct Range {
    std::optional<double> min, max;
    void add(double v) {
        min = min ? std::min(*min, v) : v;
        max = max ? std::max(*max, v) : v;
    }
};

}  // namespace

const char* outcomeName(GridReadOutcome outcome) {
    switch (outcome) {
    case GridReadOutcome::Read: return "read";
    case GridReadOutcome::NotAGrid: return "not_a_grid";
    case GridReadOutcome::Stopped: return "stopped";
    case GridReadOutcome::MissingInclude: return "missing_include";
    }
    return "not_a_grid";
}

void addReaderFields(JsonObject& report, const GridReadResult& result, const GridInput& grid) {
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

JsonObject gridInfo(const std::string& path, bool& read) {
    GridInput grid;
    const GridReadResult result = readGridFile(path, grid);
    read = result.outcome == GridReadOutcome::Read;
    JsonObject report;
    addReaderFields(report, result, grid);
    return report;
}

}  // namespace morvane::info
