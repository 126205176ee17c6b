// The well section commands: the section mode of the main window, adding a picked well to the section, and
// showing the section unfolded in 2D.
//
// While the mode is on, each well the user clicks (by its label) becomes a short segment along its own course in
// plan, joined to the previous well by a connecting segment; each segment is cut through the grid into one section
// entry (scene/well_section.h), drawn in 3D at once. A nearly vertical well (horizontal reach under two cells) has no
// course of its own to cut along, so its segment is aimed at its neighbour: at the previous well when it is picked,
// and between its two neighbours once the next one is picked (its segments are then cut again). At most nine wells
// make one section. The build button of the selection window unfolds the entries into one strip shown face-on on a
// white background; leaving the mode restores the camera and the background.
#pragma once

#include <string>
#include <vector>

#include "commands/model_state.h"
#include "commands/view_modes.h"
#include "core/feedback.h"
#include "core/user_prompts.h"
#include "platform/app_settings.h"
#include "scene/scene_operations.h"
#include "scene/well_section.h"

namespace morvane {

// The main-window controls the section commands drive.
class WellSectionWindow {
public:
    virtual ~WellSectionWindow() = default;
    // The selection window placed at the main window's right, emptied to its smallest height and shown; the focus
    // goes back to the main window.
    virtual void showSelectionWindow() = 0;
    virtual void hideSelectionWindow() = 0;
    // One row of the selection window: the well's name and its picking number; the list and the window grow.
    virtual void addSectionRow(const std::string& well, int number) = 0;
    // The well-section button released: the section could not be built and the mode is off.
    virtual void releaseSectionButton() = 0;
    // The 2D view and rotation buttons: disabled while the unfolded section is shown.
    virtual void enableViewButtons(bool enabled) = 0;
    // The view panel and the legend take BACKGROUND_COLOR; the legend's text is black on the section's white
    // background (`sectionShown`) and white otherwise.
    virtual void applySectionColours(bool sectionShown) = 0;
};

// A window with none of those controls (snapshots, tools).
class NoWellSectionWindow final : public WellSectionWindow {
public:
    void showSelectionWindow() override {}
    void hideSelectionWindow() override {}
    void addSectionRow(const std::string&, int) override {}
    void releaseSectionButton() override {}
    void enableViewButtons(bool) override {}
    void applySectionColours(bool) override {}
};

struct WellSectionContext {
    ModelState& state;
    Feedback& feedback;
    SceneOperations& view;
    WellSectionWindow& window;
    UserPrompts& prompts;
    const AppSettings& settings;  // the background colour restored on leaving comes from here
};

inline constexpr int MAX_SECTION_WELLS = 9;
inline constexpr const char* kNoPropertyTextEn = "There are no property loaded. Please, load property first.";
inline constexpr const char* kNoPropertyTextRu =
    "В проект еще не загружены свойства. Пожалуйста, загрузите сначала свойства.";

// The well-section button (`wasChecked`: its state before the click). Entering needs a grid and a property besides
// the grid placeholder (otherwise a message box, nothing changes): the mode on, every other mode off, the property
// cut taken off, the picked wells and entries emptied, the selection window shown. Leaving: the shell view, the
// selection window hidden, and when the section was shown, the camera before it and the stored background.
ModeButtons switchWellSection(const WellSectionContext& ctx, bool wasChecked);

// A left-button press over the view while the mode is on: the first well under the pointer (current_well) joins the
// section unless it is in it already, nine wells are picked, or the well never enters the model. Returns whether it
// was added.
bool addSectionWell(const WellSectionContext& ctx, bool leftButton);

// The build button: unfolds the entries into one strip and shows it face-on in 2D on a white background, scaled to
// fill the view's width. With fewer than two entries, or none that crosses the model, the mode is switched off
// instead. Returns whether the section is shown.
bool RenderWellSection(const WellSectionContext& ctx);

// The section through the wells named, in order, as if each label were clicked, then built: for the command line.
// False, with the reason in `error`, when the mode cannot be entered, a name is not a loaded well or the section
// cannot be built.
bool showSectionThroughWells(const WellSectionContext& ctx, const std::vector<std::string>& wells, std::string* error);

}  // namespace morvane
