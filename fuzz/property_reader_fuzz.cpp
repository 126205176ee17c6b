// Fuzzes the property reader as the import runs it: decode the text, split it at its marker lines (or, without
// them, into keyword blocks of one value per cell), then read, check and append every property against a small grid
// with a fuzzed type code and a fuzzed mask of active cells. Whatever the text, the property
// lists stay aligned, an accepted property holds exactly one value per cell, codes are ascending and distinct, shares
// add up to at most 100 and every loaded name is unique. Each property is also read with its value block cut into
// pieces of a few bytes (on two threads for some inputs) and must read exactly as in one go.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "io/parallel_scan.h"
#include "io/property_reader.h"
#include "io/text_codec.h"

namespace {

using namespace morvane;

Properties withPlaceholder(int cells)
{
    Properties p;
    p.PROP_cont_loading.push_back(std::vector<double>(static_cast<std::size_t>(cells), -999.99));
    p.PROP_cont_loading_name.push_back("grid");
    p.PROP_max_value = p.PROP_min_value = p.PROP_max_value_color = p.PROP_min_value_color = {-999.99};
    p.PROP_type = {10};
    return p;
}

void checkAligned(const Properties& p)
{
    const std::size_t entries = p.PROP_type.size();
    FUZZ_CHECK(p.PROP_max_value.size() == entries && p.PROP_min_value.size() == entries);
    FUZZ_CHECK(p.PROP_max_value_color.size() == entries && p.PROP_min_value_color.size() == entries);
    FUZZ_CHECK(p.propertyNameAll.size() + 1 == entries);
    FUZZ_CHECK(p.PROP_disc_loading.size() == p.PROP_disc_loading_name.size());
    FUZZ_CHECK(p.PROP_cont_loading.size() == p.PROP_cont_loading_name.size());
    FUZZ_CHECK(p.PROP_disc_codes.size() == p.PROP_disc_loading.size());
    FUZZ_CHECK(p.PROP_disc_codes_perc.size() == p.PROP_disc_loading.size());
    FUZZ_CHECK(p.PROP_disc_loading.size() + p.PROP_cont_loading.size() == entries);
    const std::set<std::string> names(p.propertyNameAll.begin(), p.propertyNameAll.end());
    FUZZ_CHECK(names.size() == p.propertyNameAll.size());
}

void checkAccepted(const Properties& p, const PropertyReport& report, std::size_t cells)
{
    FUZZ_CHECK(report.perKindIndex >= 1);
    const std::size_t at = static_cast<std::size_t>(report.perKindIndex) - 1;
    if (!report.discrete) {
        FUZZ_CHECK(at < p.PROP_cont_loading.size() && p.PROP_cont_loading[at].size() == cells);
        FUZZ_CHECK(p.PROP_min_value.back() <= p.PROP_max_value.back());
        return;
    }
    FUZZ_CHECK(at < p.PROP_disc_loading.size() && p.PROP_disc_loading[at].size() == cells);
    const auto& codes = p.PROP_disc_codes[at];
    const auto& shares = p.PROP_disc_codes_perc[at];
    FUZZ_CHECK(codes.size() == shares.size());
    FUZZ_CHECK(std::adjacent_find(codes.begin(), codes.end(), std::greater_equal<int>()) == codes.end());
    FUZZ_CHECK(std::find(codes.begin(), codes.end(), UNDEFINED_CODE) == codes.end());
    double total = 0;
    for (float share : shares) {
        FUZZ_CHECK(share > 0.0f);
        total += share;
    }
    FUZZ_CHECK(total <= 100.001);
    if (!codes.empty()) {
        FUZZ_CHECK(p.PROP_min_value.back() == codes.front());
        FUZZ_CHECK(p.PROP_max_value.back() == codes.back());
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

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2) return 0;
    // The first byte sizes the grid (1 to 64 cells), the second seeds the type codes (0 to 10) and the active cells.
    const int cells = 1 + data[0] % 64;
    unsigned typeSeed = data[1];
    std::vector<std::uint8_t> active(static_cast<std::size_t>(cells));
    for (std::size_t n = 0; n < active.size(); ++n) active[n] = ((data[1] ^ 0x5a) >> (n % 8)) & 1;
    const std::string text = decodeUserText(std::string_view(reinterpret_cast<const char*>(data + 2), size - 2));

    std::vector<PropertyEntry> entries = splitPropertyText(text);
    const std::vector<PropertyEntry> keywords = splitKeywordProperties(text, static_cast<std::size_t>(cells));
    for (const PropertyEntry& e : keywords) {
        FUZZ_CHECK(e.valuesBegin <= e.valuesEnd && e.valuesEnd <= text.size());
        FUZZ_CHECK(e.keywordBlock && !e.name.empty());
        // A block the split counted as one value per cell reads as exactly that.
        const PropertyValues read = readPropertyValues(text, e, cells);
        FUZZ_CHECK(read.conforms);
        if (read.discrete) FUZZ_CHECK(read.codes.size() == std::size_t(cells));
    }
    if (entries.empty()) entries = keywords;

    Properties p = withPlaceholder(cells);
    for (const PropertyEntry& entry : entries) {
        FUZZ_CHECK(entry.valuesBegin <= entry.valuesEnd && entry.valuesEnd <= text.size());
        const int type = static_cast<int>(typeSeed % 11);
        typeSeed = typeSeed / 11 + 7 * type + 3;
        checkPieces(text, entry, cells, isDiscreteType(type), size);
        const std::size_t before = p.PROP_type.size();
        const PropertyReport report = loadProperty(text, entry, type, cells, type % 2 ? "ru" : "en", p, active);
        checkAligned(p);
        if (report.accepted) {
            FUZZ_CHECK(p.PROP_type.size() == before + 1);
            FUZZ_CHECK(!report.messageBox);
            checkAccepted(p, report, static_cast<std::size_t>(cells));
        } else {
            FUZZ_CHECK(p.PROP_type.size() == before);
            FUZZ_CHECK(report.messageBox.has_value());
        }
    }
    return 0;
}
