#include "model/property_set.h"

#include <algorithm>
#include <utility>

namespace morvane {

namespace {

struct ValueRange {
    double min = 0, max = 0;
};

// The smallest and largest of the values whose cells are active (all of them without `active`) and hold a value, as
// std::min and std::max give them taken in order from the first; 0 and 0 when there is none. A cell without a value
// (NaN) fails both comparisons, so only the first value taken needs to be one.
// Not inlined: inside a larger function GCC keeps the two extremes in memory, which makes the loop three times
// slower.
[[gnu::noinline]] ValueRange activeRange(const std::vector<double>& values, const std::vector<std::uint8_t>* active)
{
    const auto skipped = [&](std::size_t n) { return active && !(*active)[n]; };
    std::size_t n = 0;
    while (n < values.size() && (skipped(n) || isNoValue(values[n]))) ++n;
    if (n == values.size()) return {};
    double min = values[n], max = values[n];
    for (++n; n < values.size(); ++n) {
        if (skipped(n)) continue;
        const double v = values[n];
        min = v < min ? v : min;
        max = max < v ? v : max;
    }
    return {min, max};
}

bool someInactive(const std::vector<std::uint8_t>& active, std::size_t count)
{
    return active.size() == count && std::find(active.begin(), active.end(), 0) != active.end();
}

}  // namespace

bool isCodeKind(PropertyKind kind)
{
    return kind == PropertyKind::Lithology || kind == PropertyKind::Facies || kind == PropertyKind::Regions ||
           kind == PropertyKind::Discrete;
}

PropertyKind propertyKindOf(int code)
{
    return code >= 0 && code < kPropertyKindCount ? static_cast<PropertyKind>(code) : PropertyKind::Unset;
}

bool startsOnLogScale(PropertyKind kind, std::string_view name)
{
    if (kind == PropertyKind::Permeability) return true;
    if (kind != PropertyKind::Unset && kind != PropertyKind::Continuous) return false;
    std::string upper;
    for (const char c : name) {
        if (c == ' ' || c == '\t') continue;
        upper += c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return upper.rfind("PERM", 0) == 0 || upper == "KX" || upper == "KY" || upper == "KZ";
}

CodeShares codeShares(const std::vector<int>& codes)
{
    CodeShares shares;
    std::vector<std::pair<int, std::size_t>> counts;
    // Codes are nearly always a handful of small numbers: one pass into a small table, when they all fit it.
    constexpr int kSmall = 256;
    std::array<std::size_t, kSmall> small{};
    bool allSmall = true;
    for (int c : codes) {
        if (static_cast<unsigned>(c) < static_cast<unsigned>(kSmall))
            ++small[static_cast<std::size_t>(c)];
        else if (c != kUndefinedCode)
            allSmall = false;
    }
    int lo = INT_MAX, hi = INT_MIN;
    if (!allSmall) {
        for (int c : codes) {
            if (c == kUndefinedCode) continue;
            lo = std::min(lo, c);
            hi = std::max(hi, c);
        }
    }
    const long long span = static_cast<long long>(hi) - lo + 1;
    if (allSmall) {
        for (int c = 0; c < kSmall; ++c)
            if (small[static_cast<std::size_t>(c)] != 0) counts.emplace_back(c, small[static_cast<std::size_t>(c)]);
    } else if (span <= static_cast<long long>(codes.size()) + 1024) {
        // Codes in a range not much wider than their count: count them in a table.
        std::vector<std::size_t> table(static_cast<std::size_t>(span), 0);
        for (int c : codes)
            if (c != kUndefinedCode) ++table[static_cast<std::size_t>(static_cast<long long>(c) - lo)];
        for (std::size_t i = 0; i < table.size(); ++i) {
            if (table[i] != 0) counts.emplace_back(static_cast<int>(lo + static_cast<long long>(i)), table[i]);
        }
    } else {
        std::vector<int> sorted;
        sorted.reserve(codes.size());
        for (int c : codes)
            if (c != kUndefinedCode) sorted.push_back(c);
        std::sort(sorted.begin(), sorted.end());
        for (std::size_t i = 0; i < sorted.size();) {
            std::size_t j = i;
            while (j < sorted.size() && sorted[j] == sorted[i]) ++j;
            counts.emplace_back(sorted[i], j - i);
            i = j;
        }
    }
    const double total = static_cast<double>(codes.size());
    for (const auto& [code, count] : counts) {
        shares.codes.push_back(code);
        // The count goes through single precision, as the legend's shares always have.
        const double share = static_cast<double>(static_cast<float>(count)) * 100.0 / total;
        shares.percent.push_back(static_cast<float>(share));
    }
    return shares;
}

Property makeContinuousProperty(std::string name, PropertyKind kind, std::vector<double> values,
                                const std::vector<std::uint8_t>& active)
{
    Property p;
    p.name = std::move(name);
    p.kind = kind == PropertyKind::Unset ? PropertyKind::Continuous : kind;
    const ValueRange range = activeRange(values, someInactive(active, values.size()) ? &active : nullptr);
    p.min = p.lowLimit = range.min;
    p.max = p.highLimit = range.max;
    p.values = std::move(values);
    p.undefinedCount = static_cast<std::size_t>(std::count_if(p.values.begin(), p.values.end(), isNoValue));
    const bool inactiveCells = someInactive(active, p.values.size());
    double positiveMin = 0;
    for (std::size_t n = 0; n < p.values.size(); ++n) {
        const double v = p.values[n];
        if (v > 0 && (positiveMin == 0 || v < positiveMin) && !(inactiveCells && !active[n])) positiveMin = v;
    }
    p.positiveMin = positiveMin;
    return p;
}

Property makeDiscreteProperty(std::string name, PropertyKind kind, std::vector<int> codes,
                              const std::vector<std::uint8_t>& active)
{
    Property p;
    p.name = std::move(name);
    p.kind = kind == PropertyKind::Unset ? PropertyKind::Discrete : kind;
    p.discrete = true;
    CodeShares shares;
    if (someInactive(active, codes.size())) {
        std::vector<int> activeCodes;
        for (std::size_t n = 0; n < codes.size(); ++n)
            if (active[n]) activeCodes.push_back(codes[n]);
        shares = codeShares(activeCodes);
    } else {
        shares = codeShares(codes);
    }
    if (!shares.codes.empty()) {
        p.min = p.lowLimit = shares.codes.front();
        p.max = p.highLimit = shares.codes.back();
    }
    p.distinctCodes = std::move(shares.codes);
    p.codePercent = std::move(shares.percent);
    p.codes = std::move(codes);
    p.undefinedCount = static_cast<std::size_t>(std::count(p.codes.begin(), p.codes.end(), kUndefinedCode));
    return p;
}

const Property* PropertySet::find(std::string_view name) const
{
    for (const Property& p : items)
        if (p.name == name) return &p;
    return nullptr;
}

Property* PropertySet::find(std::string_view name)
{
    return const_cast<Property*>(static_cast<const PropertySet&>(*this).find(name));
}

std::string PropertySet::uniqueName(const std::string& name) const
{
    if (!find(name)) return name;
    for (std::size_t n = 2;; ++n) {
        std::string numbered = name + " (" + std::to_string(n) + ")";
        if (!find(numbered)) return numbered;
    }
}

std::string PropertySet::add(Property property)
{
    property.name = uniqueName(property.name);
    std::string name = property.name;
    items.push_back(std::move(property));
    ++revision;
    return name;
}

void PropertySet::clear()
{
    std::vector<Property>().swap(items);
    ++revision;
}

bool PropertySet::setCodeColour(PropertyKind kind, int code, const Rgb& colour)
{
    const int k = static_cast<int>(kind);
    if (k < 0 || k >= kPropertyKindCount || code == kUndefinedCode || code < -kMaxColourCode || code > kMaxColourCode)
        return false;
    if (code < 0) {
        negativeCodeColours[static_cast<std::size_t>(k)][code] = colour;
        ++revision;
        return true;
    }
    auto& table = codeColours[static_cast<std::size_t>(k)];
    if (static_cast<std::size_t>(code) >= table.size())
        table.resize(static_cast<std::size_t>(code) + 1, kOutsideTableColour);
    table[static_cast<std::size_t>(code)] = colour;
    ++revision;
    return true;
}

std::array<ColourRamp, kPropertyKindCount> PropertySet::initialRamps()
{
    // Per kind: none, lithology, facies, NTG, porosity, permeability, water saturation, regions, discrete,
    // continuous. Kinds drawn as codes keep black ramps.
    std::array<ColourRamp, kPropertyKindCount> r{};
    r[3] = {{0.5f, 0.5f, 0.5f}, {0.55f, 0.5f, 0.45f}, {0.6f, 1, 0.4f}};
    r[4] = {{0.4f, 1, 0.2f}, {1, 1, 0}, {1, 0.4f, 0}};
    r[5] = {{0, 0, 1}, {0, 1, 0}, {1, 0, 0}};
    r[6] = {{0, 1, 0}, {0, 0.5f, 0.5f}, {0, 0, 1}};
    r[9] = {{0.2f, 0.2f, 0.8f}, {0, 1, 0}, {1, 0.6f, 0.2f}};
    return r;
}

std::array<std::vector<Rgb>, kPropertyKindCount> PropertySet::initialCodeColours()
{
    using Table = std::vector<Rgb>;
    const Table lithology{{0.7f, 0.7f, 0.7f}, {1, 1, 0},       {1, 0.5f, 0}, {0, 1, 1}, {0, 0.5f, 1},
                          {0.7f, 0, 1},       {0.7f, 0, 0.1f}, {0, 0, 0},    {0, 0, 0}, {0, 0, 0}};
    Table ntg = lithology;
    ntg[1] = {0.6f, 1, 0.4f};
    const Table discrete{{1, 0, 0},    {1, 0.5f, 0},    {1, 1, 0}, {0, 1, 0}, {0, 0.75f, 1}, {0, 0.5f, 1},
                         {0.7f, 0, 1}, {0.7f, 0, 0.1f}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}};
    // Kinds without a table draw every code grey.
    return {Table{}, lithology, lithology, ntg, Table{}, Table{}, Table{}, lithology, discrete, Table{}};
}

Rgb PropertySet::colourOfCode(PropertyKind kind, int code, const Rgb& undefined) const
{
    const int k = static_cast<int>(kind);
    if (k < 0 || k >= kPropertyKindCount) return codeColour(code, {}, undefined);
    return codeColour(code, codeColours[static_cast<std::size_t>(k)], negativeCodeColours[static_cast<std::size_t>(k)],
                      undefined);
}

Rgb codeColour(int code, const std::vector<Rgb>& table, const std::map<int, Rgb>& negative, const Rgb& undefined)
{
    if (code < 0 && code != kUndefinedCode && !negative.empty()) {
        const auto picked = negative.find(code);
        if (picked != negative.end()) return picked->second;
    }
    return codeColour(code, table, undefined);
}

Rgb codeColour(int code, const std::vector<Rgb>& table, const Rgb& undefined)
{
    if (code == kUndefinedCode) return undefined;
    if (code < 0 || static_cast<std::size_t>(code) >= table.size()) return kOutsideTableColour;
    return table[static_cast<std::size_t>(code)];
}

}  // namespace morvane
