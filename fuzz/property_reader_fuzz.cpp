// Fuzzes the property reader with arbitrary text: splitting at marker lines, the keyword blocks of files without
// them, each block's values, and the append with a mask of active cells. Grid sizes are small, so repeat counts
// larger than them are counted, never expanded.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <numeric>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_state.h"
#include "io/property_reader.h"

namespace {

using namespace morvane;

void checkEntry(std::string_view text, const PropertyEntry& e)
{
    FUZZ_CHECK(e.valuesBegin <= e.valuesEnd && e.valuesEnd <= text.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2) return 0;
    // The first byte chooses the grid's cell count, the second the active cells; the rest is the file.
    const int cells = 1 + data[0] % 64;
    const std::uint8_t pattern = data[1];
    const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);
    std::vector<std::uint8_t> active(static_cast<std::size_t>(cells));
    for (std::size_t n = 0; n < active.size(); ++n) active[n] = (pattern >> (n % 8)) & 1;

    std::vector<PropertyEntry> entries = splitPropertyText(text);
    for (const PropertyEntry& e : entries) checkEntry(text, e);
    const std::vector<PropertyEntry> keywords = splitKeywordProperties(text, static_cast<std::size_t>(cells));
    for (const PropertyEntry& e : keywords) {
        checkEntry(text, e);
        FUZZ_CHECK(e.keywordBlock && !e.name.empty());
        // A block the split counted as one value per cell reads as exactly that.
        const PropertyValues read = readPropertyValues(text, e, cells);
        FUZZ_CHECK(read.conforms);
        if (read.discrete) FUZZ_CHECK(read.codes.size() == std::size_t(cells));
    }
    if (entries.empty()) entries = keywords;

    Properties& p = fuzz::freshState();
    for (const PropertyEntry& e : entries) {
        const std::size_t before = p.PROP_type.size();
        const PropertyReport r = loadProperty(text, e, 0, cells, "en", p, active);
        if (!r.accepted) {
            FUZZ_CHECK(p.PROP_type.size() == before);
            continue;
        }
        FUZZ_CHECK(p.PROP_type.size() == before + 1);
        FUZZ_CHECK(p.PROP_min_value.back() <= p.PROP_max_value.back());
        if (r.discrete) {
            const auto& shares = p.PROP_disc_codes_perc.back();
            FUZZ_CHECK(std::is_sorted(p.PROP_disc_codes.back().begin(), p.PROP_disc_codes.back().end()));
            if (!shares.empty()) {
                const float total = std::accumulate(shares.begin(), shares.end(), 0.0f);
                FUZZ_CHECK(total > 99.9f && total < 100.1f);
            }
        }
    }
    return 0;
}
