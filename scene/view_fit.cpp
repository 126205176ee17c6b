#include "scene/view_fit.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <glm/gtc/matrix_transform.hpp>

namespace morvane {

namespace {

constexpr float kDegToRad = 3.14159265358979323846f / 180.0f;
constexpr float kCameraDistance = 3.0f;  // the fixed camera stands at (0, 0, 3) looking at the origin
constexpr float kMargin = 0.9f;          // a fitted box keeps a tenth of the view free on its tightest side
// How far beyond the view's edge (in half views) a corner of the model may lie at load before the view is fitted.
constexpr float kCutOffAtLoad = 1.25f;

glm::mat4 rotationOf(const ViewState& c)
{
    glm::mat4 m(1.0f);
    m = glm::rotate(m, c.camera.rotation.x * kDegToRad, glm::vec3(1, 0, 0));
    m = glm::rotate(m, c.camera.rotation.y * kDegToRad, glm::vec3(0, 1, 0));
    return glm::rotate(m, c.camera.rotation.z * kDegToRad, glm::vec3(0, 0, 1));
}

bool orthographic(const ViewState& c) { return c.camera.rotation.x == 0 && c.display.orthographicTopView; }

float aspectOf(const ViewState& c) { return c.frame.ratio > 0 ? c.frame.ratio : 1.0f; }

template <class Visit>
void forEachCorner(const ModelBox& b, Visit&& visit)
{
    for (int n = 0; n < 8; ++n)
        visit(glm::vec3((n & 1) ? b.max.x : b.min.x, (n & 2) ? b.max.y : b.min.y, (n & 4) ? b.max.z : b.min.z));
}

}  // namespace

ModelBox modelBox(const Grid& g)
{
    return {{g.extent.xMin, g.extent.yMin, g.extent.zMin}, {g.extent.xMax, g.extent.yMax, g.extent.zMax}};
}

bool boxInView(const ModelBox& box, const ViewState& c, float slack)
{
    const float aspect = aspectOf(c);
    const glm::mat4 projection =
        orthographic(c) ? glm::orthoRH_NO(-1.0f, 1.0f, -1.0f / aspect, 1.0f / aspect, eye::nearPlane, eye::farPlane)
                        : glm::perspectiveRH_NO(eye::fieldOfView * kDegToRad, aspect, eye::nearPlane, eye::farPlane);
    const glm::mat4 view = glm::lookAtRH(eye::position, eye::target, eye::up);
    const glm::mat4 model = glm::translate(glm::scale(rotationOf(c), c.camera.scale), c.camera.position);
    const glm::mat4 all = projection * view * model;
    bool inside = true;
    forEachCorner(box, [&](const glm::vec3& corner) {
        const glm::vec4 clip = all * glm::vec4(corner, 1.0f);
        if (!(clip.w > 0)) {
            inside = false;
            return;
        }
        const glm::vec3 ndc = glm::vec3(clip) / clip.w;
        if (!(std::abs(ndc.x) <= slack && std::abs(ndc.y) <= slack && std::abs(ndc.z) <= 1)) inside = false;
    });
    return inside;
}

void fitView(const ModelBox& box, ViewState& c)
{
    const glm::vec3 centre = (box.min + box.max) * 0.5f;
    const float exaggeration = c.camera.scale.x != 0 ? c.camera.scale.z / c.camera.scale.x : c.camera.verticalScale;
    const glm::mat3 turn(rotationOf(c));
    const float aspect = aspectOf(c);
    const float f = 1.0f / std::tan(eye::fieldOfView * kDegToRad / 2);
    float s = std::numeric_limits<float>::infinity();
    auto bound = [&s](float numerator, float denominator) {
        if (denominator > 0) s = std::min(s, numerator / denominator);
    };
    forEachCorner(box, [&](const glm::vec3& corner) {
        const glm::vec3 d = corner - centre;
        const glm::vec3 q = turn * glm::vec3(d.x, d.y, exaggeration * d.z);
        if (orthographic(c)) {
            bound(kMargin, std::abs(q.x));
            bound(kMargin, aspect * std::abs(q.y));
            return;
        }
        // Seen at distance 3 - s qz, a corner stays within the margin while s (f/aspect |qx| + margin qz) <= 3 margin.
        bound(kCameraDistance * kMargin, f / aspect * std::abs(q.x) + kMargin * q.z);
        bound(kCameraDistance * kMargin, f * std::abs(q.y) + kMargin * q.z);
        bound(kCameraDistance - eye::nearPlane - 0.01f, q.z);
        bound(eye::farPlane - kCameraDistance - 1.0f, -q.z);
    });
    if (!std::isfinite(s) || !(s > 0)) return;  // a box without extent: nothing to frame
    c.camera.position = -centre;
    c.camera.scale = glm::vec3(s, s, exaggeration * s);
}

bool placeCameraOnGrid(const Grid& grid, ViewState& camera, std::vector<std::string>* trace)
{
    const GridExtent& e = grid.extent;
    // Scale so that the model's larger horizontal extent fills the view: 1.8475 for 1 km, about 0.353 for 10 km.
    const float extent = std::max(e.xMax - e.xMin, e.yMax - e.yMin);
    float s = 1.0f;
    if (extent > 0 && std::isfinite(extent)) s = static_cast<float>(1.8475 * std::pow(double(extent), -0.719));
    camera.camera.position = glm::vec3(-(e.xMin + e.xMax) / 2, -(e.yMin + e.yMax) / 2, -e.centreZ);
    camera.camera.scale = glm::vec3(s, s, camera.camera.verticalScale * s);
    // The usual placement often leaves a near corner just outside the view, which is how models have always been
    // shown; a model cut off further than that (a thick grid in feet fills the view with one corner) is fitted.
    const ModelBox box = modelBox(grid);
    if (boxInView(box, camera, kCutOffAtLoad)) return false;
    fitView(box, camera);
    if (trace) trace->push_back("view fitted to the model");
    return true;
}

}  // namespace morvane
