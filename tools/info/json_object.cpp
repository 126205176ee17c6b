#include "tools/info/json_object.h"

#include <charconv>
#include <cmath>

namespace morvane::info {
namespace {

// Length of the valid UTF-8 sequence at the start of `s`, or 0 when it is not one.
std::size_t utf8Length(std::string_view s)
{
    const auto b = [&](std::size_t n) { return static_cast<unsigned char>(s[n]); };
    const unsigned char c = b(0);
    std::size_t len = 0;
    char32_t min = 0;
    if (c >= 0xC2 && c <= 0xDF)
        len = 2, min = 0x80;
    else if (c >= 0xE0 && c <= 0xEF)
        len = 3, min = 0x800;
    else if (c >= 0xF0 && c <= 0xF4)
        len = 4, min = 0x10000;
    else
        return 0;
    if (s.size() < len) return 0;
    char32_t cp = c & (0x7F >> len);
    for (std::size_t n = 1; n < len; ++n) {
        if ((b(n) & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b(n) & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return len;
}

}  // namespace

std::string jsonString(std::string_view text)
{
    std::string out = "\"";
    for (std::size_t n = 0; n < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[n]);
        if (c >= 0x80) {
            const std::size_t len = utf8Length(text.substr(n));
            if (len == 0) {
                out += "\\ufffd";
                ++n;
            } else {
                out.append(text.substr(n, len));
                n += len;
            }
            continue;
        }
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                static const char hex[] = "0123456789abcdef";
                out += "\\u00";
                out += hex[c >> 4];
                out += hex[c & 15];
            } else {
                out += static_cast<char>(c);
            }
        }
        ++n;
    }
    out += '"';
    return out;
}

void JsonObject::addString(std::string_view key, std::string_view value)
{
    fields_.emplace_back(std::string(key), jsonString(value));
}

void JsonObject::addInteger(std::string_view key, long long value)
{
    fields_.emplace_back(std::string(key), std::to_string(value));
}

void JsonObject::addNumber(std::string_view key, std::optional<double> value)
{
    if (!value || !std::isfinite(*value)) {
        fields_.emplace_back(std::string(key), "null");
        return;
    }
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, *value);  // shortest text that reads back the same double
    fields_.emplace_back(std::string(key), std::string(buf, r.ptr));
}

namespace {

std::string floatText(float value)
{
    if (!std::isfinite(value)) return "null";
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, r.ptr);
}

}  // namespace

void JsonObject::addFloat(std::string_view key, float value)
{
    fields_.emplace_back(std::string(key), floatText(value));
}

void JsonObject::addStringList(std::string_view key, const std::vector<std::string>& values)
{
    std::string list = "[";
    for (std::size_t n = 0; n < values.size(); ++n) list += (n ? ", " : "") + jsonString(values[n]);
    fields_.emplace_back(std::string(key), list + "]");
}

void JsonObject::addFloatList(std::string_view key, const std::vector<float>& values)
{
    std::string list = "[";
    for (std::size_t n = 0; n < values.size(); ++n) list += (n ? ", " : "") + floatText(values[n]);
    fields_.emplace_back(std::string(key), list + "]");
}

void JsonObject::addBool(std::string_view key, bool value)
{
    fields_.emplace_back(std::string(key), value ? "true" : "false");
}

void JsonObject::addJson(std::string_view key, std::string json)
{
    fields_.emplace_back(std::string(key), std::move(json));
}

std::string JsonObject::text() const
{
    std::string out = "{";
    for (std::size_t n = 0; n < fields_.size(); ++n) {
        if (n) out += ", ";
        out += jsonString(fields_[n].first);
        out += ": ";
        out += fields_[n].second;
    }
    out += '}';
    return out;
}

}  // namespace morvane::info
