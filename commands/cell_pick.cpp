#include "commands/cell_pick.h"

#include <cstdio>

#include "core/localisation.h"
#include "scene/property_colouring.h"

namespace morvane {

namespace {

constexpr TextPair kCell{"Cell", "Ячейка"};
constexpr TextPair kUndefined{"undefined", "не определено"};
constexpr TextPair kNoCell{"No cell under the pointer", "Под указателем нет ячейки"};

std::string shortNumber(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

}  // namespace

std::string displayedValueText(const ModelState& s, const CellAddress& address)
{
    // The values the cells are coloured from: the shown property (none over the bare grid).
    const Property* shown = s.document.properties.find(s.view.shownProperty);
    if (!shown) return "";
    const std::size_t index = cellIndex(s.document.grid, address);
    if (index >= shown->size()) return "";
    const std::string undefined = shown->name + " " + kUndefined.in(s.view.language);
    if (shown->discrete) {
        const int code = shown->codes[index];
        return code == kUndefinedCode ? undefined : shown->name + " = " + std::to_string(code);
    }
    const double value = shown->values[index];
    if (isNoValue(value) || value == UNDEFINED_VALUE) return undefined;
    return shown->name + " = " + shortNumber(value);
}

std::string pickedCellStatus(const ModelState& s, const std::optional<CellAddress>& address)
{
    if (!address) return kNoCell.in(s.view.language);
    const CellAddress& a = *address;
    std::string status = kCell.in(s.view.language) + " I = " + std::to_string(a.i) + ", J = " + std::to_string(a.j) +
                         ", K = " + std::to_string(a.k);
    const std::string value = displayedValueText(s, a);
    if (!value.empty()) status += ": " + value;
    return status;
}

CellPick pickCell(ModelState& s, const std::optional<CellHit>& hit)
{
    CellPick pick;
    if (hit) pick.address = cellAddress(s.document.grid, *hit);
    s.picked_cell_lines = pick.address ? cellOutline(s.document.grid, *hit) : Vertices{};
    pick.status = pickedCellStatus(s, pick.address);
    return pick;
}

}  // namespace morvane
