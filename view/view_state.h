// How the document is looked at: which property colours the cells, the property filter, and (as the window's state
// moves here) the camera, the view mode and the rest of what the user sets without changing the data.
#pragma once

#include <string>

namespace morvane {

// The property filter: cells of the shown continuous property below (or above) the cut are not drawn.
struct PropertyFilterSetting {
    float cut = 0;  // 0: no filter
    bool below = true;
    bool on() const { return cut != 0; }
};

struct ViewState {
    std::string shownProperty;  // the property that colours the cells; empty: the bare grid
    PropertyFilterSetting filter;
};

}  // namespace morvane
