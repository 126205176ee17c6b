// Corner-point grids: pillars, corner depths and the files of the direct and include layouts.
#include "tools/generator/model_generator.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <string_view>

#include "tools/generator/generator_text.h"

namespace morvane::gen {
namespace {

using namespace detail;

// The structure: depth of the top surface above pillar (i, j), before the fault.
double structureDepth(const GridOptions& o, int i, int j)
{
    const double u = (i - 0.5 * o.nx) / (0.5 * o.nx);
    const double v = (j - 0.5 * o.ny) / (0.5 * o.ny);
    const double r = std::min(1.0, std::sqrt(u * u + v * v));
    const double bump = o.domeHeight * 0.5 * (1.0 + std::cos(std::numbers::pi * r));
    const double tilt = o.tiltPerKm * (i * o.cellSize) / 1000.0;
    return o.topDepth - bump + tilt;
}

double throwOfCell(const GridOptions& o, int i) { return i >= o.nx / 2 ? o.faultThrow : 0.0; }

double pillarX(const GridOptions& o, int i) { return roundTo(o.originX + i * o.cellSize, o.decimals); }
double pillarY(const GridOptions& o, int j) { return roundTo(o.originY + j * o.cellSize, o.decimals); }

template <class Visit>
void forEachPillar(const GridOptions& o, Visit&& visit)
{
    for (int j = 0; j <= o.ny; ++j)
        for (int i = 0; i <= o.nx; ++i) {
            // A pillar spans every corner that stands on it, on both sides of a fault.
            const double throwWest = i > 0 ? throwOfCell(o, i - 1) : throwOfCell(o, i);
            const double throwEast = i < o.nx ? throwOfCell(o, i) : throwOfCell(o, i - 1);
            const double base = structureDepth(o, i, j);
            const double top = roundTo(base + std::min(throwWest, throwEast), o.decimals);
            const double bottom = roundTo(base + o.nz * o.layerThickness + std::max(throwWest, throwEast), o.decimals);
            const double x = pillarX(o, i), y = pillarY(o, j);
            visit(std::array<double, 6>{x, y, top, x, y, bottom});
        }
}

template <class Visit>
void forEachCorner(const GridOptions& o, Visit&& visit)
{
    // Surface depths per pillar, rounded once, so that neighbouring cells write identical text for a shared corner.
    std::vector<double> surface(static_cast<std::size_t>(o.nx + 1) * (o.ny + 1));
    for (int j = 0; j <= o.ny; ++j)
        for (int i = 0; i <= o.nx; ++i) surface[i + (o.nx + 1) * j] = structureDepth(o, i, j);
    for (int k = 0; k < o.nz; ++k)
        for (int t = 0; t < 2; ++t) {
            const double below = (k + t) * o.layerThickness;
            for (int j = 0; j < o.ny; ++j)
                for (int edge = 0; edge < 2; ++edge) {
                    const double* row = &surface[static_cast<std::size_t>(o.nx + 1) * (j + edge)];
                    for (int i = 0; i < o.nx; ++i) {
                        const double shift = below + throwOfCell(o, i);
                        visit(roundTo(row[i] + shift, o.decimals));
                        visit(roundTo(row[i + 1] + shift, o.decimals));
                    }
                }
        }
}

void gridHeader(TextOut& out, const GridOptions& o, std::string_view what)
{
    out.line("-- Format      : Generic ECLIPSE style (ASCII) grid geometry and properties (*.GRDECL)");
    out.line(kExportedBy);
    out.put("-- ");
    out.put(what);
    out.put(" of ");
    out.integer(o.nx);
    out.put(" x ");
    out.integer(o.ny);
    out.put(" x ");
    out.integer(o.nz);
    out.put(" cells, ");
    out.fixed(o.cellSize, 0);
    out.line(" m spacing");
    out.newline();
}

void gridKeywords(TextOut& out, const GridOptions& o)
{
    out.keywordLine("MAPUNITS");
    out.line("  'METRES  ' /");
    out.newline();
    out.keywordLine("MAPAXES");
    out.put("  ");
    out.fixed(o.originX, 2);
    out.put(' ');
    out.fixed(o.originY + o.ny * o.cellSize, 2);
    out.put(' ');
    out.fixed(o.originX, 2);
    out.put(' ');
    out.fixed(o.originY, 2);
    out.put(' ');
    out.fixed(o.originX + o.nx * o.cellSize, 2);
    out.put(' ');
    out.fixed(o.originY, 2);
    out.newline();
    out.line("  /");
    out.newline();
    out.keywordLine("GRIDUNIT");
    out.line("  'METRES  ' '  ' /");
    out.newline();
    out.keywordLine("SPECGRID");
    out.put("  ");
    out.integer(o.nx);
    out.put(' ');
    out.integer(o.ny);
    out.put(' ');
    out.integer(o.nz);
    out.line(" 1 F /");
    out.newline();
    out.keywordLine("COORDSYS");
    out.put("  1 ");
    out.integer(o.nz);
    out.line(" 'INCOMP  ' 'UNJOINED' /");
    out.newline();
}

void coordSection(TextOut& out, const GridOptions& o)
{
    out.keywordLine("COORD");
    forEachPillar(o, [&](const std::array<double, 6>& p) {
        out.put("  ");
        for (int n = 0; n < 6; ++n) {
            if (n) out.put(' ');
            out.fixed(p[n], o.decimals);
        }
        out.newline();
    });
    out.line("  /");
    out.newline();
}

void zcornSection(TextOut& out, const GridOptions& o)
{
    out.keywordLine("ZCORN");
    TokenWriter w(out, o.decimals, o.repeats, o.maxRun, o.valuesPerLine, "  ");
    forEachCorner(o, [&](double v) { w.add(v); });
    w.close("  /");
    out.newline();
}

void actnumSection(TextOut& out, const GridOptions& o)
{
    out.keywordLine("ACTNUM");
    TokenWriter w(out, -1, true, o.maxRun, o.valuesPerLine, "  ");
    const long long cells = static_cast<long long>(o.nx) * o.ny * o.nz;
    for (long long c = 0; c < cells; ++c) w.add(1.0);
    w.close("  /");
    out.newline();
}

void writeDirect(TextOut& out, const GridOptions& o)
{
    gridHeader(out, o, "Grid");
    gridKeywords(out, o);
    coordSection(out, o);
    zcornSection(out, o);
    actnumSection(out, o);
}

std::string includedName(const GridOptions& o, std::string_view part)
{
    return o.name + "_" + std::string(part) + ".GRDECL";
}

void writeIncludeMain(TextOut& out, const GridOptions& o)
{
    gridHeader(out, o, "Grid");
    gridKeywords(out, o);
    for (const char* part : {"COORD", "ZCORN", "ACTNUM"}) {
        out.line("INCLUDE");
        out.put('\'');
        out.put(includedName(o, part));
        out.line("' /");
        out.newline();
    }
}

template <class Body>
void writeIncluded(TextOut& out, const GridOptions& o, Body&& body)
{
    gridHeader(out, o, "Part of the grid");
    body(out, o);
}

}  // namespace

std::vector<double> pillarCoords(const GridOptions& o)
{
    checkGrid(o);
    std::vector<double> values;
    values.reserve(static_cast<std::size_t>(o.nx + 1) * (o.ny + 1) * 6);
    forEachPillar(o, [&](const std::array<double, 6>& p) { values.insert(values.end(), p.begin(), p.end()); });
    return values;
}

std::vector<double> cornerDepths(const GridOptions& o)
{
    checkGrid(o);
    std::vector<double> values;
    values.reserve(static_cast<std::size_t>(o.nx) * o.ny * o.nz * 8);
    forEachCorner(o, [&](double v) { values.push_back(v); });
    return values;
}

std::string gridText(const GridOptions& o)
{
    checkGrid(o);
    return writeString(o.lineEnd, [&](TextOut& out) { writeDirect(out, o); });
}

std::string includeMainText(const GridOptions& o)
{
    checkGrid(o);
    return writeString(o.lineEnd, [&](TextOut& out) { writeIncludeMain(out, o); });
}

std::string coordFileText(const GridOptions& o)
{
    checkGrid(o);
    return writeString(o.lineEnd, [&](TextOut& out) { writeIncluded(out, o, coordSection); });
}

std::string zcornFileText(const GridOptions& o)
{
    checkGrid(o);
    return writeString(o.lineEnd, [&](TextOut& out) { writeIncluded(out, o, zcornSection); });
}

std::string actnumFileText(const GridOptions& o)
{
    checkGrid(o);
    return writeString(o.lineEnd, [&](TextOut& out) { writeIncluded(out, o, actnumSection); });
}

std::vector<std::filesystem::path> writeGrid(const GridOptions& o, const std::filesystem::path& folder)
{
    checkGrid(o);
    std::filesystem::create_directories(folder);
    std::vector<std::filesystem::path> paths{folder / (o.name + ".GRDECL")};
    if (o.layout == GridLayout::Direct) {
        writeFile(paths[0], o.lineEnd, [&](TextOut& out) { writeDirect(out, o); });
        return paths;
    }
    writeFile(paths[0], o.lineEnd, [&](TextOut& out) { writeIncludeMain(out, o); });
    using Section = void (*)(TextOut&, const GridOptions&);
    const std::pair<const char*, Section> parts[] = {
        {"COORD", coordSection}, {"ZCORN", zcornSection}, {"ACTNUM", actnumSection}};
    for (const auto& [part, section] : parts) {
        paths.push_back(folder / includedName(o, part));
        writeFile(paths.back(), o.lineEnd, [&](TextOut& out) { writeIncluded(out, o, section); });
    }
    return paths;
}

}  // namespace morvane::gen
