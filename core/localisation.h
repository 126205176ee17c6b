// The interface texts in English and Russian.
//
// `locals` is a table of pairs: a pair starts at an even slot, its base; the base holds the English text and the
// next slot the Russian one. Texts are UTF-8.
#pragma once

#include <array>
#include <initializer_list>
#include <string>
#include <string_view>

namespace morvane {

inline constexpr int LOCALS_SIZE = 862;  // slots of the text table

// The filled table, 862 slots; unused slots hold the empty string.
std::array<std::string, LOCALS_SIZE> makeLocals();

// 1 when the language is exactly "ru", else 0: any other value selects English.
int languageOffset(const std::string& lang);

// The program's table, filled once on first use and never changed after: it is read from any thread.
const std::array<std::string, LOCALS_SIZE>& textTable();

// The text of a pair in the given language, from `locals` or from the program's table.
const std::string& localText(const std::array<std::string, LOCALS_SIZE>& locals, int base, const std::string& lang);
const std::string& localText(int base, const std::string& lang);

// A text the interface shows outside the table (a message box, a file dialog's title, a log line, a tool tip or a
// menu entry the table has no slot for), in English and in Russian; the language is chosen as for the table.
struct TextPair {
    std::string_view en;
    std::string_view ru;
    std::string in(const std::string& lang) const { return std::string(languageOffset(lang) == 1 ? ru : en); }
    std::string in(std::string_view lang) const { return in(std::string(lang)); }
};

// `pattern` with each "{}" replaced by the next of `values`, in order: how a message gets its file, line and
// numbers in either language. A "{}" beyond the values is left as it is; values beyond the "{}" are dropped.
std::string fillText(std::string_view pattern, std::initializer_list<std::string_view> values);

// A message with its file names and numbers filled in, in English and in Russian: what a reader tells the user,
// shown later in the language of the window.
struct LocalMessage {
    std::string en, ru;
    const std::string& in(const std::string& lang) const { return languageOffset(lang) == 1 ? ru : en; }
    bool empty() const { return en.empty(); }
    // The two texts with another message after them, a space between.
    LocalMessage& operator+=(const LocalMessage& more);
};

// The pair's texts filled by fillText with the same `words` in both languages.
LocalMessage fillIn(const TextPair& pattern, std::initializer_list<std::string_view> words);

}  // namespace morvane
