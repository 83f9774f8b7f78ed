#pragma once
#include <windows.h>

// Elapsed time since construction, from the performance counter; for the
// benchmarks' figures.
class Stopwatch {
public:
    Stopwatch()
    {
        ::QueryPerformanceFrequency(&m_frequency);
        ::QueryPerformanceCounter(&m_start);
    }
    double Microseconds() const { return Elapsed(1e6); }
    double Nanoseconds() const { return Elapsed(1e9); }

private:
    double Elapsed(double unitsPerSecond) const
    {
        LARGE_INTEGER now;
        ::QueryPerformanceCounter(&now);
        return static_cast<double>(now.QuadPart - m_start.QuadPart) * unitsPerSecond
               / static_cast<double>(m_frequency.QuadPart);
    }

    LARGE_INTEGER m_frequency{};
    LARGE_INTEGER m_start{};
};
