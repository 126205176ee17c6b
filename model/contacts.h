// The fluid contacts and zones of the document: an oil-water (OWC) and a gas-oil (GOC) contact, each set at one
// level for the whole model or at a level per region code of a property of codes, and the zones the layers are
// split into.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace morvane {

enum class ContactKind { OWC, GOC };

// "OWC" or "GOC".
inline const char* contactName(ContactKind kind) { return kind == ContactKind::OWC ? "OWC" : "GOC"; }

struct FluidContact {
    bool set = false;
    bool uniform = true;
    float level = 0;                   // uniform: the level in model units (a depth below datum is negative)
    std::string regionProperty;        // regional: the property of codes whose codes pick each column's level
    std::vector<float> codes, levels;  // regional: code and level (model units) of each row given a depth, in order
    int rowCount = 0;                  // regional: the code rows listed when it was set, with a depth or not
};

struct Contacts {
    FluidContact owc, goc;
    std::uint64_t revision = 0;

    FluidContact& operator[](ContactKind kind) { return kind == ContactKind::OWC ? owc : goc; }
    const FluidContact& operator[](ContactKind kind) const { return kind == ContactKind::OWC ? owc : goc; }
};

// A zone: its name and its first layer (1-based); it ends where the next one starts.
struct Zone {
    std::string name;
    int firstLayer = 0;
};

struct Zones {
    std::vector<Zone> items;
    std::uint64_t revision = 0;
};

}  // namespace morvane
