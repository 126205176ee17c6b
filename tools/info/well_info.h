// The report of morvane-info for a deviation (.dev) file: what the well reader makes of it, as the import command
// would see it before the column dialog.
#pragma once

#include <string>
#include <string_view>

#include "model/grid.h"
#include "tools/info/json_object.h"

namespace morvane::info {

// "layout" ("export" or "foreign", the other tool's layout the viewer refuses), "name", "columns" (the header's
// words), "rows" (data lines), the preselected "md", "x", "y", "z" column indices (-1 when no column has that
// name), "first" and "last" (the numbers of the first and last data line; [] without rows, null for a word that
// is no number), then what the import makes of it with the preselection: "points" (the trajectory's points) and
// "messages" (its log lines in English, in order: refusals, data lines not used, gaps, and with `grid` points far
// outside that grid). `loadable` tells whether the viewer would load it with the preselection: export layout, a
// name, all four columns, a usable row. `fileName` is the name the messages give the file.
JsonObject wellInfoFromText(const std::string& text, bool& loadable, std::string_view fileName = {},
                            const GridExtent* grid = nullptr);

// The same for the file at `path` (decoded as the viewer decodes it). Throws std::runtime_error when it cannot be
// read.
JsonObject wellInfo(const std::string& path, bool& loadable, const GridExtent* grid = nullptr);

// Whether the file at `path` starts like a deviation file (see looksLikeWellText); false when it cannot be read.
bool isWellFile(const std::string& path);

}  // namespace morvane::info
