#include "bench/CountingAllocator.h"
#include <atomic>
#include <cstdlib>
#include <malloc.h>
#include <new>

// The blocks come from malloc, so freeing them with free is the matching call.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

namespace {

std::atomic<bool> counting{false};
std::atomic<long long> live{0};
std::atomic<long long> peak{0};

void Count(void* p, long long sign) {
    if (!counting.load(std::memory_order_relaxed))
        return;
    const long long now = live += sign * static_cast<long long>(malloc_usable_size(p));
    long long seen = peak.load(std::memory_order_relaxed);
    while (now > seen && !peak.compare_exchange_weak(seen, now))
        ;
}

} // namespace

void StartHeapCount() {
    live = 0;
    peak = 0;
    counting = true;
}

void StopHeapCount() {
    counting = false;
}

long long LiveHeapBytes() {
    return live.load();
}

long long PeakHeapBytes() {
    return peak.load();
}

void* operator new(size_t n) {
    void* p = std::malloc(n == 0 ? 1 : n);
    if (!p)
        throw std::bad_alloc();
    Count(p, 1);
    return p;
}
void* operator new[](size_t n) {
    return operator new(n);
}
void operator delete(void* p) noexcept {
    if (p) {
        Count(p, -1);
        std::free(p);
    }
}
void operator delete[](void* p) noexcept {
    operator delete(p);
}
void operator delete(void* p, size_t) noexcept {
    operator delete(p);
}
void operator delete[](void* p, size_t) noexcept {
    operator delete(p);
}
