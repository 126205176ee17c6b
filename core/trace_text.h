// Trace lines of the scene builders: a label followed by a number, numbers in their shortest exact form.
#pragma once

#include <charconv>
#include <string>
#include <string_view>

namespace morvane::trace_text {

template <typename Number>
std::string line(std::string_view label, Number value)
{
    char digits[64];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    std::string text(label);
    text.append(digits, end);
    return text;
}

}  // namespace morvane::trace_text
