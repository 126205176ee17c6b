#include "commands/frame_schedule.h"

namespace morvane {

bool viewAnimating(const ModelState& s)
{
    return s.view.animation.spinning || s.view.animation.turningDown || s.view.animation.turningUp;
}

bool FrameSchedule::beginTick(const ModelState& s)
{
    animating_ = viewAnimating(s);
    const bool draw = requested_ || animating_;
    requested_ = false;
    return draw;
}

bool FrameSchedule::endTick(const ModelState& s)
{
    // The step after this tick's frame moved the model: the next tick shows it, also when it was the last step.
    if (animating_) requested_ = true;
    return pending(s);
}

}  // namespace morvane
