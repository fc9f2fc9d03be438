#include "Simulator.h"

#include "TerminationSignals.h"
#include "Text.h"

#include <algorithm>
#include <cerrno>
#include <poll.h>
#include <system_error>

namespace {

std::optional<TimePoint> earliest(std::optional<TimePoint> a, std::optional<TimePoint> b)
{
    if (a && b)
        return std::min(*a, *b);
    return a ? a : b;
}

timespec timeoutUntil(TimePoint deadline)
{
    const auto remaining = std::max(deadline - Clock::now(), Clock::duration::zero());
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(remaining);
    return {static_cast<time_t>(seconds.count()),
            static_cast<long>(std::chrono::nanoseconds(remaining - seconds).count())};
}

} // namespace

Simulator::Simulator()
    : start_(Clock::now()), interpreter_(supply_), transmitter_(terminal_), log_(start_),
      controlCommands_({supply_, policy_, receiver_, transmitter_, log_})
{
}

std::optional<std::string> Simulator::applySettings(const std::vector<std::string>& controlLines)
{
    for (const std::string& line : controlLines)
        if (auto error = controlCommands_.execute(line, Clock::now()))
            return error;
    return std::nullopt;
}

void Simulator::run(const TerminationSignals& signals)
{
    while (!signals.received()) {
        waitForEvents(signals);
        answerCompletedLines();
        transmitter_.transmitDue(Clock::now());
    }
}

void Simulator::waitForEvents(const TerminationSignals& signals)
{
    const short terminalEvents = POLLIN | (transmitter_.blocked() ? POLLOUT : 0);
    pollfd fds[] = {{terminal_.masterFd(), terminalEvents, 0}, {control_.inputFd(), POLLIN, 0}};
    const auto deadline = nextDeadline();
    const timespec timeout = deadline ? timeoutUntil(*deadline) : timespec{};
    if (ppoll(fds, 2, deadline ? &timeout : nullptr, signals.waitMask()) < 0) {
        if (errno == EINTR)
            return;
        throw std::system_error(errno, std::generic_category(), "ppoll");
    }
    if (fds[0].revents & (POLLERR | POLLNVAL))
        throw std::system_error(EIO, std::generic_category(), "pseudo-terminal failed");
    if (fds[0].revents & POLLIN)
        receiver_.receive(terminal_.readAvailable(), Clock::now());
    if (fds[1].revents)
        handleControlInput();
}

std::optional<TimePoint> Simulator::nextDeadline() const
{
    return earliest(receiver_.nextCompletion(), transmitter_.nextDue());
}

void Simulator::handleControlInput()
{
    for (const std::string& line : control_.readLines()) {
        const auto error = controlCommands_.execute(line, Clock::now());
        ControlChannel::writeLine(error ? "error " + *error : "ok " + line);
    }
}

void Simulator::answerCompletedLines()
{
    while (const auto line = receiver_.takeCompleted(Clock::now()))
        answer(*line);
}

void Simulator::answer(const ReceivedLine& line)
{
    log_.record(line.completedAt, line.text);
    if (text::trim(line.text).empty())
        return;

    std::optional<std::string> reply;
    switch (policy_.handlingOf(line.completedAt)) {
    case ResponsePolicy::Handling::Ignore:
        return;
    case ResponsePolicy::Handling::Refuse:
        reply = ResponsePolicy::refusal();
        break;
    case ResponsePolicy::Handling::Answer:
        reply = interpreter_.execute(line.text);
        break;
    }
    if (reply)
        transmitter_.queueReply(policy_.disguise(*reply) + '\n',
                                policy_.replyTime(line.completedAt));
}
