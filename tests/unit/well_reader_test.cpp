// The well reader: the name comment, the column header (any white space, every word a column), the data lines, the
// columns the column dialog starts with, the refusals and what an accepted well adds to the well lists.
#include "io/well_reader.h"

#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/text_fixtures.h"
#include "tools/generator/model_generator.h"

namespace morvane {
namespace {

namespace texts = well_texts;

const std::string kRule = "#=====================================================================================\n";
const std::string kHeader =
    "      MD            X            Y            Z           TVD           DX           DY        AZIM_TN        INCL"
    "         DLS        AZIM_GN\n";

// The shape of a real export: fifteen comment lines, a rule, the indented header, a rule, the rows.
std::string realShape(const std::string& name = "W-7")
{
    std::string t = "# WELL TRACE FROM PETREL\n# WELL NAME:              " + name + "\n";
    for (int i = 0; i < 13; ++i) t += "# WELL HEAD COMMENT " + std::to_string(i) + " (m)\n";
    t += kRule + kHeader + kRule;
    t += "      0.0000  -7975.7300  6414711.0200   22.6900  0.0000 0.0 0.0 0.0 0.0 0.0 0.0\n";
    t += "     10.0000  -7975.7300  6414711.0200   12.6900 10.0000 0.0 0.0 0.0 0.0 0.0 0.0\n";
    t += "     20.0000  -7975.5000  6414711.5000   -7.3100 30.0000 0.0 0.0 0.0 0.0 0.0 0.0\n";
    return t;
}

const std::vector<std::string> kRealColumns{"MD", "X",       "Y",    "Z",   "TVD",    "DX",
                                            "DY", "AZIM_TN", "INCL", "DLS", "AZIM_GN"};

const PropertyReportLine* logWith(const WellReport& r, const std::string& text)
{
    for (const auto& l : r.lines)
        if (l.kind == PropertyReportLine::Kind::Log && l.text == text) return &l;
    return nullptr;
}

TEST(WellReaderTest, RealShapeGivesNameColumnsAndRowsWithSignsKept)
{
    for (const std::string& text : {realShape(), test::withCrlf(realShape()), "\xEF\xBB\xBF" + realShape()}) {
        const WellFile f = parseWellFile(text);
        EXPECT_EQ(f.name, "W-7");
        EXPECT_EQ(f.columns, kRealColumns);
        ASSERT_EQ(f.rows.size(), 3u);
        ASSERT_EQ(f.rows[2].size(), 11u);
        EXPECT_FLOAT_EQ(f.rows[2][0], 20.0f);
        EXPECT_FLOAT_EQ(f.rows[2][1], -7975.5f);  // negative local x stays negative
        EXPECT_FLOAT_EQ(f.rows[2][3], -7.31f);    // z is an elevation, negative below datum, as written
        EXPECT_EQ(preselectedColumns(f.columns), (WellColumns{0, 1, 2, 3}));
    }
}

TEST(WellReaderTest, UnindentedAndTabSeparatedHeadersKeepEveryWord)
{
    // Every word of the header names a column, the first one too, whatever white space stands between them; the
    // names line up with the numbers below them.
    for (const std::string header : {"MD X Y Z TVD", "MD\tX\tY\tZ\tTVD", "\t MD \t  X\tY Z\t\tTVD \t"}) {
        const WellFile f = parseWellFile("# WELL NAME: A\n" + header + "\n0 100 200 -5 0\n");
        EXPECT_EQ(f.columns, (std::vector<std::string>{"MD", "X", "Y", "Z", "TVD"})) << header;
        const WellColumns c = preselectedColumns(f.columns);
        EXPECT_EQ(c, (WellColumns{0, 1, 2, 3}));
        const WellReport r = loadWell(f, c, WellConfirmation::Ok);
        ASSERT_TRUE(r.accepted);
        ASSERT_EQ(r.trajectory.size(), 1u);
        EXPECT_EQ(r.trajectory[0], (std::vector<float>{0, 100, 200, -5}));
    }
}

TEST(WellReaderTest, NameCommentRules)
{
    EXPECT_EQ(wellNameFromComment("# WELL NAME: P-12"), "P-12");
    EXPECT_EQ(wellNameFromComment("# WELL NAME: North 7\r"), "North7");
    EXPECT_EQ(wellNameFromComment("# WELL NAME:              W-1   "), "W-1");
    EXPECT_EQ(wellNameFromComment("# WELL NAME:"), "");  // ends right after the keyword: no name
    EXPECT_EQ(wellNameFromComment("# WELL NAME"), "");
    EXPECT_EQ(wellNameFromComment("# WELL HEAD X-COORDINATE: 1"), std::nullopt);
    EXPECT_EQ(wellNameFromComment("# well name: lower case"), std::nullopt);
    EXPECT_EQ(wellNameFromComment("  # WELL NAME: indented"), "indented");  // an indented comment is a comment
    // The last name line wins; comments may stand between data lines.
    const WellFile f = parseWellFile("# WELL NAME: A\n# WELL NAME: B C\nMD X Y Z\n1 2 3 4\n# WELL NAME: D\n5 6 7 8\n");
    EXPECT_EQ(f.name, "D");
    EXPECT_EQ(f.rows.size(), 2u);
}

TEST(WellReaderTest, IndentedRulesAndCommentsAroundTheHeaderAreSkipped)
{
    // Taking an indented "#====" or a bare "====" rule for the header would shift every column name.
    for (const std::string rule : {"   #==========", "==========", "\t ========== "}) {
        const WellFile f =
            parseWellFile("  # WELL NAME: I-1\n" + rule + "\n" + kHeader + rule + "\n" + "0 1 2 3 4 5 6 7 8 9 10\n");
        EXPECT_EQ(f.name, "I-1") << rule;
        EXPECT_EQ(f.columns, kRealColumns) << rule;
        ASSERT_EQ(f.rows.size(), 1u) << rule;
        EXPECT_FALSE(f.foreignLayout);
    }
}

TEST(WellReaderTest, OtherToolsLayoutIsRecognisedAndRefused)
{
    const std::string foreign =
        "WELLNAME: 'INJ-A'\r\n#       X           Y      TVDMSL       MDMSL\r\n   453061.69  6802263.36        0.00"
        "        0.00\r\n   453111.69  6802263.36     2100.00     2300.00\r\n-999\r\n";
    const WellFile f = parseWellFile(foreign);
    EXPECT_TRUE(f.foreignLayout);
    EXPECT_TRUE(looksLikeWellText(foreign));
    const WellReport r = foreignLayoutReport("INJ-A.dev");
    EXPECT_FALSE(r.accepted);
    ASSERT_EQ(r.lines.size(), 1u);
    EXPECT_EQ(r.lines[0].colour, log_colour::Red);
    EXPECT_NE(r.lines[0].text.find("INJ-A.dev"), std::string::npos);

    // Telling a deviation file from a grid or property file by its first lines.
    EXPECT_TRUE(looksLikeWellText(realShape()));
    EXPECT_TRUE(looksLikeWellText("\xEF\xBB\xBF      MD  X  Y  Z\n0 1 2 3\n"));
    EXPECT_FALSE(looksLikeWellText("-- Generated : Petrel\nSPECGRID\n 3 2 4 1 F /\nCOORD\n0 0 0 0 0 1\n"));
    EXPECT_FALSE(looksLikeWellText("-- Property name in Petrel : PORO\nPORO\n 0.1 0.2 /\n"));
    EXPECT_FALSE(looksLikeWellText(""));
}

TEST(WellReaderTest, CyrillicNameIsKeptAsUtf8)
{
    const std::string name = "\xD0\xA1\xD0\xBA\xD0\xB2-1";  // "Скв-1"
    const WellFile f = parseWellFile(realShape(name));
    EXPECT_EQ(f.name, name);
    const WellReport r = loadWell(f, preselectedColumns(f.columns), WellConfirmation::OkForAll);
    ASSERT_TRUE(r.accepted);
    EXPECT_NE(logWith(r, "Well " + name + " is loaded successfully"), nullptr);
}

TEST(WellReaderTest, DataLinesReadNumbersUpToTheFirstText)
{
    EXPECT_EQ(readDataRow("12.5 7 x 9"), (std::vector<float>{12.5f, 7.0f}));
    EXPECT_EQ(readDataRow("\t+1e2  -3.5E-1\r"), (std::vector<float>{100.0f, -0.35f}));
    EXPECT_TRUE(readDataRow("garbage 1 2").empty());
    EXPECT_TRUE(readDataRow("").empty());
    EXPECT_EQ(readDataRow("1 1e400 2"), (std::vector<float>{1.0f}));  // out of range: not kept, reading stops
    EXPECT_EQ(readDataRow("1 1e39 2"), (std::vector<float>{1.0f}));   // beyond a float as well
    EXPECT_EQ(readDataRow("1 nan 2"), (std::vector<float>{1.0f}));
}

TEST(WellReaderTest, ShortRowsAreSkippedAndAWellWithoutPointsIsRefused)
{
    const WellFile f = parseWellFile("# WELL NAME: S\nMD X Y Z\n0 1 2 3\nnot numbers\n\n5 6 7\n10 11 12 13 14\n");
    ASSERT_EQ(f.rows.size(), 4u);  // the blank line is no row
    const WellReport r = loadWell(f, preselectedColumns(f.columns), WellConfirmation::Ok);
    ASSERT_TRUE(r.accepted);
    EXPECT_EQ(r.skippedRows, 2);
    ASSERT_EQ(r.trajectory.size(), 2u);
    EXPECT_EQ(r.trajectory[1], (std::vector<float>{10, 11, 12, 13}));
    EXPECT_NE(logWith(r, texts::LoadedLog), nullptr);

    const WellFile garbage = parseWellFile("# WELL NAME: G\nMD X Y Z\nabc def\n\x01\x02\xff\n");
    const WellReport g = loadWell(garbage, preselectedColumns(garbage.columns), WellConfirmation::Ok);
    EXPECT_FALSE(g.accepted);
    EXPECT_TRUE(g.trajectory.empty());
    const auto* line = logWith(g, std::string(texts::NoPointsPrefix) + "G");
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->colour, log_colour::Red);
}

TEST(WellReaderTest, WellWithoutNameIsRefusedOnEveryPath)
{
    const std::string body = "MD X Y Z\n0 1 2 3\n";
    for (const std::string& text : {body, "# WELL NAME:\n" + body, "# WELL NAME:   \n" + body}) {
        const WellFile f = parseWellFile(text);
        EXPECT_EQ(f.name, "");
        for (auto how : {WellConfirmation::Ok, WellConfirmation::OkForAll, WellConfirmation::Reused}) {
            WellReport r = loadWell(f, preselectedColumns(f.columns), how);
            EXPECT_FALSE(r.accepted);
            const auto* line = logWith(r, texts::NoNameLog);
            ASSERT_NE(line, nullptr);
            EXPECT_EQ(line->colour, log_colour::Red);
            EXPECT_TRUE(r.trajectory.empty());  // nothing for the import to add
        }
    }
}

TEST(WellReaderTest, EmptyTextAndMissingColumns)
{
    for (const std::string text : {"", "\n\r\n", "\xEF\xBB\xBF"}) {
        const WellFile f = parseWellFile(text);
        EXPECT_FALSE(f.hasHeader);
        EXPECT_TRUE(f.columns.empty());
        EXPECT_TRUE(f.rows.empty());
    }
    // Lower-case names match no list: the column message box and the red line.
    const WellFile f = parseWellFile("# WELL NAME: L\nmd x y z\n0 1 2 3\n");
    const WellColumns c = preselectedColumns(f.columns);
    EXPECT_FALSE(c.complete());
    const WellReport r = loadWell(f, c, WellConfirmation::Ok);
    EXPECT_FALSE(r.accepted);
    ASSERT_TRUE(r.messageBox.has_value());
    EXPECT_EQ(r.messageBox->caption, texts::NoColumnsCaption);
    EXPECT_EQ(r.messageBox->text, texts::NoColumnsBox);
    EXPECT_NE(logWith(r, texts::NoColumnsLog), nullptr);
    const WellReport en = loadWell(f, c, WellConfirmation::Ok, "en");
    EXPECT_EQ(en.messageBox->caption, texts::NoColumnsCaptionEn);
    EXPECT_EQ(en.messageBox->text, texts::NoColumnsBoxEn);
}

TEST(WellReaderTest, PreselectionIsExactAndTheLastDuplicateWins)
{
    EXPECT_EQ(preselectedColumns({"X", "Y", "Z", "MD", "X"}), (WellColumns{3, 4, 1, 2}));
    EXPECT_EQ(preselectedColumns({"TVD", "DX"}), (WellColumns{}));
    // Chosen columns in any order give points MD, X, Y, Z.
    const WellFile f = parseWellFile("# WELL NAME: R\nZ Y X MD\n-5 200 100 0\n");
    const WellReport r = loadWell(f, preselectedColumns(f.columns), WellConfirmation::Reused);
    ASSERT_TRUE(r.accepted);
    EXPECT_EQ(r.trajectory[0], (std::vector<float>{0, 100, 200, -5}));
}

TEST(WellReaderTest, AnAcceptedWellCarriesItsNameAndEveryStation)
{
    const WellFile f = parseWellFile(realShape());
    EXPECT_EQ(f.name, "W-7");
    EXPECT_EQ(f.columns, kRealColumns);
    EXPECT_EQ(f.rows.size(), 3u);
    const WellReport r = loadWell(f, preselectedColumns(f.columns), WellConfirmation::Ok);
    ASSERT_TRUE(r.accepted);
    EXPECT_EQ(r.name, "W-7");
    ASSERT_EQ(r.trajectory.size(), 3u);
    EXPECT_EQ(r.trajectory[1], (std::vector<float>{10.0f, -7975.73f, 6414711.02f, 12.69f}));
}

TEST(WellReaderTest, GeneratedWellsRoundTrip)
{
    gen::GridOptions g;
    for (gen::LineEnd end : {gen::LineEnd::LF, gen::LineEnd::CRLF}) {
        g.lineEnd = end;
        for (const gen::WellOptions& w : gen::wellsForGrid(g, 4)) {
            const WellFile f = parseWellFile(gen::wellFileText(w));
            EXPECT_EQ(f.name, w.name);
            const WellReport r = loadWell(f, preselectedColumns(f.columns), WellConfirmation::OkForAll);
            ASSERT_TRUE(r.accepted) << w.name;
            const auto stations = gen::wellStations(w);
            ASSERT_EQ(r.trajectory.size(), stations.size());
            for (std::size_t i = 0; i < stations.size(); ++i) {
                const auto& p = r.trajectory[i];
                const auto& s = stations[i];
                // Written with four decimals, stored as float: within the float's step at these magnitudes.
                EXPECT_NEAR(p[0], s.md, 1e-3 + std::fabs(s.md) * 1e-6);
                EXPECT_NEAR(p[1], s.x, 1e-3 + std::fabs(s.x) * 1e-6);
                EXPECT_NEAR(p[2], s.y, 1e-3 + std::fabs(s.y) * 1e-6);
                EXPECT_NEAR(p[3], s.z, 1e-3 + std::fabs(s.z) * 1e-6);
            }
        }
    }
}

}  // namespace
}  // namespace morvane
