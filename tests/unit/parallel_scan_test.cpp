// The scan in pieces against the scan in one go: the same values, the same stop and the same reason, whatever the
// piece size, on generated exports (n*v runs, comments, CRLF) and through the grid and property readers.
#include "io/parallel_scan.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "io/grid_reader.h"
#include "io/property_reader.h"
#include "tools/generator/model_generator.h"

namespace morvane::grdecl {
namespace {

// Sets a piece rule for one test and puts the previous one back.
struct PieceRuleScope {
    PieceRule saved = pieceRule();
    explicit PieceRuleScope(const PieceRule& rule) { setPieceRule(rule); }
    ~PieceRuleScope() { setPieceRule(saved); }
};

std::string generatedGrid(gen::LineEnd lineEnd)
{
    gen::GridOptions o;
    o.nx = 7;
    o.ny = 5;
    o.nz = 4;
    o.domeHeight = 20;
    o.faultThrow = 15;
    o.repeats = true;
    o.maxRun = 9;
    o.lineEnd = lineEnd;
    return gen::gridText(o);
}

// Numbers with the habits of hand-edited files: comments after numbers and on their own lines, a "/" inside a
// comment, long runs, blank lines, a last line without its "\n".
const std::string kHandWritten =
    "-- header / not the end\n1 2.5 3*4\r\n\r\n"
    "12*-0.25-- run then comment\n  .5 +6 0*9 1e2\t7\n"
    "-- 99 / 98\n2500*1.5 8 9 10\n"
    "11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 30\n31";

struct Scanned {
    std::vector<double> values;
    ScanSummary summary;
};

Scanned inOneGo(std::string_view text, std::size_t bound)
{
    Scanned s;
    s.summary = scanExpanded(text, s.values, bound);
    return s;
}

Scanned inPieces(std::string_view text, std::size_t bound, const PieceRule& rule)
{
    PieceRuleScope scope(rule);
    Scanned s;
    s.values = {-7.0};  // values already held stay in front
    s.summary = scanConverted(
        text, s.values, [](double v) { return v; }, bound);
    s.values.erase(s.values.begin());
    return s;
}

TEST(ParallelScan, PiecesGiveTheValuesStopAndReasonOfTheWholeScan)
{
    std::vector<std::string> texts = {kHandWritten, kHandWritten + " /  4 5 /", generatedGrid(gen::LineEnd::LF),
                                      generatedGrid(gen::LineEnd::CRLF)};
    // The same texts ended early, in a later piece, by a word that is not a number and by an absurd repeat.
    texts.push_back(kHandWritten.substr(0, 120) + " 7 x9 \n 1 2 /");
    texts.push_back(kHandWritten.substr(0, 150) + "\n4000000000*1\n 5 /");
    for (const std::string& text : texts) {
        const std::size_t zcorn = text.find("ZCORN");
        const std::string_view body = std::string_view(text).substr(zcorn == std::string::npos ? 0 : zcorn + 5);
        const std::size_t total = inOneGo(body, kMaxSectionValues).summary.values;
        for (std::size_t bound : {kMaxSectionValues, total, total - 1, total / 2, std::size_t{1}, std::size_t{0}}) {
            const Scanned whole = inOneGo(body, bound);
            for (std::size_t pieceBytes : {1, 5, 13, 64, 700}) {
                for (unsigned threads : {1u, 2u}) {
                    const PieceRule rule{0, pieceBytes, threads};
                    ASSERT_EQ(pieceBytesFor(rule, body.size()), pieceBytes);  // a short text still goes to pieces
                    const Scanned pieces = inPieces(body, bound, rule);
                    SCOPED_TRACE(testing::Message() << "bound " << bound << ", pieces of " << pieceBytes << ", "
                                                    << threads << " threads, text " << text.substr(0, 30));
                    EXPECT_EQ(pieces.values, whole.values);
                    EXPECT_EQ(pieces.summary.end, whole.summary.end);
                    EXPECT_EQ(pieces.summary.stop, whole.summary.stop);
                    EXPECT_EQ(pieces.summary.values, whole.summary.values);
                    EXPECT_EQ(pieces.summary.entries, whole.summary.entries);
                }
            }
        }
    }
}

TEST(ParallelScan, PiecesEndAtLineStartsEvenWhenTheirSizeFallsInARunOrAComment)
{
    const std::string text = "1 2\n3*4.5 -- note / with a slash\r\n5\n6";
    for (std::size_t pieceBytes : {1, 6, 14, 100}) {
        std::string joined;
        for (std::size_t i = 0; joined.size() < text.size(); ++i) {
            const std::string_view piece = textPiece(text, pieceBytes, i);
            EXPECT_EQ(piece.data(), text.data() + joined.size()) << pieceBytes;
            if (!piece.empty() && joined.size() + piece.size() < text.size()) {
                EXPECT_EQ(piece.back(), '\n') << pieceBytes;
            }
            joined += piece;
        }
        EXPECT_EQ(joined, text);
    }
    // The second piece would start inside the run: it starts on the next line, the first one taking the whole line.
    EXPECT_EQ(textPiece(text, 6, 0), "1 2\n3*4.5 -- note / with a slash\r\n");
    EXPECT_EQ(textPiece(text, 6, 1), "");
    EXPECT_EQ(textPiece(text, 6, 5), "5\n");
    EXPECT_EQ(textPiece(text, 6, 6), "6");
    EXPECT_EQ(textPiece("1 2 3 4 5 6", 2, 0), "1 2 3 4 5 6");  // one line stays whole
}

TEST(ParallelScan, ReadersGiveTheSameArraysInPiecesAsInOneGo)
{
    for (gen::LineEnd lineEnd : {gen::LineEnd::LF, gen::LineEnd::CRLF}) {
        const std::string text = generatedGrid(lineEnd);
        GridReadResult wholeRead = readGridText("/nowhere/M.GRDECL", text), piecesRead;
        ASSERT_EQ(wholeRead.outcome, GridReadOutcome::Read);
        {
            PieceRuleScope scope({0, 11, 2});
            piecesRead = readGridText("/nowhere/M.GRDECL", text);
            ASSERT_EQ(piecesRead.outcome, GridReadOutcome::Read);
        }
        const CornerPointInput &whole = wholeRead.grid, &pieces = piecesRead.grid;
        EXPECT_EQ(pieces.pillars, whole.pillars);
        EXPECT_EQ(pieces.pillarXY, whole.pillarXY);
        EXPECT_EQ(pieces.cornerDepths, whole.cornerDepths);
        EXPECT_EQ(whole.cornerDepths.size(), 7u * 5 * 4 * 8);

        gen::PropertyFileOptions po;
        po.properties = gen::defaultProperties();
        po.lineEnd = lineEnd;
        po.maxRun = 7;
        const std::string props = gen::propertyFileText(po);
        for (const PropertyEntry& entry : splitPropertyText(props)) {
            const PropertyValues one = readPropertyValues(props, entry, 500);
            PieceRuleScope scope({0, 9, 2});
            const PropertyValues many = readPropertyValues(props, entry, 500);
            EXPECT_TRUE(one.conforms) << entry.name;
            EXPECT_EQ(many.values, one.values) << entry.name;
            EXPECT_EQ(many.codes, one.codes) << entry.name;
            EXPECT_EQ(many.discrete, one.discrete) << entry.name;
            EXPECT_EQ(many.conforms, one.conforms) << entry.name;
        }
    }
}

}  // namespace
}  // namespace morvane::grdecl
