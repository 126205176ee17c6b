#include "commands/production_command.h"

#include <algorithm>
#include <filesystem>
#include <new>

#include "commands/import_memory.h"
#include "commands/production_table.h"
#include "io/file_text.h"
#include "io/text_codec.h"
#include "scene/bubble_diagrams.h"

namespace morvane {

namespace {

std::string withoutSpaces(std::string name)
{
    name.erase(std::remove(name.begin(), name.end(), ' '), name.end());
    return name;
}

}  // namespace

void rebuildCircleDiagrams(ModelState& s, SceneOperations& view, Feedback& feedback)
{
    for (const std::string& line : buildCircleDiagrams(s, s, s.document.wells, s.document.production,
                                                       s.view.camera.verticalScale, s.view.production.scale))
        feedback.trace(line);
    view.uploadProductionDiscs();
}

bool toggleProductionDisplay(const ProductionContext& ctx, bool pressed)
{
    ModelState& s = ctx.state;
    if (s.document.wells.empty()) {
        const bool english = s.view.language == "en";
        ctx.prompts.information(english ? "There are no production data loaded. Please, load this data through Data "
                                          "manager."
                                        : "В проект еще не загружены данные по добыче и закачке. Пожалуйста, "
                                          "загрузите эти данные через менеджер данных.",
                                english ? "Cumulative production" : "Накопленные отборы");
        return pressed;
    }
    if (pressed) {
        s.view.production.discs = false;
        return false;
    }
    s.view.production.discs = true;
    rebuildCircleDiagrams(s, ctx.view, ctx.feedback);
    return true;
}

void vertScaleReleased(ModelState& s, SceneOperations& view, Feedback& feedback, bool productionPressed)
{
    if (!productionPressed) return;
    s.view.production.discs = true;
    rebuildCircleDiagrams(s, view, feedback);
}

ProductionMatch applyProductionRows(Production& production, const WellSet& wells,
                                    const std::vector<ProductionRow>& rows)
{
    ProductionMatch match;
    std::vector<bool> took(wells.items.size(), false);
    for (const ProductionRow& row : rows) {
        const std::string name = withoutSpaces(row.name);
        bool found = false;
        for (std::size_t i = 0; i < wells.items.size(); ++i) {
            if (wells.items[i].name != name) continue;
            found = true;
            took[i] = true;
            production.byWell[name] = WellVolumes{row.oil, row.water, row.gas};
        }
        if (found) {
            // Every row of a loaded well's name, once per row (the list may hold two wells of one name).
            auto given = std::find_if(match.repeated.begin(), match.repeated.end(),
                                      [&](const ProductionRepeat& r) { return r.name == name; });
            if (given == match.repeated.end())
                match.repeated.push_back({name, {row.line}});
            else
                given->lines.push_back(row.line);
        }
        if (!found && std::find(match.unknown.begin(), match.unknown.end(), row.name) == match.unknown.end())
            match.unknown.push_back(row.name);
    }
    match.repeated.erase(std::remove_if(match.repeated.begin(), match.repeated.end(),
                                        [](const ProductionRepeat& r) { return r.lines.size() < 2; }),
                         match.repeated.end());
    match.wells = static_cast<int>(std::count(took.begin(), took.end(), true));
    ++production.revision;
    return match;
}

namespace {

ProductionImport readAndApplyProductionFile(ModelState& s, Feedback& feedback, const std::string& path)
{
    ProductionImport result;
    feedback.appendLog("Opening file: " + path, log_colour::LightGrey);
    FileText bytes;
    if (!readWholeFile(path, bytes)) {
        // What stands at the path, when that is why (a folder, a pipe, a device, a link loop, no permission).
        const FileProblem problem = fileProblemAt(path);
        const std::string why =
            problem == FileProblem::None ? path : fileProblemText(problem, path).in(s.view.language);
        feedback.appendLog("Production was not loaded. The file cannot be read: " + why, log_colour::Red);
        return result;
    }
    const ProductionFile file = parseProductionText(decodeUserText(bytes.view()));
    if (!file.read()) {
        feedback.appendLog("Production was not loaded from " + path + ", " + file.error, log_colour::Red);
        return result;
    }
    result.read = true;
    static_cast<ProductionMatch&>(result) = applyProductionRows(s.document.production, s.document.wells, file.rows);
    const std::string fileName = std::filesystem::path(path).filename().string();
    for (const ProductionExcess& excess : file.excess)
        feedback.appendLog(productionExcessText(excess, fileName, s.view.language), log_colour::Orange);
    if (file.openLastLine > 0)
        feedback.appendLog(productionCutText(file.openLastLine, fileName, s.view.language), log_colour::Orange);
    for (const ProductionRepeat& repeat : result.repeated) {
        std::string lines;
        for (std::size_t k = 0; k < repeat.lines.size(); ++k) {
            if (k > 0) lines += k + 1 == repeat.lines.size() ? production_texts::And.in(s.view.language) : ", ";
            lines += std::to_string(repeat.lines[k]);
        }
        feedback.appendLog(fillText(production_texts::Duplicate.in(s.view.language),
                                    {repeat.name, lines, fileName, std::to_string(repeat.lines.back())}),
                           log_colour::Orange);
    }
    if (!result.unknown.empty()) {
        std::string names;
        for (const std::string& name : result.unknown) names += (names.empty() ? "" : ", ") + name;
        feedback.appendLog(
            "No well of these names is loaded, so their production was not loaded: " + names + " (" + fileName + ")",
            log_colour::Red);
    }
    const std::string wells = std::to_string(result.wells) + (result.wells == 1 ? " well" : " wells");
    if (file.rows.empty()) {
        // A file without a single row (empty, or cut before its first) changes nothing: not a success to report.
        feedback.appendLog("Production is loaded for " + wells + ": " + path + " holds no production rows" +
                               (file.lines > 0 ? " up to the end of the file (line " + std::to_string(file.lines) + ")"
                                               : ": the file is empty"),
                           log_colour::Orange);
        return result;
    }
    if (result.wells == 0) {
        // Rows, but for no loaded well: nothing is shown, which is no success either.
        feedback.appendLog("Production is loaded for " + wells + ": none of the " + std::to_string(file.rows.size()) +
                               " rows of " + path + " names a loaded well",
                           log_colour::Orange);
        return result;
    }
    feedback.appendLog("Production is loaded for " + wells, log_colour::Green);
    return result;
}

}  // namespace

ProductionFileFill readProductionFileForTable(const std::string& path, const std::vector<std::string>& wellNames,
                                              const std::string& lang)
{
    const bool ru = lang == "ru";
    ProductionFileFill fill;
    const std::string fileName = std::filesystem::path(path).filename().string();
    FileText bytes;
    if (!readWholeFile(path, bytes)) {
        const FileProblem problem = fileProblemAt(path);
        fill.summary = (ru ? "Файл не читается: " : "The file cannot be read: ") +
                       (problem == FileProblem::None ? path : fileProblemText(problem, path).in(lang));
        return fill;
    }
    const ProductionFile file = parseProductionText(decodeUserText(bytes.view()));
    if (!file.read()) {
        fill.summary = fileName + (ru ? ": файл не загружен, " : ": not loaded, ") + file.error;
        return fill;
    }
    WellSet wells;
    for (const std::string& name : wellNames) wells.add(Well{name, {}});
    Production production;
    const ProductionMatch match = applyProductionRows(production, wells, file.rows);
    fill.read = true;
    fill.unknown = match.unknown;
    fill.cells.resize(wellNames.size());
    fill.named.resize(wellNames.size(), false);
    for (std::size_t i = 0; i < wellNames.size(); ++i) {
        const auto given = production.byWell.find(wellNames[i]);
        if (given == production.byWell.end()) continue;
        fill.named[i] = true;
        fill.cells[i] = {productionCellText(given->second.oil), productionCellText(given->second.water),
                         productionCellText(given->second.gas)};
    }
    const char* separator = file.separator == '\t'  ? (ru ? "табуляция" : "tabs")
                            : file.separator == ';' ? (ru ? "точка с запятой" : "semicolons")
                                                    : (ru ? "запятая" : "commas");
    const char* decimal = file.decimal == DecimalMark::Point   ? (ru ? "точка" : "point")
                          : file.decimal == DecimalMark::Comma ? (ru ? "запятая" : "comma")
                          : file.decimal == DecimalMark::Mixed ? (ru ? "точка и запятая" : "point and comma")
                                                               : (ru ? "не видна" : "not shown");
    const std::string rows = std::to_string(file.rows.size()), wellsNamed = std::to_string(match.wells);
    fill.summary = ru ? fileName + ": разделитель — " + separator + ", десятичный знак — " + decimal +
                            (file.headerSkipped ? ", первая строка — заголовок; " : ", без заголовка; ") + rows +
                            " строк, скважин таблицы: " + wellsNamed
                      : fileName + ": separated by " + separator + ", decimal " + decimal +
                            (file.headerSkipped ? ", first line a header; " : ", no header; ") + rows + " rows, " +
                            wellsNamed + " of the table's wells";
    return fill;
}

ProductionImport importProductionFile(ModelState& s, Feedback& feedback, const std::string& path)
{
    try {
        return readAndApplyProductionFile(s, feedback, path);
    } catch (const std::bad_alloc&) {
        feedback.appendLog(fillIn(kImportOutOfMemory, {path}).in(s.view.language), log_colour::Red);
        return {};
    }
}

}  // namespace morvane
