#pragma once

#include "Clock.h"
#include "WireClock.h"

#include <deque>
#include <optional>
#include <string>
#include <string_view>

struct ReceivedLine
{
    std::string text;
    TimePoint completedAt;
};

// Assembles the bytes read from the line into command lines ending at LF. Each line becomes
// available when its line feed would have crossed the wire; CR and NUL bytes are dropped.
class LineReceiver
{
public:
    void setBaudRate(long baud) { wire_.setBaudRate(baud); }

    void receive(std::string_view bytes, TimePoint readAt);
    std::optional<TimePoint> nextCompletion() const;
    // Removes and returns the oldest line completed by `now`.
    std::optional<ReceivedLine> takeCompleted(TimePoint now);

private:
    WireClock wire_;
    std::string partialLine_;
    std::deque<ReceivedLine> lines_;
};
