// Timing helpers shared by the benchmarks: elapsed seconds between two performance-counter
// readings or taken by a call, and the median of repeated runs.
#pragma once
#include <windows.h>

#include <algorithm>
#include <vector>

inline double Seconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

// Seconds taken by f().
template <class F> double SecondsOf(F f)
{
    LARGE_INTEGER start, end;
    ::QueryPerformanceCounter(&start);
    f();
    ::QueryPerformanceCounter(&end);
    return Seconds(start, end);
}

inline double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
