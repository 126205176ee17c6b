// Picking a cell: the pick pass finds the cell the last frame drew at a pixel, in the 3D shell (tops and the side
// walls of every layer), in layer view and in flat section, nothing over the background; the picked cell is
// outlined in the frame.
#include <gtest/gtest.h>

#include "commands/cell_pick.h"
#include "tests/support/offscreen_scene.h"

namespace morvane {
namespace {

using namespace morvane::testing;

std::optional<CellAddress> pickedAt(OffscreenScene& scene, glm::ivec2 pixel)
{
    const std::optional<CellHit> hit = scene.view().scene().pickCell(pixel.x, pixel.y);
    return hit ? cellAddress(scene.s().document.grid, *hit) : std::nullopt;
}

// The centre of the outward wall of cell (k, row 0, column j), on the side of the first cell row.
glm::vec3 nearWallCentre(const ModelState& s, int k, int j)
{
    const Vertices& layer = s.document.grid.layerVertices.at(static_cast<std::size_t>(k));
    glm::vec3 sum(0.0f);
    for (int v :
         {j * 4, j * 4 + 1, j * 4 + s.document.grid.surfaceVertices, j * 4 + 1 + s.document.grid.surfaceVertices})
        sum += glm::vec3(layer[static_cast<std::size_t>(v) * 6], layer[static_cast<std::size_t>(v) * 6 + 1],
                         layer[static_cast<std::size_t>(v) * 6 + 2]);
    return sum / 4.0f;
}

TEST(CellPick, FindsTheCellAtAPixelInTheShellLayerViewAndFlatSection)
{
    OffscreenScene scene(640, 480);
    ASSERT_TRUE(scene.ok()) << scene.error();
    constexpr int nx = 6, ny = 5, nz = 4;
    scene.loadGrid(nx, ny, nz);
    scene.colour(cellValues(nx, ny, nz, [](int k, int i, int j) { return (k * 30 + i * 6 + j) / 119.0; }));
    ModelState& s = scene.s();
    const glm::vec3 startRotation = s.view.camera.rotation;
    s.view.camera.rotation = glm::vec3(-60, 0, 0);  // the near walls in sight
    scene.frame("pick_shell.png");

    for (int i = 0; i < ny; ++i)
        for (int j = 0; j < nx; ++j)
            EXPECT_EQ(pickedAt(scene, scene.topCentrePixel(0, i, j)), (CellAddress{j + 1, i + 1, 1}))
                << "top of row " << i << ", column " << j;
    for (int k = 0; k < nz; ++k)
        EXPECT_EQ(pickedAt(scene, scene.pixelOf(nearWallCentre(s, k, 2))), (CellAddress{3, 1, k + 1}))
            << "wall of layer " << k;
    EXPECT_EQ(pickedAt(scene, {2, 2}), std::nullopt) << "the background";
    EXPECT_EQ(pickedAt(scene, {-1, 10}), std::nullopt) << "outside the view";

    // Layer view of the third layer: its cells, not those of the top layer above it.
    s.view.mode = ViewMode::Layers;
    s.view.layer.shown = 3;
    scene.frame("pick_layer_view.png");
    for (int i = 0; i < ny; ++i)
        EXPECT_EQ(pickedAt(scene, scene.topCentrePixel(2, i, 4)), (CellAddress{5, i + 1, 3})) << "row " << i;

    // Flat section: a top cell on the kept side of the plane is picked, one cut away is not (what lies beyond it is).
    s.view.mode = ViewMode::FlatSection;
    s.view.camera.rotation = startRotation;
    scene.frame("pick_flat_section.png");
    int kept = 0, cut = 0;
    for (int i = 0; i < ny; ++i)
        for (int j = 0; j < nx; ++j) {
            const float distance =
                glm::dot(s.view.frame.model * glm::vec4(topFaceCentre(s, 0, i, j), 1.0f), s.clip_plane0);
            const std::optional<CellAddress> picked = pickedAt(scene, scene.topCentrePixel(0, i, j));
            if (distance > 0.05f) {
                EXPECT_EQ(picked, (CellAddress{j + 1, i + 1, 1})) << "kept row " << i << ", column " << j;
                ++kept;
            } else if (distance < -0.05f) {
                EXPECT_NE(picked, (CellAddress{j + 1, i + 1, 1})) << "cut row " << i << ", column " << j;
                ++cut;
            }
        }
    EXPECT_GT(kept, 0);
    EXPECT_GT(cut, 0);
    s.view.mode = ViewMode::Layers;
    s.view.camera.rotation = glm::vec3(-60, 0, 0);

    // The picked cell is outlined; a miss takes the outline away.
    const std::array<int, 3> magenta = rgb255(1, 0, 1);
    pickCell(s, scene.view().scene().pickCell(scene.topCentrePixel(2, 1, 1).x, scene.topCentrePixel(2, 1, 1).y));
    scene.view().scene().uploadPickedCell();
    EXPECT_GT(countPixels(scene.frame("pick_marked.png"), magenta, 0), 40);
    pickCell(s, std::nullopt);
    scene.view().scene().uploadPickedCell();
    EXPECT_EQ(countPixels(scene.frame(), magenta, 0), 0);
}

}  // namespace
}  // namespace morvane
