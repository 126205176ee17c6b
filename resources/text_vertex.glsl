#version 450 core

// One glyph quad: x, y in the 1024 x 768 label space, u, v into the glyph texture.

layout (location = 0) in vec4 vertex;

uniform mat4 projection;

out vec2 TexCoords;

void main()
{
    gl_Position = projection * vec4(vertex.xy, 0.0, 1.0);
    TexCoords = vertex.zw;
}
