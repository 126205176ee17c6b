// Circle diagrams of cumulative production: one flat disc per well where the well enters the model, its radius
// growing with the liquid produced (oil plus water), split into a water sector (blue) and an oil sector (green) by
// the water cut. The frame turns each disc about its centre to face the viewer and labels it with the two volumes.
//
// A disc lies in the vertical plane through its centre parallel to the x axis: 100 triangles of three vertices
// (centre, rim, rim), the first vertex being the centre. Sector 0 starts at 12 o'clock and the sectors run clockwise
// as seen from -y; the first w sectors (w the rounded water percentage) are blue. The vertical radius is divided by
// the vertical exaggeration, so the disc looks round once the view stretches z, and must be rebuilt when the
// exaggeration changes.
//
// Pure code: the view uploads circleDiagram with uploadProductionDiscs.
#pragma once

#include <string>
#include <vector>

#include "model/production.h"
#include "model/wells.h"
#include "scene/overlay_meshes.h"
#include "scene/well_meshes.h"

namespace morvane {

inline constexpr int CIRCLE_SECTORS = 100;

// The number of blue sectors for a water percentage: rounded to the nearest whole number, limited to 0..100
// (a value that is not a number gives 0).
int waterSectors(float water_percent);

// Appends one disc centred on (tie_x, tie_y, tie_z) in scene units, of horizontal radius `radius`, with
// `water_percent` of it blue, and sets displayCircleDiagrams. Returns the trace line "circleSize = " with the
// number of discs.
std::string initCircleDiagram(ProductionDrawing& production, float VERT_SCALE, float tie_x, float tie_y, float tie_z,
                              float radius, float water_percent);

// Where well i's disc stands: the first vertex of its shown part (where it enters the model), or the well head for
// a well that never enters the model (its shown part is then only a placeholder at the origin). False when the
// well has no vertex at all.
bool circleDiagramCentre(const Wells& wells, std::size_t i, glm::vec3& centre);

// Builds every disc anew, one per well in well order: radius discScale x 0.001 x (oil + water), water share
// water x 100 / (oil + water), circle_rotation reset. A well whose oil and water add up to 0 gets a disc of its
// centre alone, which is not drawn (its labels still stand there); a well without any vertex gets an empty one.
// Returns the trace lines.
std::vector<std::string> buildCircleDiagrams(ProductionDrawing& production, const Wells& wells, const WellSet& wellSet,
                                             const Production& volumes, float VERT_SCALE, float discScale);

}  // namespace morvane
