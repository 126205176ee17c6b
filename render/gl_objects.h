// Book-keeping of the GL objects the view creates: every vertex array, buffer and texture is made and deleted
// here, so replacing an upload frees what it replaces, the bytes held on the GPU can be counted, and everything
// can be released when the context goes away. Needs a current context for every call but forgetAll.
#pragma once

#include <cstddef>
#include <unordered_map>
#include <unordered_set>

#include "render/gpu_scene.h"

namespace morvane {

class GlObjects {
public:
    GlObjects() = default;
    GlObjects(const GlObjects&) = delete;
    GlObjects& operator=(const GlObjects&) = delete;

    GLName newVertexArray();
    // A buffer bound to `target` (left bound) and filled with `bytes` bytes of `data` (may be null).
    GLName newBuffer(unsigned int target, const void* data, std::size_t bytes, unsigned int usage);
    GLName newTexture();

    // Deletes the object when this registry made it and it still lives; sets the name to 0. Safe on 0.
    void deleteVertexArray(GLName& name);
    void deleteBuffer(GLName& name);
    void deleteTexture(GLName& name);

    // How many vertices (plain arrays) or indices (indexed arrays) the vertex array can draw.
    void setDrawable(GLName vao, std::size_t count);
    int drawable(GLName vao, std::size_t wanted) const;

    // Deletes every live object (context current).
    void deleteAll();
    // Drops the records without GL calls: the context that owned the objects is gone.
    void forgetAll();

    std::size_t bufferBytes() const { return bufferBytes_; }
    std::size_t liveVertexArrays() const { return vertexArrays_.size(); }
    std::size_t liveBuffers() const { return buffers_.size(); }
    std::size_t liveTextures() const { return textures_.size(); }

private:
    std::unordered_set<GLName> vertexArrays_;
    std::unordered_map<GLName, std::size_t> buffers_;  // name -> bytes
    std::unordered_set<GLName> textures_;
    std::unordered_map<GLName, std::size_t> drawable_;
    std::size_t bufferBytes_ = 0;
};

// The coloured-vertex layout on the bound vertex array and array buffer: location 0 the position (three floats
// at byte 0), location 1 the colour (three floats at byte 12), stride 24.
void setColouredVertexLayout();

// Positions only, on the bound vertex array and array buffer: location 0 three floats per vertex (stride 12);
// location 1 is left without an array, so its current value (glVertexAttrib3f) colours every vertex.
void setPositionLayout();

// The coloured-vertex locations from two buffers, on the bound vertex array: the position from `positions` (three
// floats per vertex) and the colour from `colours` (four bytes per vertex, the fourth unused). Leaves `colours` bound.
void setSplitVertexLayout(GLName positions, GLName colours);

}  // namespace morvane
