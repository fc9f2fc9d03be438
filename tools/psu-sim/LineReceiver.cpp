#include "LineReceiver.h"

#include <utility>

void LineReceiver::receive(std::string_view bytes, TimePoint readAt)
{
    for (const char byte : bytes) {
        const TimePoint arrival = wire_.transfer(readAt, 1);
        if (byte == '\n') {
            lines_.push_back({std::move(partialLine_), arrival});
            partialLine_.clear();
        } else if (byte != '\r' && byte != '\0') {
            partialLine_ += byte;
        }
    }
}

std::optional<TimePoint> LineReceiver::nextCompletion() const
{
    if (lines_.empty())
        return std::nullopt;
    return lines_.front().completedAt;
}

std::optional<ReceivedLine> LineReceiver::takeCompleted(TimePoint now)
{
    if (lines_.empty() || lines_.front().completedAt > now)
        return std::nullopt;
    ReceivedLine line = std::move(lines_.front());
    lines_.pop_front();
    return line;
}
