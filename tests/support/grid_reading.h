// A grid read into a grid of the document as the import does it: the input replaced only by a successful read.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "io/grid_reader.h"
#include "model/grid.h"

namespace morvane::test {

inline GridReadResult takeGridRead(Grid& grid, GridReadResult read)
{
    if (read.outcome == GridReadOutcome::Read) grid.input = std::move(read.grid);
    return read;
}

inline GridReadResult readGridInto(Grid& grid, const std::string& path)
{
    return takeGridRead(grid, readGridFile(path));
}

inline GridReadResult readGridTextInto(Grid& grid, const std::string& path, std::string_view text)
{
    return takeGridRead(grid, readGridText(path, text));
}

}  // namespace morvane::test
