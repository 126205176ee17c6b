// The numbers of a long GRDECL section scanned on both cores: the text is cut at line starts into pieces of a 64th
// of it, between 64 KiB and a megabyte, the threads take the pieces in turn and scan each by the rules of
// grdecl_scan.h into a buffer of its own, and the buffers are appended to the result in text order as soon as every
// piece before them is in.
//
// A line start is always a word boundary and never inside a "--" comment (a comment ends at its line's "\n"), so a
// piece scans exactly as its lines do inside the whole text. The join stops at the first piece that ended on a "/"
// or on a word that is not a number, and pieces after it are not scanned; the piece in which the value bound falls
// is scanned again alone with what is left of the bound. So the values, where the scan stops and why, are those of
// scanNumbers over the whole text.
//
// Memory: the buffers are reused, so beyond the result a scan holds a few pieces' values. Each piece is bounded by
// what the pieces before it left of the bound, so a text far beyond the bound is refused without holding much more
// than the bound.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string_view>
#include <vector>

#include "io/grdecl_scan.h"

namespace morvane::grdecl {

// When and how a scan goes to pieces.
struct PieceRule {
    std::size_t parallelFrom = std::size_t{1} << 20;  // texts shorter than this are scanned in one go
    std::size_t pieceBytes = std::size_t{1} << 20;    // the largest piece; tests and fuzzing use a few bytes
    unsigned threads = 2;                             // threads scanning the pieces, the calling one among them
    std::size_t smallestPiece = std::size_t{64} << 10;
};

// The piece size for a text of `textBytes`: a 64th of it within [smallestPiece, pieceBytes], at least 1. Two threads
// taking pieces in turn end within a piece of each other, so a short text is not left to one thread for its last
// megabyte, while a long one keeps the pieces large enough that joining them costs little.
std::size_t pieceBytesFor(const PieceRule& rule, std::size_t textBytes);

// The rule in force for the whole process (the default above unless set).
PieceRule pieceRule();
void setPieceRule(const PieceRule& rule);

// Piece `index` of `text` cut into pieces of about `pieceBytes` (at least 1): from the line start at or after
// index * pieceBytes to the next line start at or after (index + 1) * pieceBytes, or the end of the text. Empty
// where one long line spans the whole stretch; pieces past the end of the text are empty too.
std::string_view textPiece(std::string_view text, std::size_t pieceBytes, std::size_t index);

namespace detail {

// Runs work() on `threads` threads at once (the calling one among them; fewer when no thread can be started) and
// rethrows the first exception one of them threw once all have finished.
void runWorkers(unsigned threads, const std::function<void()>& work);

// Scans `text` by the rules of scanNumbers, appending convert(v) for each value (n copies for n*v) to `out`.
template <class T, class Convert>
ScanSummary scanInto(std::string_view text, std::vector<T>& out, const Convert& convert, std::size_t maxValues)
{
    return scanNumbers(
        text, [&](double v) { out.push_back(convert(v)); },
        [&](std::uint64_t n, double v) { out.insert(out.end(), static_cast<std::size_t>(n), convert(v)); }, maxValues);
}

}  // namespace detail

// The values at the start of `text` as scanNumbers reads them (n*v expanded), each passed through `convert` and
// appended to `out`; returns the summary scanNumbers gives for the same text and bound. `convert` may be called from
// several threads at once, so it must not change shared state.
template <class T, class Convert>
ScanSummary scanConverted(std::string_view text, std::vector<T>& out, const Convert& convert,
                          std::size_t maxValues = kMaxSectionValues)
{
    const PieceRule rule = pieceRule();
    const std::size_t pieceBytes = pieceBytesFor(rule, text.size());
    if (text.size() < rule.parallelFrom || text.size() <= pieceBytes) {
        return detail::scanInto(text, out, convert, maxValues);
    }

    struct Scanned {
        std::vector<T> values;
        ScanSummary summary;
        bool ready = false;
    };
    std::vector<Scanned> pieces(text.size() / pieceBytes + 2);
    std::vector<std::vector<T>> spare;  // buffers of joined pieces, kept for the next pieces
    std::mutex mutex;                   // guards everything below and `out`
    std::atomic<std::size_t> nextPiece{0};
    std::size_t claimLimit = pieces.size();  // no piece from here on is needed
    std::size_t joinedPieces = 0;
    std::size_t pending = 0;  // values of scanned pieces not yet joined
    std::size_t highestScanned = 0;
    ScanSummary joined;
    bool finished = false;

    // Appends every scanned piece whose predecessors are all in; stops the scan at the first piece that ends it.
    auto joinReady = [&] {
        while (!finished && joinedPieces < pieces.size() && pieces[joinedPieces].ready) {
            Scanned& piece = pieces[joinedPieces];
            const std::string_view piece_text = textPiece(text, pieceBytes, joinedPieces);
            const std::size_t offset = static_cast<std::size_t>(piece_text.data() - text.data());
            const std::size_t left = maxValues - joined.values;
            pending -= piece.summary.values;
            ScanSummary summary = piece.summary;
            if (summary.end == ScanEnd::TooMany || summary.values > left) {
                // The bound falls inside this piece: scanned again with what is left of it.
                summary = detail::scanInto(piece_text, out, convert, left);
            } else {
                out.insert(out.end(), piece.values.begin(), piece.values.end());
            }
            piece.values.clear();
            spare.push_back(std::move(piece.values));
            joined.values += summary.values;
            joined.entries += summary.entries;
            ++joinedPieces;
            if (summary.end != ScanEnd::EndOfText) {
                joined.end = summary.end;
                joined.stop = offset + summary.stop;
                finished = true;
            }
        }
    };

    auto work = [&] {
        for (;;) {
            const std::size_t index = nextPiece++;
            const std::string_view piece_text = textPiece(text, pieceBytes, index);
            std::vector<T> values;
            std::size_t bound = 0;
            {
                std::lock_guard<std::mutex> lock(mutex);
                if (finished || index >= claimLimit || (index > 0 && piece_text.data() == text.data() + text.size()))
                    return;
                if (!spare.empty()) {
                    values = std::move(spare.back());
                    spare.pop_back();
                }
                // What the joined pieces left of the bound: the pieces before this one leave no more.
                bound = maxValues - joined.values;
            }
            values.reserve(std::min(piece_text.size() / 4 + 16, bound));
            const ScanSummary summary = detail::scanInto(piece_text, values, convert, bound);

            std::lock_guard<std::mutex> lock(mutex);
            pieces[index] = {std::move(values), summary, true};
            pending += summary.values;
            highestScanned = std::max(highestScanned, index);
            // Pieces past one that ends the scan are not needed, nor past the one where the values scanned so far
            // exceed the bound (the bound falls in it or before).
            if (summary.end != ScanEnd::EndOfText) claimLimit = std::min(claimLimit, index + 1);
            if (joined.values + pending > maxValues) claimLimit = std::min(claimLimit, highestScanned + 1);
            joinReady();
        }
    };
    detail::runWorkers(rule.threads, [&] {
        try {
            work();
        } catch (...) {
            std::lock_guard<std::mutex> lock(mutex);
            finished = true;  // the other threads stop at their next piece
            throw;
        }
    });
    if (!finished) {
        joined.end = ScanEnd::EndOfText;
        joined.stop = text.size();
    }
    return joined;
}

}  // namespace morvane::grdecl
