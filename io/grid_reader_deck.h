// The grid reader's inside, shared by its files: the reader of one GRDECL deck (the main file and the files it
// includes), read keyword by keyword in order. grid_reader.h is the public entry; nothing outside io/grid_reader*
// includes this header.
//
// - grid_reader.cpp: the entries, the run of a deck and its verdict when a read fails on the way;
// - grid_reader_walk.cpp: the walk over a text, keyword by keyword, and the sections it reads (COORD, ZCORN,
//   ACTNUM, SPECGRID or DIMENS, MAPAXES, the units) and passes over;
// - grid_reader_include.cpp: INCLUDE statements, the included file found and read in place;
// - grid_reader_checks.cpp: the sections' counts against the declared layout, the memory a declared grid needs and
//   the size of the files against what it can fill;
// - grid_reader_finish.cpp: what a deck read to its end gives: the sections it lacks, the units, the map frame, the
//   depths no reservoir has, and the grid input.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <list>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/localisation.h"
#include "io/file_text.h"
#include "io/grdecl_scan.h"
#include "io/grid_reader.h"

namespace morvane::grid_deck {

namespace fs = std::filesystem;
inline constexpr std::size_t npos = std::string_view::npos;
inline constexpr std::string_view kCoord = "COORD";
inline constexpr std::string_view kZcorn = "ZCORN";
inline constexpr std::string_view kActnum = "ACTNUM";
inline constexpr std::string_view kInclude = "INCLUDE";
inline constexpr double kCoordMult = kCoordScale;

// A count as written in messages.
inline std::string number(std::uint64_t n) { return std::to_string(n); }
// A value as written in messages, in its shortest form ("%g").
std::string shortNumber(double v);
// Cell counts as written in messages: "20 x 10 x 5".
std::string countsText(const std::array<int, 3>& dims);
// The file's canonical path, to tell files apart (the path as given when it cannot be made canonical).
std::string canonicalKey(const fs::path& file);

// One text of the deck: the main file or an included one.
struct Source {
    std::string_view text;
    std::string file;  // the path as the user knows it, for messages
    fs::path folder;   // INCLUDE names in this text resolve here first
    int depth = 0;     // 0 for the main file
    std::string key;   // the file's canonical path, to tell files apart
};

// Where a keyword stands: which text and the keyword's offset in it (its line is counted when a message needs it).
struct Place {
    std::size_t source = npos;
    std::size_t keyword = 0;
    bool found() const { return source != npos; }
};

enum class Walk { On, Stop };

// The deck of the main file and the files it includes, read in order, keyword by keyword.
class DeckReader {
public:
    DeckReader(const std::string& path, std::string_view mainText, const GridStageCallback& onStage,
               std::uint64_t mappedBytes)
        : path_(path), onStage_(onStage), mappedBytes_(mappedBytes)
    {
        sources_.push_back({mainText, path, fs::path(path).parent_path(), 0, canonicalKey(fs::path(path))});
        fileBytes_ = mainText.size();
    }

    GridReadResult read();

private:
    // The line of an offset in one of the deck's texts, counted on from the last offset asked in that text:
    // keywords are met in rising order, so each text is counted once rather than from its start at every keyword.
    std::size_t lineOf(std::string_view text, std::size_t at)
    {
        Counted& counted = lineCounts_[text.data()];
        at = std::min(at, text.size());
        if (at < counted.offset) counted = Counted{};
        counted.line += static_cast<std::size_t>(std::count(text.begin() + static_cast<std::ptrdiff_t>(counted.offset),
                                                            text.begin() + static_cast<std::ptrdiff_t>(at), '\n'));
        counted.offset = at;
        return counted.line;
    }
    std::size_t lineAt(const Place& place)
    {
        return place.found() ? lineOf(sources_[place.source].text, place.keyword) : 0;
    }
    struct Counted {
        std::size_t offset = 0, line = 1;
    };
    std::map<const char*, Counted> lineCounts_;

    // The walk (grid_reader_walk.cpp).
    Walk walk(std::size_t s);
    Walk notAKeyword(std::size_t s, std::size_t at, std::string_view word);
    Walk readArray(std::size_t s, std::string_view keyword, std::size_t at, std::size_t& pos);
    Walk passOverSection(std::size_t s, std::string_view keyword, std::size_t at, std::size_t& pos);
    grdecl::ScanSummary scanSection(std::string_view keyword, std::string_view body, std::size_t bound);
    Walk sectionStopsAtWord(std::size_t s, std::string_view keyword, std::size_t at, std::size_t stop);
    void sectionRead(std::size_t s, std::string_view keyword, std::size_t at, std::string_view body);
    Walk readCounts(std::size_t s, std::string_view keyword, std::size_t at, std::size_t& pos);
    Walk skipRecords(std::size_t s, std::string_view keyword, std::size_t at, std::size_t& pos);
    Walk fail(GridReadOutcome outcome, LocalMessage message)
    {
        outcome_ = outcome;
        message_ = std::move(message);
        return Walk::Stop;
    }

    // INCLUDE statements (grid_reader_include.cpp).
    Walk include(std::size_t s, std::size_t at, std::size_t& pos);
    std::optional<fs::path> resolve(std::size_t s, std::string name, std::size_t line);
    static std::optional<fs::path> inAnyCase(const fs::path& folder, const fs::path& relative);

    // Counts, memory and sizes (grid_reader_checks.cpp).
    std::size_t expectedValues(std::string_view keyword) const;
    std::size_t boundWithoutCounts(std::string_view body);
    Walk tooManyValues(std::size_t s, std::string_view keyword, std::size_t at, std::string_view body,
                       const grdecl::ScanSummary& summary, std::size_t bound);
    Walk declaredGridFits(std::size_t s, std::string_view keyword);
    bool sizeFits(const std::string& file, std::uint64_t bytes);
    std::optional<LocalMessage> sectionsAgainstCounts();

    // A deck read to its end (grid_reader_finish.cpp).
    GridReadResult finish();
    void warnEditsAndLookalikes();
    std::optional<std::pair<GridReadOutcome, LocalMessage>> missingSections();
    double applyUnits();
    void warnFarDepths(const std::vector<double>& values, std::size_t first, std::size_t step, const TextPair& what,
                       std::string_view section, const std::string& file, double gridMetres);
    std::vector<double> pillarsInModelUnits();
    bool placeOnMap(std::vector<double>& linesXY);
    GridReadResult gridRead(std::vector<double> linesXY, bool mapApplied, bool includeLayout);

    // The run (grid_reader.cpp).
    void stage(GridReadStage last);
    GridReadResult failure();
    std::string placeFile(const Place& p) const { return sources_[p.source].file; }

    const std::string path_;
    const GridStageCallback& onStage_;
    std::uint64_t mappedBytes_ = 0;  // bytes of mapped files: they count against an address-space limit
    std::uint64_t fileBytes_ = 0;    // bytes of every file read so far
    std::vector<Source> sources_;
    std::list<std::pair<FileText, std::string>> held_;  // the included files' texts and names; a list keeps their
                                                        // addresses
    std::vector<std::string> stack_;                    // keys of the files being read, the main file first
    std::set<std::string> read_;                        // keys of every file read

    Place coord_, zcorn_, actnum_, counts_;
    std::string countsKeyword_;
    std::array<int, 3> dims_{};
    bool haveDims_ = false;
    std::vector<double> points_, depths_;
    std::vector<std::uint8_t> actnumValues_;
    std::vector<double> mapAxes_;
    Place mapAxesPlace_;
    std::string gridUnit_, mapUnits_;
    Place gridUnitPlace_, mapUnitsPlace_;
    bool inBox_ = false;
    bool sawInclude_ = false;                   // the main text holds an INCLUDE statement
    bool sawGridKeyword_ = false;               // a keyword of grids was met: text that is no keyword is then damage
    std::optional<std::uint64_t> memory_;       // the memory available, once asked
    std::vector<LocalMessage> unreadIncludes_;  // included files that could not be read: their message
    std::vector<LocalMessage> unreadWarnings_;  // and the warning for a grid read without them
    std::vector<std::pair<std::size_t, std::string>> edits_;  // simulator edits: source and "EQUALS (line 12)"
    struct Lookalike {
        Place place;
        std::string word, keyword;
    };
    std::vector<Lookalike> lookalikes_;  // keywords one letter away from a keyword of grids
    std::vector<LocalMessage> warnings_, notes_;
    std::vector<std::string> inlineKeywords_;
    std::optional<GridReadOutcome> outcome_;
    LocalMessage message_;
    int stagesDone_ = 0;  // stages reported so far
};

}  // namespace morvane::grid_deck
