// A colour as the model keeps it: red, green and blue from 0 to 1.
#pragma once

namespace morvane {

struct Rgb {
    float r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

}  // namespace morvane
