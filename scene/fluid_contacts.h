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

#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "model/contacts.h"
#include "scene/overlay_meshes.h"

namespace morvane {

// One contact's drawing in the contact drawing, OWC_... or GOC_...
struct ContactDrawingFields {
    std::vector<std::vector<std::vector<int>>>& PROP_disc;  // the region property's codes, [layer][row][column]
    std::vector<std::vector<float>>& z_ij;                  // the level of every column
    Vertices& k;                                            // the surface
};
ContactDrawingFields contactDrawingFields(ContactDrawing& drawing, ContactKind kind);

// Whether the grid's pillars can carry a surface: a grid is loaded and its pillar list covers every corner of the
// ZCORN_I x ZCORN_J cells.
bool gridCarriesContacts(const Grid& geometry);

// A discrete property's values (one per cell, file order) as [layer][row][column]; empty when the count is not
// ZCORN_K * ZCORN_I * ZCORN_J.
std::vector<std::vector<std::vector<int>>> reshapeRegionProperty(const Grid& geometry, const std::vector<int>& values);

// The level of a column without a contact: a regional contact's column whose code was given no depth.
inline constexpr float kNoContactLevel = std::numeric_limits<float>::quiet_NaN();

// The surface of levels[row][column] (model units): four vertices per cell at the tops of its four pillars, all
// four at one point (no area) for a column at kNoContactLevel. Empty when the grid carries no contacts or `levels`
// is not ZCORN_I rows of ZCORN_J.
Vertices contactSurface(const Grid& geometry, const std::vector<std::vector<float>>& levels,
                        const std::vector<float>& colour);

// The level of every column from the region code of its topmost active cell in `region` ([layer][row][column]; the
// top layer when every cell is active): a column whose code matches codes[n] takes levels[n], the last match
// winning; a column whose code has no level is at kNoContactLevel (no surface there).
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

// The surface of `contact` (set or not) on `geometry` into the contact's drawing, in `colour`: a uniform contact at its level
// everywhere; a regional one with each column at the level of the region code of its topmost active cell in
// `regionCodes` (one code per cell; a code without a level leaves its column at 0). NoGrid or RegionUnusable leave
// the drawing as it was.
ContactReport drawContact(ContactKind kind, const FluidContact& contact, const std::vector<int>& regionCodes,
                          const Grid& geometry, const std::vector<float>& colour, ContactDrawing& drawing);

// One code row of a regional contact: the region code and its depth in metres, when one was given.
struct RegionCodeDepth {
    int code = 0;
    std::optional<double> depth;
};

// The contacts as the data manager and the command line set them: a uniform contact at `depth` metres (signed like
// the grid's z extents: below datum negative), level depth / kCoordScale; a regional one over property
// `property`, with the code and level of every row that has a depth, in row order.
FluidContact uniformContact(double depth);
FluidContact regionalContact(const std::string& property, const std::vector<RegionCodeDepth>& rows);

}  // namespace morvane
