#include "ControlCommands.h"

#include "CommandLog.h"
#include "ControlArguments.h"
#include "LineReceiver.h"
#include "PowerSupply.h"
#include "ReplyTransmitter.h"
#include "ResponsePolicy.h"
#include "Text.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace {

constexpr double maxMilliseconds = 3'600'000.0;
constexpr long maxBaud = 10'000'000;
constexpr long maxCount = 1'000'000'000;
constexpr long maxSplitParts = 1000;
constexpr double defaultSplitGapMs = 20.0;
constexpr long maxFloodBytes = 64L * 1024 * 1024;

double milliseconds(ControlArguments& arguments)
{
    return arguments.number("MS", 0.0, maxMilliseconds);
}

std::string_view requireText(std::string_view text, const char* name)
{
    if (text::trim(text).empty())
        throw std::invalid_argument(std::string("missing ") + name);
    return text;
}

} // namespace

std::optional<std::string> ControlCommands::execute(std::string_view line, TimePoint now)
{
    const std::size_t nameEnd = std::min(line.find(' '), line.size());
    const std::string_view name = line.substr(0, nameEnd);
    const std::string_view arguments = line.substr(std::min(nameEnd + 1, line.size()));
    const Handler handler = handlerFor(name);
    if (!handler)
        return "unknown control command: " + std::string(name);
    try {
        (this->*handler)(arguments, now);
    } catch (const std::exception& error) {
        return std::string(name) + ": " + error.what();
    }
    return std::nullopt;
}

ControlCommands::Handler ControlCommands::handlerFor(std::string_view name)
{
    static const std::pair<std::string_view, Handler> handlers[] = {
        {"delay", &ControlCommands::delay},   {"baud", &ControlCommands::baud},
        {"refuse", &ControlCommands::refuse}, {"silence", &ControlCommands::silence},
        {"split", &ControlCommands::split},   {"garble", &ControlCommands::garble},
        {"send", &ControlCommands::send},     {"flood", &ControlCommands::flood},
        {"load", &ControlCommands::load},     {"idn", &ControlCommands::idn},
        {"log", &ControlCommands::log},
    };
    for (const auto& [handlerName, handler] : handlers)
        if (handlerName == name)
            return handler;
    return nullptr;
}

void ControlCommands::delay(std::string_view text, TimePoint)
{
    ControlArguments arguments(text);
    const double ms = milliseconds(arguments);
    arguments.finish();
    targets_.policy.setReplyDelay(fromMilliseconds(ms));
}

void ControlCommands::baud(std::string_view text, TimePoint)
{
    ControlArguments arguments(text);
    const long rate = arguments.integer("N", 0, maxBaud);
    arguments.finish();
    targets_.receiver.setBaudRate(rate);
    targets_.transmitter.setBaudRate(rate);
}

void ControlCommands::refuse(std::string_view text, TimePoint)
{
    ControlArguments arguments(text);
    const long lines = arguments.integer("N", 0, maxCount);
    arguments.finish();
    targets_.policy.refuseNext(lines);
}

void ControlCommands::silence(std::string_view text, TimePoint now)
{
    ControlArguments arguments(text);
    const double ms = milliseconds(arguments);
    arguments.finish();
    targets_.policy.silenceUntil(now + fromMilliseconds(ms));
}

void ControlCommands::split(std::string_view text, TimePoint)
{
    ControlArguments arguments(text);
    const long parts = arguments.integer("N", 1, maxSplitParts);
    const double gapMs = arguments.atEnd() ? defaultSplitGapMs : milliseconds(arguments);
    arguments.finish();
    targets_.transmitter.setSplit(static_cast<std::size_t>(parts), fromMilliseconds(gapMs));
}

void ControlCommands::garble(std::string_view text, TimePoint)
{
    ControlArguments arguments(text);
    const long replies = arguments.integer("N", 0, maxCount);
    arguments.finish();
    targets_.policy.garbleNext(replies);
}

void ControlCommands::send(std::string_view text, TimePoint)
{
    targets_.transmitter.writeNow(text::decodeEscapes(requireText(text, "TEXT")));
}

void ControlCommands::flood(std::string_view text, TimePoint)
{
    ControlArguments arguments(text);
    const long bytes = arguments.integer("BYTES", 1, maxFloodBytes);
    arguments.finish();
    targets_.transmitter.writeNow(std::string(static_cast<std::size_t>(bytes), 'X'));
}

void ControlCommands::load(std::string_view text, TimePoint)
{
    ControlArguments arguments(text);
    const long channel = arguments.integer("CH", 1, PowerSupply::channelCount);
    const double ohms = arguments.number("OHMS", 0.0, 1e12);
    arguments.finish();
    if (ohms <= 0.0)
        throw std::invalid_argument("OHMS must be greater than 0");
    targets_.supply.setLoad(static_cast<int>(channel), ohms);
}

void ControlCommands::idn(std::string_view text, TimePoint)
{
    targets_.supply.setIdentity(std::string(text::trim(requireText(text, "TEXT"))));
}

void ControlCommands::log(std::string_view text, TimePoint)
{
    targets_.log.open(std::string(text::trim(requireText(text, "FILE"))));
}
