// The property import command: asks for a GRDECL property file, asks the kind of each property in it, then reads,
// checks and appends every property that holds one value per grid cell and colours the cells with it. Files with
// the "Property name in Petrel" marker lines are split at them; files without are read as keyword blocks.
//
// Written against the same small interfaces as the grid import (feedback channels, prompts, the view's scene
// operations and the few main-window controls it touches), so tests drive it with recorded answers.
#pragma once

#include <string>
#include <vector>

#include "commands/model_state.h"
#include "core/feedback.h"
#include "core/localisation.h"
#include "core/user_prompts.h"
#include "scene/scene_operations.h"

namespace morvane {

// The main-window controls the command drives besides status, progress and log.
class PropertyImportWindow {
public:
    virtual ~PropertyImportWindow() = default;
    // Wait cursor on and the "finished" picture to the back.
    virtual void beginWait() = 0;
    // Normal cursor; the "finished" picture to the front (done) or to the back (failed).
    virtual void endWait(bool finished) = 0;
    virtual void focusTree() = 0;
    // The caption of the legend group propLegend.
    virtual void setLegendCaption(const std::string& text) = 0;
    // The legend button checked and the legend shown.
    virtual void showLegend() = 0;
    // A node for a property just loaded, its icon by its kind code, added to the model tree and selected.
    virtual void addPropertyNode(const std::string& name, int kindCode) = 0;
};

// For runs without a main window (snapshots): there is no cursor, picture, tree or legend to drive.
class NoPropertyImportWindow final : public PropertyImportWindow {
public:
    void beginWait() override {}
    void endWait(bool) override {}
    void focusTree() override {}
    void setLegendCaption(const std::string&) override {}
    void showLegend() override {}
    void addPropertyNode(const std::string&, int) override {}
};

enum class PropertyImportOutcome {
    NoGrid,          // no grid loaded: the user was told, nothing read
    Cancelled,       // no file chosen, or the chosen path names no file
    NotAProperty,    // the file holds no property marker: the user was told
    TypesCancelled,  // the loading dialog was closed without OK
    Done,            // every property of the file was judged; see accepted / rejected
};

struct PropertyImportResult {
    PropertyImportOutcome outcome = PropertyImportOutcome::Cancelled;
    int accepted = 0;
    int rejected = 0;
    std::vector<std::string> names;  // the accepted properties, by the names they are known by
};

struct PropertyImportContext {
    ModelState& state;
    Feedback& feedback;
    SceneOperations& view;
    PropertyImportWindow& window;
    UserPrompts& prompts;
};

inline constexpr TextPair kPropertyDialogTitle{"Import properties", "Загрузить свойства"};
inline constexpr TextPair kPropertyDialogFilter{"GRDECL files|*.GRDECL|All files (*.*)|*.*",
                                                "Файлы GRDECL|*.GRDECL|Все файлы (*.*)|*.*"};
inline constexpr const char* kNoGridTextEn = "There are no grid loaded. Please, load grid first.";
inline constexpr const char* kNoGridTextRu =
    "В проект еще не загружен грид. Пожалуйста, загрузите сначала грид, затем свойства.";

// The menu command: the grid check, the file dialog, then importPropertyFile.
PropertyImportResult importPropertiesWithDialog(const PropertyImportContext& ctx);

// How the kinds of a file's properties are chosen.
enum class PropertyTypes {
    Ask,   // the loading dialog (the menu command)
    None,  // no kind for any: each is discrete or continuous by its values (the command line)
};

// The command for a path already chosen.
PropertyImportResult importPropertyFile(const PropertyImportContext& ctx, const std::string& path,
                                        PropertyTypes types = PropertyTypes::Ask);

// The properties held in a grid file just loaded (keyword blocks after its sections): the log says how many, then
// they are offered as a property file's are. A grid file without any says nothing.
PropertyImportResult importInlineProperties(const PropertyImportContext& ctx, const std::string& path,
                                            PropertyTypes types = PropertyTypes::Ask);

}  // namespace morvane
