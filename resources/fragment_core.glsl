#version 450 core

// The vertex colour at the opacity "transp"; blending with source alpha makes 0.5 half-transparent.

in vec3 vs_color;

uniform float transp;

out vec4 fs_color;

void main()
{
    fs_color = vec4(vs_color, transp);
}
