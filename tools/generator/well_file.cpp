// Deviation (.dev) well files: "#" comments with the well name, a ruled column header, one row per station.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/generator/generator_text.h"
#include "tools/generator/model_generator.h"

namespace morvane::gen {

using namespace detail;

namespace {

struct FullStation {
    double md, x, y, z, tvd, dx, dy, azim, incl, dls;
};

std::vector<FullStation> trajectory(const WellOptions& o)
{
    if (!(o.step > 0)) throw std::invalid_argument("well step must be positive");
    constexpr double rad = std::numbers::pi / 180.0;
    std::vector<FullStation> stations;
    double x = o.headX, y = o.headY, tvd = 0.0, prevIncl = 0.0;
    const double azim = o.deviated ? o.azimuth : 0.0;
    for (int n = 0;; ++n) {
        const double md = n * o.step;
        if (md > o.totalDepth + 1e-9) break;
        double incl = 0.0;
        if (o.deviated && md > o.kickoffDepth)
            incl = std::min(o.maxInclination, (md - o.kickoffDepth) * o.buildRate / 30.0);
        if (n > 0) {
            // Average-angle step: good enough for a smooth synthetic build-and-hold well.
            const double mean = 0.5 * (incl + prevIncl) * rad;
            tvd += o.step * std::cos(mean);
            x += o.step * std::sin(mean) * std::sin(azim * rad);
            y += o.step * std::sin(mean) * std::cos(azim * rad);
        }
        const double dls = n > 0 ? std::abs(incl - prevIncl) * 30.0 / o.step : 0.0;
        auto r4 = [](double v) { return roundTo(v, 4); };
        stations.push_back({r4(md), r4(x), r4(y), r4(o.datum - tvd), r4(tvd), r4(x - o.headX), r4(y - o.headY),
                            r4(azim), r4(incl), r4(dls)});
        prevIncl = incl;
    }
    return stations;
}

// The name as the file stores it: UTF-8, or Windows-1251 for Cyrillic letters (others become '?').
std::string encodedName(const WellOptions& o) { return o.encoding == TextEncoding::Utf8 ? o.name : toCp1251(o.name); }

// A number right-aligned in a column of `width` characters, with `decimals` decimals (no "-0").
void putColumn(TextOut& out, double v, int decimals, std::size_t width)
{
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v == 0.0 ? 0.0 : v, std::chars_format::fixed, decimals);
    const std::size_t len = static_cast<std::size_t>(r.ptr - buf);
    for (std::size_t pad = len; pad < width; ++pad) out.put(' ');
    out.put(std::string_view(buf, len));
}

// Another tool's layout: name line, the columns in a comment, X Y TVD MD rows, a closing -999.
void writeForeignWell(TextOut& out, const WellOptions& o)
{
    out.line("WELLNAME: '" + encodedName(o) + "'");
    out.line("#       X           Y      TVDMSL       MDMSL");
    for (const FullStation& s : trajectory(o)) {
        for (double v : {s.x, s.y, s.tvd, s.md}) putColumn(out, v, 2, 12);
        out.newline();
    }
    out.line("-999");
}

void writeWell(TextOut& out, const WellOptions& o)
{
    if (o.layout == WellLayout::Foreign) return writeForeignWell(out, o);
    const std::string rule = std::string(static_cast<std::size_t>(std::max(0, o.ruleIndent)), ' ') + "#" +
                             std::string(o.gridNorthColumn ? 150 : 137, '=');
    auto number8 = [&](double v) { out.fixed(v, 8); };
    out.line("# WELL TRACE FROM MORVANE-GEN (synthetic)");
    out.line("# WELL NAME:              " + encodedName(o));
    out.put("# WELL HEAD X-COORDINATE: ");
    number8(o.headX);
    out.line(" (m)");
    out.put("# WELL HEAD Y-COORDINATE: ");
    number8(o.headY);
    out.line(" (m)");
    out.put("# WELL DATUM (KB, Kelly bushing, from MSL): ");
    number8(o.datum);
    out.line(" (m)");
    out.line(o.deviated ? "# WELL TYPE: DEVIATED" : "# WELL TYPE: VERTICAL");
    out.line("# MD AND TVD ARE REFERENCED (=0) AT WELL DATUM AND INCREASE DOWNWARDS");
    out.line("# ANGLES ARE GIVEN IN DEGREES");
    out.line("# XYZ TRACE IS GIVEN IN COORDINATE SYSTEM SYNTHETIC");
    out.line(o.azimuthColumn == "AZIM_GN" ? "# AZIMUTH REFERENCE GRID NORTH" : "# AZIMUTH REFERENCE TRUE NORTH");
    out.line("# DX DY ARE GIVEN IN GRID NORTH IN m-UNITS");
    out.line("# DEPTH (Z, TVD) GIVEN IN m-UNITS");
    out.line(rule);
    std::string header = "      MD            X            Y            Z           TVD           DX           DY";
    header += std::string(std::max<std::size_t>(1, 15 - o.azimuthColumn.size()), ' ') + o.azimuthColumn;
    header += "        INCL         DLS";
    if (o.gridNorthColumn) header += "        AZIM_GN";
    out.line(header);
    out.line(rule);
    for (const FullStation& s : trajectory(o)) {
        // Grid north differs from true north by the meridian convergence (a fixed 0.6 degrees here).
        const double gridNorth = roundTo(std::fmod(s.azim - 0.6 + 360.0, 360.0), 4);
        const std::size_t columns = o.gridNorthColumn ? 11 : 10;
        const double row[11] = {s.md, s.x, s.y, s.z, s.tvd, s.dx, s.dy, s.azim, s.incl, s.dls, gridNorth};
        for (std::size_t c = 0; c < columns; ++c) putColumn(out, row[c], 4, 13);
        out.newline();
    }
    out.line(rule);
}

}  // namespace

std::vector<WellStation> wellStations(const WellOptions& o)
{
    std::vector<WellStation> result;
    for (const FullStation& s : trajectory(o)) result.push_back({s.md, s.x, s.y, s.z});
    return result;
}

std::string wellFileText(const WellOptions& o)
{
    return writeString(o.lineEnd, [&](TextOut& out) { writeWell(out, o); });
}

std::filesystem::path writeWellFile(const WellOptions& o, const std::filesystem::path& file)
{
    if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path());
    writeFile(file, o.lineEnd, [&](TextOut& out) { writeWell(out, o); });
    return file;
}

std::vector<WellOptions> wellsForGrid(const GridOptions& g, int count)
{
    checkGrid(g);
    Random rng(20260101);
    const double width = g.nx * g.cellSize, height = g.ny * g.cellSize;
    const double reachLimit = 0.25 * std::min(width, height);
    const double deepest = g.topDepth + g.nz * g.layerThickness + std::max(0.0, g.faultThrow) +
                           std::max(0.0, g.tiltPerKm) * width / 1000.0;
    std::vector<WellOptions> wells;
    for (int n = 0; n < count; ++n) {
        WellOptions w;
        w.name = "W-" + std::to_string(n + 1);
        // A place inside the footprint, turned and spaced as the grid is.
        const double fx = 0.2 + 0.6 * rng.uniform(), fy = 0.2 + 0.6 * rng.uniform();
        const auto [headX, headY] = footprintPoint(g, fx, fy);
        w.headX = roundTo(headX, 2);
        w.headY = roundTo(headY, 2);
        w.datum = roundTo(20.0 + 20.0 * rng.uniform(), 2);
        w.lineEnd = g.lineEnd;
        w.deviated = n % 2 == 1;
        const double targetTvd = w.datum + deepest + 20.0;
        if (w.deviated) {
            // Build and hold towards the model centre, with a horizontal reach that stays inside the footprint.
            // Azimuths run clockwise from north and the grid turns counter-clockwise: the turn is taken off.
            w.azimuth =
                std::fmod(std::atan2(0.5 - fx, 0.5 - fy) * 180.0 / std::numbers::pi - g.rotation + 720.0, 360.0);
            w.buildRate = 3.0;
            w.kickoffDepth = std::max(50.0, std::floor((targetTvd - 600.0) / 10.0) * 10.0);
            const double radius = 30.0 / w.buildRate * 180.0 / std::numbers::pi;
            const double vertical = targetTvd - w.kickoffDepth;
            w.maxInclination = 1.0;
            for (double incl = 1.0; incl <= 60.0; incl += 1.0) {
                const double a = incl * std::numbers::pi / 180.0;
                const double buildV = radius * std::sin(a);
                if (buildV > vertical) break;
                const double reach = radius * (1.0 - std::cos(a)) + (vertical - buildV) * std::tan(a);
                if (reach > reachLimit) break;
                w.maxInclination = incl;
            }
        }
        // Measured depth to the first station below the model's base.
        w.totalDepth = 1e6;
        WellOptions probe = w;
        probe.totalDepth = 4.0 * targetTvd + 1000.0;
        double md = 0.0;
        for (const FullStation& s : trajectory(probe)) {
            md = s.md;
            if (s.tvd >= targetTvd) break;
        }
        w.totalDepth = md;
        wells.push_back(w);
    }
    return wells;
}

}  // namespace morvane::gen
