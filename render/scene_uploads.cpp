// Uploads of the scene arrays into vertex arrays and buffers. Every upload deletes the objects it replaces. The
// per-layer vertex arrays of one grid share their storage: the edge vertex arrays reuse the layer's vertex buffer,
// every layer draws from one element buffer, since all layers number their vertices alike, and the coloured cells
// take their positions from the grid's vertex buffers, so a layer's positions are held once.
#include <GL/glew.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include <glm/matrix.hpp>

#include "platform/trace.h"
#include "render/scene_renderer.h"
#include "scene/grid_indices.h"
#include "scene/grid_shell.h"
#include "scene/property_colouring.h"
#include "scene/section_cells.h"

namespace morvane {

namespace {

constexpr GLenum kStatic = GL_STATIC_DRAW;

// A shell's faces as one list per layer, as the per-layer vertex arrays take them.
std::vector<Indices> facesByLayer(const ShellLists& shell)
{
    std::vector<Indices> faces(shell.faceStart.empty() ? 0 : shell.faceStart.size() - 1);
    for (std::size_t k = 0; k < faces.size(); ++k)
        faces[k].assign(shell.faces.begin() + static_cast<std::ptrdiff_t>(shell.faceStart[k]),
                        shell.faces.begin() + static_cast<std::ptrdiff_t>(shell.faceStart[k + 1]));
    return faces;
}

std::size_t layerCount(const ModelState& s, const std::vector<Vertices>& layers)
{
    return std::min(layers.size(), static_cast<std::size_t>(std::max(s.document.grid.layers, 0)));
}

constexpr std::size_t kCornersPerCell = 8;  // four top corners in the layer's first half, four bottom in its second

// The cells' colours, three floats a cell, as four bytes (red, green, blue, unused) on each of the cell's eight
// corners in the grid's vertex order: the framebuffer keeps eight bits a channel, so the picture is the same.
void spreadColourBytes(const Vertices& colours, std::vector<std::uint8_t>& bytes)
{
    const std::size_t cells = colours.size() / 3;
    bytes.resize(4 * kCornersPerCell * cells);
    std::uint8_t* top = bytes.data();
    std::uint8_t* bottom = top + 4 * 4 * cells;
    for (std::size_t c = 0; c < cells; ++c) {
        std::uint8_t rgba[4] = {0, 0, 0, 255};
        for (std::size_t i = 0; i < 3; ++i) {
            const float x = colours[3 * c + i];
            const float inRange = x > 0.0f ? (x < 1.0f ? x : 1.0f) : 0.0f;  // NaN too becomes 0
            rgba[i] = static_cast<std::uint8_t>(inRange * 255.0f + 0.5f);
        }
        for (int corner = 0; corner < 4; ++corner, top += 4, bottom += 4) {
            std::copy_n(rgba, 4, top);
            std::copy_n(rgba, 4, bottom);
        }
    }
}

}  // namespace

void SceneRenderer::uploadColoured(GLName& vao, GLName& vbo, const float* data, std::size_t floats)
{
    gl_.deleteVertexArray(vao);
    gl_.deleteBuffer(vbo);
    vao = gl_.newVertexArray();
    vbo = gl_.newBuffer(GL_ARRAY_BUFFER, data, floats * sizeof(float), kStatic);
    setColouredVertexLayout();
    gl_.setDrawable(vao, floats / 6);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void SceneRenderer::uploadIndexed(GLName& vao, GLName& vbo, GLName& ebo, const float* data, std::size_t floats,
                                  const Indices& indices)
{
    gl_.deleteVertexArray(vao);
    gl_.deleteBuffer(vbo);
    gl_.deleteBuffer(ebo);
    vao = gl_.newVertexArray();
    vbo = gl_.newBuffer(GL_ARRAY_BUFFER, data, floats * sizeof(float), kStatic);
    ebo = gl_.newBuffer(GL_ELEMENT_ARRAY_BUFFER, indices.data(), indices.size() * sizeof(int), kStatic);
    setColouredVertexLayout();
    // Indices beyond the vertices would read outside the buffer: such a list is not drawn at all.
    const std::size_t vertices = floats / 6;
    const bool inRange = std::all_of(indices.begin(), indices.end(),
                                     [&](int i) { return i >= 0 && static_cast<std::size_t>(i) < vertices; });
    gl_.setDrawable(vao, inRange ? indices.size() : 0);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void SceneRenderer::uploadLayers(Slots& vaos, Slots& vbos, Slots& ebos, const std::vector<Vertices>& layers,
                                 const Indices& indices, Slots* sharedVbos, const Slots* positionVbos)
{
    const std::size_t count = layerCount(s_, layers);
    vaos.assign(count, 0);
    vbos.assign(count, 0);
    ebos.assign(count, 0);
    if (count == 0) return;
    // Indices beyond a layer's vertices would read outside its buffer: such a layer is not drawn.
    long long largest = -1;
    bool negative = false;
    for (int i : indices) {
        largest = std::max<long long>(largest, i);
        negative = negative || i < 0;
    }
    GLName elements = 0;
    std::vector<float> positions;
    std::vector<std::uint8_t> colourBytes;
    for (std::size_t k = 0; k < count; ++k) {
        const Vertices& vertices = layers[k];
        vaos[k] = gl_.newVertexArray();
        // Grid vertices (six floats) become positions (three); a cell's colour (three floats) becomes four bytes on
        // each of its corners.
        std::size_t vertexCount = positionVbos ? kCornersPerCell * (vertices.size() / 3) : vertices.size() / 6;
        if (sharedVbos && k < sharedVbos->size() && (*sharedVbos)[k] != 0) {
            vbos[k] = (*sharedVbos)[k];
            glBindBuffer(GL_ARRAY_BUFFER, vbos[k]);
        } else if (positionVbos) {
            spreadColourBytes(vertices, colourBytes);
            vbos[k] = gl_.newBuffer(GL_ARRAY_BUFFER, colourBytes.data(), colourBytes.size(), kStatic);
        } else {
            positions.resize(3 * vertexCount);
            for (std::size_t v = 0; v < vertexCount; ++v) std::copy_n(&vertices[6 * v], 3, &positions[3 * v]);
            vbos[k] = gl_.newBuffer(GL_ARRAY_BUFFER, positions.data(), positions.size() * sizeof(float), kStatic);
        }
        if (elements == 0)
            elements = gl_.newBuffer(GL_ELEMENT_ARRAY_BUFFER, indices.data(), indices.size() * sizeof(int), kStatic);
        else
            glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, elements);
        ebos[k] = elements;
        if (positionVbos) {
            // Colours here, positions in the grid's buffer of the same layer: both must hold every vertex.
            const GLName gridBuffer = k < positionVbos->size() ? (*positionVbos)[k] : 0;
            const std::size_t gridVertices =
                k < s_.document.grid.layerVertices.size() ? s_.document.grid.layerVertices[k].size() / 6 : 0;
            vertexCount = gridBuffer != 0 ? std::min(vertexCount, gridVertices) : 0;
            if (gridBuffer != 0) setSplitVertexLayout(gridBuffer, vbos[k]);
        } else {
            setPositionLayout();
        }
        const bool inRange = !negative && largest < static_cast<long long>(vertexCount);
        gl_.setDrawable(vaos[k], inRange ? indices.size() : 0);
    }
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void SceneRenderer::releaseSlots(Slots& vaos, Slots& vbos, Slots* ebos)
{
    for (GLName& name : vaos) gl_.deleteVertexArray(name);
    for (GLName& name : vbos)
        gl_.deleteBuffer(name);  // shared names are deleted once; the registry ignores the repeats
    if (ebos) {
        for (GLName& name : *ebos) gl_.deleteBuffer(name);
        ebos->clear();
    }
    vaos.clear();
    vbos.clear();
}

void SceneRenderer::releaseLayerSlots(Slots& vaos, Slots& vbos, Slots& ebos, Slots& edgeVaos, Slots& edgeVbos,
                                      Slots& edgeEbos)
{
    releaseSlots(edgeVaos, edgeVbos, &edgeEbos);
    releaseSlots(vaos, vbos, &ebos);
}

void SceneRenderer::uploadGrid()
{
    const SurfaceUse use(surface_);
    if (!s_.document.grid.loaded) return;
    buildGridIndexLists();
    if (!glAvailable_) return;
    releaseLayerSlots(gpu_.gridLines.vaos, gpu_.gridLines.vbos, gpu_.gridLines.ebos, gpu_.gridShellLines.vaos,
                      gpu_.gridShellLines.vbos, gpu_.gridShellLines.ebos);
    // Every grid vertex carries the grid line colour: the buffers keep positions only and the lines take it whole.
    if (!s_.document.grid.layerVertices.empty() && s_.document.grid.layerVertices[0].size() >= 6)
        std::copy_n(&s_.document.grid.layerVertices[0][3], 3, gridLineColour_);
    uploadLayers(gpu_.gridLines.vaos, gpu_.gridLines.vbos, gpu_.gridLines.ebos, s_.document.grid.layerVertices,
                 s_.grid_indices, nullptr);
    uploadLayers(gpu_.gridShellLines.vaos, gpu_.gridShellLines.vbos, gpu_.gridShellLines.ebos,
                 s_.document.grid.layerVertices, s_.grid_indices_edge, &gpu_.gridLines.vbos);
}

void SceneRenderer::uploadCellColours()
{
    const SurfaceUse use(surface_);
    if (!glAvailable_) return;
    if (!s_.cellsColoured()) return;
    releaseLayerSlots(gpu_.cells.vaos, gpu_.cells.vbos, gpu_.cells.ebos, gpu_.cellShell.vaos, gpu_.cellShell.vbos,
                      gpu_.cellShell.ebos);
    // The cells draw the grid's own vertex buffers with their colours beside them.
    uploadLayers(gpu_.cells.vaos, gpu_.cells.vbos, gpu_.cells.ebos, s_.cells_k, s_.cell_indices, nullptr,
                 &gpu_.gridLines.vbos);
    uploadLayers(gpu_.cellShell.vaos, gpu_.cellShell.vbos, gpu_.cellShell.ebos, s_.cells_k, s_.cell_indices_edge,
                 &gpu_.cells.vbos, &gpu_.gridLines.vbos);
    uploadFilteredCells();
    sectionCurrent_ = false;
    block_.current = false;
    trace("width = " + std::to_string(s_.view.frame.width));
    trace("height = " + std::to_string(s_.view.frame.height));
}

void SceneRenderer::uploadFilteredCells()
{
    // The filter view shows the kept cells as one closed shell, drawn as the model's own is: the faces between two
    // kept cells are never seen, and on a large grid they are most of the faces.
    const PropertySet& properties = s_.document.properties;
    const std::vector<std::uint8_t> kept =
        keptCells(s_.document.grid, properties.find(s_.view.shownProperty), s_.view.filter, s_.cell_drawn);
    ShellLists shell;
    if (!kept.empty())
        shell = buildLayerBlockShell(s_.document.grid, kept, gridWindingFlag(s_.document.grid), 0,
                                     s_.document.grid.layers - 1, false);
    uploadCellSubsets(gpu_.filteredCells.vaos, gpu_.filteredCells.ebos, facesByLayer(shell));
    filter_ = LayerBlock{};
    filter_.first = 0;
    filter_.last = s_.document.grid.layers - 1;
    filter_.current = !kept.empty();
    filter_.faceStart = std::move(shell.faceStart);
    filter_.faceRuns = std::move(shell.faceRuns);
    filter_.sidePlanes = std::move(shell.sidePlanes);
}

bool SceneRenderer::updateSectionCells()
{
    if (gpu_.cells.vaos.empty()) return false;
    // The section is fixed in the world and the model turns through it: the plane in the grid's coordinates.
    const glm::vec4 plane = glm::transpose(s_.view.frame.model) * s_.clip_plane0;
    if (!sectionCurrent_ || plane != sectionPlane_) {
        uploadCellSubsets(gpu_.sectionCells.vaos, gpu_.sectionCells.ebos,
                          sectionCellIndices(s_.document.grid, s_, plane));
        sectionPlane_ = plane;
        sectionCurrent_ = true;
    }
    return !gpu_.sectionCells.vaos.empty();
}

bool SceneRenderer::updateLayerBlock()
{
    const int first = s_.view.layer.shown - 1, last = s_.view.layer.oneAtATime ? first : s_.view.layer.shown + 6;
    const auto top = static_cast<std::size_t>(first);
    if (first < 0 || top >= gpu_.cells.vaos.size() || top >= gpu_.gridLines.vaos.size()) return false;
    const bool seeThrough = s_.view.display.modelOpacity < 1.0f;
    if (block_.current && block_.first == first && block_.last == last && block_.seeThrough == seeThrough) return true;

    ShellLists block = buildLayerBlockShell(s_.document.grid, s_.cell_drawn, gridWindingFlag(s_.document.grid), first,
                                            last, seeThrough);
    uploadCellSubsets(gpu_.layerBlock.vaos, gpu_.layerBlock.ebos, facesByLayer(block));

    gl_.deleteVertexArray(gpu_.blockLines.vao);
    gl_.deleteBuffer(gpu_.blockLines.ebo);
    const bool linesInRange = gl_.drawable(gpu_.gridLines.vaos[top], s_.grid_indices.size()) > 0;
    if (linesInRange && top + 1 < block.lineStart.size()) {
        const auto from = static_cast<std::ptrdiff_t>(block.lineStart[top]);
        const Indices lines(block.lines.begin() + from,
                            block.lines.begin() + static_cast<std::ptrdiff_t>(block.lineStart[top + 1]));
        gpu_.blockLines.vao = gl_.newVertexArray();
        glBindBuffer(GL_ARRAY_BUFFER, gpu_.gridLines.vbos[top]);
        gpu_.blockLines.ebo = gl_.newBuffer(GL_ELEMENT_ARRAY_BUFFER, lines.data(), lines.size() * sizeof(int), kStatic);
        setPositionLayout();
        gl_.setDrawable(gpu_.blockLines.vao, lines.size());
        glBindVertexArray(0);
        glBindBuffer(GL_ARRAY_BUFFER, 0);
    }
    block_ = {first,
              last,
              seeThrough,
              true,
              std::move(block.faceStart),
              std::move(block.faceRuns),
              std::move(block.lineStart),
              std::move(block.lineRuns),
              std::move(block.sidePlanes)};
    return true;
}

void SceneRenderer::uploadCellSubsets(Slots& vaos, Slots& ebos, const std::vector<Indices>& lists)
{
    Slots sharedVbos;  // the subsets draw from the cells' colour and the grid's position buffers: those stay
    releaseSlots(vaos, sharedVbos, &ebos);
    vaos.assign(lists.size(), 0);
    ebos.assign(lists.size(), 0);
    for (std::size_t k = 0; k < lists.size() && k < gpu_.cells.vbos.size() && k < gpu_.gridLines.vbos.size(); ++k) {
        // The subsets are blocks of cell_indices: drawable exactly when the whole list is.
        const bool inRange = gl_.drawable(gpu_.cells.vaos[k], s_.cell_indices.size()) > 0;
        if (gpu_.cells.vbos[k] == 0 || !inRange || lists[k].empty()) continue;
        vaos[k] = gl_.newVertexArray();
        ebos[k] = gl_.newBuffer(GL_ELEMENT_ARRAY_BUFFER, lists[k].data(), lists[k].size() * sizeof(int), kStatic);
        setSplitVertexLayout(gpu_.gridLines.vbos[k], gpu_.cells.vbos[k]);
        gl_.setDrawable(vaos[k], lists[k].size());
    }
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void SceneRenderer::uploadFixedBuffers()
{
    const SurfaceUse use(surface_);
    if (!glAvailable_) return;
    gl_.deleteVertexArray(gpu_.textQuad.vao);
    gl_.deleteBuffer(gpu_.textQuad.vbo);
    gpu_.textQuad.vao = gl_.newVertexArray();
    gpu_.textQuad.vbo = gl_.newBuffer(GL_ARRAY_BUFFER, nullptr, 6 * 4 * sizeof(float), GL_DYNAMIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, 4 * sizeof(float), nullptr);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindVertexArray(0);

    uploadReferencePlane();
    uploadColoured(gpu_.backdrop.vao, gpu_.backdrop.vbo, s_.infinite.data(), s_.infinite.size());
}

void SceneRenderer::uploadPickedCell()
{
    const SurfaceUse use(surface_);
    if (!glAvailable_) return;
    if (s_.picked_cell_lines.empty()) {
        gl_.deleteVertexArray(gpu_.pickedCell.vao);
        gl_.deleteBuffer(gpu_.pickedCell.vbo);
        return;
    }
    uploadColoured(gpu_.pickedCell.vao, gpu_.pickedCell.vbo, s_.picked_cell_lines.data(), s_.picked_cell_lines.size());
}

void SceneRenderer::uploadCursor()
{
    const SurfaceUse use(surface_);
    if (!glAvailable_) return;
    uploadColoured(gpu_.cursor.vao, gpu_.cursor.vbo, s_.cursor_point_vertex.data(), s_.cursor_point_vertex.size());
    uploadColoured(gpu_.cursorCross.vao, gpu_.cursorCross.vbo, s_.cursor_point_vertex2.data(),
                   s_.cursor_point_vertex2.size());
}

void SceneRenderer::uploadReferencePlane()
{
    const SurfaceUse use(surface_);
    if (!glAvailable_) return;
    uploadColoured(gpu_.referencePlane.vao, gpu_.referencePlane.vbo, s_.xy_plane.data(), s_.xy_plane.size());
}

void SceneRenderer::uploadFlatPlane()
{
    const SurfaceUse use(surface_);
    if (!glAvailable_) return;
    uploadColoured(gpu_.flatPlane.vao, gpu_.flatPlane.vbo, s_.flat_plane_vertex.data(), s_.flat_plane_vertex.size());
}

void SceneRenderer::uploadWells()
{
    const SurfaceUse use(surface_);
    if (!glAvailable_) return;
    releaseSlots(gpu_.wellsShown.vaos, gpu_.wellsShown.vbos, nullptr);
    releaseSlots(gpu_.wellsHidden.vaos, gpu_.wellsHidden.vbos, nullptr);
    const std::size_t wells = std::min(s_.well_coord_vertex_show.size(), s_.well_coord_vertex_hide.size());
    for (Slots* list : {&gpu_.wellsShown.vaos, &gpu_.wellsShown.vbos, &gpu_.wellsHidden.vaos, &gpu_.wellsHidden.vbos})
        list->assign(wells, 0);
    for (std::size_t i = 0; i < wells; ++i) {
        const Vertices& shown = s_.well_coord_vertex_show[i];
        const Vertices& hidden = s_.well_coord_vertex_hide[i];
        uploadColoured(gpu_.wellsShown.vaos[i], gpu_.wellsShown.vbos[i], shown.data(), shown.size());
        uploadColoured(gpu_.wellsHidden.vaos[i], gpu_.wellsHidden.vbos[i], hidden.data(), hidden.size());
    }
}

void SceneRenderer::uploadWellSection()
{
    const SurfaceUse use(surface_);
    if (!glAvailable_) return;
    if (!s_.cellsColoured()) return;
    releaseSlots(gpu_.sectionLines.vaos, gpu_.sectionLines.vbos, &gpu_.sectionLines.ebos);
    releaseSlots(gpu_.sectionContactLines.vaos, gpu_.sectionContactLines.vbos, &gpu_.sectionContactLines.ebos);
    releaseSlots(gpu_.sectionWells.vaos, gpu_.sectionWells.vbos, nullptr);

    const std::size_t entries = std::min(s_.intersect_lines.size(), s_.intersect_lines_indices.size());
    for (Slots* list : {&gpu_.sectionLines.vaos, &gpu_.sectionLines.vbos, &gpu_.sectionLines.ebos,
                        &gpu_.sectionContactLines.vaos, &gpu_.sectionContactLines.vbos, &gpu_.sectionContactLines.ebos})
        list->assign(entries, 0);
    gpu_.sectionContactCounts.assign(entries, 0);
    static const Vertices none;
    for (std::size_t e = 0; e < entries; ++e) {
        const Indices& indices = s_.intersect_lines_indices[e];
        const Vertices& lines = s_.intersect_lines[e];
        const Vertices& owc = e < s_.intersect_owc.size() ? s_.intersect_owc[e] : none;
        uploadIndexed(gpu_.sectionLines.vaos[e], gpu_.sectionLines.vbos[e], gpu_.sectionLines.ebos[e], lines.data(),
                      lines.size(), indices);
        // The contact line only where both ends lie over a column with a contact; GL never sees the empty level.
        Vertices contact = owc;
        Indices drawn;
        const auto hasLevel = [&](int v) {
            const std::size_t z = static_cast<std::size_t>(v) * 6 + 2;
            return v >= 0 && z < contact.size() && !std::isnan(contact[z]);
        };
        for (std::size_t i = 0; i + 1 < indices.size(); i += 2)
            if (hasLevel(indices[i]) && hasLevel(indices[i + 1]))
                drawn.insert(drawn.end(), {indices[i], indices[i + 1]});
        for (std::size_t z = 2; z < contact.size(); z += 6)
            if (std::isnan(contact[z])) contact[z] = 0;
        gpu_.sectionContactCounts[e] = drawn.size();
        uploadIndexed(gpu_.sectionContactLines.vaos[e], gpu_.sectionContactLines.vbos[e],
                      gpu_.sectionContactLines.ebos[e], contact.data(), contact.size(), drawn);
    }
    const std::size_t wells = s_.section_well_coord_vertex.size();
    gpu_.sectionWells.vaos.assign(wells, 0);
    gpu_.sectionWells.vbos.assign(wells, 0);
    for (std::size_t j = 0; j < wells; ++j) {
        const Vertices& well = s_.section_well_coord_vertex[j];
        uploadColoured(gpu_.sectionWells.vaos[j], gpu_.sectionWells.vbos[j], well.data(), well.size());
    }
}

void SceneRenderer::uploadSectionPlane()
{
    const SurfaceUse use(surface_);
    if (!glAvailable_) return;
    if (!s_.view.section.planePlaced) return;
    uploadIndexed(gpu_.sectionPlane.vao, gpu_.sectionPlane.vbo, gpu_.sectionPlane.ebo, s_.model_section.data(),
                  s_.model_section.size(), s_.model_section_indices);
    uploadIndexed(gpu_.sectionPlaneBorder.vao, gpu_.sectionPlaneBorder.vbo, gpu_.sectionPlaneBorder.ebo,
                  s_.model_section_border.data(), s_.model_section_border.size(), s_.model_section_border_indices);
}

void SceneRenderer::uploadProductionDiscs()
{
    const SurfaceUse use(surface_);
    if (!glAvailable_) return;
    releaseSlots(gpu_.bubbles.vaos, gpu_.bubbles.vbos, nullptr);
    const std::size_t discs = s_.circleDiagram.size();
    gpu_.bubbles.vaos.assign(discs, 0);
    gpu_.bubbles.vbos.assign(discs, 0);
    for (std::size_t i = 0; i < discs; ++i) {
        const Vertices& disc = s_.circleDiagram[i];
        uploadColoured(gpu_.bubbles.vaos[i], gpu_.bubbles.vbos[i], disc.data(), disc.size());
    }
}

void SceneRenderer::uploadContacts()
{
    const SurfaceUse use(surface_);
    if (!glAvailable_) return;
    uploadIndexed(gpu_.owc.vao, gpu_.owc.vbo, gpu_.owc.ebo, s_.OWC_k.data(), s_.OWC_k.size(), s_.OWC_indices);
    uploadIndexed(gpu_.goc.vao, gpu_.goc.vbo, gpu_.goc.ebo, s_.GOC_k.data(), s_.GOC_k.size(), s_.GOC_indices);
}

}  // namespace morvane
