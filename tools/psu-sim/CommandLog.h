#pragma once

#include "Clock.h"

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

// Appends every received command line to a file, one line each:
// "<seconds since start, 6 decimals>\t<line with non-printable bytes and '\' as \xNN>".
// Each line is flushed at once so a test can read the file while the simulator runs.
class CommandLog
{
public:
    explicit CommandLog(TimePoint start) : start_(start) {}

    // Starts logging to `path` (appending); throws std::system_error when it cannot be opened.
    void open(const std::string& path);
    void record(TimePoint receivedAt, std::string_view line);

private:
    struct FileCloser
    {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };

    TimePoint start_;
    std::unique_ptr<std::FILE, FileCloser> file_;
};
