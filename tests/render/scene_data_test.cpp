// The arrays that the well, section, bubble and contact builders fill are drawn from the model state once they
// are uploaded: wells under or over the model with their labels and hit positions, the section view's labels in
// section order, bubbles and their values, contact surfaces and the section lines.
#include <gtest/gtest.h>

#include "tests/support/offscreen_scene.h"

namespace morvane {
namespace {

using namespace morvane::testing;

const std::array<int, 3> kBlack{0, 0, 0};

// A vertical well at the centre of the grid's cell (i, j), from 2 m above the top to 2 m below the bottom.
void addVerticalWell(ModelState& s, int i, int j, const std::string& name)
{
    const glm::vec3 top = topFaceCentre(s, 0, i, j);
    const float x = top.x * 1000, y = top.y * 1000;
    const float zTop = s.document.grid.extent.zMax * 1000 + 2, zBottom = s.document.grid.extent.zMin * 1000 - 2;
    s.document.wells.add(Well{name, {{0, x, y, zTop}, {zTop - zBottom, x, y, zBottom}}});
    const auto vertex = [&](float z) { return std::vector<float>{x / 1000, y / 1000, z / 1000, 0, 0, 0}; };
    Vertices shown, hidden;
    for (float z : {s.document.grid.extent.zMax * 1000, s.document.grid.extent.zMin * 1000}) {
        const auto v = vertex(z);
        shown.insert(shown.end(), v.begin(), v.end());
    }
    for (float z : {zTop, s.document.grid.extent.zMax * 1000}) {
        const auto v = vertex(z);
        hidden.insert(hidden.end(), v.begin(), v.end());
    }
    s.well_coord_vertex_show.push_back(shown);
    s.well_coord_vertex_hide.push_back(hidden);
    s.view.frame.wellLabelX.push_back(0);
    s.view.frame.wellLabelY.push_back(0);
}

TEST(Wells, AreDrawnUnderOrOverTheModelWithTheirLabelsAndHitPositions)
{
    OffscreenScene scene(1024, 768);
    ASSERT_TRUE(scene.ok()) << scene.error();
    scene.loadGrid(3, 3, 2);
    scene.colour(cellValues(3, 3, 2, [](int, int, int) { return 0.5; }));
    ModelState& s = scene.s();
    addVerticalWell(s, 1, 1, "W-1");
    addVerticalWell(s, 0, 2, "Скв-2");
    scene.view().uploadWells();

    const RgbaImage under = scene.frame("wells_under.png");
    const glm::vec3 centre = topFaceCentre(s, 0, 1, 1);
    const glm::ivec2 above = scene.pixelOf(centre + glm::vec3(0, 0, 0.001f));   // the part above the model
    const glm::ivec2 inside = scene.pixelOf(centre - glm::vec3(0, 0, 0.005f));  // hidden by the top cells
    EXPECT_TRUE(near(under.at(above.x, above.y), kBlack)) << describe(under.at(above.x, above.y));
    EXPECT_FALSE(near(under.at(inside.x, inside.y), kBlack));

    // Hit positions: the label's lower-left corner in host-panel pixels (the panel is the picture here).
    for (std::size_t w = 0; w < 2; ++w) {
        const auto& last = s.document.wells.items[w].trajectory.back();
        const glm::vec2 p = projectToPixel(s, glm::vec3(last[1], last[2], last[3]) / 1000.0f, 1024, 768);
        EXPECT_NEAR(s.view.frame.wellLabelX[w], p.x + 5, 1.5) << "well " << w;
        EXPECT_NEAR(s.view.frame.wellLabelY[w], p.y, 1.5) << "well " << w;
        // The label's glyphs are just right of and above that corner.
        int labelPixels = 0;
        for (int y = s.view.frame.wellLabelY[w] - 30; y < s.view.frame.wellLabelY[w] + 8; ++y)
            for (int x = s.view.frame.wellLabelX[w]; x < s.view.frame.wellLabelX[w] + 120; ++x)
                labelPixels += near(under.at(x, y), rgb255(0.5f, 0.8f, 0.2f), 12) ? 1 : 0;
        EXPECT_GT(labelPixels, 30) << "label of well " << w;
    }

    // Cut wells: only the part inside the model is drawn.
    s.view.wells.cut = true;
    const RgbaImage cut = scene.frame();
    EXPECT_FALSE(near(cut.at(above.x, above.y), kBlack));

    // Wells over the model: the part inside shows through the cells.
    s.view.wells.cut = false;
    s.view.wells.labelsOnTop = true;
    const RgbaImage over = scene.frame("wells_over.png");
    EXPECT_TRUE(near(over.at(inside.x, inside.y), kBlack)) << describe(over.at(inside.x, inside.y));
}

// A trajectory at y = 6414150 through (x, elevation) stations, in file units, loaded as the import does it.
void importWell(OffscreenScene& scene, const std::string& name, const std::vector<std::array<float, 2>>& stations)
{
    std::vector<std::vector<float>> points;
    for (const auto& [x, z] : stations) points.push_back({static_cast<float>(points.size()) * 10, x, 6414150, z});
    scene.loadWell(name, std::move(points));
}

TEST(Wells, ImportedWellsAreSplitAtTheModelAndDrawnRunByRun)
{
    OffscreenScene scene(1024, 768);
    ASSERT_TRUE(scene.ok()) << scene.error();
    scene.loadGrid(6, 6, 2);  // 300 m square, top at 2000 m, bottom at 2020 m
    scene.colour(cellValues(6, 6, 2, [](int, int, int) { return 0.5; }));
    ModelState& s = scene.s();
    const auto at = [](float x, float z) { return glm::vec3(x, 6414150, z) / 1000.0f; };

    // Deviated: down from the head, then sloping east through the model and out of its bottom.
    std::vector<std::array<float, 2>> deviated{{548050, -1800}};
    for (int n = 0; n <= 10; ++n) deviated.push_back({548050 + 20.0f * n, -1950 - 10.0f * n});
    importWell(scene, "Скв-1", deviated);
    // U-shaped: down through the model, east below it, up through it again.
    importWell(scene, "U-2",
               {{548100, -1960},
                {548100, -2005},
                {548100, -2015},
                {548100, -2060},
                {548200, -2060},
                {548280, -2060},
                {548280, -2025},
                {548280, -2000},
                {548280, -1960}});
    EXPECT_EQ(s.well_show_runs[1], (std::vector<int>{0, 3}));

    s.view.wells.labelsOnTop = true;  // every well drawn over the cells
    s.view.camera.verticalScale = 1;  // everything in the picture
    s.view.camera.scale.z = s.view.camera.scale.x;
    const RgbaImage over = scene.frame("wells_imported.png");
    const auto inPicture = [&](const glm::ivec2& q) { return q.x >= 0 && q.y >= 0 && q.x < 1024 && q.y < 768; };
    for (const glm::vec3& p : {at(548080, -1965), at(548170, -2010), at(548200, -2060), at(548280, -2040)}) {
        const glm::ivec2 q = scene.pixelOf(p);
        ASSERT_TRUE(inPicture(q));
        EXPECT_TRUE(near(over.at(q.x, q.y), kBlack)) << p.x << " " << p.z << " " << describe(over.at(q.x, q.y));
    }
    // One strip per part would join the U well's first point below the model to its re-entry point.
    const glm::ivec2 chord = scene.pixelOf(at(548190, -2042.5f));
    ASSERT_TRUE(inPicture(chord));
    EXPECT_FALSE(near(over.at(chord.x, chord.y), kBlack)) << describe(over.at(chord.x, chord.y));

    // The label sits at the projected last station: the Cyrillic name in the label colour right of it.
    const auto& last = s.document.wells.items[0].trajectory.back();
    const glm::ivec2 anchor = scene.pixelOf(glm::vec3(last[1], last[2], last[3]) / 1000.0f);
    EXPECT_NEAR(s.view.frame.wellLabelX[0], anchor.x + 5, 1.5);
    int labelPixels = 0;
    for (int y = anchor.y - 30; y < anchor.y + 8; ++y)
        for (int x = anchor.x + 5; x < anchor.x + 120; ++x)
            labelPixels += near(over.at(x, y), rgb255(0.5f, 0.8f, 0.2f), 12) ? 1 : 0;
    EXPECT_GT(labelPixels, 30);

    // Cut: the part above the model goes, the part inside stays.
    s.view.wells.cut = true;
    const RgbaImage cut = scene.frame();
    const glm::ivec2 above = scene.pixelOf(at(548080, -1965)), inside = scene.pixelOf(at(548170, -2010));
    EXPECT_FALSE(near(cut.at(above.x, above.y), kBlack));
    EXPECT_TRUE(near(cut.at(inside.x, inside.y), kBlack));
}

TEST(Wells, MoreThanFiveHundredWellsEachGetTheirObjects)
{
    OffscreenScene scene(256, 192);
    ASSERT_TRUE(scene.ok()) << scene.error();
    ModelState& s = scene.s();
    for (int w = 0; w < 501; ++w) {
        // The labels are numbers.
        s.document.wells.add(
            Well{std::to_string(w), {{0, 548900.0f + w, 6414600, 0}, {100, 548900.0f + w, 6414600, -100}}});
        s.view.frame.wellLabelX.push_back(0);
        s.view.frame.wellLabelY.push_back(0);
        scene.view().buildLastWell();
    }
    scene.view().uploadWells();
    ASSERT_EQ(scene.view().scene().gpu().wellsShown.vaos.size(), 501u);
    EXPECT_NE(scene.view().scene().gpu().wellsShown.vaos[500], 0u);
    EXPECT_NE(scene.view().scene().gpu().wellsHidden.vbos[500], scene.view().scene().gpu().wellsHidden.vbos[499]);
    EXPECT_GE(scene.view().scene().objects().liveVertexArrays(), 2 * 501u);
    scene.frame();
    EXPECT_EQ(s.view.frame.wellLabelX.size(), 501u);
}

TEST(Wells, SectionViewLabelsTheSectionWellsInSectionOrder)
{
    OffscreenScene scene(512, 384);
    ASSERT_TRUE(scene.ok()) << scene.error();
    ModelState& s = scene.s();
    for (const char* name : {"A", "B", "C"}) s.document.wells.add(Well{name, {{0, 0, 0, 0}}});
    s.well_coord_vertex_hide.resize(3);
    s.view.frame.wellLabelX.assign(3, 0);
    s.view.frame.wellLabelY.assign(3, 0);
    s.view.section.unfolded = true;
    s.view.camera.rotation = glm::vec3(0.0f);
    s.view.section.wells = {2, 0};
    const glm::vec3 pivot = -s.view.camera.position;
    s.section_well_coord_vertex = {
        {pivot.x - 0.1f, pivot.y, pivot.z, 0, 0, 0, pivot.x - 0.1f, pivot.y + 0.05f, pivot.z, 0, 0, 0},
        {pivot.x + 0.1f, pivot.y, pivot.z, 0, 0, 0, pivot.x + 0.1f, pivot.y - 0.05f, pivot.z, 0, 0, 0}};
    scene.frame("section_labels.png");
    EXPECT_EQ(s.view.frame.projection[2][3], 0.0f);  // orthographic
    // Entry 0 is well C, anchored at the left end; entry 1 is well A, at the right.
    const glm::vec2 left = projectToPixel(s, pivot + glm::vec3(-0.1f, 0.05f, 0), 512, 384);
    const glm::vec2 right = projectToPixel(s, pivot + glm::vec3(0.1f, -0.05f, 0), 512, 384);
    EXPECT_NEAR(s.view.frame.wellLabelX[0], left.x + 5 * 512 / 1024.0, 1.5);
    EXPECT_NEAR(s.view.frame.wellLabelY[0], left.y, 1.5);
    EXPECT_NEAR(s.view.frame.wellLabelX[1], right.x + 5 * 512 / 1024.0, 1.5);
    EXPECT_EQ(s.view.frame.wellLabelX[2], 0);  // untouched: not a section entry
}

TEST(Wells, MoreLabelsThanHitPositionsGrowTheHitLists)
{
    OffscreenScene scene(256, 192);
    ASSERT_TRUE(scene.ok()) << scene.error();
    ModelState& s = scene.s();
    s.document.wells.add(Well{"A", {{0, 548900, 6414600, -2000}}});
    s.document.wells.add(Well{"B", {{0, 548950, 6414600, -2000}}});
    s.well_coord_vertex_hide.resize(2);
    scene.frame();
    EXPECT_EQ(s.view.frame.wellLabelX.size(), 2u);
    EXPECT_EQ(s.view.frame.wellLabelY.size(), 2u);
}

// A disc of `n` triangles around `c` in the horizontal plane, all one colour; the first vertex is the centre.
Vertices disc(const glm::vec3& c, float radius, const glm::vec3& colour, int n = 24)
{
    Vertices v;
    for (int t = 0; t < n; ++t) {
        const float a0 = 6.2831853f * t / n, a1 = 6.2831853f * (t + 1) / n;
        for (const glm::vec3& p : {c, c + radius * glm::vec3(std::cos(a0), std::sin(a0), 0),
                                   c + radius * glm::vec3(std::cos(a1), std::sin(a1), 0)})
            v.insert(v.end(), {p.x, p.y, p.z, colour.r, colour.g, colour.b});
    }
    return v;
}

TEST(Bubbles, ADiscWithProductionIsDrawnAndLabelledAndOneWithoutIsNot)
{
    OffscreenScene scene(1024, 768);
    ASSERT_TRUE(scene.ok()) << scene.error();
    ModelState& s = scene.s();
    const glm::vec3 pivot = -s.view.camera.position;
    const glm::vec3 magenta(1, 0, 1), cyan(0, 1, 1);
    s.circleDiagram = {disc(pivot, 0.05f, magenta), disc(pivot + glm::vec3(0.15f, 0, 0), 0.05f, cyan)};
    s.document.wells.add(Well{"A", {}});
    s.document.wells.add(Well{"B", {}});
    s.document.production.byWell["A"] = WellVolumes{12.5f, 3, kNoVolume};
    s.document.production.byWell["B"] = WellVolumes{kNoVolume, 4, kNoVolume};
    s.view.production.discs = true;
    s.displayCircleDiagrams = true;
    scene.view().uploadProductionDiscs();
    const RgbaImage image = scene.frame("bubbles.png");

    EXPECT_GT(countPixels(image, rgb255(1, 0, 1), 2), 500);
    EXPECT_EQ(countPixels(image, rgb255(0, 1, 1), 2), 0) << "a well without oil volume has no bubble";
    // "12.5K m3" in green right of the centre, "3.0K m3" in blue 30 label units below it.
    const glm::ivec2 c = scene.pixelOf(pivot);
    int green = 0, blue = 0;
    for (int y = c.y - 40; y < c.y + 50; ++y)
        for (int x = c.x; x < c.x + 200; ++x) {
            green += near(image.at(x, y), {0, 255, 0}, 12) ? 1 : 0;
            blue += near(image.at(x, y), {0, 0, 255}, 12) ? 1 : 0;
        }
    EXPECT_GT(green, 40);
    EXPECT_GT(blue, 30);

    s.displayCircleDiagrams = false;
    EXPECT_EQ(countPixels(scene.frame(), rgb255(1, 0, 1), 2), 0);
}

// A frame leaves the model state as it found it but for what readers after it need (its matrices, projections
// and label positions): the turns between frames are the frame timer's, the opacity of each pass stays inside the
// frame, and a character the font lacks leaves no glyph entry behind.
TEST(Frame, WritesBackOnlyWhatLaterReadersNeed)
{
    OffscreenScene scene(320, 240);
    ASSERT_TRUE(scene.ok()) << scene.error();
    ModelState& s = scene.s();
    s.circleDiagram = {disc(-s.view.camera.position, 0.05f, glm::vec3(1, 0, 1))};
    s.document.wells.add(Well{"A", {}});
    s.document.production.byWell["A"] = WellVolumes{1, 1, kNoVolume};
    s.view.production.discs = true;
    s.displayCircleDiagrams = true;
    scene.view().uploadProductionDiscs();
    s.view.animation.spinning = true;
    s.view.animation.turningDown = true;
    s.view.animation.step = 1;
    s.view.display.signature = "\xe4\xb8\xad";
    const ModelState before = s;
    const std::size_t glyphs = scene.view().scene().gpu().glyphs.size();
    scene.frame();
    EXPECT_EQ(s.view.camera.rotation, before.view.camera.rotation);
    EXPECT_EQ(s.view.camera.scale, before.view.camera.scale);
    EXPECT_EQ(s.view.animation.step, before.view.animation.step);
    EXPECT_TRUE(s.view.animation.turningDown);
    EXPECT_EQ(scene.view().scene().gpu().glyphs.size(), glyphs);
}

TEST(Contacts, AShownContactIsDrawnHalfTransparentOverTheCells)
{
    OffscreenScene scene(512, 384);
    ASSERT_TRUE(scene.ok()) << scene.error();
    scene.loadGrid(2, 2, 1);
    scene.colour(cellValues(2, 2, 1, [](int, int, int) { return 1.0; }));  // red cells
    ModelState& s = scene.s();
    // The top surface of the grid, lifted 1 m above the top and coloured blue, with the grid's contact indices.
    const Vertices& top = s.document.grid.layerVertices[0];
    s.OWC_k.assign(top.begin(), top.end());
    for (std::size_t v = 0; v < s.OWC_k.size(); v += 6) {
        s.OWC_k[v + 2] += 0.001f;
        s.OWC_k[v + 3] = 0;
        s.OWC_k[v + 4] = 0;
        s.OWC_k[v + 5] = 1;
    }
    scene.view().uploadContacts();
    const RgbaImage hidden = scene.frame();
    const glm::ivec2 p = scene.topCentrePixel(0, 0, 0);
    EXPECT_TRUE(near(hidden.at(p.x, p.y), {255, 0, 0}));
    s.view.contacts.owc = true;
    const RgbaImage image = scene.frame("owc.png");
    EXPECT_TRUE(near(image.at(p.x, p.y), {128, 0, 128}, 2)) << describe(image.at(p.x, p.y));

    // An index list that names vertices the surface does not have is not drawn at all (no read past the buffer).
    s.OWC_indices.push_back(static_cast<int>(s.OWC_k.size() / 6));
    s.OWC_indices.push_back(0);
    s.OWC_indices.push_back(1);
    scene.view().uploadContacts();
    EXPECT_TRUE(near(scene.frame().at(p.x, p.y), {255, 0, 0}));
}

TEST(WellSection, ShowsTheSectionLinesInsteadOfTheModel)
{
    OffscreenScene scene(512, 384);
    ASSERT_TRUE(scene.ok()) << scene.error();
    scene.loadGrid(2, 2, 1);
    scene.colour(cellValues(2, 2, 1, [](int, int, int) { return 1.0; }));
    ModelState& s = scene.s();
    const glm::vec3 c = topFaceCentre(s, 0, 0, 0);
    const glm::vec3 magenta(1, 0, 1);
    s.intersect_lines = {{c.x, c.y, c.z, 1, 0, 1, c.x + 0.05f, c.y + 0.05f, c.z, 1, 0, 1}};
    s.intersect_owc = {{c.x, c.y, c.z - 0.005f, 0, 1, 1, c.x + 0.05f, c.y + 0.05f, c.z - 0.005f, 0, 1, 1}};
    s.intersect_lines_indices = {{0, 1}};
    s.section_well_coord_vertex.clear();
    scene.view().uploadWellSection();
    s.view.mode = ViewMode::WellSection;
    const RgbaImage image = scene.frame("well_section_lines.png");
    EXPECT_GT(countPixels(image, rgb255(1, 0, 1), 2), 50);
    EXPECT_GT(countPixels(image, rgb255(0, 1, 1), 2), 50);
    EXPECT_EQ(countPixels(image, rgb255(1, 0, 0), 2), 0) << "cells are not drawn in section mode";
}

}  // namespace
}  // namespace morvane
