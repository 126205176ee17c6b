// Production shown as circle diagrams: the production toggle, the rebuild of the discs when the exaggeration
// changes, and production read from a file (the command line).
#pragma once

#include <array>
#include <string>
#include <vector>

#include "commands/model_state.h"
#include "core/feedback.h"
#include "core/user_prompts.h"
#include "io/production_reader.h"
#include "scene/scene_operations.h"

namespace morvane {

struct ProductionContext {
    ModelState& state;
    Feedback& feedback;
    SceneOperations& view;
    UserPrompts& prompts;
};

// Builds every disc anew from the production, the bubble factor and the exaggeration, and uploads them (the
// upload replaces the objects of the discs before).
void rebuildCircleDiagrams(ModelState& s, SceneOperations& view, Feedback& feedback);

// The production button: with no well loaded, a message and nothing else; otherwise a button that was not pressed
// switches the display on and builds the discs, and a pressed one switches it off (the discs are kept). Returns
// whether the button is pressed afterwards.
bool toggleProductionDisplay(const ProductionContext& ctx, bool pressed);

// The exaggeration slider released: while the production button is pressed the display comes back with its discs
// rebuilt for the new exaggeration.
void vertScaleReleased(ModelState& s, SceneOperations& view, Feedback& feedback, bool productionPressed);

// A loaded well given on more than one row: the rows' lines in file order; the last one's volumes are kept.
struct ProductionRepeat {
    std::string name;
    std::vector<int> lines;
};

struct ProductionMatch {
    int wells = 0;                           // wells that took volumes
    std::vector<std::string> unknown;        // names of rows for which no well is loaded, each once, in file order
    std::vector<ProductionRepeat> repeated;  // loaded wells given on several rows, in the order of their first row
};

// Puts the rows' volumes on the loaded wells of the same name (spaces are not part of well names; a later row of
// the same name wins, and the well is listed in `repeated`). Other wells keep their volumes.
ProductionMatch applyProductionRows(Production& production, const WellSet& wells,
                                    const std::vector<ProductionRow>& rows);

struct ProductionImport : ProductionMatch {
    bool read = false;  // the file was read and its rows applied
};

// A production file read into the data manager's table rather than into the document: the volume cells of the
// table's wells it names (matched as applyProductionRows matches them; written as the cells show volumes), the names
// it gives that the table does not list, and one line saying how the file was understood (separator, decimal mark,
// header, rows and wells), or why it was refused, naming the file, in `lang`. Nothing changes until Apply.
struct ProductionFileFill {
    bool read = false;
    std::vector<std::array<std::string, 3>> cells;  // per table row; rows the file does not name stay empty
    std::vector<bool> named;                        // per table row: the file gives its volumes
    std::vector<std::string> unknown;
    std::string summary;
};
ProductionFileFill readProductionFileForTable(const std::string& path, const std::vector<std::string>& wellNames,
                                              const std::string& lang);

// Reads a production file (UTF-8 or Windows-1251) and applies it. The log says what happened: the file opened, a
// red line when it cannot be read or a line of it is wrong (nothing changes then), a red line naming the wells that
// are not loaded, an orange line per volume beyond any well's and per well given on several rows (which row is
// kept), and a green line with the number of wells that took volumes.
ProductionImport importProductionFile(ModelState& s, Feedback& feedback, const std::string& path);

}  // namespace morvane
