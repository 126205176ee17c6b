// Asking what a cell is: the user picks a cell on the model (Ctrl+click or a double-click) and the status bar says
// its I, J, K in the file's numbering and the displayed property's value there, while the view marks the cell.
#pragma once

#include <optional>
#include <string>

#include "commands/model_state.h"
#include "scene/cell_outline.h"

namespace morvane {

struct CellPick {
    std::optional<CellAddress> address;  // nothing: no cell under the pointer
    std::string status;                  // for the status bar, in the interface language
};

// The pick's outcome. A cell is marked (its outline in picked_cell_lines, which the view then uploads); a miss, or
// a hit that does not belong to the grid, clears the mark.
CellPick pickCell(ModelState& s, const std::optional<CellHit>& hit);

// What the status bar says of a picked cell ("Cell I = 4, J = 3, K = 1: PORO = 0.2134") or of a miss, in the
// interface language and with the property displayed now: said again when either changes.
std::string pickedCellStatus(const ModelState& s, const std::optional<CellAddress>& address);

// The displayed property at the cell as the status bar shows it ("PORO = 0.2134", "FACIES = 3", "PORO undefined"),
// or "" while the grid itself is shown or the property does not cover the cell.
std::string displayedValueText(const ModelState& s, const CellAddress& address);

}  // namespace morvane
