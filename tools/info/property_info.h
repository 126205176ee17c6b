// The report of morvane-info for a property file: one JSON object per property, in file order, read as the viewer
// reads it. Without a grid every property is judged by its values alone; with a grid each is also checked against
// it as the import would, with the message the user would see.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/grid.h"
#include "tools/info/json_object.h"

namespace morvane::info {

struct PropertyList {
    std::vector<JsonObject> objects;  // the properties in file order, then the blocks left out
    int properties = 0;               // how many of the objects are properties
    int accepted = 0;                 // with a grid: how many properties fit it
};

// Per property "name", "keyword" (the keyword line above the marker, "" when there is none), "line" (of its
// marker), "kind" ("discrete" or "continuous"), "count" (values after n*v expansion), "min", "max" (of the values
// that are no marker of no value; null without such values), "undefined" (the cells holding such a marker: one of
// UndefinedMarkers::standard() or one the file declares), for a discrete property "codes" (code -> cells, markers
// left out), for a continuous property "scale" ("log" for a permeability by its name or keyword, as the viewer starts
// it, else "linear"), and "problem" when a word before the "/" is no number.
// Then per block of values no marker names: "name" (the keyword above it), "line", "conformity": "dropped" and
// "message" (the import's line about it, naming `fileName`).
PropertyList propertyInfo(std::string_view text, std::string_view fileName = {});

// The same for a grid of `gridSize` cells, a file without markers read as keyword blocks; each property also with
// "conformity" ("accepted" or "rejected"), "message" (the message box of a rejection, "" otherwise) and
// "messages" (the import's log lines about it), and each block left out as above; `lang` chooses the language of
// the messages as the viewer's setting does.
PropertyList propertyInfo(std::string_view text, int gridSize, std::string_view fileName, std::string_view lang = "en");

// The file's text as the import decodes it (UTF-8, or Windows-1251 turned into UTF-8). False when unreadable,
// with the reason (a folder, a pipe, no permission, ...) in `why` when given.
bool readTextFile(const std::string& path, std::string& text, std::string* why = nullptr);

// The cell count of the grid file at `path` once read and built as the grid import does, or why it cannot be had;
// with `extent`, also the model's extent.
bool gridCells(const std::string& path, int& cells, std::string& why, GridExtent* extent = nullptr);

// True when the text holds at least one property marker.
bool isPropertyText(std::string_view text);

// [{...}, {...}]
std::string jsonArray(const std::vector<JsonObject>& objects);

}  // namespace morvane::info
