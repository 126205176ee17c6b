// Fuzzes the property reader as the import runs it: decode the text, split it at its marker lines (or, without
// them, into keyword blocks of one value per cell), then read, check and add every property against a small grid
// with a fuzzed kind and a fuzzed mask of active cells. Whatever the text, an accepted property holds exactly one
// value per cell, codes are ascending and distinct, shares add up to at most 100 and every loaded name is unique.
// Each property is also read with its value block cut into pieces of a few bytes (on two threads for some inputs)
// and must read exactly as in one go. The same text is read for code names, near each block and as a companion
// file: every name is a trimmed non-empty line part, every warning names the file and a line of the text.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "io/code_names.h"
#include "io/parallel_scan.h"
#include "io/property_reader.h"
#include "io/text_codec.h"

namespace {

using namespace morvane;

// Every property known by a name of its own.
void checkNames(const PropertySet& p)
{
    std::set<std::string> names;
    for (const Property& property : p.items) names.insert(property.name);
    FUZZ_CHECK(names.size() == p.items.size());
}

// An accepted property holds one value (or code) per cell, and its range and shares fit its values.
void checkAccepted(const Property& p, std::size_t cells)
{
    FUZZ_CHECK(p.kind != PropertyKind::Unset);
    if (!p.discrete) {
        FUZZ_CHECK(p.values.size() == cells && p.codes.empty());
        FUZZ_CHECK(!(p.min > p.max));
        return;
    }
    FUZZ_CHECK(p.codes.size() == cells && p.values.empty());
    const auto& codes = p.distinctCodes;
    const auto& shares = p.codePercent;
    FUZZ_CHECK(codes.size() == shares.size());
    FUZZ_CHECK(std::adjacent_find(codes.begin(), codes.end(), std::greater_equal<int>()) == codes.end());
    FUZZ_CHECK(std::find(codes.begin(), codes.end(), kUndefinedCode) == codes.end());
    double total = 0;
    for (float share : shares) {
        FUZZ_CHECK(share > 0.0f);
        total += share;
    }
    FUZZ_CHECK(total <= 100.001);
    if (!codes.empty()) {
        FUZZ_CHECK(p.min == codes.front());
        FUZZ_CHECK(p.max == codes.back());
    }
}

// The values of `entry` read in one go and in pieces are the same, as are every count and judgement.
void checkPieces(std::string_view text, const PropertyEntry& entry, int cells, bool discreteType, std::size_t size)
{
    grdecl::setPieceRule({std::size_t(-1), 1, 1});
    const PropertyValues whole = readPropertyValues(text, entry, cells, discreteType);
    grdecl::setPieceRule({0, size / (1 + size % 7) + 1 + size % 5, size % 64 == 0 ? 2u : 1u});
    const PropertyValues pieces = readPropertyValues(text, entry, cells, discreteType);
    FUZZ_CHECK(pieces.discrete == whole.discrete && pieces.count == whole.count && pieces.notWhole == whole.notWhole);
    FUZZ_CHECK(pieces.tooMany == whole.tooMany && pieces.countBeyondBound == whole.countBeyondBound);
    FUZZ_CHECK(pieces.problem == whole.problem && pieces.conforms == whole.conforms);
    FUZZ_CHECK(pieces.codes == whole.codes && pieces.values.size() == whole.values.size());
    for (std::size_t n = 0; n < whole.values.size(); ++n)
        FUZZ_CHECK(std::memcmp(&pieces.values[n], &whole.values[n], sizeof(double)) == 0);
}

}  // namespace

void checkCodeNames(const CodeNameTable& table, int lineCount, bool file)
{
    for (const auto& [code, name] : table.names) {
        FUZZ_CHECK(!name.empty() && name.front() != ' ' && name.back() != ' ' && name.find('\n') == std::string::npos);
        int readCode = 0;
        std::string readName;
        FUZZ_CHECK(readCodeNameRow(std::to_string(code) + " " + name, readCode, readName) && readCode == code);
    }
    if (!file) FUZZ_CHECK(table.warnings.empty());
    for (const LocalMessage& warning : table.warnings) {
        FUZZ_CHECK(warning.en.rfind("fuzz.txt, line ", 0) == 0);
        FUZZ_CHECK(std::atoi(warning.en.c_str() + 15) >= 1 && std::atoi(warning.en.c_str() + 15) <= lineCount);
    }
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2) return 0;
    // The first byte sizes the grid (1 to 64 cells), the second seeds the type codes (0 to 10) and the active cells.
    const int cells = 1 + data[0] % 64;
    unsigned typeSeed = data[1];
    std::vector<std::uint8_t> active(static_cast<std::size_t>(cells));
    for (std::size_t n = 0; n < active.size(); ++n) active[n] = ((data[1] ^ 0x5a) >> (n % 8)) & 1;
    const std::string text = decodeUserText(std::string_view(reinterpret_cast<const char*>(data + 2), size - 2));

    std::vector<DroppedBlock> unmarked, blocks;
    std::vector<PropertyEntry> entries = splitPropertyText(text, &unmarked);
    const std::vector<PropertyEntry> keywords = splitKeywordProperties(text, static_cast<std::size_t>(cells), &blocks);
    // The split is the same whether or not it says what it leaves out.
    FUZZ_CHECK(splitPropertyText(text).size() == entries.size());
    FUZZ_CHECK(splitKeywordProperties(text, static_cast<std::size_t>(cells)).size() == keywords.size());
    const auto lineCount = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
    for (const std::vector<DroppedBlock>* dropped : {&unmarked, &blocks})
        for (const DroppedBlock& d : *dropped) {
            FUZZ_CHECK(d.line >= 1 && d.line <= lineCount && d.wordLine <= lineCount);
            FUZZ_CHECK(!droppedBlockLine(d, cells, "fuzz.GRDECL", "ru").text.empty());
        }
    for (const PropertyEntry& e : entries)
        FUZZ_CHECK(e.line >= 1 && e.line <= e.valuesLine && e.valuesLine <= lineCount);
    for (const PropertyEntry& e : keywords) {
        FUZZ_CHECK(e.valuesBegin <= e.valuesEnd && e.valuesEnd <= text.size());
        FUZZ_CHECK(e.keywordBlock && !e.name.empty());
        // A block the split counted as one value per cell reads as exactly that.
        const PropertyValues read = readPropertyValues(text, e, cells);
        FUZZ_CHECK(read.conforms);
        if (read.discrete) FUZZ_CHECK(read.codes.size() == std::size_t(cells));
    }
    if (entries.empty()) entries = keywords;
    checkCodeNames(codeNamesNearBlock(text, entries.empty() ? PropertyEntry{} : entries.front()), lineCount, false);
    checkCodeNames(readCodeNameFile(text, "fuzz.txt"), lineCount, true);

    PropertySet p;
    for (const PropertyEntry& entry : entries) {
        FUZZ_CHECK(entry.valuesBegin <= entry.valuesEnd && entry.valuesEnd <= text.size());
        const int type = static_cast<int>(typeSeed % 11);
        typeSeed = typeSeed / 11 + 7 * type + 3;
        const PropertyKind kind = propertyKindOf(type);
        checkPieces(text, entry, cells, isCodeKind(kind), size);
        PropertyReport report =
            loadProperty(text, entry, kind, cells, type % 2 ? "ru" : "en", p, active, type % 3 ? "fuzz.GRDECL" : "");
        if (report.accepted) {
            FUZZ_CHECK(!report.messageBox);
            checkAccepted(report.property, static_cast<std::size_t>(cells));
            FUZZ_CHECK(p.find(report.property.name) == nullptr);  // a name of its own
            p.add(std::move(report.property));
            checkNames(p);
        } else {
            FUZZ_CHECK(report.messageBox.has_value());
            FUZZ_CHECK(report.property.values.empty() && report.property.codes.empty());
        }
    }
    return 0;
}
