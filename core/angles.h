// Angles are kept in degrees in the model state (rotation, tilt, field of view) and turned into radians where they
// are used, in single precision.
#pragma once

#include <numbers>

namespace morvane {

inline constexpr float kDegToRad = std::numbers::pi_v<float> / 180.0f;

}  // namespace morvane
