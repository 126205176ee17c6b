// Decoding of UTF-8 labels into code points for the glyph lookup.
#pragma once

#include <string_view>
#include <vector>

namespace morvane {

// The code points of `text`. A byte that does not start a valid sequence (bad lead byte, missing or wrong
// continuation, overlong form, surrogate, beyond U+10FFFF) yields U+FFFD and decoding goes on with the next byte.
std::vector<char32_t> decodeUtf8(std::string_view text);

}  // namespace morvane
