#include "io/property_reader.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <charconv>
#include <climits>
#include <cmath>
#include <utility>

#include "io/grdecl_deck.h"
#include "io/grdecl_scan.h"
#include "io/parallel_scan.h"
#include "io/property_text.h"

namespace morvane {
namespace {

using namespace property_text;

constexpr std::size_t npos = std::string_view::npos;
namespace texts = property_texts;
using Line = PropertyReportLine;

std::string formatNumber(double value)
{
    char buf[64];
    const auto result = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, result.ptr);
}

// The codes just above kUndefinedCode stand for the markers of no value while the values are read (markerCode),
// so no value read is taken for one of them.
constexpr int kMarkerCodes = 64;
constexpr int markerCode(int marker) { return kUndefinedCode + 1 + marker; }

// Whole part of a discrete value as a code, or nothing when it does not fit an int (or is kUndefinedCode or one of
// the marker codes).
std::optional<int> toCode(double value)
{
    const double whole = std::trunc(value);
    if (!(whole > static_cast<double>(kUndefinedCode) + kMarkerCodes && whole <= static_cast<double>(INT_MAX)))
        return std::nullopt;
    return static_cast<int>(whole);
}

// Every marker code turned into kUndefinedCode, counted per marker.
void countMarkerCodes(std::vector<int>& codes, std::vector<std::size_t>& counts)
{
    for (int& c : codes) {
        if (c > kUndefinedCode && c < markerCode(kMarkerCodes)) {
            const auto marker = static_cast<std::size_t>(c - markerCode(0));
            if (marker < counts.size()) ++counts[marker];
            c = kUndefinedCode;
        }
    }
}

// Every marker among `values` turned into kNoValue, counted per marker.
void countMarkerValues(std::vector<double>& values, const UndefinedMarkers& markers, std::vector<std::size_t>& counts)
{
    if (markers.empty()) return;
    for (double& v : values) {
        const int marker = markers.find(v);
        if (marker < 0) continue;
        ++counts[static_cast<std::size_t>(marker)];
        v = kNoValue;
    }
}

}  // namespace

bool writtenAsFraction(std::string_view values)
{
    if (values.find('.') != npos) return true;
    // An exponent: E or D (any case) right after a digit and before a digit or a sign ("5E-1", "25D-2", "1e0").
    for (std::size_t i = 1; i + 1 < values.size(); ++i) {
        const char c = values[i];
        if ((c == 'E' || c == 'e' || c == 'D' || c == 'd') && grdecl::detail::isDigit(values[i - 1]) &&
            (grdecl::detail::isDigit(values[i + 1]) || values[i + 1] == '-' || values[i + 1] == '+'))
            return true;
    }
    return false;
}

PropertyReportLine droppedBlockLine(const DroppedBlock& block, int cells, std::string_view fileName,
                                    std::string_view lang)
{
    using Why = DroppedBlock::Why;
    const std::string line = std::to_string(block.line);
    const std::string file(fileName);
    const std::string where = fillText(texts::Where.in(lang), {block.keyword, file, line});
    std::string text;
    switch (block.why) {
    case Why::WrongCount: {
        const std::string count = block.countBeyond ? fillText(texts::MoreThan.in(lang), {std::to_string(block.count)})
                                                    : std::to_string(block.count);
        text = fillText(texts::DroppedCount.in(lang), {where, count, std::to_string(cells)});
        break;
    }
    case Why::NotANumber:
        text = fillText(texts::DroppedWord.in(lang), {where, block.word, std::to_string(block.wordLine)});
        break;
    case Why::NoSlash:
        text = fillText(texts::DroppedSlash.in(lang), {where, block.word, std::to_string(block.wordLine)});
        break;
    case Why::NoKeyword:
        text = fillText(texts::DroppedNoKeyword.in(lang), {line, file, block.word});
        break;
    case Why::NoMarker:
        text = fillText(texts::DroppedNoMarker.in(lang), {line, file, block.keyword});
        break;
    case Why::Unfinished:
        text = fillText(texts::DroppedUnfinished.in(lang), {where, std::to_string(block.wordLine)});
        break;
    }
    return {PropertyReportLine::Kind::Log, std::move(text), log_colour::Orange};
}

bool holdsFraction(PropertyKind kind, std::string_view keyword, std::string_view name)
{
    if (kind == PropertyKind::Porosity || kind == PropertyKind::NetToGross || kind == PropertyKind::WaterSaturation)
        return true;
    if (kind != PropertyKind::Unset && kind != PropertyKind::Continuous) return false;
    auto upper = [](std::string_view word) {
        std::string out(word);
        while (!out.empty() && (out.back() == ' ' || out.back() == '\t')) out.pop_back();
        for (char& c : out)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        return out;
    };
    static constexpr std::string_view kFractions[] = {"NTG", "SWAT",  "SOIL",  "SGAS",     "SW",  "SO",
                                                      "SG",  "SWL",   "SWCR",  "SWU",      "SGL", "SGCR",
                                                      "SGU", "SOWCR", "SOGCR", "SWATINIT", "SGI"};
    // Russian stems: porosity, net-to-gross (sand share), saturation, in both cases of the first letter.
    static constexpr std::string_view kRussian[] = {"ористост", "есчанистост", "асыщенност"};
    for (const std::string_view word : {keyword, name}) {
        const std::string w = upper(word);
        if (w.rfind("PORO", 0) == 0 || w.find("SATURATION") != std::string::npos ||
            std::find(std::begin(kFractions), std::end(kFractions), w) != std::end(kFractions))
            return true;
        for (const std::string_view stem : kRussian)
            if (word.find(stem) != std::string_view::npos) return true;
    }
    return false;
}

PropertyValues readPropertyValues(std::string_view text, const PropertyEntry& entry, int gridSize, bool discreteType,
                                  const UndefinedMarkers& givenMarkers)
{
    PropertyValues read;
    // More markers than the codes set aside for them are not told apart: the first ones count.
    const UndefinedMarkers markers =
        givenMarkers.values().size() <= kMarkerCodes
            ? givenMarkers
            : UndefinedMarkers(
                  std::vector<double>(givenMarkers.values().begin(), givenMarkers.values().begin() + kMarkerCodes));
    read.markerCounts.assign(markers.values().size(), 0);
    const std::size_t begin = std::min(entry.valuesBegin, text.size());
    const std::size_t end = std::clamp(entry.valuesEnd, begin, text.size());
    const std::string_view block = text.substr(begin, end - begin);
    const std::size_t limit = gridSize > 0 ? static_cast<std::size_t>(gridSize) : 0;
    auto pointBefore = [&](std::size_t stop) {
        return writtenAsFraction(block.substr(0, std::min(stop, block.size())));
    };

    // Codes go straight into ints (a run of n codes is one fill) when the user's type asks for codes or no value
    // before the first "/" has a decimal point or an exponent; a property that fits holds exactly one value per
    // cell, so that is what is reserved, however short its runs make the text. Long blocks are scanned on both
    // cores, so the code of a value depends on the value alone; the first code out of range is looked up again only
    // when there is one.
    grdecl::ScanSummary scan;
    std::optional<double> outOfRange;
    // Keyword blocks are read as numbers first: their whole values may be codes or a property of values.
    bool asCodes = discreteType || (!entry.keywordBlock && !pointBefore(block.find('/')));
    if (asCodes) {
        read.codes.reserve(limit);
        auto notWhole = [&](double v) { return discreteType && std::isfinite(v) && v != std::trunc(v); };
        std::atomic<bool> someOutOfRange{false};
        auto codeOf = [&](double v) {
            if (const int marker = markers.find(v); marker >= 0) return markerCode(marker);
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
                if (!outOfRange && markers.find(v) < 0 && !notWhole(v) && !toCode(v)) outOfRange = v;
            };
            grdecl::scanNumbers(
                block, first, [&](std::uint64_t, double v) { first(v); }, limit);
        }
        // A "/" inside a comment can hide a decimal point or an exponent further on: then the values are read again
        // as numbers.
        if (!discreteType && pointBefore(scan.stop)) {
            asCodes = false;
            read.codes = {};
            outOfRange.reset();
        }
    }
    if (!asCodes) {
        read.values.reserve(limit);
        scan = grdecl::scanConverted(
            block, read.values, [](double v) { return v; }, limit);
    }
    read.count = scan.values;
    if (scan.end != grdecl::ScanEnd::TooMany) {
        if (asCodes)
            countMarkerCodes(read.codes, read.markerCounts);
        else
            countMarkerValues(read.values, markers, read.markerCounts);
    }
    // A keyword block (no marker line) is discrete when every value is a whole number that fits a code.
    read.discrete =
        asCodes ||
        (entry.keywordBlock ? std::all_of(read.values.begin(), read.values.end(),
                                          [](double v) { return isNoValue(v) || (v == std::trunc(v) && toCode(v)); })
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
        read.markerCounts.assign(read.markerCounts.size(), 0);
        read.count = read.countBeyondBound ? grdecl::kMaxSectionValues : std::max(all.values, limit + 1);
        read.discrete = discreteType || !pointBefore(all.stop);
        return read;
    }
    case grdecl::ScanEnd::NotANumber: {
        const std::size_t wordEnd = std::min(lineEnd(block, scan.stop), block.find_first_of(" \t\r", scan.stop));
        read.problemWord = std::string(block.substr(scan.stop, wordEnd - scan.stop));
        read.problem = "not a number: \"" + read.problemWord + "\"";
        read.problemOffset = begin + scan.stop;
        const std::size_t start = lineStartOf(text, read.problemOffset);
        const std::string_view keyword = grdecl::keywordAtLineStart(text, start);
        read.problemIsKeyword =
            !keyword.empty() && static_cast<std::size_t>(keyword.data() - text.data()) == read.problemOffset;
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
            if (isNoValue(v)) {
                read.codes.push_back(kUndefinedCode);
                continue;
            }
            const auto code = toCode(v);
            if (!code && !outOfRange) outOfRange = v;
            read.codes.push_back(code.value_or(0));
        }
        read.values = {};
    }
    if (outOfRange && read.problem.empty()) {
        read.problem = "code out of range: " + formatNumber(*outOfRange);
        read.badCode = outOfRange;
    }
    if (!read.problem.empty()) read.codes = {};
    read.conforms = read.problem.empty() && gridSize > 0 && read.count == limit;
    return read;
}

std::string groupedCount(std::size_t count)
{
    std::string digits = std::to_string(count), grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ' ';
        grouped += digits[i];
    }
    return grouped;
}

PropertyReport loadProperty(std::string_view text, const PropertyEntry& entry, PropertyKind kind, int gridSize,
                            std::string_view lang, const PropertySet& loaded, const std::vector<std::uint8_t>& active,
                            std::string_view fileName, const UndefinedMarkers& givenMarkers)
{
    const UndefinedMarkers markers = givenMarkers.with(declaredMarkers(text, entry.valuesBegin));
    PropertyReport report;
    const int typeCode = static_cast<int>(kind);
    auto status = [&](const char* line) { report.lines.push_back({Line::Kind::Status, line}); };
    auto trace = [&](std::string line) { report.lines.push_back({Line::Kind::Trace, std::move(line)}); };

    trace(texts::TraceType + std::to_string(typeCode));
    status(texts::CheckingKind);
    PropertyValues read = readPropertyValues(text, entry, gridSize, isCodeKind(kind), markers);
    report.discrete = read.discrete;
    trace(read.discrete ? texts::TraceDiscrete : texts::TraceContinuous);

    status(texts::CheckingConformity);
    trace(std::string(texts::TracePropSize) + (read.countBeyondBound ? "more than " : "") + std::to_string(read.count));
    trace(texts::TraceGridSize + std::to_string(gridSize));
    if (!read.conforms) {
        if (!read.problem.empty()) trace("Property " + entry.name + ": " + read.problem);
        const bool russian = lang == "ru";
        // The counts that let the user find the wrong file: values found against the grid's cells; with the file,
        // where the property stands and what stopped the reading, in the interface language.
        const std::string found = (read.countBeyondBound ? "> " : "") + std::to_string(read.count);
        const std::string cells = std::to_string(gridSize);
        auto explained = [&](std::string_view language) {
            const std::string where = fileName.empty()
                                          ? entry.name
                                          : fillText(texts::Where.in(language),
                                                     {shownText(entry.name), fileName, std::to_string(entry.line)});
            std::string said = fillText(texts::ValuesAgainstCells.in(language), {where, found, cells});
            if (fileName.empty()) return said;
            if (!read.problemWord.empty()) {
                const std::string line = std::to_string(
                    entry.valuesLine +
                    std::count(text.begin() + static_cast<std::ptrdiff_t>(std::min(entry.valuesBegin, text.size())),
                               text.begin() + static_cast<std::ptrdiff_t>(std::min(read.problemOffset, text.size())),
                               '\n'));
                said += ' ' + (read.problemIsKeyword
                                   ? fillText(texts::SlashMissing.in(language), {shownText(read.problemWord), line})
                                   : fillText(texts::StoppedAt.in(language), {line, shownText(read.problemWord)}));
            } else if (read.badCode) {
                said += ' ' + fillText(texts::CodeTooLarge.in(language), {formatNumber(*read.badCode)});
            }
            if (entry.markerHoldsValues)
                said += ' ' + fillText(texts::MarkerHoldsValues.in(language), {std::to_string(entry.line)});
            return said;
        };
        report.messageBox = PropertyMessageBox{
            russian ? texts::CaptionRu : texts::CaptionEn,
            std::string(russian ? texts::MismatchRu : texts::MismatchEn) + "\n\n" + explained(russian ? "ru" : "en")};
        report.lines.push_back(
            {Line::Kind::Log, std::string(texts::MismatchLog) + ". " + explained(lang), log_colour::Red});
        status(texts::AllGood);
        return report;
    }

    const bool discrete = read.discrete;
    const std::size_t notWhole = read.notWhole;
    const std::string name = loaded.uniqueName(entry.name);
    report.property = discrete ? makeDiscreteProperty(name, kind, std::move(read.codes), active)
                               : makeContinuousProperty(name, kind, std::move(read.values), active);
    report.property.logScale =
        !discrete && (startsOnLogScale(report.property.kind, entry.name) ||
                      (!entry.keyword.empty() && startsOnLogScale(report.property.kind, entry.keyword)));
    for (std::size_t i = 0; i < report.property.distinctCodes.size(); ++i) {
        report.lines.push_back(
            {Line::Kind::Trace, "code = " + std::to_string(report.property.distinctCodes[i]) +
                                    ", freq = " + formatNumber(static_cast<double>(report.property.codePercent[i]))});
    }
    if (name != entry.name) {
        report.lines.push_back(
            {Line::Kind::Log, fillText(texts::AlreadyLoaded.in(lang), {entry.name, name}), log_colour::Black});
    }
    if (notWhole > 0) {
        report.lines.push_back({Line::Kind::Log,
                                fillText((notWhole == 1 ? texts::NotWholeCode : texts::NotWholeCodes).in(lang),
                                         {name, std::to_string(notWhole)}),
                                log_colour::Black});
    }
    for (std::size_t m = 0; m < read.markerCounts.size(); ++m) {
        const std::size_t cells = read.markerCounts[m];
        if (cells == 0) continue;
        const TextPair& said = cells == 1 ? texts::NoValueCell : texts::NoValueCells;
        std::string count = groupedCount(cells);
        // Russian says "in 21 cell" but "in 22 cells".
        const TextPair& ru = cells % 10 == 1 && cells % 100 != 11 ? texts::NoValueCell : texts::NoValueCells;
        report.lines.push_back(
            {Line::Kind::Log,
             fillText((lang == "ru" ? ru : said).in(lang), {name, count, shortestNumberText(markers.values()[m])}),
             log_colour::Black});
    }
    if (!discrete && holdsFraction(kind, entry.keyword, entry.name)) {
        // Values a fraction cannot hold are kept as read (they may be a placeholder the user knows), and counted.
        const std::vector<double>& values = report.property.values;
        std::size_t outside = 0, counted = 0;
        for (std::size_t c = 0; c < values.size(); ++c) {
            if (active.size() == values.size() && !active[c]) continue;
            if (isNoValue(values[c])) continue;
            ++counted;
            outside += values[c] < 0.0 || values[c] > 1.0 ? 1 : 0;
        }
        if (outside > 0) {
            const std::string where =
                fileName.empty()
                    ? name
                    : fillText(texts::Where.in(lang), {shownText(name), fileName, std::to_string(entry.line)});
            report.lines.push_back({Line::Kind::Log,
                                    fillText(texts::OutsideFraction.in(lang),
                                             {where, std::to_string(outside), std::to_string(counted),
                                              formatNumber(report.property.min), formatNumber(report.property.max)}),
                                    log_colour::Orange});
        }
    }
    status(discrete ? texts::CalculatingRange : texts::CheckingConformity);
    report.accepted = true;
    status(texts::Rendering);
    return report;
}

std::string noPropertyFoundText(std::string_view text, std::string_view fileName, std::string_view lang)
{
    const auto lines = std::count(text.begin(), text.end(), '\n') + (!text.empty() && text.back() != '\n' ? 1 : 0);
    return fillText(texts::NoPropertyFound.in(lang), {fileName, std::to_string(std::max<std::ptrdiff_t>(lines, 1))});
}

PropertyReport notPropertyFileReport(std::string_view lang, const std::string& fileName,
                                     const std::vector<std::string>& reasons)
{
    PropertyReport report;
    report.messageBox = lang == "ru" ? PropertyMessageBox{texts::CaptionRu, texts::NotPropertyFileBox}
                                     : PropertyMessageBox{texts::CaptionEn, texts::NotPropertyFileBoxEn};
    for (std::size_t i = 0; i < reasons.size(); ++i) report.messageBox->text += (i == 0 ? "\n\n" : "\n") + reasons[i];
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
