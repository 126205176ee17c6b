// Fuzzes the property colouring on a small built grid: property arrays of fuzzed count and length (some too short),
// values including the undefined marker and non-finite numbers, fuzzed colour limits, type codes, filter, the
// displayed entry and the loading flag; then a recolour in place and a change of one code colour.
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

void fillProperties(FuzzedDataProvider& in, Properties& p, std::size_t cells)
{
    const int continuous = in.ConsumeIntegralInRange(0, 3);
    for (int n = 0; n < continuous; ++n) {
        std::vector<double> values(fuzzedLength(in, cells));
        for (double& v : values) v = fuzzedValue(in);
        p.PROP_cont_loading.push_back(std::move(values));
    }
    const int discrete = in.ConsumeIntegralInRange(0, 3);
    for (int n = 0; n < discrete; ++n) {
        std::vector<int> codes(fuzzedLength(in, cells));
        for (int& c : codes) c = fuzzedInt(in);
        p.PROP_disc_loading.push_back(std::move(codes));
    }
    for (auto* limits : {&p.PROP_max_value, &p.PROP_min_value, &p.PROP_max_value_color, &p.PROP_min_value_color}) {
        const int count = in.ConsumeIntegralInRange(0, 5);
        for (int n = 0; n < count; ++n) limits->push_back(fuzzedValue(in));
    }
    const int types = in.ConsumeIntegralInRange(0, 3);
    for (int n = 0; n < types; ++n) p.PROP_type.push_back(fuzzedInt(in));
    if (in.ConsumeIntegralInRange(0, 7) == 0) p.PROP_disc_color.resize(in.ConsumeIntegralInRange(0, 12));
    if (in.ConsumeIntegralInRange(0, 7) == 0 && !p.PROP_disc_color.empty())
        p.PROP_disc_color.back().push_back({0.5f});  // an entry too short to be a colour
    p.prop_no_morvane = fuzzedInt(in);
    p.cont_prop_cut = static_cast<float>(in.ConsumeBool() ? 0.0 : fuzzedValue(in));
    p.cut_below = in.ConsumeBool();
    p.propLoading = in.ConsumeBool();
    p.PROP_name = in.ConsumeBool() ? PLACEHOLDER_PROPERTY : "PORO";  // a real property may be called "grid" too
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
    fillProperties(in, state, cells);

    const bool discrete = in.ConsumeBool();
    const int index = fuzzedInt(in);
    const int type = fuzzedInt(in);
    const PropertyColourReport report = colourProperty(state.document.grid, state, index, discrete, type);
    if (!report.coloured) return 0;
    checkColoured(state);
    FUZZ_CHECK(discrete ? state.PROP_disc.size() == std::size_t(nz) : state.PROP_cont.size() == std::size_t(nz));

    // A second colouring overwrites cells_k in place.
    state.propLoading = false;
    state.cont_prop_cut = static_cast<float>(in.ConsumeBool() ? 0.0 : fuzzedValue(in));
    const PropertyColourReport again = colourProperty(state.document.grid, state, index, discrete, fuzzedInt(in));
    FUZZ_CHECK(again.coloured);
    checkColoured(state);

    const int code = in.ConsumeIntegralInRange(0, 15) == 0 ? in.ConsumeIntegral<int>() : fuzzedInt(in);
    const int codeType = fuzzedInt(in);
    if (code > 100000 && code <= MAX_COLOUR_CODE) return 0;  // valid but slow: a table of a million entries
    const bool stored = changeDiscreteColour(state.document.grid, state, codeType, code, 0.1f, 0.2f, 0.3f);
    FUZZ_CHECK(stored == (codeType >= 0 && codeType <= MAX_TYPE_CODE && code >= 0 && code <= MAX_COLOUR_CODE));
    checkColoured(state);
    return 0;
}
