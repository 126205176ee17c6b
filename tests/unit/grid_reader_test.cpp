// The GRDECL grid reader: both layouts, the four outcomes, the stages, and the rules for keywords, signs and
// repeats that real exports need.
#include "io/grid_reader.h"
#include "io/data_file_kind.h"
#include "io/file_text.h"
#include "io/mapped_file.h"
#include "tests/support/temp_folder.h"
#include "tests/support/text_fixtures.h"
#include "tools/generator/model_generator.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace morvane {
namespace {

const std::string kDataDir = std::string(MORVANE_TEST_DATA_DIR) + "/grid";
const std::string kInlinePath = "/nonexistent-folder/MODEL.GRDECL";

using Values = std::vector<double>;

// The 1 x 1 x 1 model of the fixtures: four pillars at negative local x, depths 1842.812012 to 2001.84375.
const char* const kPillars =
    "  -7975.734564 6189.708825 1842.812012 -7975.734564 6189.708825 2001.84375\n"
    "  -7925.734564 6189.708825 1842.812012 -7925.734564 6189.708825 2001.84375\n"
    "  -7975.734564 6239.708825 1842.812012 -7975.734564 6239.708825 2001.84375\n"
    "  -7925.734564 6239.708825 1842.812012 -7925.734564 6239.708825 2001.84375\n";

Values expectedPoints()
{
    Values v;
    for (double y : {6189.708825, 6239.708825}) {
        for (double x : {-7975.734564, -7925.734564}) {
            for (double z : {1842.812012, 2001.84375}) {
                v.insert(v.end(), {x / 1000, y / 1000, -z / 1000});
            }
        }
    }
    return v;
}

Values expectedLinesXY()
{
    Values v;
    for (double y : {6189.708825, 6239.708825}) {
        for (double x : {-7975.734564, -7925.734564}) v.insert(v.end(), {x / 1000, y / 1000, x / 1000, y / 1000});
    }
    return v;
}

const Values kModelDepths{-1.8505, -1.8505, -1.8505, -1.8505, -1.90025, -1.90025, -1.90025, -1.90025};

// The grid of the model shown before a read: the import puts a read's grid in its place only when the read
// succeeded, so a failed read must leave it exactly as it was and give back no part of a grid.
CornerPointInput previousGrid()
{
    CornerPointInput g;
    g.pillars = {1, 2, -3, 1, 2, -4};
    g.pillarXY = {1, 2, 1, 2};
    g.cornerDepths = {-3, -3};
    return g;
}

void expectUnchanged(const CornerPointInput& g)
{
    const CornerPointInput before = previousGrid();
    EXPECT_EQ(g.pillars, before.pillars);
    EXPECT_EQ(g.pillarXY, before.pillarXY);
    EXPECT_EQ(g.cornerDepths, before.cornerDepths);
}

struct Read {
    GridReadResult result;
    CornerPointInput grid;
    std::vector<std::pair<GridReadStage, bool>> stages;
};

// The shown grid after a read as the import treats it: replaced by a successful read, else kept; a failed read
// holds no arrays.
void takeRead(Read& r)
{
    if (r.result.outcome == GridReadOutcome::Read) {
        r.grid = std::move(r.result.grid);
        return;
    }
    EXPECT_TRUE(r.result.grid.pillars.empty() && r.result.grid.cornerDepths.empty() && r.result.grid.actnum.empty());
}

Read readText(const std::string& text, const std::string& path = kInlinePath)
{
    Read r;
    r.grid = previousGrid();
    r.result = readGridText(path, text, [&](GridReadStage s, bool include) { r.stages.emplace_back(s, include); });
    takeRead(r);
    return r;
}

Read readFile(const std::string& path)
{
    Read r;
    r.grid = previousGrid();
    r.result = readGridFile(path, [&](GridReadStage s, bool include) { r.stages.emplace_back(s, include); });
    takeRead(r);
    return r;
}

// The warnings one a line, for failure messages.
std::string warningsOf(const Read& r)
{
    std::string text;
    for (const LocalMessage& w : r.result.warnings) text += w.en + "\n";
    return text;
}

std::vector<std::pair<GridReadStage, bool>> allStages(bool include)
{
    std::vector<std::pair<GridReadStage, bool>> v;
    for (GridReadStage s : {GridReadStage::LayoutDecided, GridReadStage::CoordRead, GridReadStage::ZcornCut,
                            GridReadStage::StarsReplaced, GridReadStage::ZcornScanned, GridReadStage::ZcornExpanded}) {
        v.emplace_back(s, include);
    }
    return v;
}

void expectFixtureModel(const Read& r)
{
    ASSERT_EQ(r.result.outcome, GridReadOutcome::Read) << r.result.message.en;
    EXPECT_EQ(r.grid.pillars, expectedPoints());
    EXPECT_EQ(r.grid.pillarXY, expectedLinesXY());
    EXPECT_EQ(r.grid.cornerDepths, kModelDepths);
}

// A direct-layout export as real tools write it: header keywords, the keyword line with a trailing comment,
// numbers on the following lines.
std::string directExport()
{
    return std::string(
               "-- Exported by : Petrel\n"
               "SPECGRID                               -- Generated : Petrel\n"
               "  1 1 1 1 F /\n\n"
               "COORDSYS                               -- Generated : Petrel\n"
               "  1 1 'INCOMP  ' /\n\n"
               "COORD                                  -- Generated : Petrel\n") +
           kPillars +
           "  /\n\n"
           "ZCORN                                  -- Generated : Petrel\n"
           "  4*1850.5 2*1900.25\n"
           "  1900.25 1900.25\n"
           "  /\n";
}

TEST(GridReaderDirect, ReadsARealExportWithLfOrCrlf)
{
    for (const std::string& text : {directExport(), test::withCrlf(directExport())}) {
        const Read r = readText(text);
        expectFixtureModel(r);
        EXPECT_FALSE(r.result.includeLayout);
        EXPECT_EQ(r.stages, allStages(false));
    }
}

TEST(GridReaderDirect, KeywordAloneOnItsLineOrFollowedByNumbersOnTheSameLine)
{
    // Exports put the keyword alone on its line, so a line break ends the keyword just as a blank does.
    const Read own = readText("COORD\n1 2 3 4 5 6\n/\nZCORN\n7 /");
    ASSERT_EQ(own.result.outcome, GridReadOutcome::Read);
    EXPECT_EQ(own.grid.pillars, (Values{0.001, 0.002, -0.003, 0.004, 0.005, -0.006}));
    EXPECT_EQ(own.grid.cornerDepths, (Values{-0.007}));

    const Read same = readText("COORD 1 2 3 4 5 6 / ZCORN 7 8 /");
    EXPECT_EQ(same.grid.pillars, own.grid.pillars);
    EXPECT_EQ(same.grid.cornerDepths, (Values{-0.007, -0.008}));

    const Read crlf = readText("COORD\r\n1 2 3 4 5 6\r\n/\r\nZCORN\r\n7\r\n/\r\n");
    EXPECT_EQ(crlf.grid.pillars, own.grid.pillars);
    EXPECT_EQ(crlf.grid.cornerDepths, (Values{-0.007}));
}

TEST(GridReaderDirect, KeywordsInCommentsOrInsideOtherWordsAreNotSections)
{
    // A keyword is a whole word outside "--" comments: keywords named in comments, COORDSYS, and the numbers in the
    // comment that follows a keyword on its line are no part of any section.
    const Read r = readText(
        "-- ZCORN 10 and COORD 20 are described below\n"
        "COORDSYS\n 1 1 /\n"
        "COORD   -- Generated : 2 ZCORN 3 /\n"
        "1 2 3 4 5 6 /\n"
        "-- ZCORN 99 99\n"
        "ZCORN -- 7 ZCORN 8\n"
        "2500 /\n");
    ASSERT_EQ(r.result.outcome, GridReadOutcome::Read);
    EXPECT_EQ(r.grid.pillars, (Values{0.001, 0.002, -0.003, 0.004, 0.005, -0.006}));
    EXPECT_EQ(r.grid.cornerDepths, (Values{-2.5}));
}

TEST(GridReaderDirect, SignsAreKept)
{
    // x, y as value / 1000 and z as -value / 1000, with the file's signs.
    const Read r = readText("COORD\n-612345 -6189.5 1500 612345 6189.5 -20 /\nZCORN\n1500 -5 2*-40 /");
    ASSERT_EQ(r.result.outcome, GridReadOutcome::Read);
    EXPECT_EQ(r.grid.pillars, (Values{-612.345, -6.1895, -1.5, 612.345, 6.1895, 0.02}));
    EXPECT_EQ(r.grid.pillarXY, (Values{-612.345, -6.1895, 612.345, 6.1895}));
    EXPECT_EQ(r.grid.cornerDepths, (Values{-1.5, 0.005, 0.04, 0.04}));
}

TEST(GridReaderDirect, OnlyStarTokensRepeatAndPlainNumbersAreDepths)
{
    const Read r = readText("COORD 0 0 0 0 0 0 /\nZCORN\n4*2500.5 1*2500 2500 950 0 1 0*7 1500*3000.5 /");
    ASSERT_EQ(r.result.outcome, GridReadOutcome::Read);
    Values depths{-2.5005, -2.5005, -2.5005, -2.5005, -2.5, -2.5, -0.95, -0.0, -0.001};
    depths.insert(depths.end(), 1500, -3.0005);
    EXPECT_EQ(r.grid.cornerDepths, depths);
}

TEST(GridReaderDirect, ARepeatAloneIsExpanded)
{
    const GridReadResult result = readGridText("model.GRDECL", "COORD 0 0 0 0 0 0 /\nZCORN 2*2500 /");
    ASSERT_EQ(result.outcome, GridReadOutcome::Read);
    EXPECT_EQ(result.grid.cornerDepths, (Values{-2.5, -2.5}));
}

TEST(GridReaderDirect, RepeatsInCoord)
{
    // A flat export compresses equal coordinates into n*v repeats, in COORD as in ZCORN.
    const Read r = readText("COORD\n2*0 2000 3*10 /\nZCORN 1 /");
    ASSERT_EQ(r.result.outcome, GridReadOutcome::Read);
    EXPECT_EQ(r.grid.pillars, (Values{0, 0, -2, 0.01, 0.01, -0.01}));
    EXPECT_EQ(r.grid.pillarXY, (Values{0, 0, 0.01, 0.01}));
}

TEST(GridReaderDirect, BigDepthsAndNumberForms)
{
    const Read r = readText("COORD 1 2 3 4 5 6 /\nZCORN\n123456789.5 2.5E+03 +1850 .5 8e3 2500.25/ 1 2 3");
    ASSERT_EQ(r.result.outcome, GridReadOutcome::Read);
    EXPECT_EQ(r.grid.cornerDepths, (Values{-123456.7895, -2.5, -1.85, -0.0005, -8, -2.50025}));
}

TEST(GridReaderDirect, SectionsWithoutSlashEndAtTheFirstWord)
{
    // COORD has no "/": its scan ends at the ZCORN keyword; ZCORN runs to the end of the text.
    const Read r = readText("COORD\n1 2 3 4 5 6\nZCORN\n1850 1900");
    ASSERT_EQ(r.result.outcome, GridReadOutcome::Read);
    EXPECT_EQ(r.grid.pillars.size(), 6u);
    EXPECT_EQ(r.grid.cornerDepths, (Values{-1.85, -1.9}));
    ASSERT_EQ(r.result.warnings.size(), 2u) << warningsOf(r);
    EXPECT_EQ(r.result.warnings[0].en, "The COORD section of " + kInlinePath +
                                           " (line 1) has no closing \"/\": it is taken to end where ZCORN starts, on "
                                           "line 3.");

    // A keyword on a line of its own ends a section whose "/" was lost, with a warning; a keyword amid the numbers
    // is a damaged section, refused naming the line and the word.
    const Read line = readText("COORD 1 2 3 4 5 6 /\nZCORN\n1850 1900\nACTNUM 1 1 /");
    ASSERT_EQ(line.result.outcome, GridReadOutcome::Read);
    EXPECT_EQ(line.grid.cornerDepths, (Values{-1.85, -1.9}));
    ASSERT_EQ(line.result.warnings.size(), 1u) << warningsOf(line);
    EXPECT_EQ(line.result.warnings[0].en, "The ZCORN section of " + kInlinePath +
                                              " (line 2) has no closing \"/\": it is taken to end where ACTNUM starts, "
                                              "on line 4.");
    const Read word = readText("COORD 1 2 3 4 5 6 /\nZCORN\n1850 1900 ACTNUM 1 1 /");
    ASSERT_EQ(word.result.outcome, GridReadOutcome::Refused);
    EXPECT_EQ(word.result.message.en, "The ZCORN section of " + kInlinePath +
                                          " stops at line 3 at the word \"ACTNUM\", which is not a number.");
    expectUnchanged(word.grid);
}

TEST(GridReaderDirect, ZcornBeforeCoordAndMissingZcorn)
{
    const Read before = readText("ZCORN\n1850 /\nCOORD\n1 2 3 4 5 6 /\n");
    ASSERT_EQ(before.result.outcome, GridReadOutcome::Read);
    EXPECT_EQ(before.grid.cornerDepths, (Values{-1.85}));
    EXPECT_EQ(before.grid.pillars.size(), 6u);

    // Without ZCORN the grid is refused with a message of its own, after every stage; nothing changes.
    const Read none = readText("COORD\n1 2 3 4 5 6 /\n");
    ASSERT_EQ(none.result.outcome, GridReadOutcome::Refused);
    EXPECT_EQ(none.result.message.en, "The grid in " + kInlinePath + " has a COORD section but no ZCORN section.");
    EXPECT_EQ(none.stages, allStages(false));
    expectUnchanged(none.grid);
}

TEST(GridReaderDirect, GarbageAndEmptyTextsAreNotGrids)
{
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary += static_cast<char>((i * 7919 + 13) % 256);
    for (const std::string& text :
         {std::string(), std::string("\r\n\r\n"), std::string("hello world 1 2 3"), std::string("COORDINATES 1 2 3 /"),
          std::string("ZCORN 1 2 /"), binary, std::string("-- COORD 1 2 3 4 5 6 /\n")}) {
        const Read r = readText(text);
        EXPECT_EQ(r.result.outcome, GridReadOutcome::NotAGrid) << text;
        EXPECT_NE(r.result.message.en.find(kInlinePath), std::string::npos) << r.result.message.en;
        EXPECT_TRUE(r.stages.empty());
        expectUnchanged(r.grid);
    }
    // A COORD keyword with garbage among its numbers is refused at the first word that is no number: the COORD
    // section is blamed, not ZCORN.
    const Read garbage = readText("COORD\n1 2 abc 3 /\nZCORN\n\x01\x02 /");
    ASSERT_EQ(garbage.result.outcome, GridReadOutcome::Refused);
    EXPECT_EQ(garbage.result.message.en,
              "The COORD section of " + kInlinePath + " stops at line 2 at the word \"abc\", which is not a number.");
    expectUnchanged(garbage.grid);
    // Whole words that are numbers but no whole pillar: the count is blamed.
    const Read partial = readText("COORD\n1 2 /\nZCORN\n1 /");
    ASSERT_EQ(partial.result.outcome, GridReadOutcome::Refused);
    EXPECT_EQ(partial.result.message.en, "The COORD section of " + kInlinePath +
                                             " (line 1) holds 2 values; a pillar takes 6, so 0 or 6 were expected.");
}

TEST(GridReaderDirect, AbsurdRepeatCountsAreRefusedWithoutChangingTheGrid)
{
    for (const std::string& text : {std::string("COORD 1 2 3 4 5 6 /\nZCORN\n4000000000*2500 /"),
                                    std::string("COORD 1 2 3 4 5 6 /\nZCORN\n99999999999999999999999*2500 /"),
                                    std::string("COORD\n3000000000*1 /\nZCORN 1 /")}) {
        const Read r = readText(text);
        EXPECT_EQ(r.result.outcome, GridReadOutcome::NotAGrid);
        EXPECT_NE(r.result.message.en.find("values"), std::string::npos) << r.result.message.en;
        expectUnchanged(r.grid);
    }
}

TEST(GridReaderInclude, RealExportLayoutWithCrlf)
{
    // INCLUDE alone on its line, the name on the next; the ACTNUM file it names last is absent and not needed.
    const Read r = readFile(kDataDir + "/include_crlf/FIELD.GRDECL");
    expectFixtureModel(r);
    EXPECT_TRUE(r.result.includeLayout);
    EXPECT_EQ(r.stages, allStages(true));
}

TEST(GridReaderInclude, NamesInAnyOrderWithAnyExtensionQuotedOrBare)
{
    // ZCORN named before COORD, a quoted name in a subfolder, a bare .grd name, and an absent ACTNUM file named
    // first: every named file is searched for the sections, whatever its name, extension or place in the list.
    const Read r = readFile(kDataDir + "/include_any_order/MODEL.GRDECL");
    expectFixtureModel(r);
    EXPECT_TRUE(r.result.includeLayout);
    EXPECT_EQ(r.stages, allStages(true));
}

TEST(GridReaderInclude, MainTextHoldingASectionItselfAndNamesResolvedAgainstItsFolder)
{
    // readGridText resolves names against the folder of the path it is given, not the working directory.
    const std::string folder = kDataDir + "/include_any_order/";
    const Read r =
        readText(std::string("COORD\n") + kPillars + "/\nINCLUDE 'parts/depths.inc' /\n", folder + "OTHER.GRDECL");
    expectFixtureModel(r);
    EXPECT_TRUE(r.result.includeLayout);

    // With both sections in the main text, an absent included file (for ACTNUM, say) does not stop the load: it
    // is named in a warning.
    const Read direct = readText(directExport() + "INCLUDE\n'ABSENT_ACTNUM.GRDECL' /\n", folder + "OTHER.GRDECL");
    expectFixtureModel(direct);
    ASSERT_EQ(direct.result.warnings.size(), 1u) << warningsOf(direct);
    EXPECT_EQ(direct.result.warnings[0].en, "Cannot read the included file " + folder +
                                                "ABSENT_ACTNUM.GRDECL; the grid is read without it. (INCLUDE in " +
                                                folder + "OTHER.GRDECL, line 19: There is no file " + folder +
                                                "ABSENT_ACTNUM.GRDECL.)");
}

TEST(GridReaderInclude, MissingIncludedFileIsNamedAndChangesNothing)
{
    const Read r = readFile(kDataDir + "/include_missing/BROKEN.GRDECL");
    EXPECT_EQ(r.result.outcome, GridReadOutcome::MissingInclude);
    EXPECT_NE(r.result.message.en.find("BROKEN_COORD.GRDECL"), std::string::npos) << r.result.message.en;
    EXPECT_TRUE(r.stages.empty());
    expectUnchanged(r.grid);

    const Read inline_ = readText("INCLUDE\n'GONE_COORD.GRDECL' /\nINCLUDE 'GONE_ZCORN.GRDECL' /\n");
    EXPECT_EQ(inline_.result.outcome, GridReadOutcome::MissingInclude);
    EXPECT_NE(inline_.result.message.en.find("GONE_COORD.GRDECL"), std::string::npos);
    expectUnchanged(inline_.grid);
}

TEST(GridReaderInclude, IncludedFilesWithoutCoordStopOrAreNotAGrid)
{
    // The ZCORN file is there but no file holds COORD: stopped, after the layout stage only.
    const Read stopped = readFile(kDataDir + "/include_no_coord/NOCOORD.GRDECL");
    EXPECT_EQ(stopped.result.outcome, GridReadOutcome::Stopped);
    EXPECT_EQ(stopped.stages, (std::vector<std::pair<GridReadStage, bool>>{{GridReadStage::LayoutDecided, true}}));
    expectUnchanged(stopped.grid);

    // Only files without either section: not a grid. Names that name nothing are not include statements.
    const Read neither = readText("INCLUDE 'NOCOORD_COORD.GRDECL' /\n", kDataDir + "/include_no_coord/NOCOORD.GRDECL");
    EXPECT_EQ(neither.result.outcome, GridReadOutcome::NotAGrid);
    EXPECT_TRUE(neither.stages.empty());
    expectUnchanged(neither.grid);
    const Read commented = readText("-- INCLUDE 'X_COORD.GRDECL' /\n", kDataDir + "/include_no_coord/NOCOORD.GRDECL");
    EXPECT_EQ(commented.result.outcome, GridReadOutcome::NotAGrid);
    expectUnchanged(commented.grid);
    // A statement that names nothing, or whose quote is not closed, is a faulty one: refused naming it.
    const std::string main = kDataDir + "/include_no_coord/NOCOORD.GRDECL";
    const Read noName = readText("SPECGRID 1 1 1 /\nINCLUDE\n/\n", main);
    EXPECT_EQ(noName.result.outcome, GridReadOutcome::Refused);
    EXPECT_EQ(noName.result.message.en, "The INCLUDE statement in " + main + ", line 2, names no file.");
    expectUnchanged(noName.grid);
    const Read unclosed = readText("INCLUDE 'unclosed\n/\n", main);
    EXPECT_EQ(unclosed.result.outcome, GridReadOutcome::Refused);
    EXPECT_EQ(unclosed.result.message.en, "The INCLUDE statement in " + main +
                                              ", line 1: the quote before the file name is not closed on its line.");
    expectUnchanged(unclosed.grid);
}

// What real exports add around COORD and ZCORN: SPECGRID, ACTNUM with n*v runs, MAPAXES, GRIDUNIT, properties held
// inline, a "/" glued to the next keyword.
TEST(GridReaderRealExports, KeywordsAroundTheSections)
{
    const std::string text = std::string(
                                 "MAPUNITS\n  'FEET    ' /\nMAPAXES\n  452000 6801000 452000 6800000 453000 6800000 /\n"
                                 "GRIDUNIT\n  'FEET    ' '  ' /\nSPECGRID\n  1 1 1 1 F /\nCOORD\n") +
                             kPillars + "/ZCORN\n4*1850.5 4*1900.25 /\nACTNUM\n  1*0 /\nPORO\n 0.25 /\nFACIES\n 2 /\n";
    const Read r = readText(text);
    ASSERT_EQ(r.result.outcome, GridReadOutcome::Read) << r.result.message.en;
    EXPECT_EQ(r.grid.declaredSize, (std::array<int, 3>{1, 1, 1}));
    EXPECT_EQ(r.grid.actnum, (std::vector<std::uint8_t>{0}));
    EXPECT_EQ(r.grid.unit, "FEET");
    EXPECT_EQ(r.grid.mapAxes, (Values{452000, 6801000, 452000, 6800000, 453000, 6800000}));
    EXPECT_EQ(r.grid.cornerDepths, kModelDepths);
    EXPECT_EQ(r.result.inlineKeywords, (std::vector<std::string>{"PORO", "FACIES"}));
    EXPECT_TRUE(r.result.warnings.empty()) << warningsOf(r);

    // The pillars lie near the local origin: turned into map coordinates, origin (452, 6800) km, axes unturned.
    ASSERT_TRUE(r.grid.mapAxesApplied);
    ASSERT_EQ(r.result.notes.size(), 1u);
    const Values local = expectedLinesXY();
    for (std::size_t p = 0; p < 4; ++p) {
        for (std::size_t top = 0; top < 2; ++top) {  // the top point, then the bottom point
            EXPECT_NEAR(r.grid.pillarXY[4 * p + 2 * top], 452 + local[4 * p + 2 * top], 1e-9);
            EXPECT_NEAR(r.grid.pillars[6 * p + 3 * top + 1], 6800 + local[4 * p + 2 * top + 1], 1e-9);
        }
    }

    // Axes turned by 90 degrees: local x runs north, local y west.
    const Read turned = readText("MAPAXES\n 0 0 1000 0 1000 1000 /\nCOORD\n 1 2 0 1 2 10 /\nZCORN\n 8*5 /\n");
    ASSERT_TRUE(turned.grid.mapAxesApplied);
    EXPECT_NEAR(turned.grid.pillarXY[0], 1 - 0.002, 1e-12);
    EXPECT_NEAR(turned.grid.pillarXY[1], 0.001, 1e-12);

    // An export in map coordinates whose MAPAXES stands at the grid keeps its coordinates.
    const Read map = readText("MAPAXES\n -7975 6289 -7975 6189 -7875 6189 /\n" + directExport());
    expectFixtureModel(map);
    EXPECT_FALSE(map.grid.mapAxesApplied);
}

// Simulators read keywords in any case: a deck written in lower or mixed case is the same grid, and is known as a
// grid when dropped on the window. A word that is no keyword in any case still stops the deck as before.
TEST(GridReaderRealExports, KeywordsInAnyCase)
{
    const std::string capitals =
        std::string("SPECGRID\n  1 1 1 1 F /\nCOORD\n") + kPillars + "/\nZCORN\n4*1850.5 4*1900.25 /\nACTNUM\n 0 /\n";
    const std::string lower =
        std::string("specgrid\n  1 1 1 1 F /\ncoord\n") + kPillars + "/\nZcorn\n4*1850.5 4*1900.25 /\nactnum\n 0 /\n";
    const Read upper = readText(capitals), mixed = readText(lower);
    ASSERT_EQ(upper.result.outcome, GridReadOutcome::Read) << upper.result.message.en;
    ASSERT_EQ(mixed.result.outcome, GridReadOutcome::Read) << mixed.result.message.en;
    EXPECT_EQ(mixed.grid.declaredSize, upper.grid.declaredSize);
    EXPECT_EQ(mixed.grid.pillars, upper.grid.pillars);
    EXPECT_EQ(mixed.grid.cornerDepths, upper.grid.cornerDepths);
    EXPECT_EQ(mixed.grid.actnum, (std::vector<std::uint8_t>{0}));
    EXPECT_TRUE(mixed.result.warnings.empty()) << warningsOf(mixed);
    EXPECT_EQ(dataFileKindOfText(lower), DataFileKind::Grid);

    // A missing "/" before a keyword in lower case is the same missing "/" as before one in capitals.
    const Read noSlash = readText(std::string("coord\n") + kPillars + "\nzcorn\n8*5 /\n");
    const Read noSlashCapitals = readText(std::string("COORD\n") + kPillars + "\nZCORN\n8*5 /\n");
    ASSERT_EQ(noSlash.result.outcome, GridReadOutcome::Read) << noSlash.result.message.en;
    EXPECT_EQ(noSlash.grid.cornerDepths, noSlashCapitals.grid.cornerDepths);
    EXPECT_EQ(noSlash.result.warnings.size(), noSlashCapitals.result.warnings.size());

    // Prose in lower case is no keyword.
    EXPECT_NE(readText(std::string("exported grid\ncoord\n") + kPillars + "/\nzcorn\n8*5 /\n").result.outcome,
              GridReadOutcome::Read);
}

// Included files may include further files, each name relative to the file that holds it; ACTNUM may come from any.
TEST(GridReaderRealExports, NestedIncludesResolveAgainstTheIncludingFile)
{
    const testing::TempFolder folder;
    std::filesystem::create_directories(folder.file("parts/deep"));
    testing::writeText(folder.file("MAIN.GRDECL"), "SPECGRID\n 1 1 1 /\nINCLUDE\n'parts/GRID.inc' /\n");
    testing::writeText(folder.file("parts/GRID.inc"), "INCLUDE 'deep/C.inc' /\nINCLUDE 'Z.inc' /\n");
    testing::writeText(folder.file("parts/deep/C.inc"), std::string("COORD\n") + kPillars + "/\n");
    testing::writeText(folder.file("parts/Z.inc"), "ZCORN\n4*1850.5 4*1900.25 /\nINCLUDE 'deep/A.inc' /\n");
    testing::writeText(folder.file("parts/deep/A.inc"), "ACTNUM\n 0 /\n");
    const Read r = readFile(folder.file("MAIN.GRDECL").string());
    expectFixtureModel(r);
    EXPECT_EQ(r.grid.actnum, (std::vector<std::uint8_t>{0}));
    EXPECT_EQ(r.grid.actnumFile, folder.file("parts/deep/A.inc").string());
    EXPECT_EQ(r.grid.coordFile, folder.file("parts/deep/C.inc").string());
    EXPECT_TRUE(r.result.warnings.empty()) << warningsOf(r);

    // Names written in another letter case than the files have (Windows does not tell them apart), in the
    // including file's folder or, failing that, the main file's: each finds the one file so named in any case.
    testing::writeText(folder.file("CASE.GRDECL"), "SPECGRID\n 1 1 1 /\nINCLUDE\n'PARTS/Other.INC' /\n");
    testing::writeText(folder.file("parts/other.inc"), "INCLUDE 'DEEP/c.inc' /\nINCLUDE 'z.INC' /\n");
    const Read anyCase = readFile(folder.file("CASE.GRDECL").string());
    expectFixtureModel(anyCase);
    EXPECT_EQ(anyCase.grid.coordFile, folder.file("parts/deep/C.inc").string());
    // Two files that differ only in case leave the name unmatched rather than taking either.
    testing::writeText(folder.file("parts/z.inc"), "ZCORN\n4*1 4*2 /\n");
    testing::writeText(folder.file("TWO.GRDECL"),
                       "SPECGRID\n 1 1 1 /\nINCLUDE 'parts/deep/c.inc' /\nINCLUDE 'parts/Z.INC' /\n");
    EXPECT_EQ(readFile(folder.file("TWO.GRDECL").string()).result.outcome, GridReadOutcome::MissingInclude);

    // A file that includes itself is read once.
    testing::writeText(folder.file("LOOP.GRDECL"), directExport() + "INCLUDE 'LOOP.GRDECL' /\n");
    expectFixtureModel(readFile(folder.file("LOOP.GRDECL").string()));
}

// Sections that do not fit are refused naming the section, the file and both counts; nothing changes. A section
// that runs to the end of its file without its "/" is read, with a warning that the file may be cut short.
TEST(GridReaderRealExports, CountsThatDoNotFitAreRefused)
{
    const std::string coordCut = std::string("SPECGRID\n 2 1 1 /\nCOORD\n") + kPillars + "/\nZCORN\n8*1 /\n";
    const Read refused = readText(coordCut);
    EXPECT_EQ(refused.result.outcome, GridReadOutcome::Refused);
    EXPECT_EQ(refused.result.message.en, "The COORD section of " + kInlinePath +
                                             " (line 3) holds 24 values; SPECGRID 2 x 1 x 1 in " + kInlinePath +
                                             " expects 36 (6 for each of 3 x 2 pillars).");
    expectUnchanged(refused.grid);

    // ZCORN cut off inside the data, at the end of the file.
    const Read cut = readText(std::string("SPECGRID\n 1 1 2 /\nCOORD\n") + kPillars + "/\nZCORN\n8*1850 2*1900");
    EXPECT_EQ(cut.result.outcome, GridReadOutcome::Refused);
    EXPECT_EQ(cut.result.message.en, "The ZCORN section of " + kInlinePath +
                                         " (line 9) holds 10 values; SPECGRID 1 x 1 x 2 in " + kInlinePath +
                                         " expects 16 (8 for each of 2 cells).");
    ASSERT_EQ(cut.result.warnings.size(), 1u);
    EXPECT_EQ(cut.result.warnings[0].en, "The ZCORN section of " + kInlinePath +
                                             " ends at the end of the file without its closing \"/\": the file may be "
                                             "cut short.");
    expectUnchanged(cut.grid);

    // Without SPECGRID the same cut is read (the builder judges the layout), and still warned about.
    const Read unchecked = readText(std::string("COORD\n") + kPillars + "/\nZCORN\n8*1850 2*1900");
    EXPECT_EQ(unchecked.result.outcome, GridReadOutcome::Read);
    EXPECT_EQ(unchecked.result.warnings.size(), 1u) << warningsOf(unchecked);

    // A SPECGRID without three counts is no SPECGRID: warned about, the layout left to the pillars.
    const Read bad = readText("SPECGRID\n 40 30 /\n" + directExport().substr(directExport().find("COORD ")));
    EXPECT_EQ(bad.result.outcome, GridReadOutcome::Read);
    EXPECT_EQ(bad.grid.declaredSize, (std::array<int, 3>{}));
    EXPECT_EQ(bad.result.warnings.size(), 1u) << warningsOf(bad);
}

TEST(GridReaderFile, ByteOrderMarkBeforeTheFirstKeyword)
{
    // Files saved by Windows editors may start with a UTF-8 byte order mark right before the first keyword.
    const std::string bom = "\xEF\xBB\xBF";
    const Read direct = readText(bom + "COORD\n" + kPillars + "/\nZCORN\n4*1850.5 4*1900.25 /\n");
    expectFixtureModel(direct);

    const Read main = readText(bom + "INCLUDE 'parts/depths.inc' /\nINCLUDE MODEL-pillars.grd /\n",
                               kDataDir + "/include_any_order/OTHER.GRDECL");
    expectFixtureModel(main);

    // An included file with the mark before its keyword.
    const testing::TempFolder folder;
    testing::writeText(folder.file("BOM_COORD.GRDECL"), bom + "COORD\n" + kPillars + "/\n");
    const Read included =
        readText("INCLUDE 'BOM_COORD.GRDECL' /\nZCORN\n4*1850.5 4*1900.25 /\n", folder.file("BOM.GRDECL").string());
    expectFixtureModel(included);
}

TEST(GridReaderFile, UnreadableMainFileIsNotAGrid)
{
    for (const std::string& path : {kDataDir + "/no_such_file.GRDECL", kDataDir + "/include_crlf"}) {
        const Read r = readFile(path);
        EXPECT_EQ(r.result.outcome, GridReadOutcome::NotAGrid);
        EXPECT_NE(r.result.message.en.find(path), std::string::npos);
        expectUnchanged(r.grid);
    }
}

// A large grid file is mapped, not copied: what the reader makes of it is what it makes of the same text in memory.
// The text as a Windows tool saves it as "Unicode": UTF-16, little-endian, with its byte order mark (ASCII only).
std::string asUtf16(const std::string& ascii)
{
    std::string out = "\xFF\xFE";
    for (const char c : ascii) out += {c, '\0'};
    return out;
}

// A large file is mapped rather than copied, and one saved in UTF-16, or with its lines ended by a carriage return
// alone, is turned into the usual text rather than mapped: all give the arrays of their text.
TEST(GridReaderFile, LargeFileMappedOrInUtf16ReadsAsItsText)
{
    const gen::GridOptions o = gen::realExportGrid("BIG", 70, 60, 60);
    const std::string text = gen::gridText(o);
    ASSERT_GE(text.size(), kMapFilesFrom);
    const testing::TempFolder folder;
    const std::string path = testing::writeText(folder.file("BIG.GRDECL"), text);
    const GridReadResult file = readGridFile(path);
    ASSERT_EQ(file.outcome, GridReadOutcome::Read) << file.message.en;
    const GridReadResult read = readGridText(path, text);
    ASSERT_EQ(read.outcome, GridReadOutcome::Read);
    const CornerPointInput& fromFile = file.grid;
    const CornerPointInput& fromText = read.grid;
    EXPECT_EQ(fromFile.pillars, fromText.pillars);
    EXPECT_EQ(fromFile.cornerDepths, fromText.cornerDepths);
    EXPECT_EQ(fromFile.actnum, fromText.actnum);
    EXPECT_EQ(fromFile.declaredSize, fromText.declaredSize);

    const std::string wide = testing::writeText(folder.file("BIG16.GRDECL"), asUtf16(text));
    const GridReadResult utf16 = readGridFile(wide);
    const CornerPointInput& fromUtf16 = utf16.grid;
    ASSERT_EQ(utf16.outcome, GridReadOutcome::Read) << utf16.message.en;
    EXPECT_EQ(fromUtf16.pillars, fromText.pillars);
    EXPECT_EQ(fromUtf16.cornerDepths, fromText.cornerDepths);
    EXPECT_EQ(fromUtf16.actnum, fromText.actnum);

    std::string returns = text;
    std::replace(returns.begin(), returns.end(), '\n', '\r');
    const GridReadResult mac = readGridFile(testing::writeText(folder.file("MAC.GRDECL"), returns));
    const CornerPointInput& fromReturns = mac.grid;
    ASSERT_EQ(mac.outcome, GridReadOutcome::Read) << mac.message.en;
    EXPECT_EQ(fromReturns.cornerDepths, fromText.cornerDepths);
    EXPECT_EQ(fromReturns.actnum, fromText.actnum);
}

// A mapped file cut short by another program while it is read: the lost pages read as zeros instead of stopping
// the program with a bus error, and the text says it is no longer whole. Other mappings stay whole.
TEST(GridReaderFile, MappedFileCutShortWhileReadReadsZerosAndSaysSo)
{
    const testing::TempFolder folder;
    const std::string body(3 * 65536, '7');
    const std::string cut = testing::writeText(folder.file("CUT.GRDECL"), body);
    const std::string kept = testing::writeText(folder.file("KEPT.GRDECL"), body);
    const std::unique_ptr<MappedFile> cutShort = MappedFile::open(cut);
    const std::unique_ptr<MappedFile> whole = MappedFile::open(kept);
    ASSERT_TRUE(cutShort && whole);
    EXPECT_EQ(cutShort->data()[0], '7');
    std::filesystem::resize_file(cut, 1000);
    std::size_t sevens = 0;
    for (std::size_t n = 0; n < cutShort->size(); ++n) sevens += cutShort->data()[n] == '7';
    EXPECT_EQ(sevens, 1000u);
    EXPECT_EQ(cutShort->data()[cutShort->size() - 1], '\0');
    EXPECT_FALSE(cutShort->intact());
    EXPECT_EQ(std::string(whole->data(), whole->size()), body);
    EXPECT_TRUE(whole->intact());
}

}  // namespace
}  // namespace morvane

namespace morvane {
namespace {

const std::string kFixtureDeck =
    std::string("SPECGRID\n 1 1 1 /\nCOORD\n") + kPillars + "/\nZCORN\n4*1850.5 4*1900.25 /\n";

// A repeat count is bounded by what the declared layout needs: a tiny file cannot demand gigabytes. A damaged,
// short or empty ACTNUM is refused with its file, line and counts instead of switching every cell on.
TEST(GridReaderDamage, RepeatsAreBoundedByTheLayoutAndDamagedActnumIsRefused)
{
    const Read huge = readText("SPECGRID 2 2 1 /\nCOORD 268435455*1 /\nZCORN 32*1 /\n");
    ASSERT_EQ(huge.result.outcome, GridReadOutcome::Refused);
    EXPECT_EQ(huge.result.message.en, "The COORD section of " + kInlinePath +
                                          " (line 2) holds 268435455 values; SPECGRID 2 x 2 x 1 in " + kInlinePath +
                                          " expects 54 (6 for each of 3 x 3 pillars).");
    expectUnchanged(huge.grid);

    // A file far larger than its declared grid can fill.
    std::string padded = kFixtureDeck;
    while (padded.size() < (std::size_t{3} << 20)) padded += "-- padding\n";
    const Read large = readText(padded);
    ASSERT_EQ(large.result.outcome, GridReadOutcome::Refused);
    EXPECT_EQ(large.result.message.en, kInlinePath + " is 3.0 MB, far more than a grid of SPECGRID 1 x 1 x 1 in " +
                                           kInlinePath + " can fill; it is not read.");

    // Cut before COORD: the grid keywords end with the file.
    const Read cut = readText("SPECGRID\n 1 1 1 /\nMAPAXES\n 0 1 0 0 1 0 /\n");
    ASSERT_EQ(cut.result.outcome, GridReadOutcome::NotAGrid);
    EXPECT_EQ(cut.result.message.en, kInlinePath +
                                         " holds no COORD section and no INCLUDE statement. Its grid keywords "
                                         "end at line 4, the end of the file: it may be cut short.");

    const Read word = readText(kFixtureDeck + "ACTNUM\n 1*1 x /\n");
    ASSERT_EQ(word.result.outcome, GridReadOutcome::Refused);
    EXPECT_EQ(word.result.message.en,
              "The ACTNUM section of " + kInlinePath + " stops at line 12 at the word \"x\", which is not a number.");
    const Read empty = readText(kFixtureDeck + "ACTNUM\n/\n");
    ASSERT_EQ(empty.result.outcome, GridReadOutcome::Refused);
    EXPECT_EQ(empty.result.message.en, "The ACTNUM section of " + kInlinePath +
                                           " (line 11) holds 0 values; SPECGRID 1 x 1 x 1 in " + kInlinePath +
                                           " expects 1 (one for each cell).");
    expectUnchanged(empty.grid);

    // Values other than 0 and 1 are taken as active, with a warning; depths beyond 20 km are kept, with a warning.
    const Read odd = readText(std::string("SPECGRID\n 1 1 1 /\nCOORD\n") + kPillars +
                              "/\nZCORN\n4*1850.5 2*1900.25 2*1e308 /\nACTNUM\n 7 /\n");
    ASSERT_EQ(odd.result.outcome, GridReadOutcome::Read);
    EXPECT_EQ(odd.grid.actnum, (std::vector<std::uint8_t>{1}));
    ASSERT_EQ(odd.result.warnings.size(), 2u) << warningsOf(odd);
    EXPECT_EQ(odd.result.warnings[0].en,
              "1 values of the ACTNUM section of " + kInlinePath +
                  " (line 11) are neither 0 nor 1 (the first: 7); they are taken as active.");
    EXPECT_EQ(odd.result.warnings[1].en, "2 of the 8 corner depths in the ZCORN section of " + kInlinePath +
                                             " lie beyond 20 km from the datum (from 1e+308 to 1e+308); they are "
                                             "kept as read.");
    EXPECT_EQ(odd.grid.cornerDepths[7], -1e305);
}

// Each faulty INCLUDE is named with its file and line and the reason; a keyword inside a quoted name is none, and
// a name written in Windows-1251 is decoded before the file is looked for.
TEST(GridReaderDamage, FaultyIncludesAreNamedWithTheirStatement)
{
    const testing::TempFolder folder;
    const std::string main = folder.file("MAIN.GRDECL").string();
    testing::writeText(folder.file("GEN ZCORN file.GRDECL"), "ZCORN\n4*1850.5 4*1900.25 /\n");
    testing::writeText(folder.file("Пласт.GRDECL"), std::string("COORD\n") + kPillars + "/\n");
    const Read quoted = readText("INCLUDE '\xCF\xEB\xE0\xF1\xF2.GRDECL' /\nINCLUDE 'GEN ZCORN file.GRDECL' /\n", main);
    expectFixtureModel(quoted);
    EXPECT_TRUE(quoted.result.warnings.empty()) << warningsOf(quoted);

    testing::writeText(folder.file("EMPTY.GRDECL"), "\n  -- nothing\n");
    const Read empty = readText(kFixtureDeck + "INCLUDE 'EMPTY.GRDECL' /\n", main);
    ASSERT_EQ(empty.result.outcome, GridReadOutcome::Refused);
    EXPECT_EQ(empty.result.message.en,
              "The file " + folder.file("EMPTY.GRDECL").string() + ", included in " + main + ", line 11, is empty.");

    // A file that includes itself is read once, with a warning; a chain nine files deep is not followed.
    testing::writeText(folder.file("SELF.GRDECL"), "INCLUDE 'SELF.GRDECL' /\n");
    const Read self = readText(kFixtureDeck + "INCLUDE 'SELF.GRDECL' /\n", main);
    expectFixtureModel(self);
    ASSERT_EQ(self.result.warnings.size(), 1u) << warningsOf(self);
    EXPECT_EQ(self.result.warnings[0].en, "The INCLUDE statement in " + folder.file("SELF.GRDECL").string() +
                                              ", line 1, names " + folder.file("SELF.GRDECL").string() +
                                              ", which is being read already; it is not read again.");
    for (int n = 1; n <= 9; ++n)
        testing::writeText(folder.file("D" + std::to_string(n) + ".inc"),
                           "INCLUDE 'D" + std::to_string(n + 1) + ".inc' /\n");
    // A name that both the including file's folder and the main file's folder hold: the one beside the including
    // file is read, and the choice is told.
    std::filesystem::create_directories(folder.file("parts"));
    testing::writeText(folder.file("parts/GRID.inc"), "INCLUDE 'Z.inc' /\n");
    testing::writeText(folder.file("parts/Z.inc"), "ZCORN\n4*1850.5 4*1900.25 /\n");
    testing::writeText(folder.file("Z.inc"), "ZCORN\n8*1 /\n");
    const Read twice = readText(std::string("COORD\n") + kPillars + "/\nINCLUDE 'parts/GRID.inc' /\n", main);
    expectFixtureModel(twice);
    ASSERT_EQ(twice.result.warnings.size(), 1u) << warningsOf(twice);
    const std::string chosen = folder.file("parts/Z.inc").string();
    EXPECT_EQ(twice.result.warnings[0].en, "The INCLUDE statement in " + folder.file("parts/GRID.inc").string() +
                                               ", line 1, names Z.inc, which stands both beside that file (" + chosen +
                                               ") and beside the main file (" + folder.file("Z.inc").string() + "); " +
                                               chosen + " is read.");

    const Read deep = readText(kFixtureDeck + "INCLUDE 'D1.inc' /\n", main);
    ASSERT_EQ(deep.result.outcome, GridReadOutcome::Refused);
    EXPECT_EQ(deep.result.message.en, "The INCLUDE statement in " + folder.file("D8.inc").string() +
                                          ", line 1, names " + folder.file("D9.inc").string() +
                                          ", which would be included more than 8 files deep; it is not followed.");
}

// Decks as simulators read them: names inside another keyword's records are data, array edits are not applied
// (and said so), MAPAXES are converted by their units, and what the viewer cannot be sure of is warned about.
TEST(GridReaderDamage, DeckStructureAndUnits)
{
    const Read edits = readText("SPECGRID\n 1 1 1 /\nEQUALS\n ACTNUM 1 1 3 1 2 1 1 /\n/\nCOORD\n" +
                                std::string(kPillars) + "/\nZCORN\n4*1850.5 4*1900.25 /\nACTNUM\n 0 /\n");
    expectFixtureModel(edits);
    EXPECT_EQ(edits.grid.actnum, (std::vector<std::uint8_t>{0}));
    ASSERT_EQ(edits.result.warnings.size(), 1u) << warningsOf(edits);
    EXPECT_EQ(edits.result.warnings[0].en, kInlinePath +
                                               " holds simulator edits that the viewer does not apply: EQUALS (line "
                                               "3); the arrays are shown as written.");

    // MAPAXES in feet on a grid in metres: the frame's origin in metres.
    const Read feet =
        readText("MAPUNITS\n FEET /\nMAPAXES\n 0 1000 0 0 1000 0 /\nGRIDUNIT\n METRES /\n" + kFixtureDeck);
    ASSERT_EQ(feet.result.outcome, GridReadOutcome::Read);
    EXPECT_NEAR(feet.grid.mapAxes[1], 304.8, 1e-9);
    const Read unknown = readText("GRIDUNIT\n FURLONGS /\n" + kFixtureDeck);
    ASSERT_EQ(unknown.result.warnings.size(), 1u) << warningsOf(unknown);
    EXPECT_EQ(unknown.result.warnings[0].en, "The GRIDUNIT of " + kInlinePath +
                                                 " (line 1) gives the unit \"FURLONGS\", which the viewer does not "
                                                 "know; lengths are taken as metres.");
}

}  // namespace
}  // namespace morvane
