#include "CommandLog.h"

#include "Text.h"

#include <cerrno>
#include <system_error>

void CommandLog::open(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "a");
    if (!file)
        throw std::system_error(errno, std::generic_category(), path);
    file_.reset(file);
}

void CommandLog::record(TimePoint receivedAt, std::string_view line)
{
    if (!file_)
        return;
    std::fprintf(file_.get(), "%.6f\t%s\n", toSeconds(receivedAt - start_),
                 text::escapeNonPrintable(line).c_str());
    std::fflush(file_.get());
}
