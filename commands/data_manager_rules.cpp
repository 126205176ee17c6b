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

std::optional<double> readContactDepth(std::string_view text)
{
    const std::optional<double> depth = parseDecimalText(text);
    if (!depth || !(*depth > 0) || *depth > kDeepestContact) return std::nullopt;
    return depth;
}

std::string contactDepthProblem(std::string_view text, std::string_view contactName, const std::string& lang)
{
    if (readContactDepth(text)) return {};
    const bool ru = lang == "ru";
    const std::string quoted = ru ? "«" + std::string(text) + "»" : "\"" + std::string(text) + "\"";
    const std::string head = (ru ? "Глубина " : "The ") + std::string(contactName) + (ru ? " " : " depth ") + quoted;
    const std::optional<double> depth = parseDecimalText(text);
    if (!depth || *depth == 0)
        return head + (ru ? " не является числом (или равна 0)." : " is not a number (or is 0).");
    if (*depth < 0) {
        const std::string down(text.substr(text.find('-') + 1));
        return head + (ru ? " выше уровня отсчёта: глубина задаётся в метрах ниже уровня отсчёта, вниз положительно (" +
                                down + ")."
                          : " lies above datum: depths are in metres below datum, positive down (" + down + ").");
    }
    return head +
           (ru ? " глубже любой залежи (более 20 000 м)." : " is deeper than any reservoir (more than 20 000 m).");
}

CodeRowDepth readCodeRowDepth(std::string_view text)
{
    CodeRowDepth row;
    bool blank = true;
    for (const char c : text) blank = blank && (c == ' ' || c == '\t');
    if (blank) {
        row.readable = true;
        return row;
    }
    row.depth = readContactDepth(text);
    row.readable = row.depth.has_value();
    return row;
}

bool applyEnabled(const ApplyGate& gate)
{
    return gate.changed && gate.codeRowsReadable && !(gate.zoneCount >= 2 && gate.zoneFailures > 0);
}

}  // namespace morvane
