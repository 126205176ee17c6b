// Fixed scene furniture: the grey XY reference grid under the model, the red flat-section plane and the green pivot
// cursor. Arrays only; the view uploads them.
#pragma once

#include <glm/glm.hpp>

#include "scene/grid_meshes.h"
#include "scene/overlay_meshes.h"

namespace morvane {

// Rebuilds x_lines, y_lines, y_limit and xy_plane (and x_cubes, y_cubes without a grid). The line spacing is a
// tenth of the x extent in file units, rounded up; the extents come from the grid's pillars when a grid is loaded,
// else from the built-in sample points. The plane lies half a model thickness below the model's bottom.
void buildXYPlane(const Grid& geometry, ReferencePlane& plane);

// Vertices of xy_plane that are drawn: the 13 lines along y and the lines along x up to y_limit (the last line
// along x stays undrawn).
int xyPlaneDrawnVertexCount(const ReferencePlane& plane);

// The six corners of the flat-section quad, each minus the model translation `position`; colours kept.
void placeFlatPlane(const glm::vec3& position, ReferencePlane& plane);

// The pivot cursor: both lines start at -position, one ends one unit up in y, the other one unit down; colours kept.
void placeCursor(const glm::vec3& position, GridDrawing& drawing);

}  // namespace morvane
