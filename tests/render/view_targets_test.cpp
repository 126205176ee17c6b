// What the view's grid and property operations show in the main window: the statistics fields, the data tree and
// the events log, in the order the user sees them, for a built grid, a rejected one and a property load.
#include <gtest/gtest.h>

#include "tests/support/render_fixtures.h"

namespace morvane {
namespace {

using namespace morvane::testing;

// Records every call on the window's targets as one line, in order.
class WindowRecorder final : public Feedback, public ModelStatFields, public DataTree {
public:
    void setStatus(const std::string&) override {}
    void setProgress(int) override {}
    int progress() const override { return 0; }
    void appendLog(const std::string& text, LogColour colour) override
    {
        calls.push_back(std::string(colour == log_colour::Green ? "green: "
                                    : colour == log_colour::Red ? "red: "
                                                                : "log: ") +
                        text);
    }
    void trace(const std::string& line) override { traces.push_back(line); }
    void showModelStat(const ModelStatTexts& t) override
    {
        calls.push_back("stat: " + t.modelStat_cell_i + " | " + t.modelStat_cell_j + " | " + t.modelStat_cell_k +
                        " | " + t.modelStat_cell_ijk + " | " + t.modelStat_resol);
    }
    void clearTree() override { calls.push_back("tree cleared"); }
    void showGridNode(const std::string& name) override { calls.push_back("tree root: " + name); }
    void addPropertyNode(const std::string& name, int type) override
    {
        calls.push_back("tree node: " + name + " " + std::to_string(type));
    }
    std::vector<std::string> calls, traces;
};

struct Viewed {
    ModelState state;
    WindowRecorder window;
    std::unique_ptr<OffscreenRenderer> view;
    Viewed()
    {
        std::string error;
        view = OffscreenRenderer::create(state, 64, 48, &error, OffscreenRenderer::Start::startGL, &window, &window,
                                         &window);
        EXPECT_TRUE(view) << error;
    }
};

TEST(ViewTargets, ABuiltGridFillsTheStatisticsTheTreeAndTheLogInOrder)
{
    Viewed v;
    ASSERT_TRUE(v.view);
    putGeneratedGrid(v.state, smallGrid(3, 2, 4));
    EXPECT_EQ(v.view->buildGridMeshes(), GridBuildOutcome::Built);
    EXPECT_EQ(v.window.calls, (std::vector<std::string>{"stat: 2 | 3 | 4 | 24 | 50 x 50", "tree root: TEST",
                                                        "log: No ACTNUM: every cell is active (TEST: 24 cells).",
                                                        "green: Grid is loaded successfully"}));
    EXPECT_FALSE(v.window.traces.empty());
    // The reference plane was rebuilt for the grid and uploaded: 13 lines along y plus the lines along x.
    EXPECT_GT(v.state.xy_plane.size(), 13u * 12u);
    EXPECT_NE(v.view->scene().gpu().referencePlane.vao, 0u);
}

TEST(ViewTargets, ARejectedLayoutSaysWhyInRedAndKeepsTheTree)
{
    Viewed v;
    ASSERT_TRUE(v.view);
    putGeneratedGrid(v.state, smallGrid(3, 2, 1));
    v.state.document.grid.input.cornerDepths.pop_back();  // 47 depths for a 3 x 2 layer
    EXPECT_EQ(v.view->buildGridMeshes(), GridBuildOutcome::LayoutRejected);
    EXPECT_EQ(v.window.calls,
              (std::vector<std::string>{"red: Grid was not loaded. There are some problems with ZCORN array.",
                                        "red: The ZCORN section of TEST holds 47 values; 2 rows of 3 cells take 48 "
                                        "per layer (two surfaces of 24), so 48 were expected."}));
    EXPECT_FALSE(v.state.document.grid.loaded);
    // Nothing is uploaded for a grid that is not loaded.
    v.view->uploadGrid();
    EXPECT_TRUE(v.view->scene().gpu().gridLines.vaos.empty());
}

// A recolour tells no window anything (the import command adds the tree node and says it in the log), and the
// cells are coloured and uploaded again only when something they are coloured from has changed.
TEST(ViewTargets, ARecolourUploadsOnlyWhenItsSourceChanged)
{
    Viewed v;
    ASSERT_TRUE(v.view);
    putGeneratedGrid(v.state, smallGrid(2, 2, 1));
    v.view->buildGridMeshes();
    v.view->uploadGrid();
    v.window.calls.clear();
    loadContinuousProperty(v.state, *v.view, {0.1, 0.2, 0.3, 0.4}, 0, "PORO");
    EXPECT_TRUE(v.window.calls.empty());
    EXPECT_TRUE(v.state.cellsColoured());
    ASSERT_EQ(v.view->scene().gpu().cells.vaos.size(), 1u);
    const GLName first = v.view->scene().gpu().cells.vaos[0];

    v.view->recolourCells();  // nothing changed: the same objects
    EXPECT_EQ(v.view->scene().gpu().cells.vaos[0], first);
    v.state.view.filter = PropertyFilterSetting::cutAt(0.25f, true);
    v.view->recolourCells();
    ASSERT_EQ(v.view->scene().gpu().cells.vaos.size(), 1u);
    const GLName filtered = v.view->scene().gpu().cells.vaos[0];
    EXPECT_NE(filtered, 0u);
    ++v.state.document.properties.revision;  // a colour or limit changed
    v.view->recolourCells();
    EXPECT_NE(v.view->scene().gpu().cells.vaos[0], 0u);
    EXPECT_TRUE(v.window.calls.empty());
}

}  // namespace
}  // namespace morvane
