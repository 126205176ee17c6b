// Work over a grid's layers in two parts, the later part on the second core when the grid is large enough for a
// thread to pay and the machine has one. Each part is worked by itself either way and the caller joins the two in
// layer order, so what comes out does not depend on whether a second thread ran; small grids (and the fuzzing and
// test inputs) take the same split and join on one thread.
#pragma once

#include <atomic>
#include <cstddef>
#include <future>
#include <system_error>
#include <thread>
#include <utility>

namespace morvane {

// Fewer cells than this are worked on the calling thread alone: a thread costs more than it saves there. Tests set
// it to 0 and to the largest count to see that both ways build the same.
inline std::atomic<std::size_t> cellsForSecondCore{std::size_t{1} << 18};

// work(begin, split) and work(split, end): both results, the earlier layers' first. With at least
// cellsForSecondCore cells the second call runs on a thread of its own while the first runs on the calling thread
// (on the calling thread too when no thread can be started).
template <class Work>
auto inLayerHalves(int begin, int split, int end, std::size_t cells, const Work& work)
{
    using Result = decltype(work(begin, split));
    std::future<Result> later;
    if (cells >= cellsForSecondCore.load() && std::thread::hardware_concurrency() > 1) {
        try {
            later = std::async(std::launch::async, [&] { return work(split, end); });
        } catch (const std::system_error&) {
            // No thread to be had: the later layers are worked below.
        }
    }
    Result earlier = work(begin, split);
    Result rest = later.valid() ? later.get() : work(split, end);
    return std::pair<Result, Result>(std::move(earlier), std::move(rest));
}

}  // namespace morvane
