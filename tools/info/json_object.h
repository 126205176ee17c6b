// A flat JSON object whose keys keep the order in which they were added, for one-line machine-readable reports.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace morvane::info {

class JsonObject {
public:
    void addString(std::string_view key, std::string_view value);
    void addInteger(std::string_view key, long long value);
    // Non-finite numbers and an empty optional are written as null.
    void addNumber(std::string_view key, std::optional<double> value);
    // A single-precision value in its own shortest form (-7.975, not -7.974999904632568).
    void addFloat(std::string_view key, float value);
    void addBool(std::string_view key, bool value);
    void addStringList(std::string_view key, const std::vector<std::string>& values);
    // Single-precision values in their shortest form; non-finite ones as null; an empty list as [].
    void addFloatList(std::string_view key, const std::vector<float>& values);
    // A value already in JSON form (a nested object or array).
    void addJson(std::string_view key, std::string json);
    std::string text() const;  // {"key": value, ...}

private:
    std::vector<std::pair<std::string, std::string>> fields_;  // key, value already in JSON form
};

// The JSON string literal for `text`, quotes included. Invalid UTF-8 bytes become U+FFFD.
std::string jsonString(std::string_view text);

}  // namespace morvane::info
