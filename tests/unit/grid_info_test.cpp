// The morvane-info report: stable key order, JSON that parses, nulls for the extremes of an empty grid; the reports
// on a deviation file and on a property file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>

#include "io/property_reader.h"
#include "tests/support/temp_folder.h"
#include "tools/generator/model_generator.h"
#include "tools/info/grid_info.h"
#include "tools/info/json_object.h"
#include "tools/info/property_info.h"
#include "tools/info/well_info.h"

namespace {

namespace fs = std::filesystem;
using namespace morvane;
using morvane::info::JsonObject;
using morvane::info::jsonString;

TEST(GridInfoJson, StringsAreEscapedAndInvalidUtf8IsReplaced)
{
    EXPECT_EQ(jsonString("plain"), "\"plain\"");
    EXPECT_EQ(jsonString("C:\\models\\\"A\".GRDECL"), "\"C:\\\\models\\\\\\\"A\\\".GRDECL\"");
    EXPECT_EQ(jsonString("a\nb\tc\r\x01"), "\"a\\nb\\tc\\r\\u0001\"");
    EXPECT_EQ(jsonString("Скв-1"), "\"Скв-1\"");                         // valid UTF-8 passes through
    EXPECT_EQ(jsonString("\xD1\xEA\xE2"), "\"\\ufffd\\ufffd\\ufffd\"");  // Windows-1251 bytes are not UTF-8
    EXPECT_EQ(jsonString("\xE2\x82"), "\"\\ufffd\\ufffd\"");             // a sequence cut short
    EXPECT_EQ(jsonString("\xC0\xAF"), "\"\\ufffd\\ufffd\"");             // an overlong slash
}

TEST(GridInfoJson, KeysKeepTheirOrderAndNumbersRoundTrip)
{
    JsonObject o;
    o.addString("outcome", "read");
    o.addInteger("pillars", 651);
    o.addNumber("x_min", -7.97573);
    o.addNumber("x_max", std::nullopt);
    o.addNumber("z_min", std::nan(""));
    o.addBool("flag", false);
    EXPECT_EQ(o.text(),
              "{\"outcome\": \"read\", \"pillars\": 651, \"x_min\": -7.97573, \"x_max\": null, \"z_min\": null, "
              "\"flag\": false}");
}

TEST(GridInfoReport, ReadGridGivesCountsAndExtentsInModelUnits)
{
    gen::GridOptions g;
    g.name = "INFO";
    g.nx = 4;
    g.ny = 3;
    g.nz = 2;
    g.originX = -7975.0;
    g.originY = 1000.0;
    g.topDepth = 1500.0;
    g.layerThickness = 10.0;
    g.faultThrow = 20.0;
    g.layout = gen::GridLayout::Include;
    const fs::path folder = fs::path(::testing::TempDir()) / "morvane_grid_info";
    fs::remove_all(folder);
    const std::string main = gen::writeGrid(g, folder).front().string();

    bool read = false;
    EXPECT_EQ(
        info::gridInfo(main, read).text(),
        "{\"outcome\": \"read\", \"message\": \"\", \"pillars\": 20, \"zcorn_count\": 192, "
        "\"x_min\": -7.975, \"x_max\": -7.775, \"y_min\": 1, \"y_max\": 1.15, "
        "\"z_min\": -1.54, \"z_max\": -1.5, "
        "\"gridLoaded\": true, \"ZCORN_I\": 3, \"ZCORN_J\": 4, \"ZCORN_K\": 2, \"GRID_SIZE\": 24, "
        "\"TOTAL_CELLS\": 24, \"grid_dimension\": 50, \"model_x_min\": -7.975, \"model_x_max\": -7.775, "
        "\"model_y_min\": 1, \"model_y_max\": 1.15, \"model_z_min\": -1.54, \"model_z_max\": -1.5, "
        "\"builder_message\": \"Grid is loaded successfully\", \"details\": \"\", \"layout_source\": \"spacing\", "
        "\"active_cells\": 24, \"cell_size_i\": 50, \"cell_size_j\": 50, \"grid_unit\": \"METRES\", "
        "\"mapaxes_applied\": false, \"map_x_min\": -7.975, \"map_x_max\": -7.775, \"map_y_min\": 1, "
        "\"map_y_max\": 1.15, \"local_x_min\": 0, \"local_x_max\": 0.1999999999999993, \"local_y_min\": 0, "
        "\"local_y_max\": 0.1499999999999999}");
    EXPECT_TRUE(read);

    // A missing included file: the outcome says so, the message names it, nothing was read.
    fs::remove(folder / "INFO_ZCORN.GRDECL");
    const std::string text = info::gridInfo(main, read).text();
    EXPECT_FALSE(read);
    EXPECT_EQ(text.rfind("{\"outcome\": \"missing_include\", \"message\": \"", 0), 0u) << text;
    EXPECT_NE(text.find("INFO_ZCORN.GRDECL"), std::string::npos) << text;
    EXPECT_NE(text.find("\"pillars\": 0, \"zcorn_count\": 0, \"x_min\": null"), std::string::npos) << text;
    EXPECT_NE(text.find("\"z_max\": null, \"gridLoaded\": false"), std::string::npos) << text;
    EXPECT_NE(text.find("\"builder_message\": \"\", "), std::string::npos) << text;
}

TEST(GridInfoReport, ARejectedLayoutIsReadButNotLoaded)
{
    // Pillars 10 m apart: the reader reads the file, the builder refuses the cell size and says why; the grid is
    // not loaded, which the exit status tells.
    const fs::path file = fs::path(::testing::TempDir()) / "morvane_info_10m.GRDECL";
    {
        std::ofstream out(file, std::ios::binary);
        out << "COORD\n0 0 1000 0 0 1100  10 0 1000 10 0 1100\n0 10 1000 0 10 1100  10 10 1000 10 10 1100 /\n"
               "ZCORN\n8*1000 /\n";
    }
    bool read = false;
    const std::string text = info::gridInfo(file.string(), read).text();
    EXPECT_FALSE(read);
    EXPECT_NE(text.find("\"outcome\": \"read\""), std::string::npos) << text;
    EXPECT_NE(text.find("\"gridLoaded\": false"), std::string::npos) << text;
    EXPECT_NE(text.find(std::string("\"builder_message\": \"") + grid_messages::CellSize + "\""), std::string::npos)
        << text;
    EXPECT_NE(text.find("\"layout_source\": null"), std::string::npos) << text;
}

// A turned, irregular export in local coordinates: laid out by SPECGRID, its active cells counted, its extents
// given in map and in local coordinates.
TEST(GridInfoReport, RealExportReportsItsLayoutSourceActiveCellsAndBothFrames)
{
    gen::GridOptions g = gen::realExportGrid("TURNED", 10, 8, 2);
    g.rotation = 25;
    g.inclination = 0;  // the first pillar then stands at the local origin
    const fs::path folder = fs::path(::testing::TempDir()) / "morvane_grid_info_turned";
    fs::remove_all(folder);
    bool loaded = false;
    const std::string text = info::gridInfo(gen::writeGrid(g, folder).front().string(), loaded).text();
    EXPECT_TRUE(loaded);
    const auto active = gen::activeCells(g);
    for (const std::string& part :
         {std::string("\"layout_source\": \"specgrid\""),
          "\"active_cells\": " + std::to_string(std::count(active.begin(), active.end(), 1)) + ",",
          std::string("\"mapaxes_applied\": true"), std::string("\"local_x_min\": -0."),
          std::string("\"local_y_min\": 0,"), std::string("\"map_y_min\": 6800,")})
        EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
}

// A property file: one object per property with what the import would make of it; with a grid's cell count, the
// check against the grid and the message of a refusal.
TEST(PropertyInfoReport, EachPropertyWithItsKindRangeCodesAndConformity)
{
    gen::PropertyFileOptions o;
    o.nx = 2, o.ny = 2, o.nz = 1;
    gen::PropertyDefinition poro;
    poro.keyword = "PORO", poro.name = "PORO", poro.minValue = -0.5, poro.maxValue = 0.25, poro.decimals = 2;
    gen::PropertyDefinition facies = poro;
    facies.keyword = "FACIES", facies.name = "Facies", facies.kind = gen::PropertyKind::Discrete, facies.codes = 2;
    gen::PropertyDefinition wide = poro;
    wide.name = "Wide", wide.valueCount = 6;
    o.properties = {poro, facies, wide};
    const std::string text = gen::propertyFileText(o);
    ASSERT_TRUE(info::isPropertyText(text));
    EXPECT_FALSE(info::isPropertyText("COORD\n1 2 3 /\n"));

    const auto values = gen::propertyValues(o, poro);
    const auto codes = gen::propertyValues(o, facies);
    const auto zeros = static_cast<long long>(std::count(codes.begin(), codes.end(), 0.0));
    const auto report = info::propertyInfo(text).objects;
    ASSERT_EQ(report.size(), 3u);
    EXPECT_EQ(report[0].text(), JsonObject([&] {
                                    JsonObject e;
                                    e.addString("name", "PORO");
                                    e.addString("keyword", "PORO");
                                    e.addInteger("line", splitPropertyText(text).at(0).line);
                                    e.addString("kind", "continuous");
                                    e.addInteger("count", 4);
                                    e.addNumber("min", *std::min_element(values.begin(), values.end()));
                                    e.addNumber("max", *std::max_element(values.begin(), values.end()));
                                    e.addInteger("undefined", 0);
                                    e.addString("scale", "linear");
                                    return e;
                                }())
                                    .text());
    std::string expectedCodes = "\"codes\": {";
    if (zeros > 0) expectedCodes += "\"0\": " + std::to_string(zeros) + (zeros < 4 ? ", " : "");
    if (zeros < 4) expectedCodes += "\"1\": " + std::to_string(4 - zeros);
    EXPECT_NE(report[1].text().find("\"kind\": \"discrete\", \"count\": 4"), std::string::npos) << report[1].text();
    EXPECT_NE(report[1].text().find(expectedCodes + "}}"), std::string::npos) << report[1].text();
    EXPECT_NE(report[2].text().find("\"count\": 6"), std::string::npos);

    const std::string checked = info::jsonArray(info::propertyInfo(text, 4, "p.GRDECL").objects);
    EXPECT_EQ(checked.front(), '[');
    EXPECT_NE(checked.find("\"conformity\": \"accepted\", \"message\": \"\""), std::string::npos) << checked;
    EXPECT_NE(checked.find(std::string("\"conformity\": \"rejected\", \"message\": \"") + property_texts::MismatchEn),
              std::string::npos)
        << checked;
    EXPECT_EQ(checked.find("rejected"), checked.rfind("rejected"));  // the wide one only

    // Plain keyword blocks are properties only against a grid: those of one value per cell, as the viewer takes
    // them, codes written with a point included.
    const std::string blocks = "PORO\n 0.1 0.2 0.3 0.4 /\nSHORT\n 1 2 /\nFACIES\n 1.0 2 2*3 /\n";
    EXPECT_TRUE(info::propertyInfo(blocks).objects.empty());
    const auto fromBlocks = info::propertyInfo(blocks, 4, "b.GRDECL").objects;
    ASSERT_EQ(fromBlocks.size(), 3u);  // the two properties, then the block left out
    EXPECT_EQ(fromBlocks[2].text(),
              "{\"name\": \"SHORT\", \"line\": 3, \"conformity\": \"dropped\", \"message\": "
              "\"SHORT (b.GRDECL, line 3) was not loaded: it holds 2 values, the grid has 4 "
              "cells\"}");
    EXPECT_NE(fromBlocks[0].text().find("\"keyword\": \"PORO\", \"line\": 1, \"kind\": \"continuous\""),
              std::string::npos)
        << fromBlocks[0].text();
    EXPECT_NE(fromBlocks[1].text().find(
                  "\"kind\": \"discrete\", \"count\": 4, \"min\": 1, \"max\": 3, "
                  "\"undefined\": 0, \"codes\": {\"1\": 1, \"2\": 1, \"3\": 2}, \"conformity\": \"accepted\""),
              std::string::npos)
        << fromBlocks[1].text();

    // Codes named in comment lines beside their block are listed after the codes, names escaped.
    const std::string named = "-- CODE NAME\n-- 1 Sand\n-- 3 \"Tight\" shale\nFACIES\n 1 1 3 3 /\n";
    const std::string namedReport = info::jsonArray(info::propertyInfo(named, 4, "n.GRDECL").objects);
    EXPECT_NE(namedReport.find("\"codes\": {\"1\": 2, \"3\": 2}, "
                               "\"codeNames\": {\"1\": \"Sand\", \"3\": \"\\\"Tight\\\" shale\"}"),
              std::string::npos)
        << namedReport;

    // What the exit status tells: how many properties fit the grid, none when every one is refused; a property
    // written with exponents only is continuous here as in the viewer.
    EXPECT_EQ(info::propertyInfo(text, 4, "p.GRDECL").accepted, 2);
    EXPECT_EQ(info::propertyInfo(text, 5, "p.GRDECL").accepted, 0);
    EXPECT_EQ(info::propertyInfo(text, 5, "p.GRDECL").properties, 3);
    const std::string exponents = "PORO\n-- Property name in Petrel : P\n 2*5E-1 2*25D-2\n /\n";
    EXPECT_NE(info::jsonArray(info::propertyInfo(exponents).objects)
                  .find("\"kind\": \"continuous\", \"count\": 4, "
                        "\"min\": 0.25, \"max\": 0.5"),
              std::string::npos);

    // Markers of no value, standard or declared by the file, are counted apart from the values; a permeability is
    // reported on the logarithmic scale the viewer starts it on.
    const std::string marked =
        "-- NULL value = -5\nPERMX\n-- Property name in Petrel : Perm\n 10 2*-999.25 -5 "
        "1.0D+20 250.5\n /\nFACIES\n-- Property name in Petrel : F\n 1 -999 2 2 -5 1\n /\n";
    const std::string markedReport = info::jsonArray(info::propertyInfo(marked).objects);
    EXPECT_NE(markedReport.find("\"count\": 6, \"min\": 10, \"max\": 250.5, \"undefined\": 4, \"scale\": \"log\""),
              std::string::npos)
        << markedReport;
    EXPECT_NE(markedReport.find("\"undefined\": 2, \"codes\": {\"1\": 2, \"2\": 2}"), std::string::npos)
        << markedReport;
}

}  // namespace

namespace morvane::info {
namespace {

TEST(WellInfo, NameColumnsPreselectionAndEndRowsOfBothLayouts)
{
    morvane::testing::TempFolder folder;
    gen::WellOptions o;
    o.name = "Скв-5";
    o.encoding = gen::TextEncoding::Windows1251;
    o.gridNorthColumn = true;
    o.lineEnd = gen::LineEnd::CRLF;
    o.totalDepth = 100;
    const std::string path = gen::writeWellFile(o, folder.file("old.txt")).string();
    ASSERT_TRUE(isWellFile(path));
    bool loadable = false;
    const std::string text = wellInfo(path, loadable).text();
    EXPECT_TRUE(loadable);
    EXPECT_NE(text.find("\"layout\": \"export\", \"name\": \"Скв-5\""), std::string::npos) << text;
    EXPECT_NE(text.find("\"AZIM_TN\", \"INCL\", \"DLS\", \"AZIM_GN\"], \"rows\": 11, \"md\": 0, \"x\": 1, \"y\": 2, "
                        "\"z\": 3, \"first\": [0, 0, 0, 25, 0,"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("\"last\": [100, 0, 0, -75, 100,"), std::string::npos) << text;

    o.layout = gen::WellLayout::Foreign;
    const std::string foreign = gen::wellFileText(o);
    EXPECT_NE(wellInfoFromText(foreign, loadable).text().find("\"layout\": \"foreign\""), std::string::npos);
    EXPECT_FALSE(loadable);
    EXPECT_FALSE(isWellFile(folder.file("none.dev").string()));
}

}  // namespace
}  // namespace morvane::info
