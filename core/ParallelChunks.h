#pragma once
// Work over a large list shared by the processor's cores (up to four): a walk
// over 100,000 events that touches each one is bound by memory, not by the
// work per event. The work goes out in chunks, so when a core is busy
// elsewhere the other threads take on what its thread has not started, rather
// than waiting for it.
#include <algorithm>
#include <atomic>
#include <cstddef>
#include <system_error>
#include <thread>
#include <vector>

// Below this many items more threads cost more than they save.
inline constexpr size_t kParallelThreshold = 16384;

// Calls work(begin, end) for consecutive chunks of [0, n) of `chunk` items
// (the last may be shorter), from several threads when n is large; otherwise
// work(0, n) once. Calls must touch disjoint data and not throw.
template <typename F> void InChunks(size_t n, size_t chunk, F work) {
    const size_t chunks = (n + chunk - 1) / chunk;
    const size_t cores = std::clamp<size_t>(std::thread::hardware_concurrency(), 1, 4);
    if (n < kParallelThreshold || chunks < 2 || cores < 2) {
        work(size_t{0}, n);
        return;
    }
    std::atomic<size_t> next{0};
    const auto drain = [&] {
        for (size_t c; (c = next.fetch_add(1)) < chunks;)
            work(c * chunk, std::min(n, (c + 1) * chunk));
    };
    std::vector<std::thread> helpers;
    helpers.reserve(cores);
    try {
        for (size_t t = 1; t < std::min(cores, chunks); ++t)
            helpers.emplace_back(drain);
    } catch (const std::system_error&) {
    }
    drain();
    for (std::thread& helper : helpers)
        helper.join();
}
