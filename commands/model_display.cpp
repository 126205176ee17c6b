#include "commands/model_display.h"

#include "scene/view_fit.h"

namespace morvane {

bool fitModelInView(ModelState& s)
{
    if (!s.document.grid.loaded) return false;
    const glm::vec3 position = s.position, scale = s.scale;
    fitView(modelBox(s.document.grid), s);
    return s.position != position || s.scale != scale;
}

void showInactiveCells(ModelState& s, SceneOperations* view, bool show)
{
    s.showInactiveCells = show;
    if (!s.document.grid.loaded || !view) return;
    // The cells keep their colours (inactive ones are grey anyway); only what is drawn changes.
    view->bindGridBuffers();
    view->bindPropBuffers();
}

}  // namespace morvane
