// The view's drawing code without a window: an EGL surfaceless OpenGL 4.5 compatibility context (no display, no
// Qt platform window) rendering into a framebuffer object of a chosen size, read back as an RGBA image. The same
// SceneRenderer draws here and in the window view.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "commands/model_state.h"
#include "core/view_targets.h"
#include "render/render_surface.h"
#include "render/scene_renderer.h"

class QImage;

namespace morvane {

// Pixels of a rendered frame, top row first, four bytes (R, G, B, A) per pixel.
struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;

    // The pixel at column x, row y counted from the top; (0, 0, 0, 0) outside the image.
    std::array<std::uint8_t, 4> at(int x, int y) const;
    QImage toQImage() const;
    // Writes the image whole or not at all (see savePicture); false when it cannot be written.
    bool save(const std::string& path, std::string* why = nullptr) const;
};

// Writes a picture in the format of the file's extension (png, jpg, bmp, ...) through a temporary file that takes
// the file's place only when complete, so a failed write keeps the picture that was there. False when the format is
// unknown or the file cannot be written; `why` then says what failed.
bool savePicture(const QImage& picture, const std::string& path, std::string* why = nullptr);

// A SceneRenderer whose surface is an offscreen framebuffer: every scene operation (builds, uploads, recolours,
// resize, frame) is the renderer's own, with this context made current around it.
class OffscreenRenderer : public SceneRenderer, private RenderSurface {
public:
    enum class Start {
        startGL,  // as the program starts: startGL sets the start angle and scale of a fresh model state
        Restore,  // draw a state that is already set up: GL state, programs and every array uploaded, camera kept
    };

    // A context and a framebuffer of width x height, resizeView to that size, then `start`. Null when no
    // context can be made or a shader program cannot be built, with the reason in `error` (a shader failure is
    // also a red line in `log`).
    static std::unique_ptr<OffscreenRenderer> create(ModelState& state, int width, int height, std::string* error,
                                                     Start start = Start::startGL, Feedback* log = nullptr,
                                                     ModelStatFields* modelStat = nullptr, DataTree* tree = nullptr);
    ~OffscreenRenderer() override;

    OffscreenRenderer(const OffscreenRenderer&) = delete;
    OffscreenRenderer& operator=(const OffscreenRenderer&) = delete;

    // Renders one frame and reads it back.
    RgbaImage frame();
    // Reads the framebuffer as it is.
    RgbaImage readPixels() const;
    // Makes this renderer's context current (needed only when several renderers live at once).
    bool makeCurrent() const;

    SceneRenderer& scene() { return *this; }
    int width() const { return width_; }
    int height() const { return height_; }

private:
    struct Egl;
    OffscreenRenderer(ModelState& state, Feedback* log, ModelStatFields* modelStat, DataTree* tree);
    bool makeFramebuffer(int width, int height, std::string* error);
    void deleteFramebuffer();

    // The renderer's surface: this context, and a framebuffer remade at a new size (at least one pixel each way;
    // the view's own sizes record what was asked).
    bool makeContextCurrent() override { return makeCurrent(); }
    void surfaceResized(int width, int height) override;
    std::optional<std::pair<int, int>> panelSize() const override { return std::pair{width_, height_}; }

    std::unique_ptr<Egl> egl_;
    unsigned int framebuffer_ = 0, colour_ = 0, depth_ = 0;
    int width_ = 0, height_ = 0;
};

// Renders `state` as a view of width x height would show it and writes the picture to `path` (PNG). The picture
// is drawn from a copy of the state as it stands (Start::Restore: every array it holds is uploaded, the camera is
// kept), so a view that shows the same state keeps its own GL objects. False with the reason in `error` when no
// context can be made or the file cannot be written.
bool renderSnapshot(const ModelState& state, int width, int height, const std::string& path, std::string* error);

}  // namespace morvane
