#include "scene/fluid_contacts.h"

#include <algorithm>
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

bool reshapeInto(std::vector<std::vector<std::vector<int>>>& target, const std::vector<int>& regionCodes,
                 const Grid& geometry)
{
    auto reshaped = reshapeRegionProperty(geometry, regionCodes);
    if (reshaped.empty()) return false;
    target = std::move(reshaped);
    return true;
}

}  // namespace

ContactFields contactFields(Contacts& c, ContactKind kind)
{
    if (kind == ContactKind::OWC)
        return {c.OWC_set,
                c.is_uniform_OWC,
                c.uniform_OWC,
                c.OWC_region_selected,
                c.last_owc_code_size,
                c.PROP_disc_OWC,
                c.owc_code_z,
                c.OWC_z,
                c.OWC_z_ij,
                c.OWC_k,
                c.OWC_Color,
                c.displayOWC};
    return {c.GOC_set,
            c.is_uniform_GOC,
            c.uniform_GOC,
            c.GOC_region_selected,
            c.last_goc_code_size,
            c.PROP_disc_GOC,
            c.goc_code_z,
            c.GOC_z,
            c.GOC_z_ij,
            c.GOC_k,
            c.GOC_Color,
            c.displayGOC};
}

const char* contactName(ContactKind kind) { return kind == ContactKind::OWC ? "OWC" : "GOC"; }

bool gridCarriesContacts(const Grid& geometry)
{
    const CornerPointInput& input = geometry.input;
    const std::size_t I = rowsOf(geometry);
    const std::size_t J = colsOf(geometry);
    return geometry.loaded && I > 0 && J > 0 && input.pillarXY.size() / 4 >= (I + 1) * (J + 1);
}

std::vector<std::vector<std::vector<int>>> reshapeRegionProperty(const Grid& geometry,
                                                                 const std::vector<int>& values)
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

Vertices contactSurface(const Grid& geometry,
                        const std::vector<std::vector<float>>& levels, const std::vector<float>& colour)
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
            for (const std::size_t pillar : {near, near + 1, far, far + 1}) {
                out.insert(out.end(), {static_cast<float>(xy[4 * pillar]), static_cast<float>(xy[4 * pillar + 1]), z,
                                       rgb[0], rgb[1], rgb[2]});
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
    std::vector<std::vector<float>> out(I, std::vector<float>(J, 0.0f));
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

bool initProp_disc_OWC(const std::vector<int>& regionCodes, const Grid& geometry, Contacts& contacts)
{
    return reshapeInto(contacts.PROP_disc_OWC, regionCodes, geometry);
}

bool initProp_disc_GOC(const std::vector<int>& regionCodes, const Grid& geometry, Contacts& contacts)
{
    return reshapeInto(contacts.PROP_disc_GOC, regionCodes, geometry);
}

ContactReport buildUniformContact(ContactKind kind, double depth, const Grid& geometry,
                                  Contacts& contacts)
{
    ContactReport report;
    if (!gridCarriesContacts(geometry)) return report;
    ContactFields f = contactFields(contacts, kind);
    const float z = static_cast<float>(depth / kCoordScale);
    f.k = contactSurface(geometry,
                         std::vector<std::vector<float>>(rowsOf(geometry), std::vector<float>(colsOf(geometry), z)),
                         f.color);
    f.uniform = z;
    f.set = true;
    f.is_uniform = true;
    report.trace.push_back(trace_text::line(std::string(contactName(kind)) + "_z = ", z));
    report.outcome = ContactBuild::Built;
    return report;
}

ContactReport buildRegionalContact(ContactKind kind, const std::vector<int>& regionCodes,
                                   const std::vector<RegionCodeDepth>& rows, const Grid& geometry, Contacts& contacts)
{
    ContactReport report;
    if (!gridCarriesContacts(geometry)) return report;
    const bool reshaped = kind == ContactKind::OWC ? initProp_disc_OWC(regionCodes, geometry, contacts)
                                                   : initProp_disc_GOC(regionCodes, geometry, contacts);
    if (!reshaped) {
        report.outcome = ContactBuild::RegionUnusable;
        return report;
    }
    ContactFields f = contactFields(contacts, kind);
    f.code_z.clear();
    f.z.clear();
    for (const RegionCodeDepth& row : rows) {
        if (!row.depth) continue;  // a row without a depth leaves its columns at 0
        f.code_z.push_back(static_cast<float>(row.code));
        f.z.push_back(static_cast<float>(*row.depth / kCoordScale));
    }
    f.z_ij = regionalLevels(geometry, f.PROP_disc, f.code_z, f.z);
    f.k = contactSurface(geometry, f.z_ij, f.color);
    f.set = true;
    f.is_uniform = false;
    report.outcome = ContactBuild::Built;
    return report;
}

}  // namespace morvane
