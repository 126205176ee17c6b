// What the status bar says about a picked cell: its I, J, K in the file's numbering and the displayed property's
// value there, in both languages; and the outline that marks it.
#include <gtest/gtest.h>

#include "commands/cell_pick.h"

namespace morvane {
namespace {

// A grid of 3 cells per row, 2 rows, 2 layers whose vertex x is the vertex's number, so an outline names its corners.
ModelState gridOf3x2x2()
{
    ModelState s;
    s.document.grid.loaded = true;
    s.document.grid.rows = 2;
    s.document.grid.columns = 3;
    s.document.grid.layers = 2;
    s.document.grid.surfaceVertices = 4 * 2 * 3;
    s.document.grid.layerVertices.assign(2, Vertices());
    for (Vertices& layer : s.document.grid.layerVertices)
        for (int v = 0; v < 2 * s.document.grid.surfaceVertices; ++v)
            layer.insert(layer.end(), {float(v), 0, 0, 1, 1, 1});
    s.document.grid.cellCount = 12;
    std::vector<double> poro;
    for (int n = 0; n < 12; ++n) poro.push_back(n / 100.0);
    s.document.properties.add(makeContinuousProperty("PORO", PropertyKind::Porosity, poro));
    s.view.shownProperty = "PORO";
    return s;
}

TEST(CellPick, SaysTheCellsFileNumbersAndTheDisplayedValue)
{
    ModelState s = gridOf3x2x2();
    // Cell 5 of the second layer's surface: row 1, column 2, so I = 3, J = 2, K = 2, file position 6 + 3 + 2.
    CellPick pick = pickCell(s, CellHit{1, 5});
    EXPECT_EQ(pick.address, (CellAddress{3, 2, 2}));
    EXPECT_EQ(pick.status, "Cell I = 3, J = 2, K = 2: PORO = 0.11");
    s.document.properties.find("PORO")->values[11] = -999.99;
    s.view.language = "ru";
    EXPECT_EQ(pickCell(s, CellHit{1, 5}).status, "Ячейка I = 3, J = 2, K = 2: PORO не определено");

    // A property of codes shows its code; the bare grid no value, nor a shown property that is gone.
    std::vector<int> codes(12, 0);
    codes[0] = 3;
    s.document.properties.add(makeDiscreteProperty("FACIES", PropertyKind::Facies, codes));
    s.view.shownProperty = "FACIES";
    s.view.language = "en";
    EXPECT_EQ(pickCell(s, CellHit{0, 0}).status, "Cell I = 1, J = 1, K = 1: FACIES = 3");
    s.view.shownProperty.clear();
    EXPECT_EQ(pickCell(s, CellHit{0, 0}).status, "Cell I = 1, J = 1, K = 1");
    s.view.shownProperty = "FACIES";
    s.document.properties.clear();
    EXPECT_EQ(pickCell(s, CellHit{0, 0}).status, "Cell I = 1, J = 1, K = 1");
}

TEST(CellPick, MarksThePickedCellAndAMissOrAStrayHitClearsTheMark)
{
    ModelState s = gridOf3x2x2();
    pickCell(s, CellHit{0, 4});  // row 1, column 1: corners 16..19 on top, 40..43 below
    ASSERT_EQ(s.picked_cell_lines.size(), 24u * 6);
    std::multiset<float> corners;
    for (std::size_t v = 0; v < 24; ++v) corners.insert(s.picked_cell_lines[v * 6]);
    for (float c : {16.f, 17.f, 18.f, 19.f, 40.f, 41.f, 42.f, 43.f}) EXPECT_EQ(corners.count(c), 3u) << c;

    for (const std::optional<CellHit>& stray :
         {std::optional<CellHit>{}, std::optional<CellHit>{CellHit{2, 0}}, std::optional<CellHit>{CellHit{0, 6}}}) {
        pickCell(s, CellHit{0, 4});
        const CellPick pick = pickCell(s, stray);
        EXPECT_FALSE(pick.address);
        EXPECT_EQ(pick.status, "No cell under the pointer");
        EXPECT_TRUE(s.picked_cell_lines.empty());
    }
}

}  // namespace
}  // namespace morvane
