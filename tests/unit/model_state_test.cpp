// Initial values of the model state that the views and builders start from.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include <glm/glm.hpp>

#include "commands/model_state.h"
#include "scene/grid_geometry.h"

namespace morvane {
namespace {

TEST(ModelStateTest, ContinuousRampsHoldTheirColoursPerKind)
{
    const PropertySet p;
    // Kinds 3, 4, 5, 6 and 9 (NTG, porosity, permeability, water saturation, continuous): low, middle, high.
    const std::array<int, 5> kinds{3, 4, 5, 6, 9};
    const std::array<std::array<Rgb, 3>, 5> expected{{
        {{{0.5f, 0.5f, 0.5f}, {0.55f, 0.5f, 0.45f}, {0.6f, 1, 0.4f}}},
        {{{0.4f, 1, 0.2f}, {1, 1, 0}, {1, 0.4f, 0}}},
        {{{0, 0, 1}, {0, 1, 0}, {1, 0, 0}}},
        {{{0, 1, 0}, {0, 0.5f, 0.5f}, {0, 0, 1}}},
        {{{0.2f, 0.2f, 0.8f}, {0, 1, 0}, {1, 0.6f, 0.2f}}},
    }};
    for (std::size_t n = 0; n < kinds.size(); ++n) {
        const ColourRamp& ramp = p.ramps[static_cast<std::size_t>(kinds[n])];
        EXPECT_EQ(ramp.low, expected[n][0]) << kinds[n];
        EXPECT_EQ(ramp.middle, expected[n][1]) << kinds[n];
        EXPECT_EQ(ramp.high, expected[n][2]) << kinds[n];
    }
    for (int black : {0, 1, 2, 7, 8}) {
        const ColourRamp& ramp = p.ramps[static_cast<std::size_t>(black)];
        EXPECT_EQ(ramp.low, Rgb{}) << black;
        EXPECT_EQ(ramp.high, Rgb{}) << black;
    }
    EXPECT_EQ(p.undefinedColour, (Rgb{127.0f / 255, 127.0f / 255, 127.0f / 255}));
}

TEST(ModelStateTest, CodeColourTablesPerKind)
{
    const PropertySet p;
    for (int empty : {0, 4, 5, 6, 9}) EXPECT_TRUE(p.codeColours[static_cast<std::size_t>(empty)].empty()) << empty;

    const std::vector<Rgb> lithology{{0.7f, 0.7f, 0.7f}, {1, 1, 0},       {1, 0.5f, 0}, {0, 1, 1}, {0, 0.5f, 1},
                                     {0.7f, 0, 1},       {0.7f, 0, 0.1f}, {0, 0, 0},    {0, 0, 0}, {0, 0, 0}};
    EXPECT_EQ(p.codeColours[1], lithology);
    EXPECT_EQ(p.codeColours[2], lithology);
    EXPECT_EQ(p.codeColours[7], lithology);
    std::vector<Rgb> ntg = lithology;
    ntg[1] = {0.6f, 1, 0.4f};
    EXPECT_EQ(p.codeColours[3], ntg);

    const std::vector<Rgb>& discrete = p.codeColours[8];
    ASSERT_EQ(discrete.size(), 11u);
    EXPECT_EQ(discrete[0], (Rgb{1, 0, 0}));
    EXPECT_EQ(discrete[4], (Rgb{0, 0.75f, 1}));
    EXPECT_EQ(discrete[7], (Rgb{0.7f, 0, 0.1f}));
    for (std::size_t code = 8; code <= 10; ++code) EXPECT_EQ(discrete[code], (Rgb{0, 0, 0}));

    // Each document owns its tables: recolouring one code does not leak into another.
    PropertySet other;
    other.codeColours[1][1] = {0, 0, 0};
    EXPECT_EQ(p.codeColours[1][1], (Rgb{1, 1, 0}));
}

TEST(ModelStateTest, FixedDrawingArrays)
{
    const ModelState s;
    // The blue square: six vertices at z = -1 spanning -100..100, all coloured (0, 0, 1).
    const std::array<std::array<float, 2>, 6> corners{
        {{100, 100}, {-100, 100}, {100, -100}, {100, -100}, {-100, 100}, {-100, -100}}};
    for (std::size_t v = 0; v < 6; ++v) {
        EXPECT_EQ(s.infinite[v * 6 + 0], corners[v][0]);
        EXPECT_EQ(s.infinite[v * 6 + 1], corners[v][1]);
        EXPECT_EQ(s.infinite[v * 6 + 2], -1.0f);
        EXPECT_EQ((std::array<float, 3>{s.infinite[v * 6 + 3], s.infinite[v * 6 + 4], s.infinite[v * 6 + 5]}),
                  (std::array<float, 3>{0, 0, 1}));
    }
    for (const auto* cursor : {&s.cursor_point_vertex, &s.cursor_point_vertex2})
        for (std::size_t v = 0; v < 2; ++v) {
            for (std::size_t k = 0; k < 3; ++k) EXPECT_EQ((*cursor)[v * 6 + k], 0.0f);
            EXPECT_EQ((*cursor)[v * 6 + 3], 0.0f);
            EXPECT_EQ((*cursor)[v * 6 + 4], 1.0f);
            EXPECT_EQ((*cursor)[v * 6 + 5], 0.0f);
        }
    for (std::size_t v = 0; v < 6; ++v) {
        EXPECT_EQ(s.flat_plane_vertex[v * 6 + 3], 1.0f);
        EXPECT_EQ(s.flat_plane_vertex[v * 6 + 4], 0.0f);
    }
    EXPECT_EQ(s.clip_plane0, glm::vec4(0.0f, 1.0f, -2.6f, 0.0f));

    // The sample points set the reference plane's extent before a grid is loaded.
    float x_min = 1e9f, x_max = -1e9f, y_min = 1e9f, y_max = -1e9f;
    for (std::size_t v = 0; v < 20; ++v) {
        x_min = std::min(x_min, s.start[v * 6]);
        x_max = std::max(x_max, s.start[v * 6]);
        y_min = std::min(y_min, s.start[v * 6 + 1]);
        y_max = std::max(y_max, s.start[v * 6 + 1]);
    }
    EXPECT_NEAR(x_min, 548.5919f, 1e-3f);
    EXPECT_NEAR(x_max, 549.2283f, 1e-3f);
    EXPECT_NEAR(y_min, 6414.286f, 1e-3f);
    EXPECT_NEAR(y_max, 6414.922f, 1e-3f);
}

TEST(ModelStateTest, CameraStartsFromTheSampleAndTheSavedCameraCopiesIt)
{
    ModelState s;
    EXPECT_EQ(s.view.camera.position, glm::vec3(-548.9129f, -6414.604f, 2.298867f));
    EXPECT_EQ(s.view.camera.rotation, glm::vec3(-70.0f, 0.0f, 0.0f));
    EXPECT_EQ(s.view.camera.verticalScale, 5.0f);
    EXPECT_EQ(s.view.camera.scale, glm::vec3(1.0f, 1.0f, 5.0f));
    EXPECT_EQ(s.view.section.savedCamera.position, s.view.camera.position);
    EXPECT_EQ(s.view.section.savedCamera.rotation, s.view.camera.rotation);
    EXPECT_EQ(s.view.section.savedCamera.scale, s.view.camera.scale);
    EXPECT_EQ(s.view.section.savedCamera.verticalScale, s.view.camera.verticalScale);
    EXPECT_EQ(s.view.frame.model, glm::mat4(1.0f));
    EXPECT_EQ(s.view.frame.width, 1024);
    EXPECT_EQ(s.view.frame.height, 768);
    EXPECT_FLOAT_EQ(s.view.frame.ratio, 2.22f);
    EXPECT_EQ(s.view.display.background, (std::array<int, 3>{51, 76, 76}));

    // The saved camera is a copy, not a view of the live one.
    s.view.camera.position.x = 0.0f;
    s.view.camera.scale.z = 2.0f;
    EXPECT_EQ(s.view.section.savedCamera.position.x, -548.9129f);
    EXPECT_EQ(s.view.section.savedCamera.scale.z, 5.0f);
}

TEST(ModelStateTest, SectionAndContactsStartEmptyWithTheirFixedIndices)
{
    const ModelState s;
    ASSERT_EQ(s.intersect_lines_start_xy.size(), 20u);
    ASSERT_EQ(s.intersect_owc_start_xy.size(), 20u);
    for (const auto& xy : s.intersect_lines_start_xy) EXPECT_EQ(xy, (std::vector<float>{0, 0}));
    for (const auto& xy : s.intersect_owc_start_xy) EXPECT_EQ(xy, (std::vector<float>{0, 0}));
    EXPECT_EQ(s.model_section_indices, (Indices{0, 2, 1, 2, 3, 1}));
    EXPECT_EQ(s.model_section_border_indices, (Indices{0, 1, 1, 3, 3, 2, 2, 0}));
    EXPECT_EQ(s.model_section_color, (std::array<float, 3>{0.5f, 0, 0}));
    EXPECT_EQ(s.model_section_border_color, (std::array<float, 3>{0, 0.5f, 0}));
    EXPECT_TRUE(s.view.section.wells.empty());

    EXPECT_EQ(s.view.contacts.owcColour, (std::vector<float>{0, 0, 1}));
    EXPECT_EQ(s.view.contacts.gocColour, (std::vector<float>{0, 1, 0}));
    EXPECT_TRUE(s.document.contacts.owc.regionProperty.empty());
    EXPECT_FALSE(s.document.contacts.goc.set);
    EXPECT_TRUE(s.document.contacts.owc.uniform);
    EXPECT_TRUE(s.document.contacts.goc.uniform);
    EXPECT_EQ(s.circle_rotation.size(), 500u);
}

TEST(ModelStateTest, GridModesAndTextsStartAsTheProgramOpens)
{
    const ModelState s;
    EXPECT_EQ(s.document.grid.cellSize, 1);
    EXPECT_EQ(s.document.grid.rows * s.document.grid.columns * s.document.grid.layers, 1);
    EXPECT_EQ(s.document.grid.cellCount, 1);
    EXPECT_FLOAT_EQ(s.document.grid.extent.centreZ, -1.8f);
    EXPECT_FLOAT_EQ(s.document.grid.extent.depthRange, 0.5f);
    EXPECT_EQ((std::array<float, 3>{kGridLineColour[0], kGridLineColour[1], kGridLineColour[2]}),
              (std::array<float, 3>{1, 1, 1}));
    EXPECT_FALSE(s.document.grid.loaded);
    EXPECT_TRUE(s.document.grid.input.pillars.empty());
    EXPECT_TRUE(s.view.filter.below);
    EXPECT_FALSE(s.view.filter.on());
    EXPECT_TRUE(s.view.shownProperty.empty());
    EXPECT_TRUE(s.view.layer.oneAtATime);
    EXPECT_TRUE(s.view.is(ViewMode::Shell));
    EXPECT_TRUE(s.view.display.gridLines);
    EXPECT_TRUE(s.view.display.text);
    EXPECT_EQ(s.view.layer.shown, 1);
    EXPECT_EQ(s.view.wells.lineWidth, 5);
    EXPECT_EQ(s.view.wells.labelColour, (std::vector<float>{0.5f, 0.8f, 0.2f}));
    EXPECT_FLOAT_EQ(s.view.production.scale, 1.0f);
    EXPECT_FLOAT_EQ(s.view.production.labelSize, 0.3f);
    EXPECT_EQ(s.view.display.signature, "Morvane");
    EXPECT_EQ(s.view.language, "en");
    EXPECT_EQ(kCoordScale, 1000);
    EXPECT_EQ(ModelState::DIMENSION_MIN, 25);
}

}  // namespace
}  // namespace morvane
