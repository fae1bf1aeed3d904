#pragma once
// What every benchmark reports its timings with.
#include <algorithm>
#include <chrono>
#include <vector>

// The middle of the runs (0 without any): one slow run on a busy machine
// does not move it.
inline double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

template <class Rep, class Period> double Ms(std::chrono::duration<Rep, Period> d) {
    return std::chrono::duration<double, std::milli>(d).count();
}
