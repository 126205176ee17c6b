// The view's named operations that commands and dialogs call: build geometry from the model state with the scene
// builders, upload it, recolour, resize, draw. The window view (COpenGL) and the offscreen renderer both provide
// them, so an import command written against this interface also runs headless (snapshots, tests).
#pragma once

#include <string>

#include "core/feedback.h"
#include "scene/grid_geometry.h"

namespace morvane {

class SceneOperations {
public:
    virtual ~SceneOperations() = default;

    // Grid: layout, per-layer corner vertices, camera, statistics and tree; then index lists and per-layer buffers.
    // initGRID tells whether the builder accepted the grid (see GridBuildOutcome).
    virtual GridBuildOutcome initGRID() = 0;
    virtual void bindGridBuffers() = 0;
    // The cells coloured by the shown property under the property filter, and uploaded.
    virtual void recolourCells() = 0;
    // The upload of the cell colours as they are.
    virtual void bindPropBuffers() = 0;
    // XY reference plane and the fixed buffers (text quad, XY plane, reference square).
    virtual void initXY__PLANE() = 0;
    virtual void bindXYplaneBuffers() = 0;
    virtual void bindBuffers() = 0;
    // Wells: the geometry of the last loaded well (its shown and hidden parts and every per-well entry), the line
    // colour of every well, and the upload of every well's parts.
    virtual void initWELL() = 0;
    virtual void initALL_WELLS() = 0;
    // Uploads of the arrays that the well, section, bubble and contact builders fill.
    virtual void bindWellBuffers() = 0;
    virtual void bindIntersectBuffers() = 0;
    virtual void bindIntersectPlaneBuffers() = 0;
    virtual void bindCircleDiagramBuffers() = 0;
    virtual void bindContacts() = 0;

    virtual void ReSizeGLScene(int width, int height) = 0;
    virtual void changeBackgroundColor() = 0;
    virtual void Render() = 0;
    // One coloured line in the events log.
    virtual void AppendRichText(const std::string& text, LogColour color, bool AddNewLine) = 0;
};

}  // namespace morvane
