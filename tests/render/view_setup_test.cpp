// The view's start-up and housekeeping: startGL's camera, the background from the settings, resizing to a zero
// height, shader files that cannot be opened, and GL objects that are replaced or released without leaking.
#include <gtest/gtest.h>

#include <GL/glew.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <vector>

#include <QImage>
#include <QLoggingCategory>
#include <QTemporaryDir>

#include "io/file_text.h"
#include "platform/app_settings.h"
#include "tests/support/offscreen_scene.h"
#include "tests/support/scene_feedback_recorder.h"
#include "tests/support/temp_folder.h"

namespace morvane {
namespace {

using namespace morvane::testing;

// Records the trace channel while alive.
class TraceRecorder {
public:
    TraceRecorder()
    {
        lines().clear();
        QLoggingCategory::setFilterRules(QStringLiteral("morvane.trace.debug=true"));
        previous_ = qInstallMessageHandler([](QtMsgType, const QMessageLogContext& context, const QString& text) {
            if (context.category && std::string(context.category) == "morvane.trace")
                lines().push_back(text.toStdString());
        });
    }
    ~TraceRecorder()
    {
        qInstallMessageHandler(previous_);
        QLoggingCategory::setFilterRules(QString());
    }
    static std::vector<std::string>& lines()
    {
        static std::vector<std::string> recorded;
        return recorded;
    }
    std::ptrdiff_t indexOf(const std::string& line) const
    {
        const auto it = std::find(lines().begin(), lines().end(), line);
        return it == lines().end() ? -1 : it - lines().begin();
    }

private:
    QtMessageHandler previous_ = nullptr;
};

TEST(ViewSetup, InitGLTurnsTheModelToItsStartAngleAndScale)
{
    ModelState state;
    std::string error;
    auto view = OffscreenRenderer::create(state, 320, 240, &error);
    ASSERT_TRUE(view) << error;
    EXPECT_EQ(state.view.camera.rotation, glm::vec3(-70, 0, 40));
    EXPECT_EQ(state.view.camera.scale, glm::vec3(3, 3, 15));
    EXPECT_EQ(view->scene().lightPosition(), -state.view.camera.position);
    EXPECT_NE(view->scene().gpu().coreProgram, 0u);
    EXPECT_NE(view->scene().gpu().textProgram, 0u);
    // The pivot cursor starts at the pivot and reaches one unit up and one unit down.
    EXPECT_FLOAT_EQ(state.cursor_point_vertex[0], -state.view.camera.position.x);
    EXPECT_FLOAT_EQ(state.cursor_point_vertex[7], 1 - state.view.camera.position.y);
    EXPECT_FLOAT_EQ(state.cursor_point_vertex2[7], -state.view.camera.position.y - 1);
    // With nothing loaded the frame shows the background, the reference plane and the author label.
    const RgbaImage image = view->frame();
    EXPECT_GT(countPixels(image, backgroundOf(state)), 320 * 240 / 2);
    EXPECT_GT(countPixels(image, rgb255(0.5f, 0.8f, 0.2f), 20), 50);
}

// On a high-density screen the lines are widened by the device pixel ratio, so they look as thick as on an ordinary
// one: the reference plane's lines cover about twice the pixels at a ratio of 2.
TEST(ViewSetup, LinesKeepTheirLookOnHighDensityScreens)
{
    ModelState state;
    std::string error;
    auto view = OffscreenRenderer::create(state, 320, 240, &error);
    ASSERT_TRUE(view) << error;
    const auto linePixels = [&] {
        const RgbaImage image = view->frame();
        return 320 * 240 - countPixels(image, backgroundOf(state), 8) -
               countPixels(image, rgb255(0.5f, 0.8f, 0.2f), 60);
    };
    const int ordinary = linePixels();
    ASSERT_GT(ordinary, 100);
    view->scene().setPixelRatio(2.0f);
    const int dense = linePixels();
    EXPECT_GT(dense, ordinary * 3 / 2);
    EXPECT_LT(dense, ordinary * 3);
}

TEST(ViewSetup, BackgroundComesFromTheSettingsOnlyWhenAllThreeAreNumbers)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    AppSettings settings(dir.filePath(QStringLiteral("settings.ini")));

    const auto startWith = [&](const char* r, const char* g, const char* b) {
        settings.UpdateAppSettings("BackgroundColorR", r);
        settings.UpdateAppSettings("BackgroundColorG", g);
        settings.UpdateAppSettings("BackgroundColorB", b);
        ModelState state;
        std::string error;
        auto view = OffscreenRenderer::create(state, 64, 48, &error, OffscreenRenderer::Start::Restore);
        EXPECT_TRUE(view) << error;
        if (!view) return std::array<std::uint8_t, 4>{};
        view->scene().setSettings(&settings);
        view->makeCurrent();
        view->scene().startGL();
        state.view.display.text = false;
        return view->frame().at(1, 1);
    };
    EXPECT_TRUE(near(startWith("10", "20", "30"), {10, 20, 30}, 0));
    EXPECT_TRUE(near(startWith("10", "20", "x"), {51, 76, 76}, 0));
}

TEST(ViewSetup, AZeroHeightViewKeepsAFiniteRatioAndStillDraws)
{
    ModelState state;
    std::string error;
    auto view = OffscreenRenderer::create(state, 320, 240, &error);
    ASSERT_TRUE(view) << error;
    view->resizeView(800, 0);
    EXPECT_EQ(state.view.frame.width, 800);
    EXPECT_EQ(state.view.frame.height, 0);
    EXPECT_TRUE(std::isfinite(state.view.frame.ratio));
    EXPECT_FLOAT_EQ(state.view.frame.ratio, 800.0f);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[3], 1);
    view->frame();
    EXPECT_TRUE(std::isfinite(state.view.frame.projection[0][0]) && std::isfinite(state.view.frame.projection[1][1]));
}

TEST(ViewSetup, MissingShaderFilesAreTracedInOrderAndStartUpCompletes)
{
    QTemporaryDir empty;
    ASSERT_TRUE(empty.isValid());
    ModelState state;
    std::string error;
    auto view = OffscreenRenderer::create(state, 64, 48, &error, OffscreenRenderer::Start::Restore);
    ASSERT_TRUE(view) << error;
    view->scene().setResourceDirs({empty.path().toStdString()});

    TraceRecorder trace;
    ::testing::internal::CaptureStdout();
    view->scene().startGL();
    const std::string out = ::testing::internal::GetCapturedStdout();

    const auto openVertex = trace.indexOf("ERROR COULD NOT OPEN VERTEX SHADER FILE");
    const auto compileVertex = trace.indexOf("ERROR COULD NOT COMPILE VERTEX SHADER");
    const auto openFragment = trace.indexOf("ERROR COULD NOT OPEN FRAGMENT SHADER FILE");
    const auto compileFragment = trace.indexOf("ERROR COULD NOT COMPILE FRAGMENT SHADER");
    ASSERT_GE(openVertex, 0);
    ASSERT_GE(openFragment, 0);
    EXPECT_LT(openVertex, compileVertex);
    EXPECT_LT(compileVertex, openFragment);
    EXPECT_LT(openFragment, compileFragment);
    // The text program and the font report on standard output.
    EXPECT_NE(out.find("ERROR::SHADER::VERTEX::COMPILATION_FAILED"), std::string::npos) << out;
    EXPECT_NE(out.find("ERROR::FREETYPE: Failed to load font"), std::string::npos) << out;
    view->frame();  // draws with whatever program state resulted
    EXPECT_EQ(state.view.camera.rotation, glm::vec3(-70, 0, 40));
}

TEST(ViewSetup, ShaderFilesAreFoundInTheFirstFolderThatHoldsThem)
{
    // The working directory holds no shaders; the executable's folder does.
    QTemporaryDir empty;
    ASSERT_TRUE(empty.isValid());
    const auto exeDir = std::filesystem::read_symlink("/proc/self/exe").parent_path();
    ModelState state;
    std::string error;
    auto view = OffscreenRenderer::create(state, 64, 48, &error, OffscreenRenderer::Start::Restore);
    ASSERT_TRUE(view) << error;
    view->scene().setResourceDirs({empty.path().toStdString(), exeDir});
    TraceRecorder trace;
    GLName program = 0;
    EXPECT_TRUE(view->scene().loadShaders(program));
    EXPECT_TRUE(TraceRecorder::lines().empty());
    GLint linked = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    EXPECT_EQ(linked, GL_TRUE);
}

// A folder holding the program's four shader files, each as shipped unless `edit` changes its text.
std::filesystem::path shaderFolder(const TempFolder& folder,
                                   const std::function<void(const std::string& name, std::string& text)>& edit)
{
    const auto exeDir = std::filesystem::read_symlink("/proc/self/exe").parent_path();
    for (const char* name : {"vertex_core.glsl", "fragment_core.glsl", "text_vertex.glsl", "text_fragment.glsl"}) {
        FileText shipped;
        EXPECT_TRUE(readWholeFile(exeDir / name, shipped)) << name;
        std::string text(shipped.view());
        edit(name, text);
        writeText(folder.file(name), text);
    }
    return folder.path();
}

TEST(ViewSetup, AMainShaderWhoseLastLineHasNoLineBreakStillCompiles)
{
    TempFolder folder;
    const auto dir = shaderFolder(folder, [](const std::string&, std::string& text) {
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
        text += "\n// last line without a line break";
    });
    ModelState state;
    std::string error;
    auto view = OffscreenRenderer::create(state, 64, 48, &error, OffscreenRenderer::Start::Restore);
    ASSERT_TRUE(view) << error;
    view->scene().setResourceDirs({dir});
    TraceRecorder trace;
    GLName program = 0;
    EXPECT_TRUE(view->scene().loadShaders(program));
    EXPECT_TRUE(TraceRecorder::lines().empty());
}

// A shader that does not compile, or two that do not link: loading fails, the trace holds the compiler's log, a
// red line names the file, and the view shows its background instead of drawing with a broken program.
TEST(ViewSetup, AShaderThatFailsIsSaidInRedAndTheViewShowsOnlyItsBackground)
{
    struct Case {
        const char* file;
        const char* text;
        const char* named;     // in the red line
        const char* logLabel;  // the trace line with the compiler's log starts with it
    };
    const Case cases[] = {
        {"vertex_core.glsl", "#version 450 core\nvoid main() { this is not GLSL; }\n", "vertex_core.glsl",
         "vertex_core.glsl: "},
        {"fragment_core.glsl",
         "#version 450 core\nin vec3 vs_color;\nin float never_written;\nuniform float transp;\nout vec4 fs_color;\n"
         "void main() { fs_color = vec4(vs_color * never_written, transp); }\n",
         "vertex_core.glsl and fragment_core.glsl", "vertex_core.glsl + fragment_core.glsl: "},
        {"text_fragment.glsl", "#version 450 core\nvoid main() { undeclared = 1; }\n", "text_fragment.glsl",
         "text_fragment.glsl: "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        TempFolder folder;
        const auto dir = shaderFolder(folder, [&](const std::string& name, std::string& text) {
            if (name == c.file) text = c.text;
        });
        ModelState state;
        test::FeedbackRecorder log;
        std::string error;
        auto view = OffscreenRenderer::create(state, 320, 240, &error, OffscreenRenderer::Start::Restore, &log);
        ASSERT_TRUE(view) << error;
        view->scene().setResourceDirs({dir});
        TraceRecorder trace;
        ::testing::internal::CaptureStdout();
        EXPECT_FALSE(view->scene().startGL());
        ::testing::internal::GetCapturedStdout();

        ASSERT_EQ(log.log.size(), 1u);
        EXPECT_EQ(log.log[0].colour, log_colour::Red);
        EXPECT_NE(log.log[0].text.find(c.named), std::string::npos) << log.log[0].text;
        EXPECT_EQ(view->scene().glFailure(), log.log[0].text);
        const auto& lines = TraceRecorder::lines();
        EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
            return line.rfind(c.logLabel, 0) == 0 && line.size() > std::string(c.logLabel).size();
        }));

        // Nothing is drawn with a broken program: no scene without the main one, no label without the text one.
        const RgbaImage image = view->frame();
        if (std::string(c.file) != "text_fragment.glsl") {
            EXPECT_EQ(countPixels(image, backgroundOf(state), 0), 320 * 240);
        }
        EXPECT_EQ(countPixels(image, rgb255(0.5f, 0.8f, 0.2f), 20), 0);
    }
}

TEST(ViewSetup, UploadsReplaceTheirObjectsAndReleaseFreesEverything)
{
    OffscreenScene scene;
    ASSERT_TRUE(scene.ok()) << scene.error();
    scene.loadGrid(4, 3, 5);
    scene.colour(cellValues(4, 3, 5, [](int k, int, int) { return k / 4.0; }));
    ModelState& s = scene.s();
    const Vertices line{548, 6414, -2, 0, 0, 0, 548.1f, 6414.1f, -2, 0, 0, 0};
    s.well_coord_vertex_show = {line, line};
    s.well_coord_vertex_hide = {line, line};
    s.circleDiagram = {line};
    s.intersect_lines = {line};
    s.intersect_owc = {line};
    s.intersect_lines_indices = {{0, 1}};
    s.section_well_coord_vertex = {line};
    s.OWC_k = line;
    const GlObjects& gl = scene.view().scene().objects();
    // Recolouring, regridding, the fixed buffers and every per-item upload again: nothing accumulates.
    const auto uploadEverything = [&] {
        scene.view().recolourCells();
        scene.view().uploadCellColours();
        scene.view().uploadGrid();
        scene.view().uploadFixedBuffers();
        scene.view().uploadReferencePlane();
        scene.view().uploadWells();
        scene.view().uploadProductionDiscs();
        scene.view().uploadWellSection();
        scene.view().uploadContacts();
    };
    uploadEverything();
    const std::size_t buffers = gl.liveBuffers(), arrays = gl.liveVertexArrays(), bytes = gl.bufferBytes();
    for (int round = 0; round < 3; ++round) uploadEverything();
    EXPECT_EQ(gl.liveBuffers(), buffers);
    EXPECT_EQ(gl.liveVertexArrays(), arrays);
    EXPECT_EQ(gl.bufferBytes(), bytes);

    // A smaller grid frees the slots of the layers it no longer has.
    scene.loadGrid(2, 2, 2);
    scene.colour(cellValues(2, 2, 2, [](int, int, int) { return 0.5; }));
    EXPECT_EQ(scene.view().scene().gpu().gridLines.vaos.size(), 2u);
    EXPECT_EQ(scene.view().scene().gpu().cellShell.vaos.size(), 2u);
    EXPECT_LT(gl.bufferBytes(), bytes);

    // Each layer's vertices are held once, shared by its two vertex arrays; one index list serves all layers.
    EXPECT_EQ(scene.view().scene().gpu().gridShellLines.vbos, scene.view().scene().gpu().gridLines.vbos);
    EXPECT_EQ(scene.view().scene().gpu().cells.ebos[0], scene.view().scene().gpu().cells.ebos[1]);

    scene.view().makeCurrent();
    scene.view().scene().releaseGL();
    EXPECT_EQ(gl.liveBuffers(), 0u);
    EXPECT_EQ(gl.liveVertexArrays(), 0u);
    EXPECT_EQ(gl.liveTextures(), 0u);
    EXPECT_TRUE(scene.view().scene().gpu().cells.vaos.empty());
    EXPECT_TRUE(scene.view().scene().gpu().wellsShown.vaos.empty());
    EXPECT_EQ(scene.view().scene().gpu().owc.vao, 0u);
    EXPECT_EQ(scene.view().scene().gpu().coreProgram, 0u);
    GLuint probe = 0;
    glGenBuffers(1, &probe);  // the context is still usable
    EXPECT_NE(probe, 0u);
}

}  // namespace
}  // namespace morvane

namespace morvane {
namespace {

using namespace morvane::testing;

TEST(Snapshot, WritesThePictureOfAStateAndLeavesItsViewIntact)
{
    OffscreenScene scene(320, 240);
    ASSERT_TRUE(scene.ok()) << scene.error();
    scene.loadGrid(3, 3, 1);
    scene.colour(std::vector<double>(9, 1.0));  // red cells
    const int before = countPixels(scene.frame(), {255, 0, 0});
    ASSERT_GT(before, 1000);
    const Slots names = scene.view().scene().gpu().cells.vaos;

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath(QStringLiteral("snapshot.png")).toStdString();
    std::string error;
    ASSERT_TRUE(renderSnapshot(scene.s(), 640, 480, path, &error)) << error;
    const QImage picture(QString::fromStdString(path));
    ASSERT_EQ(picture.size(), QSize(640, 480));
    int red = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) red += picture.pixelColor(x, y) == QColor(255, 0, 0) ? 1 : 0;
    EXPECT_GT(red, before * 3);  // four times the area, the same view

    scene.view().makeCurrent();
    EXPECT_EQ(scene.view().scene().gpu().cells.vaos, names);
    EXPECT_EQ(countPixels(scene.frame(), {255, 0, 0}), before);

    EXPECT_FALSE(
        renderSnapshot(scene.s(), 64, 48, dir.filePath(QStringLiteral("no/such/folder/x.png")).toStdString(), &error));
    EXPECT_NE(error.find("Could not write"), std::string::npos) << error;
    EXPECT_FALSE(renderSnapshot(scene.s(), 0, 48, path, &error));
    EXPECT_NE(error.find("0 x 48 is not positive"), std::string::npos) << error;
}

}  // namespace
}  // namespace morvane

namespace morvane {
namespace {

using namespace morvane::testing;

// The state's glyph textures were made in the view's own context; the snapshot's context must make its own, or
// every label (here the author label) comes out blank.
TEST(Snapshot, DrawsTheLabelsOfAStateWhoseGlyphsBelongToAnotherContext)
{
    OffscreenScene scene(320, 240);
    ASSERT_TRUE(scene.ok()) << scene.error();
    const std::array<int, 3> authorGreen = rgb255(0.5f, 0.8f, 0.2f);
    ASSERT_GT(countPixels(scene.frame(), authorGreen, 12), 50);
    ASSERT_FALSE(scene.view().scene().gpu().glyphs.empty());

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath(QStringLiteral("labels.png")).toStdString();
    std::string error;
    ASSERT_TRUE(renderSnapshot(scene.s(), 320, 240, path, &error)) << error;
    QImage picture(QString::fromStdString(path));
    ASSERT_FALSE(picture.isNull());
    picture = picture.convertToFormat(QImage::Format_RGBA8888);
    RgbaImage image;
    image.width = picture.width();
    image.height = picture.height();
    for (int y = 0; y < picture.height(); ++y) {
        const uchar* row = picture.constScanLine(y);
        image.pixels.insert(image.pixels.end(), row, row + picture.width() * 4);
    }
    const int green = countPixels(image, authorGreen, 12);
    if (green <= 50) image.save(picturePath("snapshot_labels.png"));
    EXPECT_GT(green, 50) << "the snapshot: " << picturePath("snapshot_labels.png");

    // The view's own glyphs are untouched by the snapshot.
    scene.view().makeCurrent();
    EXPECT_GT(countPixels(scene.frame(), authorGreen, 12), 50);
}

}  // namespace
}  // namespace morvane
