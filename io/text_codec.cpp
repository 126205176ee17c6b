#include "io/text_codec.h"

#include <iconv.h>
#include <cerrno>
#include <cstdint>
#include <cstring>

namespace morvane {

bool isValidUtf8(std::string_view text)
{
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n) {
        // Exports are nearly all ASCII: 32 bytes at a time while no byte has its high bit set, then eight.
        if (i + 32 <= n) {
            std::uint64_t four[4];
            std::memcpy(four, text.data() + i, 32);
            if (((four[0] | four[1] | four[2] | four[3]) & 0x8080808080808080ull) == 0) {
                i += 32;
                continue;
            }
        }
        if (i + 8 <= n) {
            std::uint64_t eight = 0;
            std::memcpy(&eight, text.data() + i, 8);
            if ((eight & 0x8080808080808080ull) == 0) {
                i += 8;
                continue;
            }
        }
        const auto c = static_cast<unsigned char>(text[i]);
        std::size_t extra = 0;
        char32_t code = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            extra = 1;
            code = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2;
            code = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3;
            code = c & 0x07;
        } else {
            return false;
        }
        if (i + extra >= n) return false;
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto cc = static_cast<unsigned char>(text[i + k]);
            if ((cc & 0xC0) != 0x80) return false;
            code = (code << 6) | (cc & 0x3F);
        }
        // Overlong forms, surrogates and values beyond Unicode are not UTF-8.
        if ((extra == 1 && code < 0x80) || (extra == 2 && code < 0x800) || (extra == 3 && code < 0x10000) ||
            (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
            return false;
        i += extra + 1;
    }
    return true;
}

bool startsAsUtf16(std::string_view bytes)
{
    return bytes.size() >= 2 &&
           ((bytes[0] == '\xFF' && bytes[1] == '\xFE') || (bytes[0] == '\xFE' && bytes[1] == '\xFF'));
}

namespace {

std::string fromWindows1251(std::string_view bytes);

void appendUtf8(std::string& out, char32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

}  // namespace

std::string utf8FromUtf16(std::string_view bytes)
{
    const bool bigEndian = bytes.size() >= 2 && bytes[0] == '\xFE';
    const std::size_t from = startsAsUtf16(bytes) ? 2 : 0;
    const std::size_t units = (bytes.size() - from) / 2;
    const auto unit = [&](std::size_t n) {
        const auto first = static_cast<unsigned char>(bytes[from + 2 * n]);
        const auto second = static_cast<unsigned char>(bytes[from + 2 * n + 1]);
        return static_cast<char32_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    };
    const auto lowHalf = [](char32_t u) { return u >= 0xDC00 && u <= 0xDFFF; };
    constexpr char32_t kReplacement = 0xFFFD;
    std::string out;
    out.reserve(units + units / 2);  // exports are nearly all ASCII: a byte a character
    for (std::size_t n = 0; n < units; ++n) {
        const char32_t u = unit(n);
        if (u < 0xD800 || u > 0xDFFF) {
            appendUtf8(out, u);
        } else if (u <= 0xDBFF && n + 1 < units && lowHalf(unit(n + 1))) {
            appendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (unit(n + 1) - 0xDC00));
            ++n;
        } else {
            appendUtf8(out, kReplacement);
        }
    }
    if ((bytes.size() - from) % 2 != 0) appendUtf8(out, kReplacement);
    return out;
}

std::string decodeUserText(std::string_view bytes)
{
    if (isValidUtf8(bytes)) return std::string(bytes);
    return fromWindows1251(bytes);
}

std::string_view utf8Text(std::string_view bytes, std::string& storage)
{
    if (isValidUtf8(bytes)) return bytes;
    storage = fromWindows1251(bytes);
    return storage;
}

namespace {

std::string fromWindows1251(std::string_view bytes)
{
    iconv_t cd = iconv_open("UTF-8", "WINDOWS-1251");
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(bytes);
    std::string out(bytes.size() * 3 + 4, '\0');
    char* in_ptr = const_cast<char*>(bytes.data());
    std::size_t in_left = bytes.size();
    char* out_ptr = out.data();
    std::size_t out_left = out.size();
    while (in_left > 0) {
        if (iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left) == static_cast<std::size_t>(-1)) {
            if (errno == EILSEQ || errno == EINVAL) {
                // Byte 0x98 is unassigned in Windows-1251: show it as a replacement mark and go on.
                static constexpr char replacement[] = "\xEF\xBF\xBD";
                if (out_left < 3) break;
                for (char ch : std::string_view(replacement, 3)) *out_ptr++ = ch;
                out_left -= 3;
                ++in_ptr;
                --in_left;
            } else {
                break;
            }
        }
    }
    iconv_close(cd);
    out.resize(out.size() - out_left);
    return out;
}

}  // namespace

}  // namespace morvane
