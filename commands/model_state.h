// The program's state as the commands change it: the document (what the user loaded and typed), the view state
// (how it is shown) and the scene's meshes built from both. The program's start owns one and hands it to the window
// or to the snapshot; tests make their own.
#pragma once

#include "model/document.h"
#include "scene/grid_geometry.h"
#include "scene/scene_meshes.h"
#include "view/view_state.h"

namespace morvane {

struct ModelState : Constants,
                    GridDrawing,
                    CellColouring,
                    ContactDrawing,
                    Wells,
                    WellSection,
                    ProductionDrawing,
                    ReferencePlane {
    Document document;
    ViewState view;
};

// The whole grid build on the state, from the input read into its grid (see buildGrid in scene/grid_geometry.h).
inline GridBuildReport buildGrid(ModelState& state) { return buildGrid(state.document.grid, state.view, state, state); }

}  // namespace morvane
