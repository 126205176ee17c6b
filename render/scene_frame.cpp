// One frame of the view: what is drawn under which mode flags, in which order, with which primitive, line width,
// opacity and clipping, and the labels projected into the 1024 x 768 label space.
//
// The frame reads the model state and writes back only what later readers need: the host panel's size and the
// frame's matrices and projection results (the label positions of the wells are measured in them and the pointer is
// matched against them between frames), and whether the pivot cursor is shown (the next frame draws the cursor
// before it chooses its projection). The view's animations are stepped by the caller between frames.
#include <GL/glew.h>

#include <algorithm>
#include <charconv>
#include <limits>

#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>
#include <glm/matrix.hpp>

#include "core/angles.h"
#include "core/decimal_text.h"
#include "render/scene_renderer.h"
#include "scene/grid_shell.h"
#include "scene/property_colouring.h"
#include "scene/reference_plane.h"

namespace morvane {

namespace {

// A list built for the vertex array it is drawn with: all of it, as far as it was uploaded.
constexpr std::size_t kWholeList = std::numeric_limits<std::size_t>::max();

GLName slotAt(const Slots& list, long long k)
{
    return k >= 0 && static_cast<std::size_t>(k) < list.size() ? list[static_cast<std::size_t>(k)] : 0;
}

// The disc of bubble i when it is drawn: both of the well's volumes are known and the disc has been built.
const Vertices* shownBubble(const ModelState& s, std::size_t i)
{
    const auto& wells = s.document.wells.items;
    if (i >= wells.size() || i >= s.circleDiagram.size()) return nullptr;
    const WellVolumes v = s.document.production.of(wells[i].name);
    if (v.oil == kNoVolume || v.water == kNoVolume) return nullptr;
    const Vertices& disc = s.circleDiagram[i];
    return disc.size() < 3 ? nullptr : &disc;
}

// The faces of a shell's sides seen: run r holds side r's faces.
std::function<bool(int)> facesOfSidesSeen(const std::array<bool, 6>& seen)
{
    return [seen](int run) { return seen[static_cast<std::size_t>(run)]; };
}

// The lines of a shell's sides seen: those bordering several sides (run 0) always, a side's own while it is seen.
std::function<bool(int)> linesOfSidesSeen(const std::array<bool, 6>& seen)
{
    return [seen](int run) { return run == 0 || seen[static_cast<std::size_t>(run - 1)]; };
}

}  // namespace

void SceneRenderer::setUniformMatrix(int location, const glm::mat4& m)
{
    glUniformMatrix4fv(location, 1, GL_FALSE, glm::value_ptr(m));
}

void SceneRenderer::setUniformFloat(int location, float v) { glUniform1f(location, v); }

void SceneRenderer::setUniformInt(int location, int v) { glUniform1i(location, v); }

void SceneRenderer::setUniformVec3(int location, const glm::vec3& v) { glUniform3fv(location, 1, glm::value_ptr(v)); }

void SceneRenderer::setUniformVec4(int location, const glm::vec4& v) { glUniform4fv(location, 1, glm::value_ptr(v)); }

// Clip distance 0 on or off. The shader is told too: Mesa's llvmpipe applies a written gl_ClipDistance even while
// GL_CLIP_DISTANCE0 is disabled, which would cut the model in every view.
void SceneRenderer::setClipDistance0(bool on)
{
    if (on)
        glEnable(GL_CLIP_DISTANCE0);
    else
        glDisable(GL_CLIP_DISTANCE0);
    setUniformInt(core_.clip_enabled, on ? 1 : 0);
}

// Rx(rotation.x) Ry(rotation.y) Rz(rotation.z) S(scale) T(position): the pivot at the world origin.
glm::mat4 SceneRenderer::modelTransform() const
{
    glm::mat4 m(1.0f);
    m = glm::rotate(m, s_.view.camera.rotation.x * kDegToRad, glm::vec3(1, 0, 0));
    m = glm::rotate(m, s_.view.camera.rotation.y * kDegToRad, glm::vec3(0, 1, 0));
    m = glm::rotate(m, s_.view.camera.rotation.z * kDegToRad, glm::vec3(0, 0, 1));
    m = glm::scale(m, s_.view.camera.scale);
    return glm::translate(m, s_.view.camera.position);
}

void SceneRenderer::drawArrays(GLName vao, unsigned int mode, std::size_t count)
{
    const GLsizei n = vao != 0 ? gl_.drawable(vao, count) : 0;
    if (n <= 0) return;
    glBindVertexArray(vao);
    glDrawArrays(mode, 0, n);
}

void SceneRenderer::drawIndexed(GLName vao, unsigned int mode, std::size_t count)
{
    const GLsizei n = vao != 0 ? gl_.drawable(vao, count) : 0;
    if (n <= 0) return;
    glBindVertexArray(vao);
    glDrawElements(mode, n, GL_UNSIGNED_INT, nullptr);
}

void SceneRenderer::drawLayerCells(int k)
{
    drawLayerRuns(slotAt(gpu_.cells.vaos, k), GL_TRIANGLES, s_.cell_indices.size(), k, 30);
}

void SceneRenderer::drawRunsGathered(GLName vao, unsigned int mode)
{
    if (runCounts_.empty()) return;
    glBindVertexArray(vao);
    glMultiDrawElements(mode, runCounts_.data(), GL_UNSIGNED_INT, runOffsets_.data(),
                        static_cast<GLsizei>(runCounts_.size()));
}

void SceneRenderer::drawLayerRuns(GLName vao, unsigned int mode, std::size_t listSize, int k, std::size_t perCell)
{
    const auto& starts = s_.cell_runs_layer;
    if (starts.empty()) {
        drawIndexed(vao, mode, listSize);
        return;
    }
    if (vao == 0 || k < 0 || static_cast<std::size_t>(k) + 1 >= starts.size()) return;
    const auto drawable = static_cast<std::size_t>(std::max(gl_.drawable(vao, listSize), 0));
    runCounts_.clear();
    runOffsets_.clear();
    const std::size_t end = std::min(starts[k + 1], s_.cell_runs.size());
    for (std::size_t i = starts[k]; i + 1 < end; i += 2) {
        const auto first = static_cast<std::size_t>(s_.cell_runs[i]);
        const auto count = static_cast<std::size_t>(s_.cell_runs[i + 1]);
        if ((first + count) * perCell > drawable) continue;  // never past what was uploaded
        runCounts_.push_back(static_cast<int>(count * perCell));
        runOffsets_.push_back(reinterpret_cast<const void*>(first * perCell * sizeof(GLuint)));
    }
    drawRunsGathered(vao, mode);
}

void SceneRenderer::drawLayerPart(GLName vao, unsigned int mode, const Indices& list,
                                  const std::vector<std::size_t>& layerStart, int k)
{
    if (layerStart.empty()) {
        drawIndexed(vao, mode, list.size());
        return;
    }
    if (vao == 0 || k < 0 || static_cast<std::size_t>(k) + 1 >= layerStart.size()) return;
    const std::size_t first = layerStart[k], last = layerStart[k + 1];
    const auto drawable = static_cast<std::size_t>(std::max(gl_.drawable(vao, list.size()), 0));
    if (last <= first || last > drawable) return;
    glBindVertexArray(vao);
    glDrawElements(mode, static_cast<GLsizei>(last - first), GL_UNSIGNED_INT,
                   reinterpret_cast<const void*>(first * sizeof(GLuint)));
}

void SceneRenderer::drawShellRuns(GLName vao, unsigned int mode, const Indices& list,
                                  const std::vector<std::size_t>& layerStart, const std::vector<std::size_t>& runs,
                                  int runsPerLayer, int k, const std::function<bool(int)>& drawRun)
{
    const auto layers = layerStart.empty() ? 0 : layerStart.size() - 1;
    if (runs.size() != layers * static_cast<std::size_t>(runsPerLayer)) {
        drawLayerPart(vao, mode, list, layerStart, k);
        return;
    }
    if (vao == 0 || k < 0 || static_cast<std::size_t>(k) >= layers) return;
    drawRuns(vao, mode, list.size(), &runs[static_cast<std::size_t>(k) * static_cast<std::size_t>(runsPerLayer)],
             runsPerLayer, layerStart[k + 1], 0, drawRun);
}

void SceneRenderer::drawRuns(GLName vao, unsigned int mode, std::size_t uploaded, const std::size_t* starts,
                             int runCount, std::size_t end, std::size_t origin, const std::function<bool(int)>& drawRun)
{
    const auto drawable = static_cast<std::size_t>(std::max(gl_.drawable(vao, uploaded), 0));
    runCounts_.clear();
    runOffsets_.clear();
    std::size_t joinedEnd = std::numeric_limits<std::size_t>::max();  // where the last kept run ends
    for (int r = 0; r < runCount; ++r) {
        const std::size_t first = starts[r], last = r + 1 < runCount ? starts[r + 1] : end;
        if (last <= first || first < origin || last - origin > drawable || !drawRun(r)) continue;
        if (first == joinedEnd) {
            runCounts_.back() += static_cast<int>(last - first);  // kept runs side by side are drawn as one
        } else {
            runCounts_.push_back(static_cast<int>(last - first));
            runOffsets_.push_back(reinterpret_cast<const void*>((first - origin) * sizeof(GLuint)));
        }
        joinedEnd = last;
    }
    drawRunsGathered(vao, mode);
}

void SceneRenderer::drawBlockFaces(const Slots& vaos, const LayerBlock& block, int k,
                                   const std::function<bool(int)>& sideSeen)
{
    const auto layer = static_cast<std::size_t>(k);
    if (k < 0 || layer + 1 >= block.faceStart.size() || block.faceRuns.size() < (layer + 1) * kShellSides) return;
    const std::size_t from = block.faceStart[layer], to = block.faceStart[layer + 1];
    drawRuns(slotAt(vaos, k), GL_TRIANGLES, to - from, &block.faceRuns[layer * kShellSides], kShellSides, to, from,
             sideSeen);
}

void SceneRenderer::drawBlockLines()
{
    const auto top = static_cast<std::size_t>(std::max(s_.view.layer.shown - 1, 0));
    constexpr std::size_t runs = kShellSides + 1;
    if (top + 1 >= block_.lineStart.size() || block_.lineRuns.size() < (top + 1) * runs) {
        drawIndexed(gpu_.blockLines.vao, GL_LINES, kWholeList);
        return;
    }
    const std::size_t from = block_.lineStart[top], to = block_.lineStart[top + 1];
    drawRuns(gpu_.blockLines.vao, GL_LINES, to - from, &block_.lineRuns[top * runs], runs, to, from,
             linesOfSidesSeen(shellSidesSeen(block_.sidePlanes)));
}

// A side of the shell none of whose triangles faces the viewer is hidden in the closed shell, and so are the lines
// that border only its faces: the frame leaves them out. The viewer is the eye (perspective) or the direction
// towards it (orthographic), in the grid's coordinates.
std::array<bool, 6> SceneRenderer::shellSidesSeen(const std::array<std::vector<float>, 6>& sidePlanes) const
{
    std::array<bool, 6> seen{};
    const glm::mat4 viewModel = s_.view.frame.view * s_.view.frame.model;
    const bool orthographic = s_.view.frame.projection[3][3] == 1.0f;
    const glm::vec4 eye = glm::inverse(viewModel) * (orthographic ? glm::vec4(0, 0, 1, 0) : glm::vec4(0, 0, 0, 1));
    // A mirroring transform turns every winding, and with it the faces GL counts as turned away.
    const float facing = glm::determinant(glm::mat3(viewModel)) < 0.0f ? -1.0f : 1.0f;
    const float margin = 1e-5f * (1.0f + glm::length(glm::vec3(eye)));
    for (std::size_t side = 0; side < seen.size(); ++side) {
        const std::vector<float>& planes = sidePlanes[side];
        for (std::size_t i = 0; i + 3 < planes.size() && !seen[side]; i += 4) {
            const float distance =
                planes[i] * eye.x + planes[i + 1] * eye.y + planes[i + 2] * eye.z + planes[i + 3] * eye.w;
            seen[side] = !(facing * distance <= -margin);  // NaN counts as seen
        }
    }
    return seen;
}

// The fixed blue square is a backdrop: it fills only pixels nothing has been drawn to yet and writes no depth, so
// whatever comes later in the frame covers it. At its own depth it lay in front of every model deeper than its
// plane and, seen from above that plane, covered the whole model (zoomed out, the 2D top view, thin models).
void SceneRenderer::drawBackdropSquare()
{
    glDepthRange(1.0, 1.0);  // its fragments sit at the far end of the depth range
    glDepthFunc(GL_LEQUAL);  // and pass only where the depth buffer is still clear
    glDepthMask(GL_FALSE);
    drawArrays(gpu_.backdrop.vao, GL_TRIANGLES, 6);
    glDepthMask(GL_TRUE);
    glDepthFunc(GL_LESS);
    glDepthRange(0.0, 1.0);
}

// One part of a well: every run a line strip of its own (a part without runs is one strip).
void SceneRenderer::drawWellPart(GLName vao, const Vertices& part, const std::vector<int>* runs)
{
    const GLsizei drawable = vao != 0 ? gl_.drawable(vao, part.size() / 6) : 0;
    if (drawable <= 0) return;
    glBindVertexArray(vao);
    if (!runs || runs->empty()) {
        glDrawArrays(GL_LINE_STRIP, 0, drawable);
        return;
    }
    for (std::size_t r = 0; r < runs->size(); ++r) {
        const GLsizei first = (*runs)[r];
        const GLsizei end = std::min<GLsizei>(r + 1 < runs->size() ? (*runs)[r + 1] : drawable, drawable);
        if (first >= 0 && end - first >= 2) glDrawArrays(GL_LINE_STRIP, first, end - first);
    }
}

void SceneRenderer::drawCells(const std::function<void(int)>& beforeLayer)
{
    const ModelState& s = s_;
    const int layers = s.document.grid.layers;
    const auto layerCells = [&](int k) {
        if (k < 0 || k >= layers) return;
        if (beforeLayer) beforeLayer(k);
        drawLayerCells(k);
    };
    if (s.view.is(ViewMode::Shell)) {
        const auto sideSeen = facesOfSidesSeen(shellSidesSeen(s.shell_side_planes));
        for (int k = 0; k < layers; ++k) {
            if (beforeLayer) beforeLayer(k);
            drawShellRuns(slotAt(gpu_.cellShell.vaos, k), GL_TRIANGLES, s.cell_indices_edge, s.cell_indices_edge_layer,
                          s.shell_face_runs, kShellSides, k, sideSeen);
        }
    }
    if (s.view.is(ViewMode::Layers)) {
        const int first = s.view.layer.shown - 1, last = s.view.layer.oneAtATime ? first : s.view.layer.shown + 6;
        // Opaque, the block shows only its shell; seen through, every face of every cell counts.
        const bool shellOnly = s.view.display.modelOpacity >= 1.0f && updateLayerBlock();
        const auto sideSeen = facesOfSidesSeen(shellSidesSeen(block_.sidePlanes));
        for (int k = last; k >= first; --k) {
            if (!shellOnly) {
                layerCells(k);
            } else if (k >= 0 && k < layers) {
                if (beforeLayer) beforeLayer(k);
                drawBlockFaces(gpu_.layerBlock.vaos, block_, k, sideSeen);
            }
        }
    }
    if (s.view.is(ViewMode::FlatSection)) {
        // Opaque, the section shows the shell and the cells around the cut; seen through, every face counts.
        if (s.view.display.modelOpacity >= 1.0f && updateSectionCells()) {
            for (int k = 0; k < layers; ++k) {
                if (beforeLayer) beforeLayer(k);
                drawLayerPart(slotAt(gpu_.cellShell.vaos, k), GL_TRIANGLES, s.cell_indices_edge,
                              s.cell_indices_edge_layer, k);
                drawIndexed(slotAt(gpu_.sectionCells.vaos, k), GL_TRIANGLES, s.cell_indices.size());
            }
        } else {
            for (int k = 0; k < layers; ++k) layerCells(k);
        }
    }
    if (s.view.is(ViewMode::Filter)) {
        // The filter view: the shell of the cells on the kept side of the cut when a filter is set, else the model's.
        const bool filtered = filter_.current && !gpu_.filteredCells.vaos.empty();
        const auto sideSeen = facesOfSidesSeen(shellSidesSeen(filtered ? filter_.sidePlanes : s.shell_side_planes));
        for (int k = layers - 1; k >= 0; --k) {
            if (beforeLayer) beforeLayer(k);
            if (filtered)
                drawBlockFaces(gpu_.filteredCells.vaos, filter_, k, sideSeen);
            else
                drawShellRuns(slotAt(gpu_.cellShell.vaos, k), GL_TRIANGLES, s.cell_indices_edge,
                              s.cell_indices_edge_layer, s.shell_face_runs, kShellSides, k, sideSeen);
        }
    }
}

void SceneRenderer::lineWidth(float logical) const { glLineWidth(logical * pixelRatio_); }

void SceneRenderer::pointSize(float logical) const { glPointSize(logical * pixelRatio_); }

void SceneRenderer::drawWells()
{
    const auto runsOf = [](const std::vector<std::vector<int>>& list, std::size_t i) {
        return i < list.size() ? &list[i] : nullptr;
    };
    for (std::size_t i = 0; i < s_.document.wells.items.size(); ++i) {
        lineWidth(static_cast<float>(s_.view.wells.lineWidth));
        if (i < s_.well_coord_vertex_show.size())
            drawWellPart(slotAt(gpu_.wellsShown.vaos, static_cast<long long>(i)), s_.well_coord_vertex_show[i],
                         runsOf(s_.well_show_runs, i));
        if (!s_.view.wells.cut && i < s_.well_coord_vertex_hide.size())
            drawWellPart(slotAt(gpu_.wellsHidden.vaos, static_cast<long long>(i)), s_.well_coord_vertex_hide[i],
                         runsOf(s_.well_hide_runs, i));
    }
}

void SceneRenderer::renderFrame()
{
    if (surface_ && !surface_->makeContextCurrent()) return;
    drawFrame();
    if (surface_) surface_->frameDrawn();
}

void SceneRenderer::drawFrame()
{
    if (!glAvailable_) return;
    ModelState& s = s_;
    const auto panel = surface_ ? surface_->panelSize() : std::nullopt;
    s.view.frame.panelWidth = panel ? panel->first : s.view.frame.width;
    s.view.frame.panelHeight = panel ? panel->second : s.view.frame.height;

    glViewport(0, 0, viewportWidth_, viewportHeight_);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    // Without the main program there is nothing to draw with; the failure was said in red when it was built.
    if (!coreReady_) return;
    if (core_.program != gpu_.coreProgram) core_ = coreUniformsOf(gpu_.coreProgram);
    glEnable(GL_DEPTH_TEST);
    glUseProgram(gpu_.coreProgram);
    setUniformVec3(core_.lightColor, kLightColour);
    setUniformVec3(core_.lightPos, lightPosition_);
    setUniformFloat(core_.current_x, -s.view.camera.position.x);
    setUniformFloat(core_.current_y, -s.view.camera.position.y);
    setUniformFloat(core_.model_z_min, s.document.grid.extent.zMin);
    setUniformFloat(core_.model_z_max, s.document.grid.extent.zMax);

    const glm::mat4 atPivot = drawPivotCursor();

    placeFrameMatrices();

    setUniformVec4(core_.clip_plane0, s.clip_plane0);
    setClipDistance0(false);
    setUniformFloat(core_.transp, 1.0f);

    // The unfolded well section lies in a space of its own: the wells, the reference plane, the square and the circle
    // diagrams, placed in the model's space, would cross it at random wherever the model's coordinates are small.
    const bool modelSpace = !s.view.section.unfolded;
    if (!s.view.wells.labelsOnTop && !s.document.wells.empty() && modelSpace) drawWells();

    if (modelSpace) {
        lineWidth(1);
        drawArrays(gpu_.referencePlane.vao, GL_LINES,
                   static_cast<std::size_t>(std::max(xyPlaneDrawnVertexCount(s), 0)));
        drawBackdropSquare();
    }

    if (s.view.is(ViewMode::WellSection) && s.cellsColoured()) drawSectionStrips();

    setUniformFloat(core_.transp, s.view.display.modelOpacity);
    if (s.view.is(ViewMode::FlatSection)) setClipDistance0(true);

    if (s.document.grid.loaded && s.view.display.gridLines && !s.view.is(ViewMode::WellSection)) drawGridLines();

    if (s.cellsColoured() && !s.view.is(ViewMode::WellSection)) {
        drawCells({});
        setUniformFloat(core_.transp, 0.5f);
        if (s.view.contacts.owc) drawIndexed(gpu_.owc.vao, GL_TRIANGLES, s.OWC_indices.size());
        if (s.view.contacts.goc) drawIndexed(gpu_.goc.vao, GL_TRIANGLES, s.GOC_indices.size());
    }

    if (s.view.wells.labelsOnTop) {
        setClipDistance0(false);
        setUniformFloat(core_.transp, 1.0f);
        glClear(GL_DEPTH_BUFFER_BIT);
        if (!s.document.wells.empty() && modelSpace) drawWells();
    }

    if (s.view.production.discs && modelSpace) drawBubbles();

    if (s.view.is(ViewMode::FlatSection)) {
        setClipDistance0(false);
        setUniformMatrix(core_.ModelMatrix, atPivot);
        drawArrays(gpu_.flatPlane.vao, GL_TRIANGLES, 6);
    }
    glBindVertexArray(0);

    setUniformMatrix(core_.ModelMatrix, s.view.frame.model);
    // The picked cell's outline, over everything so a cell behind others stays marked.
    if (gpu_.pickedCell.vao != 0) {
        setClipDistance0(false);
        setUniformFloat(core_.transp, 1.0f);
        glDisable(GL_DEPTH_TEST);
        lineWidth(3);
        drawArrays(gpu_.pickedCell.vao, GL_LINES, s.picked_cell_lines.size() / 6);
        glEnable(GL_DEPTH_TEST);
        glBindVertexArray(0);
    }

    // A view of zero width or height (a collapsed panel) keeps finite glyph sizes.
    const float w = static_cast<float>(Constants::WINDOW_WIDTH) / static_cast<float>(std::max(s.view.frame.width, 1));
    const float h = static_cast<float>(Constants::WINDOW_HEIGHT) / static_cast<float>(std::max(s.view.frame.height, 1));
    glClear(GL_DEPTH_BUFFER_BIT);
    if (!s.document.wells.empty()) drawWellLabels(w, h);
    if (s.view.production.discs && modelSpace) drawBubbleLabels(w, h);
    drawStatusLabels(w, h);
}

// The pivot cursor, drawn with the previous frame's view and projection and its choice of whether the cursor shows.
// Returns the model matrix that puts the pivot at the origin (the flat-section plane is drawn with it too).
glm::mat4 SceneRenderer::drawPivotCursor()
{
    const ModelState& s = s_;
    const glm::vec3 cursorStart(s.cursor_point_vertex[0], s.cursor_point_vertex[1], s.cursor_point_vertex[2]);
    const glm::mat4 atPivot = glm::translate(glm::mat4(1.0f), -cursorStart);
    setUniformMatrix(core_.ModelMatrix, atPivot);
    if (!s.view.section.unfolded && s.view.pivotCursor && cursorAllowed_) {
        pointSize(20);
        drawArrays(gpu_.cursor.vao, GL_POINTS, 1);
        glEnable(GL_POINT_SMOOTH);
        lineWidth(4);
        drawArrays(gpu_.cursor.vao, GL_LINES, 2);
        drawArrays(gpu_.cursorCross.vao, GL_LINES, 2);
    }
    return atPivot;
}

// This frame's model, view and projection, kept in the view state for the readers after the frame (picking, labels,
// the pivot); the projection is orthographic on the unfolded section and in the orthographic top view.
void SceneRenderer::placeFrameMatrices()
{
    ModelState& s = s_;
    setUniformFloat(core_.transp, 0.5f);
    s.view.frame.model = modelTransform();
    setUniformMatrix(core_.ModelMatrix, s.view.frame.model);
    s.view.frame.view = glm::lookAtRH(eye::position, eye::target, eye::up);
    setUniformMatrix(core_.ViewMatrix, s.view.frame.view);

    const auto ortho = [&] {
        return glm::orthoRH_NO(-1.0f, 1.0f, -1.0f / s.view.frame.ratio, 1.0f / s.view.frame.ratio, eye::nearPlane,
                               eye::farPlane);
    };
    const auto perspective = [&] {
        return glm::perspectiveRH_NO(eye::fieldOfView * kDegToRad, s.view.frame.ratio, eye::nearPlane, eye::farPlane);
    };
    if (s.view.section.unfolded) {
        s.view.frame.projection = ortho();
        cursorAllowed_ = false;
    } else if (s.view.camera.rotation.x != 0) {
        s.view.frame.projection = perspective();
        cursorAllowed_ = true;
    } else if (s.view.display.orthographicTopView) {
        s.view.frame.projection = ortho();
        cursorAllowed_ = false;
    } else {
        s.view.frame.projection = perspective();
        cursorAllowed_ = true;
    }
    setUniformMatrix(core_.ProjectionMatrix, s.view.frame.projection);
}

// The well section's strips on the model: the cut lines, their contact lines, the section plane's border while it is
// placed, and the section wells.
void SceneRenderer::drawSectionStrips()
{
    const ModelState& s = s_;
    for (std::size_t i = 0; i < s.intersect_lines.size(); ++i) {
        const std::size_t count = i < s.intersect_lines_indices.size() ? s.intersect_lines_indices[i].size() : 0;
        lineWidth(6);
        drawIndexed(slotAt(gpu_.sectionLines.vaos, static_cast<long long>(i)), GL_LINES, count);
        lineWidth(10);
        drawIndexed(slotAt(gpu_.sectionContactLines.vaos, static_cast<long long>(i)), GL_LINES,
                    i < gpu_.sectionContactCounts.size() ? gpu_.sectionContactCounts[i] : 0);
        if (s.view.section.planePlaced) {
            lineWidth(3);
            drawIndexed(gpu_.sectionPlaneBorder.vao, GL_LINES, s.model_section_border_indices.size());
        }
    }
    for (std::size_t j = 0; j < s.section_well_coord_vertex.size(); ++j) {
        lineWidth(static_cast<float>(s.view.wells.lineWidth));
        drawWellPart(slotAt(gpu_.sectionWells.vaos, static_cast<long long>(j)), s.section_well_coord_vertex[j],
                     j < s.section_well_runs.size() ? &s.section_well_runs[j] : nullptr);
    }
}

// The grid lines: the shell's in the shell view (by the sides seen), the shown layer's or the block's in the layer view.
void SceneRenderer::drawGridLines()
{
    const ModelState& s = s_;
    const int layers = s.document.grid.layers;
    lineWidth(2);
    glVertexAttrib3fv(1, gridLineColour_);  // the grid's line buffers hold positions only
    if (s.view.is(ViewMode::Shell)) {
        // Lines bordering several sides' faces always; those of one side's faces while that side is seen.
        const auto runSeen = linesOfSidesSeen(shellSidesSeen(s.shell_side_planes));
        for (int k = 0; k < layers; ++k)
            drawShellRuns(slotAt(gpu_.gridShellLines.vaos, k), GL_LINES, s.grid_indices_edge, s.grid_indices_edge_layer,
                          s.shell_line_runs, kShellSides + 1, k, runSeen);
    }
    if (s.view.is(ViewMode::Layers)) {
        // Each line of the upper layer once: all of them when the block is seen through, else its shell's.
        if (updateLayerBlock())
            drawBlockLines();
        else
            drawLayerRuns(slotAt(gpu_.gridLines.vaos, s.view.layer.shown - 1), GL_LINES, s.grid_indices.size(),
                          s.view.layer.shown - 1, 24);
    }
}

void SceneRenderer::drawBubbles()
{
    const ModelState& s = s_;
    for (std::size_t i = 0; i < s.circleDiagram.size(); ++i) {
        const Vertices* shown = shownBubble(s, i);
        if (!shown) continue;
        const Vertices& disc = *shown;
        const glm::vec3 c(disc[0], disc[1], disc[2]);
        const glm::vec3 tilt = i < s.circle_rotation.size() ? s.circle_rotation[i] : glm::vec3(0.0f);
        glm::mat4 m(1.0f);
        m = glm::rotate(m, s.view.camera.rotation.x * kDegToRad, glm::vec3(1, 0, 0));
        m = glm::rotate(m, s.view.camera.rotation.y * kDegToRad, glm::vec3(0, 1, 0));
        m = glm::rotate(m, s.view.camera.rotation.z * kDegToRad, glm::vec3(0, 0, 1));
        m = glm::scale(m, s.view.camera.scale);
        m = glm::translate(m, c + s.view.camera.position);
        m = glm::rotate(m, tilt.x * kDegToRad, glm::vec3(1, 0, 0));
        m = glm::rotate(m, tilt.y * kDegToRad, glm::vec3(0, 1, 0));
        m = glm::rotate(m, -s.view.camera.rotation.z * kDegToRad, glm::vec3(0, 0, 1));
        m = glm::translate(m, -c);
        setUniformMatrix(core_.ModelMatrix, m);
        // A well that produced nothing has only its centre, where its labels stand: no disc to draw.
        if (s.displayCircleDiagrams && disc.size() >= 3 * 6)
            drawArrays(slotAt(gpu_.bubbles.vaos, static_cast<long long>(i)), GL_TRIANGLES, disc.size() / 6);
    }
}

void SceneRenderer::projectAnchor(const glm::vec3& anchor)
{
    ModelState& s = s_;
    s.view.frame.pivotClip =
        s.view.frame.projection * (s.view.frame.view * (s.view.frame.model * glm::vec4(anchor, 1.0f)));
    if (s.view.frame.pivotClip.w != 0)
        s.view.frame.pivotNdc = glm::vec3(s.view.frame.pivotClip) / s.view.frame.pivotClip.w;
    s.view.frame.pivotWindow =
        glm::vec2((s.view.frame.pivotNdc.x + 1.0f) * 0.5f * static_cast<float>(Constants::WINDOW_WIDTH),
                  (s.view.frame.pivotNdc.y + 1.0f) * 0.5f * static_cast<float>(Constants::WINDOW_HEIGHT));
}

void SceneRenderer::drawWellLabels(float w, float h)
{
    ModelState& s = s_;
    const glm::vec3 colour(s.view.wells.labelColour.size() >= 3 ? s.view.wells.labelColour[0] : 0.5f,
                           s.view.wells.labelColour.size() >= 3 ? s.view.wells.labelColour[1] : 0.8f,
                           s.view.wells.labelColour.size() >= 3 ? s.view.wells.labelColour[2] : 0.2f);
    // Draws one label at the projected anchor and records its lower-left corner in host-panel pixels.
    const auto label = [&](std::size_t slot, const glm::vec3& anchor, const std::string& name) {
        projectAnchor(anchor);
        drawText(name, s.view.frame.pivotWindow.x + 5, s.view.frame.pivotWindow.y, s.view.wells.labelSize, w, h,
                 colour);
        if (s.view.frame.wellLabelX.size() <= slot) s.view.frame.wellLabelX.resize(slot + 1, 0);
        if (s.view.frame.wellLabelY.size() <= slot) s.view.frame.wellLabelY.resize(slot + 1, 0);
        s.view.frame.wellLabelX[slot] =
            static_cast<int>((s.view.frame.pivotWindow.x + 5) / static_cast<float>(Constants::WINDOW_WIDTH) *
                             static_cast<float>(s.view.frame.panelWidth));
        s.view.frame.wellLabelY[slot] = static_cast<int>(
            (static_cast<float>(Constants::WINDOW_HEIGHT) - s.view.frame.pivotWindow.y) /
            static_cast<float>(Constants::WINDOW_HEIGHT) * static_cast<float>(s.view.frame.panelHeight));
    };
    const auto& wells = s.document.wells.items;
    const auto nameOf = [&](std::size_t well) { return well < wells.size() ? wells[well].name : std::string(); };

    if (!s.view.section.unfolded) {
        for (std::size_t i = 0; i < s.well_coord_vertex_hide.size(); ++i) {
            if (i >= wells.size() || wells[i].trajectory.empty() || wells[i].trajectory.back().size() < 4) continue;
            const auto& row = wells[i].trajectory.back();
            const float mult = static_cast<float>(kCoordScale);
            label(i, glm::vec3(row[1] / mult, row[2] / mult, row[3] / mult), nameOf(i));
        }
    } else {
        for (std::size_t j = 0; j < s.view.section.wells.size(); ++j) {
            if (j >= s.section_well_coord_vertex.size() || s.section_well_coord_vertex[j].size() < 6) continue;
            const Vertices& v = s.section_well_coord_vertex[j];
            const std::size_t n = v.size();
            const int well = s.view.section.wells[j];
            label(j, glm::vec3(v[n - 6], v[n - 5], v[n - 4]), well >= 0 ? nameOf(static_cast<std::size_t>(well)) : "");
        }
    }
}

void SceneRenderer::drawBubbleLabels(float w, float h)
{
    ModelState& s = s_;
    for (std::size_t i = 0; i < s.circleDiagram.size(); ++i) {
        const Vertices* shown = shownBubble(s, i);
        if (!shown) continue;
        const Vertices& disc = *shown;
        projectAnchor(glm::vec3(disc[0], disc[1], disc[2]));
        const float x = s.view.frame.pivotWindow.x + 5;
        const float y = s.view.frame.pivotWindow.y;
        const WellVolumes v = s.document.production.of(s.document.wells.items[i].name);
        drawText(sixDecimalsText(v.oil, 5) + "K m3", x, y, s.view.production.labelSize, w, h, glm::vec3(0, 1, 0));
        drawText(sixDecimalsText(v.water, 5) + "K m3", x, y - 30, s.view.production.labelSize, w, h,
                 glm::vec3(0, 0, 1));
    }
}

void SceneRenderer::drawStatusLabels(float w, float h)
{
    const ModelState& s = s_;
    if (!s.view.display.text) return;
    const float size = Constants::COPYRIGHT_LABEL_SIZE;
    drawText(s.view.display.signature, 7, 20, size, w, h, glm::vec3(0.5f, 0.8f, 0.2f));
    if (s.view.is(ViewMode::Layers))
        drawText("K = " + std::to_string(s.view.layer.shown), 7, 70, size, w, h, glm::vec3(0.9f, 0.8f, 0.2f));
    if (s.view.filter.on())
        drawText(filterLabel(s.view.shownProperty, s.view.filter), 7, 100, size, w, h, glm::vec3(0.9f, 0.8f, 0.2f));
}

}  // namespace morvane
