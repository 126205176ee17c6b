// The key pictures of the view compared with stored baselines: the demo model's shell as the grid import leaves
// it, the layer view, the flat section, and the cells in the colours of the demo's porosity. Each comes through the
// commands a user runs, so a fault anywhere on the road from the file to the frame shows as a changed picture.
// Refresh the baselines after an intended change with MORVANE_UPDATE_BASELINES=1 (see baseline_images.h).
#include <gtest/gtest.h>

#include "commands/grid_import_command.h"
#include "commands/property_import_command.h"
#include "commands/view_modes.h"
#include "tests/support/baseline_images.h"
#include "tests/support/offscreen_scene.h"
#include "tests/support/recorded_prompts.h"
#include "tests/support/scene_feedback_recorder.h"

namespace morvane {
namespace {

using namespace morvane::testing;

class Baselines : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(scene.ok()) << scene.error();
        const auto demo = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "demo";
        NoGridImportWindow noWindow;
        RecordedPrompts prompts({});
        ASSERT_EQ(
            importGridFile({scene.s(), feedback, scene.view(), noWindow, prompts}, (demo / "DEMO.GRDECL").string()),
            GridImportOutcome::Loaded);
        demoProperties = (demo / "DEMO_props.GRDECL").string();
    }

    OffscreenScene scene{320, 240};
    test::FeedbackRecorder feedback;
    std::string demoProperties;
};

TEST_F(Baselines, DemoShell) { EXPECT_TRUE(matchesBaseline(scene.frame(), "demo_shell")); }

TEST_F(Baselines, LayerView)
{
    switchLayerView(scene.s(), &scene.view(), false);
    EXPECT_TRUE(matchesBaseline(scene.frame(), "layer_view"));
}

TEST_F(Baselines, FlatSection)
{
    switchFlatSection(scene.s(), &scene.view(), false);
    EXPECT_TRUE(matchesBaseline(scene.frame(), "flat_section"));
}

TEST_F(Baselines, PropertyColours)
{
    // Porosity (type 4) and facies (type 2) imported, then porosity chosen in the model tree.
    NoPropertyImportWindow noWindow;
    RecordedPrompts prompts({});
    prompts.typeAnswers = {std::vector<int>{4, 2}};
    ModelState& s = scene.s();
    const PropertyImportResult imported =
        importPropertyFile({s, feedback, scene.view(), noWindow, prompts}, demoProperties);
    ASSERT_EQ(imported.accepted, 2);
    s.view.shownProperty = imported.names.front();  // porosity chosen in the model tree
    rebuildDisplayedProperty(s, &scene.view());
    s.view.display.gridLines = false;  // the colours, not the cell edges
    EXPECT_TRUE(matchesBaseline(scene.frame(), "property_colours"));
}

}  // namespace
}  // namespace morvane
