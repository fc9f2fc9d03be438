#pragma once

#include "Clock.h"
#include "WireClock.h"

#include <cstddef>
#include <deque>
#include <optional>
#include <string>

class PseudoTerminal;

// Sends replies to the client on schedule: not before they are ready, byte by byte at the
// line's pace, and optionally cut into parts with a pause between them. Raw bytes for
// disturbing the line bypass the schedule and go out ahead of pending replies.
class ReplyTransmitter
{
public:
    explicit ReplyTransmitter(PseudoTerminal& terminal) : terminal_(terminal) {}

    void setBaudRate(long baud) { wire_.setBaudRate(baud); }
    // One part sends every reply whole.
    void setSplit(std::size_t parts, Duration gap);

    void queueReply(const std::string& reply, TimePoint readyAt);
    void writeNow(const std::string& bytes);
    // Writes whatever is due by `now`, as far as the terminal accepts it.
    void transmitDue(TimePoint now);

    // True while the terminal refuses bytes; wait until it is writable again.
    bool blocked() const { return blocked_; }
    // When the next byte becomes due, unless nothing is queued or the terminal is blocked.
    std::optional<TimePoint> nextDue() const;

private:
    struct Part
    {
        std::string bytes;
        TimePoint readyAt;
        Duration pauseBefore;
    };

    bool flushImmediate();
    // Returns false when the terminal took fewer bytes than were due.
    bool transmitFrontPart(TimePoint now);
    TimePoint frontPartStart() const;
    std::size_t dueByteCount(TimePoint now) const;

    PseudoTerminal& terminal_;
    WireClock wire_;
    std::size_t splitParts_ = 1;
    Duration splitGap_{};
    std::deque<Part> parts_;
    std::size_t frontBytesSent_ = 0;
    std::string immediate_;
    std::size_t immediateSent_ = 0;
    bool blocked_ = false;
};
