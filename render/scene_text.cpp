// Labels in the view: glyph textures rasterised once with FreeType, and drawText drawing one textured quad per
// character in the 1024 x 768 label space.
#include <GL/glew.h>

#include <iostream>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>

#include "render/resource_files.h"
#include "render/scene_renderer.h"
#include "render/utf8_text.h"

namespace morvane {

namespace {

constexpr int kGlyphPixelHeight = 48;

// ASCII, then the Cyrillic block (U+0400 to U+045F: Ё, А..я, ё and the other letters of the block).
std::vector<char32_t> glyphSet()
{
    std::vector<char32_t> codes;
    for (char32_t c = 0; c < 128; ++c) codes.push_back(c);
    for (char32_t c = 0x400; c <= 0x45F; ++c) codes.push_back(c);
    return codes;
}

}  // namespace

void SceneRenderer::loadGlyphs()
{
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library)) {
        std::cout << "ERROR::FREETYPE: Could not init FreeType Library" << std::endl;
        return;
    }
    const auto fontPath = findResource("fonts/SourceSerifPro.ttf", resourceDirs_);
    FT_Face face = nullptr;
    if (!fontPath || FT_New_Face(library, fontPath->string().c_str(), 0, &face)) {
        std::cout << "ERROR::FREETYPE: Failed to load font" << std::endl;
        FT_Done_FreeType(library);
        return;
    }
    FT_Set_Pixel_Sizes(face, 0, kGlyphPixelHeight);
    FT_Select_Charmap(face, FT_ENCODING_UNICODE);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);

    for (char32_t code : glyphSet()) {
        if (FT_Load_Char(face, code, FT_LOAD_RENDER)) {
            std::cout << "ERROR::FREETYTPE: Failed to load Glyph" << std::endl;
            continue;
        }
        if (gpu_.glyphs.count(code) != 0) continue;  // an existing entry stays
        const FT_GlyphSlot glyph = face->glyph;
        GLName texture = gl_.newTexture();
        glBindTexture(GL_TEXTURE_2D, texture);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RED, static_cast<GLsizei>(glyph->bitmap.width),
                     static_cast<GLsizei>(glyph->bitmap.rows), 0, GL_RED, GL_UNSIGNED_BYTE, glyph->bitmap.buffer);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        Glyph character;
        character.TextureID = texture;
        character.Size = glm::ivec2(static_cast<int>(glyph->bitmap.width), static_cast<int>(glyph->bitmap.rows));
        character.Bearing = glm::ivec2(glyph->bitmap_left, glyph->bitmap_top);
        character.Advance = static_cast<unsigned int>(glyph->advance.x);
        gpu_.glyphs.emplace(code, character);
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    FT_Done_Face(face);
    FT_Done_FreeType(library);
}

void SceneRenderer::drawText(std::string text, float x, float y, float scale, float w_scale, float h_scale,
                             glm::vec3 color)
{
    if (!glAvailable_ || !textReady_) return;  // a text program that failed was said in red when it was built
    if (text_.program != gpu_.textProgram) text_ = textUniformsOf(gpu_.textProgram);
    glUseProgram(gpu_.textProgram);
    const glm::mat4 projection = glm::ortho(0.0f, static_cast<float>(Constants::WINDOW_WIDTH), 0.0f,
                                            static_cast<float>(Constants::WINDOW_HEIGHT), -1.0f, 1.0f);
    glUniformMatrix4fv(text_.projection, 1, GL_FALSE, glm::value_ptr(projection));
    glUniform3f(text_.textColor, color.x, color.y, color.z);
    glActiveTexture(GL_TEXTURE0);
    glBindVertexArray(gpu_.textQuad.vao);
    // Glyph boxes overlap their neighbours; without the depth test a glyph's empty corner cannot hide the next one.
    const GLboolean depthTest = glIsEnabled(GL_DEPTH_TEST);
    glDisable(GL_DEPTH_TEST);

    static const Glyph noGlyph;
    for (char32_t code : decodeUtf8(text)) {
        // A code without a glyph draws nothing and takes no room.
        const auto found = gpu_.glyphs.find(code);
        const Glyph& ch = found != gpu_.glyphs.end() ? found->second : noGlyph;
        const float xpos = x + static_cast<float>(ch.Bearing.x) * scale;
        const float ypos = y - static_cast<float>(ch.Size.y - ch.Bearing.y) * scale;
        const float w = static_cast<float>(ch.Size.x) * scale * w_scale;
        const float h = static_cast<float>(ch.Size.y) * scale * h_scale;
        if (ch.TextureID != 0 && gpu_.textQuad.vbo != 0 && w > 0 && h > 0) {
            const float vertices[6][4] = {{xpos, ypos + h, 0, 0}, {xpos, ypos, 0, 1},     {xpos + w, ypos, 1, 1},
                                          {xpos, ypos + h, 0, 0}, {xpos + w, ypos, 1, 1}, {xpos + w, ypos + h, 1, 0}};
            glBindTexture(GL_TEXTURE_2D, ch.TextureID);
            glBindBuffer(GL_ARRAY_BUFFER, gpu_.textQuad.vbo);
            glBufferSubData(GL_ARRAY_BUFFER, 0, sizeof vertices, vertices);
            glBindBuffer(GL_ARRAY_BUFFER, 0);
            glDrawArrays(GL_TRIANGLES, 0, 6);
        }
        x += static_cast<float>(ch.Advance >> 6) * scale * w_scale;
    }
    glBindVertexArray(0);
    glBindTexture(GL_TEXTURE_2D, 0);
    if (depthTest) glEnable(GL_DEPTH_TEST);
}

}  // namespace morvane
