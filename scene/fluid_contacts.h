// Fluid contacts as surfaces: the oil-water contact (OWC) and the gas-oil contact (GOC), each a flat quadrilateral
// per grid column at the contact level of that column, in the contact's colour. A uniform contact puts every column
// at one level; a regional one gives each column the level typed for the region code of its topmost active cell.
// Columns without an active cell are left out of the contact index lists while inactive cells are hidden.
//
// The surface numbers its vertices like the top surface of a layer's vertex array (four per cell, cell rows then
// cells, corners near-left, near-right, far-left, far-right), so the contact index lists of the grid draw it.
//
// Pure code. Every builder either replaces the contact's arrays completely or changes nothing.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/model_state.h"

namespace morvane {

enum class ContactKind { OWC, GOC };

// One contact's variables in the model state, OWC_... or GOC_...
struct ContactFields {
    bool& set;
    bool& is_uniform;
    float& uniform;
    int& region_selected;
    int& last_code_size;
    std::vector<std::vector<std::vector<int>>>& PROP_disc;
    std::vector<float>& code_z;
    std::vector<float>& z;
    std::vector<std::vector<float>>& z_ij;
    Vertices& k;
    const std::vector<float>& color;
    bool& display;
};
ContactFields contactFields(Contacts& contacts, ContactKind kind);

// "OWC" or "GOC".
const char* contactName(ContactKind kind);

// Whether the grid's pillars can carry a surface: a grid is loaded and its pillar list covers every corner of the
// ZCORN_I x ZCORN_J cells.
bool gridCarriesContacts(const Grid& geometry);

// A discrete property's values (one per cell, file order) as [layer][row][column]; empty when the count is not
// ZCORN_K * ZCORN_I * ZCORN_J.
std::vector<std::vector<std::vector<int>>> reshapeRegionProperty(const Grid& geometry,
                                                                 const std::vector<int>& values);

// The surface of levels[row][column] (model units): four vertices per cell at the tops of its four pillars. Empty
// when the grid carries no contacts or `levels` is not ZCORN_I rows of ZCORN_J.
Vertices contactSurface(const Grid& geometry,
                        const std::vector<std::vector<float>>& levels, const std::vector<float>& colour);

// The level of every column from the region code of its topmost active cell in `region` ([layer][row][column]; the
// top layer when every cell is active): a column whose code matches codes[n] takes levels[n], the last match
// winning; a column whose code has no level stays at 0.
std::vector<std::vector<float>> regionalLevels(const Grid& geometry,
                                               const std::vector<std::vector<std::vector<int>>>& region,
                                               const std::vector<float>& codes, const std::vector<float>& levels);

enum class ContactBuild {
    Built,
    NoGrid,          // no grid, or one whose pillars do not cover its cells: nothing changed
    RegionUnusable,  // the region property is not loaded or does not match the grid: nothing changed
};

struct ContactReport {
    ContactBuild outcome = ContactBuild::NoGrid;
    std::vector<std::string> trace;
};

// The codes of a region property reshaped into PROP_disc_OWC or PROP_disc_GOC. False, with nothing changed, when
// they are not one code per cell.
bool initProp_disc_OWC(const std::vector<int>& regionCodes, const Grid& geometry, Contacts& contacts);
bool initProp_disc_GOC(const std::vector<int>& regionCodes, const Grid& geometry, Contacts& contacts);

// A uniform contact at `depth` metres (signed like the grid's z extents: below datum negative): the contact's level
// is depth / kCoordScale everywhere; set, uniform.
ContactReport buildUniformContact(ContactKind kind, double depth, const Grid& geometry,
                                  Contacts& contacts);

// One code row of a regional contact: the region code and its depth in metres, when one was given.
struct RegionCodeDepth {
    int code = 0;
    std::optional<double> depth;
};

// A regional contact over the codes of a region property: codes and levels from the rows with a depth, in row
// order; columns from the top layer of the region property; set, not uniform.
ContactReport buildRegionalContact(ContactKind kind, const std::vector<int>& regionCodes,
                                   const std::vector<RegionCodeDepth>& rows, const Grid& geometry, Contacts& contacts);

}  // namespace morvane
