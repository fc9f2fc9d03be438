#include "WireClock.h"

#include <algorithm>

namespace {
constexpr long bitsPerByte = 10;
constexpr long nanosecondsPerSecond = 1'000'000'000;
} // namespace

void WireClock::setBaudRate(long baud)
{
    byteTime_ = baud > 0 ? Duration(bitsPerByte * nanosecondsPerSecond / baud) : Duration::zero();
}

TimePoint WireClock::transfer(TimePoint available, std::size_t count)
{
    if (count > 0)
        lastByteEnd_ = std::max(lastByteEnd_, available) + byteTime_ * static_cast<long>(count);
    return lastByteEnd_;
}
