// The structure of a GRDECL deck: where keywords can start, what data each keyword takes, where a record ends.
//
// A deck is a sequence of keywords. A keyword stands at the start of a line (after blanks), or after the "/" that
// ends the record before it on the same line; anywhere else a word is data. What follows a keyword depends on the
// keyword:
// - nothing (section headers such as GRID and EDIT, ECHO, NOECHO, ENDBOX);
// - one record up to its "/" (arrays such as COORD, ZCORN, ACTNUM and PORO; SPECGRID, MAPAXES, BOX, INCLUDE);
// - several records, each ended by "/", up to an empty record (EQUALS, COPY, ADD, MULTIPLY, FAULTS, ...).
// A "/" inside quotes or after "--" does not end a record, and what follows the "/" that ends a record on its line
// is a comment, unless it is a keyword. Keyword names are capitals, then capitals, digits, "_", ".", "+" or "-".
//
// A keyword the deck does not know is taken as one record; one directly followed by a keyword line takes none.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace morvane::grdecl {

// What data follows a keyword.
enum class RecordShape {
    None,        // no data
    One,         // one record up to its "/"
    UntilEmpty,  // records up to an empty record
    Line,        // the next line, without "/" (TITLE)
};

// The shape of a keyword's data, for the keywords of grid decks; One for a keyword not known.
RecordShape recordShapeOf(std::string_view keyword);

// Whether the keyword is one grid decks hold (a section, an array, a simulator edit, a header), as opposed to a
// word that merely looks like one.
bool isKnownKeyword(std::string_view keyword);

// Simulator edits of arrays: a viewer that shows the arrays as written does not apply them (EQUALS, COPY, ADD,
// MULTIPLY, BOX, ...).
bool isArrayEdit(std::string_view keyword);

// Whether the word has the form of a keyword name (see above; at most 64 characters).
bool isKeywordName(std::string_view word);

// The keyword a word names as simulators read it, in capitals: the word itself when it has the form of a keyword
// name, or a keyword the deck knows written in lower or mixed case ("coord", "Zcorn"); empty otherwise. Words in
// lower case that are no known keyword stay words, so prose in a file is not taken for keywords.
std::string keywordInCapitals(std::string_view word);
// Whether the word is a keyword the deck knows, in any case.
bool isDeckKeyword(std::string_view word);

// The word at `pos`: up to white space, "/", the start of a "--" comment or the end of the text.
std::string_view wordAt(std::string_view text, std::size_t pos);

// The first position at or after `pos` that is neither white space nor inside a "--" comment.
std::size_t skipBlanks(std::string_view text, std::size_t pos);

// Whether only blanks stand between the start of its line and `pos`.
bool startsLine(std::string_view text, std::size_t pos);

// The 1-based number of the line that holds `pos`.
std::size_t lineOf(std::string_view text, std::size_t pos);

// The keyword name at the start of the line at or after `pos` when that line holds nothing else before its end
// or a comment ("ZCORN", "ZCORN -- Generated"), the name's position in `at`; empty otherwise.
std::string_view keywordLineAt(std::string_view text, std::size_t pos, std::size_t& at);

// Where a record that starts at `from` ends.
struct RecordEnd {
    enum class Why {
        Slash,          // at its "/" (`at` is the offset of the "/")
        EndOfText,      // the text ended first (`at` is its size)
        KeywordLine,    // a line holding a known keyword alone came first (`at` is the keyword's offset)
        UnclosedQuote,  // a quote is not closed on its line (`at` is the offset of the quote)
    };
    Why why = Why::EndOfText;
    std::size_t at = 0;
};

// The end of the record starting at `from`. With `keywordLines`, a line holding a known keyword alone ends the
// record when no "/" came before it (a record whose "/" was lost).
RecordEnd findRecordEnd(std::string_view text, std::size_t from, bool keywordLines);

// Where the keyword after a record's "/" at `slash` may start: the rest of the line after a "/" is a comment, but
// with `keywordMayFollow` a keyword the deck knows may stand there ("4*1900.25 /ZCORN", "COORD ... / ZCORN 7 8 /"),
// and the next keyword then starts right there.
std::size_t afterRecord(std::string_view text, std::size_t slash, bool keywordMayFollow);

// The name an INCLUDE statement gives, read from `from` (right after the keyword).
struct IncludeName {
    enum class Problem {
        None,
        NoName,         // "/" or the end of the text where the name should be, or an empty name
        UnclosedQuote,  // the quote before the name is not closed on its line
    };
    Problem problem = Problem::None;
    std::string_view name;  // without quotes and surrounding blanks
    std::size_t end = 0;    // where the statement ends: after its "/" when there is one, else after the name
};
IncludeName readIncludeName(std::string_view text, std::size_t from);

// Whether `word` is one edit away from `keyword` (a letter changed, added, dropped, or two neighbours swapped).
bool oneEditApart(std::string_view word, std::string_view keyword);

}  // namespace morvane::grdecl
