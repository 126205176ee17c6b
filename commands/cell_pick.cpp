#include "commands/cell_pick.h"

#include <cstdio>

#include "core/localisation.h"
#include "scene/property_colouring.h"

namespace morvane {

namespace {

constexpr int kGridPlaceholderType = 10;  // the type code of the placeholder property "grid"

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
    // The values the cells are coloured from: after an import that is the new property, before any tree click.
    if (!s.propLoaded || s.displayGrid || s.PROP_type_displaying == kGridPlaceholderType || s.coloured_kind_entry < 0)
        return "";
    const std::size_t index = cellIndex(s.document.grid, address);
    const auto entry = static_cast<std::size_t>(s.coloured_kind_entry);
    const std::vector<std::string>& names = s.coloured_discrete ? s.PROP_disc_loading_name : s.PROP_cont_loading_name;
    const std::string name = entry < names.size() ? names[entry] : s.PROP_name_displaying;
    if (name == PLACEHOLDER_PROPERTY) return "";
    if (s.coloured_discrete) {
        if (entry >= s.PROP_disc_loading.size() || index >= s.PROP_disc_loading[entry].size()) return "";
        return name + " = " + std::to_string(s.PROP_disc_loading[entry][index]);
    }
    if (entry >= s.PROP_cont_loading.size() || index >= s.PROP_cont_loading[entry].size()) return "";
    const double value = s.PROP_cont_loading[entry][index];
    if (value == UNDEFINED_VALUE) return name + " " + kUndefined.in(s.Lang);
    return name + " = " + shortNumber(value);
}

std::string pickedCellStatus(const ModelState& s, const std::optional<CellAddress>& address)
{
    if (!address) return kNoCell.in(s.Lang);
    const CellAddress& a = *address;
    std::string status = kCell.in(s.Lang) + " I = " + std::to_string(a.i) + ", J = " + std::to_string(a.j) +
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
