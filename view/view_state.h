// How the document is looked at: the camera, the view mode, the layer, which property colours the cells and its
// filter, what else is drawn and how. Everything the user sets without changing the data; the commands change it,
// the renderer draws from it. `frame` alone is written by the renderer: what the last frame measured.
#pragma once

#include <array>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <glm/glm.hpp>

#include "view/camera.h"
#include "view/display_options.h"

namespace morvane {

// The reference size of the view and of the label space, pixels.
inline constexpr int kReferenceViewWidth = 1024;
inline constexpr int kReferenceViewHeight = 768;

// One mode at a time: the shell of outer faces, the flat section, the layer view, the property filter view, or the
// well section (picking wells, then unfolded into 2D: `SectionView::unfolded`).
enum class ViewMode { Shell, FlatSection, Layers, Filter, WellSection };

// The property filter: which cells of the shown property the filter view draws. No filter; a cut (the cells of a
// continuous property below it, or above it, are not drawn; a cut of 0 is a cut like any other); a range (only the
// cells from `low` to `high` are drawn); or codes (only the cells holding one of `codes` are drawn). Cells without
// a value are never removed by a cut or a range, and never kept by codes.
struct PropertyFilterSetting {
    enum class Keep { All, Cut, Range, Codes };
    Keep keep = Keep::All;
    float cut = 0;  // Cut
    bool below = true;
    double low = 0, high = 0;  // Range, low <= high
    std::vector<int> codes;    // Codes, ascending
    bool on() const { return keep != Keep::All; }
    friend bool operator==(const PropertyFilterSetting&, const PropertyFilterSetting&) = default;

    static PropertyFilterSetting cutAt(float cut, bool below)
    {
        PropertyFilterSetting f;
        f.keep = Keep::Cut;
        f.cut = cut;
        f.below = below;
        return f;
    }
    static PropertyFilterSetting between(double low, double high)
    {
        PropertyFilterSetting f;
        f.keep = Keep::Range;
        f.low = low < high ? low : high;
        f.high = low < high ? high : low;
        return f;
    }
    static PropertyFilterSetting holding(std::vector<int> codes);  // sorted, each once
};

// The layer the layer view shows (1-based) and how.
struct LayerChoice {
    int shown = 1;
    int saved = 0;           // kept while the layer view is off; 0: the middle layer on the first visit
    bool oneAtATime = true;  // one layer, or a half-transparent block of eight
};

// The turns of the model that run over frames: the continuous turn and the turns into and out of the top view.
struct ViewAnimation {
    bool spinning = false;
    bool turningDown = false, turningUp = false;  // into the top view, back to the oblique view
    bool undoOrthographic = false;                // the way back starts from the orthographic top view
    float step = 0;                               // progress of a turn, 0..5
    float savedZ = 0;                             // position.z before the turn down
    float savedRatio = 0;  // the view ratio the orthographic top view divided the scale by (0: not divided)
};

// The well section: the wells picked for it in order, whether its plane is placed, and whether it is unfolded into
// 2D (then the camera looks at the strip face-on and the 3D camera waits in `savedCamera`).
struct SectionView {
    std::vector<int> wells;
    bool planePlaced = false;
    bool unfolded = false;
    Camera savedCamera;
};

// What the last frame measured, for the pointer and the commands that follow it.
struct FrameReadings {
    glm::mat4 model{1.0f}, view{1.0f}, projection{1.0f};
    int width = kReferenceViewWidth, height = kReferenceViewHeight;  // the drawn view, pixels
    float ratio = 2.22f;                                             // width / height
    int panelWidth = 0, panelHeight = 0;                             // the host panel
    glm::vec4 pivotClip{0.0f};
    glm::vec3 pivotNdc{0.0f};
    glm::vec2 pivotWindow{0.0f};
    std::vector<int> wellLabelX, wellLabelY;  // label positions per well, window pixels
};

struct ViewState {
    Camera camera;
    ViewMode mode = ViewMode::Shell;
    LayerChoice layer;
    ViewAnimation animation;
    DisplayOptions display;
    bool pivotCursor = false;   // the cross at the point the model turns about, shown while a drag moves the model
    std::string shownProperty;  // the property that colours the cells; empty: the bare grid
    // Per property name: the codes the user left out of its legend (the cells keep their colours).
    std::map<std::string, std::set<int>> legendHiddenCodes;
    PropertyFilterSetting filter;
    WellDisplay wells;
    ContactDisplay contacts;
    ProductionDisplay production;
    SectionView section;
    std::vector<int> hoveredWells;  // wells whose label is under the pointer
    std::string language = "en";
    FrameReadings frame;

    bool is(ViewMode m) const { return mode == m; }
};

}  // namespace morvane
