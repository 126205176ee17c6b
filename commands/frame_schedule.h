// When the view draws a frame. Drawing costs a whole pass over the model, so the frame timer draws only when
// something the picture shows has changed (the camera, the data, a mode, the window's size) or while an animation
// runs (the continuous turn, the turns into and out of the top view), and stops while nothing changes.
//
// A tick draws when a frame was asked for since the last tick or when the view is animating. The animations step
// once after every frame they are drawn in, as they always have, so a turn takes as many frames as before; the step
// that ends a turn asks for the one frame that shows where it ended.
#pragma once

#include "commands/model_state.h"

namespace morvane {

// The continuous turn or a turn into or out of the top view is running.
bool viewAnimating(const ModelState& s);

class FrameSchedule {
public:
    // Something the view shows has changed: the next tick draws.
    void request() { requested_ = true; }
    // At a tick of the frame timer: whether to draw now. Takes the request.
    bool beginTick(const ModelState& s);
    // After the tick's frame and animation step: whether the timer is needed for another tick.
    bool endTick(const ModelState& s);
    // A frame is asked for or an animation runs.
    bool pending(const ModelState& s) const { return requested_ || viewAnimating(s); }

private:
    bool requested_ = false;
    bool animating_ = false;  // the tick began with an animation running
};

}  // namespace morvane
