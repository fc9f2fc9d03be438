#include "PowerSupply.h"

#include <cassert>

namespace {
constexpr double maxCurrent = 3.1;
constexpr double initialCurrent = 1.0;
constexpr double initialLoadOhms = 10.0;
const char* const initialIdentity = "PSU-SIM,5837P,000001,1.00";
} // namespace

PowerSupply::PowerSupply()
    : channels_{{{31.0, {}, false, initialLoadOhms},
                 {31.0, {}, false, initialLoadOhms},
                 {6.0, {}, false, initialLoadOhms}}},
      identity_(initialIdentity)
{
    reset();
}

Range PowerSupply::setpointRange(Quantity quantity, int number) const
{
    return {0.0, quantity == Quantity::Voltage ? channel(number).maxVoltage : maxCurrent};
}

double PowerSupply::setpoint(Quantity quantity, int number) const
{
    return channel(number).setpoints[index(quantity)];
}

void PowerSupply::setSetpoint(Quantity quantity, int number, double value)
{
    assert(value >= setpointRange(quantity, number).min);
    assert(value <= setpointRange(quantity, number).max);
    channel(number).setpoints[index(quantity)] = value;
}

bool PowerSupply::outputEnabled(int number) const
{
    return channel(number).output;
}

void PowerSupply::setOutputEnabled(int number, bool enabled)
{
    channel(number).output = enabled;
}

void PowerSupply::selectChannel(int number)
{
    assert(isChannel(number));
    selected_ = number;
}

void PowerSupply::setLoad(int number, double ohms)
{
    assert(ohms > 0.0);
    channel(number).loadOhms = ohms;
}

double PowerSupply::measured(Quantity quantity, int number) const
{
    const Channel& ch = channel(number);
    if (!ch.output)
        return 0.0;
    const double volts = ch.setpoints[index(Quantity::Voltage)];
    const double currentLimit = ch.setpoints[index(Quantity::Current)];
    const double demandedCurrent = volts / ch.loadOhms;
    if (demandedCurrent <= currentLimit)
        return quantity == Quantity::Voltage ? volts : demandedCurrent;
    return quantity == Quantity::Voltage ? currentLimit * ch.loadOhms : currentLimit;
}

void PowerSupply::reset()
{
    for (Channel& ch : channels_) {
        ch.setpoints[index(Quantity::Voltage)] = 0.0;
        ch.setpoints[index(Quantity::Current)] = initialCurrent;
        ch.output = false;
    }
    selected_ = 1;
}

PowerSupply::Channel& PowerSupply::channel(int number)
{
    assert(isChannel(number));
    return channels_[static_cast<std::size_t>(number - 1)];
}

const PowerSupply::Channel& PowerSupply::channel(int number) const
{
    assert(isChannel(number));
    return channels_[static_cast<std::size_t>(number - 1)];
}
