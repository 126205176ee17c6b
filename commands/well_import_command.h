// The well import command: asks for one or more deviation (.dev) files, reads each, asks which columns hold
// measured depth, X, Y and Z (or reuses the answer "OK for all" gave for an earlier file of the same selection),
// appends the well and has the view build and upload its geometry.
//
// Written against the feedback channels, the prompts, the view's scene operations and the few main-window controls
// it touches, so the menu, the command line, snapshots and tests run the same code.
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
class WellImportWindow {
public:
    virtual ~WellImportWindow() = default;
    // The wait cursor on (the window repaints once so the user sees it) or off.
    virtual void setWaitCursor(bool on) = 0;
    // The "finished" picture to the front (a well was drawn) or to the back (work under way, or abandoned).
    virtual void showFinished(bool front) = 0;
    virtual void focusWellTree() = 0;
    // A top-level node of the well tree showing `name`.
    virtual void addWellNode(const std::string& name) = 0;
};

// A window with none of those controls (snapshots, tools).
class NoWellImportWindow final : public WellImportWindow {
public:
    void setWaitCursor(bool) override {}
    void showFinished(bool) override {}
    void focusWellTree() override {}
    void addWellNode(const std::string&) override {}
};

struct WellImportContext {
    ModelState& state;
    Feedback& feedback;
    SceneOperations& view;
    WellImportWindow& window;
    UserPrompts& prompts;
};

struct WellImportResult {
    bool cancelled = false;  // no file chosen
    bool abandoned = false;  // the column dialog was closed with its close box: the rest of the selection was left
    int loaded = 0;          // wells appended
    int refused = 0;         // files read but not loaded (the user was told why)
    std::vector<std::string> loadedFiles;  // the paths of the wells appended, in order
};

inline constexpr TextPair kWellDialogTitle{"Import wells", "Загрузить скважины"};
inline constexpr TextPair kWellDialogFilter{"dev files|*.dev|All files (*.*)|*.*",
                                            "Файлы dev|*.dev|Все файлы (*.*)|*.*"};

// The menu command: the multi-file dialog, then importWellFiles.
WellImportResult importWellsWithDialog(const WellImportContext& ctx);

// The command for files already chosen, in order (missing files are passed over silently after their "Opening
// file" line).
WellImportResult importWellFiles(const WellImportContext& ctx, const std::vector<std::string>& paths);

// Prompts for files given on the command line: the column dialog is answered with its preselection and "ОК"
// (columns named exactly MD, X, Y, Z); everything else goes to `inner`.
class PreselectedWellColumns final : public UserPrompts {
public:
    explicit PreselectedWellColumns(UserPrompts& inner) : inner_(inner) {}
    std::string openFileName(const std::string& title, const std::string& filter) override
    {
        return inner_.openFileName(title, filter);
    }
    void information(const std::string& text, const std::string& caption) override
    {
        inner_.information(text, caption);
    }
    WellColumnAnswer chooseWellColumns(const WellColumnQuestion& question) override;

private:
    UserPrompts& inner_;
};

}  // namespace morvane
