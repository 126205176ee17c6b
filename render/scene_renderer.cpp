// Set-up of the view's GL state: GLEW, the one-time state, matrices and uniforms, resizing and the background.
#include <GL/glew.h>

#include "render/scene_renderer.h"

#include <glm/gtc/matrix_transform.hpp>

#include "core/angles.h"
#include "platform/app_settings.h"
#include "platform/trace.h"
#include "render/gl_debug.h"
#include "render/resource_files.h"
#include "scene/reference_plane.h"

namespace morvane {

SceneRenderer::SceneRenderer(ModelState& state, Feedback* log, ModelStatFields* modelStat, DataTree* tree)
    : s_(state),
      log_(log),
      modelStat_(modelStat),
      tree_(tree),
      resourceDirs_(defaultResourceDirs()),
      settings_(&appSettings())
{}

SceneRenderer::~SceneRenderer() = default;

bool SceneRenderer::initGlew(std::string* reason)
{
    glewExperimental = GL_TRUE;
    const GLenum result = glewInit();
    // Under EGL, GLEW loads every GL entry point and then fails to find a GLX display: that is success for us.
    if (result != GLEW_OK && result != GLEW_ERROR_NO_GLX_DISPLAY) {
        if (reason) *reason = reinterpret_cast<const char*>(glewGetErrorString(result));
        return false;
    }
    if (glGenVertexArrays == nullptr || glCreateShader == nullptr) {
        if (reason) *reason = "the context offers no OpenGL 3 functions";
        return false;
    }
    GLint major = 0, minor = 0;
    glGetIntegerv(GL_MAJOR_VERSION, &major);
    glGetIntegerv(GL_MINOR_VERSION, &minor);
    if (major < 4 || (major == 4 && minor < 5)) {
        if (reason) *reason = "OpenGL " + std::to_string(major) + "." + std::to_string(minor) + " instead of 4.5";
        return false;
    }
    enableGlDebugOutput();
    return true;
}

bool SceneRenderer::startGL()
{
    if (surface_ && !surface_->makeContextCurrent()) return false;
    buildReferencePlane();
    if (!glAvailable_) return false;
    if (settings_) s_.view.display.background = readBackgroundColor(*settings_, s_.view.display.background);
    if (!startContext()) return false;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);

    s_.view.frame.model = s_.view.frame.model * modelTransform();
    s_.view.frame.view = glm::lookAtRH(eye::position, eye::target, eye::up);
    s_.view.frame.projection =
        glm::perspectiveRH_NO(eye::fieldOfView * kDegToRad, s_.view.frame.ratio, eye::nearPlane, eye::farPlane);
    lightPosition_ = -s_.view.camera.position;
    setStartUniforms();

    s_.view.camera.rotation.z = static_cast<float>(Constants::INITIAL_ROTATION_Z);
    s_.view.camera.scale.x += 2;
    s_.view.camera.scale.y += 2;
    s_.view.camera.scale.z += 2 * s_.view.camera.verticalScale;

    // The pivot cursor and the flat-section plane; both are drawn with a translation that puts them back at
    // their world positions around the pivot.
    placeCursor(s_.view.camera.position, s_);
    uploadCursor();
    placeFlatPlane(s_.view.camera.position, s_);
    uploadFlatPlane();
    return coreReady_ && textReady_;
}

bool SceneRenderer::startContext()
{
    std::string reason;
    if (!initGlew(&reason)) {
        reportGlFailure("The 3D view is off: the OpenGL functions cannot be loaded (" + reason + ").");
        glAvailable_ = false;
        return false;
    }
    applyFixedState();
    applyBackground();
    glClearDepth(1.0);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    coreReady_ = loadShaders(gpu_.coreProgram);
    textReady_ = loadTextShader();
    uploadFixedBuffers();
    return true;
}

void SceneRenderer::setStartUniforms()
{
    if (!coreReady_) return;
    glUseProgram(gpu_.coreProgram);
    setUniformMatrix(core_.ModelMatrix, s_.view.frame.model);
    setUniformMatrix(core_.ViewMatrix, s_.view.frame.view);
    setUniformMatrix(core_.ProjectionMatrix, s_.view.frame.projection);
    setUniformFloat(core_.transp, 1.0f);
    setUniformVec3(core_.lightColor, kLightColour);
    setUniformVec3(core_.lightPos, lightPosition_);
}

void SceneRenderer::applyFixedState()
{
    glShadeModel(GL_SMOOTH);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glFrontFace(GL_CCW);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

bool SceneRenderer::restoreGL()
{
    if (!glAvailable_) return false;
    // Every object is made anew on this context from the arrays the scene holds.
    forgetGL();
    if (!startContext()) return false;
    glViewport(0, 0, viewportWidth_, viewportHeight_);
    uploadCursor();
    uploadFlatPlane();
    setStartUniforms();
    uploadGrid();
    uploadCellColours();
    uploadWells();
    uploadWellSection();
    uploadSectionPlane();
    uploadProductionDiscs();
    uploadContacts();
    uploadPickedCell();
    return coreReady_ && textReady_;
}

void SceneRenderer::resizeView(int width, int height)
{
    const SurfaceUse use(surface_);
    trace("resizing window");
    s_.view.frame.width = width;
    s_.view.frame.height = height;
    if (height == 0) height = 1;
    setViewport(width, height);
    s_.view.frame.ratio = static_cast<float>(width) / static_cast<float>(height);
    trace(std::to_string(width));
    if (surface_) surface_->surfaceResized(s_.view.frame.width, s_.view.frame.height);
}

void SceneRenderer::setViewport(int width, int height)
{
    viewportWidth_ = width;
    viewportHeight_ = height;
    if (glAvailable_) glViewport(0, 0, width, height);
}

void SceneRenderer::applyBackground()
{
    const SurfaceUse use(surface_);
    if (!glAvailable_) return;
    glClearColor(static_cast<float>(s_.view.display.background[0]) / 255.0f,
                 static_cast<float>(s_.view.display.background[1]) / 255.0f,
                 static_cast<float>(s_.view.display.background[2]) / 255.0f, 1.0f);
}

void SceneRenderer::appendLogLine(const std::string& text, LogColour color)
{
    // The log starts a new line before every entry once it holds text.
    if (log_) log_->appendLog(text, color);
}

void SceneRenderer::releaseGL()
{
    if (!glAvailable_) {
        forgetGL();
        return;
    }
    if (gpu_.coreProgram != 0) glDeleteProgram(gpu_.coreProgram);
    if (gpu_.textProgram != 0) glDeleteProgram(gpu_.textProgram);
    releasePickTarget();
    gl_.deleteAll();
    forgetGL();
}

void SceneRenderer::forgetGL()
{
    gl_.forgetAll();
    sectionCurrent_ = false;
    block_ = {};
    gpu_ = GpuScene{};
    pick_ = {};
    coreReady_ = false;
    textReady_ = false;
    core_ = {};
    text_ = {};
}

}  // namespace morvane
