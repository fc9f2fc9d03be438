#include "ControlChannel.h"

#include <cstdio>
#include <unistd.h>
#include <utility>

std::vector<std::string> ControlChannel::readLines()
{
    char buffer[4096];
    const ssize_t count = read(0, buffer, sizeof buffer);
    if (count > 0)
        partialLine_.append(buffer, static_cast<std::size_t>(count));
    else
        inputOpen_ = false;

    std::vector<std::string> lines;
    for (std::size_t end; (end = partialLine_.find('\n')) != std::string::npos;) {
        std::string line = partialLine_.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
        partialLine_.erase(0, end + 1);
    }
    if (!inputOpen_ && !partialLine_.empty()) {
        lines.push_back(std::move(partialLine_));
        partialLine_.clear();
    }
    return lines;
}

void ControlChannel::writeLine(const std::string& line)
{
    std::fputs(line.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}
