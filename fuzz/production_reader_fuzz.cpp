// Fuzzes the production file reader and what follows it: parsing any bytes, matching the rows to a few wells by
// name, and building their discs; and the same bytes pasted into the production table at a cell taken from the
// input. A file is read whole or refused with a line named; names and volumes are clean; discs are whole, finite and
// indexed like the wells; pasted cells stay inside the table's volume columns and hold numbers or nothing.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "commands/production_command.h"
#include "commands/production_table.h"
#include "fuzz/fuzz_check.h"
#include "io/production_reader.h"
#include "io/spreadsheet_numbers.h"
#include "io/text_codec.h"
#include "scene/bubble_diagrams.h"

namespace {

using namespace morvane;

bool blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

bool trimmed(const std::string& text) { return text.empty() || (!blank(text.front()) && !blank(text.back())); }

// Finite, and not negative unless it is -1 (not known).
bool volume(float v) { return std::isfinite(v) && (v >= 0.0f || v == -1.0f); }

void checkFile(const ProductionFile& file)
{
    FUZZ_CHECK(file.read() || (file.rows.empty() && file.error.rfind("line ", 0) == 0));
    int previous = 0;
    for (const ProductionRow& row : file.rows) {
        FUZZ_CHECK(!row.name.empty() && trimmed(row.name));
        FUZZ_CHECK(volume(row.oil) && volume(row.water) && volume(row.gas));
        FUZZ_CHECK(row.line > previous);
        previous = row.line;
    }
    // Every volume beyond any well's is noted once, with its row's line and name.
    std::size_t beyond = 0;
    for (const ProductionRow& row : file.rows)
        for (float v : {row.oil, row.water, row.gas}) beyond += v > kLargestWellVolume ? 1 : 0;
    FUZZ_CHECK(file.excess.size() == beyond);
    for (const ProductionExcess& e : file.excess) {
        FUZZ_CHECK(e.column >= 0 && e.column <= 2 && e.value > kLargestWellVolume);
        FUZZ_CHECK(!productionExcessText(e, "fuzz.csv", "ru").empty());
    }
}

// The groups the matching and the discs work on, without the rest of the model state.
struct WellsAndProduction : Wells, ProductionDrawing {
    WellSet wellSet;        // the document's wells
    Production production;  // and their volumes
};

void checkDiscs(const WellsAndProduction& s)
{
    FUZZ_CHECK(s.circleDiagram.size() == s.wellSet.items.size());
    for (const Vertices& disc : s.circleDiagram) {
        FUZZ_CHECK(disc.empty() || disc.size() == 6 || disc.size() == std::size_t{CIRCLE_SECTORS} * 3 * 6);
        for (float v : disc) FUZZ_CHECK(std::isfinite(v));
    }
}

void checkPaste(const ProductionPaste& paste, int rows)
{
    for (const auto* cells : {&paste.cells, &paste.refused})
        for (const PastedCell& cell : *cells) {
            FUZZ_CHECK(cell.row >= 0 && cell.row < rows);
            FUZZ_CHECK(cell.column >= OilColumn && cell.column <= GasColumn);
            FUZZ_CHECK(trimmed(cell.text));
        }
    for (const PastedCell& cell : paste.cells) FUZZ_CHECK(cell.text.empty() || readProductionVolume(cell.text));
    // A refused field is no number, or one the paste does not settle ("12,345" alone).
    for (const PastedCell& cell : paste.refused)
        FUZZ_CHECK(!cell.text.empty() && (cell.ambiguous || !readProductionVolume(cell.text)));
}

// A number read under a settled mark is the same number under any mark unless it is the ambiguous kind.
void checkNumber(std::string_view text)
{
    const SpreadsheetNumber mixed = readSpreadsheetNumber(text, DecimalMark::Mixed);
    for (const DecimalMark mark : {DecimalMark::Point, DecimalMark::Comma, DecimalMark::Unsettled}) {
        const SpreadsheetNumber n = readSpreadsheetNumber(text, mark);
        FUZZ_CHECK(!(n.value && n.ambiguous));
        FUZZ_CHECK(!n.value || std::isfinite(*n.value));
        if (!mixed.ambiguous) FUZZ_CHECK(n.value == mixed.value);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text = decodeUserText(std::string_view(reinterpret_cast<const char*>(data), size));
    const ProductionFile file = parseProductionText(text);
    checkFile(file);
    FUZZ_CHECK(file.read() || file.errorLine > 0);
    checkNumber(std::string_view(text).substr(0, 64));

    // Three wells, the first named like the first row read, one never entering the model.
    WellsAndProduction s;
    const std::string first = file.rows.empty() ? "A" : file.rows.front().name;
    for (const std::string& name : {first, std::string("P-2"), std::string("Скв-3")}) {
        const float x = 548.0f + static_cast<float>(s.wellSet.items.size()) * 0.1f;
        s.wellSet.add(Well{name, {}});
        s.well_coord_vertex_show.push_back({x, 6414, -2, 0, 0, 0, x, 6414, -2.1f, 0, 0, 0});
        s.well_coord_vertex_hide.push_back({x, 6414, 0.02f, 0, 0, 0, x, 6414, -2, 0, 0, 0});
    }
    s.well_coord_vertex_show[2] = Vertices(12, 0.0f);
    const ProductionMatch match = applyProductionRows(s.production, s.wellSet, file.rows);
    FUZZ_CHECK(match.wells <= 3);
    for (const ProductionRepeat& repeat : match.repeated) {
        FUZZ_CHECK(repeat.lines.size() >= 2);
        for (std::size_t k = 1; k < repeat.lines.size(); ++k) FUZZ_CHECK(repeat.lines[k] > repeat.lines[k - 1]);
    }
    FUZZ_CHECK(file.rows.empty() || match.wells >= 1 || first.find(' ') != std::string::npos);
    const float discScale = size > 0 ? static_cast<float>(data[0]) / 16.0f : 1.0f;
    buildCircleDiagrams(s, s, s.wellSet, s.production, size > 1 ? 1.0f + static_cast<float>(data[1] % 9) : 5.0f,
                        discScale);
    checkDiscs(s);

    const int rows = size > 2 ? data[2] % 8 : 3;
    const int row = size > 3 ? data[3] % 10 - 1 : 0;
    const int column = size > 4 ? data[4] % 6 - 1 : OilColumn;
    checkPaste(pasteProduction(text, row, column, rows), rows);
    return 0;
}
