// The data manager's production table: cells shown and read with either decimal separator, pastes from the
// clipboard, and the completeness of the volume columns.
#include <gtest/gtest.h>

#include "commands/production_table.h"

namespace morvane {
namespace {

struct Cell {
    int row, column;
    std::string text;
    friend bool operator==(const Cell&, const Cell&) = default;
};

std::vector<Cell> cellsOf(const std::vector<PastedCell>& cells)
{
    std::vector<Cell> out;
    for (const PastedCell& c : cells) out.push_back({c.row, c.column, c.text});
    return out;
}

TEST(ProductionCells, ShowNothingForAnUnknownVolumeAndReadEitherSeparator)
{
    EXPECT_EQ(productionCellText(-1.0f), "");
    EXPECT_EQ(productionCellText(12.5f), "12.5");
    EXPECT_EQ(productionCellText(1000.0f), "1000");
    EXPECT_EQ(productionCellText(0.0f), "0");

    EXPECT_EQ(productionCellValue("12.5"), 12.5f);
    EXPECT_EQ(productionCellValue("12,5"), 12.5f);
    EXPECT_EQ(productionCellValue(" 7 "), 7.0f);
    for (const char* missing : {"", "abc", "1,2,3", "1e39", "nan", "-1"})
        EXPECT_EQ(productionCellValue(missing), -1.0f);
}

TEST(ProductionPaste, EveryLineGoesDownTheColumnAsFarAsTheLastWell)
{
    // Three lines, each closed by a line break, at the first oil cell of five wells.
    EXPECT_EQ(cellsOf(pasteProduction("10\n20\n30\n", 0, OilColumn, 5).cells),
              (std::vector<Cell>{{0, 1, "10"}, {1, 1, "20"}, {2, 1, "30"}}));
    // The last line is pasted without a line break after it too; CR of Windows line ends is not part of a value.
    EXPECT_EQ(cellsOf(pasteProduction("10\r\n20", 0, OilColumn, 5).cells),
              (std::vector<Cell>{{0, 1, "10"}, {1, 1, "20"}}));
    // Five lines into three wells: the rows there are.
    EXPECT_EQ(cellsOf(pasteProduction("1\n2\n3\n4\n5\n", 0, WaterColumn, 3).cells),
              (std::vector<Cell>{{0, 2, "1"}, {1, 2, "2"}, {2, 2, "3"}}));
    // The well column is never pasted into.
    const ProductionPaste intoNames = pasteProduction("X\nY\n", 1, WellColumn, 5);
    EXPECT_TRUE(intoNames.cells.empty() && intoNames.refused.empty());

    // A value that is not a number keeps its cell and is refused; a blank line empties its cell; blank lines at the
    // end are no lines.
    const ProductionPaste mixed = pasteProduction(" 9,5 \nabc\n\n5\n\n \n", 1, GasColumn, 5);
    EXPECT_EQ(cellsOf(mixed.cells), (std::vector<Cell>{{1, 3, "9,5"}, {3, 3, ""}, {4, 3, "5"}}));
    EXPECT_EQ(cellsOf(mixed.refused), (std::vector<Cell>{{2, 3, "abc"}}));
    EXPECT_EQ(refusedPasteLine(mixed.refused[0], "P-2"), "Not a number, so not pasted: \"abc\" (gas of well P-2)");

    // The decimal mark is settled by the whole paste: "12,345" alone is refused, beside a decimal comma it is
    // 12.345, beside a point it is thousands and is written as the cell reads it.
    const ProductionPaste alone = pasteProduction("12,345\n", 0, OilColumn, 5);
    EXPECT_TRUE(alone.cells.empty());
    ASSERT_EQ(alone.refused.size(), 1u);
    EXPECT_EQ(refusedPasteLine(alone.refused[0], "P-1"),
              "Not pasted: \"12,345\" (oil of well P-1) may be thousands or decimals, and no other value of the paste "
              "shows whether its comma separates thousands or decimals");
    EXPECT_EQ(cellsOf(pasteProduction("12,345\n1,5\n", 0, OilColumn, 5).cells),
              (std::vector<Cell>{{0, 1, "12,345"}, {1, 1, "1,5"}}));
    EXPECT_EQ(cellsOf(pasteProduction("12,345\t1.5\n", 0, OilColumn, 5).cells),
              (std::vector<Cell>{{0, 1, "12345"}, {0, 2, "1.5"}}));

    // A block of spreadsheet cells fills the columns to the right, as far as the gas column.
    EXPECT_EQ(cellsOf(pasteProduction("1\t2\t3\n4\t5\n", 3, WaterColumn, 5).cells),
              (std::vector<Cell>{{3, 2, "1"}, {3, 3, "2"}, {4, 2, "4"}, {4, 3, "5"}}));
}

TEST(ProductionCompleteness, AColumnIsCompleteWhenEveryCellHoldsANumber)
{
    const ProductionColumnsCheck some = checkProductionColumns({{"1", "", "2"}, {"1,5", "x", "abc"}});
    EXPECT_TRUE(some.oil);
    EXPECT_FALSE(some.water);
    EXPECT_FALSE(some.gas);
    // Only oil and water cells are traced: one empty, one unreadable.
    EXPECT_EQ(some.trace, (std::vector<std::string>{"here1", "here2", "True", "False", "False"}));
    EXPECT_EQ(productionCompleteness(some), ProductionCompleteness::Partial);

    EXPECT_EQ(productionCompleteness(checkProductionColumns({{"1", "2", "3"}})), ProductionCompleteness::Complete);
    EXPECT_EQ(productionCompleteness(checkProductionColumns({{"", "2", "3"}, {"1", "", ""}})),
              ProductionCompleteness::Missing);
    // No well, no production: an empty table is no complete one.
    EXPECT_EQ(productionCompleteness(checkProductionColumns({})), ProductionCompleteness::Missing);
}

}  // namespace
}  // namespace morvane
