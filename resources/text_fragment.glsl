#version 450 core

// The glyph's coverage (red channel) as the opacity of the text colour.

in vec2 TexCoords;

uniform sampler2D text;
uniform vec3 textColor;

out vec4 color;

void main()
{
    color = vec4(textColor, texture(text, TexCoords).r);
}
