// Commands of the Model menu that act on how the whole model is shown: fitting it into the view, and showing or
// hiding its inactive cells.
#pragma once

#include "commands/model_state.h"
#include "scene/scene_operations.h"

namespace morvane {

// Frames the whole model in the current view direction (the turn stays; the model's box fills the view). Nothing
// happens without a loaded grid. Returns whether the camera moved.
bool fitModelInView(ModelState& s);

// Shows the inactive cells in grey, or leaves them out. The index lists and the cell buffers are rebuilt when a grid
// is loaded; `view` may be null (no view yet).
void showInactiveCells(ModelState& s, SceneOperations* view, bool show);

}  // namespace morvane
