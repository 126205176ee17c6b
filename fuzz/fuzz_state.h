// The model state of the fuzz targets: one made once, and every part the readers and builders touch (document, view
// state, meshes) put back to its start before every run, so no run sees the one before.
#pragma once

#include "commands/model_state.h"

namespace morvane::fuzz {

inline ModelState& freshState()
{
    static ModelState state;
    state = ModelState{};
    return state;
}

}  // namespace morvane::fuzz
