// The synthetic model generator: grids read back through the grid reader as the options describe them, in every
// layout and line-end style; property and well files have the shapes of real exports.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <numbers>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "io/file_text.h"
#include "io/grid_reader.h"
#include "io/property_reader.h"
#include "io/text_codec.h"
#include "tools/generator/model_generator.h"

namespace {

namespace fs = std::filesystem;
using namespace morvane;
using namespace morvane::gen;

GridOptions faultedDome()
{
    GridOptions o;
    o.name = "DOME";
    o.nx = 7;
    o.ny = 5;
    o.nz = 3;
    o.cellSize = 75;
    o.originX = -7975.73;
    o.originY = 6414000.0;
    o.topDepth = 2000.0;
    o.layerThickness = 4.0;
    o.domeHeight = 30.0;
    o.tiltPerKm = 10.0;
    o.faultThrow = 12.5;
    return o;
}

CornerPointInput readText(const GridOptions& o, const std::string& text)
{
    GridReadResult r = readGridText("/nowhere/" + o.name + ".GRDECL", text);
    EXPECT_EQ(r.outcome, GridReadOutcome::Read) << r.message.en;
    return std::move(r.grid);
}

fs::path freshFolder(const std::string& name)
{
    const fs::path folder = fs::path(testing::TempDir()) / ("morvane_generator_" + name);
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

std::string readFile(const fs::path& p)
{
    FileText text;
    EXPECT_TRUE(readWholeFile(p, text)) << p;
    return std::string(text.view());
}

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        out.push_back(line);
    }
    return out;
}

std::vector<std::string> words(std::string_view line)
{
    std::vector<std::string> out;
    std::istringstream in{std::string(line)};
    for (std::string w; in >> w;) out.push_back(w);
    return out;
}

double toDouble(std::string_view s)
{
    double v = NAN;
    auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    EXPECT_TRUE(r.ec == std::errc() && r.ptr == s.data() + s.size()) << "not a number: " << s;
    return v;
}

TEST(ModelGeneratorGrid, DirectLayoutReadsBackAsTheOptionsDescribe)
{
    const GridOptions o = faultedDome();
    const CornerPointInput grid = readText(o, gridText(o));

    ASSERT_EQ(grid.pillars.size(), std::size_t(8 * 6 * 6));
    ASSERT_EQ(grid.cornerDepths.size(), std::size_t(8 * 7 * 5 * 3));

    // Every written value comes back, depths as negative kilometres.
    const std::vector<double> coords = pillarCoords(o);
    for (std::size_t n = 0; n < coords.size(); ++n) {
        const double expected = n % 3 == 2 ? -coords[n] / 1000 : coords[n] / 1000;
        ASSERT_NEAR(grid.pillars[n], expected, 1e-12) << "COORD entry " << n;
    }
    const std::vector<double> depths = cornerDepths(o);
    for (std::size_t n = 0; n < depths.size(); ++n)
        ASSERT_NEAR(grid.cornerDepths[n], -depths[n] / 1000, 1e-12) << "ZCORN entry " << n;

    // Pillar (i, j) = i + (nx + 1) j stands at the origin plus i and j cell sizes.
    for (int j = 0; j <= o.ny; ++j)
        for (int i = 0; i <= o.nx; ++i) {
            const std::size_t p = i + (o.nx + 1) * j;
            EXPECT_NEAR(grid.pillarXY[4 * p] * 1000, o.originX + i * o.cellSize, 1e-6);
            EXPECT_NEAR(grid.pillarXY[4 * p + 1] * 1000, o.originY + j * o.cellSize, 1e-6);
        }
    // The structure makes depths vary, and the shallowest corner is the dome's crest.
    const auto [shallow, deep] = std::minmax_element(depths.begin(), depths.end());
    EXPECT_LT(*shallow, o.topDepth - 0.6 * o.domeHeight);
    EXPECT_GT(*deep, o.topDepth + o.nz * o.layerThickness + o.faultThrow);
}

TEST(ModelGeneratorGrid, CornerOrderHasTheFaultStepAndSharedCornersElsewhere)
{
    GridOptions o = faultedDome();
    const std::vector<double> z = cornerDepths(o);
    const int nx = o.nx, ny = o.ny;
    const std::size_t surface = 4u * nx * ny;
    const int westOfFault = nx / 2 - 1;
    for (int k = 0; k < o.nz; ++k)
        for (int t = 0; t < 2; ++t)
            for (int j = 0; j < ny; ++j)
                for (int edge = 0; edge < 2; ++edge) {
                    const std::size_t line = (2 * k + t) * surface + 4u * nx * j + 2u * nx * edge;
                    for (int c = 0; c + 1 < nx; ++c) {
                        const double right = z[line + 2 * c + 1], nextLeft = z[line + 2 * c + 2];
                        if (c == westOfFault)
                            EXPECT_NEAR(nextLeft - right, o.faultThrow, 0.011) << "k " << k << " j " << j;
                        else
                            EXPECT_EQ(right, nextLeft) << "k " << k << " j " << j << " c " << c;
                    }
                }
    // The far edge of a cell row is the near edge of the next; a layer's base is the next layer's top.
    for (int j = 0; j + 1 < ny; ++j)
        for (int n = 0; n < 2 * nx; ++n) EXPECT_EQ(z[4u * nx * j + 2 * nx + n], z[4u * nx * (j + 1) + n]);
    for (int k = 0; k + 1 < o.nz; ++k)
        for (std::size_t n = 0; n < surface; ++n)
            EXPECT_NEAR(z[(2 * k + 1) * surface + n], z[(2 * k + 2) * surface + n], 0.011);

    o.faultThrow = 0;
    const std::vector<double> unfaulted = cornerDepths(o);
    EXPECT_EQ(unfaulted[2 * westOfFault + 1], unfaulted[2 * westOfFault + 2]);
}

TEST(ModelGeneratorGrid, CellSizesFromTwentyFiveToFiveHundredKeepExactSpacing)
{
    for (double size : {25.0, 50.0, 125.0, 500.0}) {
        GridOptions o = faultedDome();
        o.cellSize = size;
        const CornerPointInput grid = readText(o, gridText(o));
        ASSERT_EQ(grid.pillarXY.size(), std::size_t(8 * 6 * 4));
        // Neighbouring pillars along a row are one cell size apart to the centimetre.
        for (int i = 0; i < o.nx; ++i)
            EXPECT_NEAR((grid.pillarXY[4 * (i + 1)] - grid.pillarXY[4 * i]) * 1000, size, 0.005);
        EXPECT_NEAR(grid.pillarXY[4 * o.nx] * 1000, o.originX + o.nx * size, 0.005);
    }
}

TEST(ModelGeneratorGrid, RepeatRunsExpandToTheSameDepths)
{
    GridOptions o = faultedDome();
    const CornerPointInput plain = readText(o, gridText(o));
    o.repeats = true;
    const std::string runs = gridText(o);
    EXPECT_NE(runs.find("2*"), std::string::npos);
    EXPECT_EQ(readText(o, runs).cornerDepths, plain.cornerDepths);

    // A flat model folds into long runs, never longer than the limit.
    GridOptions flat;
    flat.nx = 30;
    flat.ny = 20;
    flat.nz = 2;
    flat.repeats = true;
    flat.maxRun = 999;
    const std::string text = gridText(flat);
    const std::size_t zcorn = text.find("ZCORN");
    const std::size_t end = text.find('/', zcorn);
    int runsSeen = 0;
    for (const std::string& w : words(std::string_view(text).substr(zcorn, end - zcorn))) {
        const std::size_t star = w.find('*');
        if (star == std::string::npos) continue;
        ++runsSeen;
        EXPECT_LE(toDouble(std::string_view(w).substr(0, star)), 999) << w;
    }
    EXPECT_GE(runsSeen, 4);
    const CornerPointInput flatGrid = readText(flat, text);
    ASSERT_EQ(flatGrid.cornerDepths.size(), std::size_t(8 * 30 * 20 * 2));
    EXPECT_DOUBLE_EQ(flatGrid.cornerDepths.front(), -2.0);
    EXPECT_DOUBLE_EQ(flatGrid.cornerDepths.back(), -2.010);
}

TEST(ModelGeneratorGrid, WholeNumberDepthsReadBackWithoutDecimals)
{
    // Thin test models have small whole depths (0, 5, 10 ...); they are depths, not repeat counts.
    GridOptions o;
    o.nx = 3;
    o.ny = 2;
    o.nz = 2;
    o.topDepth = 0;
    o.layerThickness = 5;
    o.decimals = 0;
    const std::string text = gridText(o);
    const std::size_t zcorn = text.find("ZCORN ");
    ASSERT_NE(zcorn, std::string::npos);
    EXPECT_EQ(text.find('.', zcorn), std::string::npos);
    const CornerPointInput grid = readText(o, text);
    ASSERT_EQ(grid.cornerDepths.size(), std::size_t(8 * 3 * 2 * 2));
    EXPECT_DOUBLE_EQ(grid.cornerDepths.front(), 0.0);
    EXPECT_DOUBLE_EQ(grid.cornerDepths.back(), -0.010);
}

TEST(ModelGeneratorGrid, IncludeLayoutAndCrlfReadTheSameAsDirectLf)
{
    GridOptions o = faultedDome();
    o.repeats = true;
    const CornerPointInput direct = readText(o, gridText(o));

    o.layout = GridLayout::Include;
    const fs::path folder = freshFolder("include");
    const std::vector<fs::path> paths = writeGrid(o, folder);
    ASSERT_EQ(paths.size(), 4u);
    EXPECT_EQ(paths[0].filename(), "DOME.GRDECL");
    EXPECT_EQ(paths[1].filename(), "DOME_COORD.GRDECL");
    EXPECT_EQ(paths[2].filename(), "DOME_ZCORN.GRDECL");
    EXPECT_EQ(paths[3].filename(), "DOME_ACTNUM.GRDECL");

    // The main file names each included file on the line after a bare INCLUDE, as exports do.
    const std::vector<std::string> main = lines(readFile(paths[0]));
    int includes = 0;
    for (std::size_t n = 0; n + 1 < main.size(); ++n)
        if (main[n] == "INCLUDE") {
            EXPECT_EQ(main[n + 1], "'" + paths[1 + includes].filename().string() + "' /");
            ++includes;
        }
    EXPECT_EQ(includes, 3);
    EXPECT_EQ(readFile(paths[0]), includeMainText(o));
    EXPECT_EQ(readFile(paths[2]), zcornFileText(o));
    EXPECT_NE(readFile(paths[1]).find("COORD                                  -- Generated : Petrel\n"),
              std::string::npos);

    const GridReadResult r = readGridFile(paths[0].string());
    const CornerPointInput& included = r.grid;
    ASSERT_EQ(r.outcome, GridReadOutcome::Read) << r.message.en;
    EXPECT_EQ(included.pillars, direct.pillars);
    EXPECT_EQ(included.cornerDepths, direct.cornerDepths);

    // CRLF: every line break is a pair, and the numbers are the same.
    o.lineEnd = LineEnd::CRLF;
    const fs::path crlfFolder = freshFolder("crlf");
    const std::vector<fs::path> crlfPaths = writeGrid(o, crlfFolder);
    for (const fs::path& p : crlfPaths) {
        const std::string text = readFile(p);
        for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1))
            ASSERT_TRUE(at > 0 && text[at - 1] == '\r') << p << " at " << at;
    }
    const GridReadResult crlfRead = readGridFile(crlfPaths[0].string());
    ASSERT_EQ(crlfRead.outcome, GridReadOutcome::Read);
    const CornerPointInput& crlf = crlfRead.grid;
    EXPECT_EQ(crlf.pillars, direct.pillars);
    EXPECT_EQ(crlf.cornerDepths, direct.cornerDepths);

    o.layout = GridLayout::Direct;
    EXPECT_EQ(readText(o, gridText(o)).cornerDepths, direct.cornerDepths);
}

TEST(ModelGeneratorGrid, SameOptionsGiveTheSameBytes)
{
    const GridOptions o = faultedDome();
    EXPECT_EQ(gridText(o), gridText(o));
    PropertyFileOptions p;
    p.properties = defaultProperties();
    EXPECT_EQ(propertyFileText(p), propertyFileText(p));
    EXPECT_EQ(wellFileText(wellsForGrid(o, 2)[1]), wellFileText(wellsForGrid(o, 2)[1]));
}

// One property of a property file as the file shows it.
struct WrittenProperty {
    std::string keywordLine, name;
    std::vector<std::string> tokens;
    std::vector<double> values;  // n*v expanded
    bool valueLinesIndented = true;
    bool closed = false;
};

std::vector<WrittenProperty> splitProperties(const std::string& text)
{
    const std::string marker = "-- Property name in Petrel : ";
    const std::vector<std::string> all = lines(text);
    std::vector<WrittenProperty> props;
    for (std::size_t n = 0; n < all.size(); ++n) {
        if (all[n].rfind(marker, 0) != 0) continue;
        WrittenProperty p;
        p.keywordLine = n > 0 ? all[n - 1] : "";
        p.name = all[n].substr(marker.size());
        for (++n; n < all.size(); ++n) {
            if (all[n] == " /") {
                p.closed = true;
                break;
            }
            p.valueLinesIndented = p.valueLinesIndented && all[n].rfind("  ", 0) == 0 && all[n][2] != ' ';
            for (const std::string& w : words(all[n])) {
                p.tokens.push_back(w);
                const std::size_t star = w.find('*');
                if (star == std::string::npos) {
                    p.values.push_back(toDouble(w));
                } else {
                    const double v = toDouble(std::string_view(w).substr(star + 1));
                    p.values.insert(p.values.end(), static_cast<std::size_t>(toDouble(w.substr(0, star))), v);
                }
            }
        }
        props.push_back(p);
    }
    return props;
}

TEST(ModelGeneratorProperties, FileHasOneMarkedValueBlockPerPropertyWithOneValuePerCell)
{
    PropertyFileOptions o;
    o.nx = 9;
    o.ny = 7;
    o.nz = 6;
    o.properties = defaultProperties();
    PropertyDefinition perm;
    perm.keyword = "IRR.GASSATURATION";
    perm.name = "Sgirr";
    perm.minValue = 0.0;
    perm.maxValue = 0.15;
    perm.decimals = 3;
    o.properties.push_back(perm);

    for (LineEnd lineEnd : {LineEnd::LF, LineEnd::CRLF})
        for (bool repeats : {false, true}) {
            o.lineEnd = lineEnd;
            o.repeats = repeats;
            const std::string text = propertyFileText(o);
            const std::vector<std::string> all = lines(text);
            ASSERT_GE(all.size(), 3u);
            EXPECT_EQ(all[0].rfind("--", 0), 0u);
            EXPECT_NE(text.find("FILEUNIT"), std::string::npos);
            EXPECT_NE(text.find("METRIC /"), std::string::npos);

            const std::vector<WrittenProperty> props = splitProperties(text);
            ASSERT_EQ(props.size(), 3u);
            bool anyRun = false;
            for (std::size_t n = 0; n < props.size(); ++n) {
                const PropertyDefinition& definition = o.properties[n];
                const WrittenProperty& p = props[n];
                EXPECT_EQ(p.name, definition.name);
                EXPECT_EQ(p.keywordLine.rfind(definition.keyword + " ", 0), 0u) << p.keywordLine;
                EXPECT_NE(p.keywordLine.find("-- Generated : Petrel"), std::string::npos);
                EXPECT_TRUE(p.closed);
                EXPECT_TRUE(p.valueLinesIndented);
                ASSERT_EQ(p.values.size(), std::size_t(9 * 7 * 6)) << definition.name;
                EXPECT_EQ(p.values, propertyValues(o, definition));
                for (const std::string& t : p.tokens) {
                    anyRun = anyRun || t.find('*') != std::string::npos;
                    // Readers tell the kinds apart by the decimal point: every continuous value has one.
                    if (definition.kind == gen::PropertyKind::Continuous)
                        EXPECT_NE(t.find('.'), std::string::npos) << t;
                    else
                        EXPECT_EQ(t.find('.'), std::string::npos) << t;
                }
            }
            EXPECT_EQ(anyRun, repeats);
        }
}

TEST(ModelGeneratorProperties, ValuesStayInTheirRangesAndCodesAreWhole)
{
    PropertyFileOptions o;
    o.nx = 20;
    o.ny = 10;
    o.nz = 8;
    const std::vector<PropertyDefinition> definitions = defaultProperties();
    const std::vector<double> poro = propertyValues(o, definitions[0]);
    const auto [lo, hi] = std::minmax_element(poro.begin(), poro.end());
    EXPECT_GE(*lo, definitions[0].minValue);
    EXPECT_LE(*hi, definitions[0].maxValue);
    EXPECT_GT(*hi - *lo, 0.3 * (definitions[0].maxValue - definitions[0].minValue));  // a spread, not a constant
    std::vector<int> seen(definitions[1].codes, 0);
    for (double v : propertyValues(o, definitions[1])) {
        ASSERT_EQ(v, std::floor(v));
        ASSERT_GE(v, 0);
        ASSERT_LT(v, definitions[1].codes);
        ++seen[static_cast<int>(v)];
    }
    for (int count : seen) EXPECT_GT(count, 0);
}

// A field export as real ones come: many properties, Russian names in Windows-1251, CRLF, long code runs, negative
// permeability, stray decimals among lithology codes and one property of another grid's size. The viewer's reader
// takes every property back as written and refuses only the one that does not fit.
TEST(ModelGeneratorProperties, FieldExportReadsBackThroughThePropertyReader)
{
    PropertyFileOptions o;
    o.nx = 20, o.ny = 15, o.nz = 6;
    o.properties = fieldProperties(9, true);
    PropertyDefinition other = o.properties[0];
    other.name = "Чужой";
    other.valueCount = 20 * 15 * 7;
    o.properties.push_back(other);
    o.lineEnd = LineEnd::CRLF;
    o.nameEncoding = TextEncoding::Windows1251;
    const std::string bytes = propertyFileText(o);
    EXPECT_EQ(bytes.find("Пористость"), std::string::npos);  // not UTF-8 on disk
    EXPECT_NE(bytes.find("\r\n"), std::string::npos);

    const std::string text = decodeUserText(bytes);
    const std::vector<PropertyEntry> entries = splitPropertyText(text);
    ASSERT_EQ(entries.size(), 10u);
    EXPECT_EQ(entries[0].name, "Пористость");
    EXPECT_EQ(entries[5].name, "Литология");
    EXPECT_EQ(entries[8].name, "Пористость_2");

    const PropertySet none;
    const int cells = 20 * 15 * 6;
    for (std::size_t n = 0; n < entries.size(); ++n) {
        const PropertyDefinition& d = o.properties[n];
        const morvane::PropertyKind kind =
            d.name == "Литология" ? morvane::PropertyKind::Lithology : morvane::PropertyKind::Unset;
        const PropertyReport r = loadProperty(text, entries[n], kind, cells, "ru", none);
        EXPECT_EQ(r.accepted, n != 9) << d.name;
        if (!r.accepted) continue;
        const std::vector<double> written = propertyValues(o, d);
        if (!r.discrete) {
            EXPECT_EQ(r.property.values, written) << d.name;
            continue;
        }
        const std::vector<int>& codes = r.property.codes;
        std::size_t undefined = 0;
        for (std::size_t c = 0; c < written.size(); ++c) {
            if (written[c] == 1.5) {
                EXPECT_EQ(codes[c], kUndefinedCode);
                ++undefined;
            } else {
                EXPECT_EQ(codes[c], static_cast<int>(written[c]));
            }
        }
        EXPECT_EQ(undefined, static_cast<std::size_t>(3 * d.strayDecimals)) << d.name;
    }
    const std::vector<double> perm = propertyValues(o, o.properties[1]);
    EXPECT_LT(*std::min_element(perm.begin(), perm.end()), 0.0);
    // Facies bodies are written as runs of ten codes and more.
    bool longRun = false;
    for (const std::string& token : words(bytes))
        longRun = longRun || (token.find('*') != std::string::npos && token.find('*') >= 2);
    EXPECT_TRUE(longRun);
}

struct WrittenWell {
    std::string name;
    std::vector<std::string> columns;
    std::vector<std::vector<double>> rows;
};

WrittenWell parseWell(const std::string& text)
{
    WrittenWell w;
    for (const std::string& line : lines(text)) {
        if (line.rfind("#", 0) == 0) {
            const std::size_t at = line.find("WELL NAME:");
            if (at != std::string::npos) w.name = words(line.substr(at + 10)).at(0);
            continue;
        }
        if (w.columns.empty()) {
            w.columns = words(line);
            continue;
        }
        std::vector<double> row;
        for (const std::string& s : words(line)) row.push_back(toDouble(s));
        w.rows.push_back(row);
    }
    return w;
}

TEST(ModelGeneratorWells, DevFileHasNamedHeaderAndOneRowPerStation)
{
    WellOptions o;
    o.name = "P-12";
    o.headX = -7900.5;
    o.headY = 300.25;
    o.datum = 22.69;
    o.totalDepth = 1500;
    o.step = 10;
    const std::string text = wellFileText(o);
    EXPECT_NE(text.find("\n# WELL NAME:              P-12\n"), std::string::npos);
    EXPECT_NE(text.find("\n#====="), std::string::npos);
    const std::vector<std::string> all = lines(text);
    std::size_t header = 0;
    while (header < all.size() && all[header].rfind("#", 0) == 0) ++header;
    ASSERT_LT(header + 1, all.size());
    EXPECT_EQ(all[header].rfind("      MD", 0), 0u) << "the header is indented";
    EXPECT_EQ(all[header - 1].rfind("#=====", 0), 0u);
    EXPECT_EQ(all[header + 1].rfind("#=====", 0), 0u);

    const WrittenWell w = parseWell(text);
    EXPECT_EQ(w.name, "P-12");
    EXPECT_EQ(w.columns, (std::vector<std::string>{"MD", "X", "Y", "Z", "TVD", "DX", "DY", "AZIM_TN", "INCL", "DLS"}));
    ASSERT_EQ(w.rows.size(), 151u);
    const std::vector<WellStation> stations = wellStations(o);
    ASSERT_EQ(stations.size(), w.rows.size());
    for (std::size_t n = 0; n < w.rows.size(); ++n) {
        const std::vector<double>& r = w.rows[n];
        ASSERT_EQ(r.size(), 10u);
        EXPECT_DOUBLE_EQ(r[0], n * 10.0);
        EXPECT_DOUBLE_EQ(r[1], -7900.5);  // vertical
        EXPECT_DOUBLE_EQ(r[2], 300.25);
        EXPECT_NEAR(r[3], 22.69 - r[4], 1e-9) << "Z is the elevation: datum minus TVD";
        EXPECT_DOUBLE_EQ(r[4], n * 10.0);
        EXPECT_EQ(stations[n].md, r[0]);
        EXPECT_EQ(stations[n].z, r[3]);
    }
    EXPECT_LT(w.rows.back()[3], 0.0);

    o.deviated = true;
    o.azimuthColumn = "AZIM_GN";
    o.lineEnd = LineEnd::CRLF;
    const std::string crlf = wellFileText(o);
    EXPECT_NE(crlf.find("\r\n# WELL NAME:              P-12\r\n"), std::string::npos);
    const WrittenWell d = parseWell(crlf);
    EXPECT_EQ(d.columns.at(7), "AZIM_GN");
    ASSERT_EQ(d.rows.size(), 151u);
    // Below the kick-off the well leaves the vertical: inclination held at the maximum, steps shorter in TVD.
    const std::vector<double>& last = d.rows.back();
    EXPECT_DOUBLE_EQ(last[8], o.maxInclination);
    EXPECT_LT(last[4], 1500.0);
    EXPECT_GT(std::hypot(last[5], last[6]), 100.0);
    EXPECT_NEAR(last[1] - o.headX, last[5], 1e-3);
    EXPECT_NEAR(last[2] - o.headY, last[6], 1e-3);
}

TEST(ModelGeneratorWells, WellsForAGridStandInsideItsFootprintAndReachItsBase)
{
    for (const GridOptions& g : {faultedDome(), asRealExport(faultedDome())}) {
        const std::vector<WellOptions> wells = wellsForGrid(g, 4);
        ASSERT_EQ(wells.size(), 4u);
        const std::vector<double> depths = cornerDepths(g);
        const double deepest = *std::max_element(depths.begin(), depths.end());
        // A map point in the grid's own frame: its origin at the first pillar, turned back.
        const double a = -g.rotation * std::numbers::pi / 180;
        const auto frame = [&](double x, double y) {
            x -= g.originX, y -= g.originY;
            return std::array<double, 2>{x * std::cos(a) - y * std::sin(a), x * std::sin(a) + y * std::cos(a)};
        };
        const auto [far, up] = frame(footprintPoint(g, 1, 1)[0], footprintPoint(g, 1, 1)[1]);
        int deviated = 0;
        for (const WellOptions& w : wells) {
            deviated += w.deviated;
            for (const WellStation& s : wellStations(w)) {
                const auto [u, v] = frame(s.x, s.y);
                EXPECT_TRUE(u >= 0 && u <= far && v >= 0 && v <= up)
                    << w.name << " at " << s.md << ", turn " << g.rotation;
            }
            EXPECT_LT(wellStations(w).back().z, -deepest) << w.name;
        }
        EXPECT_EQ(deviated, 2);
        EXPECT_EQ(wells[2].name, "W-3");
    }
}

}  // namespace
