// The view's named operations that commands and dialogs call: build geometry from the model state with the scene
// builders, upload it, recolour, resize, draw. The renderer provides them on the window's context and on the
// offscreen one alike, so an import command written against this interface also runs headless (snapshots, tests).
#pragma once

#include <string>

#include "core/feedback.h"
#include "scene/grid_geometry.h"

namespace morvane {

class SceneOperations {
public:
    virtual ~SceneOperations() = default;

    // Grid: layout, per-layer corner vertices, camera, statistics and tree; then index lists and per-layer buffers.
    // buildGridMeshes tells whether the builder accepted the grid (see GridBuildOutcome).
    virtual GridBuildOutcome buildGridMeshes() = 0;
    virtual void uploadGrid() = 0;
    // The cells coloured by the shown property under the property filter, and uploaded.
    virtual void recolourCells() = 0;
    // The upload of the cell colours as they are.
    virtual void uploadCellColours() = 0;
    // XY reference plane and the fixed buffers (text quad, XY plane, reference square).
    virtual void buildReferencePlane() = 0;
    virtual void uploadReferencePlane() = 0;
    virtual void uploadFixedBuffers() = 0;
    // Wells: the geometry of the last loaded well (its shown and hidden parts and every per-well entry), the line
    // colour of every well, and the upload of every well's parts.
    virtual void buildLastWell() = 0;
    virtual void colourWellLines() = 0;
    // Uploads of the arrays that the well, section, bubble and contact builders fill.
    virtual void uploadWells() = 0;
    virtual void uploadWellSection() = 0;
    virtual void uploadSectionPlane() = 0;
    virtual void uploadProductionDiscs() = 0;
    virtual void uploadContacts() = 0;

    virtual void resizeView(int width, int height) = 0;
    virtual void applyBackground() = 0;
    virtual void renderFrame() = 0;
    // One coloured line in the events log.
    virtual void appendLogLine(const std::string& text, LogColour color) = 0;
};

}  // namespace morvane
