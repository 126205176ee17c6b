// The pick pass: which cell is drawn at a pixel. The cells of the current mode are drawn again, exactly as the last
// frame drew them, into a one-pixel framebuffer whose projection frames that pixel alone; each fragment writes its
// cell's number (from the vertex number, since every layer numbers its corners alike) and its layer. The pass costs
// what one frame's cell drawing costs, whatever the grid's size, and reads back eight bytes.
#include <GL/glew.h>

#include <glm/gtc/matrix_transform.hpp>

#include "platform/trace.h"
#include "render/scene_renderer.h"

namespace morvane {

namespace {

constexpr const char* kPickVertex = R"(#version 450 core
layout (location = 0) in vec3 vertex_position;
uniform mat4 ModelMatrix;
uniform mat4 ViewMatrix;
uniform mat4 ProjectionMatrix;
uniform vec4 clip_plane0;
uniform int clip_enabled;
uniform int points_in_layer;
flat out uint cell;
void main()
{
    vec4 world = ModelMatrix * vec4(vertex_position, 1.0);
    gl_ClipDistance[0] = clip_enabled != 0 ? dot(world, clip_plane0) : 1.0;
    cell = uint(gl_VertexID % points_in_layer) / 4u;
    gl_Position = ProjectionMatrix * ViewMatrix * world;
}
)";

constexpr const char* kPickFragment = R"(#version 450 core
flat in uint cell;
uniform int layer;
out uvec2 id;
void main()
{
    id = uvec2(cell + 1u, uint(layer) + 1u);
}
)";

GLuint compiled(GLenum stage, const char* source)
{
    const GLuint shader = glCreateShader(stage);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char log[1024] = {};
        glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        trace(std::string("pick shader: ") + log);
    }
    return shader;
}

// The projection that maps pixel (x, y) of a width x height viewport (GL's origin, bottom left) onto a whole
// one-pixel viewport.
glm::mat4 pixelProjection(int x, int y, int width, int height)
{
    const float cx = static_cast<float>(x) + 0.5f, cy = static_cast<float>(y) + 0.5f;
    glm::mat4 m(1.0f);
    m = glm::translate(m, glm::vec3(static_cast<float>(width) - 2 * cx, static_cast<float>(height) - 2 * cy, 0));
    return glm::scale(m, glm::vec3(static_cast<float>(width), static_cast<float>(height), 1));
}

}  // namespace

bool SceneRenderer::ensurePickTarget()
{
    if (pick_.fbo != 0) return pick_.program != 0;
    const GLuint vertex = compiled(GL_VERTEX_SHADER, kPickVertex);
    const GLuint fragment = compiled(GL_FRAGMENT_SHADER, kPickFragment);
    pick_.program = glCreateProgram();
    glAttachShader(pick_.program, vertex);
    glAttachShader(pick_.program, fragment);
    glLinkProgram(pick_.program);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    GLint linked = 0;
    glGetProgramiv(pick_.program, GL_LINK_STATUS, &linked);
    if (!linked) {
        trace("pick program does not link");
        glDeleteProgram(pick_.program);
        pick_.program = 0;
    } else {
        for (auto [location, name] :
             {std::pair{&pick_.ModelMatrix, "ModelMatrix"}, std::pair{&pick_.ViewMatrix, "ViewMatrix"},
              std::pair{&pick_.ProjectionMatrix, "ProjectionMatrix"}, std::pair{&pick_.clip_plane0, "clip_plane0"},
              std::pair{&pick_.clip_enabled, "clip_enabled"}, std::pair{&pick_.points_in_layer, "points_in_layer"},
              std::pair{&pick_.layer, "layer"}})
            *location = glGetUniformLocation(pick_.program, name);
    }
    glGenFramebuffers(1, &pick_.fbo);
    glGenRenderbuffers(1, &pick_.colour);
    glGenRenderbuffers(1, &pick_.depth);
    glBindRenderbuffer(GL_RENDERBUFFER, pick_.colour);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RG32UI, 1, 1);
    glBindRenderbuffer(GL_RENDERBUFFER, pick_.depth);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, 1, 1);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    return pick_.program != 0;
}

void SceneRenderer::releasePickTarget()
{
    if (pick_.program != 0) glDeleteProgram(pick_.program);
    if (pick_.fbo != 0) glDeleteFramebuffers(1, &pick_.fbo);
    if (pick_.colour != 0) glDeleteRenderbuffers(1, &pick_.colour);
    if (pick_.depth != 0) glDeleteRenderbuffers(1, &pick_.depth);
    pick_ = {};
}

std::optional<CellHit> SceneRenderer::pickCell(int x, int y)
{
    ModelState& s = s_;
    if (!glAvailable_ || !s.document.grid.loaded || !s.cellsColoured() || s.view.is(ViewMode::WellSection) || x < 0 ||
        y < 0 || x >= viewportWidth_ || y >= viewportHeight_ || s.document.grid.surfaceVertices < 4)
        return std::nullopt;
    if (!ensurePickTarget()) return std::nullopt;

    GLint drawFbo = 0, readFbo = 0;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &drawFbo);
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &readFbo);
    glBindFramebuffer(GL_FRAMEBUFFER, pick_.fbo);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, pick_.colour);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, pick_.depth);
    glViewport(0, 0, 1, 1);
    // The window's compositor may leave a scissor box behind; the pass needs its one pixel.
    const GLboolean scissor = glIsEnabled(GL_SCISSOR_TEST);
    glDisable(GL_SCISSOR_TEST);
    const GLuint none[4] = {0, 0, 0, 0};
    glClearBufferuiv(GL_COLOR, 0, none);
    glClear(GL_DEPTH_BUFFER_BIT);
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);

    glUseProgram(pick_.program);
    const int glY = viewportHeight_ - 1 - y;
    setUniformMatrix(pick_.ModelMatrix, s.view.frame.model);
    setUniformMatrix(pick_.ViewMatrix, s.view.frame.view);
    setUniformMatrix(pick_.ProjectionMatrix,
                     pixelProjection(x, glY, viewportWidth_, viewportHeight_) * s.view.frame.projection);
    setUniformVec4(pick_.clip_plane0, s.clip_plane0);
    setUniformInt(pick_.points_in_layer, s.document.grid.surfaceVertices);
    if (s.view.is(ViewMode::FlatSection)) glEnable(GL_CLIP_DISTANCE0);
    setUniformInt(pick_.clip_enabled, s.view.is(ViewMode::FlatSection) ? 1 : 0);
    drawCells([this](int layer) { setUniformInt(pick_.layer, layer); });
    glDisable(GL_CLIP_DISTANCE0);
    glBindVertexArray(0);

    GLuint id[2] = {0, 0};
    glReadPixels(0, 0, 1, 1, GL_RG_INTEGER, GL_UNSIGNED_INT, id);

    glEnable(GL_BLEND);
    if (scissor) glEnable(GL_SCISSOR_TEST);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, static_cast<GLuint>(drawFbo));
    glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(readFbo));
    glViewport(0, 0, viewportWidth_, viewportHeight_);
    glUseProgram(gpu_.coreProgram);
    if (id[0] == 0 || id[1] == 0) return std::nullopt;
    return CellHit{static_cast<int>(id[1]) - 1, static_cast<int>(id[0]) - 1};
}

}  // namespace morvane
