#include "commands/view_modes.h"

#include <algorithm>

namespace morvane {

void showShell(ModelState& s)
{
    s.edge_mode = true;
    s.well_section_mode = false;
    s.flat_section_mode = false;
    s.layers_mode = false;
    s.threeD_mode = false;
}

void rebuildDisplayedProperty(ModelState& s, SceneOperations* view)
{
    if (!view || !s.document.grid.loaded) return;
    view->recolourCells();
}

void resetPropertyCut(ModelState& s, SceneOperations* view)
{
    if (!s.view.filter.on()) return;
    s.view.filter.cut = 0.0f;
    rebuildDisplayedProperty(s, view);
}

ModeButtons switchFlatSection(ModelState& s, SceneOperations* view, bool wasChecked)
{
    if (!s.document.grid.loaded) return ModeButtons::Unchanged;
    showShell(s);
    if (wasChecked) {
        s.transp_all = 1;
        s.transp_model = 1.0f;
        return ModeButtons::ThisOneOff;
    }
    s.edge_mode = false;
    s.flat_section_mode = true;
    resetPropertyCut(s, view);
    s.transp_all = 0;
    s.saved_K = s.SHOW_K;
    return ModeButtons::OnlyThisOne;
}

ModeButtons switchLayerView(ModelState& s, SceneOperations* view, bool wasChecked)
{
    showShell(s);
    if (wasChecked) {
        resetPropertyCut(s, view);
        s.saved_K = s.SHOW_K;
        s.transp_model = 1.0f;
        return ModeButtons::ThisOneOff;
    }
    s.edge_mode = false;
    s.layers_mode = true;
    s.transp_all = 1;
    if (!s.oneLayer) s.transp_model = 0.5f;
    // The first time the middle layer; a grid of one layer still shows layer 1.
    s.SHOW_K = s.saved_K != 0 ? s.saved_K : std::max(1, s.document.grid.layers / 2);
    return ModeButtons::OnlyThisOne;
}

ModeButtons switchFilterView(ModelState& s, SceneOperations* view, bool wasChecked, bool topView)
{
    if (s.document.properties.items.empty() || topView || s.view.shownProperty.empty()) return ModeButtons::Unchanged;
    showShell(s);
    if (wasChecked) {
        s.view.filter.cut = 0.0f;
        rebuildDisplayedProperty(s, view);
        return ModeButtons::ThisOneOff;
    }
    s.transp_model = 1.0f;
    resetPropertyCut(s, view);
    return ModeButtons::OnlyThisOne;
}

void switchTopView(ModelState& s, SceneOperations* view, bool checked)
{
    s.step = 0.0f;
    if (checked) {
        // The layer view and the flat section end as their own switches end them: the layer shown is kept, the
        // model and the other objects opaque again.
        if (s.layers_mode) s.saved_K = s.SHOW_K;
        if (s.layers_mode || s.flat_section_mode) {
            s.transp_all = 1;
            s.transp_model = 1.0f;
        }
        showShell(s);
        s.view.filter.cut = 0.0f;
        rebuildDisplayedProperty(s, view);
        s.mode_3d = false;  // a return still running would fight the new turn for `step`
        s.mode_2d = true;
        s.saved_position_z_2d = s.position.z;
    } else {
        // The orthographic top view is undone on the way back only when it was reached: a turn down stopped
        // half-way has rescaled nothing.
        s.mode_3d_first_step = !s.mode_2d;
        s.mode_2d = false;
        s.mode_3d = true;
    }
}

void advanceViewAnimations(ModelState& s)
{
    // The unfolded well section is seen face-on: neither the continuous turn nor a turn into or out of the top view
    // may move it. They go on once the section is left.
    if (s.diplay_well_section_mode) return;
    if (s.rotating) s.rotation.z += 0.1f;
    if (s.mode_2d) {
        s.step += 0.5f;
        s.rotation.x = 70 * s.step * s.step / 25 - 70;
        if (s.step >= 5) {
            s.mode_2d = false;
            s.rotation.x = 0;
            if (s.twoD_ortho) {
                s.saved_ratio_2d = s.WINDOW_RATIO;
                s.scale /= s.WINDOW_RATIO;
                s.position.z = -1;
            }
        }
    }
    if (s.mode_3d) {
        s.step += 0.5f;
        s.rotation.x = -(70 * s.step * s.step / 25);
        if (s.step >= 5) {
            s.mode_3d = false;
            s.rotation.x = -70;
        }
        if (s.mode_3d_first_step && s.twoD_ortho) {
            // By the ratio the scale was divided by: the window may have been resized in the top view.
            s.scale *= s.saved_ratio_2d > 0 ? s.saved_ratio_2d : s.WINDOW_RATIO;
            s.saved_ratio_2d = 0;
            s.position.z = s.saved_position_z_2d;
            s.mode_3d_first_step = false;
        }
    }
}

}  // namespace morvane
