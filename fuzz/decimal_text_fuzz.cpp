// Fuzzes the parser of user-typed decimal numbers: whatever the text, the result is a finite number or nothing,
// "." and "," are interchangeable, and a number written back out reads as the same number.
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/decimal_text.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto value = morvane::parseDecimalText(text);
    const auto withCommas = morvane::parseDecimalText(morvane::decimalCommaText(text));
    FUZZ_CHECK(value.has_value() == withCommas.has_value());
    if (!value) return 0;
    FUZZ_CHECK(std::isfinite(*value));
    FUZZ_CHECK(*withCommas == *value);

    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, *value);
    FUZZ_CHECK(error == std::errc());
    const auto again = morvane::parseDecimalText(std::string_view(buffer, std::size_t(end - buffer)));
    FUZZ_CHECK(again.has_value() && *again == *value);
    return 0;
}
