// Decimal numbers typed by the user (contact depths, production volumes, colour limits, bubble factors) and the
// decimal settings: "." and "," are both accepted as the decimal separator, whatever the locale.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace morvane {

// The number in the text, or nothing when the text is not one whole finite number. Surrounding white space and
// one leading "+" are allowed; "1.5", "1,5", "-0,25", "2e3" parse; "", "abc", "1,5x", "1.2.3", "inf" do not.
// Never depends on the C or Qt locale.
std::optional<double> parseDecimalText(std::string_view text);

// The text with every "." turned into ",": how decimal settings are stored.
std::string decimalCommaText(std::string_view text);

// The value with six decimals in fixed notation ("%f" style), whatever the locale, less its last `drop` characters.
std::string sixDecimalsText(double value, std::size_t drop);

// A colour limit as the legend, the property filter and the limit dialog show it: six decimals less three, and
// from 10 on less four more, so values below 10 keep three decimals (truncated) and larger ones their whole part
// only (0.123456 -> "0.123", 45.678 -> "45", 12.5 -> "12", -999.99 -> "-999.990"). A value nearer 0 than 0.1 keeps
// three significant digits, rounded (0.00042 -> "0.000420", -0.05 -> "-0.0500", 4.2e-7 -> "4.20e-07").
std::string limitText(double value);

}  // namespace morvane
