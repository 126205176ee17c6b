// The cumulative production of the wells, by well name: oil and water in thousand m3, gas in million m3.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace morvane {

inline constexpr float kNoVolume = -1.0f;  // a volume that was not given

struct WellVolumes {
    float oil = kNoVolume, water = kNoVolume, gas = kNoVolume;
    friend bool operator==(const WellVolumes&, const WellVolumes&) = default;
};

struct Production {
    std::map<std::string, WellVolumes, std::less<>> byWell;
    std::uint64_t revision = 0;

    // The volumes of `well`; none given when it has no entry.
    WellVolumes of(std::string_view well) const
    {
        const auto at = byWell.find(well);
        return at == byWell.end() ? WellVolumes{} : at->second;
    }
};

}  // namespace morvane
