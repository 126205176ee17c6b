// GRDECL property files: a keyword line, the "Property name in Petrel" marker, indented values, " /".
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "tools/generator/generator_text.h"
#include "tools/generator/model_generator.h"

namespace morvane::gen {

using namespace detail;

std::vector<PropertyDefinition> defaultProperties()
{
    PropertyDefinition poro;
    poro.keyword = "PORO";
    poro.name = "PORO";
    poro.kind = PropertyKind::Continuous;
    poro.minValue = 0.05;
    poro.maxValue = 0.32;
    poro.decimals = 4;
    poro.seed = 11;
    PropertyDefinition facies;
    facies.keyword = "FACIES";
    facies.name = "Facies";
    facies.kind = PropertyKind::Discrete;
    facies.codes = 4;
    facies.seed = 23;
    return {poro, facies};
}

std::vector<PropertyDefinition> fieldProperties(int count, bool cyrillic)
{
    struct Kind {
        const char *keyword, *name, *russian;
        PropertyKind kind;
        double min, max;
        int decimals, codes;
        double noise;
        int stray;
    };
    static const Kind kinds[] = {
        {"PORO", "PORO", "Пористость", PropertyKind::Continuous, 0.02, 0.32, 4, 0, 0, 0},
        {"PERMX", "PERMX", "Проницаемость", PropertyKind::Continuous, -150.0, 1500.0, 2, 0, 0, 0},
        {"NTG", "NTG", "Песчанистость", PropertyKind::Continuous, 0.0, 1.0, 3, 0, 0, 0},
        {"SWAT", "SW", "Водонасыщенность", PropertyKind::Continuous, 0.15, 1.0, 3, 0, 0, 0},
        {"FACIES", "Facies", "Фации", PropertyKind::Discrete, 0, 0, 0, 5, 0.0, 0},
        {"LITHOLOGIES", "Litho", "Литология", PropertyKind::Discrete, 0, 0, 0, 3, 0.0, 3},
        {"FIPNUM", "FIPNUM", "Регионы", PropertyKind::Discrete, 0, 0, 0, 4, 0.0, 0},
        {"IRR.GASSATURATION", "Sgi", "Газонасыщенность", PropertyKind::Continuous, 0.0, 0.4, 3, 0, 0, 0},
    };
    constexpr int kKinds = static_cast<int>(sizeof kinds / sizeof kinds[0]);
    std::vector<PropertyDefinition> list;
    for (int n = 0; n < count; ++n) {
        const Kind& k = kinds[n % kKinds];
        PropertyDefinition p;
        p.keyword = k.keyword;
        p.name = cyrillic ? k.russian : k.name;
        if (n >= kKinds) {
            p.name += '_';
            p.name += std::to_string(n / kKinds + 1);
        }
        p.kind = k.kind;
        p.minValue = k.min;
        p.maxValue = k.max;
        p.decimals = k.decimals;
        p.codes = k.codes;
        p.noise = k.noise;
        p.strayDecimals = k.stray;
        p.seed = 101 + static_cast<std::uint64_t>(n);
        list.push_back(std::move(p));
    }
    return list;
}

std::string toCp1251(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
            ++i;
            continue;
        }
        std::uint32_t code = 0;
        std::size_t length = 1;
        if ((c & 0xE0) == 0xC0 && i + 1 < text.size()) {
            code = ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(text[i + 1]) & 0x3Fu);
            length = 2;
        } else if ((c & 0xF0) == 0xE0) {
            length = 3;
        } else if ((c & 0xF8) == 0xF0) {
            length = 4;
        }
        if (code >= 0x410 && code <= 0x44F)
            out.push_back(static_cast<char>(0xC0 + (code - 0x410)));
        else if (code == 0x401)
            out.push_back(static_cast<char>(0xA8));
        else if (code == 0x451)
            out.push_back(static_cast<char>(0xB8));
        else
            out.push_back('?');
        i += length;
    }
    return out;
}

std::vector<double> propertyValues(const PropertyFileOptions& o, const PropertyDefinition& p)
{
    if (o.nx < 1 || o.ny < 1 || o.nz < 1) throw std::invalid_argument("nx, ny and nz must be at least 1");
    Random rng(p.seed);
    const double phase[4] = {rng.uniform() * 6.28, rng.uniform() * 6.28, rng.uniform() * 6.28, rng.uniform() * 6.28};
    const long long cells = static_cast<long long>(o.nx) * o.ny * o.nz;
    const long long wanted = p.valueCount < 0 ? cells : p.valueCount;
    // Beyond the grid's cells the layers go on, as they would for a grid with more layers.
    const int layers = static_cast<int>((wanted + o.nx * o.ny - 1) / (static_cast<long long>(o.nx) * o.ny));
    std::vector<double> values;
    values.reserve(static_cast<std::size_t>(wanted));
    for (int k = 0; k < layers; ++k)
        for (int j = 0; j < o.ny; ++j)
            for (int i = 0; i < o.nx; ++i) {
                // Smooth lateral trends that change slowly with depth, like stacked depositional bodies.
                const double trend = 0.5 + 0.25 * std::sin(i * 0.21 + phase[0] + k * 0.3) +
                                     0.2 * std::cos(j * 0.17 + phase[1] - k * 0.2);
                if (p.kind == PropertyKind::Continuous) {
                    const double noise = (rng.uniform() - 0.5) * 0.1;
                    const double f = std::clamp(trend + noise, 0.0, 1.0);
                    values.push_back(roundTo(p.minValue + f * (p.maxValue - p.minValue), p.decimals));
                } else {
                    const int codes = std::max(1, p.codes);
                    const int band = (k / 3 + static_cast<int>(std::floor(trend * codes))) % codes;
                    const int code = rng.uniform() < p.noise ? static_cast<int>(rng.next() % codes) : band;
                    values.push_back(code);
                }
            }
    values.resize(static_cast<std::size_t>(wanted));
    if (p.kind == PropertyKind::Continuous && p.noValueShare > 0) {
        // Scattered by a hash of the cell, so the other values stay those of a property without markers.
        for (std::size_t n = 0; n < values.size(); ++n) {
            const std::uint64_t h = (static_cast<std::uint64_t>(n) + p.seed) * 0x9E3779B97F4A7C15ull;
            if (static_cast<double>(h >> 40) / static_cast<double>(1ull << 24) < p.noValueShare)
                values[n] = kNoValueMarker;
        }
    }
    if (p.kind == PropertyKind::Discrete && p.strayDecimals > 0 && values.size() >= 3) {
        // Spread evenly through the property, three cells each.
        const std::size_t step = values.size() / static_cast<std::size_t>(p.strayDecimals + 1);
        for (int n = 1; n <= p.strayDecimals; ++n) {
            const std::size_t at = std::min(step * static_cast<std::size_t>(n), values.size() - 3);
            std::fill(values.begin() + static_cast<std::ptrdiff_t>(at),
                      values.begin() + static_cast<std::ptrdiff_t>(at + 3), 1.5);
        }
    }
    return values;
}

namespace {

void writeProperties(TextOut& out, const PropertyFileOptions& o)
{
    out.line("-- Format      : Generic ECLIPSE style (ASCII) grid geometry and properties (*.GRDECL)");
    out.line(kExportedBy);
    out.put("-- Grid        : ");
    out.integer(o.nx);
    out.put(" x ");
    out.integer(o.ny);
    out.put(" x ");
    out.integer(o.nz);
    out.line(" cells");
    out.newline();
    out.line("FILEUNIT");
    out.line("METRIC /");
    out.newline();
    for (const PropertyDefinition& p : o.properties) {
        out.keywordLine(p.keyword);
        if (o.markers)
            out.line("-- Property name in Petrel : " +
                     (o.nameEncoding == TextEncoding::Windows1251 ? toCp1251(p.name) : p.name));
        const int decimals = p.kind == PropertyKind::Continuous ? std::max(1, p.decimals) : -1;
        TokenWriter w(out, decimals, o.repeats, o.maxRun, o.valuesPerLine, "  ");
        for (double v : propertyValues(o, p)) w.add(v);
        w.close(" /");
        out.newline();
    }
}

}  // namespace

std::string propertyFileText(const PropertyFileOptions& o)
{
    return writeString(o.lineEnd, [&](TextOut& out) { writeProperties(out, o); });
}

std::filesystem::path writePropertyFile(const PropertyFileOptions& o, const std::filesystem::path& file)
{
    if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path());
    writeFile(file, o.lineEnd, [&](TextOut& out) { writeProperties(out, o); });
    return file;
}

}  // namespace morvane::gen
