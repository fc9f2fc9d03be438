#pragma once

#include <string>
#include <vector>

// The test harness's side channel: control lines arrive on standard input, and every
// announcement or acknowledgement goes to standard output as one flushed line.
class ControlChannel
{
public:
    // Standard input while it is open, -1 after it ended (poll() skips negative descriptors).
    int inputFd() const { return inputOpen_ ? 0 : -1; }
    // Reads what standard input holds; returns the lines it completed. At end of input a last
    // unterminated line counts as complete.
    std::vector<std::string> readLines();

    static void writeLine(const std::string& line);

private:
    bool inputOpen_ = true;
    std::string partialLine_;
};
