// The report of morvane-info for a property file: one JSON object per property, in file order, read as the viewer
// reads it. Without a grid every property is judged by its values alone; with a grid each is also checked against
// it as the import would, with the message the user would see.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tools/info/json_object.h"

namespace morvane::info {

// "name", "keyword" (the keyword line above the marker, "" when there is none), "kind" ("discrete" or
// "continuous"), "count" (values after n*v expansion), "min", "max" (null without values), for a discrete
// property "codes" (code -> cells), and "problem" when a word before the "/" is no number.
std::vector<JsonObject> propertyInfo(std::string_view text);

// The same, each with "conformity" ("accepted" or "rejected") and "message" (the message box of a rejection, ""
// otherwise) for a grid of `gridSize` cells; `lang` chooses the language of the message as the viewer's setting
// does.
std::vector<JsonObject> propertyInfo(std::string_view text, int gridSize, std::string_view lang = "en");

// The file's text as the import decodes it (UTF-8, or Windows-1251 turned into UTF-8). False when unreadable,
// with the reason (a folder, a pipe, no permission, ...) in `why` when given.
bool readTextFile(const std::string& path, std::string& text, std::string* why = nullptr);

// The cell count of the grid file at `path` once read and built as the grid import does, or why it cannot be had.
bool gridCells(const std::string& path, int& cells, std::string& why);

// True when the text holds at least one property marker.
bool isPropertyText(std::string_view text);

// [{...}, {...}]
std::string jsonArray(const std::vector<JsonObject>& objects);

}  // namespace morvane::info
