#include "tools/info/property_info.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <optional>

#include <memory>

#include "commands/model_state.h"
#include "io/code_names.h"
#include "io/file_text.h"
#include "io/grdecl_scan.h"
#include "io/grid_reader.h"
#include "io/property_reader.h"
#include "io/text_codec.h"
#include "scene/grid_geometry.h"

namespace morvane::info {

namespace {

constexpr std::size_t npos = std::string_view::npos;

// `gridSize` is needed only for a keyword block, whose kind is decided by reading its values as the import does.
JsonObject describe(std::string_view text, const PropertyEntry& entry, int gridSize = 0)
{
    JsonObject o;
    o.addString("name", entry.name);
    o.addString("keyword", entry.keyword);
    o.addInteger("line", entry.line);

    const std::size_t begin = std::min(entry.valuesBegin, text.size());
    const std::string_view block = text.substr(begin, std::clamp(entry.valuesEnd, begin, text.size()) - begin);
    // Codes are counted only for a block that can be discrete (no "." or exponent before its end), so a continuous
    // property of millions of distinct values costs no map.
    const bool fractionAnywhere = writtenAsFraction(block);
    double lo = std::numeric_limits<double>::infinity(), hi = -lo;
    std::map<long long, std::uint64_t> codes;
    // Markers of no value, the standard ones and those the file declares, count apart from the values.
    const UndefinedMarkers markers = UndefinedMarkers::standard().with(declaredMarkers(text, entry.valuesBegin));
    std::uint64_t undefined = 0;
    auto scanBlock = [&](bool countCodes) {
        lo = std::numeric_limits<double>::infinity(), hi = -lo;
        codes.clear();
        undefined = 0;
        auto take = [&](std::uint64_t n, double v) {
            if (n == 0) return;
            if (markers.find(v) >= 0) {
                undefined += n;
                return;
            }
            lo = std::min(lo, v);
            hi = std::max(hi, v);
            if (countCodes && std::abs(v) < 9e15) codes[static_cast<long long>(std::trunc(v))] += n;
        };
        return grdecl::scanNumbers(
            block, [&](double v) { take(1, v); }, [&](std::uint64_t n, double v) { take(n, v); });
    };
    // A keyword block is discrete when all its values are whole codes, whether or not they are written with a point.
    const bool blockCodes = entry.keywordBlock && readPropertyValues(text, entry, gridSize).discrete;
    grdecl::ScanSummary scan = scanBlock(entry.keywordBlock ? blockCodes : !fractionAnywhere);
    const bool discrete =
        entry.keywordBlock ? blockCodes : !writtenAsFraction(block.substr(0, std::min(scan.stop, block.size())));
    if (!entry.keywordBlock && discrete && fractionAnywhere) scan = scanBlock(true);
    o.addString("kind", discrete ? "discrete" : "continuous");
    o.addInteger("count", static_cast<long long>(scan.values));
    const bool someValue = scan.values > undefined;
    o.addNumber("min", someValue ? std::optional<double>(lo) : std::nullopt);
    o.addNumber("max", someValue ? std::optional<double>(hi) : std::nullopt);
    o.addInteger("undefined", static_cast<long long>(undefined));
    if (!discrete)
        o.addString("scale", startsOnLogScale(PropertyKind::Unset, entry.name) ||
                                     (!entry.keyword.empty() && startsOnLogScale(PropertyKind::Unset, entry.keyword))
                                 ? "log"
                                 : "linear");
    if (discrete) {
        std::string json = "{";
        for (const auto& [code, cells] : codes) {
            if (json.size() > 1) json += ", ";
            json += '"';
            json += std::to_string(code);
            json += "\": ";
            json += std::to_string(cells);
        }
        json += '}';
        o.addJson("codes", std::move(json));
        // The names the comment lines beside the block give its codes, as the import reads them.
        const CodeNameTable names = codeNamesNearBlock(text, entry);
        if (!names.names.empty()) {
            std::string named = "{";
            for (const auto& [code, name] : names.names) {
                if (named.size() > 1) named += ", ";
                named += jsonString(std::to_string(code)) + ": " + jsonString(name);
            }
            named += '}';
            o.addJson("codeNames", std::move(named));
        }
    }
    if (scan.end == grdecl::ScanEnd::NotANumber) {
        const std::size_t end = block.find_first_of(" \t\r\n", scan.stop);
        std::string problem = "not a number: \"";
        problem += block.substr(scan.stop, end - scan.stop);
        problem += '"';
        o.addString("problem", problem);
    } else if (scan.end == grdecl::ScanEnd::TooMany) {
        o.addString("problem", "more values than one property may hold");
    }
    return o;
}

}  // namespace

bool readTextFile(const std::string& path, std::string& text, std::string* why)
{
    FileText bytes;
    FileProblem problem = FileProblem::None;
    if (!readWholeFile(path, bytes, false, &problem)) {
        if (why) *why = fileProblemText(problem, path).en;
        return false;
    }
    text = decodeUserText(bytes.view());
    return true;
}

bool gridCells(const std::string& path, int& cells, std::string& why, GridExtent* extent)
{
    auto state = std::make_unique<ModelState>();
    GridReadResult read = readGridFile(path);
    if (read.outcome == GridReadOutcome::Read) state->document.grid.input = std::move(read.grid);
    if (read.outcome != GridReadOutcome::Read) {
        why = read.message.empty() ? "it is not a grid file" : read.message.en;
        return false;
    }
    const GridBuildReport built = buildGrid(*state);
    if (!built.built()) {
        why = built.message;
        return false;
    }
    cells = state->document.grid.cellCount;
    if (extent) *extent = state->document.grid.extent;
    return true;
}

bool isPropertyText(std::string_view text) { return text.find(property_texts::Marker) != npos; }

namespace {

// One object per block of values left out: its keyword, line and the import's message about it.
void addDropped(std::vector<JsonObject>& list, const std::vector<DroppedBlock>& dropped, int gridSize,
                std::string_view fileName, std::string_view lang)
{
    for (const DroppedBlock& block : dropped) {
        JsonObject o;
        o.addString("name", block.keyword);
        o.addInteger("line", block.line);
        o.addString("conformity", "dropped");
        o.addString("message", droppedBlockLine(block, gridSize, fileName, lang).text);
        list.push_back(std::move(o));
    }
}

}  // namespace

PropertyList propertyInfo(std::string_view text, std::string_view fileName)
{
    PropertyList list;
    std::vector<DroppedBlock> dropped;
    for (const PropertyEntry& entry : splitPropertyText(text, &dropped)) {
        list.objects.push_back(describe(text, entry));
        ++list.properties;
    }
    addDropped(list.objects, dropped, 0, fileName, "en");
    return list;
}

PropertyList propertyInfo(std::string_view text, int gridSize, std::string_view fileName, std::string_view lang)
{
    PropertyList list;
    PropertySet loaded;  // what the import would add to; only the outcome is reported
    std::vector<DroppedBlock> dropped;
    for (const PropertyEntry& entry : propertyEntries(text, gridSize, &dropped)) {
        JsonObject o = describe(text, entry, gridSize);
        PropertyReport report = loadProperty(text, entry, PropertyKind::Unset, gridSize, lang, loaded, {}, fileName);
        std::vector<std::string> messages;
        for (const PropertyReportLine& line : report.lines)
            if (line.kind == PropertyReportLine::Kind::Log) messages.push_back(line.text);
        if (report.accepted) {
            loaded.add(std::move(report.property));
            ++list.accepted;
        }
        o.addString("conformity", report.accepted ? "accepted" : "rejected");
        o.addString("message", report.messageBox ? report.messageBox->text : std::string());
        o.addStringList("messages", messages);
        list.objects.push_back(std::move(o));
        ++list.properties;
    }
    addDropped(list.objects, dropped, gridSize, fileName, lang);
    return list;
}

std::string jsonArray(const std::vector<JsonObject>& objects)
{
    std::string out = "[";
    for (std::size_t i = 0; i < objects.size(); ++i) {
        if (i > 0) out += ",\n ";
        out += objects[i].text();
    }
    return out + "]";
}

}  // namespace morvane::info
