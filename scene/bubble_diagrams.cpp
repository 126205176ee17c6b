#include "scene/bubble_diagrams.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/angles.h"
#include "core/trace_text.h"

namespace morvane {

namespace {

constexpr glm::vec3 kWaterBlue{0.0f, 0.0f, 1.0f};
constexpr glm::vec3 kOilGreen{0.0f, 1.0f, 0.0f};

void putVertex(Vertices& v, const glm::vec3& p, const glm::vec3& c)
{
    v.insert(v.end(), {p.x, p.y, p.z, c.r, c.g, c.b});
}

glm::vec3 firstVertex(const Vertices& part) { return {part[0], part[1], part[2]}; }

}  // namespace

int waterSectors(float water_percent)
{
    if (!(water_percent >= 0.0f)) return 0;  // negative, or not a number
    if (water_percent >= static_cast<float>(CIRCLE_SECTORS)) return CIRCLE_SECTORS;
    return static_cast<int>(std::lround(water_percent));
}

std::string initCircleDiagram(ProductionDrawing& production, float VERT_SCALE, float tie_x, float tie_y, float tie_z,
                              float radius, float water_percent)
{
    const int w = waterSectors(water_percent);
    const glm::vec3 centre(tie_x, tie_y, tie_z);
    const auto rim = [&](int n) {
        const float theta = (90.0f - 3.6f * static_cast<float>(n)) * kDegToRad;
        return glm::vec3(tie_x + std::cos(theta) * radius, tie_y, tie_z + std::sin(theta) * radius / VERT_SCALE);
    };
    Vertices disc;
    disc.reserve(static_cast<std::size_t>(CIRCLE_SECTORS) * 3 * 6);
    glm::vec3 colour = kWaterBlue;
    for (int s = 0; s < CIRCLE_SECTORS; ++s) {
        if (s == w) colour = kOilGreen;
        putVertex(disc, centre, colour);
        putVertex(disc, rim(s + 1), colour);
        putVertex(disc, rim(s), colour);
    }
    production.circleDiagram.push_back(std::move(disc));
    production.displayCircleDiagrams = true;
    return trace_text::line("circleSize = ", production.circleDiagram.size());
}

bool circleDiagramCentre(const Wells& wells, std::size_t i, glm::vec3& centre)
{
    const Vertices* shown = i < wells.well_coord_vertex_show.size() ? &wells.well_coord_vertex_show[i] : nullptr;
    const Vertices* hidden = i < wells.well_coord_vertex_hide.size() ? &wells.well_coord_vertex_hide[i] : nullptr;
    const bool hasShown = shown && shown->size() >= 6;
    const bool hasHidden = hidden && hidden->size() >= 6;
    // A well that never enters the model has a shown part of two vertices at the origin, drawn as nothing.
    const bool placeholder = hasShown && shown->size() == 12 && firstVertex(*shown) == glm::vec3(0.0f) &&
                             glm::vec3((*shown)[6], (*shown)[7], (*shown)[8]) == glm::vec3(0.0f) && hasHidden;
    if (hasShown && !placeholder) {
        centre = firstVertex(*shown);
        return true;
    }
    if (hasHidden) {
        centre = firstVertex(*hidden);
        return true;
    }
    return false;
}

std::vector<std::string> buildCircleDiagrams(ProductionDrawing& production, const Wells& wells, const WellSet& wellSet,
                                             const Production& volumes, float VERT_SCALE, float discScale)
{
    std::vector<std::string> trace;
    production.circleDiagram.clear();
    const std::size_t wellCount = std::min(wells.well_coord_vertex_show.size(), wellSet.items.size());
    if (production.circle_rotation.size() < wellCount) production.circle_rotation.resize(wellCount);
    for (std::size_t i = 0; i < wellCount; ++i) {
        production.circle_rotation[i] = glm::vec3(0.0f);
        glm::vec3 centre;
        if (!circleDiagramCentre(wells, i, centre)) {
            production.circleDiagram.emplace_back();
            continue;
        }
        const WellVolumes v = volumes.of(wellSet.items[i].name);
        const double oil = v.oil;
        const double water = v.water;
        const double total = oil + water;
        if (total == 0.0) {
            // Nothing produced: no disc to draw, and no share to divide.
            Vertices anchor;
            putVertex(anchor, centre, kOilGreen);
            production.circleDiagram.push_back(std::move(anchor));
            continue;
        }
        constexpr double largest = std::numeric_limits<float>::max();
        const auto radius = static_cast<float>(std::clamp(discScale * 0.001 * total, -largest, largest));
        // Shares beyond 0..100 (volumes of opposite signs) only matter as "none" or "all": kept within a float.
        const auto water_percent = static_cast<float>(std::clamp(water * 100.0 / total, -1.0, 101.0));
        trace.push_back(initCircleDiagram(production, VERT_SCALE, centre.x, centre.y, centre.z, radius, water_percent));
    }
    return trace;
}

}  // namespace morvane
