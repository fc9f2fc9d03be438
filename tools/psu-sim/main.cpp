#include "CommandLine.h"
#include "ControlChannel.h"
#include "Simulator.h"
#include "TerminationSignals.h"

#include <csignal>
#include <cstdio>
#include <exception>
#include <stdexcept>
#include <sys/prctl.h>

namespace {

constexpr int exitUsage = 2;

int usageError(const char* message)
{
    std::fprintf(stderr, "psu-sim: %s\nTry 'psu-sim --help'.\n", message);
    return exitUsage;
}

} // namespace

int main(int argc, char* argv[])
{
    CommandLine commandLine;
    try {
        commandLine = parseCommandLine(argc, argv);
    } catch (const std::invalid_argument& error) {
        return usageError(error.what());
    }
    if (commandLine.helpRequested) {
        std::fputs(usageText, stdout);
        return 0;
    }

    // Timer slack of 1 ns lets ppoll() wake within tens of microseconds of a byte's due time.
    prctl(PR_SET_TIMERSLACK, 1UL);
    // A harness that stops reading our output must not kill us mid-write.
    std::signal(SIGPIPE, SIG_IGN);
    const TerminationSignals signals;

    try {
        Simulator simulator;
        if (const auto error = simulator.applySettings(commandLine.controlLines))
            return usageError(error->c_str());
        ControlChannel::writeLine(simulator.portName());
        simulator.run(signals);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "psu-sim: %s\n", error.what());
        return 1;
    }
    return 0;
}
