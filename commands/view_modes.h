// The view modes of the main window over the model state: the 3D shell, the layer view, the flat section, the
// property filter view and the 2D top view, with the animations that turn the model into and out of the top view.
//
// The four mode buttons (well section, flat section, layers, filter) are one group: switching one on unchecks the
// other three, switching it off leaves the shell. Each switch is told whether its button was checked before the
// click and says what the buttons show afterwards; the window only moves the check marks.
#pragma once

#include "commands/model_state.h"
#include "scene/scene_operations.h"

namespace morvane {

// What a mode switch does to the group of mode buttons.
enum class ModeButtons {
    Unchanged,    // the switch's precondition failed: nothing happened
    OnlyThisOne,  // the clicked button is checked, the other three are not
    ThisOneOff,   // the clicked button is unchecked
};

// The 3D shell: edge_mode on, the four mode flags off.
void showShell(ModelState& s);

// Recolours the displayed property with its own per-kind index, kind and type code and uploads it, so a changed
// cut takes effect. Only while a property is displayed; the placeholder "grid" never carries a cut. `view` may be
// null (no view yet).
void rebuildDisplayedProperty(ModelState& s, SceneOperations* view);

// Takes the property cut off (and recolours) when one is set.
void resetPropertyCut(ModelState& s, SceneOperations* view);

// Flat section: needs a grid. On: the cut plane clips every layer, the shown layer is kept for the layer view.
ModeButtons switchFlatSection(ModelState& s, SceneOperations* view, bool wasChecked);

// Layer view. On: the layer shown last time, the middle layer the first time; eight half-transparent layers unless
// one layer at a time is chosen. Off: the shown layer is kept and the property cut taken off.
ModeButtons switchLayerView(ModelState& s, SceneOperations* view, bool wasChecked);

// Property filter view: needs a loaded property on display and the 3D view (`topView` false). On: the shell with the
// cut taken off; the filter dialog then sets the filter view itself. Off: the shell, the cut taken off.
ModeButtons switchFilterView(ModelState& s, SceneOperations* view, bool wasChecked, bool topView);

// 2D top view, `checked` being the button's new state. On: the layer view or flat section ended as their switches
// end them, the shell without a cut, turning down to the top view (every mode button is to be unchecked). Off:
// turning back to the oblique view. A turn still running is replaced.
void switchTopView(ModelState& s, SceneOperations* view, bool checked);

// One frame of the view's animations, after the frame is drawn: the continuous turn (0.1 degree per frame) and the
// turns into and out of the top view (ten frames, easing quadratically; the orthographic top view rescales). None of
// them runs while the unfolded well section is shown.
void advanceViewAnimations(ModelState& s);

}  // namespace morvane
