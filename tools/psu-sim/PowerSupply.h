#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <utility>

enum class Quantity
{
    Voltage,
    Current
};

struct Range
{
    double min;
    double max;
};

// The three-channel supply: set-points, output switches, the channel that front-panel style
// commands act on, and the resistive load wired to each output.
class PowerSupply
{
public:
    static constexpr int channelCount = 3;

    PowerSupply();

    static bool isChannel(int channel) { return channel >= 1 && channel <= channelCount; }

    Range setpointRange(Quantity quantity, int channel) const;
    double setpoint(Quantity quantity, int channel) const;
    // The value must lie within setpointRange().
    void setSetpoint(Quantity quantity, int channel, double value);

    bool outputEnabled(int channel) const;
    void setOutputEnabled(int channel, bool enabled);

    int selectedChannel() const { return selected_; }
    void selectChannel(int channel);

    // Resistance in ohms, greater than zero.
    void setLoad(int channel, double ohms);
    // What the output terminals show: the set voltage while the load draws no more than the
    // current limit, otherwise the supply regulates the current and the voltage drops.
    double measured(Quantity quantity, int channel) const;

    const std::string& identity() const { return identity_; }
    void setIdentity(std::string identity) { identity_ = std::move(identity); }

    // Returns set-points, outputs and channel selection to their power-on state.
    void reset();

private:
    struct Channel
    {
        double maxVoltage;
        std::array<double, 2> setpoints;
        bool output;
        double loadOhms;
    };

    static std::size_t index(Quantity quantity) { return static_cast<std::size_t>(quantity); }
    Channel& channel(int number);
    const Channel& channel(int number) const;

    std::array<Channel, channelCount> channels_;
    int selected_ = 1;
    std::string identity_;
};
