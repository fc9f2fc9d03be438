#include "ScpiInterpreter.h"

#include "ScpiSyntax.h"
#include "Text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace {

std::string formatValue(double value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.3f", value);
    return buffer;
}

// Set-points are kept at the instrument's resolution of 1 mV / 1 mA; adding 0.0 turns a
// rounded -0 into 0 so it reads back as "0.000".
double toResolution(double value)
{
    return std::round(value * 1000.0) / 1000.0 + 0.0;
}

void checkRange(double value, Range range)
{
    if (value < range.min)
        throw ScpiError::valueTooSmall();
    if (value > range.max)
        throw ScpiError::valueTooLarge();
}

// A setting for a command that takes no value, such as *RST.
std::function<void(std::string_view)> withoutParameter(std::function<void()> action)
{
    return [action](std::string_view parameter) {
        if (!parameter.empty())
            throw ScpiError::invalidValue();
        action();
    };
}

template <typename ValueOf> std::string perChannelList(ValueOf valueOf)
{
    std::string list;
    for (int channel = 1; channel <= PowerSupply::channelCount; ++channel)
        list += (channel > 1 ? "," : "") + formatValue(valueOf(channel));
    return list;
}

} // namespace

ScpiInterpreter::ScpiInterpreter(PowerSupply& supply) : supply_(supply), commands_(buildCommands())
{
}

std::vector<ScpiInterpreter::Command> ScpiInterpreter::buildCommands()
{
    using Parameter = std::string_view;
    constexpr auto voltage = Quantity::Voltage;
    constexpr auto current = Quantity::Current;
    return {
        {"*IDN", [this] { return supply_.identity(); }, nullptr},
        {"*RST", nullptr, withoutParameter([this] { supply_.reset(); })},
        {"*CLS", nullptr, withoutParameter([this] { errors_.clear(); })},
        {"OUTPut", [this] { return outputState(); }, [this](Parameter p) { setOutput(p); }},
        {"INSTrument:NSELect", [this] { return std::to_string(supply_.selectedChannel()); },
         [this](Parameter p) { selectChannel(p); }},
        {"APPly:VOLTage", [this] { return setpointList(voltage); },
         [this](Parameter p) { setAllSetpoints(voltage, p); }},
        {"APPly:CURRent", [this] { return setpointList(current); },
         [this](Parameter p) { setAllSetpoints(current, p); }},
        {"VOLTage", [this] { return selectedSetpoint(voltage); },
         [this](Parameter p) { setSelectedSetpoint(voltage, p); }},
        {"CURRent", [this] { return selectedSetpoint(current); },
         [this](Parameter p) { setSelectedSetpoint(current, p); }},
        {"MEASure:ALL", [this] { return measurementList(voltage); }, nullptr},
        {"MEASure:CURRent:ALL", [this] { return measurementList(current); }, nullptr},
        {"MEASure:VOLTage", [this] { return selectedMeasurement(voltage); }, nullptr},
        {"MEASure:CURRent", [this] { return selectedMeasurement(current); }, nullptr},
        {"SYSTem:ERRor", [this] { return errors_.pop(); }, nullptr},
    };
}

std::optional<std::string> ScpiInterpreter::execute(std::string_view line)
{
    std::optional<std::string> reply;
    for (const std::string_view part : text::split(line, ';')) {
        if (const auto partReply = executePart(part))
            reply = reply ? *reply + ';' + *partReply : *partReply;
    }
    return reply;
}

std::optional<std::string> ScpiInterpreter::executePart(std::string_view part)
{
    part = text::trim(part);
    if (text::startsWith(part, ":"))
        part.remove_prefix(1);
    if (part.empty())
        return std::nullopt;

    const std::size_t headerEnd = std::min(part.find_first_of(" \t"), part.size());
    std::string_view header = part.substr(0, headerEnd);
    const std::string_view parameter = text::trim(part.substr(headerEnd));
    const bool isQuery = !header.empty() && header.back() == '?';
    if (isQuery)
        header.remove_suffix(1);

    const Command* command = find(header);
    const bool known = command && (isQuery ? bool(command->query) : bool(command->setting));
    if (!known || (isQuery && !parameter.empty())) {
        errors_.push(ScpiError::commandError());
        return std::nullopt;
    }
    if (isQuery)
        return command->query();
    try {
        command->setting(parameter);
    } catch (const ScpiError& error) {
        errors_.push(error);
    }
    return std::nullopt;
}

const ScpiInterpreter::Command* ScpiInterpreter::find(std::string_view header) const
{
    for (const Command& command : commands_)
        if (scpi::headerMatches(command.header, header))
            return &command;
    return nullptr;
}

std::string ScpiInterpreter::outputState() const
{
    return supply_.outputEnabled(supply_.selectedChannel()) ? "1" : "0";
}

std::string ScpiInterpreter::selectedSetpoint(Quantity quantity) const
{
    return formatValue(supply_.setpoint(quantity, supply_.selectedChannel()));
}

std::string ScpiInterpreter::selectedMeasurement(Quantity quantity) const
{
    return formatValue(supply_.measured(quantity, supply_.selectedChannel()));
}

std::string ScpiInterpreter::setpointList(Quantity quantity) const
{
    return perChannelList([&](int channel) { return supply_.setpoint(quantity, channel); });
}

std::string ScpiInterpreter::measurementList(Quantity quantity) const
{
    return perChannelList([&](int channel) { return supply_.measured(quantity, channel); });
}

void ScpiInterpreter::setAllSetpoints(Quantity quantity, std::string_view parameter)
{
    const auto fields = text::split(parameter, ',');
    if (fields.size() != PowerSupply::channelCount)
        throw ScpiError::invalidValue();

    // Validate every field before applying any, so a refused command changes nothing.
    std::array<std::optional<double>, PowerSupply::channelCount> values;
    for (int channel = 1; channel <= PowerSupply::channelCount; ++channel) {
        const std::string_view field = text::trim(fields[static_cast<std::size_t>(channel - 1)]);
        if (!text::equalsIgnoringCase(field, "N"))
            values[static_cast<std::size_t>(channel - 1)] = validSetpoint(quantity, channel, field);
    }
    for (int channel = 1; channel <= PowerSupply::channelCount; ++channel)
        if (const auto value = values[static_cast<std::size_t>(channel - 1)])
            supply_.setSetpoint(quantity, channel, *value);
}

void ScpiInterpreter::setSelectedSetpoint(Quantity quantity, std::string_view parameter)
{
    const int channel = supply_.selectedChannel();
    supply_.setSetpoint(quantity, channel, validSetpoint(quantity, channel, parameter));
}

double ScpiInterpreter::validSetpoint(Quantity quantity, int channel, std::string_view text) const
{
    const double value = toResolution(scpi::parseNumber(text));
    checkRange(value, supply_.setpointRange(quantity, channel));
    return value;
}

void ScpiInterpreter::setOutput(std::string_view parameter)
{
    if (parameter == "1" || text::equalsIgnoringCase(parameter, "ON"))
        supply_.setOutputEnabled(supply_.selectedChannel(), true);
    else if (parameter == "0" || text::equalsIgnoringCase(parameter, "OFF"))
        supply_.setOutputEnabled(supply_.selectedChannel(), false);
    else
        throw ScpiError::invalidValue();
}

void ScpiInterpreter::selectChannel(std::string_view parameter)
{
    const double number = scpi::parseNumber(parameter);
    if (number != std::floor(number))
        throw ScpiError::invalidValue();
    checkRange(number, {1.0, PowerSupply::channelCount});
    supply_.selectChannel(static_cast<int>(number));
}
