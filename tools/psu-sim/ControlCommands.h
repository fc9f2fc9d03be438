#pragma once

#include "Clock.h"

#include <optional>
#include <string>
#include <string_view>

class CommandLog;
class LineReceiver;
class PowerSupply;
class ReplyTransmitter;
class ResponsePolicy;

// Applies the harness's control lines ("delay 50", "refuse 2", ...) to the simulator's parts.
class ControlCommands
{
public:
    struct Targets
    {
        PowerSupply& supply;
        ResponsePolicy& policy;
        LineReceiver& receiver;
        ReplyTransmitter& transmitter;
        CommandLog& log;
    };

    explicit ControlCommands(const Targets& targets) : targets_(targets) {}

    // Applies `line` at time `now`; returns the reason when it was rejected.
    std::optional<std::string> execute(std::string_view line, TimePoint now);

private:
    using Handler = void (ControlCommands::*)(std::string_view arguments, TimePoint now);
    static Handler handlerFor(std::string_view name);

    void delay(std::string_view arguments, TimePoint now);
    void baud(std::string_view arguments, TimePoint now);
    void refuse(std::string_view arguments, TimePoint now);
    void silence(std::string_view arguments, TimePoint now);
    void split(std::string_view arguments, TimePoint now);
    void garble(std::string_view arguments, TimePoint now);
    void send(std::string_view arguments, TimePoint now);
    void flood(std::string_view arguments, TimePoint now);
    void load(std::string_view arguments, TimePoint now);
    void idn(std::string_view arguments, TimePoint now);
    void log(std::string_view arguments, TimePoint now);

    Targets targets_;
};
