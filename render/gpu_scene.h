// Every GL object the scene is drawn with, named for what it draws. The renderer owns them; the document, the view
// state and the scene's arrays know none of them, so a copy of the model never carries the names of another
// context.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include <glm/glm.hpp>

namespace morvane {

// A GL object name (VAO, VBO, EBO, program, texture). Plain integer so that no GL header is needed here.
using GLName = std::uint32_t;

// GL object names indexed like their data (one per layer, well, bubble or section piece). Growable, so layers and
// wells have no fixed cap; uploads resize them as needed.
using Slots = std::vector<GLName>;

// A vertex array with its vertex and element buffers.
struct GpuMesh {
    GLName vao = 0, vbo = 0, ebo = 0;
};

// One vertex array, vertex buffer and element buffer per layer or item. Arrays drawn over another list's buffers
// keep no vertex buffers of their own.
struct GpuMeshes {
    Slots vaos, vbos, ebos;
};

// A rasterised glyph: its texture and metrics in pixels.
struct Glyph {
    GLName TextureID = 0;
    glm::ivec2 Size{0};
    glm::ivec2 Bearing{0};
    unsigned int Advance = 0;  // in 1/64 pixel
};

struct GpuScene {
    GpuMeshes gridLines, gridShellLines;  // per layer: every cell edge, and the shell's outlines
    GpuMeshes cells, cellShell;           // per layer: the cells' faces, and the shell's faces
    // Per layer, over the cells' buffers: the cells the property filter keeps, the cells around a flat section, and
    // the layer view's block.
    GpuMeshes filteredCells, sectionCells, layerBlock;
    GpuMesh blockLines;                             // the upper layer's lines of the layer view's block
    GpuMesh backdrop;                               // the blue square under the model
    GpuMesh cursor, cursorCross;                    // the pivot cursor's two segments
    GpuMesh pickedCell;                             // the outline of the picked cell
    GpuMeshes wellsShown, wellsHidden;              // per well: the part inside the model and the parts outside it
    GpuMeshes sectionWells;                         // per section well, its line over the unfolded section
    GpuMeshes sectionLines, sectionContactLines;    // per section piece: the cut cells and the contact line
    std::vector<std::size_t> sectionContactCounts;  // per section piece: indices of the contact line drawn
    GpuMesh sectionPlane, sectionPlaneBorder;       // the section's plane in the model's space and its outline
    GpuMeshes bubbles;                              // per well, its production disc
    GpuMesh owc, goc;                               // the contact surfaces
    GpuMesh referencePlane, flatPlane;              // the XY reference grid and the flat section's plane
    GpuMesh textQuad;                               // the quad each glyph is drawn on
    GLName coreProgram = 0, textProgram = 0;
    std::map<char32_t, Glyph> glyphs;  // keyed by Unicode code point
};

}  // namespace morvane
