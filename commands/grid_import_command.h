// The grid import command: asks for a GRDECL file, reads it, builds and uploads the grid, drops the properties and
// contacts of the model before, resets the view modes and draws the bare grid at once.
//
// Written against small interfaces (feedback channels, prompts, the view's scene operations and the few main-window
// controls it touches), so the same command runs from the menu, from the command line, headless for a snapshot,
// and in tests with recorded answers.
#pragma once

#include <string>

#include "commands/model_state.h"
#include "commands/property_import_command.h"
#include "core/feedback.h"
#include "core/localisation.h"
#include "core/user_prompts.h"
#include "scene/scene_operations.h"

namespace morvane {

// The main-window controls the command drives besides status, progress and log.
class GridImportWindow {
public:
    virtual ~GridImportWindow() = default;
    // Wait cursor on, the "finished" picture to the back, one repaint so the user sees the command started.
    virtual void beginWait() = 0;
    // Normal cursor; the "finished" picture to the front (done) or left at the back (failed).
    virtual void endWait(bool finished) = 0;
    virtual void focusTree() = 0;
    virtual void enableTopView() = 0;       // the 2D button becomes usable
    virtual void uncheckModeButtons() = 0;  // the command shows the shell
    virtual void useTreeImages() = 0;       // the data tree shows its type icons
    // Called again and again while the file is read on a helper thread: repaint, let timers run, take no input.
    virtual void keepResponsive() {}
};

// A window with none of those controls (snapshots, tools).
class NoGridImportWindow final : public GridImportWindow {
public:
    void beginWait() override {}
    void endWait(bool) override {}
    void focusTree() override {}
    void enableTopView() override {}
    void uncheckModeButtons() override {}
    void useTreeImages() override {}
};

enum class GridImportOutcome {
    Cancelled,       // no file chosen, or nothing stands at the chosen path
    Loaded,          // the grid is built and drawn
    NotAGrid,        // the file holds no grid, or is no file to read (a folder, a pipe, a device); the user was told
    MissingInclude,  // an included file is missing or unreadable; the user was told
    Stopped,         // the included files hold no COORD section; the user was told which files were included
    Refused,         // the file is damaged or its sections do not fit together (counts against SPECGRID, COORD
                     // without ZCORN), or the grid does not fit in memory; the user was told which section, file,
                     // line and counts, and that the model shown before is kept
    Rejected,        // the geometry builder refused the grid and logged why
};

struct GridImportContext {
    ModelState& state;
    Feedback& feedback;
    SceneOperations& view;
    GridImportWindow& window;
    UserPrompts& prompts;
    // Where properties held in the grid file are offered after the grid loads; without it they are not.
    PropertyImportWindow* propertyWindow = nullptr;
};

inline constexpr TextPair kGridDialogTitle{"Import grid", "Загрузить грид"};
inline constexpr TextPair kGridDialogFilter{"GRDECL files|*.GRDECL|All files (*.*)|*.*",
                                            "Файлы GRDECL|*.GRDECL|Все файлы (*.*)|*.*"};
inline constexpr TextPair kNotAGridText{
    "The chosen file is not a grid file. Please choose a correct grid file.",
    "Выбранный файл не является файлом грида. Пожалуйста, выберите правильный файл грида."};
inline constexpr TextPair kGridImportCaption{"Grid import", "Загрузка грида"};
inline constexpr TextPair kGridOutOfMemory{
    "There is not enough memory to import the grid {}; the model shown before is kept.",
    "Для загрузки грида {} не хватает памяти; показанная ранее модель сохранена."};
inline constexpr TextPair kGridOutOfMemoryDrawing{
    "There is not enough memory to draw the grid {}; the model shown before had to be released and is no longer "
    "shown.",
    "Для отображения грида {} не хватает памяти; показанную ранее модель пришлось выгрузить, она больше не "
    "показывается."};

// The menu command: the file dialog, then importGridFile.
GridImportOutcome importGridWithDialog(const GridImportContext& ctx);

// The command for a path already chosen (the dialog's answer or the command line).
GridImportOutcome importGridFile(const GridImportContext& ctx, const std::string& path);

}  // namespace morvane
