// Production files: each separator and decimal mark, a header, empty and missing volumes; a line that cannot be
// read refuses the whole file, naming the line.
#include <gtest/gtest.h>

#include "io/production_reader.h"

namespace morvane {
namespace {

struct Volumes {
    std::string name;
    float oil, water, gas;
    friend bool operator==(const Volumes&, const Volumes&) = default;
};

std::vector<Volumes> volumesOf(const ProductionFile& file)
{
    std::vector<Volumes> out;
    for (const ProductionRow& row : file.rows) out.push_back({row.name, row.oil, row.water, row.gas});
    return out;
}

TEST(ProductionFile, ReadsTabsSemicolonsOrCommasWithEitherDecimalMark)
{
    // Tabs, a header, decimal commas, CRLF, a byte order mark, a blank line, an empty and a missing volume.
    const ProductionFile tabs =
        parseProductionText("\xEF\xBB\xBFWell\tOil\tWater\tGas\r\nA\t12,5\t3\t\r\n\r\n B 2 \t1e3\t\t0.5\r\nC\t7");
    ASSERT_TRUE(tabs.read()) << tabs.error;
    EXPECT_TRUE(tabs.headerSkipped);
    EXPECT_EQ(volumesOf(tabs), (std::vector<Volumes>{{"A", 12.5f, 3, -1}, {"B 2", 1000, -1, 0.5f}, {"C", 7, -1, -1}}));
    EXPECT_EQ(tabs.rows[1].line, 4);

    // Semicolons (a spreadsheet's export in a decimal-comma region): quoted names, separators of empty columns.
    const ProductionFile semicolons = parseProductionText("\"Скв-1\";300;100,25;2;;\nP-2;0;0;0;");
    ASSERT_TRUE(semicolons.read()) << semicolons.error;
    EXPECT_FALSE(semicolons.headerSkipped);
    EXPECT_EQ(volumesOf(semicolons), (std::vector<Volumes>{{"Скв-1", 300, 100.25f, 2}, {"P-2", 0, 0, 0}}));

    const ProductionFile commas = parseProductionText("A,1.5,2.5,-1\n");
    EXPECT_EQ(volumesOf(commas), (std::vector<Volumes>{{"A", 1.5f, 2.5f, -1}}));
}

TEST(ProductionFile, ALineThatCannotBeReadRefusesTheFile)
{
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        // Decimal commas between comma-separated columns would shift every volume.
        {"A,12,5,3,4\n", "line 1: more than four columns"},
        {"A;1;2;3\nB;x;2;3\n", "line 2: \"x\" is not a number"},
        {"A;1;2;3\nB;1;2;1e39\n", "line 2: \"1e39\" is not a number"},  // beyond a float
        {"A;1\n\nJustAName\n", "line 3: a well name and its oil"},
        {"A;1\n;2;3;4\n", "line 2: no well name"},
        // A negative volume is no production; only -1 (not known) is.
        {"A;1;-1;2\nB;3;-0.5;4\n", "line 2: the water volume -0.5 is negative"},
        {"A;-1;-1;-1\nB;-999.25;1;1\n", "line 2: the oil volume -999.25 is negative"},
        {"A;1e6;1;1\nB\n", "line 2: a well name and its oil"},  // a volume noted before the refusal goes too
    };
    for (const auto& c : cases) {
        const ProductionFile file = parseProductionText(c.text);
        EXPECT_FALSE(file.read()) << c.text;
        EXPECT_TRUE(file.rows.empty()) << c.text;
        EXPECT_TRUE(file.excess.empty()) << c.text;
        EXPECT_EQ(file.error.rfind(c.error, 0), 0u) << file.error;
    }
}

// A volume no well can have is kept as read and noted with its line, well and column, in either language.
TEST(ProductionFile, AVolumeBeyondAnyWellsIsKeptAndNoted)
{
    const ProductionFile file = parseProductionText("A;100000;1;1\nB;1;1;1e38\nC;1;100001;1\n");
    ASSERT_TRUE(file.read());
    ASSERT_EQ(file.rows.size(), 3u);
    EXPECT_EQ(file.rows[1].gas, 1e38f);
    ASSERT_EQ(file.excess.size(), 2u);  // 100000 itself is a volume
    EXPECT_EQ(productionExcessText(file.excess[0], "P.csv", "en"),
              "P.csv, line 2, well B: gas 1e+38 is more than any well produces (more than 100000 million m3); the "
              "value is kept as read");
    EXPECT_EQ(productionExcessText(file.excess[1], "P.csv", "ru"),
              "P.csv, строка 3, скважина C: вода 100001 больше, чем даёт любая скважина (более 100000 тыс. м3); "
              "значение оставлено как прочитано");
}

// A file that stops right after a row without its line end may have been cut inside that row (a volume cut short,
// the last columns lost): the row is kept as read and its line is noted. A file ending with its line end, in any of
// the three forms, or with blanks after it, notes nothing.
TEST(ProductionFile, ALastRowWithoutItsLineEndIsNoted)
{
    const std::string whole = "Well;Oil;Water;Gas\nW-1;120.5;30.25;4.5\nW-2;80;12.5;2.75\n";
    for (const std::string& text : {whole, std::string("Well\tOil\tWater\tGas\r\nW-1\t1\t2\t3\r\n"),
                                    std::string("Well;Oil;Water;Gas\rW-1;1;2;3\r"), whole + "  "}) {
        const ProductionFile file = parseProductionText(text);
        ASSERT_TRUE(file.read());
        EXPECT_EQ(file.openLastLine, 0) << text;
    }
    const ProductionFile shortened = parseProductionText(whole.substr(0, whole.size() - 4));
    ASSERT_TRUE(shortened.read());
    EXPECT_EQ(volumesOf(shortened), (std::vector<Volumes>{{"W-1", 120.5f, 30.25f, 4.5f}, {"W-2", 80, 12.5f, 2}}));
    EXPECT_EQ(shortened.openLastLine, 3);
    EXPECT_EQ(productionCutText(shortened.openLastLine, "P.csv", "en"),
              "P.csv, line 3, the last, has no line end: the file may be cut inside it; its volumes are kept as read");
    EXPECT_EQ(productionCutText(2, "P.csv", "ru"),
              "P.csv, строка 2, последняя, не завершена переводом строки: файл, возможно, обрезан на ней; её объёмы "
              "оставлены как прочитаны");
    const ProductionFile lost = parseProductionText("Well;Oil;Water;Gas\nW-1;120.5;30.2");
    ASSERT_TRUE(lost.read());
    EXPECT_EQ(volumesOf(lost), (std::vector<Volumes>{{"W-1", 120.5f, 30.2f, -1}}));
    EXPECT_EQ(lost.openLastLine, 2);
}

// Files in the shapes spreadsheets write: the separator and the decimal mark are settled by the whole file, a
// thousands separator is read only when another volume settles what its comma is, a header is told by its words,
// and a row with more columns than the others (a decimal comma between comma-separated columns) is refused.
TEST(ProductionFile, SettlesSeparatorAndDecimalMarkFromTheWholeFile)
{
    const struct {
        const char* text;
        std::vector<Volumes> volumes;  // empty: refused
        const char* error;             // the start of the refusal
    } cases[] = {
        // "12,345" alone may be thousands or decimals; a decimal comma or a point elsewhere settles it.
        {"W-1;12,345;1;1\nW-2;3;4;5\n", {}, "line 1: the oil volume \"12,345\" may be thousands or decimals"},
        {"W-1;12,345;1;1\nW-2;1,5;4;5\n", {{"W-1", 12.345f, 1, 1}, {"W-2", 1.5f, 4, 5}}, ""},
        {"W-1;12,345;1;1\nW-2;1.5;4;5\n", {{"W-1", 12345, 1, 1}, {"W-2", 1.5f, 4, 5}}, ""},
        {"W-1\t1,234.5\t1.234,5\t0,125\n", {{"W-1", 1234.5f, 1234.5f, 0.125f}}, ""},
        // A header is told by its words, not by a number that fails to read.
        {"W-3;150;2O;6\nW-1;1;2;3\n", {}, "line 1: \"2O\" is not a number"},
        {"Скважина;Нефть, тыс. м3;Вода;Газ\nW-1;1;2;3\n", {{"W-1", 1, 2, 3}}, ""},
        // Decimal commas between comma-separated columns: more columns than the header or the other rows.
        {"Well,Oil,Water\nP-1,12,30\nP-2,64,5,30\n", {}, "line 3: 4 columns where the header on line 1 has 3"},
        {"P-1,12,30\nP-3,1,2\nP-2,64,5,30\n", {}, "line 3: 4 columns where the other rows have 3"},
        {"\"P-1\",\"64,5\",\"30\"\n", {{"P-1", 64.5f, 30, -1}}, ""},
    };
    for (const auto& c : cases) {
        const ProductionFile file = parseProductionText(c.text);
        EXPECT_EQ(volumesOf(file), c.volumes) << c.text;
        EXPECT_EQ(file.error.rfind(c.error, 0), 0u) << c.text << " -> " << file.error;
    }
}

}  // namespace
}  // namespace morvane
