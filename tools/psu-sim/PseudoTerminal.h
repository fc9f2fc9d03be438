#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The instrument's end of a pseudo-terminal pair. The client opens the slave side as a serial
// port; the master is non-blocking and raw (no echo, no CR/LF translation). The slave stays
// open here as well, so a client closing and re-opening the port never hangs up the master.
class PseudoTerminal
{
public:
    // Throws std::system_error when the terminal cannot be set up.
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    int masterFd() const { return master_; }
    // The slave's name below /dev, e.g. "pts/7".
    const std::string& portName() const { return portName_; }

    // Everything the client has written so far (possibly nothing).
    std::string readAvailable();
    // Writes as much as the terminal accepts in one write() call; returns the byte count,
    // 0 when its buffer is full.
    std::size_t writeSome(std::string_view bytes);

private:
    int master_ = -1;
    int slave_ = -1;
    std::string portName_;
};
