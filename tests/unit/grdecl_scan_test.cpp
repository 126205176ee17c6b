// The shared GRDECL scanning: keywords, section cut and the number scan with its repeats and bound.
#include "io/grdecl_scan.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace morvane::grdecl {
namespace {

constexpr std::size_t npos = std::string_view::npos;

// What a scan hands on, word by word: a plain value as {1, v, false}, n*v as {n, v, true}.
struct Word {
    std::uint64_t count;
    double value;
    bool repeat;
    bool operator==(const Word&) const = default;
};

struct Recorded {
    std::vector<Word> words;
    ScanSummary summary;
};

Recorded record(std::string_view text, std::size_t maxValues = kMaxSectionValues)
{
    Recorded r;
    r.summary = scanNumbers(
        text,
        [&](double v) {
        r.words.push_back({1, v, false});
        },
        [&](std::uint64_t n, double v) {
        r.words.push_back({n, v, true});
    },
    maxValues);
    return r;
}

std::vector<double> expanded(std::string_view text)
{
    std::vector<double> out;
    scanExpanded(text, out);
    return out;
}

TEST(GrdeclKeyword, IsAWholeWordFollowedBySpaceOrLineEnd)
{
    EXPECT_EQ(findKeyword("COORD\n1 2 3", "COORD"), 0u);
    EXPECT_EQ(findKeyword("COORD\r\n1 2 3", "COORD"), 0u);
    EXPECT_EQ(findKeyword("  COORD", "COORD"), 2u);  // at the end of the text
    EXPECT_EQ(findKeyword("x\tCOORD\t-- Generated : Petrel\n", "COORD"), 2u);
    EXPECT_EQ(findKeyword("COORDSYS\n 1 1 /\n", "COORD"), npos);
    EXPECT_EQ(findKeyword("'GRID_COORD.GRDECL' /", "COORD"), npos);
    EXPECT_EQ(findKeyword("XCOORD 1", "COORD"), npos);
    EXPECT_EQ(findKeyword("COORD-- note\n", "COORD"), npos);
    EXPECT_EQ(findKeyword("COORDSYS\nCOORD\n", "COORD"), 9u);
    // The "/" that ends one section may stand right against the next keyword.
    EXPECT_EQ(findKeyword("1 2 3\n/ZCORN\n4 /", "ZCORN"), 7u);
    EXPECT_EQ(findKeyword("'dir/ZCORN.GRDECL' /", "ZCORN"), npos);
}

TEST(GrdeclKeyword, InsideCommentsIsNotAKeyword)
{
    const std::string text = "-- ZCORN follows below\n1 2 -- and ZCORN again\nZCORN\n5 /";
    EXPECT_EQ(findKeyword(text, "ZCORN"), text.rfind("ZCORN"));
    EXPECT_EQ(findKeyword("-- ZCORN only in a comment\n", "ZCORN"), npos);
    // Many candidates on one commented line are skipped together.
    std::string longComment = "--";
    for (int i = 0; i < 20000; ++i) longComment += " ZCORN";
    EXPECT_EQ(findKeyword(longComment, "ZCORN"), npos);
    EXPECT_EQ(findKeyword(longComment + "\nZCORN 1", "ZCORN"), longComment.size() + 1);
}

TEST(GrdeclKeyword, SearchStartsWhereAsked)
{
    const std::string text = "ZCORN 1 / ZCORN 2 /";
    EXPECT_EQ(findKeyword(text, "ZCORN", 1), 10u);
    EXPECT_EQ(findKeyword(text, "ZCORN", text.size()), npos);
    EXPECT_EQ(findKeyword(text, ""), npos);
}

TEST(GrdeclSection, RunsFromTheKeywordToTheFirstSlashOutsideComments)
{
    EXPECT_EQ(cutSection("SPECGRID 1 /\nCOORD -- a/b\n1 2/3 /", "COORD").value(), " -- a/b\n1 2");
    EXPECT_EQ(cutSection("ZCORN\n1 2 3", "ZCORN").value(), "\n1 2 3");
    EXPECT_EQ(cutSection("ZCORN\n1 2 -- no end/", "ZCORN").value(), "\n1 2 -- no end/");
    EXPECT_FALSE(cutSection("-- ZCORN\n1 2 /", "ZCORN").has_value());
}

TEST(GrdeclScan, PlainValuesAndRepeatsAreHandedOnAsWritten)
{
    const Recorded r = record("  1 -2.5 3*4\r\n+5 .5 0*7 2.5E+03 1e-3 -0 /  9");
    const std::vector<Word> expected{{1, 1.0, false},    {1, -2.5, false},  {3, 4.0, true},
                                     {1, 5.0, false},    {1, 0.5, false},   {0, 7.0, true},
                                     {1, 2500.0, false}, {1, 0.001, false}, {1, -0.0, false}};
    EXPECT_EQ(r.words, expected);
    EXPECT_EQ(r.summary.end, ScanEnd::Terminator);
    EXPECT_EQ(r.summary.values, 1u + 1 + 3 + 1 + 1 + 0 + 1 + 1 + 1);
    EXPECT_EQ(r.summary.entries, 11u);
    EXPECT_EQ(r.summary.stop, std::string_view("  1 -2.5 3*4\r\n+5 .5 0*7 2.5E+03 1e-3 -0 ").size());
}

// Fortran writes its exponents with a D; both letters and both cases read, also inside n*v.
TEST(GrdeclScan, FortranExponents)
{
    EXPECT_EQ(expanded("0.5D+03 1d-2 -2.5D3 2*1.25D+01 7D0/"), (std::vector<double>{500, 0.01, -2500, 12.5, 12.5, 7}));
    EXPECT_EQ(record("1 2D 3").summary.end, ScanEnd::NotANumber);
    EXPECT_EQ(record("1 2D+ 3").words.size(), 1u);
    EXPECT_EQ(record("1 1D400").summary.end, ScanEnd::NotANumber);
}

TEST(GrdeclScan, ExpandsRepeatsOfAnyCountAndKeepsSmallWholeNumbersAsValues)
{
    std::vector<double> expected{-1.5, -1.5, 950, 1, 0, 7};
    expected.insert(expected.end(), 1500, 2.0);
    EXPECT_EQ(expanded("2*-1.5 950 1 0 1*7 1500*2"), expected);
}

TEST(GrdeclScan, NumberAgainstTheTerminatorOrAComment)
{
    EXPECT_EQ(expanded("1 2500.25/"), (std::vector<double>{1, 2500.25}));
    EXPECT_EQ(expanded("3*2500.25/"), (std::vector<double>{2500.25, 2500.25, 2500.25}));
    EXPECT_EQ(expanded("1-- one\n2 -- two / not the end\n3 / 4"), (std::vector<double>{1, 2, 3}));
}

TEST(GrdeclScan, StopsAtTheFirstWordThatIsNotANumber)
{
    struct Case {
        const char* text;
        std::size_t kept;
        std::size_t stop;
    };
    const Case cases[] = {
        {"1 2 ZCORN 3", 2, 4}, {"1 12abc 3", 1, 2}, {"1 3* 4", 1, 2}, {"1 3*x", 1, 2},
        {"1 2.5*3 4", 1, 2},   {"1 -3*2", 1, 2},    {"1 +-2", 1, 2},  {"1 inf", 1, 2},
        {"1 nan 2", 1, 2},     {"1 1e400 2", 1, 2}, {"1 0x10", 1, 2}, {"1 . 2", 1, 2},
        {"1 3**2", 1, 2},      {"1 2*3*4", 1, 2},   {"1 - 2", 1, 2},  {"1 1e3*2", 1, 2},
    };
    for (const Case& c : cases) {
        const Recorded r = record(c.text);
        EXPECT_EQ(r.summary.end, ScanEnd::NotANumber) << c.text;
        EXPECT_EQ(r.words.size(), c.kept) << c.text;
        EXPECT_EQ(r.summary.stop, c.stop) << c.text;
    }
    const Recorded empty = record(" \r\n\t");
    EXPECT_EQ(empty.summary.end, ScanEnd::EndOfText);
    EXPECT_TRUE(empty.words.empty());
}

TEST(GrdeclScan, RefusesToExpandBeyondItsBound)
{
    // The bound counts expanded values: the word that would cross it is not handed on.
    const Recorded r = record("1 2 4*3 5", 5);
    EXPECT_EQ(r.summary.end, ScanEnd::TooMany);
    EXPECT_EQ(r.words.size(), 2u);
    EXPECT_EQ(r.summary.stop, 4u);
    EXPECT_EQ(record("1 2 3*3", 5).summary.end, ScanEnd::EndOfText);
    EXPECT_EQ(record("1 2 3 4 5 6", 5).summary.end, ScanEnd::TooMany);

    // With the default bound an absurd count is refused at once, without allocating.
    std::vector<double> out;
    EXPECT_EQ(scanExpanded("ZCORN 4000000000*1", out).end, ScanEnd::NotANumber);
    EXPECT_EQ(scanExpanded("4000000000*1", out).end, ScanEnd::TooMany);
    EXPECT_EQ(scanExpanded("99999999999999999999999*1", out).end, ScanEnd::TooMany);
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(scanExpanded(std::to_string(kMaxSectionValues + 1) + "*1", out).end, ScanEnd::TooMany);
}

}  // namespace
}  // namespace morvane::grdecl
