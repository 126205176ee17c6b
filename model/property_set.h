// The cell properties of the document, by name: each with its kind, its values (or codes), its range and colour
// limits and, for a property of codes, the share of cells holding each code; beside them the colours each kind is
// drawn in. A property is known by its name alone: the tree, the legend, the filter and the contacts all find it so.
#pragma once

#include <array>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "model/colour.h"
#include "model/undefined_values.h"

namespace morvane {

// The kinds a user gives a property (the codes of the kind dialog and of the files that record them).
enum class PropertyKind : int {
    Unset = 0,
    Lithology = 1,
    Facies = 2,
    NetToGross = 3,
    Porosity = 4,
    Permeability = 5,
    WaterSaturation = 6,
    Regions = 7,
    Discrete = 8,
    Continuous = 9,
};
inline constexpr int kPropertyKindCount = 10;

// Kinds that make a property a property of codes whatever its values look like.
bool isCodeKind(PropertyKind kind);
// The kind for a code of the kind dialog; codes outside 0..9 are Unset.
PropertyKind propertyKindOf(int code);

// The code of a cell without a code: a value in a property of codes that is not a whole number, or a marker of no
// value (model/undefined_values.h). Drawn in the undefined colour, left out of the property's codes, shares and range.
inline constexpr int kUndefinedCode = INT_MIN;

// One property: one value (or code) per grid cell, layer after layer, row after row.
struct Property {
    std::string name;
    PropertyKind kind = PropertyKind::Unset;  // after a load never Unset: Discrete or Continuous by its values
    bool discrete = false;
    std::vector<double> values;  // continuous: a value, or kNoValue (model/undefined_values.h)
    std::vector<int> codes;      // discrete: whole codes or kUndefinedCode
    double min = 0, max = 0;     // smallest and largest value of the active cells (codes: smallest and largest code)
    double lowLimit = 0, highLimit = 0;    // the colour limits; start as min and max
    std::vector<int> distinctCodes;        // discrete: the codes held, ascending
    std::vector<float> codePercent;        // discrete: per code, its share of all cells in percent
    std::map<int, std::string> codeNames;  // discrete: what a code stands for ("Sand"), read or typed; may be empty
    std::size_t undefinedCount = 0;        // cells without a value: kNoValue, or kUndefinedCode in codes
    // Colours spread over the logarithm of the values between the limits (permeability spans decades); values of
    // 0 and below take the low colour. Chosen per property; the import starts a permeability on it.
    bool logScale = false;
    double positiveMin = 0;  // continuous: the smallest value above 0 of the active cells (0: none), where a
                             // logarithmic scale starts when the lower limit is 0 or below

    std::size_t size() const { return discrete ? codes.size() : values.size(); }
};

// A continuous property's three colours: at its lower limit, halfway and at its upper limit.
struct ColourRamp {
    Rgb low, middle, high;
};

// The distinct codes of `codes` in ascending order and the share of cells holding each, in percent of all cells.
// kUndefinedCode is not a code: its cells count in the total only.
struct CodeShares {
    std::vector<int> codes;
    std::vector<float> percent;
};
CodeShares codeShares(const std::vector<int>& codes);

// A property of `values` (continuous) or `codes` (discrete) with its range, limits, shares and count of cells
// without a value. With `active` (one flag per value; empty: every cell active) the range and shares count active
// cells only, since the values of inactive cells are placeholders; cells without a value count in none of them. An
// Unset kind becomes Discrete or Continuous.
Property makeContinuousProperty(std::string name, PropertyKind kind, std::vector<double> values,
                                const std::vector<std::uint8_t>& active = {});
Property makeDiscreteProperty(std::string name, PropertyKind kind, std::vector<int> codes,
                              const std::vector<std::uint8_t>& active = {});

// Whether a property starts on a logarithmic scale: a permeability by its kind, or by its name (PERM..., KX, KY,
// KZ in any case) when it was given no kind of its own.
bool startsOnLogScale(PropertyKind kind, std::string_view name);

struct PropertySet {
    std::vector<Property> items;  // in load order
    // Per kind: the ramp of continuous properties and the colours of codes (index = code).
    std::array<ColourRamp, kPropertyKindCount> ramps = initialRamps();
    std::array<std::vector<Rgb>, kPropertyKindCount> codeColours = initialCodeColours();
    // Per kind: the colours a user picked for negative codes (a table indexed by code cannot hold them).
    std::array<std::map<int, Rgb>, kPropertyKindCount> negativeCodeColours;
    Rgb undefinedColour{127.0f / 255, 127.0f / 255, 127.0f / 255};
    Rgb inactiveColour{176.0f / 255, 176.0f / 255, 176.0f / 255};  // inactive cells, when they are shown
    std::uint64_t revision = 0;  // bumped on every change of a property or of a colour
    // The values read as no value by the next import (a user setting).
    UndefinedMarkers undefinedMarkers = UndefinedMarkers::standard();

    const Property* find(std::string_view name) const;
    Property* find(std::string_view name);
    // `name`, or when a property already has it, the first of "name (2)", "name (3)", ... that none has.
    std::string uniqueName(const std::string& name) const;
    // Appends a property under a name no other has (uniqueName); returns the name it is known by.
    std::string add(Property property);
    // Every property gone (a new grid); the colours stay.
    void clear();
    // The colour a user picked for `code` in the table of `kind`, which grows with grey 0.8 entries when the code
    // lies beyond its end; a negative code's colour is kept beside the table. False, with nothing changed, for a
    // code beyond kMaxColourCode either way.
    bool setCodeColour(PropertyKind kind, int code, const Rgb& colour);
    // The colour cells of `code` are drawn in for a property of `kind`: its table entry or picked negative colour,
    // grey 0.8 otherwise, `undefined` for kUndefinedCode.
    Rgb colourOfCode(PropertyKind kind, int code, const Rgb& undefined) const;

    static std::array<ColourRamp, kPropertyKindCount> initialRamps();
    static std::array<std::vector<Rgb>, kPropertyKindCount> initialCodeColours();
};

inline constexpr int kMaxColourCode = 1'000'000;

// Colour of one code in a kind's table: grey 0.8 outside it, `undefined` for kUndefinedCode.
inline constexpr Rgb kOutsideTableColour{0.8f, 0.8f, 0.8f};
Rgb codeColour(int code, const std::vector<Rgb>& table, const Rgb& undefined);
// The same with the colours picked for negative codes.
Rgb codeColour(int code, const std::vector<Rgb>& table, const std::map<int, Rgb>& negative, const Rgb& undefined);

}  // namespace morvane
