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
        ASSERT_EQ(f.rows[2].values.size(), 11u);
        EXPECT_EQ(f.rows[2].line, 21);
        EXPECT_EQ(f.usualWords, 11u);
        EXPECT_FLOAT_EQ(f.rows[2].values[0], 20.0f);
        EXPECT_FLOAT_EQ(f.rows[2].values[1], -7975.5f);  // negative local x stays negative
        EXPECT_FLOAT_EQ(f.rows[2].values[3], -7.31f);    // z is an elevation, negative below datum, as written
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

TEST(WellReaderTest, EveryWordOfADataLineKeepsItsColumn)
{
    const WellRow r = readWellRow("\t+1e2  -3.5E-1 x 9\r", 12);
    EXPECT_EQ(r.line, 12);
    ASSERT_EQ(r.words(), 4u);
    EXPECT_FLOAT_EQ(r.values[0], 100.0f);
    EXPECT_FLOAT_EQ(r.values[1], -0.35f);
    EXPECT_FALSE(r.number(2));
    EXPECT_FLOAT_EQ(r.values[3], 9.0f);  // text does not end the line: the word after it stays in its column
    EXPECT_FALSE(r.malformed);
    EXPECT_TRUE(readWellRow("").values.empty());

    // Words that are no number, each with why; a glued or damaged number is never split into two.
    const struct {
        const char* word;
        WellWordProblem problem;
    } words[] = {{"549166-94", WellWordProblem::Malformed},
                 {"5491.66.94", WellWordProblem::Malformed},
                 {"0,25", WellWordProblem::Malformed},
                 {"12abc", WellWordProblem::Malformed},
                 {"nan", WellWordProblem::Text},
                 {"-inf", WellWordProblem::Text},
                 {"N/A", WellWordProblem::Text},
                 {"1e39", WellWordProblem::TooLarge},
                 {"1e400", WellWordProblem::TooLarge}};
    for (const auto& w : words) {
        const WellRow row = readWellRow(std::string("1 ") + w.word + " 2");
        ASSERT_EQ(row.words(), 3u) << w.word;
        EXPECT_FALSE(row.number(1)) << w.word;
        EXPECT_FLOAT_EQ(row.values[2], 2.0f) << w.word;
        ASSERT_EQ(row.unreadable.size(), 1u) << w.word;
        EXPECT_EQ(row.unreadable[0].column, 1u);
        EXPECT_EQ(row.unreadable[0].problem, w.problem) << w.word;
        EXPECT_EQ(row.unreadable[0].word, w.word);
        EXPECT_EQ(row.malformed, w.problem == WellWordProblem::Malformed) << w.word;
    }
}

// A well of five columns and five stations, 100 m apart; `damage` replaces the text of one station's line.
std::string fiveStations(int damaged = -1, const std::string& damage = {})
{
    std::string t = "# WELL NAME: D-1\nMD X Y Z TVD\n";
    for (int i = 0; i < 5; ++i) {
        const std::string md = std::to_string(i * 100);
        t += (i == damaged ? damage : md + " 549166.92 6414711.02 -" + md + " " + md) + "\n";
    }
    return t;
}

TEST(WellReaderTest, DamagedDataLinesAreLeftOutAndNamedWithTheirWords)
{
    // Each damage leaves out the line of MD 200 (line 5 of the file), whatever its kind: glued numbers, a lost
    // space, a flipped digit that splits a number in two, a decimal comma, words in a chosen column.
    const struct {
        std::string line;
        std::string said;
    } damages[] = {
        {"200 549166-94 6414711.02 -200 200", "line 5: \"549166-94\" is not a number"},
        {"200 5491.66.94 6414711.02 -200 200", "line 5: \"5491.66.94\" is not a number"},
        {"200 549166.926414711.02 -200 200", "line 5: 4 words where the other lines hold 5"},
        {"200 549 66.92 6414711.02 -200 200", "line 5: 6 words where the other lines hold 5"},
        {"200 549166,92 6414711.02 -200 200", "line 5: \"549166,92\" is not a number"},
        {"200 549166.92 N/A -200 200", "line 5: \"N/A\" in column Y is not a number"},
        {"200 549166.92 6414711.02 nan 200", "line 5: \"nan\" in column Z is not a number"},
        {"200 549166.92 6414711.02 1e39 200", "line 5: 1e39 in column Z is too large"},
        {"200 549166.92", "line 5: 2 words, too few for the chosen columns"},
    };
    for (const auto& d : damages) {
        const WellFile f = parseWellFile(fiveStations(2, d.line));
        const WellReport r = loadWell(f, preselectedColumns(f.columns), WellConfirmation::Ok, "en", "D-1.dev");
        ASSERT_TRUE(r.accepted) << d.line;
        EXPECT_EQ(r.skippedRows, 1) << d.line;
        ASSERT_EQ(r.trajectory.size(), 4u) << d.line;
        for (const auto& p : r.trajectory) {
            EXPECT_FLOAT_EQ(p[1], 549166.92f) << d.line;  // no column ever moves into another
            EXPECT_FLOAT_EQ(p[2], 6414711.02f) << d.line;
            EXPECT_FLOAT_EQ(p[3], -p[0]) << d.line;
        }
        const auto* said = logWith(r, "D-1.dev: 1 data lines not used: " + d.said + ".");
        ASSERT_NE(said, nullptr) << d.line;
        EXPECT_EQ(said->colour, log_colour::Orange);
        // The line lay between two stations used: the gap is named by their depths.
        const auto* gap = logWith(r,
                                  "D-1.dev: the well is drawn as a straight line across the data lines not used, "
                                  "between MD 100 (line 4) and MD 300 (line 6)");
        ASSERT_NE(gap, nullptr) << d.line;
        EXPECT_EQ(gap->colour, log_colour::Orange);
        EXPECT_EQ(r.lines.back().text, texts::LoadedLog);
    }

    // A word that is no number in a column not chosen changes no point and is not worth a word.
    const WellFile tvd = parseWellFile(fiveStations(2, "200 549166.92 6414711.02 -200 N/A"));
    const WellReport kept = loadWell(tvd, preselectedColumns(tvd.columns), WellConfirmation::Ok, "en", "D-1.dev");
    EXPECT_EQ(kept.trajectory.size(), 5u);
    EXPECT_EQ(kept.skippedRows, 0);
    ASSERT_EQ(kept.lines.size(), 1u);

    // Lines left out at the start shorten the well without a gap; many are counted, not all listed; Russian.
    std::string many = "# WELL NAME: D-2\nMD X Y Z\n";
    for (int i = 0; i < 7; ++i) many += "x 1 2 3\n";
    many += "700 1 2 -3\n";
    const WellFile m = parseWellFile(many);
    const WellReport ru = loadWell(m, preselectedColumns(m.columns), WellConfirmation::Ok, "ru", "D-2.dev");
    ASSERT_TRUE(ru.accepted);
    EXPECT_EQ(ru.skippedRows, 7);
    ASSERT_EQ(ru.lines.size(), 3u);  // the trace, the orange line and the green one: no gap
    EXPECT_EQ(ru.lines[1].text,
              "D-2.dev: не использовано строк данных: 7: строка 3: \"x\" в столбце MD — не число; строка 4: \"x\" в "
              "столбце MD — не число; строка 5: \"x\" в столбце MD — не число; строка 6: \"x\" в столбце MD — не "
              "число; строка 7: \"x\" в столбце MD — не число; и ещё 2.");
}

TEST(WellReaderTest, LinesWithoutChosenColumnsAreNamedAndAWellWithoutPointsIsRefused)
{
    const WellFile f = parseWellFile("# WELL NAME: S\nMD X Y Z\n0 1 2 3\nnot numbers\n\n5 6 7\n10 11 12 13 14\n");
    ASSERT_EQ(f.rows.size(), 4u);  // the blank line is no row
    EXPECT_EQ(f.usualWords, 4u);   // four lengths once each: the header's
    const WellReport r = loadWell(f, preselectedColumns(f.columns), WellConfirmation::Ok, "en", "s.dev");
    ASSERT_TRUE(r.accepted);
    EXPECT_EQ(r.skippedRows, 3);
    ASSERT_EQ(r.trajectory.size(), 1u);
    EXPECT_EQ(r.trajectory[0], (std::vector<float>{0, 1, 2, 3}));
    EXPECT_NE(logWith(r,
                      "s.dev: 3 data lines not used: line 4: 2 words, too few for the chosen columns; line 6: 3 "
                      "words, too few for the chosen columns; line 7: 5 words where the other lines hold 4."),
              nullptr);
    EXPECT_NE(logWith(r, texts::LoadedLog), nullptr);

    const WellFile garbage = parseWellFile("# WELL NAME: G\nMD X Y Z\nabc def\n\x01\x02\xff\n");
    const WellReport g = loadWell(garbage, preselectedColumns(garbage.columns), WellConfirmation::Ok, "en", "g.dev");
    EXPECT_FALSE(g.accepted);
    EXPECT_TRUE(g.trajectory.empty());
    const auto* line = logWith(g, std::string(texts::NoPointsPrefix) + "G (g.dev)");
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->colour, log_colour::Red);
    EXPECT_NE(logWith(g,
                      "g.dev: 2 data lines not used: line 3: 2 words, too few for the chosen columns; line 4: 1 "
                      "words, too few for the chosen columns."),
              nullptr);
}

TEST(WellReaderTest, PointsFarOutsideTheGridAreSaid)
{
    // A grid of 2 x 1 km at x 549..551 km, y 6414..6415 km; a kilometre or two beyond its edge is still near.
    GridExtent grid;
    grid.xMin = 549.0f, grid.xMax = 551.0f, grid.yMin = 6414.0f, grid.yMax = 6415.0f;
    const std::vector<std::vector<float>> near{{0, 548100, 6414500, 0}, {100, 552900, 6416900, -100}};
    EXPECT_FALSE(footprintWarning("N", near, grid, "en", "n.dev"));
    // -999.25 as X, and a point 30 km away.
    const std::vector<std::vector<float>> far{
        {0, 550000, 6414500, 0}, {100, -999.25f, 6414500, -100}, {200, 580000, 6414500, -200}};
    const auto said = footprintWarning("F", far, grid, "en", "f.dev");
    ASSERT_TRUE(said);
    EXPECT_EQ(said->colour, log_colour::Orange);
    EXPECT_EQ(said->text,
              "Well F (f.dev): 2 of 3 points lie far outside the grid (x 549 to 551 km, y 6414 to 6415 "
              "km); the well is drawn as read");
}

// A depth no well reaches (a sentinel such as -1e30, a depth in millimetres) loads as read with a warning counting
// the points; a deep but real well (12 km measured) loads without one.
TEST(WellReaderTest, DepthsBeyondAnyWellAreSaid)
{
    const WellFile deep = parseWellFile("# WELL NAME: D\nMD X Y Z\n0 1 2 30\n12000 1 2 -10500\n");
    const WellReport d = loadWell(deep, preselectedColumns(deep.columns), WellConfirmation::Ok, "en", "d.dev");
    ASSERT_TRUE(d.accepted);
    EXPECT_EQ(std::count_if(d.lines.begin(), d.lines.end(),
                            [](const PropertyReportLine& l) { return l.colour == log_colour::Orange; }),
              0);

    const WellFile wild = parseWellFile("# WELL NAME: W\nMD X Y Z\n0 1 2 30\n100 1 2 -1e30\n25000 1 2 -900\n");
    const WellReport w = loadWell(wild, preselectedColumns(wild.columns), WellConfirmation::Ok, "en", "w.dev");
    ASSERT_TRUE(w.accepted);
    EXPECT_EQ(w.trajectory[1][3], -1e30f);  // kept as read
    const auto* said = logWith(w,
                               "Well W (w.dev): 2 of 3 points lie deeper or higher than 20 km (depths -1e+30 to 30, "
                               "measured depths 0 to 25000); the well is drawn as read");
    ASSERT_NE(said, nullptr) << w.lines.back().text;
    EXPECT_EQ(said->colour, log_colour::Orange);
}

// A cut or doubled survey leaves evidence: a last data line without its line end (the file may be cut inside a
// number of it), and a measured depth that does not increase (a line written twice). Each is said in orange with
// the file and the line, and the points are kept as read. A whole file with rising depths says neither.
TEST(WellReaderTest, ACutLastLineAndDepthsThatDoNotIncreaseAreSaid)
{
    const std::string whole = "# WELL NAME: C\nMD X Y Z\n0 1 2 30\n10 1 2 20\n20 1 2 10\n";
    auto orange = [](const WellReport& r) {
        std::vector<std::string> said;
        for (const auto& l : r.lines)
            if (l.kind == PropertyReportLine::Kind::Log && l.colour == log_colour::Orange) said.push_back(l.text);
        return said;
    };
    // Whole, with either line end; stopped without the last line end; stopped in the blanks before a next row.
    for (const std::string& text :
         {whole, test::withCrlf(whole), whole.substr(0, whole.size() - 1), whole + "     ", whole + "\n"}) {
        const bool open = text.back() != '\n';
        const WellFile f = parseWellFile(text);
        const WellReport r = loadWell(f, preselectedColumns(f.columns), WellConfirmation::Ok, "en", "c.dev");
        ASSERT_TRUE(r.accepted);
        ASSERT_EQ(r.trajectory.size(), 3u);
        const std::string line = text.back() == ' ' ? "6" : "5";
        EXPECT_EQ(orange(r), open ? std::vector<std::string>{"c.dev: the file stops at line " + line +
                                                             " without a line end: it may be cut there; the points "
                                                             "are kept as read"}
                                  : std::vector<std::string>{});
    }
    // Cut inside the last depth: 10 is read where 1 0 stood, and said.
    const WellFile cut = parseWellFile(whole.substr(0, whole.size() - 2));
    const WellReport c = loadWell(cut, preselectedColumns(cut.columns), WellConfirmation::Ok, "ru", "c.dev");
    ASSERT_TRUE(c.accepted);
    EXPECT_EQ(c.trajectory.back()[3], 1.0f);
    EXPECT_EQ(orange(c), std::vector<std::string>{"c.dev: файл обрывается на строке 5 без перевода строки: возможно, "
                                                  "он обрезан там; точки оставлены как прочитаны"});

    const WellFile twice = parseWellFile(
        "# WELL NAME: C\nMD X Y Z\n0 1 2 30\n10 1 2 20\n10 1 2 20\n20 1 2 10\n"
        "15 1 2 12\n");
    const WellReport t = loadWell(twice, preselectedColumns(twice.columns), WellConfirmation::Ok, "en", "t.dev");
    ASSERT_TRUE(t.accepted);
    EXPECT_EQ(t.trajectory.size(), 5u);
    EXPECT_EQ(orange(t), std::vector<std::string>{"t.dev: the measured depth does not increase at line 5 (MD 10 after "
                                                  "10 on line 4); line 7 (MD 15 after 20 on line 6); the points are "
                                                  "kept as read"});
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
            // Its words are kept; the file is named beside them.
            EXPECT_NE(logWith(loadWell(f, preselectedColumns(f.columns), how, "en", "a.dev"),
                              std::string(texts::NoNameLog) + " (a.dev)"),
                      nullptr);
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
    EXPECT_NE(
        logWith(loadWell(f, c, WellConfirmation::Ok, "en", "L.dev"), std::string(texts::NoColumnsLog) + " (L.dev)"),
        nullptr);
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
