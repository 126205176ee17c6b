#include "commands/well_import_command.h"

#include <array>
#include <filesystem>
#include <new>
#include <string>
#include <system_error>

#include "commands/import_memory.h"
#include "io/file_text.h"
#include "io/text_codec.h"
#include "io/well_reader.h"

namespace morvane {

namespace texts = well_texts;

namespace {

// A file that was read but not loaded: the user has been told why; the selection goes on.
void endRefusedFile(const WellImportContext& ctx, WellImportResult& result)
{
    ctx.feedback.setProgress(100);
    ctx.window.focusWellTree();
    ctx.window.setWaitCursor(false);
    ctx.feedback.setStatus(texts::AllGood);
    ++result.refused;
}

// An accepted well: appended, built, uploaded and drawn.
void appendAndDraw(const WellImportContext& ctx, const std::string& path, WellReport&& report, WellImportResult& result)
{
    ModelState& s = ctx.state;
    ctx.feedback.setProgress(100);
    ctx.window.focusWellTree();
    ctx.window.setWaitCursor(false);
    s.document.wells.add(Well{report.name, std::move(report.trajectory)});
    ctx.feedback.setStatus(texts::Rendering);
    ctx.view.buildLastWell();
    ctx.view.uploadWells();
    ctx.window.showFinished(true);
    ctx.feedback.setStatus(texts::AllGood);
    ++result.loaded;
    result.loadedFiles.push_back(path);
}

// A file whose columns are confirmed: an accepted well gets its tree node before its log line and is drawn; a refused
// one has been explained in the report's lines. A well far from the grid loaded is drawn as read, with a warning.
void finishFile(const WellImportContext& ctx, const std::string& path, WellReport&& report, WellImportResult& result)
{
    const Grid& grid = ctx.state.document.grid;
    if (report.accepted && grid.loaded)
        if (auto far = footprintWarning(report.name, report.trajectory, grid.extent, ctx.state.view.language,
                                        std::filesystem::path(path).filename().string()))
            report.lines.insert(report.lines.end() - 1, std::move(*far));  // before the closing green line
    if (report.accepted) ctx.window.addWellNode(report.name);
    deliverReportLines(report.lines, ctx.feedback);
    if (report.accepted)
        appendAndDraw(ctx, path, std::move(report), result);
    else
        endRefusedFile(ctx, result);
}

// The columns of a later file that carry the names chosen under "OK for all" (the last column of each name, as the
// preselection takes it; -1 where the file has no such column). Files of one export share their column names but
// not always their order: read by the first file's positions, a file with another order would load X as MD.
WellColumns sameNamedColumns(const std::vector<std::string>& header, const std::array<std::string, 4>& names)
{
    std::array<int, 4> found{-1, -1, -1, -1};
    for (std::size_t c = 0; c < header.size(); ++c)
        for (std::size_t n = 0; n < names.size(); ++n)
            if (header[c] == names[n]) found[n] = static_cast<int>(c);
    return WellColumns{found[0], found[1], found[2], found[3]};
}

std::string columnName(const std::vector<std::string>& header, int index)
{
    return index >= 0 && static_cast<std::size_t>(index) < header.size() ? header[static_cast<std::size_t>(index)]
                                                                         : std::string();
}

}  // namespace

WellImportResult importWellsWithDialog(const WellImportContext& ctx)
{
    const std::vector<std::string> paths = ctx.prompts.openFileNames(kWellDialogTitle.in(ctx.state.view.language),
                                                                     kWellDialogFilter.in(ctx.state.view.language));
    if (paths.empty()) {
        WellImportResult none;
        none.cancelled = true;
        return none;
    }
    return importWellFiles(ctx, paths);
}

namespace {

// The wells of the files, appended to `result` as each is loaded; `current` names the file being read.
void importWellFilesInto(const WellImportContext& ctx, const std::vector<std::string>& paths, WellImportResult& result,
                         std::string& current)
{
    ModelState& s = ctx.state;
    Feedback& fb = ctx.feedback;
    std::array<std::string, 4> forAllNames;  // MD, X, Y, Z column names chosen under "OK for all"
    bool okForAll = false;                   // the columns were chosen once for the rest of the selection

    for (const std::string& path : paths) {
        current = path;
        const std::filesystem::path file(path);
        fb.appendLog(texts::OpeningFile + file.stem().string(), log_colour::LightGrey);
        fb.setStatus(texts::ReadingWell);
        // Nothing at the path: passed over. A folder, a pipe, a device or a link loop: said, never read.
        if (const FileProblem problem = fileProblemAt(file); problem != FileProblem::None) {
            if (problem != FileProblem::Missing)
                fb.appendLog(fileProblemText(problem, path).in(s.view.language), log_colour::Red);
            continue;
        }

        ctx.window.showFinished(false);
        FileText bytes;
        if (!readWholeFile(file, bytes)) {
            fb.appendLog("Cannot read file: " + file.filename().string(), log_colour::Red);
            endRefusedFile(ctx, result);
            continue;
        }
        // Names and comments in UTF-8 or in the Windows-1251 code page of older exports.
        const WellFile well = parseWellFile(decodeUserText(bytes.view()));
        bytes = FileText();

        // Read by position, another tool's layout would put X where MD belongs: refused before any column is chosen.
        if (well.foreignLayout) {
            deliverReportLines(foreignLayoutReport(file.filename().string()).lines, fb);
            endRefusedFile(ctx, result);
            continue;
        }

        if (okForAll) {
            // A later file of the selection: the columns named as those chosen under the earlier "OK for all".
            finishFile(ctx, path,
                       loadWell(well, sameNamedColumns(well.columns, forAllNames), WellConfirmation::Reused,
                                ctx.state.view.language, file.filename().string()),
                       result);
            continue;
        }

        const WellColumnAnswer answer =
            ctx.prompts.chooseWellColumns({well.name, well.columns, paths.size() > 1, s.view.language});
        const WellColumns columns{answer.md, answer.x, answer.y, answer.z};
        const bool forAll = answer.button == WellColumnAnswer::Button::OkForAll && columns.complete();
        okForAll = forAll;
        if (forAll)
            forAllNames = {columnName(well.columns, answer.md), columnName(well.columns, answer.x),
                           columnName(well.columns, answer.y), columnName(well.columns, answer.z)};
        if (answer.button == WellColumnAnswer::Button::CloseBox) {
            // The close box abandons this file and the rest of the selection, without a message.
            fb.setProgress(100);
            ctx.window.showFinished(false);
            ctx.window.focusWellTree();
            ctx.window.setWaitCursor(false);
            result.abandoned = true;
            break;
        }

        ctx.window.setWaitCursor(true);
        WellReport report =
            loadWell(well, columns,
                     answer.button == WellColumnAnswer::Button::Ok ? WellConfirmation::Ok : WellConfirmation::OkForAll,
                     ctx.state.view.language, file.filename().string());
        if (report.messageBox) ctx.prompts.information(report.messageBox->text, report.messageBox->caption);
        finishFile(ctx, path, std::move(report), result);
    }

    fb.setStatus(texts::AllGood);
}

}  // namespace

WellImportResult importWellFiles(const WellImportContext& ctx, const std::vector<std::string>& paths)
{
    WellImportResult result;
    std::string current;
    try {
        importWellFilesInto(ctx, paths, result, current);
    } catch (const std::bad_alloc&) {
        // The wells loaded before stay; the file being read and the rest of the selection are not loaded.
        ctx.feedback.appendLog(fillIn(kImportOutOfMemory, {current}).in(ctx.state.view.language), log_colour::Red);
        ctx.feedback.setStatus(texts::AllGood);
        ctx.window.setWaitCursor(false);
        ++result.refused;
    }
    return result;
}

WellColumnAnswer PreselectedWellColumns::chooseWellColumns(const WellColumnQuestion& question)
{
    const WellColumns c = preselectedColumns(question.columns);
    return WellColumnAnswer{WellColumnAnswer::Button::Ok, c.md, c.x, c.y, c.z};
}

}  // namespace morvane
