#pragma once
// Work over a large list split between two threads: the machines this runs on
// have at least two cores, and a walk over 100,000 events that touches each
// one is bound by memory, not by the work per event.
#include <cstddef>
#include <system_error>
#include <thread>

// Below this many items a second thread costs more than it saves.
inline constexpr size_t kHalvesThreshold = 16384;

// Calls work(begin, end) for [0, n/2) and [n/2, n), at once when n is large;
// otherwise work(0, n). The two calls must touch disjoint data and not throw.
template <typename F> void InTwoHalves(size_t n, F work) {
    if (n < kHalvesThreshold) {
        work(size_t{0}, n);
        return;
    }
    const size_t half = n / 2;
    std::thread helper;
    try {
        helper = std::thread([&] { work(half, n); });
    } catch (const std::system_error&) {
        work(half, n);
    }
    work(size_t{0}, half);
    if (helper.joinable())
        helper.join();
}
