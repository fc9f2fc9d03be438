#pragma once

#include "Clock.h"

#include <cstddef>

// Times bytes on one direction of a serial line. A byte occupies the line for one byte-time
// (start bit, 8 data bits, stop bit) and starts once the line is free and the byte is available.
class WireClock
{
public:
    // 0 makes the line infinitely fast: bytes cross as soon as they are available.
    void setBaudRate(long baud);
    Duration byteTime() const { return byteTime_; }
    // When the most recent byte has completely crossed the line.
    TimePoint lastByteEnd() const { return lastByteEnd_; }

    // Puts `count` bytes on the line, none starting before `available`; returns when the last
    // one has crossed.
    TimePoint transfer(TimePoint available, std::size_t count);

private:
    Duration byteTime_{};
    TimePoint lastByteEnd_{};
};
