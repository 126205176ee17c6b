// The program's command line: what the arguments ask for, and the reasons wrong ones are refused.
#include <gtest/gtest.h>

#include <filesystem>

#include "commands/command_line.h"
#include "tests/support/temp_folder.h"

namespace morvane {
namespace {

TEST(CommandLineArguments, GridSnapshotAndSize)
{
    std::string error;
    auto cl = parseCommandLine({"model.GRDECL", "--snapshot", "out.png", "--size", "640x480"}, &error);
    ASSERT_TRUE(cl.has_value()) << error;
    EXPECT_EQ(cl->gridFile, "model.GRDECL");
    EXPECT_EQ(cl->snapshotFile, "out.png");
    EXPECT_EQ(cl->width, 640);
    EXPECT_EQ(cl->height, 480);

    cl = parseCommandLine({"m.GRDECL", "w.dev", "--snapshot", "s.png", "--section", "W-1,Скв 2,W-3"}, &error);
    ASSERT_TRUE(cl.has_value()) << error;
    EXPECT_EQ(cl->sectionWells, (std::vector<std::string>{"W-1", "Скв 2", "W-3"}));

    cl = parseCommandLine({"m.GRDECL", "--turn", "-45,5", "--layer", "3", "--eight-layers", "--exaggeration", "1.5",
                           "--pick", "0,767", "--snapshot", "s.png"},
                          &error);
    ASSERT_TRUE(cl.has_value()) << error;
    EXPECT_EQ(cl->view, SnapshotView::Layer);
    EXPECT_EQ(cl->layer, 3);
    EXPECT_TRUE(cl->eightLayers);
    EXPECT_FLOAT_EQ(cl->turnDegrees, -45.5f);
    EXPECT_EQ(cl->exaggeration, 1.5f);
    EXPECT_EQ(cl->pickPixel, (std::pair{0, 767}));

    cl = parseCommandLine({}, &error);
    ASSERT_TRUE(cl.has_value());
    EXPECT_TRUE(cl->gridFile.empty());
    EXPECT_EQ(cl->width, 1024);
    EXPECT_EQ(cl->height, 768);
}

TEST(CommandLineArguments, FilesAfterTheGridAreToldApartByContent)
{
    std::string error;
    const auto cl = parseCommandLine({"m.GRDECL", "a.txt", "--size", "640x480", "--property", "PORO", "b.dev"}, &error);
    ASSERT_TRUE(cl.has_value()) << error;
    EXPECT_EQ(cl->dataFiles, (std::vector<std::string>{"a.txt", "b.dev"}));
    EXPECT_EQ(cl->propertyName, "PORO");

    testing::TempFolder folder;
    const std::string well = testing::writeText(folder.file("well.txt"), "# WELL NAME: W\r\n  MD X Y Z\r\n0 1 2 3\r\n");
    const std::string grid = testing::writeText(folder.file("grid.dev"), "SPECGRID\n 1 1 1 1 F /\nCOORD\n");
    // Saved as "Unicode" (UTF-16, big-endian here): told apart by the same lines.
    std::string wide = "\xFE\xFF";
    for (const char c : std::string("# WELL NAME: W\r\n  MD X Y Z\r\n0 1 2 3\r\n")) wide += {'\0', c};
    const std::string wideWell = testing::writeText(folder.file("wide.txt"), wide);
    // Lines ended by a carriage return alone (old Macintosh text): the same.
    const std::string macWell = testing::writeText(folder.file("mac.dev"), "# WELL NAME: W\r  MD X Y Z\r0 1 2 3\r");
    const DataFileKinds kinds = sortDataFiles({grid, well, folder.file("none.dev").string(), wideWell, macWell});
    EXPECT_EQ(kinds.wells, (std::vector<std::string>{well, wideWell, macWell}));
    EXPECT_EQ(kinds.others, (std::vector<std::string>{grid}));
    EXPECT_EQ(kinds.unreadable, (std::vector<std::string>{folder.file("none.dev").string()}));
}

TEST(CommandLineArguments, ContactDepthsTakeEitherSeparator)
{
    std::string error;
    const auto cl = parseCommandLine({"m.GRDECL", "--owc", "1520,5", "--goc", "1480.25"}, &error);
    ASSERT_TRUE(cl.has_value()) << error;
    EXPECT_EQ(cl->owcDepth, 1520.5);
    EXPECT_EQ(cl->gocDepth, 1480.25);
    EXPECT_FALSE(parseCommandLine({"m.GRDECL"}, &error)->owcDepth.has_value());

    auto filtered = parseCommandLine({"m.GRDECL", "p.GRDECL", "--snapshot", "s.png", "--filter-above", "0,15"}, &error);
    ASSERT_TRUE(filtered.has_value()) << error;
    EXPECT_EQ(filtered->filterCut, 0.15f);
    EXPECT_TRUE(filtered->filterAbove);
    // A cut of 0 is a cut; a range and codes are filters of their own, each the snapshot's one view.
    EXPECT_EQ(parseCommandLine({"m.GRDECL", "p.GRDECL", "--snapshot", "s.png", "--filter", "0"}, &error)->filterCut,
              0.0f);
    const auto range = parseCommandLine({"m.GRDECL", "p.GRDECL", "--snapshot", "s.png", "--filter-range", "-0.5,2e3",
                                         "--log-scale", "PERMX", "--linear-scale", "KZ"},
                                        &error);
    ASSERT_TRUE(range.has_value()) << error;
    EXPECT_EQ(range->filterRange, (std::pair<double, double>{-0.5, 2000}));
    EXPECT_EQ(range->view, SnapshotView::Filter);
    EXPECT_EQ(range->logScale, std::vector<std::string>{"PERMX"});
    EXPECT_EQ(range->linearScale, std::vector<std::string>{"KZ"});
    EXPECT_EQ(parseCommandLine({"m.GRDECL", "p.GRDECL", "--snapshot", "s.png", "--filter-codes", "3,-1"}, &error)
                  ->filterCodes,
              (std::vector<int>{3, -1}));

    // By region: the property's name up to the last colon, a depth per code.
    const auto regional =
        parseCommandLine({"m.GRDECL", "--snapshot", "s.png", "--goc-regions", "FIP:NUM:-2=1500,7=1620.5"}, &error);
    ASSERT_TRUE(regional.has_value()) << error;
    ASSERT_TRUE(regional->gocRegions.has_value());
    EXPECT_EQ(regional->gocRegions->property, "FIP:NUM");
    EXPECT_EQ(regional->gocRegions->depths, (std::vector<std::pair<int, double>>{{-2, 1500}, {7, 1620.5}}));
    EXPECT_FALSE(regional->owcRegions.has_value());
}

TEST(CommandLineArguments, TheDemoModelIsItsGridPropertiesAndWells)
{
    std::string error;
    auto cl = parseCommandLine({"--demo", "--snapshot", "d.png"}, &error);
    ASSERT_TRUE(cl.has_value()) << error;
    EXPECT_TRUE(cl->demo);
    const std::filesystem::path demo =
        std::filesystem::path(MORVANE_TEST_DATA_DIR) / ".." / ".." / "resources" / "demo";
    openDemoModel(*cl, demo);
    EXPECT_EQ(cl->gridFile, (demo / "DEMO.GRDECL").string());
    EXPECT_EQ(cl->propertyName, "PORO");
    EXPECT_EQ(cl->snapshotFile, "d.png");
    // The files exist as named, and their content tells the four wells from the property file.
    EXPECT_TRUE(std::filesystem::is_regular_file(cl->gridFile));
    const DataFileKinds kinds = sortDataFiles(cl->dataFiles);
    EXPECT_EQ(kinds.wells.size(), 4u);
    EXPECT_EQ(kinds.others, (std::vector<std::string>{(demo / "DEMO_props.GRDECL").string()}));
    EXPECT_TRUE(kinds.unreadable.empty());

    // A property named with --demo is one of the demo's.
    cl = parseCommandLine({"--demo", "--property", "Facies"}, &error);
    ASSERT_TRUE(cl.has_value()) << error;
    openDemoModel(*cl, demo);
    EXPECT_EQ(cl->propertyName, "Facies");

    cl = parseCommandLine({"--version"}, &error);
    ASSERT_TRUE(cl.has_value()) << error;
    EXPECT_TRUE(cl->version);
}

TEST(CommandLineArguments, WrongArgumentsAreRefusedWithAReason)
{
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--snapshot"},
                                                 {"--size", "640"},
                                                 {"--size", "0x480"},
                                                 {"--size", "640x-2"},
                                                 {"--size", "64ox480"},
                                                 {"a.GRDECL", "--property"},
                                                 {"a.GRDECL", "--property", "PORO"},
                                                 {"--frobnicate"},
                                                 {"--owc"},
                                                 {"--owc", "deep"},
                                                 {"--goc", "0"},
                                                 {"--owc", "-2010"},  // a level above datum, not a depth
                                                 {"--owc", "1e300"},
                                                 {"--goc", "nan"},
                                                 {"--snapshot", "s.png", "--section"},
                                                 {"--snapshot", "s.png", "--section", "W-1,,W-2"},
                                                 {"--snapshot", "s.png", "--section", "W-1,"},
                                                 {"--section", "W-1,W-2"},
                                                 {"--snapshot", "s.png", "--filter", "none"},
                                                 {"--snapshot", "s.png", "--filter-range", "0.3,0.1"},
                                                 {"--snapshot", "s.png", "--filter-range", "0.1"},
                                                 {"--snapshot", "s.png", "--filter-range", "0.1,x"},
                                                 {"--snapshot", "s.png", "--filter-codes", "1,,3"},
                                                 {"--snapshot", "s.png", "--filter-codes", "1.5"},
                                                 {"--snapshot", "s.png", "--filter-codes", "1", "--filter", "2"},
                                                 {"m.GRDECL", "p.GRDECL", "--filter-codes", "1"},
                                                 {"m.GRDECL", "--log-scale"},
                                                 {"--snapshot", "s.png", "--filter", "1e39"},
                                                 {"--snapshot", "s.png", "--filter", "0.1", "--filter-above", "0.2"},
                                                 {"m.GRDECL", "p.GRDECL", "--filter", "0.1"},
                                                 {"--snapshot", "s.png", "--layer", "0"},
                                                 {"--snapshot", "s.png", "--layer", "2x"},
                                                 {"--snapshot", "s.png", "--eight-layers"},
                                                 {"--snapshot", "s.png", "--flat", "--top"},
                                                 {"--snapshot", "s.png", "--layer", "2", "--section", "W-1"},
                                                 {"--snapshot", "s.png", "--filter", "0.1", "--flat"},
                                                 {"--snapshot", "s.png", "--turn", "400"},
                                                 {"m.GRDECL", "--flat"},
                                                 {"m.GRDECL", "--turn", "30"},
                                                 {"--snapshot", "s.png", "--exaggeration", "0"},
                                                 {"m.GRDECL", "--exaggeration", "2"},
                                                 {"--snapshot", "s.png", "--pick", "5"},
                                                 {"--snapshot", "s.png", "--pick", "-1,5"},
                                                 {"--snapshot", "s.png", "--pick", "1024,5"},
                                                 {"--snapshot", "s.png", "--size", "64x48", "--pick", "10,48"},
                                                 {"--snapshot", "s.png", "--section", "W-1", "--pick", "1,1"},
                                                 {"--snapshot", "s.png", "--owc-regions", "R:1=2000,1=2100"},
                                                 {"--snapshot", "s.png", "--owc-regions", "R:1=0"},
                                                 {"--snapshot", "s.png", "--owc-regions", "R:1=-2000"},
                                                 {"--snapshot", "s.png", "--owc-regions", "R:1.5=2000"},
                                                 {"--snapshot", "s.png", "--owc-regions", "R:1=2000,"},
                                                 {"--snapshot", "s.png", "--owc-regions", ":1=2000"},
                                                 {"--snapshot", "s.png", "--owc-regions", "R"},
                                                 {"--snapshot", "s.png", "--owc", "2000", "--owc-regions", "R:1=2000"},
                                                 {"m.GRDECL", "--goc-regions", "R:1=2000"},
                                                 {"--demo", "m.GRDECL"}}) {
        std::string error;
        EXPECT_FALSE(parseCommandLine(args, &error).has_value()) << args.front();
        EXPECT_FALSE(error.empty());
    }
}

}  // namespace
}  // namespace morvane
