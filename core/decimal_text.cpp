#include "core/decimal_text.h"

#include <charconv>
#include <cmath>

namespace morvane {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

}  // namespace

std::optional<double> parseDecimalText(std::string_view text)
{
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (text.empty() || text.front() == '-' || text.front() == '+' || isBlank(text.front())) return std::nullopt;
    }
    if (text.empty()) return std::nullopt;

    // from_chars reads only the "." separator and never looks at the locale.
    std::string number(text);
    for (char& c : number)
        if (c == ',') c = '.';
    double value = 0.0;
    const char* end = number.data() + number.size();
    const auto [stop, error] = std::from_chars(number.data(), end, value, std::chars_format::general);
    if (error != std::errc() || stop != end || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::string decimalCommaText(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c == '.') c = ',';
    return out;
}

std::string sixDecimalsText(double value, std::size_t drop)
{
    char digits[512];
    const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 6);
    if (error != std::errc()) return {};
    const std::size_t length = static_cast<std::size_t>(end - digits);
    return std::string(digits, length > drop ? length - drop : 0);
}

std::string limitText(double value)
{
    const double magnitude = std::fabs(value);
    if (!(magnitude < 0.1) || magnitude == 0) return sixDecimalsText(value, value >= 10 ? 7 : 3);
    // Three decimals would show a small value as 0.000: three significant digits instead, in fixed notation down
    // to a millionth, in scientific notation below.
    char digits[64];
    const auto [end, error] =
        magnitude >= 1e-6 ? std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed,
                                          3 + static_cast<int>(std::floor(-std::log10(magnitude))))
                          : std::to_chars(digits, digits + sizeof digits, value, std::chars_format::scientific, 2);
    if (error != std::errc()) return {};
    return std::string(digits, end);
}

}  // namespace morvane
