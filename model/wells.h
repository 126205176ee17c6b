// The wells of the document: each with its name and its trajectory as surveyed.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace morvane {

struct Well {
    std::string name;
    std::vector<std::vector<float>> trajectory;  // per survey point: MD, X, Y, Z in file units (Z an elevation)
};

struct WellSet {
    std::vector<Well> items;  // in load order
    std::uint64_t revision = 0;

    const Well* find(std::string_view name) const
    {
        for (const Well& w : items)
            if (w.name == name) return &w;
        return nullptr;
    }
    bool empty() const { return items.empty(); }
    void add(Well well)
    {
        items.push_back(std::move(well));
        ++revision;
    }
};

}  // namespace morvane
