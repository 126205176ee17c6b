// The camera: the eye stays where it is and looks down the z axis; the model is moved (`position`), turned
// (`rotation`, degrees) and scaled (`scale`, its z being the vertical exaggeration) in front of it.
//
// Units: positions are file values divided by the grid's coordinate scale (metres become kilometres); depths are
// negated, so a depth below datum is a negative elevation.
#pragma once

#include <glm/glm.hpp>

namespace morvane {

// Where the model starts before a grid places the camera on itself.
namespace initial {
inline constexpr glm::vec3 position{-548.9129f, -6414.604f, 2.298867f};
inline constexpr glm::vec3 rotation{-70.0f, 0.0f, 0.0f};
inline constexpr float verticalScale = 5.0f;
}  // namespace initial

// The fixed eye and lens of every view.
namespace eye {
inline constexpr glm::vec3 position{0.0f, 0.0f, 3.0f};
inline constexpr glm::vec3 target{0.0f, 0.0f, 0.0f};
inline constexpr glm::vec3 up{0.0f, 1.0f, 0.0f};
inline constexpr float fieldOfView = 40.0f;  // degrees, vertical
inline constexpr float nearPlane = 0.5f;
inline constexpr float farPlane = 1000.0f;
}  // namespace eye

struct Camera {
    glm::vec3 position = initial::position;
    glm::vec3 rotation = initial::rotation;
    glm::vec3 scale{1.0f, 1.0f, initial::verticalScale};
    float verticalScale = initial::verticalScale;  // the exaggeration the slider and the W/S keys set
    friend bool operator==(const Camera&, const Camera&) = default;
};

}  // namespace morvane
