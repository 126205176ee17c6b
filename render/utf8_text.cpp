#include "render/utf8_text.h"

namespace morvane {

std::vector<char32_t> decodeUtf8(std::string_view text)
{
    constexpr char32_t replacement = 0xFFFD;
    std::vector<char32_t> codes;
    codes.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        int length = 0;
        char32_t code = 0;
        char32_t minimum = 0;
        if (lead < 0x80) {
            codes.push_back(lead);
            ++i;
            continue;
        }
        if ((lead & 0xE0) == 0xC0) {
            length = 2;
            code = lead & 0x1F;
            minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            code = lead & 0x0F;
            minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4;
            code = lead & 0x07;
            minimum = 0x10000;
        } else {
            codes.push_back(replacement);
            ++i;
            continue;
        }
        bool valid = i + static_cast<std::size_t>(length) <= text.size();
        for (int n = 1; valid && n < length; ++n) {
            const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(n)]);
            if ((next & 0xC0) != 0x80)
                valid = false;
            else
                code = (code << 6) | (next & 0x3F);
        }
        if (valid && (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))) valid = false;
        if (!valid) {
            codes.push_back(replacement);
            ++i;
            continue;
        }
        codes.push_back(code);
        i += static_cast<std::size_t>(length);
    }
    return codes;
}

}  // namespace morvane
