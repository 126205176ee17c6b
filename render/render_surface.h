// What holds the renderer's GL context: the window's GL widget or the offscreen EGL framebuffer. The renderer asks
// it to make the context current before GL work, tells it when the scene changed (the window then has a frame
// drawn), hands it a new size and tells it a frame was drawn. One renderer serves both, with no list of forwarders.
#pragma once

#include <optional>
#include <utility>

namespace morvane {

class RenderSurface {
public:
    virtual ~RenderSurface() = default;

    // False when there is no context: uploads are then skipped by the renderer and no frame is drawn.
    virtual bool makeContextCurrent() = 0;
    // After an upload, a recolour or a change of background.
    virtual void sceneChanged() {}
    // After the renderer took a new view size (the window resizes its widget, the offscreen target its framebuffer).
    virtual void surfaceResized(int /*width*/, int /*height*/) {}
    virtual void frameDrawn() {}
    // The size of the panel the picture fills, read at the start of every frame; none: the last size given to the
    // renderer.
    virtual std::optional<std::pair<int, int>> panelSize() const { return std::nullopt; }
};

}  // namespace morvane
