// The view's drawing code, free of any widget: one-time GL state, shader programs, the uploads of the scene
// arrays, the frame and the labels. It works on whatever GL 4.5 compatibility context is current, so the window
// view (COpenGL) and the offscreen renderer run the very same code. Geometry comes from the scene builders; this
// class only calls them, uploads their arrays and draws.
#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <glm/glm.hpp>

#include "core/feedback.h"
#include "core/model_state.h"
#include "core/view_targets.h"
#include "platform/app_settings.h"
#include "render/gl_objects.h"
#include "scene/scene_operations.h"

namespace morvane {

class SceneRenderer : public SceneOperations {
public:
    // `log`, `modelStat` and `tree` may be null (nothing is shown then).
    SceneRenderer(ModelState& state, Feedback* log, ModelStatFields* modelStat, DataTree* tree);
    ~SceneRenderer() override;  // frees nothing on the GPU: call releaseGL while the context is current

    SceneRenderer(const SceneRenderer&) = delete;
    SceneRenderer& operator=(const SceneRenderer&) = delete;

    // Loads the GL entry points of the current context. False (with the reason) when it is not usable.
    static bool initGlew(std::string* reason);

    bool InitGL();
    // Rebuilds the GL side of a model state that is already set up, on a new context: the one-time GL state, the
    // programs and glyphs, the fixed buffers and every array the state holds. Camera and arrays stay as they are.
    void restoreGL();
    void ReSizeGLScene(int width, int height) override;
    void changeBackgroundColor() override;
    void Render() override;
    void AppendRichText(const std::string& text, LogColour color, bool AddNewLine) override;

    GridBuildOutcome initGRID() override;
    void bindGridBuffers() override;
    void bindBuffers() override;
    void bindCursorBuffers();
    void initPROP(int proprty_count, bool is_property_discrete, int prop_type) override;
    void bindPropBuffers() override;
    void change_color(int prop_type, int code, float r, float g, float b) override;
    void initXY__PLANE() override;
    void bindXYplaneBuffers() override;
    void bindFlatPlaneBuffers();
    void bindWellBuffers() override;
    void bindIntersectBuffers() override;
    void bindIntersectPlaneBuffers() override;
    void bindCircleDiagramBuffers() override;
    void bindContacts() override;

    bool loadShaders(GLName& program);
    void loadTextShader();
    void RenderText(std::string text, float x, float y, float scale, float w_scale, float h_scale, glm::vec3 color);

    // Deletes every GL object this renderer made (context current) and forgets the names in the model state.
    void releaseGL();
    // Forgets every GL name without GL calls: the context that held them is already gone.
    void forgetGL();

    // The host panel's size, read at the start of every frame; by default the last size given to ReSizeGLScene.
    void setPanelSizeSource(std::function<std::array<int, 2>()> source) { panelSize_ = std::move(source); }
    // Where shader and font files are looked up, in order (default: working directory, executable folder).
    void setResourceDirs(std::vector<std::filesystem::path> dirs) { resourceDirs_ = std::move(dirs); }
    // The settings store the background colour is read from (default: the user's own store).
    void setSettings(const AppSettings* settings) { settings_ = settings; }
    // Called after bindPropBuffers to make the view redraw (the window view resizes itself by one pixel).
    void setRedrawRequest(std::function<void()> request) { redrawRequest_ = std::move(request); }

    // Whether a context is current for GL work. Without one, the builders still run and every upload, draw and
    // program build is skipped (the window view before its context exists, or when none can be made).
    void setGlAvailable(bool available) { glAvailable_ = available; }
    bool glAvailable() const { return glAvailable_; }
    // The viewport in device pixels when it differs from the view size (high-density screens).
    void setViewport(int width, int height);

    ModelState& state() { return s_; }
    const GlObjects& objects() const { return gl_; }

private:
    // Uploads `floats` coloured-vertex floats into a new vertex array and buffer, replacing the old ones.
    void uploadColoured(GLName& vao, GLName& vbo, const float* data, std::size_t floats);
    // The same with an element buffer of `indices`.
    void uploadIndexed(GLName& vao, GLName& vbo, GLName& ebo, const float* data, std::size_t floats,
                       const Indices& indices);
    // Per-layer vertex arrays over shared buffers: `vbos` one per layer, one element buffer for every layer.
    void uploadLayers(Slots& vaos, Slots& vbos, Slots& ebos, const std::vector<Vertices>& layers,
                      const Indices& indices, Slots* sharedVbos);
    void releaseSlots(Slots& vaos, Slots& vbos, Slots* ebos);
    void releaseLayerSlots(Slots& vaos, Slots& vbos, Slots& ebos, Slots& edgeVaos, Slots& edgeVbos, Slots& edgeEbos);

    void applyFixedState();
    // Index lists of the grid from the scene builder.
    void buildGridIndexLists();

    // Frame pieces.
    void setUniformMatrix(const char* name, const glm::mat4& m);
    void setUniformFloat(const char* name, float v);
    void setUniformInt(const char* name, int v);
    void setUniformVec3(const char* name, const glm::vec3& v);
    void setUniformVec4(const char* name, const glm::vec4& v);
    void setClipDistance0(bool on);
    glm::mat4 modelTransform() const;
    void drawArrays(GLName vao, unsigned int mode, std::size_t count);
    void drawIndexed(GLName vao, unsigned int mode, std::size_t count);
    void drawLayerCells(int k);
    // Layer k's cells of a list shared by every layer (`perCell` indices to a cell): the whole list, or the layer's
    // runs of drawn cells when inactive cells are hidden.
    void drawLayerRuns(GLName vao, unsigned int mode, std::size_t listSize, int k, std::size_t perCell);
    // Layer k's part of an edge list: the whole list when one serves every layer.
    void drawLayerPart(GLName vao, unsigned int mode, const Indices& list, const std::vector<std::size_t>& layerStart,
                       int k);
    void drawWells();
    void projectAnchor(const glm::vec3& anchor);
    void drawWellLabels(float w, float h);
    void drawBubbles();
    void drawBubbleLabels(float w, float h);
    void drawStatusLabels(float w, float h);
    void advanceAnimations();

    void loadGlyphs();
    std::string readShaderLines(const std::string& file, bool* opened) const;

    ModelState& s_;
    Feedback* log_;
    ModelStatFields* modelStat_;
    DataTree* tree_;
    GlObjects gl_;
    std::function<std::array<int, 2>()> panelSize_;
    std::vector<std::filesystem::path> resourceDirs_;
    const AppSettings* settings_;
    std::function<void()> redrawRequest_;
    std::vector<int> runCounts_;           // scratch of drawLayerRuns
    std::vector<const void*> runOffsets_;  // scratch of drawLayerRuns
    bool glAvailable_ = false;
    int viewportWidth_ = Constants::WINDOW_WIDTH;
    int viewportHeight_ = Constants::WINDOW_HEIGHT;
};

}  // namespace morvane
