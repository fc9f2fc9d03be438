#include "CommandLine.h"

#include "Text.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>
#include <string_view>

const char* const usageText = R"(Usage: psu-sim [OPTION...]
Simulates a three-channel programmable supply on a pseudo-terminal. Prints the port name
(e.g. pts/7) as the first line, then serves SCPI commands until SIGTERM or SIGINT.

Options (each also works at run time as a control line on standard input, without "--";
the simulator answers every control line with "ok <line>" or "error <reason>"):
  --delay MS            delay every reply by MS milliseconds after its command line
  --baud N              pace both directions at N baud, 10 bits per byte (0 = off)
  --refuse N            answer the next N command lines with a command error
  --silence MS          ignore command lines completed within the next MS milliseconds
  --split N[,GAP_MS]    write every reply in N parts, GAP_MS apart (default 20; 1 = off)
  --garble N            replace the next N replies by a garbage line
  --send TEXT           write TEXT (escapes \n \r \t \\ \xNN) at once
  --flood BYTES         write BYTES bytes without a line feed
  --load CH=OHMS[,...]  resistive load per channel (default 10 ohms each);
                        control line: load CH OHMS
  --idn TEXT            identity returned by *IDN?
  --log FILE            append every received command line to FILE
  --help                show this help
)";

namespace {

constexpr std::string_view optionPrefix = "--";
constexpr std::string_view controlOptions[] = {"delay", "refuse", "silence", "split", "garble",
                                               "send",  "flood",  "idn",     "log",   "baud"};

bool isControlOption(std::string_view name)
{
    return std::find(std::begin(controlOptions), std::end(controlOptions), name) !=
           std::end(controlOptions);
}

// "1=10,3=100" -> "load 1 10", "load 3 100"
std::vector<std::string> loadLines(std::string_view list)
{
    std::vector<std::string> lines;
    for (const std::string_view entry : text::split(list, ',')) {
        const std::size_t equals = entry.find('=');
        if (equals == std::string_view::npos)
            throw std::invalid_argument("--load expects CH=OHMS, got '" + std::string(entry) + "'");
        lines.push_back("load " + std::string(entry.substr(0, equals)) + ' ' +
                        std::string(entry.substr(equals + 1)));
    }
    return lines;
}

} // namespace

CommandLine parseCommandLine(int argc, const char* const argv[])
{
    CommandLine commandLine;
    for (int i = 1; i < argc; ++i) {
        std::string_view option = argv[i];
        if (option == "--help") {
            commandLine.helpRequested = true;
            continue;
        }
        if (!text::startsWith(option, optionPrefix))
            throw std::invalid_argument("unexpected argument '" + std::string(option) + "'");
        option.remove_prefix(optionPrefix.size());
        const std::size_t equals = option.find('=');
        const std::string_view name = option.substr(0, equals);
        if (name != "load" && !isControlOption(name))
            throw std::invalid_argument("unknown option '--" + std::string(name) + "'");

        std::string value;
        if (equals != std::string_view::npos)
            value = option.substr(equals + 1);
        else if (i + 1 < argc)
            value = argv[++i];
        else
            throw std::invalid_argument("option '--" + std::string(name) + "' needs a value");

        if (name == "load") {
            const auto lines = loadLines(value);
            commandLine.controlLines.insert(commandLine.controlLines.end(), lines.begin(),
                                            lines.end());
        } else {
            commandLine.controlLines.push_back(std::string(name) + ' ' + value);
        }
    }
    return commandLine;
}
