#include "KnobStepping.h"

#include <algorithm>
#include <cmath>

namespace {

// Far finer than any step an operator sets, far coarser than the rounding error of a sum.
constexpr double kGridPerUnit = 1e9;

double onGrid(double value)
{
    // A whole number divided by an exact power of ten gives the double nearest the decimal.
    return std::round(value * kGridPerUnit) / kGridPerUnit;
}

} // namespace

// A maximum below 0 (or not a number) leaves the single position 0.
KnobPosition::KnobPosition(double maximum) : m_maximum(std::max(0.0, maximum)) {}

bool KnobPosition::moveTo(double target)
{
    if (std::isnan(target))
        return false;
    const double next = std::clamp(onGrid(target), 0.0, m_maximum);
    if (next == m_value)
        return false;
    m_value = next;
    return true;
}

int WheelNotchCounter::add(int angleDelta)
{
    if ((m_pending > 0 && angleDelta < 0) || (m_pending < 0 && angleDelta > 0))
        m_pending = 0;
    m_pending += angleDelta;
    const int notches = m_pending / kUnitsPerNotch;
    m_pending -= notches * kUnitsPerNotch;
    return notches;
}
