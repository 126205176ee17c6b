#include "commands/view_modes.h"

#include <algorithm>

namespace morvane {

void showShell(ModelState& s) { s.view.mode = ViewMode::Shell; }

void rebuildDisplayedProperty(ModelState& s, SceneOperations* view)
{
    if (!view || !s.document.grid.loaded) return;
    view->recolourCells();
}

void resetPropertyCut(ModelState& s, SceneOperations* view)
{
    if (!s.view.filter.on()) return;
    s.view.filter = {};
    rebuildDisplayedProperty(s, view);
}

ModeButtons switchFlatSection(ModelState& s, SceneOperations* view, bool wasChecked)
{
    if (!s.document.grid.loaded) return ModeButtons::Unchanged;
    showShell(s);
    if (wasChecked) {
        s.view.display.modelOpacity = 1.0f;
        return ModeButtons::ThisOneOff;
    }
    s.view.mode = ViewMode::FlatSection;
    resetPropertyCut(s, view);
    s.view.layer.saved = s.view.layer.shown;
    return ModeButtons::OnlyThisOne;
}

ModeButtons switchLayerView(ModelState& s, SceneOperations* view, bool wasChecked)
{
    showShell(s);
    if (wasChecked) {
        resetPropertyCut(s, view);
        s.view.layer.saved = s.view.layer.shown;
        s.view.display.modelOpacity = 1.0f;
        return ModeButtons::ThisOneOff;
    }
    s.view.mode = ViewMode::Layers;
    if (!s.view.layer.oneAtATime) s.view.display.modelOpacity = 0.5f;
    // The first time the middle layer; a grid of one layer still shows layer 1.
    s.view.layer.shown = s.view.layer.saved != 0 ? s.view.layer.saved : std::max(1, s.document.grid.layers / 2);
    return ModeButtons::OnlyThisOne;
}

ModeButtons switchFilterView(ModelState& s, SceneOperations* view, bool wasChecked, bool topView)
{
    if (s.document.properties.items.empty() || topView || s.view.shownProperty.empty()) return ModeButtons::Unchanged;
    showShell(s);
    if (wasChecked) {
        s.view.filter = {};
        rebuildDisplayedProperty(s, view);
        return ModeButtons::ThisOneOff;
    }
    s.view.display.modelOpacity = 1.0f;
    resetPropertyCut(s, view);
    return ModeButtons::OnlyThisOne;
}

void switchTopView(ModelState& s, SceneOperations* view, bool checked)
{
    s.view.animation.step = 0.0f;
    if (checked) {
        // The layer view and the flat section end as their own switches end them: the layer shown is kept, the
        // model and the other objects opaque again.
        if (s.view.is(ViewMode::Layers)) s.view.layer.saved = s.view.layer.shown;
        if (s.view.is(ViewMode::Layers) || s.view.is(ViewMode::FlatSection)) {
            s.view.display.modelOpacity = 1.0f;
        }
        showShell(s);
        s.view.filter = {};
        rebuildDisplayedProperty(s, view);
        s.view.animation.turningUp = false;  // a return still running would fight the new turn for `step`
        s.view.animation.turningDown = true;
        s.view.animation.savedZ = s.view.camera.position.z;
    } else {
        // The orthographic top view is undone on the way back only when it was reached: a turn down stopped
        // half-way has rescaled nothing.
        s.view.animation.undoOrthographic = !s.view.animation.turningDown;
        s.view.animation.turningDown = false;
        s.view.animation.turningUp = true;
    }
}

void advanceViewAnimations(ModelState& s)
{
    // The unfolded well section is seen face-on: neither the continuous turn nor a turn into or out of the top view
    // may move it. They go on once the section is left.
    if (s.view.section.unfolded) return;
    if (s.view.animation.spinning) s.view.camera.rotation.z += 0.1f;
    if (s.view.animation.turningDown) {
        s.view.animation.step += 0.5f;
        s.view.camera.rotation.x = 70 * s.view.animation.step * s.view.animation.step / 25 - 70;
        if (s.view.animation.step >= 5) {
            s.view.animation.turningDown = false;
            s.view.camera.rotation.x = 0;
            if (s.view.display.orthographicTopView) {
                s.view.animation.savedRatio = s.view.frame.ratio;
                s.view.camera.scale /= s.view.frame.ratio;
                s.view.camera.position.z = -1;
            }
        }
    }
    if (s.view.animation.turningUp) {
        s.view.animation.step += 0.5f;
        s.view.camera.rotation.x = -(70 * s.view.animation.step * s.view.animation.step / 25);
        if (s.view.animation.step >= 5) {
            s.view.animation.turningUp = false;
            s.view.camera.rotation.x = -70;
        }
        if (s.view.animation.undoOrthographic && s.view.display.orthographicTopView) {
            // By the ratio the scale was divided by: the window may have been resized in the top view.
            s.view.camera.scale *= s.view.animation.savedRatio > 0 ? s.view.animation.savedRatio : s.view.frame.ratio;
            s.view.animation.savedRatio = 0;
            s.view.camera.position.z = s.view.animation.savedZ;
            s.view.animation.undoOrthographic = false;
        }
    }
}

}  // namespace morvane
