#include "io/code_names.h"

#include <algorithm>
#include <charconv>
#include <filesystem>

namespace morvane {

namespace {

constexpr std::string_view kBlanks = " \t\r\n\f\v";

std::string_view trimmed(std::string_view s)
{
    const std::size_t first = s.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(kBlanks) - first + 1);
}

// The text after "--" when `line` is a comment line.
bool commentText(std::string_view line, std::string_view& text)
{
    const std::string_view t = trimmed(line);
    if (t.substr(0, 2) != "--") return false;
    text = trimmed(t.substr(2));
    return true;
}

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// A heading such as "CODE NAME", "Code  Name", "codes names" or "code: name".
bool isHeading(std::string_view row)
{
    std::string words;
    for (char c : row) words += c == ':' || c == '\t' || c == '=' ? ' ' : lower(c);
    std::string squeezed;
    for (char c : words)
        if (c != ' ' || (!squeezed.empty() && squeezed.back() != ' ')) squeezed += c;
    while (!squeezed.empty() && squeezed.back() == ' ') squeezed.pop_back();
    return squeezed == "code name" || squeezed == "codes names" || squeezed == "code names";
}

}  // namespace

bool readCodeNameRow(std::string_view row, int& code, std::string& name)
{
    const std::string_view t = trimmed(row);
    const char* first = t.data();
    const char* last = t.data() + t.size();
    const char* digits = first != last && *first == '+' ? first + 1 : first;
    const auto [end, error] = std::from_chars(digits, last, code);
    if (error != std::errc() || end == digits) return false;
    std::string_view rest(end, static_cast<std::size_t>(last - end));
    // The code ends at a blank or a separator, never inside a word ("12a Sand" is no row).
    if (rest.empty() ||
        (kBlanks.find(rest.front()) == std::string_view::npos && rest.front() != ':' && rest.front() != '='))
        return false;
    rest = trimmed(rest);
    if (!rest.empty() && (rest.front() == ':' || rest.front() == '=')) rest = trimmed(rest.substr(1));
    if (rest.empty()) return false;
    name.assign(rest);
    return true;
}

CodeNameTable codeNamesNearBlock(std::string_view text, const PropertyEntry& entry)
{
    CodeNameTable table;
    const std::size_t valuesBegin = std::min(entry.valuesBegin, text.size());
    // Walk up from the line above the values: comment lines are gathered, blank lines passed, and keyword or marker
    // lines (starting with a letter) passed, until a line of anything else (the values of the block above, its
    // "/") or a bounded number of lines.
    std::vector<std::string_view> comments;
    std::size_t end = valuesBegin;
    while (end > 0 && text[end - 1] != '\n') --end;  // the values' line starts here
    constexpr int kMostLines = 2000;
    for (int walked = 0; end > 0 && walked < kMostLines; ++walked) {
        const std::size_t lineEnd = end - 1;  // the '\n' ending the line above
        std::size_t lineBegin = lineEnd;
        while (lineBegin > 0 && text[lineBegin - 1] != '\n') --lineBegin;
        const std::string_view line = text.substr(lineBegin, lineEnd - lineBegin);
        end = lineBegin;
        std::string_view comment;
        if (commentText(line, comment)) {
            comments.push_back(comment);
            continue;
        }
        const std::string_view t = trimmed(line);
        if (t.empty()) continue;
        const char c = lower(t.front());
        if (c >= 'a' && c <= 'z' && t.find('/') == std::string_view::npos) continue;
        break;
    }
    std::reverse(comments.begin(), comments.end());
    // Comment lines from the line after the values' start (or from it, when it starts a line) to the first value.
    std::size_t at = valuesBegin;
    if (at > 0 && text[at - 1] != '\n') {
        at = text.find('\n', at);
        at = at == std::string_view::npos ? text.size() : at + 1;
    }
    while (at < text.size()) {
        std::size_t next = text.find('\n', at);
        if (next == std::string_view::npos) next = text.size();
        const std::string_view line = text.substr(at, next - at);
        std::string_view comment;
        if (commentText(line, comment))
            comments.push_back(comment);
        else if (!trimmed(line).empty())
            break;
        at = next + 1;
    }

    bool heading = false;
    std::vector<std::pair<int, std::string>> rows;
    for (std::string_view comment : comments) {
        int code = 0;
        std::string name;
        if (isHeading(comment))
            heading = true;
        else if (readCodeNameRow(comment, code, name))
            rows.emplace_back(code, std::move(name));
    }
    if (!heading && rows.size() < 2) return table;
    for (auto& [code, name] : rows) table.names.emplace(code, std::move(name));
    return table;
}

CodeNameTable readCodeNameFile(std::string_view text, const std::string& fileName)
{
    CodeNameTable table;
    int number = 0;
    bool anyRow = false;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t next = text.find('\n', at);
        if (next == std::string_view::npos) next = text.size();
        const std::string_view line = trimmed(text.substr(at, next - at));
        at = next + 1;
        ++number;
        if (line.empty() || line.substr(0, 2) == "--" || line.front() == '#') continue;
        int code = 0;
        std::string name;
        if (!readCodeNameRow(line, code, name)) {
            // A heading above the first row is no fault.
            if (!anyRow && isHeading(line)) continue;
            table.warnings.push_back(fillIn(code_name_texts::NotARow,
                                            {fileName, std::to_string(number),
                                             std::string(line.substr(0, std::min<std::size_t>(line.size(), 60)))}));
            continue;
        }
        anyRow = true;
        const auto [named, added] = table.names.emplace(code, name);
        if (!added)
            table.warnings.push_back(fillIn(code_name_texts::NamedTwice, {fileName, std::to_string(number),
                                                                          std::to_string(code), name, named->second}));
    }
    return table;
}

std::vector<std::string> codeNameFiles(const std::string& propertyFile, const std::string& property)
{
    namespace fs = std::filesystem;
    std::vector<std::string> files;
    const fs::path file(propertyFile);
    const fs::path folder = file.parent_path();
    const std::string_view name = trimmed(property);
    const bool fileName =
        !name.empty() && name != "." && name != ".." && name.find_first_of("/\\:*?\"<>|") == std::string_view::npos;
    if (fileName) files.push_back((folder / (std::string(name) + ".txt")).string());
    files.push_back((folder / (file.stem().string() + "_codes.txt")).string());
    return files;
}

}  // namespace morvane
