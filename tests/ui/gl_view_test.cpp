// The window view on a real display: its context and start-up, frames drawn by renderFrame and presented by
// presentFrame, the host panel receiving the mouse, resizing to a zero height, release on destruction, and a
// broken shader said in the window's log.
#include <algorithm>
#include <filesystem>

#include <QMouseEvent>
#include <QtTest/QTest>

#include "render/scene_renderer.h"
#include "tests/support/render_fixtures.h"
#include "tests/support/scene_feedback_recorder.h"
#include "tests/support/ui_harness.h"
#include "ui/main_window.h"

namespace morvane {
namespace {

using RecordingLog = test::FeedbackRecorder;

// The host panel: counts the mouse presses that reach it.
class Panel final : public QWidget {
public:
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent*) override { ++presses; }
};

class WindowView : public ::testing::Test {
protected:
    void SetUp() override
    {
        testing::resetProgramState();
        panel = std::make_unique<Panel>();
        panel->resize(480, 360);
        view = new GlView(log, panel.get(), 480, 360, nullptr, nullptr, state);
        panel->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(panel.get()));
        QTest::qWait(50);
    }
    void TearDown() override { panel.reset(); }

    ModelState state;
    RecordingLog log;
    std::unique_ptr<Panel> panel;
    GlView* view = nullptr;
};

TEST_F(WindowView, StartsUpAndDrawsTheModelThroughRender)
{
    ASSERT_TRUE(view->contextReady()) << (log.log.empty() ? "" : log.log.front().text);
    EXPECT_EQ(state.view.camera.rotation, glm::vec3(-70, 0, 40));
    EXPECT_TRUE(log.log.empty()) << log.log.front().text;

    testing::putGeneratedGrid(state, testing::smallGrid(3, 3, 2));
    view->scene().buildGridMeshes();
    view->scene().uploadGrid();
    testing::loadContinuousProperty(state, view->scene(), std::vector<double>(18, 1.0));  // all red
    view->scene().renderFrame();
    view->presentFrame();
    const QImage image = view->grabFramebuffer();
    ASSERT_EQ(image.size(), QSize(480, 360));
    int red = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) red += image.pixelColor(x, y) == QColor(255, 0, 0) ? 1 : 0;
    EXPECT_GT(red, 5000);
    EXPECT_EQ(image.pixelColor(2, 2), QColor(51, 76, 76));
    EXPECT_EQ(state.view.frame.panelWidth, 480);
    EXPECT_EQ(state.view.frame.panelHeight, 360);
}

TEST_F(WindowView, MouseInputReachesTheHostPanel)
{
    QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(100, 100));
    EXPECT_TRUE(view->testAttribute(Qt::WA_TransparentForMouseEvents));
    QTest::mouseClick(panel.get(), Qt::LeftButton, {}, QPoint(100, 100));
    EXPECT_GE(panel->presses, 1);
}

TEST_F(WindowView, ResizesWithTheHostPanelDownToAZeroHeight)
{
    view->scene().resizeView(300, 0);
    EXPECT_EQ(view->size(), QSize(300, 0));
    EXPECT_EQ(state.view.frame.height, 0);
    EXPECT_FLOAT_EQ(state.view.frame.ratio, 300.0f);
    view->scene().renderFrame();  // nothing to draw into, and no failure
    view->scene().resizeView(320, 240);
    view->scene().renderFrame();
    EXPECT_EQ(view->grabFramebuffer().size(), QSize(320, 240));
}

TEST_F(WindowView, ReleasesItsObjectsWhenDestroyed)
{
    ASSERT_TRUE(view->contextReady());
    testing::putGeneratedGrid(state, testing::smallGrid(2, 2, 2));
    view->scene().buildGridMeshes();
    view->scene().uploadGrid();
    EXPECT_GT(view->scene().objects().liveBuffers(), 0u);
    EXPECT_FALSE(view->scene().gpu().gridLines.vaos.empty());
    view->releaseGL();  // what the view does as it is destroyed, or its context goes
    EXPECT_EQ(view->scene().objects().liveBuffers(), 0u);
    EXPECT_EQ(view->scene().objects().liveVertexArrays(), 0u);
    EXPECT_TRUE(view->scene().gpu().gridLines.vaos.empty());
    EXPECT_EQ(view->scene().gpu().coreProgram, 0u);
    delete view;
    view = nullptr;
}

// A display whose contexts lack the compatibility functions: the program runs on, says so once, and the builders
// still fill the model state.
TEST(WindowViewWithoutContext, SaysSoOnceAndKeepsWorking)
{
    testing::resetProgramState();
    const QSurfaceFormat programFormat = QSurfaceFormat::defaultFormat();
    QSurfaceFormat core = programFormat;
    core.setProfile(QSurfaceFormat::CoreProfile);
    core.setOption(QSurfaceFormat::DeprecatedFunctions, false);
    QSurfaceFormat::setDefaultFormat(core);

    ModelState state;
    RecordingLog log;
    {
        Panel panel;
        panel.resize(320, 240);
        auto* view = new GlView(log, &panel, 320, 240, nullptr, nullptr, state);
        panel.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
        QTest::qWait(50);
        EXPECT_FALSE(view->contextReady());
        ASSERT_EQ(log.log.size(), 1u);
        EXPECT_NE(log.log.front().text.find("no OpenGL 4.5 compatibility context"), std::string::npos)
            << log.log.front().text;

        testing::putGeneratedGrid(state, testing::smallGrid(2, 2, 1));
        view->scene().buildGridMeshes();
        view->scene().uploadGrid();
        view->scene().renderFrame();
        view->presentFrame();
        EXPECT_TRUE(state.document.grid.loaded);
        EXPECT_EQ(state.grid_indices.size(), 4u * 24u);
        // The grid's own lines (no ACTNUM, success); no second context message.
        ASSERT_EQ(log.log.size(), 3u);
        EXPECT_EQ(log.log.back().text, "Grid is loaded successfully");
    }
    QSurfaceFormat::setDefaultFormat(programFormat);
}

// A broken shader file in the folder the program starts from: the window says so in red in its events log, naming
// the file, instead of showing an empty view without a word.
TEST(WindowWithABrokenShader, SaysSoInRedInTheEventsLog)
{
    testing::resetProgramState();
    testing::TempFolder folder;
    testing::writeText(folder.file("vertex_core.glsl"), "#version 450 core\nvoid main() { not GLSL }\n");
    struct WorkingDirectory {
        std::filesystem::path previous = std::filesystem::current_path();
        ~WorkingDirectory() { std::filesystem::current_path(previous); }
    } restore;
    std::filesystem::current_path(folder.path());  // shaders are looked up here first

    MainWindow form(testing::state());
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QTest::qWait(50);
    const auto lines = testing::logLines(form.findChild<QTextEdit*>("eventsLog"));
    const auto said = std::find_if(lines.begin(), lines.end(), [](const testing::LogLine& line) {
        return line.text.contains(QStringLiteral("vertex_core.glsl")) && line.colour == QColor(255, 0, 0);
    });
    EXPECT_NE(said, lines.end());
}

}  // namespace
}  // namespace morvane

int main(int argc, char** argv) { return morvane::testing::runUiTests(argc, argv); }
