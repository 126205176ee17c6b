#include "commands/property_filter.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "core/decimal_text.h"

namespace morvane {

namespace fw = filter_window;

std::optional<SliderStep> dragSlider(int mouseY, int grabOffset, double upper, double lower)
{
    const int y = mouseY - grabOffset;
    if (y < fw::SliderTop || y > fw::SliderBottom) return std::nullopt;
    SliderStep step;
    step.sliderY = y;
    if (y >= fw::CutTextTop && y <= fw::CutTextBottom) step.cutTextY = y - 5;
    step.coef = static_cast<float>(y - fw::SliderTop) / static_cast<float>(fw::SliderBottom - fw::SliderTop);
    step.cut = upper - (upper - lower) * step.coef;
    step.cutText = sixDecimalsText(step.cut, 3);
    return step;
}

RampShade rampShade(float coef, bool cutBelow)
{
    const float c = std::isfinite(coef) ? std::fmin(std::fmax(coef, 0.0f), 1.0f) : 0.5f;
    if (cutBelow) {
        const int height = static_cast<int>((1.0f - c) * fw::RampHeight);
        return {fw::RampBottom - height, height};
    }
    return {fw::RampTop, static_cast<int>(c * fw::RampHeight)};
}

std::optional<float> readLimitText(std::string_view text)
{
    const std::optional<double> value = parseDecimalText(text);
    if (!value || !(std::abs(*value) <= std::numeric_limits<float>::max())) return std::nullopt;
    return static_cast<float>(*value);
}

std::optional<std::vector<int>> readCodeList(std::string_view text)
{
    std::vector<int> codes;
    std::size_t i = 0;
    auto separator = [](char c) { return c == ',' || c == ';' || c == ' ' || c == '\t'; };
    while (i < text.size()) {
        while (i < text.size() && separator(text[i])) ++i;
        std::size_t end = i;
        while (end < text.size() && !separator(text[end])) ++end;
        if (end == i) break;
        int code = 0;
        const auto [stop, error] = std::from_chars(text.data() + i, text.data() + end, code);
        if (error != std::errc() || stop != text.data() + end) return std::nullopt;
        codes.push_back(code);
        i = end;
    }
    if (codes.empty()) return std::nullopt;
    return codes;
}

std::string notANumberMessage(std::string_view text, std::string_view lang)
{
    const bool russian = lang == "ru";
    std::string message = russian ? "«" : "\"";
    message.append(text);
    message.append(russian ? "» не число. Введите число, например 0.25 или 0,25."
                           : "\" is not a number. Type a number such as 0.25 or 0,25.");
    return message;
}

}  // namespace morvane
