// Fuzzes the property colouring on a small built grid: properties of fuzzed count and length (some too short),
// values including the undefined marker and non-finite numbers, fuzzed colour limits, kinds (known and not), filter
// and shown property (or none); then a picked code colour and a recolour in place.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_state.h"
#include "scene/grid_geometry.h"
#include "scene/property_colouring.h"
#include "tests/support/scene_grid_fixture.h"

namespace {

using namespace morvane;

double fuzzedValue(FuzzedDataProvider& in)
{
    switch (in.ConsumeIntegralInRange(0, 7)) {
    case 0:
        return UNDEFINED_VALUE;
    case 1:
        return std::numeric_limits<double>::quiet_NaN();
    case 2:
        return in.ConsumeBool() ? std::numeric_limits<double>::infinity() : -1e300;
    case 3:
        return in.ConsumeFloatingPoint<double>();
    default:
        return in.ConsumeFloatingPointInRange(-10.0, 10.0);
    }
}

int fuzzedInt(FuzzedDataProvider& in)
{
    return in.ConsumeIntegralInRange(0, 7) == 0 ? in.ConsumeIntegral<int>() : in.ConsumeIntegralInRange(-2, 12);
}

std::size_t fuzzedLength(FuzzedDataProvider& in, std::size_t cells)
{
    static const int kDelta[] = {0, 0, 0, 0, 1, 5, -1, -100};
    const long long n = static_cast<long long>(cells) + in.PickValueInArray(kDelta);
    return n < 0 ? 0 : static_cast<std::size_t>(n);
}

// Properties of fuzzed kinds and lengths (some too short for the grid), values and codes, limits and code tables.
void fillProperties(FuzzedDataProvider& in, PropertySet& p, std::size_t cells)
{
    const int continuous = in.ConsumeIntegralInRange(0, 3);
    for (int n = 0; n < continuous; ++n) {
        std::vector<double> values(fuzzedLength(in, cells));
        for (double& v : values) v = fuzzedValue(in);
        Property property = makeContinuousProperty("V", propertyKindOf(fuzzedInt(in)), std::move(values));
        property.lowLimit = fuzzedValue(in);
        property.highLimit = fuzzedValue(in);
        property.kind = static_cast<PropertyKind>(fuzzedInt(in));  // also kinds beyond the known ones
        p.items.push_back(std::move(property));
    }
    const int discrete = in.ConsumeIntegralInRange(0, 3);
    for (int n = 0; n < discrete; ++n) {
        std::vector<int> codes(fuzzedLength(in, cells));
        for (int& c : codes) c = fuzzedInt(in);
        Property property = makeDiscreteProperty("C", propertyKindOf(fuzzedInt(in)), std::move(codes));
        property.kind = static_cast<PropertyKind>(fuzzedInt(in));
        p.items.push_back(std::move(property));
    }
    if (in.ConsumeIntegralInRange(0, 7) == 0) {
        auto& table = p.codeColours[static_cast<std::size_t>(in.ConsumeIntegralInRange(0, kPropertyKindCount - 1))];
        table.resize(static_cast<std::size_t>(in.ConsumeIntegralInRange(0, 12)));
    }
}

// After a colouring every layer holds one colour for each cell: three floats for the eight vertices of six floats
// each that the grid keeps for a cell.
void checkColoured(const ModelState& s)
{
    FUZZ_CHECK(s.cells_k.size() == s.document.grid.layerVertices.size());
    const std::size_t cellsPerLayer = static_cast<std::size_t>(s.document.grid.surfaceVertices) / 4;
    for (std::size_t k = 0; k < s.cells_k.size(); ++k) {
        FUZZ_CHECK(s.cells_k[k].size() == 3 * cellsPerLayer);
        FUZZ_CHECK(s.cells_k[k].size() * 16 == s.document.grid.layerVertices[k].size());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    ModelState& state = fuzz::freshState();
    const int nx = in.ConsumeIntegralInRange(1, 4), ny = in.ConsumeIntegralInRange(1, 3),
              nz = in.ConsumeIntegralInRange(1, 3);
    state.document.grid.input = test::latticeGrid(nx, ny, nz);
    FUZZ_CHECK(buildGrid(state).built());
    const std::size_t cells = static_cast<std::size_t>(state.document.grid.cellCount);
    PropertySet& p = state.document.properties;
    fillProperties(in, p, cells);

    const std::size_t pick = in.ConsumeIntegralInRange<std::size_t>(0, p.items.size());
    const Property* shown = pick < p.items.size() ? &p.items[pick] : nullptr;  // or the bare grid
    PropertyFilterSetting filter;
    if (in.ConsumeBool()) filter = PropertyFilterSetting::cutAt(static_cast<float>(fuzzedValue(in)), in.ConsumeBool());
    const bool coloured = colourCells(state.document.grid, p, shown, filter, state.cells_k);
    FUZZ_CHECK(coloured == (!shown || shown->size() >= cells));
    if (!coloured) return 0;
    checkColoured(state);
    const std::vector<std::uint8_t> kept =
        keptCells(state.document.grid, shown, filter, std::vector<std::uint8_t>(cells, 1));
    FUZZ_CHECK(kept.empty() || kept.size() == cells);

    // A second colouring overwrites the colours in place, after a picked code colour.
    const int code = in.ConsumeIntegralInRange(0, 15) == 0 ? in.ConsumeIntegral<int>() : fuzzedInt(in);
    const int kind = fuzzedInt(in);
    if (code > 100000 && code <= kMaxColourCode) return 0;  // valid but slow: a table of a million entries
    const bool stored = p.setCodeColour(static_cast<PropertyKind>(kind), code, {0.1f, 0.2f, 0.3f});
    FUZZ_CHECK(stored == (kind >= 0 && kind < kPropertyKindCount && code != kUndefinedCode && code >= -kMaxColourCode &&
                          code <= kMaxColourCode));
    if (in.ConsumeBool())
        filter = PropertyFilterSetting::between(fuzzedValue(in), fuzzedValue(in));
    else
        filter = PropertyFilterSetting::holding({fuzzedInt(in), fuzzedInt(in)});
    FUZZ_CHECK(colourCells(state.document.grid, p, shown, filter, state.cells_k));
    checkColoured(state);
    return 0;
}
