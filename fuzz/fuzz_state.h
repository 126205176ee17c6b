// The model state of the fuzz targets. A ModelState takes about half a millisecond to make under the sanitizers
// (mostly its table of interface texts), more than a whole run of a target, so one is made once and the groups the
// readers and builders touch are reset before every run.
#pragma once

#include "commands/model_state.h"

namespace morvane::fuzz {

inline ModelState& freshState()
{
    static ModelState state;
    state.document = Document{};
    static_cast<GridDrawing&>(state) = GridDrawing{};
    static_cast<CellColouring&>(state) = CellColouring{};
    state.view = ViewState{};
    static_cast<ContactDrawing&>(state) = ContactDrawing{};
    static_cast<ReferencePlane&>(state) = ReferencePlane{};
    static_cast<ViewCamera&>(state) = ViewCamera{};
    return state;
}

}  // namespace morvane::fuzz
