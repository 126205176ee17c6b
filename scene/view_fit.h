// Whether the model can be seen whole, and the camera that frames it. The view is the frame renderer's: the model
// turned by `rotation`, scaled by `scale` and moved by `position`, seen from the fixed camera at (0, 0, 3) through a
// perspective of eye::fieldOfView degrees (or, in the orthographic 2D view, a box of width 2), aspect the frame ratio.
#pragma once

#include <string>
#include <vector>

#include <glm/glm.hpp>

#include "model/grid.h"
#include "view/view_state.h"

namespace morvane {

// The model's bounding box in model units: pillar extents in x and y, corner depths in z.
struct ModelBox {
    glm::vec3 min{0.0f}, max{0.0f};
};

ModelBox modelBox(const Grid& geometry);

// True when every corner of the box lies inside the view (and in front of the camera). With `slack` above 1 a
// corner may lie that far out, in units of half the view (1.25: a quarter of the view beyond an edge).
bool boxInView(const ModelBox& box, const ViewState& camera, float slack = 1.0f);

// Places the model so that its box fills the view in the current direction (the rotation stays): the box's centre
// at the pivot, the largest scale at which every corner stays within 90 % of the view, the vertical exaggeration
// kept.
void fitView(const ModelBox& box, ViewState& camera);

// The camera on a newly loaded grid: the model's centre at the pivot, its larger horizontal extent filling the view,
// the vertical exaggeration kept; fitted (fitView) when that placement would cut the model off. True when fitted.
bool placeCameraOnGrid(const Grid& grid, ViewState& camera, std::vector<std::string>* trace = nullptr);

}  // namespace morvane
