#include "io/property_reader.h"

#include <algorithm>
#include <atomic>
#include <array>
#include <charconv>
#include <climits>
#include <cmath>
#include <utility>

#include "io/grdecl_scan.h"
#include "io/parallel_scan.h"

namespace morvane {
namespace {

constexpr std::size_t npos = std::string_view::npos;
namespace texts = property_texts;
using Line = PropertyReportLine;

// The end of the line starting at `pos` (its "\n", or the end of the text).
std::size_t lineEnd(std::string_view text, std::size_t pos)
{
    const std::size_t end = text.find('\n', pos);
    return end == npos ? text.size() : end;
}

// True for a line whose first word can start a value block: a number, or the "/" of an empty block. Blank lines,
// "--" comments and keyword lines (a word starting with a letter, such as PORO or IRR.GASSATURATION) are not.
bool startsValues(std::string_view line)
{
    std::size_t i = 0;
    while (i < line.size() && grdecl::detail::isSpace(line[i])) ++i;
    if (i == line.size()) return false;
    const char c = line[i];
    if (c == '-' && i + 1 < line.size() && line[i + 1] == '-') return false;
    return grdecl::detail::isDigit(c) || c == '+' || c == '-' || c == '.' || c == '/';
}

std::string formatNumber(double value)
{
    char buf[64];
    const auto result = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, result.ptr);
}

// Whole part of a discrete value as a code, or nothing when it does not fit an int (or is kUndefinedCode).
std::optional<int> toCode(double value)
{
    const double whole = std::trunc(value);
    if (!(whole > static_cast<double>(kUndefinedCode) && whole <= static_cast<double>(INT_MAX))) return std::nullopt;
    return static_cast<int>(whole);
}

}  // namespace

std::vector<PropertyEntry> splitPropertyText(std::string_view text)
{
    std::vector<std::size_t> markers;
    for (std::size_t pos = text.find(texts::Marker); pos != npos; pos = text.find(texts::Marker, pos + 1)) {
        markers.push_back(pos);
    }
    std::vector<PropertyEntry> entries;
    entries.reserve(markers.size());
    for (std::size_t m = 0; m < markers.size(); ++m) {
        const std::size_t nameBegin = markers[m] + texts::Marker.size();
        const std::size_t nameEnd = lineEnd(text, nameBegin);
        std::string_view name = text.substr(nameBegin, nameEnd - nameBegin);
        if (!name.empty() && name.back() == '\r') name.remove_suffix(1);

        // The values end where the next marker's line begins, so a property never takes another one's values.
        std::size_t bound = text.size();
        if (m + 1 < markers.size()) {
            const std::size_t lineBreak = text.rfind('\n', markers[m + 1]);
            bound = lineBreak == npos || lineBreak < nameEnd ? markers[m + 1] : lineBreak + 1;
        }
        std::size_t begin = std::min(nameEnd + 1, bound);
        while (begin < bound) {
            const std::size_t end = std::min(lineEnd(text, begin), bound);
            if (startsValues(text.substr(begin, end - begin))) break;
            begin = std::min(end + 1, bound);
        }
        entries.push_back({std::string(name), begin, bound});
    }
    return entries;
}

std::vector<PropertyEntry> splitKeywordProperties(std::string_view text, std::size_t cells)
{
    std::vector<PropertyEntry> entries;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::string_view keyword = grdecl::keywordAtLineStart(text, pos);
        if (keyword.empty()) {
            pos = lineEnd(text, pos) + 1;
            continue;
        }
        const std::size_t body = static_cast<std::size_t>(keyword.data() - text.data()) + keyword.size();
        const std::size_t slash = grdecl::sectionEnd(text, body);
        const std::size_t end = slash == npos ? text.size() : slash + 1;
        if (!grdecl::isGridKeyword(keyword) && cells > 0) {
            // Counted without reading the numbers: each word is one value, n*v is n; a word that is no number
            // makes the block something other than a property.
            std::size_t count = 0;
            bool numbers = true;
            const auto summary = grdecl::scanNumbers(
                text.substr(body, end - body), [&](double) { ++count; }, [&](std::uint64_t n, double) { count += n; },
                cells + 1);
            numbers = summary.end != grdecl::ScanEnd::NotANumber;
            if (numbers && summary.end != grdecl::ScanEnd::TooMany && count == cells)
                entries.push_back({std::string(keyword), body, end, true});
        }
        pos = end;
    }
    return entries;
}

std::vector<PropertyEntry> propertyEntries(std::string_view text, int cells)
{
    std::vector<PropertyEntry> entries = splitPropertyText(text);
    if (entries.empty()) entries = splitKeywordProperties(text, static_cast<std::size_t>(std::max(cells, 0)));
    return entries;
}

PropertyValues readPropertyValues(std::string_view text, const PropertyEntry& entry, int gridSize, bool discreteType)
{
    PropertyValues read;
    const std::size_t begin = std::min(entry.valuesBegin, text.size());
    const std::size_t end = std::clamp(entry.valuesEnd, begin, text.size());
    const std::string_view block = text.substr(begin, end - begin);
    const std::size_t limit = gridSize > 0 ? static_cast<std::size_t>(gridSize) : 0;
    auto pointBefore = [&](std::size_t stop) { return block.substr(0, stop).find('.') != npos; };

    // Codes go straight into ints (a run of n codes is one fill) when the user's type asks for codes or no value
    // before the first "/" has a decimal point; a property that fits holds exactly one value per cell, so that is
    // what is reserved, however short its runs make the text. Long blocks are scanned on both cores, so the code of
    // a value depends on the value alone; the first code out of range is looked up again only when there is one.
    grdecl::ScanSummary scan;
    std::optional<double> outOfRange;
    // Keyword blocks are read as numbers first: their whole values may be codes or a property of values.
    bool asCodes = discreteType || (!entry.keywordBlock && !pointBefore(block.find('/')));
    if (asCodes) {
        read.codes.reserve(limit);
        auto notWhole = [&](double v) { return discreteType && std::isfinite(v) && v != std::trunc(v); };
        std::atomic<bool> someOutOfRange{false};
        auto codeOf = [&](double v) {
            if (notWhole(v)) return kUndefinedCode;
            const auto code = toCode(v);
            if (!code) someOutOfRange.store(true, std::memory_order_relaxed);
            return code.value_or(0);
        };
        scan = grdecl::scanConverted(block, read.codes, codeOf, limit);
        if (discreteType)
            read.notWhole = static_cast<std::size_t>(std::count(read.codes.begin(), read.codes.end(), kUndefinedCode));
        if (someOutOfRange) {
            auto first = [&](double v) {
                if (!outOfRange && !notWhole(v) && !toCode(v)) outOfRange = v;
            };
            grdecl::scanNumbers(block, first, [&](std::uint64_t, double v) { first(v); }, limit);
        }
        // A "/" inside a comment can hide a decimal point further on: then the values are read again as numbers.
        if (!discreteType && pointBefore(scan.stop)) {
            asCodes = false;
            read.codes = {};
            outOfRange.reset();
        }
    }
    if (!asCodes) {
        read.values.reserve(limit);
        scan = grdecl::scanConverted(block, read.values, [](double v) { return v; }, limit);
    }
    read.count = scan.values;
    // A keyword block (no marker line) is discrete when every value is a whole number that fits a code.
    read.discrete = asCodes || (entry.keywordBlock ? std::all_of(read.values.begin(), read.values.end(),
                                                                  [](double v) { return v == std::trunc(v) && toCode(v); })
                                                   : !pointBefore(scan.stop));

    switch (scan.end) {
    case grdecl::ScanEnd::TooMany: {
        // Count the rest without keeping anything, for the trace; the bound keeps even 4000000000*1 cheap.
        read.tooMany = true;
        read.values = {};
        read.codes = {};
        const auto all = grdecl::scanNumbers(
            block, [](double) {}, [](std::uint64_t, double) {});
        read.countBeyondBound = all.end == grdecl::ScanEnd::TooMany;
        read.count = read.countBeyondBound ? grdecl::kMaxSectionValues : std::max(all.values, limit + 1);
        read.discrete = discreteType || !pointBefore(all.stop);
        return read;
    }
    case grdecl::ScanEnd::NotANumber: {
        const std::size_t wordEnd = std::min(lineEnd(block, scan.stop), block.find_first_of(" \t\r", scan.stop));
        read.problem = "not a number: \"" + std::string(block.substr(scan.stop, wordEnd - scan.stop)) + "\"";
        break;
    }
    case grdecl::ScanEnd::Terminator:
    case grdecl::ScanEnd::EndOfText:
        break;
    }

    if (read.discrete && !asCodes && read.problem.empty()) {
        // Whole numbers read as numbers (their block holds a point only where the scan did not reach).
        read.codes.reserve(read.values.size());
        for (double v : read.values) {
            const auto code = toCode(v);
            if (!code && !outOfRange) outOfRange = v;
            read.codes.push_back(code.value_or(0));
        }
        read.values = {};
    }
    if (outOfRange && read.problem.empty()) read.problem = "code out of range: " + formatNumber(*outOfRange);
    if (!read.problem.empty()) read.codes = {};
    read.conforms = read.problem.empty() && gridSize > 0 && read.count == limit;
    return read;
}

PropertyReport loadProperty(std::string_view text, const PropertyEntry& entry, PropertyKind kind, int gridSize,
                            std::string_view lang, const PropertySet& loaded, const std::vector<std::uint8_t>& active)
{
    PropertyReport report;
    const int typeCode = static_cast<int>(kind);
    auto status = [&](const char* line) { report.lines.push_back({Line::Kind::Status, line}); };
    auto trace = [&](std::string line) { report.lines.push_back({Line::Kind::Trace, std::move(line)}); };

    trace(texts::TraceType + std::to_string(typeCode));
    status(texts::CheckingKind);
    PropertyValues read = readPropertyValues(text, entry, gridSize, isCodeKind(kind));
    report.discrete = read.discrete;
    trace(read.discrete ? texts::TraceDiscrete : texts::TraceContinuous);

    status(texts::CheckingConformity);
    trace(std::string(texts::TracePropSize) + (read.countBeyondBound ? "more than " : "") + std::to_string(read.count));
    trace(texts::TraceGridSize + std::to_string(gridSize));
    if (!read.conforms) {
        if (!read.problem.empty()) trace("Property " + entry.name + ": " + read.problem);
        const bool russian = lang == "ru";
        // The counts that let the user find the wrong file: values found against the grid's cells.
        const std::string found = (read.countBeyondBound ? "> " : "") + std::to_string(read.count);
        const std::string cells = std::to_string(gridSize);
        const std::string counts =
            russian ? entry.name + ": " + found + " значений, в гриде " + cells + " ячеек."
                    : entry.name + ": " + found + " values, the grid has " + cells + " cells.";
        report.messageBox = PropertyMessageBox{russian ? texts::CaptionRu : texts::CaptionEn,
                                               std::string(russian ? texts::MismatchRu : texts::MismatchEn) + "\n\n" +
                                                   counts};
        report.lines.push_back({Line::Kind::Log, std::string(texts::MismatchLog) + ". " + entry.name + ": " + found +
                                                     " values, the grid has " + cells + " cells.",
                                log_colour::Red});
        status(texts::AllGood);
        return report;
    }

    const bool discrete = read.discrete;
    const std::size_t notWhole = read.notWhole;
    const std::string name = loaded.uniqueName(entry.name);
    report.property = discrete ? makeDiscreteProperty(name, kind, std::move(read.codes), active)
                               : makeContinuousProperty(name, kind, std::move(read.values), active);
    for (std::size_t i = 0; i < report.property.distinctCodes.size(); ++i) {
        report.lines.push_back({Line::Kind::Trace, "code = " + std::to_string(report.property.distinctCodes[i]) +
                                                       ", freq = " +
                                                       formatNumber(static_cast<double>(report.property.codePercent[i]))});
    }
    if (name != entry.name) {
        report.lines.push_back(
            {Line::Kind::Log, "A property named " + entry.name + " is already loaded: this one is named " + name,
             log_colour::Black});
    }
    if (notWhole > 0) {
        report.lines.push_back({Line::Kind::Log,
                                name + ": " + std::to_string(notWhole) +
                                    (notWhole == 1 ? " cell holds a value that is not a whole code; it is"
                                                   : " cells hold values that are not whole codes; they are") +
                                    " drawn as undefined",
                                log_colour::Black});
    }
    status(discrete ? texts::CalculatingRange : texts::CheckingConformity);
    report.accepted = true;
    status(texts::Rendering);
    return report;
}

PropertyReport notPropertyFileReport(std::string_view lang, const std::string& fileName)
{
    PropertyReport report;
    report.messageBox = lang == "ru" ? PropertyMessageBox{texts::CaptionRu, texts::NotPropertyFileBox}
                                     : PropertyMessageBox{texts::CaptionEn, texts::NotPropertyFileBoxEn};
    report.lines.push_back(
        {Line::Kind::Log, fileName.empty() ? texts::NotPropertyFileLog : texts::NotPropertyFileLog + (": " + fileName),
         log_colour::Red});
    report.lines.push_back({Line::Kind::Status, texts::AllGood});
    return report;
}

void deliverPropertyReport(const PropertyReport& report, Feedback& feedback)
{
    deliverReportLines(report.lines, feedback);
}

void deliverReportLines(const std::vector<PropertyReportLine>& lines, Feedback& feedback)
{
    for (const PropertyReportLine& line : lines) {
        switch (line.kind) {
        case Line::Kind::Status:
            feedback.setStatus(line.text);
            break;
        case Line::Kind::Trace:
            feedback.trace(line.text);
            break;
        case Line::Kind::Log:
            feedback.appendLog(line.text, line.colour);
            break;
        }
    }
}

}  // namespace morvane
