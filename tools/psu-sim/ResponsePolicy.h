#pragma once

#include "Clock.h"

#include <string>

// Decides how the instrument answers each completed command line: normally, with a refusal,
// or not at all, when the reply goes out, and whether it is garbled on the way.
class ResponsePolicy
{
public:
    enum class Handling
    {
        Answer,
        Refuse,
        Ignore
    };

    void setReplyDelay(Duration delay) { replyDelay_ = delay; }
    void refuseNext(long lines) { linesToRefuse_ = lines; }
    void silenceUntil(TimePoint end) { silentUntil_ = end; }
    void garbleNext(long replies) { repliesToGarble_ = replies; }

    // Consumes one pending refusal when the line is refused.
    Handling handlingOf(TimePoint lineCompleted);
    TimePoint replyTime(TimePoint lineCompleted) const { return lineCompleted + replyDelay_; }
    // Returns the reply as it leaves the instrument: unchanged, or a garbage line of similar
    // length while garbling is pending. Neither contains the line feed.
    std::string disguise(std::string reply);

    static std::string refusal() { return "-100,\"Command error\""; }

private:
    Duration replyDelay_{};
    long linesToRefuse_ = 0;
    TimePoint silentUntil_{};
    long repliesToGarble_ = 0;
};
