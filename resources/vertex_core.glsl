#version 450 core

// Scene geometry: coloured vertices through Projection x View x Model. The flat-section plane cuts in world
// space (pivot at the origin, unrotated), where the drawn red plane lies, so the cut and the plane stay together.

layout (location = 0) in vec3 vertex_position;
layout (location = 1) in vec3 vertex_color;

uniform mat4 ModelMatrix;
uniform mat4 ViewMatrix;
uniform mat4 ProjectionMatrix;
uniform vec4 clip_plane0;
uniform int clip_enabled;  // mirrors GL_CLIP_DISTANCE0: some drivers clip on a written distance regardless

out vec3 vs_color;

void main()
{
    vec4 world = ModelMatrix * vec4(vertex_position, 1.0);
    gl_ClipDistance[0] = clip_enabled != 0 ? dot(world, clip_plane0) : 1.0;
    vs_color = vertex_color;
    gl_Position = ProjectionMatrix * ViewMatrix * world;
}
