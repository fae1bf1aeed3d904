#pragma once
// Work over a large list shared by two threads: the machines this runs on have
// at least two cores, and a walk over 100,000 events that touches each one is
// bound by memory, not by the work per event. The work goes out in chunks, so
// when the other core is busy elsewhere this thread takes on what the helper
// has not started, rather than waiting for it.
#include <algorithm>
#include <atomic>
#include <cstddef>
#include <system_error>
#include <thread>

// Below this many items a second thread costs more than it saves.
inline constexpr size_t kParallelThreshold = 16384;

// Calls work(begin, end) for consecutive chunks of [0, n) of `chunk` items
// (the last may be shorter), from two threads when n is large; otherwise
// work(0, n) once. Calls must touch disjoint data and not throw.
template <typename F> void InChunks(size_t n, size_t chunk, F work) {
    const size_t chunks = (n + chunk - 1) / chunk;
    if (n < kParallelThreshold || chunks < 2) {
        work(size_t{0}, n);
        return;
    }
    std::atomic<size_t> next{0};
    const auto drain = [&] {
        for (size_t c; (c = next.fetch_add(1)) < chunks;)
            work(c * chunk, std::min(n, (c + 1) * chunk));
    };
    std::thread helper;
    try {
        helper = std::thread(drain);
    } catch (const std::system_error&) {
    }
    drain();
    if (helper.joinable())
        helper.join();
}
