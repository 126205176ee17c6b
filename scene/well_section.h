// The well section: a vertical cut of the grid along a chain of plan-view segments through picked wells, and its
// unfolding into one flat strip.
//
// Each segment is cut into one section entry: for every face of a regular, active cell the section line crosses,
// its crossings (two per face, coloured by the displayed property) and one contact vertex per crossing at the
// oil-water contact; outline indices join each cell's top crossings to its bottom crossings. Crossings beyond the
// segment are clamped onto its bounding box, and one landing exactly on an end of the segment takes the face's mean
// depth, so the cell cut by a segment end is closed there.
//
// Unfolding lays the entries end to end along x in picking order, each turned about its first crossings so that it
// runs along x, flattened to y = 0 (the contact lines at y = -1, the picked wells one unit in front of their own
// segment).
//
// Pure code: the section commands call these and the view uploads the arrays.
#pragma once

#include <string>
#include <vector>

#include "model/contacts.h"
#include "scene/property_colouring.h"
#include "scene/well_meshes.h"

namespace morvane {

// One segment to cut, in scene units: two points far beyond its ends that fix the section line, then its own ends.
struct SectionSegment {
    float x_start_extended = 0, y_start_extended = 0;
    float x_end_extended = 0, y_end_extended = 0;
    float x_start = 0, y_start = 0;
    float x_end = 0, y_end = 0;
};

// The colour of a continuous value in the section: fixed stretches of 0.04 from magenta (0 and below) through blue,
// cyan, green and yellow to red (above 0.2), each stretch starting at full strength.
Rgb sectionContinuousColour(float v);

// The colour of cell (k, i, j) in the section: the continuous stretches above, or for a property of codes the code
// colour of its kind's table, as the cells are coloured in the 3D view. Black without a shown property or when the
// cell lies outside the grid or the property.
Rgb sectionCellColour(const Grid& grid, const PropertySet& properties, const Property* shown, int k, int i, int j);

// Cuts one segment through the grid and appends one entry to intersect_lines, intersect_owc and
// intersect_lines_indices (each contact vertex at the OWC's level over its cell's column: the uniform level, the
// regional level of the column's code, or kNoContactLevel where the column has no contact or no OWC is set); the segment's start goes into intersect_lines_start_xy and intersect_owc_start_xy (grown
// as needed). A segment that crosses no regular, active cell leaves an empty entry. Returns the trace lines.
std::vector<std::string> makeWellSection(const Grid& grid, const PropertySet& properties, const Property* shown,
                                         const Contacts& contacts, const std::vector<float>& owcColour,
                                         WellSection& section, const SectionSegment& segment);

// Removes the last `count` entries of the three result lists (the segments made last are withdrawn).
void withdrawSectionEntries(WellSection& section, int count);

// The extent of the unfolded strip: x across all entries, z from the shallowest to the deepest crossing.
struct UnfoldedSection {
    bool laidOut = false;  // false: no entry holds a crossing, or the strip has no width
    float xmin = 0, xmax = 0, zmin = 0, zmax = 0;
    std::vector<std::string> trace;
};

// Unfolds every entry, with the picked well of each even entry, into one strip along x. Entries without crossings
// are passed over; the well of such an entry stands where the strip has reached at that point.
UnfoldedSection unfoldWellSection(WellSection& section);

}  // namespace morvane
