#include "commands/property_import_command.h"

#include <algorithm>
#include <filesystem>
#include <new>
#include <system_error>

#include "commands/import_memory.h"
#include "io/code_names.h"
#include "io/file_text.h"
#include "io/property_reader.h"
#include "io/text_codec.h"

namespace morvane {

namespace texts = property_texts;

namespace {

PropertyImportResult ended(PropertyImportOutcome outcome)
{
    PropertyImportResult result;
    result.outcome = outcome;
    return result;
}

// Progress to 0, the "finished" picture to the back, the tree focused, the normal cursor.
void stopWork(const PropertyImportContext& ctx)
{
    ctx.feedback.setProgress(0);
    ctx.window.endWait(false);
    ctx.window.focusTree();
}

}  // namespace

PropertyImportResult importPropertiesWithDialog(const PropertyImportContext& ctx)
{
    if (!ctx.state.document.grid.loaded) {
        const bool russian = ctx.state.view.language == "ru";
        ctx.prompts.information(russian ? kNoGridTextRu : kNoGridTextEn, russian ? texts::CaptionRu : texts::CaptionEn);
        return ended(PropertyImportOutcome::NoGrid);
    }
    const std::string path = ctx.prompts.openFileName(kPropertyDialogTitle.in(ctx.state.view.language),
                                                      kPropertyDialogFilter.in(ctx.state.view.language));
    if (path.empty()) {
        ctx.feedback.trace(texts::TraceStart);
        ctx.feedback.setStatus(texts::AllGood);
        return ended(PropertyImportOutcome::Cancelled);
    }
    return importPropertyFile(ctx, path);
}

namespace {

// The steps after the file is read: the type dialog (or no kinds), then each property read, checked, appended and
// coloured.
PropertyImportResult importEntries(const PropertyImportContext& ctx, std::string_view text,
                                   const std::vector<PropertyEntry>& entries, PropertyTypes types,
                                   const std::string& path);

// The names of a property's codes: those in the comment lines beside its block, then those of the first companion
// file found beside the property file, whose rows win. Rows left out of the companion file are said in the log.
void attachCodeNames(const PropertyImportContext& ctx, std::string_view text, const PropertyEntry& entry,
                     const std::string& path, Property& property)
{
    namespace fs = std::filesystem;
    const std::string& lang = ctx.state.view.language;
    CodeNameTable names = codeNamesNearBlock(text, entry);
    for (const std::string& candidate : codeNameFiles(path, entry.name)) {
        std::error_code error;
        // The property file itself (a property named like its file) is no table of names.
        if (!fs::is_regular_file(candidate, error) || fs::equivalent(candidate, path, error)) continue;
        FileText bytes;
        if (!readWholeFile(fs::path(candidate), bytes)) continue;
        std::string decoded;
        const std::string fileName = fs::path(candidate).filename().string();
        CodeNameTable fromFile = readCodeNameFile(utf8Text(bytes.view(), decoded), fileName);
        for (const LocalMessage& warning : fromFile.warnings)
            ctx.feedback.appendLog(warning.in(lang), log_colour::Orange);
        for (auto& [code, name] : fromFile.names) names.names[code] = std::move(name);
        ctx.feedback.appendLog(fillText(code_name_texts::NamesRead.in(lang),
                                        {property.name, std::to_string(fromFile.names.size()), fileName}),
                               log_colour::LightGrey);
        break;
    }
    property.codeNames = std::move(names.names);
}

// The blocks of values the file holds that are not loaded, each named with its line and why.
void sayDropped(const PropertyImportContext& ctx, const std::vector<DroppedBlock>& dropped, const std::string& fileName)
{
    for (const DroppedBlock& block : dropped) {
        const PropertyReportLine line =
            droppedBlockLine(block, ctx.state.document.grid.cellCount, fileName, ctx.state.view.language);
        ctx.feedback.appendLog(line.text, line.colour);
    }
}

}  // namespace

namespace {

PropertyImportResult readAndImportPropertyFile(const PropertyImportContext& ctx, const std::string& path,
                                               PropertyTypes types)
{
    ModelState& s = ctx.state;
    Feedback& fb = ctx.feedback;

    if (!s.document.grid.loaded)
        return ended(PropertyImportOutcome::NoGrid);  // the menu has told the user; callers without it too

    const std::filesystem::path file(path);
    fb.setStatus(texts::ReadingProperty);
    fb.appendLog("Opening file: " + file.stem().string(), log_colour::LightGrey);
    fb.trace(texts::TraceStart);
    FileText bytes;
    // Nothing at the path: as if no file was chosen. A folder, a pipe, a device or a link loop: said, never read.
    if (const FileProblem problem = fileProblemAt(file); problem != FileProblem::None) {
        if (problem != FileProblem::Missing)
            fb.appendLog(fileProblemText(problem, path).in(s.view.language), log_colour::Red);
        fb.setStatus(texts::AllGood);
        return ended(PropertyImportOutcome::Cancelled);
    }

    ctx.window.endWait(false);  // the "finished" picture to the back
    fb.setProgress(10);
    if (!readWholeFile(file, bytes)) {
        fb.setProgress(0);
        fb.appendLog("Cannot read file: " + file.filename().string(), log_colour::Red);
        fb.setStatus(texts::AllGood);
        return ended(PropertyImportOutcome::Cancelled);
    }
    // Exports are nearly always UTF-8 (ASCII): the file's own bytes are the text then, not a copy of them.
    std::string decoded;
    const std::string_view text = utf8Text(bytes.view(), decoded);
    fb.advanceProgress(10);

    std::vector<DroppedBlock> dropped;
    const std::vector<PropertyEntry> entries = propertyEntries(text, s.document.grid.cellCount, &dropped);
    if (entries.empty()) {
        stopWork(ctx);
        // A keyword file whose blocks all fail the grid says which block holds how many values in its refusal.
        std::vector<std::string> reasons;
        for (const DroppedBlock& block : dropped)
            reasons.push_back(
                droppedBlockLine(block, s.document.grid.cellCount, file.filename().string(), s.view.language).text);
        if (reasons.empty()) reasons.push_back(noPropertyFoundText(text, file.filename().string(), s.view.language));
        const PropertyReport report = notPropertyFileReport(s.view.language, file.filename().string(), reasons);
        ctx.prompts.information(report.messageBox->text, report.messageBox->caption);
        sayDropped(ctx, dropped, file.filename().string());  // why each block is not taken, before the verdict
        deliverPropertyReport(report, fb);
        return ended(PropertyImportOutcome::NotAProperty);
    }
    sayDropped(ctx, dropped, file.filename().string());
    return importEntries(ctx, text, entries, types, path);
}

PropertyImportResult importEntries(const PropertyImportContext& ctx, std::string_view text,
                                   const std::vector<PropertyEntry>& entries, PropertyTypes types,
                                   const std::string& path)
{
    ModelState& s = ctx.state;
    const std::string fileName = std::filesystem::path(path).filename().string();
    Feedback& fb = ctx.feedback;
    PropertyImportResult result;
    fb.setProgress(10);

    // The names are the document's only with their properties, when each is accepted.
    std::vector<std::string> names;
    names.reserve(entries.size());
    for (const PropertyEntry& e : entries) names.push_back(e.name);
    const std::optional<std::vector<int>> chosen = types == PropertyTypes::Ask
                                                       ? ctx.prompts.choosePropertyTypes(names, s.view.language)
                                                       : std::vector<int>(names.size(), 0);
    if (!chosen) {
        stopWork(ctx);
        fb.setStatus(texts::AllGood);
        return ended(PropertyImportOutcome::TypesCancelled);
    }

    result.outcome = PropertyImportOutcome::Done;
    bool waiting = false;
    for (std::size_t k = 0; k < entries.size(); ++k) {
        // A dialog that answered fewer codes than properties leaves the rest without a kind.
        const int typeCode = k < chosen->size() ? (*chosen)[k] : 0;
        if (!waiting) ctx.window.beginWait();
        waiting = true;
        fb.setProgress(10);

        PropertyReport report = loadProperty(text, entries[k], propertyKindOf(typeCode), s.document.grid.cellCount,
                                             s.view.language, s.document.properties, s.document.grid.active, fileName,
                                             s.document.properties.undefinedMarkers);
        fb.advanceProgress(20);  // read and expanded
        if (!report.accepted) {
            ++result.rejected;
            stopWork(ctx);
            waiting = false;
            if (report.messageBox) ctx.prompts.information(report.messageBox->text, report.messageBox->caption);
            deliverPropertyReport(report, fb);
            // The last property was refused but an earlier one is on show: it is explained like any other.
            if (k + 1 == entries.size() && result.accepted > 0) ctx.window.showLegend();
            continue;
        }

        ++result.accepted;
        if (report.property.discrete) attachCodeNames(ctx, text, entries[k], path, report.property);
        const PropertyKind kind = report.property.kind;
        const std::string name = s.document.properties.add(std::move(report.property));
        result.names.push_back(name);
        fb.advanceProgress(50);
        ctx.window.setLegendCaption(name);
        deliverPropertyReport(report, fb);
        // The new property is shown at once; its node in the model tree is selected.
        s.view.shownProperty = name;
        ctx.view.recolourCells();
        ctx.window.addPropertyNode(name, static_cast<int>(kind));
        fb.appendLog(texts::Loaded, log_colour::Green);

        if (k + 1 == entries.size()) {
            fb.advanceProgress(20);
            ctx.window.focusTree();
            ctx.window.showLegend();
            ctx.window.endWait(true);
            waiting = false;
            fb.setStatus(texts::AllGood);
        }
    }
    return result;
}

PropertyImportResult readAndImportInlineProperties(const PropertyImportContext& ctx, const std::string& path,
                                                   PropertyTypes types)
{
    ModelState& s = ctx.state;
    FileText bytes;
    if (!s.document.grid.loaded || !readWholeFile(std::filesystem::path(path), bytes))
        return ended(PropertyImportOutcome::NoGrid);
    std::string decoded;
    const std::string_view text = utf8Text(bytes.view(), decoded);
    const std::string fileName = std::filesystem::path(path).filename().string();
    std::vector<DroppedBlock> dropped;
    const std::vector<PropertyEntry> entries = propertyEntries(text, s.document.grid.cellCount, &dropped);
    sayDropped(ctx, dropped, fileName);
    if (entries.empty()) return ended(PropertyImportOutcome::NotAProperty);

    std::string names;
    for (const PropertyEntry& e : entries) names += (names.empty() ? "" : ", ") + e.name;
    ctx.feedback.appendLog("The grid file holds " + std::to_string(entries.size()) +
                               (entries.size() == 1 ? " property: " : " properties: ") + names + ".",
                           log_colour::LightGrey);
    ctx.feedback.setStatus(texts::ReadingProperty);
    ctx.feedback.trace(texts::TraceStart);
    ctx.window.endWait(false);
    return importEntries(ctx, text, entries, types, path);
}

// Memory that runs out while a file is read or its properties are made ends the import with the file named; the
// properties appended before stay.
PropertyImportResult outOfMemory(const PropertyImportContext& ctx, const std::string& path)
{
    stopWork(ctx);
    const std::string why = fillIn(kImportOutOfMemory, {path}).in(ctx.state.view.language);
    ctx.feedback.appendLog(why, log_colour::Red);
    ctx.feedback.setStatus(texts::AllGood);
    ctx.prompts.information(why, ctx.state.view.language == "ru" ? texts::CaptionRu : texts::CaptionEn);
    return ended(PropertyImportOutcome::Cancelled);
}

}  // namespace

PropertyImportResult importPropertyFile(const PropertyImportContext& ctx, const std::string& path, PropertyTypes types)
{
    try {
        return readAndImportPropertyFile(ctx, path, types);
    } catch (const std::bad_alloc&) {
        return outOfMemory(ctx, path);
    }
}

PropertyImportResult importInlineProperties(const PropertyImportContext& ctx, const std::string& path,
                                            PropertyTypes types)
{
    try {
        return readAndImportInlineProperties(ctx, path, types);
    } catch (const std::bad_alloc&) {
        return outOfMemory(ctx, path);
    }
}

}  // namespace morvane
