#include "io/spreadsheet_numbers.h"

#include <algorithm>
#include <string>

#include "core/decimal_text.h"

namespace morvane {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

// How one number is written: which of its marks separate thousands and which one the decimals.
enum class Form {
    NotANumber,
    Plain,         // digits only, or an exponent form without a mark: says nothing about the mark
    Point,         // a decimal point, with or without comma groups before it
    Comma,         // a decimal comma, with or without point groups before it
    CommaOrGroup,  // "12,345": one comma and three digits after it
};

struct Reading {
    Form form = Form::NotANumber;
    std::string asPoint;  // the number with a decimal point and without groups (for a settled form)
    std::string asGroup;  // CommaOrGroup: the number read as thousands groups
};

// Whether `digits` (between two marks, or after the first one) is a group of exactly three digits.
bool isGroup(std::string_view digits)
{
    return digits.size() == 3 && isDigit(digits[0]) && isDigit(digits[1]) && isDigit(digits[2]);
}

// The whole part `head` of a number with thousands `group` marks: "1,234,567" -> "1234567"; empty when the marks
// do not stand between groups of three digits, or the first group starts with a zero ("0,125" is no thousands).
std::string ungrouped(std::string_view head, char group)
{
    std::string out;
    std::size_t at = head.find(group);
    if (at == std::string_view::npos) return std::string(head);
    const std::string_view lead = head.substr(0, at);
    std::size_t digits = 0;
    for (char c : lead) digits += isDigit(c);
    const std::size_t firstDigit = lead.find_first_of("0123456789");
    if (digits == 0 || digits > 3 || lead[firstDigit] == '0') return {};
    out.append(lead);
    while (at != std::string_view::npos) {
        const std::size_t next = head.find(group, at + 1);
        const std::string_view part = head.substr(at + 1, next == std::string_view::npos ? next : next - at - 1);
        if (!isGroup(part)) return {};
        out.append(part);
        at = next;
    }
    return out;
}

Reading readForm(std::string_view text)
{
    Reading r;
    text = trimmed(text);
    if (text.empty()) return r;
    const std::size_t points = std::count(text.begin(), text.end(), '.');
    const std::size_t commas = std::count(text.begin(), text.end(), ',');
    const auto number = [](const std::string& s) { return parseDecimalText(s).has_value(); };
    if (points == 0 && commas == 0) {
        r.asPoint = std::string(text);
        r.form = number(r.asPoint) ? Form::Plain : Form::NotANumber;
        return r;
    }
    // The last mark is the decimal one when both kinds are written ("1,234.5", "1.234,5").
    const std::size_t lastPoint = text.rfind('.');
    const std::size_t lastComma = text.rfind(',');
    if (points > 0 && commas > 0) {
        const bool pointDecimal = lastPoint > lastComma;
        const char group = pointDecimal ? ',' : '.';
        const std::size_t at = pointDecimal ? lastPoint : lastComma;
        if ((pointDecimal ? points : commas) != 1) return r;
        const std::string head = ungrouped(text.substr(0, at), group);
        if (head.empty()) return r;
        r.asPoint = head + "." + std::string(text.substr(at + 1));
        r.form = number(r.asPoint) ? (pointDecimal ? Form::Point : Form::Comma) : Form::NotANumber;
        return r;
    }
    const char mark = points > 0 ? '.' : ',';
    const std::size_t count = points > 0 ? points : commas;
    if (count > 1) {
        // Several marks of one kind can only separate thousands: "1,234,567" or "1.234.567".
        r.asGroup = ungrouped(text, mark);
        if (r.asGroup.empty() || !number(r.asGroup)) return r;
        r.asPoint = r.asGroup;
        r.form = mark == ',' ? Form::Point : Form::Comma;  // the other mark would be the decimal one
        return r;
    }
    const std::size_t at = text.find(mark);
    r.asPoint = std::string(text.substr(0, at)) + "." + std::string(text.substr(at + 1));
    if (!number(r.asPoint)) return r;
    if (mark == '.') {
        r.form = Form::Point;  // a single point is a decimal point: exports never group thousands of a small number
        return r;
    }
    const std::string_view after = text.substr(at + 1);
    std::size_t digitsAfter = 0;
    while (digitsAfter < after.size() && isDigit(after[digitsAfter])) ++digitsAfter;
    if (digitsAfter == 3 && digitsAfter == after.size()) {
        r.asGroup = ungrouped(text, ',');
        if (!r.asGroup.empty() && number(r.asGroup)) {
            r.form = Form::CommaOrGroup;
            return r;
        }
    }
    r.form = Form::Comma;
    return r;
}

}  // namespace

DecimalMark decimalMarkOf(const std::vector<std::string_view>& fields)
{
    bool point = false, comma = false;
    for (const std::string_view field : fields) {
        const Form form = readForm(field).form;
        point = point || form == Form::Point;
        comma = comma || form == Form::Comma;
    }
    if (point && comma) return DecimalMark::Mixed;
    if (point) return DecimalMark::Point;
    if (comma) return DecimalMark::Comma;
    return DecimalMark::Unsettled;
}

SpreadsheetNumber readSpreadsheetNumber(std::string_view text, DecimalMark mark)
{
    const Reading r = readForm(text);
    SpreadsheetNumber out;
    switch (r.form) {
    case Form::NotANumber:
        return out;
    case Form::CommaOrGroup:
        if (mark == DecimalMark::Point)
            out.value = parseDecimalText(r.asGroup);
        else if (mark == DecimalMark::Comma)
            out.value = parseDecimalText(r.asPoint);
        else
            out.ambiguous = true;
        return out;
    default:
        out.value = parseDecimalText(r.asPoint);
        return out;
    }
}

}  // namespace morvane
