#include "scene/fluid_contacts.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "core/trace_text.h"
#include "scene/active_cells.h"

namespace morvane {

namespace {

std::size_t rowsOf(const Grid& g) { return g.rows > 0 ? static_cast<std::size_t>(g.rows) : 0; }
std::size_t colsOf(const Grid& g) { return g.columns > 0 ? static_cast<std::size_t>(g.columns) : 0; }
std::size_t layersOf(const Grid& g) { return g.layers > 0 ? static_cast<std::size_t>(g.layers) : 0; }

bool levelsFitGrid(const Grid& geometry, const std::vector<std::vector<float>>& levels)
{
    if (levels.size() != rowsOf(geometry)) return false;
    for (const auto& row : levels)
        if (row.size() != colsOf(geometry)) return false;
    return true;
}

}  // namespace

ContactDrawingFields contactDrawingFields(ContactDrawing& d, ContactKind kind)
{
    if (kind == ContactKind::OWC) return {d.PROP_disc_OWC, d.OWC_z_ij, d.OWC_k};
    return {d.PROP_disc_GOC, d.GOC_z_ij, d.GOC_k};
}

bool gridCarriesContacts(const Grid& geometry)
{
    const CornerPointInput& input = geometry.input;
    const std::size_t I = rowsOf(geometry);
    const std::size_t J = colsOf(geometry);
    return geometry.loaded && I > 0 && J > 0 && input.pillarXY.size() / 4 >= (I + 1) * (J + 1);
}

std::vector<std::vector<std::vector<int>>> reshapeRegionProperty(const Grid& geometry, const std::vector<int>& values)
{
    const std::size_t K = layersOf(geometry);
    const std::size_t I = rowsOf(geometry);
    const std::size_t J = colsOf(geometry);
    if (K == 0 || I == 0 || J == 0 || values.size() != K * I * J) return {};
    std::vector<std::vector<std::vector<int>>> out(K, std::vector<std::vector<int>>(I, std::vector<int>(J)));
    std::size_t n = 0;
    for (auto& layer : out)
        for (auto& row : layer)
            for (int& v : row) v = values[n++];
    return out;
}

Vertices contactSurface(const Grid& geometry, const std::vector<std::vector<float>>& levels,
                        const std::vector<float>& colour)
{
    const CornerPointInput& input = geometry.input;
    if (!gridCarriesContacts(geometry) || !levelsFitGrid(geometry, levels)) return {};
    const std::size_t I = rowsOf(geometry);
    const std::size_t J = colsOf(geometry);
    const float rgb[3] = {colour.size() > 0 ? colour[0] : 0.0f, colour.size() > 1 ? colour[1] : 0.0f,
                          colour.size() > 2 ? colour[2] : 0.0f};
    const auto& xy = input.pillarXY;
    Vertices out;
    out.reserve(I * J * 4 * 6);
    for (std::size_t r = 0; r < I; ++r) {
        for (std::size_t c = 0; c < J; ++c) {
            const std::size_t near = r * (J + 1) + c;
            const std::size_t far = (r + 1) * (J + 1) + c;
            const float z = levels[r][c];
            for (const std::size_t corner : {near, near + 1, far, far + 1}) {
                // A column without a contact keeps its four vertices (the index lists count on them) but all at
                // one point, so its two triangles cover nothing.
                const std::size_t pillar = std::isnan(z) ? near : corner;
                out.insert(out.end(), {static_cast<float>(xy[4 * pillar]), static_cast<float>(xy[4 * pillar + 1]),
                                       std::isnan(z) ? 0.0f : z, rgb[0], rgb[1], rgb[2]});
            }
        }
    }
    return out;
}

std::vector<std::vector<float>> regionalLevels(const Grid& geometry,
                                               const std::vector<std::vector<std::vector<int>>>& region,
                                               const std::vector<float>& codes, const std::vector<float>& levels)
{
    const std::size_t I = rowsOf(geometry);
    const std::size_t J = colsOf(geometry);
    std::vector<std::vector<float>> out(I, std::vector<float>(J, kNoContactLevel));
    if (region.empty() || region[0].size() != I) return out;
    const std::size_t pairs = std::min(codes.size(), levels.size());
    for (std::size_t i = 0; i < I; ++i) {
        for (std::size_t j = 0; j < J; ++j) {
            // The column's topmost active cell gives the code: an inactive cell's code belongs to no region.
            const int k = std::max(firstActiveLayer(geometry, static_cast<int>(i), static_cast<int>(j)), 0);
            if (static_cast<std::size_t>(k) >= region.size() || region[k].size() != I || region[k][i].size() != J)
                continue;
            const float code = static_cast<float>(region[k][i][j]);
            for (std::size_t n = 0; n < pairs; ++n)
                if (codes[n] == code) out[i][j] = levels[n];
        }
    }
    return out;
}

ContactReport drawContact(ContactKind kind, const FluidContact& contact, const std::vector<int>& regionCodes,
                          const Grid& geometry, const std::vector<float>& colour, ContactDrawing& drawing)
{
    ContactReport report;
    if (!gridCarriesContacts(geometry)) return report;
    ContactDrawingFields f = contactDrawingFields(drawing, kind);
    if (contact.uniform) {
        f.k = contactSurface(
            geometry,
            std::vector<std::vector<float>>(rowsOf(geometry), std::vector<float>(colsOf(geometry), contact.level)),
            colour);
        report.trace.push_back(trace_text::line(std::string(contactName(kind)) + "_z = ", contact.level));
        report.outcome = ContactBuild::Built;
        return report;
    }
    auto region = reshapeRegionProperty(geometry, regionCodes);
    if (region.empty()) {
        report.outcome = ContactBuild::RegionUnusable;
        return report;
    }
    f.PROP_disc = std::move(region);
    f.z_ij = regionalLevels(geometry, f.PROP_disc, contact.codes, contact.levels);
    f.k = contactSurface(geometry, f.z_ij, colour);
    report.outcome = ContactBuild::Built;
    return report;
}

FluidContact uniformContact(double depth)
{
    FluidContact c;
    c.set = true;
    c.uniform = true;
    c.level = static_cast<float>(depth / kCoordScale);
    return c;
}

FluidContact regionalContact(const std::string& property, const std::vector<RegionCodeDepth>& rows)
{
    FluidContact c;
    c.set = true;
    c.uniform = false;
    c.regionProperty = property;
    for (const RegionCodeDepth& row : rows) {
        if (!row.depth) continue;  // a row without a depth leaves its columns at 0
        c.codes.push_back(static_cast<float>(row.code));
        c.levels.push_back(static_cast<float>(*row.depth / kCoordScale));
    }
    c.rowCount = static_cast<int>(rows.size());
    return c;
}

}  // namespace morvane
