#include "io/grdecl_scan.h"

#include <cstring>

namespace morvane::grdecl {

namespace detail {

const char* parseFortranExponent(const char* p, const char* d, const char* end, double& value)
{
    const char* q = d + 1;
    if (q != end && (*q == '+' || *q == '-')) ++q;
    const char* digits = q;
    while (q != end && isDigit(*q)) ++q;
    constexpr std::size_t kLongest = 64;
    if (q == digits || static_cast<std::size_t>(q - p) >= kLongest) return d;
    char copy[kLongest];
    const std::size_t length = static_cast<std::size_t>(q - p);
    std::memcpy(copy, p, length);
    copy[d - p] = 'E';
    double exact = 0.0;
    const auto [ptr, ec] = std::from_chars(copy, copy + length, exact);
    if (ec != std::errc() || ptr != copy + length) return nullptr;  // out of the double range
    value = exact;
    return q;
}

}  // namespace detail

std::size_t findKeyword(std::string_view text, std::string_view keyword, std::size_t from)
{
    if (keyword.empty()) return std::string_view::npos;
    while (from <= text.size()) {
        const std::size_t pos = text.find(keyword, from);
        if (pos == std::string_view::npos) return pos;
        const std::size_t after = pos + keyword.size();
        const bool wordStart = pos == 0 || detail::isSpace(text[pos - 1]) || text[pos - 1] == '/';
        const bool wordEnd = after == text.size() || detail::isSpace(text[after]);
        if (!wordStart || !wordEnd) {
            from = pos + 1;
            continue;
        }
        const std::size_t lineBreak = text.rfind('\n', pos);
        const std::size_t lineStart = lineBreak == std::string_view::npos ? 0 : lineBreak + 1;
        if (text.substr(lineStart, pos - lineStart).find("--") == std::string_view::npos) return pos;
        // Inside a comment: the rest of the line is comment too, so go on from the next line.
        const std::size_t nextLine = text.find('\n', after);
        if (nextLine == std::string_view::npos) return std::string_view::npos;
        from = nextLine + 1;
    }
    return std::string_view::npos;
}

std::optional<std::string_view> cutSection(std::string_view text, std::string_view keyword)
{
    const std::size_t pos = findKeyword(text, keyword);
    if (pos == std::string_view::npos) return std::nullopt;
    const std::string_view rest = text.substr(pos + keyword.size());
    std::size_t i = 0;
    while (i < rest.size()) {
        if (rest[i] == '/') return rest.substr(0, i);
        if (rest[i] == '-' && i + 1 < rest.size() && rest[i + 1] == '-') {
            const std::size_t lineEnd = rest.find('\n', i);
            if (lineEnd == std::string_view::npos) break;
            i = lineEnd + 1;
            continue;
        }
        ++i;
    }
    return rest;
}

bool isGridKeyword(std::string_view word)
{
    for (std::string_view keyword : kGridKeywords)
        if (word == keyword) return true;
    return false;
}

std::string_view keywordAtLineStart(std::string_view text, std::size_t pos)
{
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
    if (pos >= text.size() || text[pos] < 'A' || text[pos] > 'Z') return {};
    std::size_t end = pos;
    auto keywordChar = [](char c) {
        return (c >= 'A' && c <= 'Z') || detail::isDigit(c) || c == '_' || c == '.' || c == '+' || c == '-';
    };
    while (end < text.size() && keywordChar(text[end])) ++end;
    if (end < text.size() && !detail::isSpace(text[end]) && text[end] != '/') return {};
    return text.substr(pos, end - pos);
}

std::size_t sectionEnd(std::string_view text, std::size_t from)
{
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    const char* p = begin + std::min(from, text.size());
    while (p < end) {
        const char* slash = static_cast<const char*>(std::memchr(p, '/', static_cast<std::size_t>(end - p)));
        const char* limit = slash ? slash : end;
        const void* dashes = ::memmem(p, static_cast<std::size_t>(limit - p), "--", 2);
        if (!dashes) return slash ? static_cast<std::size_t>(slash - begin) : std::string_view::npos;
        // A comment before the "/": the rest of its line does not count.
        const char* lineEnd = static_cast<const char*>(
            std::memchr(dashes, '\n', static_cast<std::size_t>(end - static_cast<const char*>(dashes))));
        if (!lineEnd) return std::string_view::npos;
        p = lineEnd + 1;
    }
    return std::string_view::npos;
}

ScanSummary scanExpanded(std::string_view text, std::vector<double>& out, std::size_t maxValues)
{
    return scanNumbers(
        text, [&](double v) { out.push_back(v); },
        [&](std::uint64_t n, double v) { out.insert(out.end(), static_cast<std::size_t>(n), v); }, maxValues);
}

}  // namespace morvane::grdecl
