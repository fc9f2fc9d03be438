#pragma once

#include <string>
#include <vector>

// The simulator's command line. Every option is the start-up form of a control line:
// "--delay 50" (or "--delay=50") becomes "delay 50", "--load 1=10,2=5" becomes
// "load 1 10" and "load 2 5".
struct CommandLine
{
    bool helpRequested = false;
    std::vector<std::string> controlLines;
};

// Throws std::invalid_argument for unknown options and malformed --load lists.
CommandLine parseCommandLine(int argc, const char* const argv[]);

extern const char* const usageText;
