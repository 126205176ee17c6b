// The arithmetic of the property filter window: the red slider runs along the colour ramp from the upper limit (top)
// to the lower limit (bottom); its position gives the cut value, and a shade over the ramp marks the side of the
// cut whose cells are removed. Also the reading of the numbers the filter and limit windows take back.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace morvane {

namespace filter_window {
inline constexpr int SliderTop = 32;      // slider position (its top edge) at the upper limit
inline constexpr int SliderBottom = 190;  // ... at the lower limit
inline constexpr int CutTextTop = 62;     // the cut text follows the slider only between these
inline constexpr int CutTextBottom = 160;
inline constexpr int RampTop = 39;  // the ramp and its shade: 160 pixels from y = 39 to y = 199
inline constexpr int RampHeight = 160;
inline constexpr int RampBottom = RampTop + RampHeight;
inline constexpr int MaxLabelY = 30, MinLabelY = 185;
inline constexpr int CutTextY = (MaxLabelY + MinLabelY) / 2;  // halfway between the two limit labels
}  // namespace filter_window

// Where the slider goes when dragged with the mouse at window y `mouseY`, pressed `grabOffset` pixels below the
// slider's top edge; nothing when that would take it beyond the ramp (it then stays where it is).
struct SliderStep {
    int sliderY = 0;
    std::optional<int> cutTextY;  // the cut text's new y, when it moves along
    float coef = 0;               // 0 at the upper limit, 1 at the lower one
    double cut = 0;               // upper - (upper - lower) * coef
    std::string cutText;          // six decimals less three
};
std::optional<SliderStep> dragSlider(int mouseY, int grabOffset, double upper, double lower);

// The shade over the ramp: its top and height for slider position `coef`. Removing the cells below the cut shades
// the ramp from the slider down to its bottom; removing those above shades it from its top down to the slider.
struct RampShade {
    int y = 0, height = 0;
};
RampShade rampShade(float coef, bool cutBelow);

// A number typed or shown in the filter or limit window: "." or "," as decimal separator. Nothing when the text is
// not a number a colour limit can take (also when it is too large for single precision).
std::optional<float> readLimitText(std::string_view text);

// Whole codes typed in the filter window, separated by commas, semicolons or blanks ("1, 3"); nothing when a word is
// no whole code or there is none.
std::optional<std::vector<int>> readCodeList(std::string_view text);

// The dialogs' own words when the text is not such a number.
std::string notANumberMessage(std::string_view text, std::string_view lang);

}  // namespace morvane
