#pragma once

#include <chrono>

// All timing uses the monotonic clock (steady_clock is CLOCK_MONOTONIC on Linux).
using Clock = std::chrono::steady_clock;
using TimePoint = Clock::time_point;
using Duration = std::chrono::nanoseconds;

inline Duration fromMilliseconds(double milliseconds)
{
    return std::chrono::duration_cast<Duration>(
        std::chrono::duration<double, std::milli>(milliseconds));
}

inline double toSeconds(Duration duration)
{
    return std::chrono::duration<double>(duration).count();
}
