// How the parts of the model are drawn: the grid's look, the wells' lines and labels, the fluid contacts and the
// production discs. Set by the user in the ribbon, the panels and the settings; part of the view state.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace morvane {

struct DisplayOptions {
    bool gridLines = true, text = true;
    bool inactiveCells = false;  // inactive cells drawn grey rather than left out
    bool orthographicTopView = false;
    std::array<int, 3> background{51, 76, 76};
    float modelOpacity = 1.0f;          // below 1 the model is seen through (the block of layers)
    std::string signature = "Morvane";  // the label in the lower left corner
};

struct WellDisplay {
    bool cut = false;          // only the parts inside the model
    bool labelsOnTop = false;  // wells and labels drawn over the model
    std::vector<float> lineColour{0, 0, 0};
    std::vector<float> labelColour{0.5f, 0.8f, 0.2f};
    int lineWidth = 5;
    float labelSize = 0.5f;
};

struct ContactDisplay {
    bool owc = false, goc = false;
    std::vector<float> owcColour{0, 0, 1};
    std::vector<float> gocColour{0, 1, 0};
};

struct ProductionDisplay {
    bool discs = false;  // the production discs drawn (hidden while the exaggeration changes)
    float scale = 1.0f;
    float labelSize = 0.3f;
};

}  // namespace morvane
