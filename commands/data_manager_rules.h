// The data manager's rules, free of widgets: which type a property may be given, which properties can carry
// regional contacts, when the zones are consistent, how typed depths are read, and when Apply may be pressed.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "commands/model_state.h"
#include "model/contacts.h"
#include "model/property_set.h"

namespace morvane {

// Type codes: 0 none, 1 lithology, 2 facies, 3 NTG, 4 porosity, 5 permeability, 6 water saturation, 7 regions,
// 8 discrete, 9 continuous. Lithology, facies, regions and discrete describe codes; the others values.
inline constexpr int TYPE_CODE_COUNT = 10;
bool isDiscreteTypeCode(int code);
bool isContinuousTypeCode(int code);

// A loaded property as the data manager lists it: its name, its type code and whether it holds codes.
struct LoadedProperty {
    std::string name;
    int typeCode = 0;
    bool discrete = false;
};

// One entry per loaded property, in load order.
std::vector<LoadedProperty> loadedProperties(const PropertySet& properties);

// The choice the type list keeps when the user picks `chosen` for a property whose code is `current`: codes that
// describe values are refused for a property loaded as codes and the other way round (the list returns to
// `current`); the empty item is always accepted. `discrete` is how the property was loaded.
int acceptedTypeChoice(bool discrete, int current, int chosen);

// A property that can carry regional contacts: typed regions or discrete, and loaded as codes.
struct RegionChoice {
    std::string name;
    int property = 0;  // among the loaded properties
};
std::vector<RegionChoice> regionChoices(const std::vector<LoadedProperty>& loaded);

// The distinct codes of the property of codes called `name`, ascending; none when there is no such property.
std::vector<int> regionCodes(const PropertySet& properties, const std::string& name);

// Zones: a zone has a name and a first layer (1-based); it ends where the next one starts. At most six are made.
inline constexpr int MAX_ZONES = 6;
struct ZoneRow {
    std::string name;
    int start = 0;  // first layer; 0 when nothing is chosen
    int end = 0;    // last layer; 0 when nothing is chosen
};

// Consecutive zones that do not fit together: an end or the next start not chosen, an end that is not the next
// start minus one, or a zone that ends above its start. Checked for two zones or more only.
int zoneCheckFailures(const std::vector<ZoneRow>& zones);
// The zones can be stored: at least two, all fitting together.
bool zonesPass(const std::vector<ZoneRow>& zones);
// The document's zones from the rows (at most the first six).
void storeZones(const std::vector<ZoneRow>& rows, Zones& zones);

// A contact depth typed in metres below datum, positive down, with "." or "," as the decimal separator: a number
// above 0 and no deeper than kDeepestContact. Zero (also "-0" or "0.0") is no depth, a negative one would lie above
// datum (the depth was typed as a level), and a number beyond any reservoir is a typing slip: all are refused.
inline constexpr double kDeepestContact = 20000.0;
std::optional<double> readContactDepth(std::string_view text);
// Why `text` is no contact depth, said in `lang` after the contact's name ("The OWC depth ..."): not a number, zero,
// above datum or too deep. Empty for a depth readContactDepth accepts.
std::string contactDepthProblem(std::string_view text, std::string_view contactName, const std::string& lang);
// A code row's depth of a regional contact: empty is a code without a contact (no surface over its columns),
// otherwise as readContactDepth. Nothing for a text that is neither.
struct CodeRowDepth {
    bool readable = false;
    std::optional<double> depth;  // metres below datum; none for an empty row
};
CodeRowDepth readCodeRowDepth(std::string_view text);

// Apply may be pressed when something was changed, no code row of a regional contact in use is unreadable, and the
// zones (when there are two or more) fit together.
struct ApplyGate {
    bool changed = false;
    bool codeRowsReadable = true;
    int zoneCount = 0;
    int zoneFailures = 0;
};
bool applyEnabled(const ApplyGate& gate);

}  // namespace morvane
