#pragma once

#include "Clock.h"
#include "CommandLog.h"
#include "ControlChannel.h"
#include "ControlCommands.h"
#include "LineReceiver.h"
#include "PowerSupply.h"
#include "PseudoTerminal.h"
#include "ReplyTransmitter.h"
#include "ResponsePolicy.h"
#include "ScpiInterpreter.h"

#include <optional>
#include <string>
#include <vector>

class TerminationSignals;

// The running instrument: serves command lines from the pseudo-terminal and control lines
// from standard input in one single-threaded event loop.
class Simulator
{
public:
    // Throws std::system_error when the pseudo-terminal cannot be set up.
    Simulator();

    const std::string& portName() const { return terminal_.portName(); }
    // Applies start-up control lines; returns the first rejection.
    std::optional<std::string> applySettings(const std::vector<std::string>& controlLines);
    // Serves until a termination signal arrives.
    void run(const TerminationSignals& signals);

private:
    void waitForEvents(const TerminationSignals& signals);
    std::optional<TimePoint> nextDeadline() const;
    void handleControlInput();
    void answerCompletedLines();
    void answer(const ReceivedLine& line);

    const TimePoint start_;
    PseudoTerminal terminal_;
    PowerSupply supply_;
    ScpiInterpreter interpreter_;
    ResponsePolicy policy_;
    LineReceiver receiver_;
    ReplyTransmitter transmitter_;
    CommandLog log_;
    ControlChannel control_;
    ControlCommands controlCommands_;
};
