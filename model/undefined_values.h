// Values that stand for no value. Exports write a marker number (-999, -999.25, -9999, 1e20, ...) into the cells
// that have none; read as a number it would stretch the range, the colour limits and the code shares. A marker is
// read as no value: a continuous cell holds kNoValue (NaN), a cell of codes kUndefinedCode.
//
// The markers are the user's choice (a line of numbers in the settings); a file may declare its own in a comment
// line of its header ("-- Undefined value: -999", "-- NULL value = -999.25", "-- nodata -9999").
#pragma once

#include <cmath>
#include <cstddef>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace morvane {

// A continuous cell without a value.
inline constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();
inline bool isNoValue(double value) { return std::isnan(value); }

// The markers read as no value. A value is a marker when it equals one to within a relative 1e-7, so a marker that
// went through single precision (-999.99 as -999.98999) is still found.
class UndefinedMarkers {
public:
    UndefinedMarkers() = default;
    explicit UndefinedMarkers(std::vector<double> markers);

    // The well-known markers of reservoir exports: -999, -999.25, -999.99, -9999, -99999, 1e20, -1e20, 1e30, -1e30.
    static const UndefinedMarkers& standard();

    // The index in values() of the marker `value` is, or -1.
    int find(double value) const
    {
        if (!(value <= -minMagnitude_ || value >= minMagnitude_)) return -1;
        return findSlow(value);
    }
    const std::vector<double>& values() const { return markers_; }
    bool empty() const { return markers_.empty(); }
    // These and `more` (each once).
    UndefinedMarkers with(const std::vector<double>& more) const;

private:
    int findSlow(double value) const;
    std::vector<double> markers_;
    double minMagnitude_ = std::numeric_limits<double>::infinity();  // the smallest |marker|: a quick way out
};

// The markers of a line of numbers separated by blanks, ";" or "|" ("." or "," as the decimal separator), or the
// first word that is no number.
struct MarkerListParse {
    std::vector<double> markers;
    std::string badWord;  // empty when every word is a number
};
MarkerListParse parseMarkerList(std::string_view text);

// The markers of the user's setting: its numbers, or the standard markers when a word of it is no number.
UndefinedMarkers markersOfSetting(std::string_view text);

// The markers as a line of numbers, shortest exact form each: "-999 -999.25 1e+20".
std::string markerListText(const std::vector<double>& markers);

// The shortest text that reads back as `value` ("-999.25", "1e+20").
std::string shortestNumberText(double value);

// The markers a file declares in the comment lines of its header (the lines before its first line of values) or in
// the comment lines right above `valuesBegin`: a comment whose words, in any case, say "undefined", "null",
// "nodata", "no data", "no-data" or "missing value", followed (after an optional "value", ":" or "=") by a
// number.
std::vector<double> declaredMarkers(std::string_view text, std::size_t valuesBegin);

}  // namespace morvane
