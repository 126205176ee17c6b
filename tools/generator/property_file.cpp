// GRDECL property files: a keyword line, the "Property name in Petrel" marker, indented values, " /".
#include <algorithm>
#include <cmath>

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

std::vector<double> propertyValues(const PropertyFileOptions& o, const PropertyDefinition& p)
{
    if (o.nx < 1 || o.ny < 1 || o.nz < 1) throw std::invalid_argument("nx, ny and nz must be at least 1");
    Random rng(p.seed);
    const double phase[4] = {rng.uniform() * 6.28, rng.uniform() * 6.28, rng.uniform() * 6.28, rng.uniform() * 6.28};
    std::vector<double> values;
    values.reserve(static_cast<std::size_t>(o.nx) * o.ny * o.nz);
    for (int k = 0; k < o.nz; ++k)
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
                    const int code = rng.uniform() < 0.03 ? static_cast<int>(rng.next() % codes) : band;
                    values.push_back(code);
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
        if (o.markers) out.line("-- Property name in Petrel : " + p.name);
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
