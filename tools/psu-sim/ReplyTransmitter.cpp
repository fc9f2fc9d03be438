#include "ReplyTransmitter.h"

#include "PseudoTerminal.h"

#include <algorithm>
#include <string_view>

void ReplyTransmitter::setSplit(std::size_t parts, Duration gap)
{
    splitParts_ = std::max<std::size_t>(parts, 1);
    splitGap_ = gap;
}

void ReplyTransmitter::queueReply(const std::string& reply, TimePoint readyAt)
{
    const std::size_t parts = std::min(splitParts_, reply.size());
    std::size_t offset = 0;
    for (std::size_t i = 0; i < parts; ++i) {
        // Spread the remainder over the first parts so their sizes differ by one at most.
        const std::size_t size = reply.size() / parts + (i < reply.size() % parts ? 1 : 0);
        parts_.push_back({reply.substr(offset, size), readyAt, i == 0 ? Duration{} : splitGap_});
        offset += size;
    }
}

void ReplyTransmitter::writeNow(const std::string& bytes)
{
    immediate_ += bytes;
    blocked_ = !flushImmediate();
}

void ReplyTransmitter::transmitDue(TimePoint now)
{
    blocked_ = !flushImmediate();
    while (!blocked_ && !parts_.empty() && dueByteCount(now) > 0)
        blocked_ = !transmitFrontPart(now);
}

std::optional<TimePoint> ReplyTransmitter::nextDue() const
{
    if (blocked_ || parts_.empty())
        return std::nullopt;
    return frontPartStart() + wire_.byteTime();
}

bool ReplyTransmitter::flushImmediate()
{
    while (immediateSent_ < immediate_.size()) {
        const std::size_t written =
            terminal_.writeSome(std::string_view(immediate_).substr(immediateSent_));
        if (written == 0)
            return false;
        immediateSent_ += written;
    }
    immediate_.clear();
    immediateSent_ = 0;
    return true;
}

bool ReplyTransmitter::transmitFrontPart(TimePoint now)
{
    const Part& part = parts_.front();
    const std::size_t due = dueByteCount(now);
    const TimePoint start = frontPartStart();
    const std::size_t written =
        terminal_.writeSome(std::string_view(part.bytes).substr(frontBytesSent_, due));
    wire_.transfer(start, written);
    frontBytesSent_ += written;
    if (frontBytesSent_ == part.bytes.size()) {
        parts_.pop_front();
        frontBytesSent_ = 0;
    }
    return written == due;
}

// The front part's bytes follow the previous byte on the wire; its first byte also waits for
// the reply to be ready and for the pause that separates split parts.
TimePoint ReplyTransmitter::frontPartStart() const
{
    if (frontBytesSent_ > 0)
        return wire_.lastByteEnd();
    const Part& part = parts_.front();
    return std::max(part.readyAt, wire_.lastByteEnd() + part.pauseBefore);
}

std::size_t ReplyTransmitter::dueByteCount(TimePoint now) const
{
    const std::size_t remaining = parts_.front().bytes.size() - frontBytesSent_;
    const Duration byteTime = wire_.byteTime();
    const TimePoint firstByteEnd = frontPartStart() + byteTime;
    if (now < firstByteEnd)
        return 0;
    if (byteTime == Duration::zero())
        return remaining;
    const auto alsoDue = static_cast<std::size_t>((now - firstByteEnd) / byteTime);
    return std::min(remaining, 1 + alsoDue);
}
