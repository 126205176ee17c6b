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

bool SceneRenderer::InitGL()
{
    initXY__PLANE();
    if (!glAvailable_) return false;
    if (settings_) s_.BACKGROUND_COLOR = readBackgroundColor(*settings_, s_.BACKGROUND_COLOR);
    if (!startContext()) return false;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);

    s_.ModelMatrix = s_.ModelMatrix * modelTransform();
    s_.ViewMatrix = glm::lookAtRH(s_.camPosition, s_.camTarget, s_.worldUp);
    s_.ProjectionMatrix =
        glm::perspectiveRH_NO(Constants::fov * kDegToRad, s_.WINDOW_RATIO, Constants::nearPlane, Constants::farPlane);
    s_.lightPos = -s_.position;
    setStartUniforms();

    s_.rotation.z = static_cast<float>(Constants::INITIAL_ROTATION_Z);
    s_.scale.x += 2;
    s_.scale.y += 2;
    s_.scale.z += 2 * s_.VERT_SCALE;

    // The pivot cursor and the flat-section plane; both are drawn with a translation that puts them back at
    // their world positions around the pivot.
    placeCursor(s_.position, s_);
    bindCursorBuffers();
    placeFlatPlane(s_.position, s_);
    bindFlatPlaneBuffers();
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
    changeBackgroundColor();
    glClearDepth(1.0);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    coreReady_ = loadShaders(s_.core_program);
    textReady_ = loadTextShader();
    bindBuffers();
    return true;
}

void SceneRenderer::setStartUniforms()
{
    if (!coreReady_) return;
    glUseProgram(s_.core_program);
    setUniformMatrix(core_.ModelMatrix, s_.ModelMatrix);
    setUniformMatrix(core_.ViewMatrix, s_.ViewMatrix);
    setUniformMatrix(core_.ProjectionMatrix, s_.ProjectionMatrix);
    setUniformFloat(core_.transp, s_.transp);
    setUniformVec3(core_.lightColor, s_.lightColor);
    setUniformVec3(core_.lightPos, s_.lightPos);
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
    // Programs and glyph textures named in the state belong to the context it was drawn in before (a snapshot
    // draws a copy of the view's state): make new ones here, and never delete or bind those foreign names.
    for (auto& [code, glyph] : s_.Characters) gl_.deleteTexture(glyph.TextureID);
    s_.Characters.clear();
    s_.core_program = 0;
    s_.text_program = 0;
    if (!startContext()) return false;
    glViewport(0, 0, viewportWidth_, viewportHeight_);
    bindCursorBuffers();
    bindFlatPlaneBuffers();
    setStartUniforms();
    bindGridBuffers();
    bindPropBuffers();
    bindWellBuffers();
    bindIntersectBuffers();
    bindIntersectPlaneBuffers();
    bindCircleDiagramBuffers();
    bindContacts();
    bindPickedCellBuffers();
    return coreReady_ && textReady_;
}

void SceneRenderer::ReSizeGLScene(int width, int height)
{
    trace("resizing window");
    s_.CURRENT_WINDOW_WIDTH = width;
    s_.CURRENT_WINDOW_HEIGHT = height;
    if (height == 0) height = 1;
    setViewport(width, height);
    s_.WINDOW_RATIO = static_cast<float>(width) / static_cast<float>(height);
    trace(std::to_string(width));
}

void SceneRenderer::setViewport(int width, int height)
{
    viewportWidth_ = width;
    viewportHeight_ = height;
    if (glAvailable_) glViewport(0, 0, width, height);
}

void SceneRenderer::changeBackgroundColor()
{
    if (!glAvailable_) return;
    glClearColor(static_cast<float>(s_.BACKGROUND_COLOR[0]) / 255.0f,
                 static_cast<float>(s_.BACKGROUND_COLOR[1]) / 255.0f,
                 static_cast<float>(s_.BACKGROUND_COLOR[2]) / 255.0f, 1.0f);
}

void SceneRenderer::AppendRichText(const std::string& text, LogColour color, bool /*AddNewLine*/)
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
    if (s_.core_program != 0) glDeleteProgram(s_.core_program);
    if (s_.text_program != 0) glDeleteProgram(s_.text_program);
    releasePickTarget();
    gl_.deleteAll();
    forgetGL();
}

void SceneRenderer::forgetGL()
{
    gl_.forgetAll();
    sectionCurrent_ = false;
    block_ = {};
    for (Slots* list :
         {&s_.grid_lines_VAO,      &s_.grid_lines_VBO,      &s_.grid_lines_EBO,      &s_.grid_lines_edge_VAO,
          &s_.grid_lines_edge_VBO, &s_.grid_lines_edge_EBO, &s_.cells_VAO,           &s_.cells_VBO,
          &s_.cells_EBO,           &s_.cells_edge_VAO,      &s_.cells_edge_VBO,      &s_.cells_edge_EBO,
          &s_.cells_filter_VAO,    &s_.cells_filter_EBO,    &s_.cells_section_VAO,   &s_.cells_section_EBO,
          &s_.cells_block_VAO,     &s_.cells_block_EBO,
          &s_.well_show_VAO,       &s_.well_show_VBO,
          &s_.well_hide_VAO,       &s_.well_hide_VBO,       &s_.section_well_VAO,    &s_.section_well_VBO,
          &s_.intersect_lines_VAO, &s_.intersect_lines_VBO, &s_.intersect_lines_EBO, &s_.intersect_owc_VAO,
          &s_.intersect_owc_VBO,   &s_.intersect_owc_EBO,   &s_.circleDiagram_VAO,   &s_.circleDiagram_VBO})
        list->clear();
    for (GLName* name : {&s_.block_lines_VAO,
                         &s_.block_lines_EBO,
                         &s_.inf_VAO,
                         &s_.inf_VBO,
                         &s_.cursor_point_VAO,
                         &s_.cursor_point_VBO,
                         &s_.cursor_point_VAO2,
                         &s_.cursor_point_VBO2,
                         &s_.OWC_VAO,
                         &s_.OWC_VBO,
                         &s_.OWC_EBO,
                         &s_.GOC_VAO,
                         &s_.GOC_VBO,
                         &s_.GOC_EBO,
                         &s_.model_section_VAO,
                         &s_.model_section_VBO,
                         &s_.model_section_EBO,
                         &s_.model_section_border_VAO,
                         &s_.model_section_border_VBO,
                         &s_.model_section_border_EBO,
                         &s_.xy_plane_VAO,
                         &s_.xy_plane_VBO,
                         &s_.flat_plane_VAO,
                         &s_.flat_plane_VBO,
                         &s_.text_VAO,
                         &s_.text_VBO,
                         &s_.picked_cell_VAO,
                         &s_.picked_cell_VBO})
        *name = 0;
    pick_ = {};
    s_.core_program = 0;
    s_.text_program = 0;
    coreReady_ = false;
    textReady_ = false;
    core_ = {};
    text_ = {};
    for (auto& [code, glyph] : s_.Characters) glyph.TextureID = 0;
    s_.Characters.clear();
}

}  // namespace morvane
