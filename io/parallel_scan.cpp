#include "io/parallel_scan.h"

#include <exception>
#include <system_error>
#include <thread>

namespace morvane::grdecl {
namespace {

std::mutex ruleMutex;
PieceRule currentRule;

// Where piece `index` starts: the line start at or after index * pieceBytes, or the end of the text.
std::size_t pieceStart(std::string_view text, std::size_t pieceBytes, std::size_t index)
{
    if (index == 0) return 0;
    if (index > text.size() / pieceBytes) return text.size();
    const std::size_t lineBreak = text.find('\n', index * pieceBytes - 1);
    return lineBreak == std::string_view::npos ? text.size() : lineBreak + 1;
}

}  // namespace

PieceRule pieceRule()
{
    std::lock_guard<std::mutex> lock(ruleMutex);
    return currentRule;
}

void setPieceRule(const PieceRule& rule)
{
    std::lock_guard<std::mutex> lock(ruleMutex);
    currentRule = rule;
}

std::size_t pieceBytesFor(const PieceRule& rule, std::size_t textBytes)
{
    return std::max<std::size_t>(std::min(rule.pieceBytes, std::max(rule.smallestPiece, textBytes / 64)), 1);
}

std::string_view textPiece(std::string_view text, std::size_t pieceBytes, std::size_t index)
{
    pieceBytes = std::max<std::size_t>(pieceBytes, 1);
    const std::size_t from = pieceStart(text, pieceBytes, index);
    const std::size_t to = std::max(from, pieceStart(text, pieceBytes, index + 1));
    return text.substr(from, to - from);
}

namespace detail {

void runWorkers(unsigned threads, const std::function<void()>& work)
{
    std::exception_ptr failure;
    std::mutex failureMutex;
    auto guarded = [&] {
        try {
            work();
        } catch (...) {
            std::lock_guard<std::mutex> lock(failureMutex);
            if (!failure) failure = std::current_exception();
        }
    };
    std::vector<std::thread> helpers;
    for (unsigned t = 1; t < threads; ++t) {
        try {
            helpers.emplace_back(guarded);
        } catch (const std::system_error&) {
            break;  // no thread to be had: the threads already running take every piece
        }
    }
    guarded();
    for (std::thread& helper : helpers) helper.join();
    if (failure) std::rethrow_exception(failure);
}

}  // namespace detail
}  // namespace morvane::grdecl
