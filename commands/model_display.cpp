#include "commands/model_display.h"

#include "scene/view_fit.h"

namespace morvane {

bool fitModelInView(ModelState& s)
{
    if (!s.document.grid.loaded) return false;
    const glm::vec3 position = s.view.camera.position, scale = s.view.camera.scale;
    fitView(modelBox(s.document.grid), s.view);
    return s.view.camera.position != position || s.view.camera.scale != scale;
}

void showInactiveCells(ModelState& s, SceneOperations* view, bool show)
{
    s.view.display.inactiveCells = show;
    if (!s.document.grid.loaded || !view) return;
    // The cells keep their colours (inactive ones are grey anyway); only what is drawn changes.
    view->uploadGrid();
    view->uploadCellColours();
}

}  // namespace morvane
