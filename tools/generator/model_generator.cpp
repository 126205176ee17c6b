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

// Positions of the pillar lines along the rows (u, by i) and from row to row (v, by j) in the grid's own frame,
// before it is turned and placed. Irregular spacing varies the cell widths smoothly.
struct Lines {
    std::vector<double> u, v;
};

Lines pillarLines(const GridOptions& o)
{
    Lines lines;
    lines.u.resize(static_cast<std::size_t>(o.nx) + 1);
    lines.v.resize(static_cast<std::size_t>(o.ny) + 1);
    for (int i = 0; i <= o.nx; ++i)
        lines.u[i] = o.irregular == 0 || i == 0
                         ? i * o.cellSize
                         : lines.u[i - 1] + o.cellSize * (1 + o.irregular * std::sin((i - 1) / 4.0 + 0.7));
    for (int j = 0; j <= o.ny; ++j)
        lines.v[j] = o.irregular == 0 || j == 0
                         ? j * o.cellSize
                         : lines.v[j - 1] + o.cellSize * (1 + o.irregular * std::cos((j - 1) / 3.0));
    return lines;
}

// A point of the grid's own frame in file coordinates: turned about the first pillar, then placed at the origin
// (unless the coordinates are local).
std::array<double, 2> placed(const GridOptions& o, double u, double v)
{
    double x = u, y = v;
    if (o.rotation != 0) {
        const double a = o.rotation * std::numbers::pi / 180;
        x = u * std::cos(a) - v * std::sin(a);
        y = u * std::sin(a) + v * std::cos(a);
    }
    if (o.localCoordinates) return {x, y};
    return {o.originX + x, o.originY + y};
}

// The structure: depth of the top surface above pillar (i, j), before the fault.
double structureDepth(const GridOptions& o, const Lines& lines, int i, int j)
{
    const double u = (i - 0.5 * o.nx) / (0.5 * o.nx);
    const double v = (j - 0.5 * o.ny) / (0.5 * o.ny);
    const double r = std::min(1.0, std::sqrt(u * u + v * v));
    const double bump = o.domeHeight * 0.5 * (1.0 + std::cos(std::numbers::pi * r));
    const double tilt = o.tiltPerKm * lines.u[i] / 1000.0;
    return o.topDepth - bump + tilt;
}

double throwOfCell(const GridOptions& o, int i) { return i >= o.nx / 2 ? o.faultThrow : 0.0; }

template <class Visit>
void forEachPillar(const GridOptions& o, Visit&& visit)
{
    const Lines lines = pillarLines(o);
    const double uc = lines.u.back() / 2, vc = lines.v.back() / 2;
    for (int j = 0; j <= o.ny; ++j)
        for (int i = 0; i <= o.nx; ++i) {
            // A pillar spans every corner that stands on it, on both sides of a fault.
            const double throwWest = i > 0 ? throwOfCell(o, i - 1) : throwOfCell(o, i);
            const double throwEast = i < o.nx ? throwOfCell(o, i) : throwOfCell(o, i - 1);
            const double base = structureDepth(o, lines, i, j);
            const double top = roundTo(base + std::min(throwWest, throwEast), o.decimals);
            const double bottom = roundTo(base + o.nz * o.layerThickness + std::max(throwWest, throwEast), o.decimals);
            const double u = lines.u[i], v = lines.v[j];
            const auto [x0, y0] = placed(o, u, v);
            // An inclined pillar's bottom point leans away from the grid's centre.
            const auto [x1, y1] = o.inclination == 0
                                      ? std::array<double, 2>{x0, y0}
                                      : placed(o, u + o.inclination * (u - uc), v + o.inclination * (v - vc));
            visit(std::array<double, 6>{roundTo(x0, o.decimals), roundTo(y0, o.decimals), top, roundTo(x1, o.decimals),
                                        roundTo(y1, o.decimals), bottom});
        }
}

template <class Visit>
void forEachCorner(const GridOptions& o, Visit&& visit)
{
    // Surface depths per pillar, rounded once, so that neighbouring cells write identical text for a shared corner.
    const Lines lines = pillarLines(o);
    std::vector<double> surface(static_cast<std::size_t>(o.nx + 1) * (o.ny + 1));
    for (int j = 0; j <= o.ny; ++j)
        for (int i = 0; i <= o.nx; ++i) surface[i + (o.nx + 1) * j] = structureDepth(o, lines, i, j);
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
    const char* unit = o.feet ? "  'FEET    '" : "  'METRES  '";
    out.keywordLine("MAPUNITS");
    out.put(unit);
    out.line(" /");
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
    out.put(unit);
    out.line(" '  ' /");
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
    for (std::uint8_t active : activeCells(o)) w.add(active);
    w.close("  /");
    out.newline();
}

// Properties held in the grid file itself: keyword blocks without markers.
void inlineProperties(TextOut& out, const GridOptions& o)
{
    PropertyFileOptions p;
    p.nx = o.nx;
    p.ny = o.ny;
    p.nz = o.nz;
    for (const PropertyDefinition& def : o.inlineProperties) {
        out.line(def.keyword);
        const int decimals = def.kind == PropertyKind::Continuous ? std::max(1, def.decimals) : -1;
        TokenWriter w(out, decimals, true, o.maxRun, o.valuesPerLine, "  ");
        for (double v : propertyValues(p, def)) w.add(v);
        w.close(" /");
    }
}

void writeDirect(TextOut& out, const GridOptions& o)
{
    gridHeader(out, o, "Grid");
    gridKeywords(out, o);
    coordSection(out, o);
    zcornSection(out, o);
    actnumSection(out, o);
    inlineProperties(out, o);
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
    inlineProperties(out, o);
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

std::array<double, 2> footprintPoint(const GridOptions& o, double fu, double fv)
{
    const Lines lines = pillarLines(o);
    const auto [x, y] = placed(o, fu * lines.u.back(), fv * lines.v.back());
    return o.localCoordinates ? std::array<double, 2>{o.originX + x, o.originY + y} : std::array<double, 2>{x, y};
}

GridOptions asRealExport(GridOptions o)
{
    o.rotation = 28;
    o.irregular = 0.4;
    o.inclination = 0.03;
    o.inactive = 0.4;
    o.localCoordinates = true;
    o.originX = 452000;
    o.originY = 6800000;
    return o;
}

GridOptions realExportGrid(const std::string& name, int nx, int ny, int nz)
{
    GridOptions o;
    o.name = name;
    o.nx = nx;
    o.ny = ny;
    o.nz = nz;
    o.cellSize = 100;
    o.domeHeight = 40;
    return asRealExport(o);
}

std::vector<std::uint8_t> activeCells(const GridOptions& o)
{
    checkGrid(o);
    const std::size_t perLayer = static_cast<std::size_t>(o.nx) * o.ny;
    std::vector<std::uint8_t> active(perLayer * o.nz, 1);
    if (!(o.inactive > 0)) return active;
    // The lowest quarter of the layers (at least one) loses its western quarter: the pattern differs by layer.
    const int blockFrom = o.nz - std::max(1, o.nz / 4);
    const int blockTo = o.nx / 4;
    auto inside = [&](double scale, int i, int j) {
        const double u = (i + 0.5 - 0.5 * o.nx) / (0.5 * o.nx * scale);
        const double v = (j + 0.5 - 0.5 * o.ny) / (0.5 * o.ny * scale);
        return u * u + v * v <= 1.0;
    };
    auto share = [&](double scale) {
        std::size_t off = 0;
        for (int j = 0; j < o.ny; ++j)
            for (int i = 0; i < o.nx; ++i) off += inside(scale, i, j) ? (i < blockTo ? o.nz - blockFrom : 0) : o.nz;
        return static_cast<double>(off) / static_cast<double>(active.size());
    };
    // The ellipse's size that gives the share asked for (the share falls as the ellipse grows).
    double lo = 0.0, hi = 2.0;
    for (int n = 0; n < 40; ++n) {
        const double mid = (lo + hi) / 2;
        (share(mid) > o.inactive ? lo : hi) = mid;
    }
    for (int k = 0; k < o.nz; ++k)
        for (int j = 0; j < o.ny; ++j)
            for (int i = 0; i < o.nx; ++i)
                if (!inside(hi, i, j) || (k >= blockFrom && i < blockTo)) active[k * perLayer + j * o.nx + i] = 0;
    return active;
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
