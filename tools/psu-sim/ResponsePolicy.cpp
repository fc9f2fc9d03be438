#include "ResponsePolicy.h"

#include <algorithm>
#include <iterator>

namespace {

// Bytes a disturbed line might deliver: no letters (so no refusal wording) and no line feed.
constexpr unsigned char garbageBytes[] = {0xB1, '#', 0xFE, '%', 0x80, '?', 0xD7, '!',
                                          0xA9, '~', 0xC3, '@', 0xFF, '^', 0x9D, '*'};

std::string garbageLine(std::size_t length)
{
    std::string garbage;
    for (std::size_t i = 0; i < std::max<std::size_t>(length, 8); ++i)
        garbage += static_cast<char>(garbageBytes[i % std::size(garbageBytes)]);
    return garbage;
}

} // namespace

ResponsePolicy::Handling ResponsePolicy::handlingOf(TimePoint lineCompleted)
{
    if (lineCompleted < silentUntil_)
        return Handling::Ignore;
    if (linesToRefuse_ > 0) {
        --linesToRefuse_;
        return Handling::Refuse;
    }
    return Handling::Answer;
}

std::string ResponsePolicy::disguise(std::string reply)
{
    if (repliesToGarble_ == 0)
        return reply;
    --repliesToGarble_;
    return garbageLine(reply.size());
}
