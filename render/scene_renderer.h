// The view's drawing code, free of any widget: one-time GL state, shader programs, the uploads of the scene
// arrays, the frame and the labels. It works on whatever GL 4.5 compatibility context is current, so the window
// view (GlView) and the offscreen renderer run the very same code. Geometry comes from the scene builders; this
// class only calls them, uploads their arrays and draws.
#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <glm/glm.hpp>

#include "commands/model_state.h"
#include "core/feedback.h"
#include "core/view_targets.h"
#include "platform/app_settings.h"
#include "render/gl_objects.h"
#include "render/gpu_scene.h"
#include "render/render_surface.h"
#include "scene/cell_outline.h"
#include "scene/scene_operations.h"
#include "scene/well_geometry.h"

namespace morvane {

inline constexpr glm::vec3 kLightColour{1.0f, 1.0f, 1.0f};

class SceneRenderer : public SceneOperations {
public:
    // `log`, `modelStat` and `tree` may be null (nothing is shown then).
    SceneRenderer(ModelState& state, Feedback* log, ModelStatFields* modelStat, DataTree* tree);
    ~SceneRenderer() override;  // frees nothing on the GPU: call releaseGL while the context is current

    SceneRenderer(const SceneRenderer&) = delete;
    SceneRenderer& operator=(const SceneRenderer&) = delete;

    // Loads the GL entry points of the current context. False (with the reason) when it is not usable.
    static bool initGlew(std::string* reason);

    // GLEW, the one-time GL state, the background, both shader programs and the glyphs, the fixed buffers, the
    // start angle and scale. False when GLEW or a shader program failed: the failure is in the trace and a red log
    // line, and the view then shows only its background (see glFailure).
    bool startGL();
    // Rebuilds the GL side of a model state that is already set up, on a new context: the one-time GL state, the
    // programs and glyphs, the fixed buffers and every array the state holds. Camera and arrays stay as they are.
    // False, as startGL, when a shader program failed.
    bool restoreGL();
    void resizeView(int width, int height) override;
    void applyBackground() override;
    void renderFrame() override;
    void appendLogLine(const std::string& text, LogColour color) override;

    GridBuildOutcome buildGridMeshes() override;
    void uploadGrid() override;
    void uploadFixedBuffers() override;
    void uploadCursor();
    void recolourCells() override;
    void uploadCellColours() override;
    void buildReferencePlane() override;
    void uploadReferencePlane() override;
    void uploadFlatPlane();
    void buildLastWell() override;
    void colourWellLines() override;
    void uploadWells() override;
    void uploadWellSection() override;
    void uploadSectionPlane() override;
    void uploadProductionDiscs() override;
    void uploadContacts() override;
    // The outline of the picked cell (picked_cell_lines); none when it is empty.
    void uploadPickedCell();

    // The cell drawn at pixel (x, y) of the viewport (device pixels, from the top left) in the last frame's view, by
    // a pick pass over the cells the current mode draws; nothing over the background, outside the view, without a
    // grid or in the well section.
    std::optional<CellHit> pickCell(int x, int y);

    // Build the main program into `program` and the text program into text_program (then the glyphs). False when
    // a source file cannot be read, a stage does not compile or the program does not link; the compiler's log is
    // traced and a red log line names the shader file.
    bool loadShaders(GLName& program);
    bool loadTextShader();
    // The first red line of a GL failure since this renderer was made; empty when none.
    const std::string& glFailure() const { return glFailure_; }
    void drawText(std::string text, float x, float y, float scale, float w_scale, float h_scale, glm::vec3 color);

    // Deletes every GL object this renderer made (context current) and forgets their names.
    void releaseGL();
    // Forgets every GL name without GL calls: the context that held them is already gone.
    void forgetGL();

    // The window widget or offscreen target that holds the context (may be null: GL work then runs on whatever
    // context is current). Its panelSize is read at the start of every frame.
    void setSurface(RenderSurface* surface) { surface_ = surface; }
    // Where shader and font files are looked up, in order (default: working directory, executable folder).
    void setResourceDirs(std::vector<std::filesystem::path> dirs) { resourceDirs_ = std::move(dirs); }
    // The settings store the background colour is read from (default: the user's own store).
    void setSettings(const AppSettings* settings) { settings_ = settings; }

    // Whether a context is current for GL work. Without one, the builders still run and every upload, draw and
    // program build is skipped (the window view before its context exists, or when none can be made).
    void setGlAvailable(bool available) { glAvailable_ = available; }
    bool glAvailable() const { return glAvailable_; }
    const glm::vec3& lightPosition() const { return lightPosition_; }
    bool cursorAllowed() const { return cursorAllowed_; }
    // The viewport in device pixels when it differs from the view size (high-density screens).
    void setViewport(int width, int height);
    // Device pixels per logical pixel: lines and points are widened by it so they look as thick on a high-density
    // screen as on an ordinary one.
    void setPixelRatio(float ratio) { pixelRatio_ = ratio > 0.0f ? ratio : 1.0f; }

    ModelState& state() { return s_; }
    const GlObjects& objects() const { return gl_; }
    const GpuScene& gpu() const { return gpu_; }
    GpuScene& gpu() { return gpu_; }  // tests take an object away to see the picture without it

private:
    // Held through every public upload, recolour and resize: the surface's context is made current first, and the
    // surface is told of the change after.
    class SurfaceUse {
    public:
        explicit SurfaceUse(RenderSurface* surface) : surface_(surface)
        {
            if (surface_) surface_->makeContextCurrent();
        }
        ~SurfaceUse()
        {
            if (surface_) surface_->sceneChanged();
        }
        SurfaceUse(const SurfaceUse&) = delete;
        SurfaceUse& operator=(const SurfaceUse&) = delete;

    private:
        RenderSurface* surface_;
    };

    // The frame itself (renderFrame makes the context current around it and tells the surface a frame was drawn).
    void drawFrame();
    // Parts of a frame, in the order renderFrame draws them.
    glm::mat4 drawPivotCursor();
    void placeFrameMatrices();
    void drawSectionStrips();
    void drawGridLines();
    // glLineWidth and glPointSize in logical pixels.
    void lineWidth(float logical) const;
    void pointSize(float logical) const;
    // Uploads `floats` coloured-vertex floats into a new vertex array and buffer, replacing the old ones.
    void uploadColoured(GLName& vao, GLName& vbo, const float* data, std::size_t floats);
    // The same with an element buffer of `indices`.
    void uploadIndexed(GLName& vao, GLName& vbo, GLName& ebo, const float* data, std::size_t floats,
                       const Indices& indices);
    // Per-layer vertex arrays over shared buffers: `vbos` one per layer, one element buffer for every layer.
    // Without `positionVbos`, `layers` are the grid's coloured vertices, of which the buffers keep the positions only
    // (the grid lines take their one colour from gridLineColour_). With `positionVbos` (such position buffers, one
    // per layer), `layers` hold one colour (three floats) per vertex, uploaded as four bytes.
    void uploadLayers(Slots& vaos, Slots& vbos, Slots& ebos, const std::vector<Vertices>& layers,
                      const Indices& indices, Slots* sharedVbos, const Slots* positionVbos = nullptr);
    void releaseSlots(Slots& vaos, Slots& vbos, Slots* ebos);
    void releaseLayerSlots(Slots& vaos, Slots& vbos, Slots& ebos, Slots& edgeVaos, Slots& edgeVbos, Slots& edgeEbos);
    // Per-layer vertex arrays over the cells' buffers with the outer faces of the cells the property filter keeps.
    void uploadFilteredCells();
    // Per-layer vertex arrays of the cells the flat section cuts and their neighbours, rebuilt when the model has
    // moved through the section since the last call. False when there are none to draw from.
    bool updateSectionCells();
    // The layer view's block (cells_block_VAO, block_lines_VAO) for the layers on show, rebuilt when they or the
    // opacity change. False when there is nothing to draw it from.
    bool updateLayerBlock();
    // The per-layer vertex arrays of `lists`, drawn from the cells' colour and the grid's position buffers.
    void uploadCellSubsets(Slots& vaos, Slots& ebos, const std::vector<Indices>& lists);

    // GLEW, the one-time GL state, the background, both programs and the fixed buffers on the current context.
    // False when GLEW failed (said in red; GL is then off for this renderer).
    bool startContext();
    void applyFixedState();
    // The uniforms the frame does not set itself: the matrices it starts from, opacity and light.
    void setStartUniforms();
    // Index lists of the grid from the scene builder.
    void buildGridIndexLists();

    // Uniform locations of the two programs, looked up by name once after each link (-1: not in the program).
    struct CoreUniforms {
        GLName program = 0;
        int ModelMatrix = -1, ViewMatrix = -1, ProjectionMatrix = -1, transp = -1, lightColor = -1, lightPos = -1,
            current_x = -1, current_y = -1, model_z_min = -1, model_z_max = -1, clip_plane0 = -1, clip_enabled = -1;
    };
    struct TextUniforms {
        GLName program = 0;
        int projection = -1, textColor = -1;
    };
    static CoreUniforms coreUniformsOf(GLName program);
    static TextUniforms textUniformsOf(GLName program);

    // Shader building: one stage and the link of two. On failure the compiler's log goes to the trace and into
    // `log`, and a red line names the file (for a stage whose file was read; a missing file is said once).
    bool compileStage(unsigned int shader, const std::string& file, const std::string& source, bool sourceRead,
                      std::string* log);
    bool linkProgram(GLName program, const std::string& vertexFile, const std::string& fragmentFile,
                     bool stagesCompiled, std::string* log);
    // A red log line and the trace; the first one is kept for glFailure.
    void reportGlFailure(const std::string& line);

    // Frame pieces.
    void setUniformMatrix(int location, const glm::mat4& m);
    void setUniformFloat(int location, float v);
    void setUniformInt(int location, int v);
    void setUniformVec3(int location, const glm::vec3& v);
    void setUniformVec4(int location, const glm::vec4& v);
    void setClipDistance0(bool on);
    glm::mat4 modelTransform() const;
    void drawArrays(GLName vao, unsigned int mode, std::size_t count);
    void drawIndexed(GLName vao, unsigned int mode, std::size_t count);
    void drawLayerCells(int k);
    // The cells the current mode draws, layer by layer; `beforeLayer` (may be empty) is told each layer first.
    void drawCells(const std::function<void(int)>& beforeLayer);
    bool ensurePickTarget();
    void releasePickTarget();
    // Layer k's cells of a list shared by every layer (`perCell` indices to a cell): the whole list, or the layer's
    // runs of drawn cells when inactive cells are hidden.
    void drawLayerRuns(GLName vao, unsigned int mode, std::size_t listSize, int k, std::size_t perCell);
    // Layer k's part of an edge list: the whole list when one serves every layer.
    void drawLayerPart(GLName vao, unsigned int mode, const Indices& list, const std::vector<std::size_t>& layerStart,
                       int k);
    // Layer k's part of a shell list, only the runs `drawRun` keeps (runsPerLayer runs a layer, grid_shell.h). The
    // whole part when the runs do not describe the list.
    void drawShellRuns(GLName vao, unsigned int mode, const Indices& list, const std::vector<std::size_t>& layerStart,
                       const std::vector<std::size_t>& runs, int runsPerLayer, int k,
                       const std::function<bool(int)>& drawRun);
    // The runs of one layer's part of a shell list: run r from starts[r] to the next start (the last to `end`), only
    // those `drawRun` keeps. The buffer of `vao` holds `uploaded` elements of the list from `origin` on.
    void drawRuns(GLName vao, unsigned int mode, std::size_t uploaded, const std::size_t* starts, int runCount,
                  std::size_t end, std::size_t origin, const std::function<bool(int)>& drawRun);
    // The upper layer's lines of the layer view's block, without those bordering only sides turned from the viewer.
    void drawBlockLines();
    // Layer k's faces of a block's shell uploaded to `vaos`, without the sides turned from the viewer.
    struct LayerBlock;
    void drawBlockFaces(const Slots& vaos, const LayerBlock& block, int k, const std::function<bool(int)>& sideSeen);
    // Per side of a shell, whether any of its triangles (`sidePlanes`, grid_shell.h) faces the viewer of the current
    // matrices.
    std::array<bool, 6> shellSidesSeen(const std::array<std::vector<float>, 6>& sidePlanes) const;
    // One multi-draw of the runs gathered in runCounts_ and runOffsets_ (element counts and byte offsets).
    void drawRunsGathered(GLName vao, unsigned int mode);
    void drawWells();
    void drawBackdropSquare();
    void drawWellPart(GLName vao, const Vertices& part, const std::vector<int>* runs);
    void projectAnchor(const glm::vec3& anchor);
    void drawWellLabels(float w, float h);
    void drawBubbles();
    void drawBubbleLabels(float w, float h);
    void drawStatusLabels(float w, float h);

    void loadGlyphs();

    ModelState& s_;
    GpuScene gpu_;  // every GL object of the scene, on the context current when they were made
    Feedback* log_;
    ModelStatFields* modelStat_;
    DataTree* tree_;
    GlObjects gl_;
    RenderSurface* surface_ = nullptr;
    std::vector<std::filesystem::path> resourceDirs_;
    const AppSettings* settings_;
    std::vector<int> runCounts_;           // scratch of drawLayerRuns
    std::vector<const void*> runOffsets_;  // scratch of drawLayerRuns
    // The plane, in the grid's coordinates, that cells_section_VAO was built for; rebuilt after any new upload.
    glm::vec4 sectionPlane_{0.0f};
    bool sectionCurrent_ = false;
    // The layers and opacity the layer view's block was built for; rebuilt after any new upload.
    // The block's runs and side planes (grid_shell.h ShellLists), kept so that the sides turned from the viewer and
    // the lines bordering only them are left out of each frame.
    struct LayerBlock {
        int first = -1, last = -1;
        bool seeThrough = false, current = false;
        std::vector<std::size_t> faceStart, faceRuns, lineStart, lineRuns;
        std::array<std::vector<float>, 6> sidePlanes;
    } block_;
    // The shell of the cells the property filter keeps, all layers (current: a filter is set and was uploaded).
    LayerBlock filter_;
    // The corner index the well bounds search, built for the grid at the first well after a grid import.
    std::unique_ptr<ModelSurfaceCorners> wellCorners_;
    bool glAvailable_ = false;
    // The programs linked on the current context; without the main one the frame is only the background.
    bool coreReady_ = false;
    bool textReady_ = false;
    CoreUniforms core_;
    TextUniforms text_;
    // The pick pass: its program with the uniform locations, and a one-pixel framebuffer.
    struct PickTarget {
        GLName program = 0, fbo = 0, colour = 0, depth = 0;
        int ModelMatrix = -1, ViewMatrix = -1, ProjectionMatrix = -1, clip_plane0 = -1, clip_enabled = -1,
            points_in_layer = -1, layer = -1;
    };
    PickTarget pick_;
    std::string glFailure_;
    int viewportWidth_ = Constants::WINDOW_WIDTH;
    int viewportHeight_ = Constants::WINDOW_HEIGHT;
    float gridLineColour_[3] = {1.0f, 1.0f, 1.0f};  // the one colour of the grid's line vertices
    // The light sits where the pivot was when the view started and stays there.
    glm::vec3 lightPosition_{548.6273f, 6414.321f, -1.87842f};
    // Whether the pivot cursor may show: only in the perspective views, decided by the frame before.
    bool cursorAllowed_ = true;
    float pixelRatio_ = 1.0f;
};

}  // namespace morvane
