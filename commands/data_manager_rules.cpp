#include "commands/data_manager_rules.h"

#include <algorithm>

#include "core/decimal_text.h"

namespace morvane {

bool isDiscreteTypeCode(int code) { return code == 1 || code == 2 || code == 7 || code == 8; }

bool isContinuousTypeCode(int code) { return (code >= 3 && code <= 6) || code == 9; }

std::vector<LoadedProperty> loadedProperties(const Properties& p)
{
    const auto& disc = p.PROP_disc_loading_name;
    const auto& cont = p.PROP_cont_loading_name;
    std::vector<LoadedProperty> out;
    out.reserve(p.propertyNameAll.size());
    std::size_t d = 0;
    std::size_t c = 1;  // entry 0 is the placeholder "grid"
    for (std::size_t n = 0; n < p.propertyNameAll.size(); ++n) {
        LoadedProperty entry;
        entry.name = p.propertyNameAll[n];
        entry.typeCode = n + 1 < p.PROP_type.size() ? p.PROP_type[n + 1] : 0;
        const bool nextDisc = d < disc.size() && disc[d] == entry.name;
        const bool nextCont = c < cont.size() && cont[c] == entry.name;
        // Both lists may hold the name next (the same name loaded as codes and as values): the type decides.
        const bool discrete = nextDisc && (!nextCont || !isContinuousTypeCode(entry.typeCode));
        if (discrete) {
            entry.discrete = true;
            entry.perKindIndex = static_cast<int>(++d);
        } else if (nextCont) {
            entry.perKindIndex = static_cast<int>(c++);
        } else {
            entry.discrete = isDiscreteTypeCode(entry.typeCode);  // not found: perKindIndex stays 0
        }
        out.push_back(std::move(entry));
    }
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
        if ((p.typeCode == 7 || p.typeCode == 8) && p.discrete && p.perKindIndex > 0)
            out.push_back({p.name, static_cast<int>(n), p.perKindIndex});
    }
    return out;
}

std::vector<int> regionCodes(const Properties& properties, int perKindIndex)
{
    if (perKindIndex < 1) return {};
    const auto index = static_cast<std::size_t>(perKindIndex - 1);
    if (index < properties.PROP_disc_codes.size()) return properties.PROP_disc_codes[index];
    // Codes not listed at load: taken from the values themselves.
    if (index >= properties.PROP_disc_loading.size()) return {};
    std::vector<int> codes = properties.PROP_disc_loading[index];
    std::sort(codes.begin(), codes.end());
    codes.erase(std::unique(codes.begin(), codes.end()), codes.end());
    return codes;
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

void storeZones(const std::vector<ZoneRow>& zones, Contacts& contacts)
{
    const std::size_t count = std::min<std::size_t>(zones.size(), MAX_ZONES);
    contacts.ZONE_count = static_cast<int>(count);
    for (std::size_t n = 0; n < count; ++n) {
        contacts.ZONE_names[n] = zones[n].name;
        contacts.ZONE_start[n] = zones[n].start;
    }
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
