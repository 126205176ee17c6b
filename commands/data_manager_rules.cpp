#include "commands/data_manager_rules.h"

#include <algorithm>

#include "core/decimal_text.h"

namespace morvane {

bool isDiscreteTypeCode(int code) { return code == 1 || code == 2 || code == 7 || code == 8; }

bool isContinuousTypeCode(int code) { return (code >= 3 && code <= 6) || code == 9; }

std::vector<LoadedProperty> loadedProperties(const PropertySet& properties)
{
    std::vector<LoadedProperty> out;
    out.reserve(properties.items.size());
    for (const Property& p : properties.items) out.push_back({p.name, static_cast<int>(p.kind), p.discrete});
    return out;
}

int acceptedTypeChoice(bool discrete, int current, int chosen)
{
    if (chosen == 0) return chosen;
    if (chosen < 0 || chosen >= TYPE_CODE_COUNT) return current;
    const bool fits = discrete ? isDiscreteTypeCode(chosen) : isContinuousTypeCode(chosen);
    return fits ? chosen : current;
}

std::vector<RegionChoice> regionChoices(const std::vector<LoadedProperty>& loaded)
{
    std::vector<RegionChoice> out;
    for (std::size_t n = 0; n < loaded.size(); ++n) {
        const LoadedProperty& p = loaded[n];
        if ((p.typeCode == 7 || p.typeCode == 8) && p.discrete) out.push_back({p.name, static_cast<int>(n)});
    }
    return out;
}

std::vector<int> regionCodes(const PropertySet& properties, const std::string& name)
{
    const Property* p = properties.find(name);
    if (!p || !p->discrete) return {};
    return p->distinctCodes;
}

int zoneCheckFailures(const std::vector<ZoneRow>& zones)
{
    if (zones.size() < 2) return 0;
    int failures = 0;
    for (std::size_t n = 0; n + 1 < zones.size(); ++n) {
        const ZoneRow& zone = zones[n];
        const ZoneRow& next = zones[n + 1];
        if (zone.end == 0 || next.start == 0 || zone.end != next.start - 1 || zone.start > zone.end) ++failures;
    }
    return failures;
}

bool zonesPass(const std::vector<ZoneRow>& zones) { return zones.size() >= 2 && zoneCheckFailures(zones) == 0; }

void storeZones(const std::vector<ZoneRow>& rows, Zones& zones)
{
    const std::size_t count = std::min<std::size_t>(rows.size(), MAX_ZONES);
    zones.items.clear();
    for (std::size_t n = 0; n < count; ++n) zones.items.push_back({rows[n].name, rows[n].start});
    ++zones.revision;
}

std::optional<double> readDepth(std::string_view text) { return parseDecimalText(text); }

std::optional<double> readUniformDepth(std::string_view text)
{
    if (text == "0") return std::nullopt;
    return readDepth(text);
}

bool applyEnabled(const ApplyGate& gate)
{
    return gate.changed && gate.codeRowsReadable && !(gate.zoneCount >= 2 && gate.zoneFailures > 0);
}

}  // namespace morvane
