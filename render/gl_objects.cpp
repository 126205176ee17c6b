#include <GL/glew.h>

#include "render/gl_objects.h"

#include <algorithm>

namespace morvane {

GLName GlObjects::newVertexArray()
{
    GLuint name = 0;
    glGenVertexArrays(1, &name);
    glBindVertexArray(name);
    vertexArrays_.insert(name);
    return name;
}

GLName GlObjects::newBuffer(unsigned int target, const void* data, std::size_t bytes, unsigned int usage)
{
    GLuint name = 0;
    glGenBuffers(1, &name);
    glBindBuffer(target, name);
    glBufferData(target, static_cast<GLsizeiptr>(bytes), data, usage);
    buffers_[name] = bytes;
    bufferBytes_ += bytes;
    return name;
}

GLName GlObjects::newTexture()
{
    GLuint name = 0;
    glGenTextures(1, &name);
    textures_.insert(name);
    return name;
}

void GlObjects::deleteVertexArray(GLName& name)
{
    if (name != 0 && vertexArrays_.erase(name) > 0) {
        const GLuint n = name;
        glDeleteVertexArrays(1, &n);
        drawable_.erase(name);
    }
    name = 0;
}

void GlObjects::deleteBuffer(GLName& name)
{
    if (name != 0) {
        const auto it = buffers_.find(name);
        if (it != buffers_.end()) {
            bufferBytes_ -= it->second;
            buffers_.erase(it);
            const GLuint n = name;
            glDeleteBuffers(1, &n);
        }
    }
    name = 0;
}

void GlObjects::deleteTexture(GLName& name)
{
    if (name != 0 && textures_.erase(name) > 0) {
        const GLuint n = name;
        glDeleteTextures(1, &n);
    }
    name = 0;
}

void GlObjects::setDrawable(GLName vao, std::size_t count) { drawable_[vao] = count; }

int GlObjects::drawable(GLName vao, std::size_t wanted) const
{
    const auto it = drawable_.find(vao);
    if (it == drawable_.end()) return 0;
    return static_cast<int>(std::min(it->second, wanted));
}

void GlObjects::deleteAll()
{
    for (GLName vao : vertexArrays_) {
        const GLuint n = vao;
        glDeleteVertexArrays(1, &n);
    }
    for (const auto& [buffer, bytes] : buffers_) {
        const GLuint n = buffer;
        glDeleteBuffers(1, &n);
    }
    for (GLName texture : textures_) {
        const GLuint n = texture;
        glDeleteTextures(1, &n);
    }
    forgetAll();
}

void GlObjects::forgetAll()
{
    vertexArrays_.clear();
    buffers_.clear();
    textures_.clear();
    drawable_.clear();
    bufferBytes_ = 0;
}

void setColouredVertexLayout()
{
    constexpr GLsizei stride = 6 * sizeof(float);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<const void*>(0));
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<const void*>(3 * sizeof(float)));
    glEnableVertexAttribArray(1);
}

void setPositionLayout()
{
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 3 * sizeof(float), reinterpret_cast<const void*>(0));
    glEnableVertexAttribArray(0);
    glDisableVertexAttribArray(1);
}

void setSplitVertexLayout(GLName positions, GLName colours)
{
    glBindBuffer(GL_ARRAY_BUFFER, positions);
    setPositionLayout();
    glBindBuffer(GL_ARRAY_BUFFER, colours);
    glVertexAttribPointer(1, 3, GL_UNSIGNED_BYTE, GL_TRUE, 4, reinterpret_cast<const void*>(0));
    glEnableVertexAttribArray(1);
}

}  // namespace morvane
