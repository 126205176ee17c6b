#include "commands/grid_import_command.h"

#include <chrono>
#include <filesystem>
#include <future>
#include <mutex>
#include <system_error>
#include <utility>
#include <vector>

#include "io/file_text.h"
#include "io/grid_reader.h"

namespace morvane {

namespace {

// Status, progress and trace at the reader's stages.
void reportStage(Feedback& fb, GridReadStage stage, bool includeLayout)
{
    switch (stage) {
    case GridReadStage::LayoutDecided:
        fb.trace("Starting loading grid");
        fb.setProgress(20);
        break;
    case GridReadStage::CoordRead:
        if (includeLayout) fb.trace("COORD reading done");
        fb.setStatus("Reading ZCORN section");
        break;
    case GridReadStage::ZcornCut:
        fb.advanceProgress(10);
        break;
    case GridReadStage::StarsReplaced:
        fb.advanceProgress(30);
        break;
    case GridReadStage::ZcornScanned:
        fb.advanceProgress(10);
        break;
    case GridReadStage::ZcornExpanded:
        fb.advanceProgress(10);
        break;
    }
}

// Reads the file on a helper thread while the window keeps repainting; the reader's stages reach the feedback from
// this thread, in order, as they happen. An exception of the reader (out of memory) is raised here.
GridReadResult readWhileResponsive(const std::string& path, Feedback& fb, GridImportWindow& window)
{
    std::mutex mutex;
    std::vector<std::pair<GridReadStage, bool>> stages;
    auto reading = std::async(std::launch::async, [&] {
        return readGridFile(path, [&](GridReadStage stage, bool includeLayout) {
            const std::lock_guard<std::mutex> lock(mutex);
            stages.emplace_back(stage, includeLayout);
        });
    });
    std::vector<std::pair<GridReadStage, bool>> reached;
    const auto report = [&] {
        {
            const std::lock_guard<std::mutex> lock(mutex);
            reached.swap(stages);
        }
        for (const auto& [stage, includeLayout] : reached) reportStage(fb, stage, includeLayout);
        reached.clear();
    };
    while (reading.wait_for(std::chrono::milliseconds(15)) != std::future_status::ready) {
        report();
        window.keepResponsive();
    }
    report();
    return reading.get();
}

// The properties, the filter on them and the contacts stood on the grid shown before.
void dropWhatBelongedToTheOldGrid(ModelState& s)
{
    s.document.properties.clear();
    s.view.shownProperty.clear();
    s.view.legendHiddenCodes.clear();
    s.view.filter = {};
    s.document.contacts.owc.set = s.document.contacts.goc.set = false;
    ++s.document.contacts.revision;
    Vertices().swap(s.OWC_k);
    Vertices().swap(s.GOC_k);
    s.view.contacts.owc = s.view.contacts.goc = false;
}

void failWithMessage(const GridImportContext& ctx, const std::string& boxText, const std::string& logLine)
{
    ctx.feedback.setProgress(0);
    ctx.window.focusTree();
    ctx.window.endWait(false);
    ctx.prompts.information(boxText, kGridImportCaption.in(ctx.state.view.language));
    ctx.feedback.appendLog(logLine, log_colour::Red);
    ctx.feedback.setStatus("All good");
}

}  // namespace

GridImportOutcome importGridWithDialog(const GridImportContext& ctx)
{
    const std::string path = ctx.prompts.openFileName(kGridDialogTitle.in(ctx.state.view.language),
                                                      kGridDialogFilter.in(ctx.state.view.language));
    if (path.empty()) return GridImportOutcome::Cancelled;
    return importGridFile(ctx, path);
}

namespace {

// The import from the read on, with allocation failure left to the caller. `drawing` turns true once the grid shown
// before has been given up for the new one.
GridImportOutcome importReadableGrid(const GridImportContext& ctx, const std::string& path,
                                     const std::string& shownName, bool& drawing)
{
    ModelState& s = ctx.state;
    Feedback& fb = ctx.feedback;
    const std::filesystem::path file(path);
    fb.setStatus("Reading COORD section");
    ctx.window.beginWait();

    GridReadResult read = readWhileResponsive(path, fb, ctx.window);

    // What the reader noticed in a file it read goes to the log whatever becomes of the grid.
    for (const LocalMessage& warning : read.warnings) fb.appendLog(warning.in(s.view.language), log_colour::Orange);
    switch (read.outcome) {
    case GridReadOutcome::NotAGrid:
        failWithMessage(ctx, kNotAGridText.in(s.view.language),
                        "Selected file is not grid file: " + file.filename().string());
        if (!read.message.empty()) fb.appendLog(read.message.in(s.view.language), log_colour::Red);
        return GridImportOutcome::NotAGrid;
    case GridReadOutcome::MissingInclude:
        failWithMessage(ctx, read.message.in(s.view.language), read.message.in(s.view.language));
        return GridImportOutcome::MissingInclude;
    case GridReadOutcome::Refused:
        failWithMessage(ctx, read.message.in(s.view.language), read.message.in(s.view.language));
        return GridImportOutcome::Refused;
    case GridReadOutcome::Stopped:
        failWithMessage(ctx, read.message.in(s.view.language), read.message.in(s.view.language));
        return GridImportOutcome::Stopped;
    case GridReadOutcome::Read:
        break;
    }

    for (const LocalMessage& note : read.notes) fb.appendLog(note.in(s.view.language), log_colour::LightGrey);
    fb.trace("ZCORN_size = " + std::to_string(read.grid.cornerDepths.size()));
    fb.setStatus("Initializing grid");
    // The builder takes the grid's input (see buildGrid); it changes nothing of the grid shown before it has made the
    // new grid's vertices, also when memory runs out.
    std::swap(s.document.grid.input, read.grid);
    GridBuildOutcome built = GridBuildOutcome::CellSizeRejected;
    try {
        built = ctx.view.buildGridMeshes();
    } catch (const std::bad_alloc&) {
        std::swap(s.document.grid.input, read.grid);
        s.document.grid.name = shownName;
        throw;
    }
    if (built != GridBuildOutcome::Built) {
        // The builder has logged why and changed nothing; nothing below may run on counts that do not belong to
        // this grid. The current model gets its arrays back and stays as it was.
        std::swap(s.document.grid.input, read.grid);
        s.document.grid.name = shownName;  // the tree root still names the model on show
        fb.setProgress(0);
        ctx.window.focusTree();
        ctx.window.endWait(true);
        return GridImportOutcome::Rejected;
    }
    drawing = true;
    fb.advanceProgress(10);
    dropWhatBelongedToTheOldGrid(s);
    ctx.view.uploadGrid();
    // The corner depths now live in the layers' vertices; nothing reads them again, so their 64 bytes per cell go.
    std::vector<double>().swap(s.document.grid.input.cornerDepths);

    ctx.window.enableTopView();

    s.view.layer.saved = 0;
    // Whatever mode was on belonged to the old grid and its properties: the new one shows its shell.
    s.view.mode = ViewMode::Shell;
    ctx.window.uncheckModeButtons();
    s.view.display.modelOpacity = 1.0f;

    fb.setStatus("Rendering grid");
    if (!read.includeLayout) ctx.window.useTreeImages();
    ctx.view.recolourCells();
    fb.advanceProgress(10);

    ctx.window.focusTree();
    ctx.window.endWait(true);
    if (read.includeLayout) fb.setStatus("All good");

    // Properties held in the grid file itself are offered as a property file's would be.
    if (!read.inlineKeywords.empty() && ctx.propertyWindow)
        importInlineProperties(PropertyImportContext{s, fb, ctx.view, *ctx.propertyWindow, ctx.prompts}, path);
    return GridImportOutcome::Loaded;
}

}  // namespace

GridImportOutcome importGridFile(const GridImportContext& ctx, const std::string& path)
{
    ModelState& s = ctx.state;
    Feedback& fb = ctx.feedback;

    const std::filesystem::path file(path);  // bytes as given: UTF-8 on the systems we run on
    const std::string shownName = s.document.grid.name;
    s.document.grid.name = file.stem().string();
    fb.appendLog("Opening file: " + s.document.grid.name, log_colour::LightGrey);
    // Nothing at the path: as if no file was chosen. A folder, a pipe, a device or a link loop: said as such, and
    // never read.
    const FileProblem problem = fileProblemAt(file);
    if (problem == FileProblem::Missing) return GridImportOutcome::Cancelled;
    if (problem != FileProblem::None) {
        const std::string why = fileProblemText(problem, path).in(s.view.language);
        failWithMessage(ctx, why, why);
        return GridImportOutcome::NotAGrid;
    }

    bool drawing = false;
    try {
        return importReadableGrid(ctx, path, shownName, drawing);
    } catch (const std::bad_alloc&) {
        // Memory ran out while the grid was read or built: nothing of the model shown changed. Once the grid shown
        // before was given up for the new one, drawing the new one may fail too: then neither is shown, and the
        // user is told so.
        if (drawing) {
            s.document.grid = Grid{};
            s.document.grid.name = shownName;
            ctx.view.uploadGrid();
        } else {
            s.document.grid.name = shownName;
        }
        const std::string why =
            fillIn(drawing ? kGridOutOfMemoryDrawing : kGridOutOfMemory, {path}).in(s.view.language);
        failWithMessage(ctx, why, why);
        return GridImportOutcome::Refused;
    }
}

}  // namespace morvane
