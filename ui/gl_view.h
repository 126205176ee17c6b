// The 3D view of the main window: a QOpenGLWidget over the host panel, transparent for the mouse so that the
// panel's handlers drive the camera. It owns the GL context and is the surface of the widget-free SceneRenderer,
// which does the uploads, the frame and the text and asks the view for its context around each of them.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <QOpenGLWidget>
#include <glm/glm.hpp>

#include "commands/model_state.h"
#include "core/feedback.h"
#include "core/view_targets.h"
#include "render/gpu_scene.h"
#include "render/render_surface.h"
#include "render/scene_renderer.h"
#include "scene/cell_outline.h"

namespace morvane {

// The default surface format of the program: OpenGL 4.5 compatibility profile with the deprecated functions,
// depth 24, double buffer. Call before the QApplication is created.
void setViewSurfaceFormat();

class GlView : public QOpenGLWidget, private RenderSurface {
public:
    // messageLog: the events log (the builders' result lines go there); hostPanel: the panel the view covers, whose
    // client size is width x height and is read at every frame; statistics and dataTree: may be null. The view
    // draws `state`, which its owner keeps for the view's whole life.
    GlView(Feedback& messageLog, QWidget* hostPanel, int width, int height, ModelStatFields* statistics,
           DataTree* dataTree, ModelState& state);
    ~GlView() override;

    GlView(const GlView&) = delete;
    GlView& operator=(const GlView&) = delete;

    // The renderer of this view: its operations (builds, uploads, recolours, resize, frame) make the view's context
    // current themselves and have a frame shown after. Commands take it as their SceneOperations.
    SceneRenderer& scene() { return *scene_; }
    // Presents the frame renderFrame drew.
    void presentFrame();

    // The cell the last frame drew at `at` (logical pixels of the view), by a pick pass; nothing over the background.
    std::optional<CellHit> pickCell(QPoint at);

    // Called whenever the scene changes through the view (uploads, recolours, size, background), so the owner can
    // have a frame drawn.
    void setSceneChanged(std::function<void()> onChange) { sceneChanged_ = std::move(onChange); }
    // Frames drawn since the view was made.
    long framesDrawn() const { return framesDrawn_; }

    // True once a context exists and startGL has run on it.
    bool contextReady() const { return ready_; }
    // Deletes every GL object of the view with its context current (it does so itself as it is destroyed or its
    // context goes); the next frame on a new context makes them again.
    void releaseGL();

protected:
    void initializeGL() override;
    void resizeGL(int w, int h) override;
    void paintGL() override;

private:
    // The renderer's surface: the view's context, its size and its frames.
    bool makeContextCurrent() override;
    void sceneChanged() override;
    void surfaceResized(int width, int height) override;
    void frameDrawn() override;
    std::optional<std::pair<int, int>> panelSize() const override;

    void setDeviceViewport(int width, int height);
    // One red line in the log, the first time only: the view stays empty, the rest of the program works on.
    void logNoContext(const std::string& reason);

    Feedback& log_;
    ModelState& state_;
    QWidget* hostPanel_;
    std::unique_ptr<SceneRenderer> scene_;
    bool ready_ = false;
    bool initialised_ = false;  // startGL has run once; a later context only restores the GL objects
    bool frameDrawn_ = false;   // the framebuffer holds a frame drawn by renderFrame since it was last recreated
    bool failureLogged_ = false;
    std::function<void()> sceneChanged_;
    long framesDrawn_ = 0;
};

}  // namespace morvane
