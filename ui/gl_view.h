// The 3D view of the main window: a QOpenGLWidget over the host panel, transparent for the mouse so that the
// panel's handlers drive the camera. It owns the GL context and forwards every named operation to the
// widget-free SceneRenderer, which does the uploads, the frame and the text on whatever context is current.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <QOpenGLWidget>
#include <glm/glm.hpp>

#include "core/feedback.h"
#include "core/view_targets.h"
#include "commands/model_state.h"
#include "render/gpu_scene.h"
#include "scene/cell_outline.h"
#include "scene/scene_operations.h"

namespace morvane {

class SceneRenderer;

// The default surface format of the program: OpenGL 4.5 compatibility profile with the deprecated functions,
// depth 24, double buffer. Call before the QApplication is created.
void setViewSurfaceFormat();

class GlView : public QOpenGLWidget, public SceneOperations {
public:
    // messageLog: the events log (AppendRichText and the builders' result lines go there); hostPanel: the panel
    // the view covers, whose client size is width x height and is read at every frame; statistics and dataTree: may
    // be null. The view draws `state`, which its owner keeps for the view's whole life.
    GlView(Feedback& messageLog, QWidget* hostPanel, int width, int height, ModelStatFields* statistics,
           DataTree* dataTree, ModelState& state);
    ~GlView() override;

    GlView(const GlView&) = delete;
    GlView& operator=(const GlView&) = delete;

    // One-time GL state, background from the settings, shaders, fixed buffers, matrices and uniforms, the start
    // angle and scale, cursor and flat-plane geometry. Runs by itself when the context is first made. False when
    // GLEW or a shader program failed (said in red in the log; the view then shows its background only).
    bool InitGL();
    // Viewport and ratio for a view of width x height (a height of 0 is taken as 1); resizes the widget.
    void ReSizeGLScene(int width, int height) override;
    // Draws one frame into the view's framebuffer; SwapOpenGLBuffers then presents it.
    void Render() override;
    void SwapOpenGLBuffers();
    void changeBackgroundColor() override;
    void AppendRichText(const std::string& text, LogColour color, bool AddNewLine) override;

    // Geometry builders and uploads (see SceneOperations).
    GridBuildOutcome initGRID() override;
    void bindGridBuffers() override;
    void bindBuffers() override;
    void bindCursorBuffers();
    void recolourCells() override;
    void bindPropBuffers() override;
    void initXY__PLANE() override;
    void bindXYplaneBuffers() override;
    void bindFlatPlaneBuffers();
    void initWELL() override;
    void initALL_WELLS() override;
    void bindWellBuffers() override;
    void bindIntersectBuffers() override;
    void bindIntersectPlaneBuffers() override;
    void bindCircleDiagramBuffers() override;
    void bindContacts() override;

    // The cell the last frame drew at `at` (logical pixels of the view), by a pick pass; nothing over the background.
    std::optional<CellHit> pickCell(QPoint at);
    // The picked cell's outline (picked_cell_lines).
    void bindPickedCellBuffers();

    // Shader programs and glyphs (normally run by InitGL); false, said in red in the log, when one fails.
    bool loadShaders(GLName& program);
    bool loadTextShader();
    // Draws `text` (UTF-8) with its baseline at (x, y) of the 1024 x 768 label space.
    void RenderText(std::string text, float x, float y, float scale, float w_scale, float h_scale, glm::vec3 color);

    // Called whenever the scene changes through the view (uploads, recolours, size, background), so the owner can
    // have a frame drawn.
    void setSceneChanged(std::function<void()> onChange) { sceneChanged_ = std::move(onChange); }
    // Frames drawn since the view was made.
    long framesDrawn() const { return framesDrawn_; }

    // True once a context exists and InitGL has run on it.
    bool contextReady() const { return ready_; }
    SceneRenderer& scene() { return *scene_; }
    // Deletes every GL object of the view with its context current (it does so itself as it is destroyed or its
    // context goes); the next frame on a new context makes them again.
    void releaseGL();

protected:
    void initializeGL() override;
    void resizeGL(int w, int h) override;
    void paintGL() override;

private:
    // Makes the view's context current; false when there is none (GL work is then skipped).
    bool makeViewCurrent();
    void setDeviceViewport(int width, int height);
    // One red line in the log, the first time only: the view stays empty, the rest of the program works on.
    void logNoContext(const std::string& reason);
    void changed()
    {
        if (sceneChanged_) sceneChanged_();
    }

    ModelState& state_;
    QWidget* hostPanel_;
    std::unique_ptr<SceneRenderer> scene_;
    bool ready_ = false;
    bool initialised_ = false;  // InitGL has run once; a later context only restores the GL objects
    bool frameDrawn_ = false;  // the framebuffer holds a frame drawn by Render since it was last recreated
    bool failureLogged_ = false;
    std::function<void()> sceneChanged_;
    long framesDrawn_ = 0;
};

}  // namespace morvane
